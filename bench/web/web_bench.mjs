// The figures printed by run_web_bench.sh. Times are medians of a few runs; the page measures
// its own times with performance.now() (from navigation start).
import {readFileSync, writeFileSync} from 'node:fs';
import {copyFile, readdir, readFile, writeFile} from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';
import {brotliCompressSync, constants, gzipSync} from 'node:zlib';

import {launchBrowser, openPage} from '../../tests/web/lib/browser.mjs';
import {awaitResults, waitForEvent} from '../../tests/web/lib/player_page.mjs';
import {buildShow, makeWorkDir, publishSite, removeWorkDir} from '../../tests/web/lib/publish.mjs';
import {serveFolder} from '../../tests/web/lib/server.mjs';
import {nativeTools, runOrThrow} from '../../tests/web/lib/tools.mjs';

const [playerDir, nativeBuildDir, changesArg, filmBenchDir] =
    process.argv.slice(2).map((arg, i) => (i === 2 ? arg : arg && path.resolve(arg)));
const pageChanges = Number.parseInt(changesArg, 10);
const tools = nativeTools(nativeBuildDir);
const REPEATS = 3;
const FULL_HD = {
  width: 1920,
  height: 1080
};

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;

function printSizes() {
  for (const file of ['velmorant.wasm', 'velmorant.js']) {
    const bytes = readFileSync(path.join(playerDir, file));
    const gzip = gzipSync(bytes, {level: 9}).length;
    const brotli =
        brotliCompressSync(bytes, {params: {[constants.BROTLI_PARAM_QUALITY]: 11}}).length;
    console.log(`${file}: ${kib(bytes.length)}, gzip -9 ${kib(gzip)}, brotli 11 ${kib(brotli)}`);
  }
}

// Records, inside the page, when the first page event shows up in the log.
const FIRST_PAGE_PROBE = () => {
  const probe = setInterval(() => {
    const lines = window.velmorant?.logLines?.() ?? [];
    if (lines.some((line) => line.includes('"event":"page"'))) {
      window.__firstPageMs = performance.now();
      clearInterval(probe);
    }
  }, 1);
};

async function timeToFirstPage(browser, siteDir) {
  const server = await serveFolder(siteDir);
  const times = [];
  try {
    for (let i = 0; i < REPEATS; i++) {
      const {context, page} = await openPage(browser);
      await page.addInitScript(FIRST_PAGE_PROBE);
      await page.goto(`${server.url}index.html?fullscreen=0`);
      await waitForEvent(page, {event: 'page'}, {timeout: 120_000});
      await page.waitForFunction(() => window.__firstPageMs !== undefined);
      times.push(await page.evaluate(() => window.__firstPageMs));
      await context.close();
    }
  } finally {
    await server.close();
  }
  return median(times);
}

// Four full-HD backgrounds walked forward and back by Enter and Backspace.
function writeFullHdFixture(dir, changes) {
  const presentation = {
    edition: 'g',
    TMedia: [0, 1, 2, 3].map((screen) => ({Screen: screen})),
    TEkrany: [0, 1, 2, 3].map((background) => ({Background: background, Keys: [0, 1, 2]})),
    TTla: [0, 1, 2, 3].map((i) => ({FileName: `hd${i}.bmp`})),
  };
  writeFileSync(path.join(dir, 'presentation.json'), JSON.stringify(presentation));
  const colours = ['204060 A0C0E0', 'CC0000 00AA00', '000088 888800', 'FFFFFF 101010'];
  writeFileSync(
      path.join(dir, 'bitmaps.txt'),
      colours
          .map((pair, i) => `tla/hd${i}.bmp ${FULL_HD.width} ${FULL_HD.height} vgradient ${pair}\n`)
          .join(''),
  );
  const steps = [];
  for (let i = 0; i < changes; i++) steps.push(Math.floor(i / 3) % 2 === 0 ? 'key 13' : 'key 8');
  writeFileSync(path.join(dir, 'changes.txt'), `${steps.join('\n')}\nwait 10\n`);
  writeFileSync(path.join(dir, 'idle.txt'), 'wait 10\n');
}

async function nativeRun(showDir, script) {
  const started = performance.now();
  await runOrThrow(
      tools.player, ['--headless', '-p', showDir, '--script', script, '--screen', '1920x1080x32']);
  return performance.now() - started;
}

// Navigation to results(), measured in the page; the site is served with both scripts.
async function browserRun(browser, serverUrl, script) {
  const {context, page} = await openPage(browser, FULL_HD);
  await page.goto(`${serverUrl}index.html?script=${script}&screen=1920x1080x32`);
  await awaitResults(page);
  const elapsed = await page.evaluate(() => performance.now());
  const memory = await peakMemory(page);
  await context.close();
  return {elapsed, memory};
}

async function descendants(pid) {
  const parents = new Map();
  for (const entry of await readdir('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    const stat = await readFile(`/proc/${entry}/stat`, 'utf8').catch(() => '');
    const ppid = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
    parents.set(Number(entry), ppid);
  }
  const found = [];
  const walk = (parent) => {
    for (const [child, ppid] of parents)
      if (ppid === parent) found.push(child), walk(child);
  };
  walk(pid);
  return found;
}

// The renderers' peak resident size from /proc (VmHWM), with the page's own estimate beside it
// where the browser gives one.
async function peakMemory(page) {
  let vmHwmKib = 0;
  // playwright-core starts chromium from this process, so its renderers descend from it.
  for (const pid of await descendants(process.pid)) {
    const cmdline = await readFile(`/proc/${pid}/cmdline`, 'utf8').catch(() => '');
    if (!cmdline.includes('--type=renderer')) continue;
    const status = await readFile(`/proc/${pid}/status`, 'utf8').catch(() => '');
    const match = /VmHWM:\s+(\d+) kB/.exec(status);
    if (match) vmHwmKib = Math.max(vmHwmKib, Number(match[1]));
  }
  const userAgentBytes =
      await page
          .evaluate(
              async () =>
                  (self.crossOriginIsolated ?
                       (await performance.measureUserAgentSpecificMemory()).bytes :
                       null))
          .catch(() => null);
  return {vmHwmKib, userAgentBytes};
}

async function pageChangeFigures(browser) {
  const workDir = await makeWorkDir('bench');
  try {
    const fixture = path.join(workDir, 'fixture');
    const showDir = path.join(workDir, 'show');
    const siteDir = path.join(workDir, 'site');
    await runOrThrow('mkdir', ['-p', fixture]);
    writeFullHdFixture(fixture, pageChanges);
    await buildShow(tools, fixture, showDir);
    await publishSite(tools, showDir, siteDir, playerDir);
    for (const script of ['changes.txt', 'idle.txt'])
      await runOrThrow('cp', [path.join(fixture, script), siteDir]);

    const nativeIdle =
        median(await repeat(() => nativeRun(showDir, path.join(fixture, 'idle.txt'))));
    const nativeBusy =
        median(await repeat(() => nativeRun(showDir, path.join(fixture, 'changes.txt'))));
    const server = await serveFolder(siteDir);
    let browserIdle;
    let browserBusy;
    let memory;
    try {
      browserIdle = median((await repeat(() => browserRun(browser, server.url, 'idle.txt')))
                               .map((run) => run.elapsed));
      const busyRuns = await repeat(() => browserRun(browser, server.url, 'changes.txt'));
      browserBusy = median(busyRuns.map((run) => run.elapsed));
      memory = busyRuns.at(-1).memory;
    } finally {
      await server.close();
    }
    const nativePerChange = (nativeBusy - nativeIdle) / pageChanges;
    const browserPerChange = (browserBusy - browserIdle) / pageChanges;
    console.log(
        `page changes at 1920x1080, ${pageChanges} by script, wall time minus an idle run:`);
    console.log(`  native:  ${nativePerChange.toFixed(2)} ms a change (busy ${
        nativeBusy.toFixed(0)} ms, idle ${nativeIdle.toFixed(0)} ms)`);
    console.log(`  browser: ${browserPerChange.toFixed(2)} ms a change (busy ${
        browserBusy.toFixed(0)} ms, idle ${browserIdle.toFixed(0)} ms)`);
    console.log(`  browser / native: ${(browserPerChange / nativePerChange).toFixed(2)}`);
    console.log(`peak memory of the tab after the full-HD run: renderer VmHWM ${
        (memory.vmHwmKib / 1024).toFixed(1)} MiB (from /proc)`);
    if (memory.userAgentBytes !== null) {
      console.log(`  performance.measureUserAgentSpecificMemory(): ${
          (memory.userAgentBytes / 1048576).toFixed(1)} MiB`);
    }
  } finally {
    await removeWorkDir(workDir);
  }
}

async function repeat(action) {
  const results = [];
  for (let i = 0; i < REPEATS; i++) results.push(await action());
  return results;
}

async function firstPageFigures(browser) {
  const workDir = await makeWorkDir('bench-first');
  try {
    const demoSite = path.join(workDir, 'demo');
    await publishSite(tools, tools.demo, demoSite, playerDir);
    console.log(`navigation to the first page composed (demo): ${
        (await timeToFirstPage(browser, demoSite)).toFixed(0)} ms`);
  } finally {
    await removeWorkDir(workDir);
  }
}

// The native benchmark's figure for its 720p MPEG-4 film, which it writes where the browser's
// run then reads it.
async function nativeFilmShare() {
  const bench = path.join(nativeBuildDir, 'bench', 'bench_media');
  const {stdout} = await runOrThrow(
      bench, ['--benchmark_filter=BM_FilmDecodeAndDraw/2$', '--benchmark_format=json']);
  const run = JSON.parse(stdout).benchmarks[0];
  return run.core_share;
}

const FILM_BENCH_PAGE = `<!doctype html><meta charset="utf-8"><script src="velmorant-film-bench.js"></script>
<script>
window.filmBench = (async () => {
  const lines = [];
  const module = await createFilmBench({print: (line) => lines.push(line), printErr: (line) => lines.push(line)});
  const film = new Uint8Array(await (await fetch('film.avi')).arrayBuffer());
  module.FS.writeFile('/film.avi', film);
  module.callMain(['/film.avi', '3']);
  return lines.join('\\n');
})();
</script>`;

async function filmFigures(browser) {
  if (!filmBenchDir) {
    console.log('film decoding: skipped (no film bench module built)');
    return;
  }
  const native = await nativeFilmShare();
  const film = path.join(process.env.TMPDIR || os.tmpdir(), 'velmorant-bench-media', 'mpeg4.avi');
  const workDir = await makeWorkDir('bench-film');
  try {
    for (const file of ['velmorant-film-bench.js', 'velmorant-film-bench.wasm'])
      await copyFile(path.join(filmBenchDir, file), path.join(workDir, file));
    await copyFile(film, path.join(workDir, 'film.avi'));
    await writeFile(path.join(workDir, 'index.html'), FILM_BENCH_PAGE);
    const server = await serveFolder(workDir);
    let output;
    try {
      const {context, page} = await openPage(browser);
      await page.goto(`${server.url}index.html`);
      output = await page.evaluate(() => window.filmBench);
      await context.close();
    } finally {
      await server.close();
    }
    const match = /core_share=([\d.]+)/.exec(output);
    if (!match) throw new Error(`the film bench printed no figure: ${output}`);
    const browserShare = Number(match[1]);
    console.log('1280x720 MPEG-4 film decoded and drawn, share of one core over its length:');
    console.log(`  native:  ${(native * 100).toFixed(1)} % (bench_media BM_FilmDecodeAndDraw/2)`);
    console.log(`  browser: ${(browserShare * 100).toFixed(1)} % (${output.trim()})`);
    console.log(`  browser / native: ${(browserShare / native).toFixed(2)}`);
  } finally {
    await removeWorkDir(workDir);
  }
}

printSizes();
const browser = await launchBrowser();
try {
  await firstPageFigures(browser);
  await pageChangeFigures(browser);
  await filmFigures(browser);
} finally {
  await browser.close();
}
