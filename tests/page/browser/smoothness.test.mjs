// Every transition in real time, in every engine with software rendering (and
// WebKitGTK with the desktop host's own settings): at least 20 distinct frames
// in its one second, so none plays as a cut. The waiting between transitions
// is skipped; the engines take turns, so that none slows another down. The
// count depends on what else the machine is doing, so a transition that falls
// short is played again on a page of its own, up to twice, and counts its best.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, test } from 'node:test';
import { launchEngine, wantedEngines } from './engines.mjs';
import { pictureA, pictureB, tempDir, transitionNames, writeShow } from './kit.mjs';

const W = Number(process.env.SORVANE_SMOOTH_WIDTH || 1280);
const H = Number(process.env.SORVANE_SMOOTH_HEIGHT || 720);
const INTERVAL = 2000;  // "2" seconds: transitions take one second
const FEWEST_FRAMES = 20;
const names = transitionNames();
let dir, a, b;

// A show of a and b by turns, picture i + 1 brought in by transitions[i].
function show(transitions, page) {
  return `${writeShow(dir, {
    pictures: [{ name: 'a.png', bytes: a }, ...transitions.map((t, i) => (i % 2
      ? { name: 'a.png', bytes: a, transition: t } : { name: 'b.png', bytes: b, transition: t }))],
    duration: String(INTERVAL / 1000), page,
  })}#clock=real`;
}

before(() => {
  dir = tempDir();
  a = pictureA(W - 40, H - 40);
  b = pictureB(W - 40, H - 40);
});
after(() => { if (dir) fs.rmSync(dir, { recursive: true, force: true }); });

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

for (const name of wantedEngines()) {
  describe(name, () => {
    const frames = [];
    let engine, failure;
    before(async () => {
      engine = await launchEngine(name);
      if (engine.missing) return;
      // Plays the show's transitions in turn; their frame counts go to `into`.
      async function play(url, transitions, into) {
        const page = await engine.open(url, { width: W, height: H });
        await page.waitFor((d) => d.state !== 'loading', 'the first picture');
        await page.js(COUNT_FRAMES);
        for (const [i, t] of transitions.entries()) {
          await page.js('frameTimes.length = 0;');
          // Straight to the end of the standing time.
          await page.skip(await page.js(`return stoodAt + ${INTERVAL} - performance.now();`));
          await page.waitFor(new Function('d', `return d.state === 'standing' && d.picture === '${i + 1}'`),
            `transition ${t} to end`);
          into(t, new Set(await page.js('return frameTimes;')).size);
        }
        await page.close();
      }
      const all = names.map((_, t) => t).filter((t) => names[t] !== 'None');
      const best = (t, n) => { frames[t] = Math.max(frames[t] ?? 0, n); };
      try {
        await play(show(all, 'all.html'), all, best);
        for (let again = 0; again < 2; again++) {
          for (const t of all.filter((u) => frames[u] < FEWEST_FRAMES))
            await play(show([t], `${name}-${t}-${again}.html`), [t], best);
        }
      } catch (e) {
        failure = e;
      } finally {
        await engine.close();
      }
    });
    names.forEach((transition, t) => {
      if (transition === 'None') return;
      test(`transition ${t} "${transition}"`, (c) => {
        if (engine.missing) return c.skip(`${name}: ${engine.missing}`);
        assert.ok(frames[t] !== undefined, `not reached: ${failure}`);
        c.diagnostic(`${frames[t]} frames`);
        assert.ok(frames[t] >= FEWEST_FRAMES, `${frames[t]} distinct frames in its second`);
      });
    });
  });
}
