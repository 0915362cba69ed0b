// The player's own page, with no site around it: a presentation chosen as a folder and as a
// .zip of that folder plays its first page.
import path from 'node:path';

import {waitForEvent} from '../lib/player_page.mjs';
import {buildShow} from '../lib/publish.mjs';
import {playInPage} from '../lib/scenario.mjs';
import {zipFolder} from '../lib/zip.mjs';

import {REALTIME_FIXTURE} from './realtime.mjs';

export function pickerTests(env) {
  return [
    {name: 'picker: a folder', run: (browser) => pick(browser, env, 'folder')},
    {name: 'picker: a .zip of the folder', run: (browser) => pick(browser, env, 'zip')},
  ];
}

function pick(browser, env, kind) {
  let chosen;
  return playInPage(browser, {
    work: `picker-${kind}`,
    // The player's own folder is served: the presentation comes from the chooser.
    prepare: async (workDir, note) => {
      note('building the presentation');
      const showDir = path.join(workDir, 'show');
      await buildShow(env.tools, REALTIME_FIXTURE, showDir);
      chosen = showDir;
      if (kind === 'zip') {
        chosen = path.join(workDir, 'show.zip');
        await zipFolder(showDir, chosen, {prefix: 'show'});
      }
      return env.playerDir;
    },
    scenario: async ({page}, note) => {
      await page.goto(note('opening the player', 'index.html?fullscreen=0'));
      await page.waitForFunction(() => window.velmorant?.state?.() === 'choosing');
      note(`choosing the ${kind}`);
      await page.setInputFiles(
          kind === 'zip' ? '#velmorant-open-zip' : '#velmorant-open-folder', chosen);
      await waitForEvent(page, {event: 'page', page: 0});
    },
  });
}
