// The player's own page, with no site around it: a presentation chosen as a folder and as a
// .zip of that folder plays its first page.
import path from 'node:path';

import {openPage} from '../lib/browser.mjs';
import {describeFailure, waitForEvent} from '../lib/player_page.mjs';
import {buildShow, makeWorkDir, removeWorkDir} from '../lib/publish.mjs';
import {serveFolder} from '../lib/server.mjs';
import {zipFolder} from '../lib/zip.mjs';

import {REALTIME_FIXTURE} from './realtime.mjs';

export function pickerTests(env) {
  return [
    {name: 'picker: a folder', run: (browser) => pick(browser, env, 'folder')},
    {name: 'picker: a .zip of the folder', run: (browser) => pick(browser, env, 'zip')},
  ];
}

async function pick(browser, env, kind) {
  const workDir = await makeWorkDir(`picker-${kind}`);
  const showDir = path.join(workDir, 'show');
  let server;
  let opened;
  let step = 'building the presentation';
  try {
    await buildShow(env.tools, REALTIME_FIXTURE, showDir);
    let chosen = showDir;
    if (kind === 'zip') {
      chosen = path.join(workDir, 'show.zip');
      await zipFolder(showDir, chosen, {prefix: 'show'});
    }
    server = await serveFolder(env.playerDir);
    opened = await openPage(browser);
    const {page} = opened;
    step = 'opening the player';
    await page.goto(`${server.url}index.html?fullscreen=0`);
    await page.waitForFunction(() => window.velmorant?.state?.() === 'choosing');
    step = `choosing the ${kind}`;
    await page.setInputFiles(
        kind === 'zip' ? '#velmorant-open-zip' : '#velmorant-open-folder', chosen);
    await waitForEvent(page, {event: 'page', page: 0});
    return [];
  } catch (error) {
    return [`${step}: ${describeFailure(error, opened?.consoleLines ?? [])}`];
  } finally {
    await opened?.context.close();
    await server?.close();
    await removeWorkDir(workDir);
  }
}
