// Runs named tests a few at a time in one browser, one line per test as each ends.
import {launchBrowser} from './browser.mjs';

async function runOne(browser, test) {
  const started = performance.now();
  let problems;
  try {
    problems = await test.run(browser);
  } catch (error) {
    problems = [error.stack ?? String(error)];
  }
  return {name: test.name, problems, seconds: (performance.now() - started) / 1000};
}

export async function runTests(tests, {parallel = 2, print = console.log} = {}) {
  const browser = await launchBrowser();
  const outcomes = [];
  let next = 0;
  const worker = async () => {
    while (next < tests.length) {
      const outcome = await runOne(browser, tests[next++]);
      outcomes.push(outcome);
      const verdict = outcome.problems.length === 0 ? 'ok  ' : 'FAIL';
      print(`${verdict} ${outcome.name} (${outcome.seconds.toFixed(1)} s)`);
      for (const problem of outcome.problems) print(`     ${problem.replaceAll('\n', '\n     ')}`);
    }
  };
  try {
    await Promise.all(Array.from({length: Math.min(parallel, tests.length)}, worker));
  } finally {
    await browser.close();
  }
  return outcomes;
}
