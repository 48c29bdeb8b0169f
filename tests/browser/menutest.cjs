'use strict';
// Generates the example site with one shipped template set (once with every formatting
// value filled, once with all of them empty), checks every page with tidy and the HTML
// validator (vnu), then loads every page in headless Chromium, runs axe on it and checks
// what a visitor relies on.
//
// node menutest.cjs --set NAME --cli PROGRAM --templates DIR --example DIR
//                   --work DIR --artifacts DIR --modules NODE_MODULES_DIR
//                   [--variants voll,leer,gross,import]
// voll: the example with its formatting values; leer: the example with none; gross: 40
// groups of 6 entries with long German captions and no values; import: the example's
// pages imported into a new menu, generated and the menu set into the pages (apply).
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const { pathToFileURL, fileURLToPath } = require('url');

const args = {};
for (let i = 2; i < process.argv.length; i += 2) args[process.argv[i].replace(/^--/, '')] = process.argv[i + 1];
for (const key of ['set', 'cli', 'templates', 'example', 'work', 'artifacts', 'modules']) {
  if (!args[key]) throw new Error(`missing --${key}`);
}
const { launch } = require(path.join(__dirname, 'chromium.cjs'));

// What each shipped set promises. A set without an entry here fails, so a new set
// cannot ship untested.
//   groups: 'open'       - all-in-one page, every group's sub-entries shown (foldable)
//           'page'       - one page per group; that page shows its group open and current
//           'disclosure' - all-in-one bar; each group is a disclosure button (closed at first)
//   button: the text of a group's disclosure button, where groups have one
//   drawer: on a narrow screen the menu folds behind the "Menü" button and opens as a drawer
//   bar: a bar across the top, one row at 1280 px, groups that do not fit under "Mehr"
//   frames: entries open in their own target frame
//   include: the menu between the marker lines works in any page of the site
const SETS = {
  Liste: { groups: 'open', drawer: true, include: true },
  Aufklappen: { groups: 'page', drawer: true, include: true },
  Leiste: { groups: 'disclosure', button: (caption) => caption, drawer: true, bar: true, include: true },
  Responsiv: { groups: 'disclosure', button: (caption) => caption, drawer: true, bar: true, include: true },
  Rahmen: { groups: 'page', frames: true },
  Seitenleiste: { groups: 'page', button: (caption) => `Untermenü ${caption}`, drawer: true, include: true },
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

function setIni(setDir) {
  return fs.readFileSync(path.join(setDir, 'template.ini'), 'latin1');
}

function allInOne(setDir) {
  const m = /^\s*all_in_one\s*=\s*(\S+)/im.exec(setIni(setDir));
  return !!m && Number(m[1]) !== 0;
}

function utf8Set(setDir) {
  const m = /^\s*charset\s*=\s*(\S+)/im.exec(setIni(setDir));
  return !!m && m[1].toLowerCase() === 'utf-8';
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

// A large menu as a new user makes it: 40 groups of 6 sub-entries, long German captions (one
// compound of 63 letters), no formatting values. Every entry links to one of the example's
// pages, in the frame "inhalt" as the example's, so links resolve.
const LONG = 'Donaudampfschifffahrtselektrizitätenhauptbetriebswerkbauunterbeamtengesellschaft';
function generateBig() {
  const dir = path.join(args.work, 'gross');
  fs.rmSync(dir, { recursive: true, force: true });
  fs.mkdirSync(dir, { recursive: true });
  for (const name of fs.readdirSync(args.example)) fs.copyFileSync(path.join(args.example, name), path.join(dir, name));
  const pages = fs.readdirSync(args.example).filter((n) => /\.htm$/.test(n) && n !== 'rahmen.htm');
  const lines = ['NFF 2'];
  for (let g = 1; g <= 40; g++) {
    const group = g % 7 === 3 ? `${LONG} ${g}` : `Bereich ${g} Rechnungswesen und Steuern`;
    lines.push([group, pages[g % pages.length], 'inhalt', '0'].join('\u00b6'));
    for (let e = 1; e <= 6; e++) {
      const caption = e === 2 ? `${LONG} ${g}.${e}` : `Unterseite ${g}.${e} Grundstücksverkehrsgenehmigung`;
      lines.push([caption, pages[(g + e) % pages.length], 'inhalt', '1'].join('\u00b6'));
    }
  }
  const nff = path.join(dir, 'site.nff');
  fs.writeFileSync(nff, Buffer.from(lines.join('\r\n') + '\r\n', 'latin1'));
  fs.writeFileSync(path.join(dir, 'site.nfs'), '[Main]\r\n');
  rewriteSettings(path.join(dir, 'site.nfs'), { ...EMPTY_VALUES, Template: args.set, Filename: path.join(dir, 'menu.htm'), fileext: 'htm' });
  const vars = path.join(dir, 'leer.nfv');
  fs.writeFileSync(vars, '');
  const run = spawnSync(args.cli, ['generate', '--templates', args.templates, '--variables', vars, nff], { encoding: 'utf8' });
  process.stderr.write(run.stderr || '');
  if (run.status !== 0) throw new Error(`${args.cli} generate failed (${run.status ?? run.error})`);
  const mains = readMenu(nff);
  const site = { dir, mains, pages: [{ file: path.join(dir, 'menu.htm'), active: null }] };
  if (!allInOne(path.join(args.templates, args.set))) {
    const g = mains[2];  // a group with the long compound
    site.pages.push({ file: path.join(dir, g.id + '.htm'), active: g });
  }
  return site;
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
  // Every content page gets the two marker lines, so apply sets the menu into it.
  const content = [];
  for (const sub of ['', 'produkte']) {
    for (const name of fs.readdirSync(path.join(dir, sub)).filter((n) => /\.htm$/.test(n) && n !== 'rahmen.htm')) {
      const file = path.join(dir, sub, name);
      const text = fs.readFileSync(file, 'latin1');
      fs.writeFileSync(file, text.replace('<body>', '<body>\n<!-- navforge -->\n<!-- /navforge -->'), 'latin1');
      content.push(file);
    }
  }
  const vars = path.join(dir, 'leer.nfv');
  const menu = path.join(args.work, 'import.nff');
  fs.rmSync(menu, { force: true });
  const cli = (cliArgs) => {
    const run = spawnSync(args.cli, cliArgs, { encoding: 'utf8' });
    process.stderr.write(run.stderr || '');
    if (run.status !== 0) throw new Error(`${args.cli} ${cliArgs[0]} failed (${run.status ?? run.error})`);
    return run.stdout;
  };
  // A frame set's user names the content frame, as the example does.
  process.stdout.write(cli(['import', '--templates', args.templates, '--variables', vars, ...(expect.frames ? ['--target', 'inhalt'] : []),
                            '--output-page', path.join(dir, 'menu.htm'), dir, menu]));
  rewriteSettings(path.join(args.work, 'import.nfs'), { Template: args.set });
  const pages = cli(['generate', '--templates', args.templates, '--variables', vars, '--verbose', menu])
    .split('\n').filter((l) => l !== '');
  check(pages.length > 1 || allInOne(path.join(args.templates, args.set)), 'import', 'no page for the group');
  if (expect.include) process.stdout.write(cli(['apply', '--templates', args.templates, '--variables', vars, menu]));
  return { pages, applied: expect.include ? content : [] };
}

// A page the menu was set into: one current entry, the page's own (a sub-entry's page has
// the sub-entry marked, not only its group), shown where the set shows groups, and in
// "Liste" its group alone open.
async function checkApplied(browser, file) {
  const where = `import/${path.relative(path.join(args.work, 'import'), file)}`;
  const { context, page, problems, url } = await openPage(browser, file, { width: 1024, height: 768 });
  for (const p of problems) fail(where, p);
  await checkLinks(page, where, 'nav a[href]');
  const current = await page.evaluate(() => {
    const all = [...document.querySelectorAll('nav [aria-current="page"]')];
    const c = all[0];
    const details = [...document.querySelectorAll('nav details')];
    return { count: all.length, href: c && c.href, text: c && c.textContent.replace(/\s+/g, ' ').trim(),
             shown: !!c && c.getClientRects().length > 0,
             wrongOpen: details.filter((d) => d.open !== d.contains(c)).length, details: details.length };
  });
  check(current.count === 1, where, `${current.count} entries marked current in a page made by apply, expected 1`);
  if (current.count === 1) {
    check(current.href === url, where, `current entry "${current.text}" links to ${current.href}, not to the page`);
    if (expect.groups !== 'disclosure') check(current.shown, where, `current entry "${current.text}" not shown`);
    check(current.wrongOpen === 0, where, `${current.wrongOpen} of ${current.details} groups open or closed against the current page`);
  }
  await context.close();
}

function tidy(file, utf8) {
  const run = spawnSync('tidy', ['-errors', '-quiet', utf8 ? '-utf8' : '-win1252', file], { encoding: 'latin1' });
  if (run.error) throw run.error;
  const report = (run.stderr || '').trim();
  if (report) console.log(`tidy ${path.basename(file)}:\n${report}`);
  // 0 clean, 1 warnings only (tidy 5.6 knows no aria-current), 2 errors.
  check(run.status < 2 && !/Error:/.test(report), path.basename(file), 'tidy reports errors');
}

// The pages are UTF-8 through and through, and every caption survives.
function checkEncoding(site) {
  for (const entry of site.pages) {
    const where = path.basename(entry.file);
    const run = spawnSync('iconv', ['-f', 'utf-8', '-t', 'utf-8', entry.file], { encoding: 'utf8' });
    check(run.status === 0, where, `not UTF-8: ${(run.stderr || '').trim()}`);
    const text = (run.stdout || '').replace(/<[^>]*>/g, '');
    for (const main of site.mains) {
      for (const item of [main, ...main.subs]) check(text.includes(item.caption), where, `caption ${item.caption} not in the page`);
    }
  }
}

// One validator run (one Java start) over every page of the set.
// A sub-menu page is named after its caption, so links to one may hold blanks; that is
// the one message let through.
function vnu(files) {
  const jar = path.join(args.modules, 'vnu-jar', 'build', 'dist', 'vnu.jar');
  // A short run: the quick compiler alone starts the validator in a third of the time; its
  // frames are larger, so the schema checks get a larger stack.
  const run = spawnSync('java', ['-XX:TieredStopAtLevel=1', '-Xss16m', '-jar', jar, '--format', 'json', '--errors-only', ...files],
                        { encoding: 'utf8', maxBuffer: 64 << 20 });
  if (run.error) throw run.error;
  let report;
  try {
    report = JSON.parse(run.stderr || run.stdout);
  } catch (err) {
    throw new Error(`vnu failed (${run.status}): ${run.stderr}${run.stdout}`);
  }
  const allowed = (m) => /^Bad value .* for attribute .href. on element .a.: Illegal character in path segment\. Space is not allowed\.$/.test(m.message);
  let errors = 0;
  for (const m of report.messages) {
    if (m.type !== 'error' && m.type !== 'non-document-error') continue;
    if (allowed(m)) continue;
    errors++;
    const file = m.url ? path.relative(args.work, fileURLToPath(m.url)) : '?';
    fail(file, `vnu: ${m.message} (line ${m.lastLine})`);
  }
  console.log(`vnu: ${files.length} page(s), ${errors} error(s)`);
}

// ---- browser checks ---------------------------------------------------------------
function norm(text) {
  return text.replace(/\s+/g, ' ').trim();
}

async function openPage(browser, file, viewport) {
  const context = await browser.newContext({ viewport });
  context.setDefaultTimeout(5000);  // a missing element fails in seconds, not half a minute
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
async function checkLinks(page, where, selector = 'a[href], iframe[src]') {
  const targets = await page.evaluate((selector) => [...document.querySelectorAll(selector)]
    .map((e) => (e.href !== undefined && e.tagName === 'A' ? e.href : e.src)), selector);
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
  // In a host page the nav itself carries what the menu page's body shows.
  const style = await page.evaluate((host) => {
    const box = getComputedStyle(host ? document.querySelector('nav') : document.body);
    const link = document.querySelector('nav a');
    const nav = getComputedStyle(document.querySelector('nav'));
    return { bg: box.backgroundImage, margin: box.marginTop, font: getComputedStyle(link).fontSize,
             color: getComputedStyle(link).color, text: nav.color, family: getComputedStyle(link).fontFamily };
  }, !!entry.host);
  if (!entry.host) check(style.margin === '0px', where, `body margin ${style.margin}: a declaration beside a value was lost`);
  if (variant === 'voll') {
    check(style.bg.includes('hintergrund.svg'), where, `background image ${style.bg}`);
    check(requests.some((r) => r.endsWith('/hintergrund.svg')), where, 'background image not loaded');
    check(style.font === '15px', where, `main entry font size ${style.font}`);
    check(style.color === 'rgb(0, 0, 128)', where, `link colour ${style.color}`);
  } else {
    // An empty link colour leaves the set's own: neither the browser's default blue nor the
    // text colour. An empty font leaves the system's, not the browser's serif default.
    check(style.color !== 'rgb(0, 0, 238)' && style.color !== style.text, where, `link colour ${style.color} although none is set`);
    if (!entry.host) check(!/times|^serif/i.test(style.family), where, `font ${style.family} although none is set`);
    check(style.bg === 'none', where, `background image ${style.bg} although none is set`);
    check(!requests.some((r) => r !== url), where, `unexpected requests: ${requests.filter((r) => r !== url).join(' ')}`);
  }

  await checkLinks(page, where);

  // Site navigation is links and disclosures, never an application menu.
  const roles = await page.evaluate(() => [...document.querySelectorAll('[role]')].map((e) => e.getAttribute('role'))
    .filter((r) => /^(menu|menubar|menuitem\w*)$/.test(r)));
  check(roles.length === 0, where, `ARIA menu roles: ${roles.join(' ')}`);

  // The preview's engine (Chromium 102) knows no :has(): a rule that needs it may only hide
  // something as polish, never carry a marker or a colour.
  const needsHas = await page.evaluate(() => {
    const rules = (list) => [...list].flatMap((r) => (r.selectorText ? [r] : rules(r.cssRules || [])));
    return [...document.styleSheets].flatMap((s) => rules(s.cssRules))
      .filter((r) => r.selectorText.includes(':has(') && [...r.style].some((p) => p !== 'display'))
      .map((r) => r.selectorText);
  });
  check(!needsHas.length, where, `a rule needs :has(), which Chromium 102 lacks: ${needsHas.join(', ')}`);

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
  const isOpen = (g) => expect.groups === 'open' || (expect.groups === 'page' && !!entry.active && g.id === entry.active.id);
  for (const g of groups) {
    if (isOpen(g)) check(await visibleAll(page, g.subs), where, `sub-entries of ${g.caption} not visible`);
    else check(await hiddenAll(page, g.subs), where, `closed group ${g.caption} shows its sub-entries`);
  }
  if (expect.button) await checkDisclosures(page, where, groups, isOpen);

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

  await checkContrast(page, where, 'nav a, nav button, nav summary, nav .erster, nav .titel', 'as loaded');
  await checkFocusOutline(page, where, 'normal colours');
  await runAxe(page, where, 'as loaded', entry.host);
  const closed = groups.find((g) => !isOpen(g));
  if (expect.button && closed && (await buttonOf(page, closed).count())) {
    await buttonOf(page, closed).click();
    await runAxe(page, where, `with ${closed.caption} open`, entry.host);
    await buttonOf(page, closed).click();
  }

  // The open/closed marker must survive forced colours (it is text, not colour or image).
  await page.emulateMedia({ forcedColors: 'active' });
  await checkFocusOutline(page, where, 'forced colours');
  const images = await page.evaluate(() => ['body', 'nav'].map((s) => `${s} ${getComputedStyle(document.querySelector(s)).backgroundImage}`)
    .filter((s) => !s.endsWith(' none')));
  check(!images.length, where, `a background image behind text in forced colours: ${images.join(', ')}`);
  // Every group's own link, button or summary carries the marker.
  const markers = await page.evaluate((names) => {
    const norm = (t) => t.replace(/\s+/g, ' ').trim();
    return names.map((name) => {
      const e = [...document.querySelectorAll('nav a, nav button, nav summary')].find((x) => norm(x.textContent) === name);
      if (!e) return { name, ok: false, what: 'no element' };
      if (e.tagName === 'SUMMARY') {
        const s = getComputedStyle(e);
        return { name, ok: s.display === 'list-item' && s.listStyleType.startsWith('disclosure'), what: s.listStyleType };
      }
      const c = getComputedStyle(e, '::after').content;
      return { name, ok: /[\u25b8\u25be]/.test(c), what: c };
    });
  }, groups.map((g) => (expect.button ? expect.button(g.caption) : g.caption)));
  for (const m of markers) check(m.ok, where, `${m.name}: no open/closed marker in forced colours (${m.what})`);
  await context.close();
}

// axe over the page as it stands. A menu page is only a menu: it has no main landmark,
// no h1 and nothing outside its nav, so the three rules about whole pages are off there;
// a host page is a whole page, with every rule on and no violation let through.
const AXE = fs.readFileSync(path.join(args.modules, 'axe-core', 'axe.min.js'), 'utf8');
async function runAxe(page, where, state, whole) {
  if (!(await page.evaluate(() => !!window.axe))) await page.addScriptTag({ content: AXE });
  const result = await page.evaluate((whole) => window.axe.run(document, {
    rules: { 'landmark-one-main': { enabled: whole }, 'page-has-heading-one': { enabled: whole },
             region: { enabled: whole }, 'target-size': { enabled: true } },
    resultTypes: ['violations'],
  }), !!whole);
  for (const v of result.violations) {
    const nodes = v.nodes.map((n) => n.target.join(' ')).join(', ');
    const text = `axe ${v.id} (${v.impact}) ${state}: ${v.help}: ${nodes}`;
    if (whole || v.impact === 'serious' || v.impact === 'critical') fail(where, text);
    else console.log(`${where}: ${text}`);
  }
}

// WCAG's contrast ratio of an element's text against the first background colour behind it
// (the canvas is white). Runs in the page. axe leaves single letters and the focus state
// out, so the colour pairs are checked here too.
function contrastOf(e) {
  const rgba = (c) => c.match(/[\d.]+/g).map(Number);
  const lum = (c) => {
    const f = (v) => ((v /= 255) <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4);
    return 0.2126 * f(c[0]) + 0.7152 * f(c[1]) + 0.0722 * f(c[2]);
  };
  let back = [255, 255, 255];
  for (let x = e; x; x = x.parentElement) {
    const c = rgba(getComputedStyle(x).backgroundColor);
    if (c.length < 4 || c[3] > 0) {
      back = c;
      break;
    }
  }
  const [a, b] = [lum(rgba(getComputedStyle(e).color)), lum(back)];
  return (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
}

async function checkContrast(page, where, selector, state) {
  const found = await page.evaluate(`(() => { const contrastOf = ${contrastOf};
    return [...document.querySelectorAll(${JSON.stringify(selector)})].filter((e) => e.getClientRects().length)
      .map((e) => ({ name: e.textContent.replace(/\\s+/g, ' ').trim(), ratio: contrastOf(e) })); })()`);
  for (const f of found) check(f.ratio >= 4.5, where, `${f.name}: contrast ${f.ratio.toFixed(2)}:1 ${state}, below 4.5:1`);
}

// Tab through the nav: every link and button shows a solid outline of 2 px or more.
async function checkFocusOutline(page, where, colours) {
  await page.locator('body').focus();
  for (let i = 0; i < 60; i++) {
    await page.keyboard.press('Tab');
    const f = await page.evaluate(() => {
      const e = document.activeElement;
      if (!e || !e.closest('nav')) return null;
      const s = getComputedStyle(e);
      return { name: e.textContent.replace(/\s+/g, ' ').trim(), style: s.outlineStyle, width: parseFloat(s.outlineWidth) };
    });
    if (!f) return;
    check(f.style !== 'none' && f.style !== 'auto' && f.width >= 2, where,
          `${f.name}: no visible focus outline in ${colours} (${f.style} ${f.width}px)`);
    if (colours === 'normal colours') await checkContrast(page, where, ':focus, :focus .erster', 'with the focus');
  }
}

function buttonOf(page, g) {
  const name = expect.button(g.caption).replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
  return page.locator('nav button').filter({ hasText: new RegExp(`^\\s*${name}\\s*$`) }).first();
}

// A group's disclosure button, its state and where the focus is.
async function disclosure(page, g) {
  return page.evaluate(({ name, links }) => {
    const norm = (t) => t.replace(/\s+/g, ' ').trim();
    const b = [...document.querySelectorAll('nav button')].find((x) => norm(x.textContent) === name);
    if (!b) return null;
    const list = document.getElementById(b.getAttribute('aria-controls') || '');
    const hrefs = list ? [...list.querySelectorAll('a')].map((a) => a.getAttribute('href')) : [];
    return { expanded: b.getAttribute('aria-expanded'), controls: links.every((l) => hrefs.includes(l)),
             onButton: document.activeElement === b, inList: !!list && list.contains(document.activeElement) };
  }, { name: expect.button(g.caption), links: g.subs.map((s) => s.link) });
}

// The disclosure pattern, group by group: focus alone opens nothing, Enter and Space
// toggle, Tab enters an open list and Shift+Tab returns, Escape closes and gives the focus
// back, a closed list takes no focus; drop-downs also close on a click outside and when
// another one opens.
async function checkDisclosures(page, where, groups, isOpen) {
  for (const g of groups) {
    const at = `${where} ${g.caption}`;
    const open = async (want, how) => {
      const d = await disclosure(page, g);
      const shown = want ? await visibleAll(page, g.subs) : await hiddenAll(page, g.subs);
      check(shown && d.expanded === String(want), at, `${how} does not ${want ? 'open' : 'close'} it (aria-expanded ${d.expanded})`);
      return d;
    };
    const first = await disclosure(page, g);
    if (!first) {
      fail(at, 'no disclosure button');
      continue;
    }
    check(first.expanded === String(isOpen(g)), at, `aria-expanded is ${first.expanded} at first`);
    check(first.controls, at, 'aria-controls does not name the list of its sub-entries');
    check(await tabTo(page, expect.button(g.caption)), at, 'Tab never reaches the button');
    await open(isOpen(g), 'keyboard focus alone');
    if (isOpen(g)) {
      await page.keyboard.press('Space');
      await open(false, 'Space');
    }
    await page.keyboard.press('Enter');
    await open(true, 'Enter');
    await page.keyboard.press('Tab');
    check((await disclosure(page, g)).inList, at, 'Tab does not enter the open list');
    await page.keyboard.press('Shift+Tab');
    check((await disclosure(page, g)).onButton, at, 'Shift+Tab does not return to the button');
    await open(true, 'Shift+Tab');
    await page.keyboard.press('Space');
    await open(false, 'Space');
    await page.keyboard.press('Space');
    await page.keyboard.press('Tab');
    await page.keyboard.press('Escape');
    const d = await open(false, 'Escape');
    check(d.onButton, at, 'Escape does not give the focus back to the button');
    await page.keyboard.press('Tab');
    check(!(await disclosure(page, g)).inList, at, 'a hidden link takes the focus');
    if (expect.groups === 'disclosure') {
      await buttonOf(page, g).click();
      await open(true, 'a click');
      for (const other of groups) {
        if (other === g) continue;
        await buttonOf(page, other).click();
        await open(false, `opening ${other.caption}`);
        await buttonOf(page, other).click();
      }
      // Opened without taking the focus, as a click does in some browsers: only the click
      // outside itself can close it then.
      await page.evaluate(() => document.activeElement && document.activeElement.blur());
      await buttonOf(page, g).dispatchEvent('click');
      await page.mouse.click(1000, 740);
      await open(false, 'a click outside the menu');
    } else if (isOpen(g)) {
      await buttonOf(page, g).click();
    }
  }
}

// With script blocked every sub-entry is still reachable: shown, or on its group's page.
async function checkWithoutScript(browser, site, entry) {
  const where = `voll/${path.basename(entry.file)} without script`;
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 }, javaScriptEnabled: false });
  const page = await context.newPage();
  await page.goto(pathToFileURL(entry.file).href, { waitUntil: 'load' });
  for (const g of site.mains.filter((m) => m.subs.length)) {
    const own = page.locator('nav a').filter({ hasText: g.caption }).first();
    const onPage = expect.groups === 'page' && (await own.isVisible());
    check(onPage || (await visibleAll(page, g.subs)), where, `sub-entries of ${g.caption} not reachable without script`);
  }
  await context.close();
}

// ---- the menu set into a page of the site -------------------------------------------
// The part between the marker lines of a generated page, as the include command takes it:
// each marker once and on a line of its own, the opening one first.
function markedPart(file, where) {
  const text = fs.readFileSync(file, 'utf8');
  const lines = text.split(/\r?\n/);
  const [from, to] = ['<!-- navforge -->', '<!-- /navforge -->'].map((m) => (text.split(m).length === 2 ? lines.indexOf(m) : -1));
  if (from < 0 || to < from) {
    fail(where, 'no pair of marker lines around the menu');
    return '';
  }
  return lines.slice(from + 1, to).join('\n');
}

// A plain UTF-8 page of the site with the menu in its header or after its main part.
function hostPage(menu, top) {
  return '<!DOCTYPE html>\n<html lang="de">\n<head>\n<meta charset="utf-8">\n<title>Seite</title>\n'
    + '<style>body{background:#fffbe6}</style>\n</head>\n<body>\n<header><h1>Seite</h1>\n' + (top ? menu : '')
    + '\n</header>\n<main><p>Text mit <a href="start.htm">Verweis</a></p><ul><li>Punkt</li></ul></main>\n'
    + (top ? '' : menu) + '\n</body>\n</html>\n';
}

// The main page's menu (the marked part, or the <nav> of a set without markers) set into a
// host page at both places; seite.htm is the host page without it.
function writeHosts(site) {
  const main = site.pages[0].file;
  const where = `${path.basename(site.dir)}/${path.basename(main)}`;
  const menu = expect.include ? markedPart(main, where) : (/<nav[\s\S]*<\/nav>/.exec(fs.readFileSync(main, 'utf8')) || [''])[0];
  if (!menu) return [];
  if (expect.include) check(!/<[^>]*\sid\s*=/i.test(menu), where, 'a fixed id in the menu could clash with the host page');
  fs.writeFileSync(path.join(site.dir, 'seite.htm'), hostPage('', false));
  return ['oben', 'unten'].map((at) => {
    const file = path.join(site.dir, `seite-${at}.htm`);
    fs.writeFileSync(file, hostPage(menu, at === 'oben'));
    return { file, active: null, host: true };
  });
}

// What the host page's own elements look like (computed, without the properties that
// follow the page's length) and its global names: the menu must change none of it.
function hostLook(page) {
  return page.evaluate(() => {
    const layout = new Set(['height', 'block-size', 'perspective-origin', 'transform-origin']);
    const own = [...document.querySelectorAll('html, body, body *')].filter((e) => !e.closest('nav'));
    const styles = own.flatMap((e) => {
      const s = getComputedStyle(e);
      return [...s].filter((p) => !layout.has(p)).map((p) => `${e.tagName.toLowerCase()} ${p}: ${s.getPropertyValue(p)}`);
    });
    return { styles, globals: Object.keys(window) };
  });
}

// The menu in a host page: every caption there (a UTF-8 page of the site); for include-ready
// sets also every CSS rule under the nav's class, the host page's own look and globals
// unchanged, and the checks of a menu page.
async function checkHost(browser, site, host, variant) {
  const where = `${variant}/${path.basename(host.file)}`;
  const { context, page, problems } = await openPage(browser, host.file, { width: 1024, height: 768 });
  for (const p of problems) fail(where, p);
  const text = norm(await page.evaluate(() => [...document.querySelectorAll('nav a, nav button, nav summary')]
    .map((e) => e.textContent).join(' ')));
  for (const main of site.mains) {
    for (const item of [main, ...main.subs]) check(text.includes(item.caption), where, `caption ${item.caption} lost in a UTF-8 page that includes the menu`);
  }
  if (expect.include) {
    // vnu holds a style in the body to being first in its parent and to no selector reaching
    // before it; a bare class would still reach into the host page.
    const unscoped = await page.evaluate(() => {
      const nav = document.querySelector('nav');
      const scope = new RegExp(`^nav\\.${nav.classList[0]}(?![\\w-])`);
      const selectors = (rules) => [...rules].flatMap((r) => (r.selectorText ? r.selectorText.split(',') : selectors(r.cssRules || [])));
      return [...nav.querySelectorAll('style')].flatMap((s) => selectors(s.sheet.cssRules)).map((s) => s.trim()).filter((s) => !scope.test(s));
    });
    check(!unscoped.length, where, `CSS not under the nav's class: ${unscoped.join(', ')}`);
    const bare = await openPage(browser, path.join(site.dir, 'seite.htm'), { width: 1024, height: 768 });
    const [before, after] = [await hostLook(bare.page), await hostLook(page)];
    await bare.context.close();
    const changed = after.styles.filter((s, i) => s !== before.styles[i]);
    check(!changed.length && after.styles.length === before.styles.length, where,
          `the menu changes the page around it: ${changed.slice(0, 5).join('; ')}`);
    const added = after.globals.filter((g) => !before.globals.includes(g));
    check(!added.length, where, `the menu's script leaves global names: ${added.join(' ')}`);
  }
  await context.close();
  if (expect.include) await checkPage(browser, site, host, variant);
}

// The phone menu: the "Menü" button first in the Tab order, the menu closed; open, it is a
// drawer that takes the focus and keeps it, holds the page's scroll, and closes on Escape
// or a click on the veil beside it, giving the focus back to the button.
async function checkDrawer(browser, site, entry, variant, scheme) {
  const where = `${variant}/${path.basename(entry.file)} at 375 px, ${scheme}`;
  const { context, page, problems } = await openPage(browser, entry.file, { width: 375, height: 667 });
  for (const p of problems) fail(where, p);
  await page.emulateMedia({ colorScheme: scheme });
  // A long page, so that a scroll the drawer fails to hold would show.
  await page.evaluate(() => document.body.insertAdjacentHTML('beforeend', '<div style="height: 3000px"></div>'));
  const list = page.locator('nav > ul');
  const button = page.locator('nav > button.knopf');
  const state = () => page.evaluate(() => {
    const b = document.querySelector('nav > button.knopf');
    const drawer = document.querySelector('nav > ul');
    const veil = document.querySelector('nav .schleier');
    return { expanded: b && b.getAttribute('aria-expanded'), focused: !!b && document.activeElement === b,
             inside: !!drawer && drawer.contains(document.activeElement), y: window.scrollY,
             overflow: getComputedStyle(document.documentElement).overflowY, inline: document.documentElement.style.overflow,
             veil: !!veil && veil.getClientRects().length > 0 };
  });
  check(await button.isVisible(), where, 'no menu button on a narrow screen');
  check(!(await list.isVisible()) && (await state()).expanded === 'false', where, 'menu not folded on a narrow screen');
  await page.locator('body').focus();
  await page.keyboard.press('Tab');
  check((await state()).focused, where, 'Tab does not reach the menu button first');
  await page.keyboard.press('Space');
  let s = await state();
  check(await list.isVisible() && s.expanded === 'true', where, 'Space on the menu button does not open the menu');
  check(s.inside, where, 'the focus does not move into the open drawer');
  check(s.veil, where, 'no veil beside the open drawer');
  await page.mouse.move(360, 400);
  await page.mouse.wheel(0, 600);
  await page.waitForTimeout(150);
  s = await state();
  check(s.y === 0 && s.overflow === 'hidden', where, `the page behind the open drawer scrolls (to ${s.y} px, overflow ${s.overflow})`);
  // Tab and Shift+Tab go round inside the drawer.
  const stops = await page.evaluate(() => document.querySelector('nav > ul').querySelectorAll('a[href], button, summary').length);
  for (const key of ['Tab', 'Shift+Tab']) {
    for (let i = 0; i < Math.min(stops + 2, 30); i++) {
      await page.keyboard.press(key);
      if (!(await state()).inside) {
        fail(where, `${key} leaves the open drawer`);
        break;
      }
    }
  }
  await checkContrast(page, where, 'nav > ul a, nav > ul button, nav > ul summary, nav > ul .erster', 'in the open drawer');
  const wide = await page.evaluate(() => [document.documentElement, document.querySelector('nav > ul')]
    .map((e) => e.scrollWidth - e.clientWidth));
  check(wide[0] <= 0 && wide[1] <= 0, where, `the open drawer scrolls sideways (page ${wide[0]} px, drawer ${wide[1]} px)`);
  await runAxe(page, where, 'with the drawer open', entry.host);
  for (const g of expect.button ? site.mains.filter((m) => m.subs.length).slice(0, 3) : []) {
    const b = buttonOf(page, g);
    if ((await b.getAttribute('aria-expanded')) !== 'true') await b.click();
    check(await visibleAll(page, g.subs), where, `sub-entries of ${g.caption} do not open in the phone menu`);
  }
  if (variant !== 'gross') await page.screenshot({ path: path.join(args.artifacts, `${args.set}-375-${scheme === 'dark' ? 'dunkel' : 'hell'}.png`) });
  // Escape closes the innermost open list first, then the drawer itself.
  for (let i = 0; i < 3 && (await list.isVisible()); i++) await page.keyboard.press('Escape');
  s = await state();
  check(!(await list.isVisible()) && s.focused, where, 'Escape does not close the drawer and give the focus back to the menu button');
  check(s.inline === '' && s.overflow !== 'hidden', where, `the page's overflow not given back after the drawer (${s.inline || s.overflow})`);
  await page.mouse.wheel(0, 600);
  await page.waitForTimeout(150);
  check((await state()).y > 0, where, 'the page does not scroll with the drawer closed, so its hold proves nothing');
  await page.evaluate(() => window.scrollTo(0, 0));
  await button.click();
  check(await list.isVisible(), where, 'clicking the menu button does not open the drawer');
  await page.mouse.click(365, 600);
  s = await state();
  check(!(await list.isVisible()) && s.focused && !s.veil, where, 'a click on the veil does not close the drawer and give the focus back');
  await context.close();
}

// One page at 320, 375 and 1280 px, light and dark: nothing scrolls sideways, contrast and
// axe hold, and a menu with no colours of its own follows the scheme (one with colours
// stays as set). A bar stays one or two rows wide and its drop-downs cover none of it.
const WIDTHS = [320, 375, 1280];
async function checkLayouts(browser, file, where, opts) {
  const { context, page, problems } = await openPage(browser, file, { width: 1280, height: 800 });
  for (const p of problems) fail(where, p);
  for (const scheme of ['light', 'dark']) {
    await page.emulateMedia({ colorScheme: scheme });
    for (const width of WIDTHS) {
      await page.setViewportSize({ width, height: width < 640 ? 667 : 800 });
      const at = `${where} at ${width} px, ${scheme}`;
      const over = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
      check(over <= 0, at, `scrolls sideways by ${over} px`);
      await checkContrast(page, at, 'nav a, nav button, nav summary, nav .erster, nav .titel', 'as loaded');
      const dark = await page.evaluate(`(() => { const contrastOf = ${contrastOf};
        const e = [...document.querySelectorAll('nav a, nav button')].find((x) => x.getClientRects().length);
        return !!e && contrastOf(e) > 0 && getComputedStyle(e).color.match(/\\d+/g).slice(0, 3).every((v) => Number(v) > 128); })()`);
      const want = scheme === 'dark' && !!opts.ownColours;
      check(dark === want, at, want ? 'the menu stays light under a dark colour scheme' : 'the menu turns dark although its colours are set');
      if (width !== 375) await runAxe(page, at, 'as loaded', opts.whole);
      if (expect.bar && width === 1280) await checkBar(page, at);
    }
  }
  await context.close();
}

// The bar at 1280 px: one or two rows; each drop-down, "Mehr" among them, covers no entry
// of the bar and leaves no sideways scroll.
async function checkBar(page, at) {
  const rows = await page.evaluate(() => new Set([...document.querySelectorAll('nav > ul > li')]
    .filter((li) => li.getClientRects().length).map((li) => Math.round(li.getBoundingClientRect().top))).size);
  check(rows <= 2, at, `the bar takes ${rows} rows`);
  const heads = page.locator('nav > ul > li > button[aria-expanded]');
  const names = [];
  for (let i = 0; i < (await heads.count()); i++) if (await heads.nth(i).isVisible()) names.push(i);
  for (const i of [names[0], names[names.length - 1]].filter((x, k, a) => x !== undefined && a.indexOf(x) === k)) {
    await heads.nth(i).click();
    const r = await page.evaluate(() => {
      const b = [...document.querySelectorAll('nav > ul > li > button[aria-expanded="true"]')][0];
      if (!b) return null;
      const box = b.nextElementSibling.getBoundingClientRect();
      const hit = (q) => q.left < box.right && box.left < q.right && q.top < box.bottom && box.top < q.bottom;
      const covered = [...document.querySelectorAll('nav > ul > li')].filter((li) => li !== b.parentElement && li.getClientRects().length)
        .filter((li) => hit(li.getBoundingClientRect())).map((li) => li.textContent.replace(/\s+/g, ' ').trim().slice(0, 30));
      return { name: b.textContent.trim(), covered, over: document.documentElement.scrollWidth - document.documentElement.clientWidth,
               items: b.nextElementSibling.querySelectorAll('a').length };
    });
    if (!r) {
      fail(at, 'a drop-down of the bar does not open');
      continue;
    }
    check(!r.covered.length, at, `the open drop-down ${r.name} covers entries of the bar: ${r.covered.join(' | ')}`);
    check(r.over <= 0, at, `the open drop-down ${r.name} scrolls the page sideways by ${r.over} px`);
    check(r.items > 0, at, `the open drop-down ${r.name} holds no entries`);
    await page.keyboard.press('Escape');
  }
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

// The set as shipped, with no values of its own (the "leer" variant) at 375 and 1280 px,
// light and dark (at 375 px with the drawer open, taken by checkDrawer), and in forced colours.
async function screenshots(browser, site) {
  const shot = site.pages.find((p) => p.active) || site.pages[0];
  for (const scheme of ['light', 'dark']) {
    const name = scheme === 'dark' ? 'dunkel' : 'hell';
    const wide = await openPage(browser, shot.file, { width: 1280, height: 800 });
    await wide.page.emulateMedia({ colorScheme: scheme });
    await wide.page.screenshot({ path: path.join(args.artifacts, `${args.set}-1280-${name}.png`) });
    // A closed group opened with the keyboard: its button open, with its focus outline.
    const group = site.mains.find((m) => m.subs.length && !(shot.active && shot.active.id === m.id));
    if (expect.button && group && scheme === 'light') {
      await tabTo(wide.page, expect.button(group.caption));
      await wide.page.keyboard.press('Enter');
      await wide.page.screenshot({ path: path.join(args.artifacts, `${args.set}-1280-offen.png`) });
    }
    if (scheme === 'dark') {
      await wide.page.emulateMedia({ forcedColors: 'active', colorScheme: 'dark' });
      await wide.page.screenshot({ path: path.join(args.artifacts, `${args.set}-1280-forced-colors.png`) });
    }
    await wide.context.close();
    if (!expect.drawer) {
      const narrow = await openPage(browser, shot.file, { width: 375, height: 667 });
      await narrow.page.emulateMedia({ colorScheme: scheme });
      await narrow.page.screenshot({ path: path.join(args.artifacts, `${args.set}-375-${name}.png`) });
      await narrow.context.close();
    }
  }
  // The small picture for the documentation: a wide screen's top left, a drop-down open.
  const small = await openPage(browser, shot.file, { width: 800, height: 360 });
  const first = site.mains.find((m) => m.subs.length);
  if (expect.bar && first) await buttonOf(small.page, first).click();
  await small.page.mouse.move(799, 359);
  await small.page.screenshot({ path: path.join(args.artifacts, `${args.set}-klein.png`) });
  await small.context.close();
}

async function main() {
  if (!expect) throw new Error(`no browser expectations for template set "${args.set}"`);
  fs.mkdirSync(args.artifacts, { recursive: true });
  const started = Date.now();
  const utf8 = utf8Set(path.join(args.templates, args.set));
  const chrome = await launch(args.modules);
  try {
    const variants = (args.variants || 'voll,leer,gross,import').split(',');
    const sites = Object.fromEntries(variants.filter((v) => v === 'voll' || v === 'leer').map((v) => [v, generate(v)]));
    const big = variants.includes('gross') ? generateBig() : null;
    const imported = variants.includes('import') ? importExample() : null;
    const validate = [];
    for (const site of Object.values(sites)) {
      for (const entry of site.pages) tidy(entry.file, utf8);
      site.hosts = writeHosts(site);
      validate.push(...site.pages.map((p) => p.file), ...site.hosts.map((h) => h.file));
    }
    if (big) {
      for (const entry of big.pages) tidy(entry.file, utf8);
      // Only an include-ready set's menu carries its look into a host page.
      big.hosts = expect.include ? writeHosts(big).slice(0, 1) : [];
      validate.push(...big.pages.map((p) => p.file), ...big.hosts.map((h) => h.file));
    }
    if (imported) {
      for (const file of imported.pages) tidy(file, utf8);
      // The example's own pages are Windows-1252, which vnu refuses: only the menu's pages go to it.
      validate.push(...imported.pages);
    }
    if (sites.voll) checkEncoding(sites.voll);
    vnu(validate);
    for (const [variant, site] of Object.entries(sites)) {
      for (const entry of site.pages) await checkPage(chrome, site, entry, variant);
      for (const host of site.hosts) await checkHost(chrome, site, host, variant);
      const shown = site.pages.find((p) => p.active) || site.pages[0];
      await checkLayouts(chrome, shown.file, `${variant}/${path.basename(shown.file)}`, { ownColours: variant === 'leer' });
      if (expect.include) await checkLayouts(chrome, site.hosts[0].file, `${variant}/${path.basename(site.hosts[0].file)}`, { ownColours: variant === 'leer', whole: true });
      if (expect.drawer) await checkDrawer(chrome, site, shown, variant, variant === 'leer' ? 'dark' : 'light');
      if (variant === 'voll') {
        if (expect.button) for (const entry of site.pages) await checkWithoutScript(chrome, site, entry);
        if (expect.frames) await checkFrames(chrome, site);
      } else {
        await screenshots(chrome, site);
      }
      console.log(`${args.set}/${variant}: ${site.pages.length} page(s) checked`);
    }
    if (big) {
      for (const entry of [...big.pages, ...big.hosts]) {
        const where = `gross/${path.basename(entry.file)}`;
        await checkLayouts(chrome, entry.file, where, { ownColours: true, whole: !!entry.host });
        if (expect.drawer) await checkDrawer(chrome, big, entry, 'gross', entry.host ? 'light' : 'dark');
      }
      console.log(`${args.set}/gross: ${big.pages.length + big.hosts.length} page(s) checked`);
    }
    if (imported) {
      for (const file of imported.pages) {
        const where = `import/${path.basename(file)}`;
        const { context, page, problems } = await openPage(chrome, file, { width: 1024, height: 768 });
        for (const p of problems) fail(where, p);
        await checkLinks(page, where);
        await context.close();
      }
      for (const file of imported.applied) await checkApplied(chrome, file);
      const sub = imported.applied.find((f) => f.endsWith(path.join('produkte', 'software.htm')));
      if (sub) await checkLayouts(chrome, sub, 'import/produkte/software.htm', { ownColours: true, whole: true });
      console.log(`${args.set}/import: ${imported.pages.length} page(s) generated, ${imported.applied.length} set into`);
    }
  } finally {
    await chrome.close();
  }
  console.log(`${args.set}: ${((Date.now() - started) / 1000).toFixed(1)} s`);
  if (failures.length) {
    console.error(`${failures.length} check(s) failed:\n  ` + failures.join('\n  '));
    process.exit(1);
  }
}

main().catch((err) => {
  if (failures.length) console.error(`${failures.length} check(s) failed before:\n  ` + failures.join('\n  '));
  console.error(err.stack || String(err));
  process.exit(1);
});
