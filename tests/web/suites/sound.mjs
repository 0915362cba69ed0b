// Sounds in the page: a parity run's sound track, sample for sample the native one's, and a
// sound heard through the page's output once a viewer has clicked.
import {readFile} from 'node:fs/promises';
import path from 'node:path';

import {openPage} from '../lib/browser.mjs';
import {argsToParams, readCase} from '../lib/cases.mjs';
import {awaitResults, clickAt, describeFailure, waitForEvent} from '../lib/player_page.mjs';
import {buildShow, copyInto, makeWorkDir, publishSite, removeWorkDir} from '../lib/publish.mjs';
import {serveFolder} from '../lib/server.mjs';
import {missingTools, runOrThrow} from '../lib/tools.mjs';

const TRACK_CASES = ['sounds_carry', 'film_end'];

export function soundTests(env) {
  const casesRoot = path.join(env.repoRoot, 'tests', 'golden', 'cases');
  const tracks =
      TRACK_CASES.filter((name) => !env.only || env.only.includes(name))
          .map((name) => ({
                 name: `sound track of ${name} as native`,
                 run: (browser) => withSite(
                     env, readCase(casesRoot, name), (site) => compareTrack(browser, env, site)),
               }));
  return [
    ...tracks, {
      name: 'sound: a click, then music through Web Audio',
      run: (browser) =>
          withSite(env, readCase(casesRoot, 'sounds_carry'), (site) => hearMusic(browser, site)),
    }
  ];
}

async function withSite(env, goldenCase, body) {
  const workDir = await makeWorkDir(`sound-${goldenCase.name}`);
  const site = {goldenCase, workDir, showDir: path.join(workDir, 'show')};
  const siteDir = path.join(workDir, 'site');
  try {
    await buildShow(env.tools, goldenCase.dir, site.showDir);
    await publishSite(env.tools, site.showDir, siteDir, env.playerDir);
    await copyInto(path.join(goldenCase.dir, 'script.txt'), siteDir);
    site.server = await serveFolder(siteDir);
    return await body(site);
  } finally {
    await site.server?.close();
    await removeWorkDir(workDir);
  }
}

function dataUrlBytes(url) {
  const prefix = 'data:audio/wav;base64,';
  if (typeof url !== 'string' || !url.startsWith(prefix)) return null;
  return Buffer.from(url.slice(prefix.length), 'base64');
}

async function compareTrack(browser, env, {goldenCase, workDir, showDir, server}) {
  const missing = missingTools(env.tools, ['soundtrack']);
  if (missing.length > 0) return [`the native build lacks ${missing.join(', ')}`];
  const nativeWav = path.join(workDir, 'native.wav');
  await runOrThrow(env.tools.soundtrack, [
    nativeWav,
    '--headless',
    '-p',
    showDir,
    '--script',
    path.join(goldenCase.dir, 'script.txt'),
    '--snapshots',
    workDir,
    ...goldenCase.args,
  ]);
  const expected = await readFile(nativeWav);
  const params = argsToParams(goldenCase.args);
  params.set('script', 'script.txt');
  params.set('soundtrack', '1');
  const opened = await openPage(browser);
  try {
    await opened.page.goto(`${server.url}index.html?${params}`);
    let result;
    try {
      result = await awaitResults(opened.page);
    } catch (error) {
      return [describeFailure(error, opened.consoleLines)];
    }
    const actual = dataUrlBytes(result.soundtrack);
    if (!actual)
      return [`results() has no WAV sound track: ${String(result.soundtrack).slice(0, 40)}`];
    // A silent track would equal a silent one: the case's sounds must be in it.
    if (!expected.subarray(44).some((byte) => byte !== 0)) return ['the native track is silent'];
    if (actual.equals(expected)) return [];
    let at = 0;
    while (at < actual.length && actual[at] === expected[at]) at++;
    return [`the page's track (${actual.length} bytes) differs from the native one (${
        expected.length} bytes) from byte ${at} on`];
  } finally {
    await opened.context.close();
  }
}

async function hearMusic(browser, {server}) {
  const opened = await openPage(browser);
  const {page} = opened;
  try {
    await page.goto(`${server.url}index.html?fullscreen=0`);
    // The first screen starts the music as it opens.
    await waitForEvent(page, {event: 'page', page: 0});
    await waitForEvent(page, {event: 'sound', file: 'dzwieki/music.wav', result: true});
    await clickAt(page, 70, 50);
    await page.waitForFunction(() => window.velmorant.sounding() === 1, null, {timeout: 30_000});
    return [];
  } catch (error) {
    return [describeFailure(error, opened.consoleLines)];
  } finally {
    await opened.context.close();
  }
}
