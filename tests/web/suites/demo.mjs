// The bundled demo, published and played over http as a viewer would start it: its welcome page,
// the start button's hint, the pages the button and Enter lead to, and on them its welcome sound,
// its print button, its music and film, its link, document and program.
import {existsSync} from 'node:fs';
import {cp, mkdir} from 'node:fs/promises';
import path from 'node:path';

import {clickAt, moveTo, waitForEvent} from '../lib/player_page.mjs';
import {publishSite} from '../lib/publish.mjs';
import {playInPage} from '../lib/scenario.mjs';

// From examples/demo/tour.txt: the start button, in the demo's 800 x 600 pixels.
const START_BUTTON = {
  x: 400,
  y: 392
};
// The other buttons, from the maps' places (per cent of the screen) in examples/demo/demo.json.
const PRINT_BUTTON = {
  x: 78,
  y: 524
};
const MUSIC_BUTTON = {
  x: 542,
  y: 284
};
const FILM_BUTTON = {
  x: 94,
  y: 392
};
const LINK_BUTTONS = {
  web: {x: 310, y: 392},
  document: {x: 370, y: 392},
  program: {x: 430, y: 392}
};
const WEB_ADDRESS = 'https://example.org/';
const NOTICE = 'Ta prezentacja uruchamia program zegar.sh, czego przeglądarka nie potrafi';

// The print dialog stands in for the browser's: what was printed is kept for the test.
const STUB_PRINT_DIALOG = () => {
  window.addEventListener('velmorant-print', ({detail}) => {
    const frame = detail.frame.contentWindow;
    frame.print = () => {
      window.printed = {title: frame.document.title, sheets: frame.document.images.length};
      frame.dispatchEvent(new Event('afterprint'));
    };
  });
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
  return [{
    name: 'demo: its pages, sounds, film, print button, link and program',
    run: (browser) => playDemo(browser, env)
  }];
}

async function playDemo(browser, env) {
  if (!existsSync(path.join(env.tools.demo, 'info.med'))) {
    return [`no demo in ${env.tools.demo}: build the native target demo_definition`];
  }
  return playInPage(browser, {
    work: 'demo',
    prepare: async (workDir, note) => {
      const showDir = path.join(workDir, 'show');
      const siteDir = path.join(workDir, 'site');
      note('publishing the demo');
      await copyInstalledDemo(env.tools.demo, showDir);
      await publishSite(env.tools, showDir, siteDir, env.playerDir);
      return siteDir;
    },
    scenario: walk,
  });
}

async function walk({context, page}, note) {
  await page.addInitScript(STUB_PRINT_DIALOG);
  await context.route(
      `${WEB_ADDRESS}**`,
      (route) => route.fulfill({contentType: 'text/html', body: '<title>web</title>'}));
  await page.goto(note('opening the demo', 'index.html?fullscreen=0'));
  let at = await waitForEvent(page, {event: 'page', page: 0});
  note('hovering over the start button');
  at = await hoverUntilHint(page, at.index + 1);
  note('clicking the start button');
  await clickAt(page, START_BUTTON.x, START_BUTTON.y);
  at = await waitForEvent(page, {event: 'page', page: 1}, {from: at.index + 1});
  // Asked for before any click, the welcome sound starts at the first one.
  await waitForEvent(page, {event: 'sound', file: 'dzwieki/powitanie.wav', result: true});
  note('pressing Enter');
  await page.keyboard.press('Enter');
  at = await waitForEvent(page, {event: 'page', page: 2}, {from: at.index + 1});
  note('printing the rich text');
  await clickAt(page, PRINT_BUTTON.x, PRINT_BUTTON.y);
  at = await waitForEvent(page, {event: 'print'}, {from: at.index + 1});
  const printed = await (await page.waitForFunction(() => window.printed)).jsonValue();
  if (printed.sheets < 1 || !printed.title) throw new Error(`printed ${JSON.stringify(printed)}`);
  note('playing the music and the film');
  await page.keyboard.press('Enter');
  at = await waitForEvent(page, {event: 'page', page: 3}, {from: at.index + 1});
  await clickAt(page, MUSIC_BUTTON.x, MUSIC_BUTTON.y);
  at = await waitForEvent(
      page, {event: 'sound', file: 'dzwieki/melodia.wav', loop: true, result: true},
      {from: at.index + 1});
  await page.waitForFunction(() => window.velmorant.sounding());
  await clickAt(page, FILM_BUTTON.x, FILM_BUTTON.y);
  at = await waitForEvent(page, {event: 'film', op: 'play'}, {from: at.index + 1});
  note('opening the link, the document and the program');
  await page.keyboard.press('Enter');
  at = await waitForEvent(page, {event: 'page', page: 4}, {from: at.index + 1});
  const [web] = await Promise.all(
      [context.waitForEvent('page'), clickAt(page, LINK_BUTTONS.web.x, LINK_BUTTONS.web.y)]);
  await web.waitForLoadState();
  if (web.url() !== WEB_ADDRESS) throw new Error(`the link opened ${web.url()}`);
  const [text] = await Promise.all([
    context.waitForEvent('page'),
    clickAt(page, LINK_BUTTONS.document.x, LINK_BUTTONS.document.y),
  ]);
  if (!text.url().startsWith('blob:')) throw new Error(`the document opened as ${text.url()}`);
  await clickAt(page, LINK_BUTTONS.program.x, LINK_BUTTONS.program.y);
  await waitForEvent(
      page, {event: 'launch', file: 'procesy/zegar.sh', ok: false}, {from: at.index + 1});
  await page.locator('.velmorant-bar', {hasText: NOTICE}).waitFor();
}
