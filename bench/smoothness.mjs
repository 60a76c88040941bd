// Frame rate of every transition in real time, in every engine with software
// rendering (and WebKitGTK with the desktop host's own settings): the distinct
// frames each draws in its one second, printed per engine, with the
// transitions below 20 frames per second named. A measurement, not a test:
// what the machine is doing meanwhile changes the counts. The waiting between
// transitions is skipped; the engines take turns, so that none slows another
// down. A transition that falls short is played again on a page of its own, up
// to twice, and counts its best.
//   node bench/smoothness.mjs        (the page tests' npm packages installed:
//                                     npm ci in tests/page; SORVANE_ENGINES,
//                                     SORVANE_WEBKIT_DRIVER as for those tests;
//                                     SORVANE_SMOOTH_WIDTH/HEIGHT, default 1280x720)
import fs from 'node:fs';
import { launchEngine, wantedEngines } from '../tests/page/browser/engines.mjs';
import { pictureA, pictureB, tempDir, transitionNames, writeShow } from '../tests/page/browser/kit.mjs';

const W = Number(process.env.SORVANE_SMOOTH_WIDTH || 1280);
const H = Number(process.env.SORVANE_SMOOTH_HEIGHT || 720);
const INTERVAL = 2000;  // "2" seconds: transitions take one second
const FEWEST_FRAMES = 20;
const names = transitionNames();
const dir = tempDir();
const a = pictureA(W - 40, H - 40);
const b = pictureB(W - 40, H - 40);

// A show of a and b by turns, picture i + 1 brought in by transitions[i].
function show(transitions, page) {
  return `${writeShow(dir, {
    pictures: [{ name: 'a.png', bytes: a }, ...transitions.map((t, i) => (i % 2
      ? { name: 'a.png', bytes: a, transition: t } : { name: 'b.png', bytes: b, transition: t }))],
    duration: String(INTERVAL / 1000), page,
  })}#clock=real`;
}

// The frames drawn while the show is moving, by the time of each frame.
const COUNT_FRAMES = `
  window.frameTimes = [];
  const raf = window.requestAnimationFrame;
  window.requestAnimationFrame = (fn) => raf((time) => {
    if (document.documentElement.dataset.state === 'moving') frameTimes.push(time);
    fn(time);
  });
  window.stoodAt = performance.now();
  new MutationObserver(() => { if (document.documentElement.dataset.state === 'standing')
    window.stoodAt = performance.now(); })
    .observe(document.documentElement, { attributeFilter: ['data-state'] });`;

async function measure(name) {
  const engine = await launchEngine(name);
  if (engine.missing) return console.log(`${name}: ${engine.missing}`);
  const frames = [];
  // Plays the show's transitions in turn, keeping each one's best count.
  async function play(url, transitions) {
    const page = await engine.open(url, { width: W, height: H });
    await page.waitFor((d) => d.state !== 'loading', 'the first picture');
    await page.js(COUNT_FRAMES);
    for (const [i, t] of transitions.entries()) {
      await page.js('frameTimes.length = 0;');
      // Straight to the end of the standing time.
      await page.skip(await page.js(`return stoodAt + ${INTERVAL} - performance.now();`));
      await page.waitFor(new Function('d', `return d.state === 'standing' && d.picture === '${i + 1}'`),
        `transition ${t} to end`);
      const n = new Set(await page.js('return frameTimes;')).size;
      frames[t] = Math.max(frames[t] ?? 0, n);
    }
    await page.close();
  }
  const all = names.map((_, t) => t).filter((t) => names[t] !== 'None');
  try {
    await play(show(all, `${name}-all.html`), all);
    for (let again = 0; again < 2; again++)
      for (const t of all.filter((u) => frames[u] < FEWEST_FRAMES))
        await play(show([t], `${name}-${t}-${again}.html`), [t]);
  } finally {
    await engine.close();
  }
  console.log(`\n${name}, ${W}x${H}: frames per second of each transition`);
  for (const t of all) console.log(`${String(t).padStart(3)} ${names[t].padEnd(28)} ${frames[t]}`);
  const slow = all.filter((t) => frames[t] < FEWEST_FRAMES);
  console.log(slow.length ? `below ${FEWEST_FRAMES}: ${slow.map((t) => `${t} "${names[t]}" (${frames[t]})`).join(', ')}`
    : `every transition at ${FEWEST_FRAMES} or more`);
}

try {
  for (const name of wantedEngines()) await measure(name);
} finally {
  fs.rmSync(dir, { recursive: true, force: true });
}
