// The browser page's pages: docs/web.md and docs/web-internals.md from the
// templates beside this folder, filled by tools/fill-page.sh with this
// run's figures; pictures of the page's first screen after three presses of
// Enter at a phone's, a projector's and a wide screen's sizes; and your own
// camera's picture and the outside view with your camera's near plane
// moved close to the scene.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {openPage, setInput, awaitFrame, settle, canvasPicture, formatKB} = require('./browser');

const repoDir = path.resolve(__dirname, '..', '..', '..');
// The page's first screen at a phone's, a projector's and a wide screen's
// sizes, after three presses of Enter (station 3), in pictures of their own;
// the projector's is the README's.
const pageShots = [
    {width: 390, height: 844, file: 'web-page-390.png'},
    {width: 1024, height: 768, file: 'web-page-1024.png'},
    {width: 1920, height: 1080, file: 'web-page-1920.png'},
];
const yoursPicture = 'web-yours-near.png';
const yoursOutsidePicture = 'web-yours-near-outside.png';
// Your camera's near plane is moved this far in front of the origin, into
// the scene (whose cones reach 10 from it), at station 3.
const yoursNearCut = 5;

async function picturesOfThePage(browser, address, docsDir) {
    let near = null;
    for (const shot of pageShots) {
        const {context, page} = await openPage(browser, address + 'index.html', {width: shot.width, height: shot.height});
        let seen = await awaitFrame(page, 0);
        await page.waitForSelector('#yours-view[data-ready]');
        for (let i = 0; i < 3; i++) {
            await page.focus('#canvas');
            await page.keyboard.press('Enter');
            seen = await awaitFrame(page, seen);
        }
        await page.waitForFunction(() => {
            const shows = document.getElementById('outside').dataset.shows;
            return shows !== undefined && shows === document.getElementById('calls').dataset.shows;
        });
        // Once everything drawn after the viewer's frame is drawn.
        await page.waitForFunction(() => document.getElementById('depth-plot').childElementCount > 0);
        await settle(page);
        await settle(page);
        await page.screenshot({path: path.join(docsDir, shot.file)});
        if (shot.width === pageShots[1].width) near = await pictureOfYourNearPlane(page, docsDir);
        await context.close();
    }
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

// The template's values, from the checks' figures, the timing's on each
// back end, and Lighthouse's.
function pageValues(browser, renderer, checked, figures, yoursNear) {
    const ms = (value) => value.toFixed(1);
    const values = {
        date: new Date().toISOString().replace(/\.\d+Z$/, ' UTC').replace('T', ' '),
        browser,
        renderer,
        pictures: checked.shares.map((s) => `| ${s.name} | ${(100 * s.share).toFixed(3)} % |`).join('\n'),
        tolerance: String(checked.channelTolerance),
        outsidePictures: checked.learning.shares.map((s) => `| ${s.name} | ${(100 * s.share).toFixed(3)} % |`).join('\n'),
        outsideLimit: String(100 * checked.learning.outsideLimit),
        captionPixels: String(checked.learning.captionPixelsLimit),
        featureShare: (100 * checked.featureCard.share).toFixed(2),
        featureLimit: String(100 * checked.featureCard.limit),
        yoursPicture,
        yoursOutsidePicture,
        yoursNear,
        yoursNearCut: String(yoursNearCut),
    };
    pageShots.forEach((shot) => { values[`pagePicture${shot.width}`] = shot.file; });
    // Each back end's timing, its names prefixed.
    for (const [name, backEnd] of Object.entries(figures.backEnds)) {
        const {timed, keys} = backEnd;
        const pages = timed.pages;
        const add = (key, value) => { values[name + key[0].toUpperCase() + key.slice(1)] = value; };
        add('name', backEnd.name);
        add('renderer', backEnd.renderer);
        add('ratio', timed.ratio.toFixed(2));
        add('ratioBare', timed.ratioBare.toFixed(2));
        add('ratioVerdict', timed.ratioMet ? 'met' : 'not met');
        add('runs', String(pages.viewer.ms.length));
        for (const [page, times] of Object.entries(pages)) {
            add(`${page}Ms`, times.medianMs.toFixed(0));
            add(`${page}Spread`, `${Math.min(...times.ms).toFixed(0)}–${Math.max(...times.ms).toFixed(0)}`);
        }
        add('keyPresses', String(keys.presses));
        add('keyPanelsMs', ms(keys.toD.outside));
        add('keyWithoutMs', ms(keys.toD.without));
        add('keyRatio', keys.toD.ratio.toFixed(2));
        add('framePanelsMs', ms(keys.toFrameDone.outside));
        add('frameWithoutMs', ms(keys.toFrameDone.without));
        add('frameRatio', keys.toFrameDone.ratio.toFixed(2));
        add('keyVerdict', keys.toD.ratio <= keys.ratioLimit && keys.toFrameDone.ratio <= keys.ratioLimit
            ? 'met' : 'not met');
    }
    // The page's weight: all it loads, the panels' programs included, as
    // the weight check counts it; the floors, their first loads.
    const pages = figures.backEnds.default.timed.pages;
    const weights = Object.fromEntries(Object.entries(pages).map(([name, f]) =>
        [name, {bytes: f.totalBytes, transferred: f.transferred}]));
    weights.viewer = checked.weight;
    for (const name of Object.keys(pages)) {
        values[`${name}KB`] = formatKB(weights[name].bytes);
        values[`${name}Files`] = Object.entries(weights[name].transferred).sort()
            .map(([file, bytes]) => `${file} ${formatKB(bytes)}`).join(', ');
    }
    const lighthouse = figures.lighthouse;
    Object.assign(values, {
        lighthouseVersion: lighthouse.version,
        lighthouseRuns: String(lighthouse.runs),
        lighthouseScore: String(lighthouse.score),
        lighthouseScores: lighthouse.scores.join(', '),
        lighthouseBlockingMs: lighthouse.totalBlockingMs.toFixed(0),
        lighthouseInteractiveMs: (lighthouse.interactiveMs / 1000).toFixed(1),
        lighthousePaintMs: (lighthouse.contentfulPaintMs / 1000).toFixed(1),
        lighthouseLargestMs: (lighthouse.largestPaintMs / 1000).toFixed(1),
        lighthouseLongTasks: lighthouse.longTasks.map((t) => `${t.script} ${t.ms.toFixed(0)} ms`).join(', '),
        lighthouseVerdict: lighthouse.met ? 'met' : 'not met',
    });
    return values;
}

// The pages: docs/web.md for the learner and the teacher, from web.md.in;
// docs/web-internals.md for whoever maintains the page, with the figures,
// from web-internals.md.in.
const writtenPages = ['web', 'web-internals'];

async function writePage(browser, address, docsDir, renderer, checked, figures) {
    const yoursNear = await picturesOfThePage(browser, address, docsDir);
    const values = pageValues(await browser.version(), renderer, checked, figures, yoursNear);
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-web-values-'));
    try {
        for (const [name, value] of Object.entries(values)) fs.writeFileSync(path.join(folder, name), value);
        for (const page of writtenPages) {
            childProcess.execFileSync(path.join(repoDir, 'tools', 'fill-page.sh'),
                [path.join(__dirname, '..', `${page}.md.in`), folder, path.join(docsDir, `${page}.md`),
                    'make bench-web'], {stdio: 'inherit'});
        }
    } finally {
        fs.rmSync(folder, {recursive: true, force: true});
    }
    console.log(`wrote ${writtenPages.map((page) => path.join(docsDir, `${page}.md`)).join(' and ')}, the ` +
        `page's pictures and your camera's`);
}

module.exports = {writePage};
