// The harness checked against the stand-in player: canned answers equal to a golden case's
// committed ones must pass, and each kind of difference must fail and be kept to look at.
// Needs VELMORANT_NATIVE_BUILD (a native build with velmorant, velmorant-med, make_fixture_bitmaps
// and compare_snapshots); sites are published by the real `velmorant-med web`.
import assert from 'node:assert/strict';
import {cpSync, existsSync, readFileSync, writeFileSync} from 'node:fs';
import {mkdtemp, rm} from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import {after, before, describe, it} from 'node:test';

import {launchBrowser} from '../lib/browser.mjs';
import {argsToParams, readCase} from '../lib/cases.mjs';
import {buildShow} from '../lib/publish.mjs';
import {nativeTools, runOrThrow} from '../lib/tools.mjs';
import {goldenTests} from '../suites/golden.mjs';
import {pickerTests} from '../suites/picker.mjs';
import {REALTIME_FIXTURE, regionPoint} from '../suites/realtime.mjs';

const HERE = path.dirname(new URL(import.meta.url).pathname);
const REPO = path.resolve(HERE, '..', '..', '..');
const CASES = path.join(REPO, 'tests', 'golden', 'cases');
const nativeBuild = process.env.VELMORANT_NATIVE_BUILD;

// The committed results of a case as the page would return them: the log names the page's
// folder where the committed one has the token.
function cannedResult(name, {status, dropEvents = [], dropSnapshots = []} = {}) {
  const goldenCase = readCase(CASES, name);
  const log =
      goldenCase.expectedLog.split('\n')
          .filter((line) => !dropEvents.some((event) => line.includes(`"event":"${event}"`)))
          .join('\n')
          .replaceAll('Z:<show>', 'Z:\\\\velmorant\\\\show')
          .replaceAll('<show>', '/velmorant/show');
  const snapshots = {};
  for (const png of goldenCase.expectedSnapshots) {
    if (dropSnapshots.includes(png)) continue;
    const bytes = readFileSync(path.join(goldenCase.expectedDir, png));
    snapshots[png] = `data:image/png;base64,${bytes.toString('base64')}`;
  }
  const expectParams = Object.fromEntries(argsToParams(goldenCase.args));
  expectParams.script = 'script.txt';
  return {expectParams, result: {done: true, status: status ?? goldenCase.status, log, snapshots}};
}

describe(
    'golden harness against a stand-in player',
    {skip: !nativeBuild && 'VELMORANT_NATIVE_BUILD is not set'}, () => {
      let browser;
      let scratch;
      const tools = nativeBuild ? nativeTools(path.resolve(nativeBuild)) : null;

      before(async () => {
        browser = await launchBrowser();
        scratch = await mkdtemp(path.join(os.tmpdir(), 'velmorant-web-selftest-'));
      });
      after(async () => {
        await browser?.close();
        await rm(scratch, {recursive: true, force: true});
      });

      let runs = 0;
      async function runWithCanned(caseName, canned) {
        const playerDir = path.join(scratch, `player-${runs++}`);
        cpSync(path.join(HERE, 'stub-player'), playerDir, {recursive: true});
        writeFileSync(path.join(playerDir, 'canned.json'), JSON.stringify(canned));
        const env = {
          playerDir,
          tools,
          repoRoot: REPO,
          failuresRoot: path.join(scratch, `failures-${runs}`),
          only: [caseName],
        };
        const [test] = goldenTests(env);
        return {problems: await test.run(browser), failuresRoot: env.failuresRoot};
      }

      it('passes a case whose page returns the committed log and snapshots', async () => {
        const {problems} = await runWithCanned('navigation', cannedResult('navigation'));
        assert.deepEqual(problems, []);
      });

      it('passes a case whose log names the presentation folder', async () => {
        const {problems} = await runWithCanned('no_launch', cannedResult('no_launch'));
        assert.deepEqual(problems, []);
      });

      it('fails on one changed pixel and keeps the browser picture', async () => {
        const canned = cannedResult('navigation');
        canned.alterPixel = {name: 'p1.png', x: 7, y: 5};
        const {problems, failuresRoot} = await runWithCanned('navigation', canned);
        assert.ok(
            problems.some((problem) => problem.startsWith('snapshot p1.png differs')),
            problems.join('\n'));
        assert.equal(problems.filter((problem) => problem.startsWith('snapshot')).length, 1);
        assert.ok(existsSync(path.join(failuresRoot, 'navigation', 'p1.png')));
      });

      it('fails on another exit status', async () => {
        const {problems} =
            await runWithCanned('navigation', cannedResult('navigation', {status: 1}));
        assert.deepEqual(problems, ['exit status 1, expected 0']);
      });

      it('fails on a missing log line and keeps the diff', async () => {
        const canned = cannedResult('navigation', {dropEvents: ['end']});
        const {problems, failuresRoot} = await runWithCanned('navigation', canned);
        assert.ok(
            problems.some((problem) => problem.startsWith('event log differs')),
            problems.join('\n'));
        assert.match(
            readFileSync(path.join(failuresRoot, 'navigation', 'log.diff'), 'utf8'),
            /^-.*"event":"end"/m);
      });

      it('fails on a missing and on an unexpected snapshot', async () => {
        const missing = await runWithCanned(
            'navigation', cannedResult('navigation', {dropSnapshots: ['p2.png']}));
        assert.deepEqual(missing.problems, ['snapshot p2.png was not returned as a PNG data URL']);
        const canned = cannedResult('navigation');
        canned.result.snapshots['extra.png'] = canned.result.snapshots['p0.png'];
        const extra = await runWithCanned('navigation', canned);
        assert.deepEqual(extra.problems, ['unexpected snapshot extra.png']);
      });

      it('maps the case arguments to URL parameters the page is opened with', async () => {
        const canned = cannedResult('display_declined');
        canned.expectParams.answer = 'yes';
        const {problems} = await runWithCanned('display_declined', canned);
        assert.ok(
            problems.some((problem) => problem.startsWith('exit status 99')), problems.join('\n'));
      });

      it('passes a partly played case without its film events and the pictures after them',
         async () => {
           const later = ['again.png', 'stays.png', 'still_third.png', 'stopped.png', 'third.png'];
           const canned = cannedResult(
               'film_delay_pause', {dropEvents: ['film', 'sound'], dropSnapshots: later});
           const {problems} = await runWithCanned('film_delay_pause', canned);
           assert.deepEqual(problems, []);
         });

      it('still compares the pictures a partly played case takes before its first film',
         async () => {
           const canned = cannedResult('film_delay_pause', {dropEvents: ['film']});
           canned.alterPixel = {name: 'not_yet.png', x: 0, y: 0};
           const {problems} = await runWithCanned('film_delay_pause', canned);
           assert.ok(
               problems.some((problem) => problem.startsWith('snapshot not_yet.png differs')),
               problems.join('\n'));
         });

      it('gives a folder and a zip to the chooser inputs', async () => {
        const playerDir = path.join(scratch, 'player-picker');
        cpSync(path.join(HERE, 'stub-player'), playerDir, {recursive: true});
        const env =
            {playerDir, tools, repoRoot: REPO, failuresRoot: path.join(scratch, 'failures-picker')};
        for (const test of pickerTests(env))
          assert.deepEqual(await test.run(browser), [], test.name);
      });

      it('has a real-time fixture that logs, natively, each event the scenario waits on',
         async () => {
           const show = path.join(scratch, 'realtime-show');
           await buildShow(tools, REALTIME_FIXTURE, show);
           const script = path.join(REALTIME_FIXTURE, 'script.txt');
           const {stdout} = await runOrThrow(tools.player, [
             '--headless', '-p', show, '--script', script, '--screen', '200x150x32', '--log', '-'
           ]);
           const point = regionPoint({width: 200, height: 150});
           assert.match(
               readFileSync(script, 'utf8'), new RegExp(`^move ${point.x} ${point.y}$`, 'm'));
           const steps = stdout.split('\n')
                             .filter(Boolean)
                             .map((line) => JSON.parse(line))
                             .filter((entry) => entry.event !== 'sound' && entry.op !== 'hide')
                             .map((entry) => [entry.event, entry.page ?? entry.text ?? null]);
           assert.deepEqual(steps, [
             ['loaded', null], ['page', 0], ['hint', 'Dalej: następna strona'], ['page', 1],
             ['page', 2], ['page', 3], ['end', null]
           ]);
         });
    });
