// A browser run of a golden case against the case's committed expectations: exit status, event
// log line for line, snapshots pixel for pixel (by the native compare tool). On a difference,
// the browser's pictures and a log diff are kept in the failures folder.
import {mkdir, writeFile} from 'node:fs/promises';
import path from 'node:path';

import {applyPartial, logLinesOf, normaliseLog} from './cases.mjs';
import {run} from './tools.mjs';

const PNG_DATA_URL = /^data:image\/png;base64,/;

export function decodePngDataUrl(dataUrl) {
  if (typeof dataUrl !== 'string' || !PNG_DATA_URL.test(dataUrl)) return null;
  return Buffer.from(dataUrl.replace(PNG_DATA_URL, ''), 'base64');
}

async function logDiff(expectedLines, actualLines, dir) {
  const expectedFile = path.join(dir, 'expected.log.jsonl');
  const actualFile = path.join(dir, 'actual.log.jsonl');
  await writeFile(expectedFile, expectedLines.map((line) => `${line}\n`).join(''));
  await writeFile(actualFile, actualLines.map((line) => `${line}\n`).join(''));
  const diff = await run('diff', ['-u', expectedFile, actualFile]);
  await writeFile(path.join(dir, 'log.diff'), diff.stdout);
  return diff.stdout;
}

// Resolves to a list of problems, empty when the run matches.
export async function compareWithExpected(
    {goldenCase, result, partial, compareTool, workDir, failureDir}) {
  const problems = [];
  const keep = [];
  if (!result || result.done !== true) problems.push('results() did not report done: true');
  if (result?.error) problems.push(`the page reported: ${result.error}`);
  if (result?.status !== goldenCase.status) {
    problems.push(`exit status ${result?.status}, expected ${goldenCase.status}`);
  }

  const {expectedLines, actualLines, snapshotFilter} = applyPartial(
      partial,
      logLinesOf(goldenCase.expectedLog),
      logLinesOf(normaliseLog(result?.log ?? '')),
      goldenCase.snapshotTimes,
  );
  const logDiffers = expectedLines.length !== actualLines.length ||
      expectedLines.some((line, i) => line !== actualLines[i]);
  if (logDiffers) keep.push({kind: 'log', expectedLines, actualLines});

  const snapshots = result?.snapshots ?? {};
  for (const name of goldenCase.expectedSnapshots) {
    if (!snapshotFilter(name)) continue;
    const bytes = decodePngDataUrl(snapshots[name]);
    if (!bytes) {
      problems.push(`snapshot ${name} was not returned as a PNG data URL`);
      continue;
    }
    const actualFile = path.join(workDir, `actual-${name}`);
    await writeFile(actualFile, bytes);
    const compared = await run(compareTool, [path.join(goldenCase.expectedDir, name), actualFile]);
    if (compared.status !== 0) {
      problems.push(`snapshot ${name} differs: ${(compared.stdout + compared.stderr).trim()}`);
      keep.push({kind: 'png', name, bytes});
    }
  }
  for (const name of Object.keys(snapshots)) {
    if (!goldenCase.expectedSnapshots.includes(name)) problems.push(`unexpected snapshot ${name}`);
  }

  if (keep.length > 0) {
    await mkdir(failureDir, {recursive: true});
    for (const item of keep) {
      if (item.kind === 'png')
        await writeFile(path.join(failureDir, item.name), item.bytes);
      else {
        const diff = await logDiff(item.expectedLines, item.actualLines, failureDir);
        problems.push(`event log differs:\n${diff.split('\n').slice(2, 22).join('\n')}`);
      }
    }
    problems.push(`the browser's pictures and log diff are in ${failureDir}`);
  }
  return problems;
}
