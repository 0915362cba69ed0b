// What a presentation opens and prints, in a real browser: a link's tab, the bar that offers a
// tab the browser blocked, a program's notice, and the print dialog with the printed sheets.
import path from 'node:path';

import {canvasSize, clickAt, waitForEvent} from '../lib/player_page.mjs';
import {playInPage, publishedFixture} from '../lib/scenario.mjs';

const WEB_ADDRESS = 'https://example.org/';
const NOTICE = 'Ta prezentacja uruchamia program pokaz.sh, czego przeglądarka nie potrafi';

export function shellTests(env) {
  const cases = path.join(env.repoRoot, 'tests', 'golden', 'cases');
  return [
    {
      name: 'shell: tabs, the bar and a program\'s notice',
      run: (browser) =>
          onSite(browser, env, path.join(cases, 'links_documents_processes'), opening),
    },
    {
      name: 'shell: printing opens the print dialog',
      run: (browser) => onSite(browser, env, path.join(cases, 'hypertext'), printing),
    },
  ];
}

async function opening({context, page}, note) {
  // The page's first window.open is blocked, as a browser blocks one without a click.
  await page.addInitScript(() => {
    let blocked = false;
    const open = window.open.bind(window);
    window.open = (...args) => {
      if (blocked) return open(...args);
      blocked = true;
      return null;
    };
  });
  await context.route(
      `${WEB_ADDRESS}**`,
      (route) => route.fulfill({contentType: 'text/html', body: '<title>web</title>'}));
  const tabs = [];
  context.on('page', (tab) => tabs.push(tab));
  await page.goto(note('opening the site', 'index.html?fullscreen=0'));
  let at = await waitForEvent(page, {event: 'page', page: 0});

  note('the blocked link waits on the bar; the folder opened its listing');
  const offer = page.locator('.velmorant-bar a', {hasText: `Otwórz: ${WEB_ADDRESS}`});
  await offer.waitFor();
  const listing = tabs[0] ?? (await context.waitForEvent('page'));
  await listing.waitForLoadState();
  if (!(await listing.title()).includes('dokumenty/raport'))
    throw new Error(`the listing is titled ${await listing.title()}`);
  const [web] = await Promise.all([context.waitForEvent('page'), offer.click()]);
  await web.waitForLoadState();
  if (web.url() !== WEB_ADDRESS) throw new Error(`the bar opened ${web.url()}`);

  note('clicking the link button opens the links folder\'s page in a tab');
  const [file] = await Promise.all([context.waitForEvent('page'), clickAt(page, 5, 5)]);
  at = await waitForEvent(
      page, {event: 'launch', file: 'linki/strona.html', ok: true}, {from: at.index + 1});
  if (!file.url().startsWith('blob:')) throw new Error(`the file opened as ${file.url()}`);

  note('the program button gives a notice');
  await clickAt(page, 45, 5);
  await waitForEvent(
      page, {event: 'launch', file: 'procesy/pokaz.sh', ok: false}, {from: at.index + 1});
  await page.locator('.velmorant-bar', {hasText: NOTICE}).waitFor();
}

async function printing({page}, note) {
  await page.addInitScript(() => {
    window.addEventListener('velmorant-print', ({detail}) => {
      window.printed = {title: detail.title, sheets: detail.sheets, shown: false};
      const frame = detail.frame.contentWindow;
      frame.print = () => {
        window.printed.shown = true;
        window.printed.widths = Array.from(frame.document.images, (image) => image.naturalWidth);
        window.printed.frameTitle = frame.document.title;
      };
    });
  });
  await page.goto(note('opening the site', 'index.html?fullscreen=0'));
  await waitForEvent(page, {event: 'page', page: 0});
  note('showing the hidden text and printing it');
  await page.keyboard.press('h');
  const at = await waitForEvent(page, {event: 'page', page: 2});
  // The panel stands at 10 % and 70 % of the screen; its buttons are 30 pixels wide.
  const {width, height} = await canvasSize(page);
  const panel = {x: Math.round(width / 10), y: Math.round((height * 7) / 10)};
  await clickAt(page, panel.x + 15, panel.y + 10);
  await clickAt(page, panel.x + 75, panel.y + 10);
  await waitForEvent(
      page, {event: 'print', title: 'Wydruk pliku ukryty.rtf'}, {from: at.index + 1});
  const printed =
      await (await page.waitForFunction(() => window.printed?.shown && window.printed)).jsonValue();
  if (printed.frameTitle !== 'Wydruk pliku ukryty.rtf' || printed.sheets < 1 ||
      printed.widths.length !== printed.sheets || printed.widths.some((w) => w !== 1587)) {
    throw new Error(`printed ${JSON.stringify(printed)}`);
  }
}

function onSite(browser, env, caseDir, scenario) {
  return playInPage(browser, {work: 'shell', prepare: publishedFixture(env, caseDir), scenario});
}
