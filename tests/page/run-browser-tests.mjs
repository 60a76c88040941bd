// Runs the page's browser tests with node's test runner, or skips them (exit
// 77, which CTest reports as skipped) when Chromium or playwright-core is not
// installed. Arguments: the test files to run (default: all of browser/).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const chromium = process.env.SORVANE_CHROMIUM || '/usr/bin/chromium';
const SKIP = 77;

if (!fs.existsSync(chromium)) {
  console.log(`SKIP: ${chromium} is missing; install the Debian package "chromium".`);
  process.exit(SKIP);
}
if (!fs.existsSync(path.join(here, 'node_modules', 'playwright-core'))) {
  console.log(`SKIP: playwright-core is not installed; run "npm ci" in ${here}.`);
  process.exit(SKIP);
}

const files = process.argv.slice(2);
const tests = files.length ? files
  : fs.readdirSync(path.join(here, 'browser')).filter((f) => f.endsWith('.test.mjs'))
    .map((f) => path.join(here, 'browser', f));
const run = spawnSync(process.execPath, ['--test', '--test-reporter=spec', ...tests],
  { stdio: 'inherit' });
process.exit(run.status ?? 1);
