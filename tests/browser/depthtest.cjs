'use strict';
// A menu four levels deep in a set that nests: generated with navforge-cli, and set with
// its trail into pages of the site (navforge-cli apply). Then in Debian's Chromium, at a
// desktop and a phone width: every link of the menu reached by Tab once the disclosures
// on its way are opened with Enter, disclosures at each level, axe without a violation,
// vnu without an error; on the applied pages the trail from the top to the page, its
// last step the page, and the menu open down to the page.
//
// node depthtest.cjs --set NAME --cli PROGRAM --templates DIR --work DIR --modules NODE_MODULES_DIR
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const { pathToFileURL, fileURLToPath } = require('url');

const args = {};
for (let i = 2; i < process.argv.length; i += 2) args[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
for (const key of ['set', 'cli', 'templates', 'work', 'modules']) if (!args[key]) throw new Error(`missing --${key}`);
const { launch } = require(path.join(__dirname, 'chromium.cjs'));

const failures = [];
const check = (cond, where, what) => { if (!cond) failures.push(`${where}: ${what}`); };

// caption, link, level. Every level from 0 to 3, a group whose heading has its own page,
// umlauts (the menu file is Windows-1252).
const MENU = [
  ['Start', 'index.html', 0],
  ['Produkte', 'produkte.html', 0],
  ['Möbel', 'moebel.html', 1],
  ['Regale', 'regale.html', 2],
  ['Holzregale', 'holzregale.html', 3],
  ['Metallregale', 'metallregale.html', 3],
  ['Tische', 'tische.html', 2],
  ['Leuchten', 'leuchten.html', 1],
  ['Kontakt', 'kontakt.html', 0],
];

function cli(...argv) {
  const run = spawnSync(args.cli, argv, { encoding: 'utf8' });
  process.stdout.write(run.stdout || '');
  process.stderr.write(run.stderr || '');
  if (run.status !== 0) throw new Error(`navforge-cli ${argv[0]} failed (${run.status ?? run.error})`);
}

// A site page as its owner writes it: the trail's markers in the header, the menu's beside the main part.
function sitePage(caption) {
  return `<!DOCTYPE html>\n<html lang="de">\n<head>\n<meta charset="utf-8">\n<meta name="viewport" content="width=device-width, initial-scale=1">\n` +
         `<title>${caption}</title>\n</head>\n<body>\n<header>\n<!-- navforge-pfad -->\n<!-- /navforge-pfad -->\n</header>\n` +
         `<!-- navforge -->\n<!-- /navforge -->\n<main>\n<h1>${caption}</h1>\n<p>Inhalt.</p>\n</main>\n</body>\n</html>\n`;
}

function makeSite() {
  const dir = path.join(args.work, 'site');
  fs.rmSync(args.work, { recursive: true, force: true });
  fs.mkdirSync(dir, { recursive: true });
  const lines = ['NFF 2'];
  for (const [caption, link, level] of MENU)
    lines.push([caption, link, '', level ? '1' : '0', ...(level > 1 ? [String(level)] : [])].join('\u00b6'));
  fs.writeFileSync(path.join(dir, 'menu.nff'), Buffer.from(lines.join('\r\n') + '\r\n', 'latin1'));
  fs.writeFileSync(path.join(dir, 'menu.nfs'), `[Main]\r\nTemplate=${args.set}\r\nTitle=Tiefe\r\nFilename=menu.htm\r\n`);
  fs.writeFileSync(path.join(dir, 'leer.nfv'), '');
  for (const [caption, link] of MENU) fs.writeFileSync(path.join(dir, link), sitePage(caption));
  const common = ['--templates', args.templates, '--variables', path.join(dir, 'leer.nfv')];
  cli('generate', ...common, path.join(dir, 'menu.nff'));
  cli('apply', ...common, path.join(dir, 'menu.nff'));
  return dir;
}

const AXE = fs.readFileSync(path.join(args.modules, 'axe-core', 'axe.min.js'), 'utf8');
async function axe(page, where, whole) {
  await page.addScriptTag({ content: AXE });
  const result = await page.evaluate((whole) => window.axe.run(document, {
    rules: { 'landmark-one-main': { enabled: whole }, 'page-has-heading-one': { enabled: whole },
             region: { enabled: whole }, 'target-size': { enabled: true } },
    resultTypes: ['violations'],
  }), whole);
  for (const v of result.violations)
    failures.push(`${where}: axe ${v.id} (${v.impact}): ${v.help}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

function vnu(files) {
  const jar = path.join(args.modules, 'vnu-jar', 'build', 'dist', 'vnu.jar');
  const run = spawnSync('java', ['-XX:TieredStopAtLevel=1', '-Xss16m', '-jar', jar, '--format', 'json', '--errors-only', ...files],
                        { encoding: 'utf8', maxBuffer: 64 << 20 });
  if (run.error) throw run.error;
  for (const m of JSON.parse(run.stderr || run.stdout).messages)
    if (m.type === 'error' || m.type === 'non-document-error')
      failures.push(`${m.url ? path.basename(fileURLToPath(m.url)) : '?'}: vnu: ${m.message} (line ${m.lastLine})`);
}

// Tabs through the page, opening every closed disclosure it meets with Enter: the links
// reached, and the levels (nested lists below the top one) of the disclosures opened.
async function walk(page, where) {
  const reached = new Set();
  const opened = new Set();
  await page.locator('body').focus();
  for (let i = 0; i < 200; i++) {
    await page.keyboard.press('Tab');
    const at = await page.evaluate(() => {
      const e = document.activeElement;
      if (!e || e === document.body) return null;
      const nav = e.closest('nav');
      let depth = 0;
      for (let p = e.parentElement; p && p !== nav; p = p.parentElement) if (p.tagName === 'UL' || p.tagName === 'OL') depth++;
      return { tag: e.tagName, href: e.getAttribute('href'), expanded: e.getAttribute('aria-expanded'), depth,
               text: e.textContent.trim(), inNav: !!nav };
    });
    if (!at) break;
    if (at.tag === 'A' && at.inNav) reached.add(at.href);
    if (at.tag === 'BUTTON' && at.expanded === 'false') {
      const button = await page.evaluateHandle(() => document.activeElement);
      await page.keyboard.press('Enter');  // a drawer takes the focus in: ask the button itself
      const now = await button.evaluate((e) => e.getAttribute('aria-expanded'));
      check(now === 'true', where, `Enter does not open "${at.text}"`);
      opened.add(at.depth);
    }
    if (reached.size >= MENU.length && i > MENU.length * 3) break;
  }
  return { reached, opened };
}

async function main() {
  const dir = makeSite();
  vnu(fs.readdirSync(dir).filter((f) => f.endsWith('.htm') || f.endsWith('.html')).map((f) => path.join(dir, f)));
  const chrome = await launch(args.modules);
  try {
    for (const viewport of [{ width: 1280, height: 800 }, { width: 375, height: 700 }]) {
      for (const file of ['menu.htm', 'holzregale.html']) {
        const where = `${args.set} ${file} at ${viewport.width}px`;
        const context = await chrome.newContext({ viewport });
        context.setDefaultTimeout(5000);
        const page = await context.newPage();
        page.on('pageerror', (err) => failures.push(`${where}: page error: ${err.message}`));
        await page.goto(pathToFileURL(path.join(dir, file)).href, { waitUntil: 'load' });
        const host = file !== 'menu.htm';
        if (host) {
          // The trail: its own label, the steps from the top, the last the page itself.
          const trail = await page.evaluate(() => {
            const nav = document.querySelector('header nav');
            if (!nav) return null;
            return { label: nav.getAttribute('aria-label'), list: !!nav.querySelector('ol'),
                     steps: [...nav.querySelectorAll('li a')].map((a) => [a.textContent.trim(), a.getAttribute('href'), a.getAttribute('aria-current')]),
                     menuLabel: document.querySelector('body > nav, body > div nav, nav:not(header nav)')?.getAttribute('aria-label') };
          });
          check(trail && trail.list, where, 'no trail with an ordered list');
          if (trail) {
            check(trail.label && trail.label !== trail.menuLabel, where, `trail label "${trail.label}" is not its own`);
            check(JSON.stringify(trail.steps) === JSON.stringify([['Produkte', 'produkte.html', null], ['Möbel', 'moebel.html', null],
                                                                 ['Regale', 'regale.html', null], ['Holzregale', 'holzregale.html', 'page']]),
                  where, `trail steps ${JSON.stringify(trail.steps)}`);
          }
          const current = await page.evaluate(() => [...document.querySelectorAll('nav:not(header nav) [aria-current="page"]')].map((e) => e.textContent.trim()));
          check(JSON.stringify(current) === '["Holzregale"]', where, `menu marks ${JSON.stringify(current)} current`);
        }
        // Every link of the menu, each of them reached. A main entry's group may lead to its
        // page of the menu instead of its own link, or be a button alone; a deeper group
        // keeps its link (an imported folder's index page is its entry).
        const links = await page.evaluate(() => [...document.querySelectorAll('nav a[href]')]
          .filter((a) => !a.closest('header')).map((a) => a.getAttribute('href')));
        MENU.forEach(([caption, link, level], i) => {
          const group = i + 1 < MENU.length && MENU[i + 1][2] > level;
          check(links.includes(link) || (level === 0 && group), where, `"${caption}" (${link}) is not in the menu`);
        });
        const { reached, opened } = await walk(page, where);
        for (const link of links) check(reached.has(link), where, `${link} not reached by Tab`);
        for (const depth of [1, 2, 3]) check(opened.has(depth) || host, where, `no disclosure opened at nesting depth ${depth}`);
        for (const href of await page.evaluate(() => [...document.querySelectorAll('a[href]')].map((a) => a.href)))
          check(!href.startsWith('file:') || fs.existsSync(fileURLToPath(href.split('#')[0])), where, `link to missing ${href}`);
        await axe(page, where, host);
        await context.close();
      }
    }
  } finally {
    await chrome.close();
  }
  for (const f of failures) console.error(`FAIL ${f}`);
  console.log(`${args.set}: ${failures.length} failure(s)`);
  process.exit(failures.length ? 1 : 0);
}

main().catch((err) => { console.error(err); process.exit(1); });
