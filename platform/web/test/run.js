#!/usr/bin/env node
// The browser test: the page in WEB_BUILD served on 127.0.0.1 and driven in
// a browser with its software WebGL, through real key events (check.js):
// Debian's Chromium, headless, unless --browser names another of
// browser.js's (firefox: in a window, on the X display of DISPLAY). With
// DOCS_DIR it is also the browser benchmark: the pages are timed
// (timing.js) and docs/web.md written (write-page.js), in Chromium.
//
// Usage: node run.js [--browser NAME] WEB_BUILD DESKTOP_BUILD DESKTOP_PICTURES OUT_DIR [DOCS_DIR]
// DESKTOP_BUILD holds the desktop build's tools (the documentation program
// and varnelle-xserver), DESKTOP_PICTURES the tour's PNG files
// (varnelle-tour); the canvases' pictures and the figures go to OUT_DIR.
// Exits non-zero if any check failed or anything waited for did not come.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const {chromiumBackEnds, failureCount, startServer, browsers, launchBrowser, webglRenderer} = require('./browser');
const {runChecks} = require('./check');
const {timePages, timeKeys} = require('./timing');
const {runLighthouse} = require('./lighthouse');
const {writePage} = require('./write-page');

const args = process.argv.slice(2);
const browserName = args[0] === '--browser' ? args.splice(0, 2)[1] : 'chromium';
const [buildDir, desktopBuildDir, desktopDir, outDir, docsDir] = args;
if (!outDir || !(browserName in browsers) || (docsDir && browserName !== 'chromium')) {
    console.error('usage: run.js [--browser chromium|firefox] WEB_BUILD DESKTOP_BUILD DESKTOP_PICTURES OUT_DIR ' +
        '[DOCS_DIR, with chromium]');
    process.exit(2);
}

async function main() {
    fs.mkdirSync(outDir, {recursive: true});
    const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), `varnelle-${browserName}-`));
    const {server, address} = await startServer(buildDir);
    let browser = null;
    try {
        browser = await launchBrowser(browserName, userDataDir);
        const renderer = await webglRenderer(browser);
        console.log(`browser: ${await browser.version()}; WebGL: ${renderer}; page at ${address}`);
        const checked = await runChecks(browserName, browser, address, {web: buildDir, desktop: desktopBuildDir},
            desktopDir, outDir);
        const figures = {browser: await browser.version(), renderer, checked};
        if (docsDir) {
            // Both of Chromium's software paths, each in a browser of its own.
            figures.backEnds = {};
            for (const [name, backEnd] of Object.entries(chromiumBackEnds)) {
                const timingDir = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-timing-'));
                const timing = await launchBrowser('chromium', timingDir, backEnd);
                try {
                    console.log(`timing on ${backEnd.name}`);
                    figures.backEnds[name] = {name: backEnd.name, renderer: await webglRenderer(timing),
                        timed: await timePages(timing, address), keys: await timeKeys(timing, address)};
                } finally {
                    await timing.close();
                    fs.rmSync(timingDir, {recursive: true, force: true});
                }
            }
            figures.lighthouse = await runLighthouse(address);
            await writePage(browser, address, docsDir, renderer, checked, figures);
        }
        fs.writeFileSync(path.join(outDir, 'figures.json'), JSON.stringify(figures, null, 2));
    } finally {
        if (browser) await browser.close();
        server.kill();
        fs.rmSync(userDataDir, {recursive: true, force: true});
    }
    console.log(failureCount() ? `${failureCount()} check(s) failed in ${browserName}`
        : `all browser checks passed in ${browserName}`);
    process.exit(failureCount() ? 1 : 0);
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
