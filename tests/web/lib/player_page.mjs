// Talking to the player's page through window.velmorant: its results, its live event log and
// its canvas. Every wait is on something the page reports, never on elapsed time.
export const RESULTS_TIMEOUT_MS = 120_000;
export const EVENT_TIMEOUT_MS = 30_000;

export async function waitForPlayerObject(page, timeout = EVENT_TIMEOUT_MS) {
  await page.waitForFunction(
      () => typeof window.velmorant === 'object' && window.velmorant !== null, null, {
        timeout,
      });
}

export async function awaitResults(page, timeout = RESULTS_TIMEOUT_MS) {
  await waitForPlayerObject(page);
  const handle = await page.waitForFunction(
      () => {
        if (!window.__velmorantResults) {
          window.__velmorantResults = {settled: false};
          window.velmorant.results().then(
              (value) => Object.assign(window.__velmorantResults, {settled: true, value}),
              (error) =>
                  Object.assign(window.__velmorantResults, {settled: true, error: String(error)}),
          );
        }
        return window.__velmorantResults.settled && window.__velmorantResults;
      },
      null,
      {timeout, polling: 100},
  );
  const outcome = await handle.jsonValue();
  if (outcome.error) throw new Error(`results() rejected: ${outcome.error}`);
  return outcome.value;
}

// The first log line from index `from` on whose fields include all of `fields`; resolves to
// {index, entry}.
export async function waitForEvent(page, fields, {from = 0, timeout = EVENT_TIMEOUT_MS} = {}) {
  try {
    return await findEvent(page, fields, from, timeout);
  } catch (error) {
    if (!/Timeout/.test(error.message)) throw error;
    const recent = (await logLines(page).catch(() => [])).slice(-6);
    throw new Error(
        `no ${JSON.stringify(fields)} event logged within ${
            timeout / 1000} s; the log ends with:\n${recent.join('\n') || '(nothing)'}`,
    );
  }
}

async function findEvent(page, fields, from, timeout) {
  const handle = await page.waitForFunction(
      ({fields, from}) => {
        const lines = window.velmorant?.logLines?.() ?? [];
        for (let index = from; index < lines.length; index++) {
          let entry;
          try {
            entry = JSON.parse(lines[index]);
          } catch {
            continue;
          }
          if (Object.entries(fields).every(([key, value]) => entry[key] === value))
            return {index, entry};
        }
        return false;
      },
      {fields, from},
      {timeout, polling: 50},
  );
  return handle.jsonValue();
}

export async function logLines(page) {
  return page.evaluate(() => window.velmorant?.logLines?.() ?? []);
}

export async function canvasSize(page) {
  return page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    return {width: canvas.width, height: canvas.height};
  });
}

// Page coordinates of a point given in the presentation's own pixels, however the page scales
// its canvas.
export async function canvasPoint(page, x, y) {
  return page.evaluate(
      ({x, y}) => {
        const canvas = document.querySelector('canvas');
        const box = canvas.getBoundingClientRect();
        return {
          x: box.left + ((x + 0.5) * box.width) / canvas.width,
          y: box.top + ((y + 0.5) * box.height) / canvas.height,
        };
      },
      {x, y},
  );
}

export async function moveTo(page, x, y) {
  const point = await canvasPoint(page, x, y);
  await page.mouse.move(point.x, point.y);
}

export async function clickAt(page, x, y) {
  const point = await canvasPoint(page, x, y);
  await page.mouse.click(point.x, point.y);
}

export function describeFailure(error, consoleLines) {
  const tail = consoleLines.slice(-20).join('\n');
  return tail ? `${error.message}\npage console:\n${tail}` : error.message;
}
