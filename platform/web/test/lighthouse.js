// The browser benchmark's Lighthouse run: the page measured as a peer
// measures it, with Lighthouse (pinned in package-lock.json) and its default
// mobile settings (a slowed CPU and network, simulated), in Debian's Chromium
// on ANGLE and SwiftShader. Each run in a browser of its own, fresh; the
// median run by its performance score is reported.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const {chromiumBackEnds, launchBrowser} = require('./browser');

// Runs of Lighthouse; the median one is reported.
const lighthouseRuns = 3;
// What the page must reach, and how many of its longest tasks are reported.
const limits = {score: 0.9, totalBlockingMs: 600, interactiveMs: 3500};
const longTasksShown = 6;

async function lighthouseRun(url) {
    const {default: lighthouse} = await import('lighthouse');
    const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-lighthouse-'));
    const browser = await launchBrowser('chromium', userDataDir, chromiumBackEnds.angle);
    try {
        const port = Number(new URL(browser.wsEndpoint()).port);
        const result = await lighthouse(url, {port, output: 'json', logLevel: 'error', onlyCategories: ['performance']});
        const audits = result.lhr.audits;
        const tasks = (audits['long-tasks'].details && audits['long-tasks'].details.items) || [];
        return {
            version: result.lhr.lighthouseVersion,
            score: result.lhr.categories.performance.score,
            totalBlockingMs: audits['total-blocking-time'].numericValue,
            interactiveMs: audits.interactive.numericValue,
            contentfulPaintMs: audits['first-contentful-paint'].numericValue,
            largestPaintMs: audits['largest-contentful-paint'].numericValue,
            longTasks: tasks.slice(0, longTasksShown).map((t) =>
                ({script: t.url.split('/').pop() || t.url, ms: t.duration})),
        };
    } finally {
        await browser.close();
        fs.rmSync(userDataDir, {recursive: true, force: true});
    }
}

async function runLighthouse(address) {
    const runs = [];
    for (let i = 0; i < lighthouseRuns; i++) runs.push(await lighthouseRun(address + 'index.html'));
    runs.sort((a, b) => a.score - b.score);
    const median = runs[Math.floor(runs.length / 2)];
    const met = median.score >= limits.score && median.totalBlockingMs <= limits.totalBlockingMs &&
        median.interactiveMs <= limits.interactiveMs;
    console.log(`note Lighthouse ${median.version}: performance ${median.score}, total blocking time ` +
        `${median.totalBlockingMs.toFixed(0)} ms, interactive at ${median.interactiveMs.toFixed(0)} ms ` +
        `(targets ${limits.score}, ${limits.totalBlockingMs} ms, ${limits.interactiveMs} ms: ${met ? 'met' : 'not met'})`);
    return Object.assign({runs: runs.length, scores: runs.map((r) => r.score), limits, met}, median);
}

module.exports = {runLighthouse};
