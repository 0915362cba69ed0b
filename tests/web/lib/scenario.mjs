// One browser case: a work folder, a folder served over http and a fresh page. `prepare` fills
// the work folder and gives the folder to serve; `scenario` plays the case, naming each step
// through `note`, so that a failure says where it happened. Gives the failures (none: []).
import path from 'node:path';

import {openPage} from './browser.mjs';
import {describeFailure} from './player_page.mjs';
import {buildShow, makeWorkDir, publishSite, removeWorkDir} from './publish.mjs';
import {serveFolder} from './server.mjs';

export async function playInPage(browser, {work, prepare, scenario, viewport}) {
  const workDir = await makeWorkDir(work);
  let server;
  let opened;
  let step = 'preparing';
  // Names the step now under way; with `url`, gives that address on the server.
  const note = (what, url) => {
    step = what;
    return url && `${server.url}${url}`;
  };
  try {
    server = await serveFolder(await prepare(workDir, note));
    opened = await openPage(browser, viewport);
    await scenario({...opened, workDir}, note);
    return [];
  } catch (error) {
    return [`${step}: ${describeFailure(error, opened?.consoleLines ?? [])}`];
  } finally {
    await opened?.context.close();
    await server?.close();
    await removeWorkDir(workDir);
  }
}

// A `prepare` for playInPage: the fixture folder built into a presentation and published with
// the web player; the site is served.
export function publishedFixture(env, fixture) {
  return async (workDir, note) => {
    const showDir = path.join(workDir, 'show');
    const siteDir = path.join(workDir, 'site');
    note('publishing');
    await buildShow(env.tools, fixture, showDir);
    await publishSite(env.tools, showDir, siteDir, env.playerDir);
    return siteDir;
  };
}
