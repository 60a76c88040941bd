// Every transition on a page written by the program: it starts, moves through
// distinct frames, ends with the next picture shown exactly as it stands, and
// raises no error.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, test } from 'node:test';
import {
  differingPixels, launch, openShow, pictureA, pictureB, shot, state, tempDir,
  transitionNames, waitForState, writeShow,
} from './kit.mjs';

const INTERVAL = 4000;  // "4" seconds: transitions take one second
const TRANSITION = 1000;
const names = transitionNames();
let browser, dir, a, b, standingA, standingB;

async function standingShot(name, bytes) {
  const { page, context } = await openShow(browser,
    writeShow(dir, { pictures: [{ name, bytes }], page: `${name}.html` }));
  const png = await shot(page);
  await context.close();
  return png;
}

before(async () => {
  browser = await launch();
  dir = tempDir();
  a = pictureA(300, 220);
  b = pictureB(300, 220);
  standingA = await standingShot('a.png', a);
  standingB = await standingShot('b.png', b);
  assert.ok(differingPixels(standingA, standingB) > 50000, 'the two pictures look unlike');
});

after(async () => {
  await browser?.close();
  if (dir) fs.rmSync(dir, { recursive: true, force: true });
});

test('the program knows 55 transitions', () => assert.equal(names.length, 55));

names.forEach((name, t) => {
  test(`transition ${t} "${name}"`, async () => {
    const url = writeShow(dir, {
      pictures: [{ name: 'a.png', bytes: a }, { name: 'b.png', transition: t, bytes: b }],
      duration: String(INTERVAL / 1000), page: `t${t}.html`,
    });
    const { page, context, errors } = await openShow(browser, url);
    try {
      assert.equal(differingPixels(await shot(page), standingA), 0, 'first picture stands');
      await page.clock.runFor(INTERVAL - 1);
      assert.deepEqual(await state(page), { state: 'standing', picture: '0', transition: undefined });

      await page.clock.runFor(1);
      if (name !== 'None') {
        await waitForState(page, (d) => d.state === 'moving');
        assert.equal((await state(page)).transition, String(t));
        // Frames at about 2, 25, 50, 75 and 98 %.
        const frames = [];
        for (const step of [20, 230, 250, 250, 230]) {
          await page.clock.runFor(step);
          frames.push(await shot(page));
        }
        const [early, ...middle] = frames, late = middle.pop();
        middle.forEach((f, i) => {
          const at = `${25 * (i + 1)}%`;
          assert.ok(differingPixels(f, standingA) > 0, `${at} differs from the first picture`);
          assert.ok(differingPixels(f, standingB) > 0, `${at} differs from the second picture`);
        });
        assert.ok(differingPixels(middle[0], middle[1]) > 0, '25% and 50% differ');
        assert.ok(differingPixels(middle[1], middle[2]) > 0, '50% and 75% differ');
        // No jump at either end: it leaves the first picture and arrives at the second.
        const near = (f, png) => differingPixels(f, png, 24);
        const [earlyA, earlyB, lateA, lateB] =
          [near(early, standingA), near(early, standingB), near(late, standingA), near(late, standingB)];
        assert.ok(earlyA * 3 < earlyB, `just after the start it is mostly the first picture (${earlyA} vs ${earlyB} pixels off)`);
        assert.ok(lateB * 3 < lateA, `just before the end it is mostly the second picture (${lateB} vs ${lateA} pixels off)`);
        await page.clock.runFor(40);
      }
      await waitForState(page, (d) => d.state === 'standing' && d.picture === '1');
      assert.equal(differingPixels(await shot(page), standingB), 0, 'second picture fully shown');
      assert.deepEqual(errors, []);
    } finally {
      await context.close();
    }
  });
});
