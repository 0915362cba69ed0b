// Presentation folders made the way run_golden.sh makes them, and sites published from them.
import {existsSync} from 'node:fs';
import {cp, mkdir, mkdtemp, rm} from 'node:fs/promises';
import os from 'node:os';
import path from 'node:path';

import {runOrThrow} from './tools.mjs';

export async function makeWorkDir(prefix) {
  return mkdtemp(path.join(os.tmpdir(), `velmorant-web-${prefix}-`));
}

export async function removeWorkDir(dir) { await rm(dir, {recursive: true, force: true}); }

// info.med from presentation.json, bitmaps from bitmaps.txt, and files/ copied as they are
// (links stay links: cp -r keeps them, and the publisher decides about them).
export async function buildShow(tools, caseDir, showDir) {
  await mkdir(showDir, {recursive: true});
  await runOrThrow(
      tools.med,
      ['build', path.join(caseDir, 'presentation.json'), '-o', path.join(showDir, 'info.med')]);
  const bitmapList = path.join(caseDir, 'bitmaps.txt');
  if (existsSync(bitmapList)) await runOrThrow(tools.bitmaps, [bitmapList, showDir]);
  const files = path.join(caseDir, 'files');
  if (existsSync(files)) await runOrThrow('cp', ['-r', `${files}/.`, `${showDir}/`]);
}

export async function publishSite(tools, showDir, siteDir, playerDir, extraArgs = []) {
  await runOrThrow(tools.med, ['web', showDir, siteDir, '--player', playerDir, ...extraArgs]);
}

export async function copyInto(file, dir) { await cp(file, path.join(dir, path.basename(file))); }
