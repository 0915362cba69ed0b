// The harness's own pieces: what it serves, how it reads cases and what it leaves out.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {mkdirSync, mkdtempSync, rmSync, symlinkSync, writeFileSync} from 'node:fs';
import {request} from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {after, describe, it} from 'node:test';

import {applyPartial, argsToParams, normaliseLog, snapshotTimes} from '../lib/cases.mjs';
import {serveFolder} from '../lib/server.mjs';
import {zipFolder} from '../lib/zip.mjs';

const scratch = mkdtempSync(path.join(os.tmpdir(), 'velmorant-web-units-'));
after(() => rmSync(scratch, {recursive: true, force: true}));

// A raw request: the path goes out exactly as written, dots and all.
function get(url, rawPath) {
  const {hostname, port} = new URL(url);
  return new Promise((resolve, reject) => {
    const req = request({hostname, port, path: rawPath}, (response) => {
      let body = '';
      response.on('data', (chunk) => (body += chunk));
      response.on(
          'end',
          () =>
              resolve({status: response.statusCode, type: response.headers['content-type'], body}));
    });
    req.on('error', reject);
    req.end();
  });
}

describe('static server', () => {
  const root = path.join(scratch, 'site');
  mkdirSync(path.join(root, 'show', 'Bitmapy'), {recursive: true});
  writeFileSync(path.join(scratch, 'secret.txt'), 'secret');
  writeFileSync(path.join(root, 'index.html'), '<p>page</p>');
  writeFileSync(path.join(root, 'velmorant.wasm'), 'wasm');
  writeFileSync(path.join(root, 'velmorant.js'), 'js');
  writeFileSync(path.join(root, 'show', 'Bitmapy', 'Tło 1.bmp'), 'bmp');
  symlinkSync(path.join(scratch, 'secret.txt'), path.join(root, 'leak.txt'));
  let server;
  after(() => server?.close());

  it('serves files with their types, names percent-encoded', async () => {
    server = await serveFolder(root);
    assert.equal((await get(server.url, '/velmorant.wasm')).type, 'application/wasm');
    assert.match((await get(server.url, '/velmorant.js')).type, /^text\/javascript/);
    assert.match((await get(server.url, '/')).body, /page/);
    const bitmap = await get(server.url, `/show/Bitmapy/${encodeURIComponent('Tło 1.bmp')}`);
    assert.equal(bitmap.status, 200);
    assert.equal(bitmap.body, 'bmp');
  });

  it('refuses every way out of the folder', async () => {
    server ??= await serveFolder(root);
    for (const rawPath
             of ['/../secret.txt', '/%2e%2e/secret.txt', '/show/..%2f..%2fsecret.txt',
                 '/show%5c..%5c..%5csecret.txt', '/leak.txt', '/%00', '/%zz']) {
      const response = await get(server.url, rawPath);
      assert.notEqual(response.status, 200, rawPath);
      assert.doesNotMatch(response.body, /secret/, rawPath);
    }
  });
});

describe('golden case reading', () => {
  it('maps every player argument a case uses to a URL parameter', () => {
    const params = argsToParams(
        ['--screen', '80x60x32', '--answer', 'no', '--codepage', '1251', '--no-launch', '2']);
    assert.equal(
        params.toString(), 'screen=80x60x32&answer=no&codepage=1251&nolaunch=1&interval=2');
    assert.throws(() => argsToParams(['--window', '10x10']), /--window/);
    assert.throws(() => argsToParams(['--screen']), /needs a value/);
  });

  it('names the page folder as the committed logs do, in both forms', () => {
    const log = '{"params":"/velmorant/show/a.txt","dir":"Z:\\\\velmorant\\\\show\\\\procesy"}';
    assert.equal(normaliseLog(log), '{"params":"<show>/a.txt","dir":"Z:<show>\\\\procesy"}');
    assert.equal(normaliseLog('/velmorant/shows'), '<show>s');
  });

  it('times snapshots by the waits before them, comments left out', () => {
    const times = snapshotTimes(
        'snapshot a\nwait 100 # wait 900\nclick 1 2\n# snapshot x\nwait 5\nsnapshot b  # later\n');
    assert.deepEqual([...times], [['a.png', 0], ['b.png', 105]]);
  });

  it('leaves out the events a case cannot play, and the pictures from the first of them on', () => {
    const expected = [
      '{"t":0,"event":"page","page":0}',
      '{"t":200,"event":"film","op":"play"}',
      '{"t":300,"event":"page","page":1}',
    ];
    const actual = [
      '{"t":0,"event":"page","page":0}', '{"t":300,"event":"page","page":1}',
      '{"t":301,"event":"sound"}'
    ];
    const times = new Map([['early.png', 199], ['at.png', 200], ['late.png', 500]]);
    const kept = applyPartial({leaveOutEvents: ['film', 'sound']}, expected, actual, times);
    assert.deepEqual(kept.expectedLines, kept.actualLines);
    assert.deepEqual(
        ['early.png', 'at.png', 'late.png', 'other.png'].filter(kept.snapshotFilter),
        ['early.png']);
    assert.equal(applyPartial(undefined, expected, actual, times).snapshotFilter('late.png'), true);
  });
});

describe('zip of a folder', () => {
  it('holds every file and folder, intact, under the folder name', async () => {
    const folder = path.join(scratch, 'show');
    mkdirSync(path.join(folder, 'puste'), {recursive: true});
    mkdirSync(path.join(folder, 'tła'), {recursive: true});
    writeFileSync(path.join(folder, 'info.med'), Buffer.alloc(5000, 7));
    writeFileSync(path.join(folder, 'tła', 'zółw.bmp'), 'BM');
    const zip = path.join(scratch, 'show.zip');
    await zipFolder(folder, zip, {prefix: 'show'});
    const listing =
        execFileSync('unzip', ['-Z1', zip], {encoding: 'utf8'}).split('\n').filter(Boolean);
    assert.deepEqual(
        listing, ['show/', 'show/info.med', 'show/puste/', 'show/tła/', 'show/tła/zółw.bmp']);
    execFileSync('unzip', ['-tq', zip]);
  });
});
