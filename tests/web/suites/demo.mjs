// The bundled demo, published and played over http as a viewer would start it: its welcome page,
// the start button's hint, and the pages the button and Enter lead to.
import {existsSync} from 'node:fs';
import {cp, mkdir} from 'node:fs/promises';
import path from 'node:path';

import {openPage} from '../lib/browser.mjs';
import {clickAt, describeFailure, moveTo, waitForEvent} from '../lib/player_page.mjs';
import {makeWorkDir, publishSite, removeWorkDir} from '../lib/publish.mjs';
import {serveFolder} from '../lib/server.mjs';

// From examples/demo/tour.txt: the start button, in the demo's 800 x 600 pixels.
const START_BUTTON = {
  x: 400,
  y: 392
};

// What the package installs of the built demo: the build folder also holds build files.
const DEMO_FOLDERS =
    ['tla', 'obrazy', 'przyciski', 'napisy', 'teksty', 'dzwieki', 'filmy', 'dokumenty', 'procesy'];

async function copyInstalledDemo(builtDemo, showDir) {
  await mkdir(showDir, {recursive: true});
  await cp(path.join(builtDemo, 'info.med'), path.join(showDir, 'info.med'));
  for (const folder of DEMO_FOLDERS) {
    if (existsSync(path.join(builtDemo, folder))) {
      await cp(path.join(builtDemo, folder), path.join(showDir, folder), {recursive: true});
    }
  }
}

// The start button comes in by itself a little after the page and logs nothing, and a pointer
// that rests where it appears does not hover it: nudge the pointer until its hint is logged.
async function hoverUntilHint(page, from) {
  for (let attempt = 0; attempt < 15; attempt++) {
    await moveTo(page, START_BUTTON.x + (attempt % 2), START_BUTTON.y);
    try {
      return await waitForEvent(page, {event: 'hint', op: 'show'}, {from, timeout: 2000});
    } catch (error) {
      if (attempt === 14) throw error;
    }
  }
}

export function demoTests(env) {
  return [{name: 'demo: its first pages', run: (browser) => playDemo(browser, env)}];
}

async function playDemo(browser, env) {
  if (!existsSync(path.join(env.tools.demo, 'info.med'))) {
    return [`no demo in ${env.tools.demo}: build the native target demo_definition`];
  }
  const workDir = await makeWorkDir('demo');
  const showDir = path.join(workDir, 'show');
  const siteDir = path.join(workDir, 'site');
  let server;
  let opened;
  let step = 'publishing the demo';
  try {
    await copyInstalledDemo(env.tools.demo, showDir);
    await publishSite(env.tools, showDir, siteDir, env.playerDir);
    server = await serveFolder(siteDir);
    opened = await openPage(browser);
    const {page} = opened;
    step = 'opening the demo';
    await page.goto(`${server.url}index.html?fullscreen=0`);
    let at = await waitForEvent(page, {event: 'page', page: 0});
    step = 'hovering over the start button';
    at = await hoverUntilHint(page, at.index + 1);
    step = 'clicking the start button';
    await clickAt(page, START_BUTTON.x, START_BUTTON.y);
    at = await waitForEvent(page, {event: 'page', page: 1}, {from: at.index + 1});
    step = 'pressing Enter';
    await page.keyboard.press('Enter');
    await waitForEvent(page, {event: 'page', page: 2}, {from: at.index + 1});
    return [];
  } catch (error) {
    return [`${step}: ${describeFailure(error, opened?.consoleLines ?? [])}`];
  } finally {
    await opened?.context.close();
    await server?.close();
    await removeWorkDir(workDir);
  }
}
