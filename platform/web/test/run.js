#!/usr/bin/env node
// The browser test: the page in WEB_BUILD served on 127.0.0.1 and driven in
// Debian's Chromium, headless with its software WebGL, through real key
// events (check.js). With DOCS_DIR it is also the browser benchmark: the
// pages are timed (timing.js) and docs/web.md written (write-page.js).
//
// Usage: node run.js WEB_BUILD DESKTOP_BUILD DESKTOP_PICTURES OUT_DIR [DOCS_DIR]
// DESKTOP_BUILD holds the desktop build's tools (the documentation program
// and varnelle-xserver), DESKTOP_PICTURES the tour's PNG files
// (varnelle-tour); the canvases' pictures and the figures go to OUT_DIR.
// Exits non-zero if any check failed or anything waited for did not come.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const {failureCount, startServer, launchBrowser, webglRenderer} = require('./browser');
const {runChecks} = require('./check');
const {timePages, timeKeys} = require('./timing');
const {writePage} = require('./write-page');

const [buildDir, desktopBuildDir, desktopDir, outDir, docsDir] = process.argv.slice(2);
if (!outDir) {
    console.error('usage: run.js WEB_BUILD DESKTOP_BUILD DESKTOP_PICTURES OUT_DIR [DOCS_DIR]');
    process.exit(2);
}

async function main() {
    fs.mkdirSync(outDir, {recursive: true});
    const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-chromium-'));
    const {server, address} = await startServer(buildDir);
    let browser = null;
    try {
        browser = await launchBrowser('chromium', userDataDir);
        const renderer = await webglRenderer(browser);
        console.log(`browser: ${await browser.version()}; WebGL: ${renderer}; page at ${address}`);
        const checked = await runChecks(browser, address, {web: buildDir, desktop: desktopBuildDir},
            desktopDir, outDir);
        const figures = {browser: await browser.version(), renderer, checked};
        if (docsDir) {
            figures.timed = await timePages(browser, address);
            figures.keys = await timeKeys(browser, address);
            await writePage(browser, address, docsDir, renderer, checked, figures.timed, figures.keys);
        }
        fs.writeFileSync(path.join(outDir, 'figures.json'), JSON.stringify(figures, null, 2));
    } finally {
        if (browser) await browser.close();
        server.kill();
        fs.rmSync(userDataDir, {recursive: true, force: true});
    }
    console.log(failureCount() ? `${failureCount()} check(s) failed` : 'all browser checks passed');
    process.exit(failureCount() ? 1 : 0);
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
