// Every golden case with a script, played in the page's parity mode on the virtual clock and
// compared with what the native player committed.
import {mkdir, writeFile} from 'node:fs/promises';
import path from 'node:path';

import {openPage} from '../lib/browser.mjs';
import {argsToParams, listCases, loadPartialCases, readCase} from '../lib/cases.mjs';
import {compareWithExpected} from '../lib/golden_compare.mjs';
import {awaitResults, describeFailure} from '../lib/player_page.mjs';
import {buildShow, copyInto, makeWorkDir, publishSite, removeWorkDir} from '../lib/publish.mjs';
import {serveFolder} from '../lib/server.mjs';

const HERE = path.dirname(new URL(import.meta.url).pathname);

export function goldenTests(env) {
  const casesRoot = env.casesRoot ?? path.join(env.repoRoot, 'tests', 'golden', 'cases');
  const partialCases = loadPartialCases(path.join(HERE, '..', 'partial_cases.json'));
  const only = env.only ? new Set(env.only) : null;
  return listCases(casesRoot)
      .filter((name) => !only || only.has(name))
      .map((name) => ({
             name: `golden ${name}${partialCases[name] ? ' (partly)' : ''}`,
             run: (browser) => runCase(browser, env, readCase(casesRoot, name), partialCases[name]),
           }));
}

async function runCase(browser, env, goldenCase, partial) {
  const workDir = await makeWorkDir(goldenCase.name);
  const showDir = path.join(workDir, 'show');
  const siteDir = path.join(workDir, 'site');
  let server;
  let opened;
  try {
    await buildShow(env.tools, goldenCase.dir, showDir);
    await publishSite(env.tools, showDir, siteDir, env.playerDir);
    await copyInto(path.join(goldenCase.dir, 'script.txt'), siteDir);
    server = await serveFolder(siteDir);
    const params = argsToParams(goldenCase.args);
    params.set('script', 'script.txt');
    opened = await openPage(browser);
    await opened.page.goto(`${server.url}index.html?${params}`);
    let result;
    try {
      result = await awaitResults(opened.page, env.resultsTimeout);
    } catch (error) {
      return [describeFailure(error, opened.consoleLines)];
    }
    const failureDir = path.join(env.failuresRoot, goldenCase.name);
    const problems = await compareWithExpected({
      goldenCase,
      result,
      partial,
      compareTool: env.tools.compare,
      workDir,
      failureDir,
    });
    if (problems.length > 0 && opened.consoleLines.length > 0) {
      await mkdir(failureDir, {recursive: true});
      await writeFile(path.join(failureDir, 'console.txt'), opened.consoleLines.join('\n') + '\n');
    }
    return problems;
  } finally {
    await opened?.context.close();
    await server?.close();
    await removeWorkDir(workDir);
  }
}
