// Every transition in real time, in every engine with software rendering (and
// WebKitGTK with the desktop host's own settings): at least 20 distinct frames
// in its one second, so none plays as a cut. The waiting between transitions
// is skipped; the engines take turns, so that none slows another down.
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
let dir, url;

before(() => {
  dir = tempDir();
  const a = pictureA(W - 40, H - 40), b = pictureB(W - 40, H - 40);
  url = `${writeShow(dir, {
    pictures: [{ name: 'a.png', bytes: a }, ...names.map((_, t) => (t % 2
      ? { name: 'a.png', bytes: a, transition: t } : { name: 'b.png', bytes: b, transition: t }))],
    duration: String(INTERVAL / 1000),
  })}#clock=real`;
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
      try {
        const page = await engine.open(url, { width: W, height: H });
        await page.waitFor((d) => d.state !== 'loading', 'the first picture');
        await page.js(COUNT_FRAMES);
        for (const [t, transition] of names.entries()) {
          if (transition === 'None') break;
          await page.js('frameTimes.length = 0;');
          // Straight to the end of the standing time.
          await page.skip(await page.js(`return stoodAt + ${INTERVAL} - performance.now();`));
          await page.waitFor(new Function('d', `return d.state === 'standing' && d.picture === '${t + 1}'`),
            `transition ${t} to end`);
          frames[t] = new Set(await page.js('return frameTimes;')).size;
        }
        await page.close();
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
        if (process.env.SORVANE_TRACE) console.error(`${name} ${t} ${transition}: ${frames[t]} frames`);
        assert.ok(frames[t] >= FEWEST_FRAMES, `${frames[t]} distinct frames in its second`);
      });
    });
  });
}
