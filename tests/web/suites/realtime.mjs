// A site played as a viewer plays it, on the real clock: pointer, keyboard and a page timer,
// each step waiting on the event it causes.
import path from 'node:path';

import {canvasSize, clickAt, moveTo, waitForEvent} from '../lib/player_page.mjs';
import {playInPage, publishedFixture} from '../lib/scenario.mjs';

const HERE = path.dirname(new URL(import.meta.url).pathname);
export const REALTIME_FIXTURE = path.join(HERE, '..', 'fixtures', 'realtime');

// Inside the map's first region (50 x 30 at the map's corner), in presentation pixels: the map
// stands at 10 % of the screen, whatever size the page gives it.
export function regionPoint({width, height}) {
  return {x: Math.round(width / 10) + 20, y: Math.round(height / 10) + 12};
}
const HINT_TEXT = 'Dalej: następna strona';

export function realtimeTests(env) {
  return [
    {name: 'real time: hint, click, key, timer', run: (browser) => runScenario(browser, env)}
  ];
}

function runScenario(browser, env) {
  return playInPage(browser, {
    work: 'realtime',
    prepare: publishedFixture(env, REALTIME_FIXTURE),
    scenario: walk,
  });
}

async function walk({page}, note) {
  await page.goto(note('opening the site', 'index.html?fullscreen=0'));
  let at = await waitForEvent(page, {event: 'page', page: 0});

  note('hovering over the map region');
  const point = regionPoint(await canvasSize(page));
  await moveTo(page, point.x, point.y);
  at = await waitForEvent(page, {event: 'hint', op: 'show', text: HINT_TEXT}, {from: at.index + 1});

  note('clicking the region');
  await clickAt(page, point.x, point.y);
  at = await waitForEvent(page, {event: 'page', page: 1}, {from: at.index + 1});

  note('pressing N, the page\'s shortcut');
  await page.keyboard.press('n');
  at = await waitForEvent(page, {event: 'page', page: 2}, {from: at.index + 1});

  note('waiting for the page timer');
  at = await waitForEvent(page, {event: 'page', page: 3}, {from: at.index + 1});

  note('pressing Escape');
  await page.keyboard.press('Escape');
  await waitForEvent(page, {event: 'end'}, {from: at.index + 1});
  // The about box follows the show, as on the desktop; a typed key closes it and the run ends.
  note('closing the about box');
  await page.waitForFunction(() => window.velmorant.state() !== 'ended');
  await page.keyboard.press('KeyX');
  await page.waitForFunction(() => window.velmorant.state() === 'ended');
}
