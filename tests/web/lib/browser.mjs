// Debian's chromium driven by playwright-core: nothing is downloaded, and CI runs as root, which
// chromium's sandbox refuses.
import {chromium} from 'playwright-core';

export const CHROMIUM_PATH = process.env.VELMORANT_CHROMIUM || '/usr/bin/chromium';

export async function launchBrowser() {
  return chromium.launch({
    executablePath: CHROMIUM_PATH,
    headless: true,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-dev-shm-usage',
      '--autoplay-policy=no-user-gesture-required',
      '--use-gl=swiftshader',
      '--enable-unsafe-swiftshader',
    ],
  });
}

// A context per case: nothing (storage, caches) carries over from one case to the next.
export async function openPage(browser, {width = 1024, height = 768} = {}) {
  const context = await browser.newContext({viewport: {width, height}, deviceScaleFactor: 1});
  const page = await context.newPage();
  const consoleLines = [];
  page.on('console', (message) => consoleLines.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => consoleLines.push(`pageerror: ${error.message}`));
  return {context, page, consoleLines};
}
