// What a golden case asks for and what it expects, read from tests/golden/cases/NAME the way
// run_golden.sh reads it, and the rules that make a browser run comparable with it.
import {existsSync, readdirSync, readFileSync} from 'node:fs';
import path from 'node:path';

// The player's command-line arguments of a case as the page's URL parameters.
export function argsToParams(args) {
  const params = new URLSearchParams();
  const valueOf = (name, index) => {
    if (index + 1 >= args.length) throw new Error(`${name} needs a value`);
    return args[index + 1];
  };
  for (let i = 0; i < args.length; i++) {
    const arg = args[i];
    if (arg === '--screen')
      params.set('screen', valueOf(arg, i++));
    else if (arg === '--answer')
      params.set('answer', valueOf(arg, i++));
    else if (arg === '--codepage')
      params.set('codepage', valueOf(arg, i++));
    else if (arg === '--no-launch')
      params.set('nolaunch', '1');
    else if (/^-?\d+$/.test(arg))
      params.set('interval', arg);
    else
      throw new Error(`no URL parameter for the argument "${arg}"`);
  }
  return params;
}

export function splitArgs(text) { return text.split(/\s+/).filter((word) => word !== ''); }

// Milliseconds of the virtual clock at which each `snapshot NAME` of a script is taken.
export function snapshotTimes(scriptText) {
  const times = new Map();
  let now = 0;
  for (const rawLine of scriptText.split('\n')) {
    const words = splitArgs(rawLine.replace(/#.*/, ''));
    if (words[0] === 'wait' && words.length > 1)
      now += Number.parseInt(words[1], 10) || 0;
    else if (words[0] === 'snapshot' && words.length > 1)
      times.set(`${words[1]}.png`, now);
  }
  return times;
}

// Log text with the page's presentation folder replaced by the token the committed logs use,
// in its native and wine Z: forms (backslashes doubled, as JSON writes them).
export const PAGE_SHOW_FOLDER = '/velmorant/show';
export function normaliseLog(logText) {
  const wineForm = 'Z:' + PAGE_SHOW_FOLDER.replaceAll('/', '\\\\');
  return logText.replaceAll(wineForm, 'Z:<show>').replaceAll(PAGE_SHOW_FOLDER, '<show>');
}

export function logLinesOf(text) { return text.split('\n').filter((line) => line !== ''); }

function eventOf(line) {
  try {
    return JSON.parse(line).event;
  } catch {
    return undefined;
  }
}

function timeOf(line) {
  try {
    return JSON.parse(line).t;
  } catch {
    return undefined;
  }
}

// For a case the browser can only partly play: the expected and actual log lines without the
// left-out events, and the snapshots taken before the first of them.
export function applyPartial(partial, expectedLines, actualLines, snapshotTimesByName) {
  if (!partial) return {expectedLines, actualLines, snapshotFilter: () => true};
  const leftOut = new Set(partial.leaveOutEvents);
  const kept = (line) => !leftOut.has(eventOf(line));
  const firstLeftOut = expectedLines.find((line) => !kept(line));
  const cutOff = firstLeftOut === undefined ? Infinity : timeOf(firstLeftOut);
  // What a film's end causes (the next page) follows the left-out events: cut there too.
  const before = (line) => !partial.cutAtFirst || !(timeOf(line) >= cutOff);
  return {
    expectedLines: expectedLines.filter((line) => kept(line) && before(line)),
    actualLines: actualLines.filter((line) => kept(line) && before(line)),
    snapshotFilter: (name) => (snapshotTimesByName.get(name) ?? Infinity) < cutOff,
  };
}

export function loadPartialCases(file) { return JSON.parse(readFileSync(file, 'utf8')); }

// Every case folder with a script, as run_golden.sh's CMake list takes them.
export function listCases(casesRoot) {
  return readdirSync(casesRoot, {withFileTypes: true})
      .filter(
          (entry) =>
              entry.isDirectory() && existsSync(path.join(casesRoot, entry.name, 'script.txt')))
      .map((entry) => entry.name)
      .sort();
}

export function readCase(casesRoot, name) {
  const dir = path.join(casesRoot, name);
  const optional = (file) =>
      (existsSync(path.join(dir, file)) ? readFileSync(path.join(dir, file), 'utf8') : null);
  const expectedDir = path.join(dir, 'expected');
  const script = readFileSync(path.join(dir, 'script.txt'), 'utf8');
  return {
    name,
    dir,
    script,
    args: splitArgs((optional('args') ?? '').split('\n')[0]),
    status: Number.parseInt((optional('status') ?? '0').trim(), 10),
    expectedLog: optional('expected/log.jsonl') ?? '',
    expectedSnapshots: existsSync(expectedDir) ?
        readdirSync(expectedDir).filter((file) => file.endsWith('.png')).sort() :
        [],
    expectedDir,
    snapshotTimes: snapshotTimes(script),
  };
}
