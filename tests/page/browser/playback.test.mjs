// How the page plays: colour and placement, strange file names, empty and
// single-picture shows, failing pictures, out-of-range transitions, quiet
// standing, the transition's length, and crisp pictures on HiDPI screens.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, test } from 'node:test';
import {
  hex, image, launch, openShow, pixelAt, pixels, shot, solid, state, tempDir, waitForState,
  writeShow,
} from './kit.mjs';
import { encodePng } from './png.mjs';

const RED = [220, 20, 30], BLUE = [20, 40, 220], GREEN = [20, 200, 60];
let browser, dir, pageNo = 0;

before(async () => {
  browser = await launch();
  dir = tempDir();
});
after(async () => {
  await browser?.close();
  if (dir) fs.rmSync(dir, { recursive: true, force: true });
});

// Opens a page written from `show`; closes it after `body` ran.
async function withShow(show, body, view) {
  const url = writeShow(dir, { page: `p${pageNo++}.html`, ...show });
  const s = await openShow(browser, url, view);
  try {
    await body(s);
  } finally {
    await s.context.close();
  }
}

const centre = async (page) => hex(pixelAt(pixels(await shot(page)), 160, 120));

// Counts every timer and frame the page asks for from now on.
async function countWork(page) {
  await page.evaluate(() => {
    window.workCalls = 0;
    for (const name of ['setTimeout', 'setInterval', 'requestAnimationFrame']) {
      const original = window[name];
      window[name] = function (...args) {
        window.workCalls++;
        return original.apply(this, args);
      };
    }
  });
}
const work = (page) => page.evaluate(() => ({
  calls: window.workCalls, animations: document.getAnimations().length,
}));

describe('colour and placement', () => {
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
    test(`alignment "${align}" puts the picture at x=${left}, centred vertically`, async () => {
      await withShow({ pictures: [{ name: 'p.png', bytes: solid(200, 120, RED) }], align,
        color: '12AB34' }, async ({ page, errors }) => {
        const img = pixels(await shot(page));
        assert.equal(hex(pixelAt(img, 0, 0)), '12AB34', 'page filled with the colour');
        assert.equal(hex(pixelAt(img, 319, 239)), '12AB34');
        assert.deepEqual(extent(img, RED), { left, right: left + 199, top: 60, bottom: 179 });
        assert.deepEqual(errors, []);
      });
    });
  }
  // The word comes from config.dat as stored: whatever it holds stays a word.
  test('a hostile alignment word neither breaks nor runs in the page', async () => {
    for (const align of ['right"x', 'center";document.title="injected";//', "x'</script><b>"]) {
      await withShow({ pictures: [{ name: 'p.png', bytes: solid(200, 120, RED) }], align,
        color: '12AB34' }, async ({ page, errors }) => {
        assert.deepEqual(errors, [], align);
        assert.notEqual(await page.title(), 'injected');
        assert.equal(extent(pixels(await shot(page)), RED).left, 60, 'an unknown word centres');
      });
    }
  });
  test('an empty colour leaves a neutral background', async () => {
    await withShow({ pictures: [{ name: 'p.png', bytes: solid(200, 120, RED) }], color: 'none' },
      async ({ page, errors }) => {
        assert.equal(hex(pixelAt(pixels(await shot(page)), 2, 2)), '404040');
        assert.deepEqual(errors, []);
      });
  });
  test('a picture larger than the window is shrunk to fit whole', async () => {
    const quarters = encodePng(image(640, 480, (x, y) => (y < 240 ? (x < 320 ? RED : GREEN) : BLUE)));
    await withShow({ pictures: [{ name: 'big.png', bytes: quarters }] }, async ({ page }) => {
      const img = pixels(await shot(page));
      assert.equal(hex(pixelAt(img, 1, 1)), hex(RED));
      assert.equal(hex(pixelAt(img, 318, 1)), hex(GREEN));
      assert.equal(hex(pixelAt(img, 160, 238)), hex(BLUE));
    });
  });
});

describe('HiDPI', () => {
  // One image pixel per device pixel: a one-pixel checkerboard survives exactly.
  for (const [dpr, w, h] of [[2, 120, 80], [1.5, 121, 81]]) {
    test(`at device pixel ratio ${dpr} a ${w}x${h} picture is shown pixel for pixel`, async () => {
      const check = image(w, h, (x, y) => ((x + y) % 2 ? [255, 255, 255] : [0, 0, 0]));
      await withShow({ pictures: [{ name: 'c.png', bytes: encodePng(check) }], color: '336699' },
        async ({ page }) => {
          const img = pixels(await shot(page));
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

describe('pictures', () => {
  test('names with spaces, quotes, #, %, & and non-ASCII load', async () => {
    const pictures = [
      { name: 'holiday photo #1 & "best" 100%.png', bytes: solid(300, 220, RED) },
      { name: 'Straße – Ünïcødé ☀ 写真.png', bytes: solid(300, 220, GREEN) },
      { name: "it's ?x=1;y%20 +.png", bytes: solid(300, 220, BLUE) },
    ];
    await withShow({ pictures, duration: '1' }, async ({ page, errors, failedRequests }) => {
      const seen = [await centre(page)];
      for (const index of ['1', '2', '0']) {
        await page.clock.runFor(1000);
        await waitForState(page, new Function('d', `return d.picture === '${index}'`));
        seen.push(await centre(page));
      }
      assert.deepEqual(seen, [RED, GREEN, BLUE, RED].map(hex));
      assert.deepEqual(failedRequests, []);
      assert.deepEqual(errors, []);
    });
  });

  test('no pictures: only the background, and no request', async () => {
    await withShow({ pictures: [], color: '12AB34' }, async ({ page, errors, failedRequests }) => {
      assert.equal((await state(page)).state, 'empty');
      const img = pixels(await shot(page));
      const colours = new Set();
      for (let i = 0; i < img.data.length; i += 4) colours.add(hex([...img.data.subarray(i, i + 3)]));
      assert.deepEqual([...colours], ['12AB34']);
      await page.clock.runFor(20000);
      assert.equal(await page.evaluate(() => document.images.length), 0);
      assert.deepEqual(failedRequests, []);
      assert.deepEqual(errors, []);
    });
  });

  test('one picture shows and stays, with no timers or frames while it stands', async () => {
    await withShow({ pictures: [{ name: 'one.png', bytes: solid(300, 220, RED), transition: 18 }],
      duration: '1' }, async ({ page, errors }) => {
      await countWork(page);
      await page.clock.runFor(10000);
      assert.deepEqual(await state(page), { state: 'standing', picture: '0', transition: undefined });
      assert.equal(await centre(page), hex(RED));
      assert.deepEqual(await work(page), { calls: 0, animations: 0 });
      assert.deepEqual(errors, []);
    });
  });

  test('pictures that fail to load are skipped, never shown broken', async () => {
    const pictures = [
      { name: 'a.png', bytes: solid(300, 220, RED) },
      { name: 'broken.png', bytes: Buffer.from('this is no picture') },
      { name: 'missing.jpg' },
      { name: 'b.png', bytes: solid(300, 220, BLUE), transition: 19 },
    ];
    await withShow({ pictures, duration: '2' }, async ({ page, errors }) => {
      await page.clock.runFor(2000);
      await waitForState(page, (d) => d.state === 'moving');
      await page.clock.runFor(1100);
      assert.deepEqual(await state(page), { state: 'standing', picture: '3', transition: '19' });
      assert.equal(await centre(page), hex(BLUE));
      await page.clock.runFor(2000);
      await waitForState(page, (d) => d.picture === '0');
      assert.equal(await centre(page), hex(RED));
      assert.ok(await page.evaluate(() => [...document.images].every((i) => i.naturalWidth > 0)));
      assert.deepEqual(errors, []);
    });
  });

  test('a failing first picture gives way to the next, which then stays alone', async () => {
    const pictures = [
      { name: 'broken.png', bytes: Buffer.from('\x89PNG garbage') },
      { name: 'b.png', bytes: solid(300, 220, BLUE) },
    ];
    await withShow({ pictures, duration: '1' }, async ({ page, errors }) => {
      assert.deepEqual(await state(page), { state: 'standing', picture: '1', transition: undefined });
      await page.clock.runFor(5000);
      assert.equal((await state(page)).picture, '1');
      assert.equal(await centre(page), hex(BLUE));
      assert.deepEqual(errors, []);
    });
  });
});

describe('timing', () => {
  for (const index of [99, -1, 55]) {
    test(`transition index ${index} plays as a cut`, async () => {
      const pictures = [{ name: 'a.png', bytes: solid(300, 220, RED) },
        { name: 'b.png', bytes: solid(300, 220, BLUE), transition: index }];
      await withShow({ pictures }, async ({ page, errors }) => {
        await page.clock.runFor(4000);
        await waitForState(page, (d) => d.picture === '1');
        assert.deepEqual(await state(page), { state: 'standing', picture: '1', transition: '54' });
        assert.equal(await centre(page), hex(BLUE));
        assert.deepEqual(errors, []);
      });
    });
  }

  for (const duration of ['0', '-2']) {
    test(`a duration of "${duration}" lets each picture stand half a second`, async () => {
      const pictures = [{ name: 'a.png', bytes: solid(300, 220, RED) },
        { name: 'b.png', bytes: solid(300, 220, BLUE) }];
      await withShow({ pictures, duration }, async ({ page, errors }) => {
        await page.clock.runFor(499);
        assert.equal((await state(page)).picture, '0');
        await page.clock.runFor(1);
        await waitForState(page, (d) => d.picture === '1');
        assert.deepEqual(errors, []);
      });
    });
  }

  test('a transition lasts half of a one-second interval, then nothing runs until the next', async () => {
    const pictures = [{ name: 'a.png', bytes: solid(300, 220, RED), transition: 36 },
      { name: 'b.png', bytes: solid(300, 220, BLUE), transition: 36 }];
    await withShow({ pictures, duration: '1' }, async ({ page, errors }) => {
      await page.clock.runFor(999);
      assert.equal((await state(page)).state, 'standing');
      await page.clock.runFor(1);
      await waitForState(page, (d) => d.state === 'moving');
      await page.clock.runFor(450);
      assert.equal((await state(page)).state, 'moving');
      await page.clock.runFor(70);
      assert.deepEqual(await state(page), { state: 'standing', picture: '1', transition: '36' });
      assert.equal(await centre(page), hex(BLUE));
      assert.equal(await page.evaluate(() => document.querySelectorAll('canvas').length), 0);

      await countWork(page);
      await page.clock.runFor(950);
      assert.deepEqual(await work(page), { calls: 0, animations: 0 }, 'quiet while standing');
      await page.clock.runFor(50);
      await waitForState(page, (d) => d.state === 'moving' && d.picture === '1');
      assert.deepEqual(errors, []);
    });
  });
});
