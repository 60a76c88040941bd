// Renders every transition at 25, 50 and 75 % into one PNG, so a person can
// see all of them at a glance. Usage:
//   SORVANE_WRITE_TEST_PAGE=<build>/tests/page/write_test_page \
//     node contact-sheet.mjs [out.png]      (default /tmp/sorvane-contact-sheet.png)
import fs from 'node:fs';
import path from 'node:path';
import {
  launch, openShow, pictureA, pictureB, shot, tempDir, transitionNames, waitForState, writeShow,
} from './browser/kit.mjs';

const out = path.resolve(process.argv[2] || '/tmp/sorvane-contact-sheet.png');
const W = 192, H = 128, INTERVAL = 4000, TRANSITION = 1000;
const names = transitionNames();
const dir = tempDir('sorvane-sheet-');
const browser = await launch();
const a = pictureA(W - 12, H - 12), b = pictureB(W - 12, H - 12);
const rows = [];
try {
  for (const [t, name] of names.entries()) {
    const url = writeShow(dir, {
      pictures: [{ name: 'a.png', bytes: a }, { name: 'b.png', transition: t, bytes: b }],
      color: '202830', duration: String(INTERVAL / 1000), page: `t${t}.html`,
    });
    const { page, context } = await openShow(browser, url, { width: W, height: H });
    await page.clock.runFor(INTERVAL);
    await waitForState(page, (d) => d.state !== 'waiting');
    const frames = [];
    for (let k = 0; k < 3; k++) {
      await page.clock.runFor(TRANSITION / 4);
      frames.push((await shot(page)).toString('base64'));
    }
    await context.close();
    rows.push({ t, name, frames });
  }
  const cells = rows.map(({ t, name, frames }) => `<figure><figcaption>${t} ${name}</figcaption>
    ${frames.map((f) => `<img src="data:image/png;base64,${f}">`).join('')}</figure>`).join('\n');
  const sheet = `<!DOCTYPE html><meta charset="utf-8"><style>
    body { margin: 8px; background: #fff; font: 13px sans-serif; display: grid;
           grid-template-columns: repeat(4, auto); gap: 6px 14px; width: max-content; }
    figure { margin: 0; } figcaption { font-weight: bold; margin: 2px 0; }
    img { width: ${W}px; height: ${H}px; margin-right: 3px; outline: 1px solid #999; }
  </style>${cells}`;
  const html = path.join(dir, 'sheet.html');
  fs.writeFileSync(html, sheet);
  const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
  const page = await context.newPage();
  await page.goto(`file://${html}`);
  await page.screenshot({ path: out, fullPage: true });
  console.log(`contact sheet: ${out}`);
} finally {
  await browser.close();
  fs.rmSync(dir, { recursive: true, force: true });
}
