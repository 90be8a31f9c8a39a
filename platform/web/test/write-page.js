// The browser page's figures page: docs/web.md from web.md.in beside this
// folder, filled by tools/fill-page.sh with this run's figures, a picture
// of the page after three presses of Enter, in a lecture room projector's
// window, and your own camera's picture and the outside view there with
// your camera's near plane moved close to the scene.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {openPage, setInput, awaitFrame, settle, canvasPicture, formatKB} = require('./browser');

const repoDir = path.resolve(__dirname, '..', '..', '..');
// A lecture room projector's window: the outside view beside the viewer.
const pageShotViewport = {width: 1024, height: 768};
const pagePicture = 'web-page.png';
const yoursPicture = 'web-yours-near.png';
const yoursOutsidePicture = 'web-yours-near-outside.png';
// Your camera's near plane is moved this far in front of the origin, into
// the scene (whose cones reach 10 from it), at station 3.
const yoursNearCut = 5;

async function pictureOfThePage(browser, address, docsDir) {
    const {context, page} = await openPage(browser, address + 'index.html', pageShotViewport);
    let seen = await awaitFrame(page, 0);
    for (let i = 0; i < 3; i++) {
        await page.keyboard.press('Enter');
        seen = await awaitFrame(page, seen);
    }
    await page.waitForFunction(() => {
        const shows = document.getElementById('outside').dataset.shows;
        return shows !== undefined && shows === document.getElementById('calls').dataset.shows;
    });
    await settle(page);
    await page.screenshot({path: path.join(docsDir, pagePicture), fullPage: true});
    const near = await pictureOfYourNearPlane(page, docsDir);
    await context.close();
    return near;
}

// From the viewer's station 3, your camera's near plane moved to
// D - yoursNearCut: your picture, cut, and the outside view with your near
// plane, each at its canvas's own size. Returns the near typed, as the page
// shows it.
async function pictureOfYourNearPlane(page, docsDir) {
    await page.click('#yours-from-station');
    const eyeDistance = await page.$eval('#yours-eye-x', () => Math.hypot(
        ...['x', 'y', 'z'].map((axis) => Number(document.getElementById(`yours-eye-${axis}`).value))));
    const near = (eyeDistance - yoursNearCut).toFixed(2);
    const shows = await page.$eval('#yours-calls', (panel) => Number(panel.dataset.shows));
    await setInput(page, '#yours-near', near);
    await page.waitForFunction((before) => Number(document.getElementById('yours-calls').dataset.shows) > before &&
        document.getElementById('yours-warning').textContent === '', {}, shows);
    await settle(page);
    fs.writeFileSync(path.join(docsDir, yoursPicture), await canvasPicture(page, '#yours-view'));
    fs.writeFileSync(path.join(docsDir, yoursOutsidePicture), await canvasPicture(page, '#outside'));
    return near;
}

// The template's values, from the checks' figures and the timing's.
function pageValues(browser, renderer, checked, timed, keys, yoursNear) {
    const pages = timed.pages;
    const ms = (value) => value.toFixed(1);
    const values = {
        date: new Date().toISOString().replace(/\.\d+Z$/, ' UTC').replace('T', ' '),
        browser,
        renderer,
        pictures: checked.shares.map((s) => `| ${s.name} | ${(100 * s.share).toFixed(3)} % |`).join('\n'),
        ratio: timed.ratio.toFixed(2),
        ratioBare: timed.ratioBare.toFixed(2),
        ratioVerdict: timed.ratioMet ? 'met' : 'not met',
        runs: String(pages.viewer.ms.length),
        tolerance: String(checked.channelTolerance),
        outsidePictures: checked.learning.shares.map((s) => `| ${s.name} | ${(100 * s.share).toFixed(3)} % |`).join('\n'),
        outsideLimit: String(100 * checked.learning.outsideLimit),
        captionPixels: String(checked.learning.captionPixelsLimit),
        keyPresses: String(keys.presses),
        keyOutsideMs: ms(keys.toD.outside),
        keyWithoutMs: ms(keys.toD.without),
        keyRatio: keys.toD.ratio.toFixed(2),
        keyVerdict: keys.met ? 'met' : 'not met',
        frameOutsideMs: ms(keys.toFrameDone.outside),
        frameWithoutMs: ms(keys.toFrameDone.without),
        frameRatio: keys.toFrameDone.ratio.toFixed(2),
        pagePicture,
        yoursPicture,
        yoursOutsidePicture,
        yoursNear,
        yoursNearCut: String(yoursNearCut),
    };
    // The viewer's page weighs all it loads, its outside view's program
    // included, as the weight check counts it; the floors, their first loads.
    const weights = Object.fromEntries(Object.entries(pages).map(([name, figures]) =>
        [name, {bytes: figures.totalBytes, transferred: figures.transferred}]));
    weights.viewer = checked.weight;
    for (const [name, figures] of Object.entries(pages)) {
        values[`${name}KB`] = formatKB(weights[name].bytes);
        values[`${name}Files`] = Object.entries(weights[name].transferred).sort()
            .map(([file, bytes]) => `${file} ${formatKB(bytes)}`).join(', ');
        values[`${name}Ms`] = figures.medianMs.toFixed(0);
        values[`${name}Spread`] = `${Math.min(...figures.ms).toFixed(0)}–${Math.max(...figures.ms).toFixed(0)}`;
    }
    return values;
}

async function writePage(browser, address, docsDir, renderer, checked, timed, keys) {
    const yoursNear = await pictureOfThePage(browser, address, docsDir);
    const values = pageValues(await browser.version(), renderer, checked, timed, keys, yoursNear);
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-web-values-'));
    try {
        for (const [name, value] of Object.entries(values)) fs.writeFileSync(path.join(folder, name), value);
        childProcess.execFileSync(path.join(repoDir, 'tools', 'fill-page.sh'),
            [path.join(__dirname, '..', 'web.md.in'), folder, path.join(docsDir, 'web.md'), 'make bench-web'],
            {stdio: 'inherit'});
    } finally {
        fs.rmSync(folder, {recursive: true, force: true});
    }
    console.log(`wrote ${path.join(docsDir, 'web.md')}, ${path.join(docsDir, pagePicture)}, ` +
        `${path.join(docsDir, yoursPicture)} and ${path.join(docsDir, yoursOutsidePicture)}`);
}

module.exports = {writePage};
