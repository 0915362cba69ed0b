// The native build's tools, and running them without a shell.
import {spawn} from 'node:child_process';
import {existsSync} from 'node:fs';
import path from 'node:path';

export function nativeTools(nativeBuildDir) {
  return {
    player: path.join(nativeBuildDir, 'src', 'velmorant'),
    med: path.join(nativeBuildDir, 'tools', 'velmorant-med'),
    bitmaps: path.join(nativeBuildDir, 'tests', 'golden', 'make_fixture_bitmaps'),
    compare: path.join(nativeBuildDir, 'tests', 'golden', 'compare_snapshots'),
    soundtrack: path.join(nativeBuildDir, 'tests', 'tools', 'soundtrack_wav'),
    demo: path.join(nativeBuildDir, 'examples', 'demo'),
  };
}

export function missingTools(tools, names) {
  return names.filter((name) => !existsSync(tools[name])).map((name) => tools[name]);
}

// Resolves to {status, stdout, stderr}; never rejects for a non-zero exit.
export function run(command, args, {cwd} = {}) {
  return new Promise((resolve, reject) => {
    const child = spawn(command, args, {cwd, stdio: ['ignore', 'pipe', 'pipe']});
    let stdout = '';
    let stderr = '';
    child.stdout.on('data', (chunk) => (stdout += chunk));
    child.stderr.on('data', (chunk) => (stderr += chunk));
    child.on('error', reject);
    child.on(
        'close',
        (status, signal) => resolve({status: status ?? `signal ${signal}`, stdout, stderr}));
  });
}

export async function runOrThrow(command, args, options) {
  const result = await run(command, args, options);
  if (result.status !== 0) {
    throw new Error(`${path.basename(command)} ${args.join(' ')} exited ${result.status}\n${
        result.stderr}${result.stdout}`);
  }
  return result;
}
