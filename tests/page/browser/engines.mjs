// The three engines the page meets, behind one small interface, each with the
// same clock script (clock.js) running in every page:
//   chromium  Debian's chromium, driven by playwright-core
//   firefox   Debian's firefox-esr over WebDriver BiDi, driven by puppeteer-core
//   webkit    WebKitGTK with the desktop host's settings: our webkit_page_driver
//             program on an Xvfb display of its own
// launchEngine(name) gives { name, version, open(url, view), close() } or, when
// the engine is not installed, { name, missing: 'why' }. A page gives
// run(ms), skip(ms), js(body), shot(), state(), waitFor(test), errors(),
// requests(), close(). view: { width, height, dpr } (dpr not in webkit).
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import readline from 'node:readline';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const CLOCK = fs.readFileSync(path.join(here, 'clock.js'), 'utf8');
export const ENGINES = ['chromium', 'firefox', 'webkit'];

const CHROMIUM = process.env.SORVANE_CHROMIUM || '/usr/bin/chromium';
const FIREFOX = process.env.SORVANE_FIREFOX || '/usr/bin/firefox-esr';
const WEBKIT_DRIVER = process.env.SORVANE_WEBKIT_DRIVER || '';

const hasModule = (name) => fs.existsSync(path.join(here, '..', 'node_modules', name));

// The engines asked for by SORVANE_ENGINES (comma-separated), default all.
export function wantedEngines() {
  const list = (process.env.SORVANE_ENGINES || ENGINES.join(',')).split(',').map((s) => s.trim());
  return ENGINES.filter((e) => list.includes(e));
}

// Under CI every engine must be there: a missing one fails, naming itself.
const everythingRequired = () => !!process.env.CI && process.env.CI !== 'false';

export async function launchEngine(name) {
  const launch = { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebKit }[name];
  if (!launch) throw new Error(`unknown engine ${name}`);
  const engine = await launch();
  if (engine.missing && everythingRequired()) throw new Error(`missing: ${name}: ${engine.missing}`);
  return engine;
}

// What every driver shares: the page's own status and collected errors.
function common(js) {
  return {
    run: (ms) => js(`await window.__clock.runFor(${Number(ms)});`),
    skip: (ms) => js(`window.__clock.skip(${Number(ms)});`),
    errors: () => js('return window.__errors;'),
    requests: () => js('return window.__requests;'),
    async state() {
      const d = await js('return { ...document.documentElement.dataset };');
      return { state: d.state, picture: d.picture, transition: d.transition };
    },
    // Waits (loading and decoding run in real time) until test(dataset) holds.
    async waitFor(test, what = String(test), timeout = 15000) {
      const end = Date.now() + timeout;
      while (!(await js(`return (${test})(document.documentElement.dataset);`))) {
        if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
        await new Promise((r) => setTimeout(r, 10));
      }
    },
  };
}

// ---- Chromium ----
async function launchChromium() {
  if (!fs.existsSync(CHROMIUM)) return { name: 'chromium', missing: `${CHROMIUM} is missing` };
  if (!hasModule('playwright-core')) return { name: 'chromium', missing: 'playwright-core is not installed' };
  const { chromium } = await import('playwright-core');
  const browser = await chromium.launch({
    executablePath: CHROMIUM, headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    name: 'chromium', version: browser.version(), playwright: browser,
    async open(url, { width = 320, height = 240, dpr = 1 } = {}) {
      const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: dpr });
      await context.addInitScript(CLOCK);
      const page = await context.newPage();
      await page.goto(url);
      const js = (body) => page.evaluate(`(async () => { ${body} })()`);
      return { ...common(js), js, shot: () => page.screenshot({ type: 'png' }),
        close: () => context.close() };
    },
    close: () => browser.close(),
  };
}

// ---- Firefox ESR ----
// Firefox ESR's WebDriver BiDi now and then answers a new tab, right after
// another was closed, with "no such frame" (a context it was still
// discarding). That is the driver, not the page: ask again, a few times.
async function newFirefoxPage(browser) {
  for (let attempt = 1; ; ++attempt) {
    try {
      return await browser.newPage();
    } catch (error) {
      if (attempt >= 3 || !/no such frame|DiscardedBrowsingContext/.test(String(error))) throw error;
      await new Promise((resolve) => setTimeout(resolve, 200));
    }
  }
}

async function launchFirefox() {
  if (!fs.existsSync(FIREFOX)) return { name: 'firefox', missing: `${FIREFOX} is missing` };
  if (!hasModule('puppeteer-core')) return { name: 'firefox', missing: 'puppeteer-core is not installed' };
  const { default: puppeteer } = await import('puppeteer-core');
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'sorvane-firefox-'));
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: FIREFOX, headless: true, userDataDir: profile,
    extraPrefsFirefox: {
      // Neither the clock nor rendering may slow down in a tab that is not in front.
      'dom.min_background_timeout_value': 0,
      'dom.timeout.enable_budget_timer_throttling': false,
      'layout.frame_rate': -1,
    },
  });
  return {
    name: 'firefox', version: await browser.version(),
    async open(url, { width = 320, height = 240, dpr = 1 } = {}) {
      const page = await newFirefoxPage(browser);
      await page.setViewport({ width, height, deviceScaleFactor: dpr });
      await page.evaluateOnNewDocument(CLOCK);
      await page.goto(url);
      const js = (body) => page.evaluate(`(async () => { ${body} })()`);
      return { ...common(js), js, shot: () => page.screenshot({ type: 'png' }),
        close: () => page.close() };
    },
    async close() {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// ---- WebKitGTK ----
async function launchWebKit() {
  if (!WEBKIT_DRIVER || !fs.existsSync(WEBKIT_DRIVER))
    return { name: 'webkit', missing: 'webkit_page_driver is not built (needs webkit2gtk-4.1)' };
  if (spawnSync('sh', ['-c', 'command -v Xvfb']).status !== 0)
    return { name: 'webkit', missing: 'Xvfb is missing' };
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sorvane-webkit-'));
  const clockFile = path.join(work, 'clock.js');
  fs.writeFileSync(clockFile, CLOCK);

  // A display of our own, never the user's screen.
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '3000x1200x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    let text = '';
    xvfb.stdio[3].on('data', (d) => {
      text += d;
      if (text.includes('\n')) resolve(`:${text.trim()}`);
    });
    xvfb.on('exit', () => reject(new Error('Xvfb did not start')));
  });

  const args = ['--init-script', clockFile];
  if (process.env.SORVANE_WEBKIT_HARDWARE_ACCELERATION === '1') args.push('--hardware-acceleration');
  const driver = spawn(WEBKIT_DRIVER, args, {
    stdio: ['pipe', 'pipe', 'inherit'],
    env: { ...process.env, DISPLAY: display, WAYLAND_DISPLAY: '', GDK_BACKEND: 'x11',
      WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS: '1' },
  });
  const waiting = new Map();
  let nextId = 1, ready;
  const version = new Promise((r) => { ready = r; });
  readline.createInterface({ input: driver.stdout }).on('line', (line) => {
    const [id, status, data = ''] = line.split(' ');
    if (id === 'ready') return ready(status);
    const w = waiting.get(id);
    if (!w) return;
    waiting.delete(id);
    if (status === 'ok') w.resolve(data);
    else w.reject(new Error(`webkit: ${Buffer.from(data, 'base64').toString()}`));
  });
  driver.on('exit', (code) => {
    for (const w of waiting.values()) w.reject(new Error(`webkit_page_driver exited (${code})`));
    waiting.clear();
  });
  const ask = (...words) => new Promise((resolve, reject) => {
    const id = String(nextId++);
    waiting.set(id, { resolve, reject });
    driver.stdin.write(`${[id, ...words].join(' ')}\n`);
  });
  let views = 0;
  return {
    name: 'webkit', version: await version,
    async open(url, { width = 320, height = 240, dpr = 1 } = {}) {
      if (dpr !== 1) throw new Error('webkit_page_driver shows pages at one device pixel per CSS pixel');
      const view = `v${views++}`;
      await ask('open', view, width, height, url);
      const js = async (body) => {
        const out = await ask('js', view, Buffer.from(body).toString('base64'));
        return out ? JSON.parse(Buffer.from(out, 'base64').toString()) : undefined;
      };
      const shotFile = path.join(work, `${view}.png`);
      return { ...common(js), js,
        async shot() {
          await ask('shot', view, shotFile);
          return fs.readFileSync(shotFile);
        },
        close: () => ask('close', view) };
    },
    async close() {
      driver.stdin.end();
      await new Promise((r) => (driver.exitCode !== null ? r() : driver.on('exit', r)));
      xvfb.kill();
      fs.rmSync(work, { recursive: true, force: true });
    },
  };
}
