// The browser tests: node run.mjs WEB_PLAYER_DIR NATIVE_BUILD_DIR [--only
// golden|realtime|picker|demo|sound|shell|media]...
//   [--case NAME]...  Prints one line per test and a closing count; exit status 1 on any failure.
import {existsSync} from 'node:fs';
import path from 'node:path';

import {runTests} from './lib/runner.mjs';
import {missingTools, nativeTools} from './lib/tools.mjs';
import {demoTests} from './suites/demo.mjs';
import {goldenTests} from './suites/golden.mjs';
import {mediaTests} from './suites/media.mjs';
import {pickerTests} from './suites/picker.mjs';
import {realtimeTests} from './suites/realtime.mjs';
import {soundTests} from './suites/sound.mjs';
import {shellTests} from './suites/shell.mjs';

const HERE = path.dirname(new URL(import.meta.url).pathname);
const SUITES = {
  golden: goldenTests,
  realtime: realtimeTests,
  picker: pickerTests,
  demo: demoTests,
  sound: soundTests,
  shell: shellTests,
  media: mediaTests,
};

function usage(message) {
  console.error(`${
      message}\nusage: node run.mjs WEB_PLAYER_DIR NATIVE_BUILD_DIR [--only SUITE]... [--case NAME]...`);
  process.exit(2);
}

const positional = [];
const suites = [];
const cases = [];
const argv = process.argv.slice(2);
for (let i = 0; i < argv.length; i++) {
  if (argv[i] === '--only')
    suites.push(argv[++i]);
  else if (argv[i] === '--case')
    cases.push(argv[++i]);
  else if (argv[i] === '--help' || argv[i] === '-h')
    usage('The browser tests of the web player.');
  else
    positional.push(argv[i]);
}
if (positional.length !== 2) usage('expected WEB_PLAYER_DIR and NATIVE_BUILD_DIR');
for (const suite of suites)
  if (!SUITES[suite]) usage(`no suite "${suite}"`);

const [playerDir, nativeBuildDir] = positional.map((dir) => path.resolve(dir));
if (!existsSync(path.join(playerDir, 'index.html'))) {
  console.error(`no web player in ${playerDir} (index.html is missing): build it first (make web)`);
  process.exit(1);
}
const tools = nativeTools(nativeBuildDir);
const missing = missingTools(tools, ['med', 'bitmaps', 'compare']);
if (missing.length > 0) {
  console.error(
      `the native build in ${nativeBuildDir} lacks ${missing.join(', ')}: build it first`);
  process.exit(1);
}

const env = {
  playerDir,
  nativeBuildDir,
  tools,
  repoRoot: path.resolve(HERE, '..', '..'),
  failuresRoot: path.resolve(process.env.VELMORANT_WEB_FAILURES ?? '/tmp/velmorant-web-failures'),
  only: cases.length > 0 ? cases : null,
};
const chosen = suites.length > 0 ? suites : Object.keys(SUITES);
const tests = chosen.flatMap((suite) => SUITES[suite](env));
const started = performance.now();
const outcomes = await runTests(tests, {parallel: 2});
const failed = outcomes.filter((outcome) => outcome.problems.length > 0).length;
const seconds = ((performance.now() - started) / 1000).toFixed(1);
if (failed > 0) console.log(`failures are kept under ${env.failuresRoot}`);
console.log(`browser tests took ${seconds} s`);
console.log(`web: ${outcomes.length - failed} passed, ${failed} failed`);
process.exit(failed > 0 ? 1 : 0);
