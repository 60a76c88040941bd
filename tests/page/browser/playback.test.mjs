// How the page plays, in every engine: colour and placement, strange file
// names, empty and single-picture shows, failing pictures, out-of-range
// transitions, quiet standing, the transition's length, and crisp pictures on
// HiDPI screens. The engines run side by side, each its cases a few at a time.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';
import { launchEngine, wantedEngines } from './engines.mjs';
import {
  differingPixels, hex, image, pixelAt, pixels, solid, tempDir, transitionNames, writeShow,
} from './kit.mjs';
import { encodePng } from './png.mjs';

const RED = [220, 20, 30], BLUE = [20, 40, 220], GREEN = [20, 200, 60];
let dir, pageNo = 0;
const engines = {};  // name -> a promise of the launched engine

before(() => { dir = tempDir(); });
after(async () => {
  await Promise.all(Object.values(engines).map(async (e) => (await e).close?.()));
  if (dir) fs.rmSync(dir, { recursive: true, force: true });
});

const centre = async (page) => hex(pixelAt(pixels(await page.shot()), 160, 120));

// Counts every timer and frame the page asks for from now on.
const countWork = (page) => page.js(`
  window.workCalls = 0;
  for (const name of ['setTimeout', 'setInterval', 'requestAnimationFrame']) {
    const original = window[name];
    window[name] = function (...args) {
      window.workCalls++;
      return original.apply(this, args);
    };
  }`);
const work = (page) => page.js(
  'return { calls: window.workCalls, animations: document.getAnimations().length };');

for (const name of wantedEngines()) describe(name, { concurrency: 3 }, () => {
  let engine;
  before(async () => {
    engines[name] ??= launchEngine(name);
    engine = await engines[name];
  });
  // Opens a page written from `show`; closes it after `body` ran.
  async function withShow(c, show, body, view) {
    if (engine.missing) return c.skip(`${name}: ${engine.missing}`);
    // A folder of its own: cases running side by side use the same picture names.
    const folder = path.join(dir, `show${pageNo++}`);
    fs.mkdirSync(folder);
    const url = writeShow(folder, show);
    const page = await engine.open(url, view);
    try {
      await page.waitFor((d) => d.state !== 'loading', 'the first picture');
      await body(page);
    } finally {
      await page.close();
    }
  }

  describe('colour and placement', { concurrency: 3 }, () => {
    // The picture's extent along the middle row and column.
    function extent(img, rgb) {
      const want = hex(rgb);
      const xs = [], ys = [];
      for (let x = 0; x < img.width; x++) if (hex(pixelAt(img, x, img.height / 2)) === want) xs.push(x);
      for (let y = 0; y < img.height; y++) if (hex(pixelAt(img, img.width / 2, y)) === want) ys.push(y);
      return { left: xs[0], right: xs.at(-1), top: ys[0], bottom: ys.at(-1) };
    }
    const cases = [['left', 0], ['right', 120], ['center', 60], ['', 60], ['Middle', 60]];
    for (const [align, left] of cases) {
      test(`alignment "${align}" puts the picture at x=${left}, centred vertically`, async (c) => {
        await withShow(c, { pictures: [{ name: 'p.png', bytes: solid(200, 120, RED) }], align,
          color: '12AB34' }, async (page) => {
          const img = pixels(await page.shot());
          assert.equal(hex(pixelAt(img, 0, 0)), '12AB34', 'page filled with the colour');
          assert.equal(hex(pixelAt(img, 319, 239)), '12AB34');
          assert.deepEqual(extent(img, RED), { left, right: left + 199, top: 60, bottom: 179 });
          assert.deepEqual(await page.errors(), []);
        });
      });
    }
    // The word comes from config.dat as stored: whatever it holds stays a word.
    test('a hostile alignment word neither breaks nor runs in the page', async (c) => {
      for (const align of ['right"x', 'center";document.title="injected";//', "x'</script><b>"]) {
        await withShow(c, { pictures: [{ name: 'p.png', bytes: solid(200, 120, RED) }], align,
          color: '12AB34' }, async (page) => {
          assert.deepEqual(await page.errors(), [], align);
          assert.notEqual(await page.js('return document.title;'), 'injected');
          assert.equal(extent(pixels(await page.shot()), RED).left, 60, 'an unknown word centres');
        });
      }
    });
    test('an empty colour leaves a neutral background', async (c) => {
      await withShow(c, { pictures: [{ name: 'p.png', bytes: solid(200, 120, RED) }], color: 'none' },
        async (page) => {
          assert.equal(hex(pixelAt(pixels(await page.shot()), 2, 2)), '404040');
          assert.deepEqual(await page.errors(), []);
        });
    });
    test('a picture larger than the window is shrunk to fit whole', async (c) => {
      const quarters = encodePng(image(640, 480, (x, y) => (y < 240 ? (x < 320 ? RED : GREEN) : BLUE)));
      await withShow(c, { pictures: [{ name: 'big.png', bytes: quarters }] }, async (page) => {
        const img = pixels(await page.shot());
        assert.equal(hex(pixelAt(img, 1, 1)), hex(RED));
        assert.equal(hex(pixelAt(img, 318, 1)), hex(GREEN));
        assert.equal(hex(pixelAt(img, 160, 238)), hex(BLUE));
      });
    });
  });

  describe('HiDPI', { concurrency: 3 }, () => {
    // One image pixel per device pixel: a one-pixel checkerboard survives exactly.
    for (const [dpr, w, h] of [[2, 120, 80], [1.5, 121, 81]]) {
      test(`at device pixel ratio ${dpr} a ${w}x${h} picture is shown pixel for pixel`, async (c) => {
        if (name === 'webkit') return c.skip('the desktop host sets no device pixel ratio of its own');
        const check = image(w, h, (x, y) => ((x + y) % 2 ? [255, 255, 255] : [0, 0, 0]));
        await withShow(c, { pictures: [{ name: 'c.png', bytes: encodePng(check) }], color: '336699' },
          async (page) => {
            const img = pixels(await page.shot());
            assert.deepEqual([img.width, img.height], [320 * dpr, 240 * dpr]);
            let x0 = -1, y0 = -1;
            find: for (let y = 0; y < img.height; y++) {
              for (let x = 0; x < img.width; x++) {
                if (hex(pixelAt(img, x, y)) !== '336699') { x0 = x; y0 = y; break find; }
              }
            }
            assert.ok(Math.abs(x0 - (img.width - w) / 2) <= 1, `centred across (left ${x0})`);
            assert.ok(Math.abs(y0 - (img.height - h) / 2) <= 1, `centred down (top ${y0})`);
            let wrong = 0;
            for (let y = 0; y < h; y++) {
              for (let x = 0; x < w; x++) {
                if (hex(pixelAt(img, x0 + x, y0 + y)) !== hex(pixelAt(check, x, y))) wrong++;
              }
            }
            assert.equal(wrong, 0, 'pixels differing from the picture');
            assert.equal(hex(pixelAt(img, x0 + w, y0 + h)), '336699', 'nothing beyond the picture');
          }, { dpr });
      });
    }
  });

  describe('pictures', { concurrency: 3 }, () => {
    test('names with spaces, quotes, #, %, & and non-ASCII load', async (c) => {
      const pictures = [
        { name: 'holiday photo #1 & "best" 100%.png', bytes: solid(300, 220, RED) },
        { name: 'Straße – Ünïcødé ☀ 写真.png', bytes: solid(300, 220, GREEN) },
        { name: "it's ?x=1;y%20 +.png", bytes: solid(300, 220, BLUE) },
      ];
      await withShow(c, { pictures, duration: '1' }, async (page) => {
        const seen = [await centre(page)];
        for (const index of ['1', '2', '0']) {
          await page.run(1000);
          await page.waitFor(new Function('d', `return d.picture === '${index}'`));
          seen.push(await centre(page));
        }
        assert.deepEqual(seen, [RED, GREEN, BLUE, RED].map(hex));
        assert.deepEqual(new Set((await page.requests()).map(decodeURIComponent)),
          new Set(pictures.map((p) => `Sorvane/${p.name}`)));
        assert.deepEqual(await page.errors(), []);
      });
    });

    test('no pictures: only the background, and no request', async (c) => {
      await withShow(c, { pictures: [], color: '12AB34' }, async (page) => {
        assert.equal((await page.state()).state, 'empty');
        const img = pixels(await page.shot());
        const colours = new Set();
        for (let i = 0; i < img.data.length; i += 4) colours.add(hex([...img.data.subarray(i, i + 3)]));
        assert.deepEqual([...colours], ['12AB34']);
        await page.run(20000);
        assert.equal(await page.js('return document.images.length;'), 0);
        assert.deepEqual(await page.requests(), []);
        assert.deepEqual(await page.errors(), []);
      });
    });

    test('one picture shows and stays, with no timers or frames while it stands', async (c) => {
      await withShow(c, { pictures: [{ name: 'one.png', bytes: solid(300, 220, RED), transition: 18 }],
        duration: '1' }, async (page) => {
        await countWork(page);
        await page.run(10000);
        assert.deepEqual(await page.state(), { state: 'standing', picture: '0', transition: undefined });
        assert.equal(await centre(page), hex(RED));
        assert.deepEqual(await work(page), { calls: 0, animations: 0 });
        assert.deepEqual(await page.errors(), []);
      });
    });

    test('pictures that fail to load are skipped, never shown broken', async (c) => {
      const pictures = [
        { name: 'a.png', bytes: solid(300, 220, RED) },
        { name: 'broken.png', bytes: Buffer.from('this is no picture') },
        { name: 'missing.jpg' },
        { name: 'b.png', bytes: solid(300, 220, BLUE), transition: 19 },
      ];
      await withShow(c, { pictures, duration: '2' }, async (page) => {
        await page.run(2000);
        await page.waitFor((d) => d.state === 'moving');
        await page.run(1100);
        assert.deepEqual(await page.state(), { state: 'standing', picture: '3', transition: '19' });
        assert.equal(await centre(page), hex(BLUE));
        await page.run(2000);
        await page.waitFor((d) => d.picture === '0');
        assert.equal(await centre(page), hex(RED));
        assert.ok(await page.js('return [...document.images].every((i) => i.naturalWidth > 0);'));
        assert.deepEqual(await page.errors(), []);
      });
    });

    test('a failing first picture gives way to the next, which then stays alone', async (c) => {
      const pictures = [
        { name: 'broken.png', bytes: Buffer.from('\x89PNG garbage') },
        { name: 'b.png', bytes: solid(300, 220, BLUE) },
      ];
      await withShow(c, { pictures, duration: '1' }, async (page) => {
        assert.deepEqual(await page.state(), { state: 'standing', picture: '1', transition: undefined });
        await page.run(5000);
        assert.equal((await page.state()).picture, '1');
        assert.equal(await centre(page), hex(BLUE));
        assert.deepEqual(await page.errors(), []);
      });
    });
  });

  describe('timing', { concurrency: 3 }, () => {
    for (const index of [99, -1, 55]) {
      test(`transition index ${index} plays as a cut`, async (c) => {
        const pictures = [{ name: 'a.png', bytes: solid(300, 220, RED) },
          { name: 'b.png', bytes: solid(300, 220, BLUE), transition: index }];
        await withShow(c, { pictures }, async (page) => {
          await page.run(4000);
          await page.waitFor((d) => d.picture === '1');
          assert.deepEqual(await page.state(), { state: 'standing', picture: '1', transition: '54' });
          assert.equal(await centre(page), hex(BLUE));
          assert.deepEqual(await page.errors(), []);
        });
      });
    }

    for (const duration of ['0', '-2']) {
      test(`a duration of "${duration}" lets each picture stand half a second`, async (c) => {
        const pictures = [{ name: 'a.png', bytes: solid(300, 220, RED) },
          { name: 'b.png', bytes: solid(300, 220, BLUE) }];
        await withShow(c, { pictures, duration }, async (page) => {
          await page.run(499);
          assert.equal((await page.state()).picture, '0');
          await page.run(1);
          await page.waitFor((d) => d.picture === '1');
          assert.deepEqual(await page.errors(), []);
        });
      });
    }

    // On the test clock, so what is drawn does not depend on the machine's speed
    // (bench/smoothness.mjs measures the frame rate in real time).
    test('every transition draws frames between the two pictures', async (c) => {
      const names = transitionNames();
      const moving = names.map((_, t) => t).filter((t) => names[t] !== 'None');
      const red = solid(300, 220, RED), blue = solid(300, 220, BLUE);
      const pictures = [{ name: 'a.png', bytes: red }, ...moving.map((t, i) => (i % 2
        ? { name: 'a.png', bytes: red, transition: t } : { name: 'b.png', bytes: blue, transition: t }))];
      await withShow(c, { pictures, duration: '1' }, async (page) => {
        const until = async (test, step) => {
          for (let ms = 0; !(await page.js(`return (${test})(document.documentElement.dataset);`)); ms += step) {
            assert.ok(ms < 3000, `the show stopped before ${test}`);
            await page.run(step);
          }
        };
        const stills = [];
        for (const [i, t] of moving.entries()) {
          const before = await page.shot();
          await until("(d) => d.state === 'moving'", 50);
          const during = [];
          for (let k = 0; k < 3; k++) during.push(await page.run(110).then(() => page.shot()));
          await until(`(d) => d.state === 'standing' && d.picture === '${i + 1}'`, 50);
          const after = await page.shot();
          // Frames unlike either picture, and unlike each other: the picture moves.
          // (Seams alone change a few hundred pixels; a move changes thousands.)
          const unlike = (f, g) => differingPixels(f, g) > pixels(f).data.length / 4 / 100;
          const between = during.filter((f) => unlike(f, before) && unlike(f, after));
          const distinct = between.filter((f, k) => between.findIndex((g) => !unlike(f, g)) === k);
          if (distinct.length < 2) stills.push(`${t} "${names[t]}"`);
        }
        assert.deepEqual(stills, [], 'transitions that show no movement');
        assert.deepEqual(await page.errors(), []);
      });
    });

    test('a transition lasts half of a one-second interval, then nothing runs until the next', async (c) => {
      const pictures = [{ name: 'a.png', bytes: solid(300, 220, RED), transition: 36 },
        { name: 'b.png', bytes: solid(300, 220, BLUE), transition: 36 }];
      await withShow(c, { pictures, duration: '1' }, async (page) => {
        await page.run(999);
        assert.equal((await page.state()).state, 'standing');
        await page.run(1);
        await page.waitFor((d) => d.state === 'moving');
        await page.run(450);
        assert.equal((await page.state()).state, 'moving');
        await page.run(70);
        assert.deepEqual(await page.state(), { state: 'standing', picture: '1', transition: '36' });
        assert.equal(await centre(page), hex(BLUE));
        assert.equal(await page.js("return document.querySelectorAll('canvas').length;"), 0);

        await countWork(page);
        await page.run(950);
        assert.deepEqual(await work(page), { calls: 0, animations: 0 }, 'quiet while standing');
        await page.run(50);
        await page.waitFor((d) => d.state === 'moving' && d.picture === '1');
        assert.deepEqual(await page.errors(), []);
      });
    });
  });
});
