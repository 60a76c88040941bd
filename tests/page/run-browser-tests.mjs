// Runs the page's browser tests with node's test runner, or skips them (exit
// 77, which CTest reports as skipped) when the npm packages are not installed.
// Each test leaves out, with a message, an engine that is not installed.
// Arguments: the test files to run (default: all of browser/).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const SKIP = 77;

for (const module of ['playwright-core', 'puppeteer-core']) {
  if (!fs.existsSync(path.join(here, 'node_modules', module))) {
    console.log(`SKIP: ${module} is not installed; run "npm ci" in ${here}.`);
    // Under CI the suite relies on them: a failure, not a skip.
    process.exit(process.env.CI && process.env.CI !== 'false' ? 1 : SKIP);
  }
}

const files = process.argv.slice(2);
const tests = files.length ? files
  : fs.readdirSync(path.join(here, 'browser')).filter((f) => f.endsWith('.test.mjs'))
    .map((f) => path.join(here, 'browser', f));
const run = spawnSync(process.execPath, ['--test', '--test-reporter=spec', ...tests],
  { stdio: 'inherit' });
process.exit(run.status ?? 1);
