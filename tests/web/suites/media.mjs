// Every film and wave of the shared corpora decodes in the page to what it decodes to natively:
// the same program (tests/tools/media_hashes.cpp), built for both, prints the hashes of a film's
// first pictures (at its own size and scaled) and their sound, or of a wave's samples.
import {existsSync, readdirSync} from 'node:fs';
import {readFile} from 'node:fs/promises';
import path from 'node:path';

import {openPage} from '../lib/browser.mjs';
import {describeFailure} from '../lib/player_page.mjs';
import {run} from '../lib/tools.mjs';

const PICTURES = '3';
// Odd in both directions, smaller in one and larger in the other: the nearest-pixel scaling.
const SCALED = '97x131';

export function mediaTests(env) {
  const corpora =
      process.env.VELMORANT_CORPORA || path.resolve(env.repoRoot, '..', 'shared', 'corpora');
  return [
    {
      name: 'media: the corpus films',
      run: (browser) => compareCorpus(
          browser, env, path.join(corpora, 'avi'),
          (file) => [
              ['film', file, PICTURES],
              ['film', file, PICTURES, SCALED],
  ]),
    },
    {
      name: 'media: the corpus waves',
      run: (browser) => compareCorpus(
          browser, env, path.join(corpora, 'wav'),
          (file) => [
              ['wave', file],
  ]),
    },
  ];
}

async function compareCorpus(browser, env, dir, commandsFor) {
  if (!existsSync(dir)) {
    console.log(`     skipped: no corpus at ${dir} (VELMORANT_CORPORA names the folder)`);
    return [];
  }
  const nativeTool = path.join(env.nativeBuildDir, 'tests', 'tools', 'media_hashes');
  const webTool = path.join(`${env.playerDir}-tests`, 'media_hashes.js');
  for (const tool of [nativeTool, webTool]) {
    if (!existsSync(tool)) return [`${tool} is missing: build the native tests and make web`];
  }
  let opened;
  try {
    opened = await openPage(browser);
    const {page} = opened;
    await page.addScriptTag({path: webTool});
    await page.evaluate(async () => {
      const lines = [];
      const module = await window.createMediaHashes(
          {print: (line) => lines.push(line), printErr: (line) => lines.push(`stderr: ${line}`)});
      window.mediaHashes = {module, lines};
    });
    const problems = [];
    for (const name of readdirSync(dir).sort()) {
      const file = path.join(dir, name);
      const bytes = (await readFile(file)).toString('base64');
      for (const args of commandsFor(file)) {
        const native = await run(nativeTool, args);
        const expected = native.stdout.trimEnd().split('\n');
        const got = await page.evaluate(({bytes, args}) => {
          const {module, lines} = window.mediaHashes;
          lines.length = 0;
          module.FS.writeFile('/media', Uint8Array.from(atob(bytes), (c) => c.charCodeAt(0)));
          module.callMain(args);
          module.FS.unlink('/media');
          return [...lines];
        }, {bytes, args: args.map((arg) => (arg === file ? '/media' : arg))});
        const at = expected.findIndex((line, index) => line !== got[index]);
        if (native.status !== 0 || at >= 0 || got.length !== expected.length) {
          const line = at >= 0 ? at : Math.min(expected.length, got.length);
          problems.push(`${name} (${args.filter((arg) => arg !== file).join(' ')}): line ${
              line + 1} is "${got[line] ?? '(none)'}" in the page, "${
              expected[line] ?? '(none)'}" natively${native.stderr ? `\n${native.stderr}` : ''}`);
        }
      }
    }
    return problems;
  } catch (error) {
    return [describeFailure(error, opened?.consoleLines ?? [])];
  } finally {
    await opened?.context.close();
  }
}
