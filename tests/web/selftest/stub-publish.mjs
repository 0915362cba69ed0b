// A stand-in for `velmorant-med web DIR OUT --player DIR` for the self-test only: the player's
// files, the presentation under show/ and a manifest listing them.
import { cpSync, mkdirSync, readdirSync, statSync, writeFileSync } from 'node:fs';
import path from 'node:path';

const [showDir, outDir, playerFlag, playerDir] = process.argv.slice(2);
if (playerFlag !== '--player' || !playerDir) {
  console.error('usage: stub-publish.mjs DIR OUT --player DIR');
  process.exit(2);
}
mkdirSync(outDir, { recursive: true });
cpSync(playerDir, outDir, { recursive: true });
cpSync(showDir, path.join(outDir, 'show'), { recursive: true, dereference: false, verbatimSymlinks: true });
const files = [];
const folders = [];
const walk = (relative) => {
  for (const entry of readdirSync(path.join(showDir, relative), { withFileTypes: true })) {
    const name = relative ? `${relative}/${entry.name}` : entry.name;
    if (entry.isDirectory()) {
      folders.push(name);
      walk(name);
    } else if (entry.isFile()) {
      files.push({ name, url: `show/${name}`, size: statSync(path.join(showDir, name)).size, executable: false });
    }
  }
};
walk('');
writeFileSync(path.join(outDir, 'show.json'), JSON.stringify({ format: 1, codepage: 1250, files, folders }));
writeFileSync(path.join(outDir, '.velmorant-site'), '');
