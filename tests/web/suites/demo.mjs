// The bundled demo, published and played over http as a viewer would start it: its welcome page,
// the start button's hint, and the pages the button and Enter lead to.
import { existsSync } from 'node:fs';
import path from 'node:path';
import { openPage } from '../lib/browser.mjs';
import { clickAt, describeFailure, moveTo, waitForEvent } from '../lib/player_page.mjs';
import { makeWorkDir, publishSite, removeWorkDir } from '../lib/publish.mjs';
import { serveFolder } from '../lib/server.mjs';

// From examples/demo/tour.txt: the start button, in the demo's 800 x 600 pixels.
const START_BUTTON = { x: 400, y: 392 };

export function demoTests(env) {
  return [{ name: 'demo: its first pages', run: (browser) => playDemo(browser, env) }];
}

async function playDemo(browser, env) {
  if (!existsSync(path.join(env.tools.demo, 'info.med'))) {
    return [`no demo in ${env.tools.demo}: build the native target demo_definition`];
  }
  const workDir = await makeWorkDir('demo');
  const siteDir = path.join(workDir, 'site');
  let server;
  let opened;
  let step = 'publishing the demo';
  try {
    await publishSite(env.tools, env.tools.demo, siteDir, env.playerDir);
    server = await serveFolder(siteDir);
    opened = await openPage(browser);
    const { page } = opened;
    step = 'opening the demo';
    await page.goto(`${server.url}index.html?fullscreen=0`);
    let at = await waitForEvent(page, { event: 'page', page: 0 });
    step = 'waiting for the start button';
    at = await waitForEvent(page, { event: 'map', op: 'show' }, { from: at.index + 1 });
    step = 'hovering over the start button';
    await moveTo(page, START_BUTTON.x, START_BUTTON.y);
    at = await waitForEvent(page, { event: 'hint', op: 'show' }, { from: at.index + 1 });
    step = 'clicking the start button';
    await clickAt(page, START_BUTTON.x, START_BUTTON.y);
    at = await waitForEvent(page, { event: 'page', page: 1 }, { from: at.index + 1 });
    step = 'pressing Enter';
    await page.keyboard.press('Enter');
    await waitForEvent(page, { event: 'page', page: 2 }, { from: at.index + 1 });
    return [];
  } catch (error) {
    return [`${step}: ${describeFailure(error, opened?.consoleLines ?? [])}`];
  } finally {
    await opened?.context.close();
    await server?.close();
    await removeWorkDir(workDir);
  }
}
