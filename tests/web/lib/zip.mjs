// A .zip of a folder, deflated, names in UTF-8 (flag bit 11), folders as their own entries:
// what a viewer's "compress folder" gives, without depending on a zip program.
import {readdir, readFile, writeFile} from 'node:fs/promises';
import path from 'node:path';
import {crc32, deflateRawSync} from 'node:zlib';

async function listEntries(root, relative = '') {
  const entries = [];
  const children = await readdir(path.join(root, relative), {withFileTypes: true});
  children.sort((a, b) => (a.name < b.name ? -1 : a.name > b.name ? 1 : 0));
  for (const child of children) {
    const name = relative ? `${relative}/${child.name}` : child.name;
    if (child.isDirectory()) {
      entries.push({name: `${name}/`, data: Buffer.alloc(0)});
      entries.push(...(await listEntries(root, name)));
    } else if (child.isFile()) {
      entries.push({name, data: await readFile(path.join(root, name))});
    }
  }
  return entries;
}

function header(signature, fields) {
  const buffer = Buffer.alloc(fields.reduce((size, [bytes]) => size + bytes, 4));
  buffer.writeUInt32LE(signature, 0);
  let offset = 4;
  for (const [bytes, value] of fields) {
    if (bytes === 2)
      buffer.writeUInt16LE(value, offset);
    else
      buffer.writeUInt32LE(value, offset);
    offset += bytes;
  }
  return buffer;
}

// prefix: a folder name every entry is put under ("" for the folder's contents at the top).
export async function zipFolder(root, zipFile, {prefix = ''} = {}) {
  const entries = await listEntries(root);
  if (prefix) entries.unshift({name: `${prefix}/`, data: Buffer.alloc(0)});
  const parts = [];
  const central = [];
  let offset = 0;
  const utf8 = 0x0800;
  const dosDate = (1 << 5) | 1;  // 1980-01-01: reproducible archives
  for (const entry of entries) {
    const name =
        Buffer.from(prefix && entry.name !== `${prefix}/` ? `${prefix}/${entry.name}` : entry.name);
    const stored = entry.data.length === 0;
    const body = stored ? entry.data : deflateRawSync(entry.data, {level: 9});
    const method = stored ? 0 : 8;
    const crc = crc32(entry.data) >>> 0;
    const common = [
      [2, 20], [2, utf8], [2, method], [2, 0], [2, dosDate], [4, crc], [4, body.length],
      [4, entry.data.length], [2, name.length], [2, 0]
    ];
    const local = header(0x04034b50, common);
    parts.push(local, name, body);
    const isFolder = entry.name.endsWith('/');
    central.push(
        header(
            0x02014b50,
            [
              [2, 0x0314], ...common, [2, 0], [2, 0], [2, 0],
              [4, (isFolder ? 0o40755 : 0o100644) * 0x10000], [4, offset]
            ]),
        name,
    );
    offset += local.length + name.length + body.length;
  }
  const centralSize = central.reduce((size, part) => size + part.length, 0);
  const end = header(0x06054b50, [
    [2, 0], [2, 0], [2, entries.length], [2, entries.length], [4, centralSize], [4, offset], [2, 0]
  ]);
  await writeFile(zipFile, Buffer.concat([...parts, ...central, end]));
}
