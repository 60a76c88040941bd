// Every transition in every engine, on one page written by the program: it
// starts, moves through distinct frames, ends with the next picture shown
// exactly as it stands, raises no error, and each frame matches Chromium's to
// within 0.5 % of its pixels. The frames of all engines side by side go into
// a contact sheet (SORVANE_ARTEFACTS, default build/dev/artefacts via CTest).
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { launchEngine, wantedEngines } from './engines.mjs';
import { decodePng, encodePng } from './png.mjs';
import { differingPixels, pictureA, pictureB, tempDir, transitionNames, writeShow } from './kit.mjs';

const INTERVAL = 4000;  // "4" seconds: transitions take one second
const W = 320, H = 240;
const MOST_DIFFERING = 0.005 * W * H;
// Frames at about 2, 25, 50, 75 and 98 %: the steps between them.
const STEPS = [20, 230, 250, 250, 230];
const names = transitionNames();
const ARTEFACTS = process.env.SORVANE_ARTEFACTS || path.join(os.tmpdir(), 'sorvane-artefacts');
const engines = wantedEngines();
const runs = {};  // engine -> { missing } | { version, standing: [a, b], frames: [...], failure }
let dir;

// One show of 56 pictures, a and b by turns; picture i + 1 comes in with
// transition i, so one page plays them all, one after the other.
function showAll() {
  const a = pictureA(W - 20, H - 20), b = pictureB(W - 20, H - 20);
  return writeShow(dir, {
    pictures: [{ name: 'a.png', bytes: a },
      ...names.map((_, t) => (t % 2 ? { name: 'a.png', bytes: a, transition: t }
        : { name: 'b.png', bytes: b, transition: t }))],
    duration: String(INTERVAL / 1000), page: 'all.html',
  });
}

async function play(name, url) {
  const engine = await launchEngine(name);
  if (engine.missing) return { missing: engine.missing };
  const run = { version: engine.version, standing: [], frames: [] };
  try {
    const page = await engine.open(url, { width: W, height: H });
    await page.waitFor((d) => d.state !== 'loading', 'the first picture');
    // When the picture in front began to stand: the next one is due an interval later.
    await page.js(`window.stoodAt = performance.now();
      new MutationObserver(() => { if (document.documentElement.dataset.state === 'standing')
        window.stoodAt = performance.now(); })
        .observe(document.documentElement, { attributeFilter: ['data-state'] });`);
    run.standing.push(await page.shot());
    for (const [t, transition] of names.entries()) {
      const frame = { t, shots: [] };
      run.frames.push(frame);
      await page.run(await page.js(`return stoodAt + ${INTERVAL - 1} - performance.now();`));
      frame.before = await page.state();
      await page.run(1);
      if (transition !== 'None') {
        await page.waitFor((d) => d.state === 'moving', `transition ${t} to start`);
        frame.moving = await page.state();
        for (const step of STEPS) {
          await page.run(step);
          frame.shots.push(await page.shot());
        }
        await page.run(40);
      }
      await page.waitFor(new Function('d', `return d.state === 'standing' && d.picture === '${t + 1}'`),
        `transition ${t} to end`);
      frame.end = await page.shot();
      if (t === 0) run.standing.push(frame.end);
    }
    run.errors = await page.errors();
    await page.close();
  } catch (e) {
    run.failure = e;
  } finally {
    await engine.close();
  }
  return run;
}

before(async () => {
  dir = tempDir();
  const url = showAll();
  const done = await Promise.all(engines.map((e) => play(e, url)));
  engines.forEach((e, i) => { runs[e] = done[i]; });
});

after(async () => {
  try {
    await contactSheet();
  } finally {
    if (dir) fs.rmSync(dir, { recursive: true, force: true });
  }
});

for (const engine of engines) {
  describe(engine, () => {
    const skip = () => runs[engine].missing && `${engine}: ${runs[engine].missing}`;
    test('plays the whole show without an error', (t) => {
      if (skip()) return t.skip(skip());
      assert.ifError(runs[engine].failure);
      assert.deepEqual(runs[engine].errors, []);
    });
    names.forEach((name, t) => {
      test(`transition ${t} "${name}"`, (c) => {
        if (skip()) return c.skip(skip());
        const run = runs[engine], f = run.frames[t];
        assert.ok(f && (f.end || !run.failure), `not reached: ${run.failure}`);
        const [from, to] = t % 2 ? [run.standing[1], run.standing[0]] : run.standing;
        assert.deepEqual(f.before, { state: 'standing', picture: String(t), transition: t ? String(t - 1) : undefined });
        assert.equal(differingPixels(f.end, to), 0, 'the next picture is shown exactly');
        if (name === 'None') return;
        assert.equal(f.moving.transition, String(t));
        const [early, ...middle] = f.shots, late = middle.pop();
        middle.forEach((shot, i) => {
          const at = `${25 * (i + 1)}%`;
          assert.ok(differingPixels(shot, from) > 0, `${at} differs from the first picture`);
          assert.ok(differingPixels(shot, to) > 0, `${at} differs from the second picture`);
        });
        assert.ok(differingPixels(middle[0], middle[1]) > 0, '25% and 50% differ');
        assert.ok(differingPixels(middle[1], middle[2]) > 0, '50% and 75% differ');
        // No jump at either end: it leaves the first picture and arrives at the second.
        const near = (shot, png) => differingPixels(shot, png, 24);
        const [earlyA, earlyB, lateA, lateB] =
          [near(early, from), near(early, to), near(late, from), near(late, to)];
        assert.ok(earlyA * 3 < earlyB, `just after the start it is mostly the first picture (${earlyA} vs ${earlyB} pixels off)`);
        assert.ok(lateB * 3 < lateA, `just before the end it is mostly the second picture (${lateB} vs ${lateA} pixels off)`);
      });
    });
  });
}

// Pixels of a frame further than a rounding step from Chromium's.
function offChromium(engine, t, k) {
  const mine = runs[engine].frames?.[t], ref = runs.chromium.frames?.[t];
  const a = k < 0 ? mine?.end : mine?.shots[k], b = k < 0 ? ref?.end : ref?.shots[k];
  return a && b ? differingPixels(a, b, 8) : undefined;
}

for (const engine of engines.filter((e) => e !== 'chromium')) {
  describe(`${engine} draws like chromium`, () => {
    names.forEach((name, t) => {
      test(`transition ${t} "${name}"`, (c) => {
        const why = runs.chromium?.missing ? `chromium: ${runs.chromium.missing}`
          : !runs.chromium ? 'chromium is not among the engines'
          : runs[engine].missing && `${engine}: ${runs[engine].missing}`;
        if (why) return c.skip(why);
        const frames = name === 'None' ? [-1] : [0, 1, 2, 3, 4, -1];
        const report = frames.map((k) => {
          const off = offChromium(engine, t, k), at = k < 0 ? 'end' : ['2%', '25%', '50%', '75%', '98%'][k];
          if (off > MOST_DIFFERING) saveDifference(engine, t, k, at);
          return { at, off };
        });
        const text = report.map(({ at, off }) => `${at} ${off === undefined ? 'missing'
          : `${(100 * off / (W * H)).toFixed(2)} %`}`).join(', ');
        c.diagnostic(text);
        assert.ok(report.every(({ off }) => off !== undefined && off <= MOST_DIFFERING),
          `pixels differing from chromium: ${text}`);
      });
    });
  });
}

// Chromium's frame, the engine's and the differing pixels in red, side by side.
function saveDifference(engine, t, k, at) {
  const get = (e) => decodePng(k < 0 ? runs[e].frames[t].end : runs[e].frames[t].shots[k]);
  const a = get('chromium'), b = get(engine);
  const out = { width: 3 * W, height: H, data: new Uint8Array(3 * W * H * 4) };
  for (let y = 0; y < H; y++) {
    for (let x = 0; x < W; x++) {
      const i = (y * W + x) * 4, o = (y * 3 * W + x) * 4;
      const off = [0, 1, 2].some((c) => Math.abs(a.data[i + c] - b.data[i + c]) > 8);
      out.data.set(a.data.subarray(i, i + 4), o);
      out.data.set(b.data.subarray(i, i + 4), o + W * 4);
      out.data.set(off ? [255, 0, 0, 255] : [a.data[i] / 3, a.data[i + 1] / 3, a.data[i + 2] / 3, 255], o + 2 * W * 4);
    }
  }
  const folder = path.join(ARTEFACTS, 'engine-differences');
  fs.mkdirSync(folder, { recursive: true });
  fs.writeFileSync(path.join(folder, `${engine}-${t}-${at.replace('%', '')}.png`), encodePng(out));
}

// Rows of transitions; for each engine its frames at 25, 50 and 75 %, with the
// share of pixels that differ from Chromium's at 50 %.
async function contactSheet() {
  const chromium = runs.chromium;
  if (!chromium || chromium.missing) return;
  const shown = engines.filter((e) => !runs[e].missing);
  const img = (png) => (png ? `<img src="data:image/png;base64,${png.toString('base64')}">` : '<i></i>');
  const rows = names.map((name, t) => {
    const cells = shown.map((e) => {
      const f = runs[e].frames[t];
      const shots = name === 'None' ? [undefined, f?.end, undefined] : (f?.shots ?? []).slice(1, 4);
      const off = e === 'chromium' ? '' : offChromium(e, t, name === 'None' ? -1 : 2);
      const note = off === '' ? '' : off === undefined ? ' (missing)' : ` ${(100 * off / (W * H)).toFixed(2)} %`;
      return `<td><b>${e}</b>${note}<br>${[0, 1, 2].map((k) => img(shots[k])).join('')}</td>`;
    });
    return `<tr><th>${t}<br>${name}</th>${cells.join('')}</tr>`;
  });
  const head = shown.map((e) => `<th>${e} ${runs[e].version}<br>25 · 50 · 75 %</th>`).join('');
  const html = `<!DOCTYPE html><meta charset="utf-8"><style>
    body { margin: 8px; background: #fff; font: 12px sans-serif; }
    table { border-collapse: collapse; } td, th { padding: 3px 6px; vertical-align: top; white-space: nowrap; }
    th { text-align: left; } tr:nth-child(even) { background: #eee; }
    img, i { display: inline-block; width: ${W / 2}px; height: ${H / 2}px; margin-right: 2px;
             outline: 1px solid #999; }
  </style><table><tr><th>transition</th>${head}</tr>${rows.join('\n')}</table>`;
  fs.mkdirSync(ARTEFACTS, { recursive: true });
  const htmlFile = path.join(ARTEFACTS, 'engines-contact-sheet.html');
  fs.writeFileSync(htmlFile, html);
  const engine = await launchEngine('chromium');
  try {
    const width = 160 + shown.length * (3 * (W / 2 + 6) + 16);
    const page = await engine.playwright.newPage({ viewport: { width, height: 600 } });
    await page.goto(`file://${htmlFile}`);
    await page.screenshot({ path: path.join(ARTEFACTS, 'engines-contact-sheet.png'), fullPage: true });
  } finally {
    await engine.close();
  }
  console.log(`contact sheet: ${path.join(ARTEFACTS, 'engines-contact-sheet.png')}`);
}
