'use strict';
// Generates the example site with one shipped template set (once with every formatting
// value filled, once with all of them empty), checks every page with tidy, then loads
// every page in headless Chromium and checks what a visitor relies on.
//
// node menutest.cjs --set NAME --cli PROGRAM --templates DIR --example DIR
//                   --work DIR --artifacts DIR --modules NODE_MODULES_DIR
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const { pathToFileURL, fileURLToPath } = require('url');

const args = {};
for (let i = 2; i < process.argv.length; i += 2) args[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
for (const key of ['set', 'cli', 'templates', 'example', 'work', 'artifacts', 'modules']) {
  if (!args[key]) throw new Error(`missing --${key}`);
}
const { chromium } = require(path.join(args.modules, 'playwright-core'));

// What each shipped set promises. A set without an entry here fails, so a new set
// cannot ship untested.
//   groups: 'open'     - all-in-one page, every group's sub-entries shown (foldable)
//           'page'     - one page per group; that page shows its group open and current
//           'dropdown' - all-in-one bar; sub-entries appear on hover and keyboard focus
//   toggle: on a narrow screen the menu folds behind a button
//   frames: entries open in their own target frame
const SETS = {
  Liste: { groups: 'open' },
  Aufklappen: { groups: 'page' },
  Leiste: { groups: 'dropdown' },
  Responsiv: { groups: 'dropdown', toggle: true },
  Rahmen: { groups: 'page', frames: true },
};
const expect = SETS[args.set];
const failures = [];
function fail(where, what) {
  failures.push(`${where}: ${what}`);
}
function check(cond, where, what) {
  if (!cond) fail(where, what);
}

// ---- the menu and the pages it should give ----------------------------------------
const cp1252 = new TextDecoder('windows-1252');
function readMenu(nff) {
  const lines = cp1252.decode(fs.readFileSync(nff)).split(/\r\n|\r|\n/);
  if (lines[0] !== 'NFF 2') throw new Error(`${nff}: not a menu file`);
  const items = lines.slice(1).filter((l) => l !== '').map((l) => {
    const [caption, link, target, sub] = l.split('\u00b6');
    return { caption, link, target, sub: sub === '1' };
  });
  const taken = new Set();
  for (const item of items) {
    let id = item.caption;
    for (let n = 2; taken.has(id.toLowerCase()); n++) id = item.caption + n;
    taken.add(id.toLowerCase());
    item.id = id;
  }
  const mains = [];
  for (const item of items) {
    if (!item.sub) mains.push({ ...item, subs: [] });
    else if (mains.length) mains[mains.length - 1].subs.push(item);
  }
  return mains;
}

function allInOne(setDir) {
  const ini = fs.readFileSync(path.join(setDir, 'template.ini'), 'latin1');
  const m = /^\s*all_in_one\s*=\s*(\S+)/im.exec(ini);
  return !!m && Number(m[1]) !== 0;
}

// The sub-menu pages' extension: fileext trimmed, with a dot, else the main page's own.
function submenuExt(nfs, filename) {
  const m = /^fileext=(.*)$/im.exec(fs.readFileSync(nfs, 'latin1'));
  const ext = m ? m[1].trim() : '';
  if (ext === '') return path.extname(filename);
  return ext.startsWith('.') ? ext : '.' + ext;
}

// Settings as INI lines; values replaced by key, others kept.
function rewriteSettings(file, values) {
  const lines = fs.readFileSync(file, 'latin1').split(/\r\n|\r|\n/).filter((l) => l !== '');
  const seen = new Set();
  const out = lines.map((line) => {
    const key = line.split('=')[0];
    if (key in values) {
      seen.add(key);
      return `${key}=${values[key]}`;
    }
    return line;
  });
  for (const key of Object.keys(values)) if (!seen.has(key)) out.push(`${key}=${values[key]}`);
  fs.writeFileSync(file, out.join('\r\n') + '\r\n', 'latin1');
}

const EMPTY_VALUES = {
  TextColor: 'clNone', BackgroundColor: 'clNone', LinkColor: 'clNone', ALinkColor: 'clNone',
  VLinkColor: 'clNone', HoverColor: 'clNone', FirstLetterColor: 'clNone', Title: '', Font: '',
  FontSize: '', SubmenuFont: '', SubmenuFontSize: '', SubmenuLeftMargin: '', BackgroundImage: '', hr: '',
};

function generate(variant) {
  const dir = path.join(args.work, variant);
  fs.rmSync(dir, { recursive: true, force: true });
  fs.mkdirSync(dir, { recursive: true });
  for (const name of fs.readdirSync(args.example)) fs.copyFileSync(path.join(args.example, name), path.join(dir, name));
  const values = { Template: args.set, Filename: path.join(dir, 'menu.htm') };
  if (variant === 'leer') Object.assign(values, EMPTY_VALUES);
  rewriteSettings(path.join(dir, 'site.nfs'), values);
  const vars = path.join(dir, 'leer.nfv');
  fs.writeFileSync(vars, '');
  const run = spawnSync(args.cli, ['generate', '--templates', args.templates, '--variables', vars, '--verbose',
                                   path.join(dir, 'site.nff')], { encoding: 'utf8' });
  process.stdout.write(run.stdout || '');
  process.stderr.write(run.stderr || '');
  if (run.status !== 0) throw new Error(`${args.cli} generate failed (${run.status ?? run.error})`);

  const mains = readMenu(path.join(dir, 'site.nff'));
  const pages = [{ file: values.Filename, active: null }];
  if (!allInOne(path.join(args.templates, args.set))) {
    const ext = submenuExt(path.join(dir, 'site.nfs'), values.Filename);
    for (const main of mains) if (main.subs.length) pages.push({ file: path.join(dir, main.id + ext), active: main });
  }
  for (const page of pages) {
    if (!fs.existsSync(page.file)) throw new Error(`page not written: ${page.file}`);
  }
  return { dir, mains, pages };
}

// The example's content pages imported into a new menu, two of them moved into a folder
// with an index page so the menu has a group, and generated with the set. Returns the
// pages written.
function importExample() {
  const dir = path.join(args.work, 'import');
  fs.rmSync(dir, { recursive: true, force: true });
  fs.mkdirSync(path.join(dir, 'produkte'), { recursive: true });
  for (const name of fs.readdirSync(args.example)) {
    if (!/\.htm$/.test(name)) continue;
    const moved = name === 'software.htm' || name === 'hardware.htm';
    fs.copyFileSync(path.join(args.example, name), path.join(dir, moved ? 'produkte' : '', name));
  }
  fs.renameSync(path.join(dir, 'produkte-uebersicht.htm'), path.join(dir, 'produkte', 'index.htm'));
  fs.writeFileSync(path.join(dir, '.navforgeignore'), 'rahmen.htm\n');  // the frame page is no content
  const vars = path.join(dir, 'leer.nfv');
  const menu = path.join(args.work, 'import.nff');
  fs.rmSync(menu, { force: true });
  const cli = (cliArgs) => {
    const run = spawnSync(args.cli, cliArgs, { encoding: 'utf8' });
    process.stderr.write(run.stderr || '');
    if (run.status !== 0) throw new Error(`${args.cli} ${cliArgs[0]} failed (${run.status ?? run.error})`);
    return run.stdout;
  };
  process.stdout.write(cli(['import', '--templates', args.templates, '--variables', vars,
                            '--output-page', path.join(dir, 'menu.htm'), dir, menu]));
  rewriteSettings(path.join(args.work, 'import.nfs'), { Template: args.set });
  const pages = cli(['generate', '--templates', args.templates, '--variables', vars, '--verbose', menu])
    .split('\n').filter((l) => l !== '');
  check(pages.length > 1 || allInOne(path.join(args.templates, args.set)), 'import', 'no page for the group');
  return pages;
}

function tidy(file) {
  const run = spawnSync('tidy', ['-errors', '-quiet', '-win1252', file], { encoding: 'latin1' });
  if (run.error) throw run.error;
  const report = (run.stderr || '').trim();
  if (report) console.log(`tidy ${path.basename(file)}:\n${report}`);
  // 0 clean, 1 warnings only (tidy 5.6 knows no aria-current), 2 errors.
  check(run.status < 2 && !/Error:/.test(report), path.basename(file), 'tidy reports errors');
}

// ---- browser checks ---------------------------------------------------------------
function norm(text) {
  return text.replace(/\s+/g, ' ').trim();
}

async function openPage(browser, file, viewport) {
  const context = await browser.newContext({ viewport });
  const page = await context.newPage();
  const problems = [];
  const requests = [];
  page.on('console', (msg) => { if (msg.type() === 'error') problems.push(`console: ${msg.text()}`); });
  page.on('pageerror', (err) => problems.push(`page error: ${err.message}`));
  page.on('requestfailed', (req) => problems.push(`request failed: ${req.url()}`));
  page.on('request', (req) => requests.push(req.url()));
  const url = pathToFileURL(file).href;
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForTimeout(100);  // lets late image requests show
  return { context, page, problems, requests, url };
}

// Every local link and frame source exists on disk.
async function checkLinks(page, where) {
  const targets = await page.evaluate(() => [...document.querySelectorAll('a[href], iframe[src]')]
    .map((e) => (e.href !== undefined && e.tagName === 'A' ? e.href : e.src)));
  for (const target of targets) {
    if (!target.startsWith('file:')) continue;
    const file = fileURLToPath(target.split('#')[0]);
    check(fs.existsSync(file), where, `link to missing file ${file}`);
  }
}

// The link to a sub-entry inside the nav, found by its caption and its address.
function subLink(page, sub) {
  return page.locator('nav a').filter({ hasText: sub.caption }).and(page.locator(`a[href="${sub.link}"]`));
}

async function visibleAll(page, subs) {
  for (const sub of subs) if (!(await subLink(page, sub).first().isVisible())) return false;
  return true;
}

async function hiddenAll(page, subs) {
  for (const sub of subs) if (await subLink(page, sub).first().isVisible()) return false;
  return true;
}

// Presses Tab until the element named by caption (a link or a button) has the focus.
async function tabTo(page, caption) {
  await page.locator('body').focus();
  for (let i = 0; i < 40; i++) {
    await page.keyboard.press('Tab');
    const text = await page.evaluate(() => document.activeElement && document.activeElement.textContent);
    if (text !== null && norm(text) === caption) return true;
  }
  return false;
}

async function checkPage(browser, site, entry, variant) {
  const where = `${variant}/${path.basename(entry.file)}`;
  const { context, page, problems, requests, url } = await openPage(browser, entry.file, { width: 1024, height: 768 });
  for (const p of problems) fail(where, p);

  // An empty background image must not make the page fetch itself again.
  check(requests.filter((r) => r === url).length === 1, where, `page requested ${requests.filter((r) => r === url).length} times`);
  const style = await page.evaluate(() => {
    const body = getComputedStyle(document.body);
    const link = document.querySelector('nav a');
    return { bg: body.backgroundImage, margin: body.marginTop, font: getComputedStyle(link).fontSize,
             color: getComputedStyle(link).color };
  });
  check(style.margin === '0px', where, `body margin ${style.margin}: a declaration beside a value was lost`);
  if (variant === 'voll') {
    check(style.bg.includes('hintergrund.svg'), where, `background image ${style.bg}`);
    check(requests.some((r) => r.endsWith('/hintergrund.svg')), where, 'background image not loaded');
    check(style.font === '15px', where, `main entry font size ${style.font}`);
  } else {
    check(style.bg === 'none', where, `background image ${style.bg} although none is set`);
    check(!requests.some((r) => r !== url), where, `unexpected requests: ${requests.filter((r) => r !== url).join(' ')}`);
  }

  await checkLinks(page, where);

  // The current entry is the page's own, or there is none.
  const current = await page.evaluate(() => [...document.querySelectorAll('[aria-current="page"]')]
    .map((e) => ({ text: e.textContent, href: e.href })));
  if (entry.active) {
    check(current.length === 1, where, `${current.length} entries marked current, expected 1`);
    if (current.length === 1) {
      check(norm(current[0].text) === entry.active.caption, where, `current entry is "${norm(current[0].text)}"`);
      check(current[0].href === url, where, `current entry links to ${current[0].href}`);
    }
  } else {
    check(current.length === 0, where, `${current.length} entries marked current on a page without one`);
  }

  const groups = site.mains.filter((m) => m.subs.length);
  if (expect.groups === 'open') {
    for (const g of groups) check(await visibleAll(page, g.subs), where, `sub-entries of ${g.caption} not visible`);
  }
  if (expect.groups === 'page') {
    for (const g of groups) {
      if (entry.active && g.id === entry.active.id) check(await visibleAll(page, g.subs), where, `sub-entries of ${g.caption} not visible`);
      else check(await hiddenAll(page, g.subs), where, `closed group ${g.caption} shows its sub-entries`);
    }
  }
  if (expect.groups === 'dropdown') {
    for (const g of groups) check(await hiddenAll(page, g.subs), where, `drop-down ${g.caption} open before any focus`);
    for (const g of groups) {
      check(await tabTo(page, g.caption), where, `Tab never reaches ${g.caption}`);
      check(await visibleAll(page, g.subs), where, `drop-down ${g.caption} stays closed on keyboard focus`);
      await page.keyboard.press('Tab');
      check(await visibleAll(page, g.subs), where, `drop-down ${g.caption} closes when Tab enters it`);
      for (const other of groups) {
        if (other !== g) check(await hiddenAll(page, other.subs), where, `${other.caption} open while ${g.caption} has the focus`);
      }
    }
    await page.evaluate(() => document.activeElement && document.activeElement.blur());
    for (const g of groups) {
      await page.locator('nav button').filter({ hasText: g.caption }).first().hover();
      check(await visibleAll(page, g.subs), where, `drop-down ${g.caption} stays closed on hover`);
    }
  }

  if (expect.frames) {
    const links = await page.evaluate(() => [...document.querySelectorAll('nav a')]
      .map((a) => ({ text: a.textContent, target: a.getAttribute('target') })));
    for (const main of site.mains) {
      for (const item of [main, ...main.subs]) {
        const want = item === main && main.subs.length ? '_self' : item.target;
        const found = links.filter((l) => norm(l.text) === item.caption);
        check(found.length === 0 || found.every((l) => l.target === want), where, `${item.caption} opens in ${found.map((l) => l.target)}, not ${want}`);
      }
    }
  }

  // The open/closed marker must survive forced colours (it is text, not colour or image).
  await page.emulateMedia({ forcedColors: 'active' });
  // Every group's own link, button or summary carries the marker.
  const markers = await page.evaluate((captions) => {
    const norm = (t) => t.replace(/\s+/g, ' ').trim();
    return captions.map((caption) => {
      const e = [...document.querySelectorAll('nav a, nav button, nav summary')].find((x) => norm(x.textContent) === caption);
      if (!e) return { caption, ok: false, what: 'no element' };
      if (e.tagName === 'SUMMARY') {
        const s = getComputedStyle(e);
        return { caption, ok: s.display === 'list-item' && s.listStyleType.startsWith('disclosure'), what: s.listStyleType };
      }
      const c = getComputedStyle(e, '::after').content;
      return { caption, ok: /[\u25b8\u25be]/.test(c), what: c };
    });
  }, groups.map((g) => g.caption));
  for (const m of markers) check(m.ok, where, `${m.caption}: no open/closed marker in forced colours (${m.what})`);
  await context.close();
}

async function checkNarrow(browser, site, entry) {
  const where = `voll/${path.basename(entry.file)} at 375 px`;
  const { context, page, problems } = await openPage(browser, entry.file, { width: 375, height: 667 });
  for (const p of problems) fail(where, p);
  const list = page.locator('nav > ul');
  const button = page.locator('nav label');
  check(await button.isVisible(), where, 'no menu button on a narrow screen');
  check(!(await list.isVisible()), where, 'menu not folded on a narrow screen');
  // Keyboard: Tab to the (visually hidden) switch, Space opens.
  await page.locator('body').focus();
  await page.keyboard.press('Tab');
  await page.keyboard.press('Space');
  check(await list.isVisible(), where, 'Space on the menu button does not open the menu');
  for (const g of site.mains) check(await visibleAll(page, g.subs), where, `sub-entries of ${g.caption} not visible in the open menu`);
  await page.screenshot({ path: path.join(args.artifacts, `${args.set}-375.png`), fullPage: true });
  await button.click();
  check(!(await list.isVisible()), where, 'clicking the menu button does not fold the menu again');
  await button.click();
  check(await list.isVisible(), where, 'clicking the menu button does not open the menu');
  await context.close();
}

async function checkFrames(browser, site) {
  const where = 'voll/rahmen.htm';
  const { context, page, problems } = await openPage(browser, path.join(site.dir, 'rahmen.htm'), { width: 1024, height: 768 });
  for (const p of problems) fail(where, p);
  const plain = site.mains.find((m) => !m.subs.length && m.target);
  const menu = page.frame({ name: 'menue' });
  await menu.locator('nav a').filter({ hasText: plain.caption }).first().click();
  await page.waitForTimeout(300);
  const shown = page.frame({ name: plain.target });
  check(shown && shown.url().endsWith('/' + plain.link), where, `${plain.caption} did not open in frame ${plain.target}`);
  await page.screenshot({ path: path.join(args.artifacts, `${args.set}-rahmen.png`) });
  await context.close();
}

async function screenshots(browser, site) {
  const shot = site.pages.find((p) => p.active) || site.pages[0];
  const { context, page } = await openPage(browser, shot.file, { width: 1024, height: 768 });
  const group = site.mains.find((m) => m.subs.length);
  if (expect.groups === 'dropdown' && group) await tabTo(page, group.caption);  // shows a drop-down open
  await page.screenshot({ path: path.join(args.artifacts, `${args.set}-1024.png`) });
  await page.emulateMedia({ forcedColors: 'active', colorScheme: 'dark' });
  await page.screenshot({ path: path.join(args.artifacts, `${args.set}-1024-forced-colors.png`) });
  await context.close();
  if (!expect.toggle) {
    const narrow = await openPage(browser, shot.file, { width: 375, height: 667 });
    await narrow.page.screenshot({ path: path.join(args.artifacts, `${args.set}-375.png`), fullPage: true });
    await narrow.context.close();
  }
}

async function main() {
  if (!expect) throw new Error(`no browser expectations for template set "${args.set}"`);
  fs.mkdirSync(args.artifacts, { recursive: true });
  // launch() starts Chromium on a new empty user-data folder of its own and removes it after.
  const chrome = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--disable-quic'],
  });
  try {
    for (const variant of ['voll', 'leer']) {
      const site = generate(variant);
      for (const entry of site.pages) tidy(entry.file);
      for (const entry of site.pages) await checkPage(chrome, site, entry, variant);
      if (variant === 'voll') {
        if (expect.toggle) await checkNarrow(chrome, site, site.pages[0]);
        if (expect.frames) await checkFrames(chrome, site);
        await screenshots(chrome, site);
      }
      console.log(`${args.set}/${variant}: ${site.pages.length} page(s) checked`);
    }
    const imported = importExample();
    for (const file of imported) {
      tidy(file);
      const where = `import/${path.basename(file)}`;
      const { context, page, problems } = await openPage(chrome, file, { width: 1024, height: 768 });
      for (const p of problems) fail(where, p);
      await checkLinks(page, where);
      await context.close();
    }
    console.log(`${args.set}/import: ${imported.length} page(s) checked`);
  } finally {
    await chrome.close();
  }
  if (failures.length) {
    console.error(`${failures.length} check(s) failed:\n  ` + failures.join('\n  '));
    process.exit(1);
  }
}

main().catch((err) => {
  console.error(err.stack || String(err));
  process.exit(1);
});
