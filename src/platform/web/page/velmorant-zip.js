// Reads a .zip of a presentation in the browser: stored and deflated entries, names confined
// like every asset name, the sizes counted against a budget before anything is inflated.
'use strict';
(function () {
  const kEndOfDirectory = 0x06054b50;
  const kDirectoryEntry = 0x02014b50;
  const kLocalHeader = 0x04034b50;

  function findEnd(view) {
    // The end record sits in the last 64 KiB + 22 bytes (its comment may be that long).
    const stop = Math.max(0, view.byteLength - 65557);
    for (let at = view.byteLength - 22; at >= stop; at--) {
      if (view.getUint32(at, true) === kEndOfDirectory) return at;
    }
    throw new Error('to nie jest archiwum .zip (no end of central directory)');
  }

  function decodeName(bytes, utf8, codepage) {
    if (utf8) return new TextDecoder('utf-8').decode(bytes);
    try {
      return new TextDecoder('utf-8', {fatal: true}).decode(bytes);
    } catch (e) {
      // Archives of the period name their files in the system's code page.
      return new TextDecoder('windows-' + codepage).decode(bytes);
    }
  }

  async function inflate(bytes, expected) {
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
    const reader = stream.getReader();
    const out = new Uint8Array(expected);
    let filled = 0;
    for (;;) {
      const {done, value} = await reader.read();
      if (done) break;
      if (filled + value.length > expected) {
        await reader.cancel();
        throw new Error('an entry inflates past its stated size');
      }
      out.set(value, filled);
      filled += value.length;
    }
    if (filled !== expected) throw new Error('an entry inflates short of its stated size');
    return out;
  }

  // [{name, data}] for every file of the archive; folders are implied by the names.
  async function readZip(blob, {budget, confine, codepage = 1250}) {
    const buffer = new Uint8Array(await blob.arrayBuffer());
    const view = new DataView(buffer.buffer, buffer.byteOffset, buffer.byteLength);
    const end = findEnd(view);
    const count = view.getUint16(end + 10, true);
    let at = view.getUint32(end + 16, true);
    if (count === 0xffff || at === 0xffffffff) throw new Error('ZIP64 archives are not read');
    const entries = [];
    let total = 0;
    for (let i = 0; i < count; i++) {
      if (at + 46 > buffer.length || view.getUint32(at, true) !== kDirectoryEntry) {
        throw new Error('the central directory is damaged');
      }
      const flags = view.getUint16(at + 8, true);
      const method = view.getUint16(at + 10, true);
      const packed = view.getUint32(at + 20, true);
      const size = view.getUint32(at + 24, true);
      const nameLength = view.getUint16(at + 28, true);
      const extraLength = view.getUint16(at + 30, true);
      const commentLength = view.getUint16(at + 32, true);
      const local = view.getUint32(at + 42, true);
      const rawName = buffer.subarray(at + 46, at + 46 + nameLength);
      at += 46 + nameLength + extraLength + commentLength;
      const name = decodeName(rawName, (flags & 0x800) !== 0, codepage).replace(/\\/g, '/');
      if (name.endsWith('/')) continue;
      const confined = confine(name);
      if (!confined) continue;
      if (flags & 1) throw new Error(name + ': encrypted entries are not read');
      if (method !== 0 && method !== 8) throw new Error(name + ': compression ' + method + ' is not read');
      total += size;
      if (total > budget) throw new Error('the archive unpacks to more than ' + budget + ' bytes');
      entries.push({name: confined, method, packed, size, local});
    }
    const files = [];
    for (const e of entries) {
      if (e.local + 30 > buffer.length || view.getUint32(e.local, true) !== kLocalHeader) {
        throw new Error(e.name + ': its local header is damaged');
      }
      const start = e.local + 30 + view.getUint16(e.local + 26, true) + view.getUint16(e.local + 28, true);
      if (start + e.packed > buffer.length) throw new Error(e.name + ': the archive is cut short');
      const bytes = buffer.subarray(start, start + e.packed);
      let data;
      if (e.method === 0) {
        if (e.packed !== e.size) throw new Error(e.name + ': a stored entry changes its size');
        data = bytes.slice();
      } else {
        data = await inflate(bytes, e.size);
      }
      files.push({name: e.name, data});
    }
    return files;
  }

  window.velmorantReadZip = readZip;
})();
