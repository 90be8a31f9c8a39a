// The browser benchmark's timing: loads of the viewer's page and of the two
// floor pages, each in a fresh browser context, the pages taking turns, with
// the bytes each load transferred; and keys pressed on the viewer with its
// outside view and without it. Figures to report, not checks: timings
// spread widely on a shared machine.
'use strict';
const {timeoutMs, timeLoad, totalBytes, settle} = require('./browser');

// Loads of each page, after one uncounted load of each.
const timingRuns = 21;
// The viewer's first frame against the floor's, at most.
const firstFrameRatioLimit = 1.1;
// The pages timed, each with its address below the server's root.
const timedPages = {viewer: 'index.html', floor: 'floor/index.html', bare: 'floor-bare/index.html'};

// Presses of Enter in each session of key timing, sessions of each kind
// (with the outside view and without), and the limit on the ratio of their
// medians.
const keyPresses = 20;
const keySessions = 4;
const keyRatioLimit = 1.1;
// The files that make the outside view; a page whose requests for them fail
// is the same page without it.
const outsideFiles = /\/observer\.(js|wasm)$/;

function median(values) {
    const sorted = values.slice().sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// For each page: every load's milliseconds to the first D, their median, the
// files of the last load with their bytes, and those bytes in all; and the
// viewer's ratio to each floor, the median of the ratios of the same round's
// loads.
async function timePages(browser, address) {
    const names = Object.keys(timedPages);
    const results = Object.fromEntries(names.map((name) => [name, []]));
    // The order turns round by one page every round.
    for (const name of names) await timeLoad(browser, address + timedPages[name]);
    for (let run = 0; run < timingRuns; run++) {
        for (let i = 0; i < names.length; i++) {
            const name = names[(run + i) % names.length];
            results[name].push(await timeLoad(browser, address + timedPages[name]));
        }
    }
    const figures = {pages: {}};
    for (const name of names) {
        const last = results[name][results[name].length - 1].transferred;
        figures.pages[name] = {
            ms: results[name].map((r) => r.ms),
            medianMs: median(results[name].map((r) => r.ms)),
            transferred: last,
            totalBytes: totalBytes(last),
        };
    }
    const ratio = (floor) => median(results.viewer.map((r, i) => r.ms / results[floor][i].ms));
    figures.ratio = ratio('floor');
    figures.ratioBare = ratio('bare');
    figures.ratioLimit = firstFrameRatioLimit;
    figures.ratioMet = figures.ratio <= firstFrameRatioLimit;
    const page = figures.pages;
    console.log(`note first D after ${page.viewer.medianMs.toFixed(0)} ms (median); the floor's after ` +
        `${page.floor.medianMs.toFixed(0)} ms: ${figures.ratio.toFixed(2)} times (target ${firstFrameRatioLimit}: ` +
        `${figures.ratioMet ? 'met' : 'not met'}); the bare floor's after ${page.bare.medianMs.toFixed(0)} ms: ` +
        `${figures.ratioBare.toFixed(2)} times`);
    return figures;
}

// One session of key timing, in a fresh browser context: Enter pressed
// keyPresses times once the page's panels are ready, each press waiting for
// its frame and the panels' pictures of it. For each press, milliseconds from the key event to its D on
// the console, and to the first task after the frame that wrote D (when the
// frame's work on the page's thread, the outside view's drawing included,
// is done).
async function timeKeySession(browser, url, withOutside) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    if (!withOutside) {
        await page.setRequestInterception(true);
        page.on('request', (request) => (outsideFiles.test(request.url()) ? request.abort() : request.continue()));
    }
    await page.evaluateOnNewDocument(() => {
        window.keyTimes = [];
        window.dTimes = [];
        window.frameDoneTimes = [];
        window.addEventListener('keydown', (event) => window.keyTimes.push(event.timeStamp), true);
        const afterFrame = new MessageChannel();
        afterFrame.port1.onmessage = () => window.frameDoneTimes.push(performance.now());
        const log = console.log;
        console.log = function(...args) {
            if (args[0] === 'D') {
                window.dTimes.push(performance.now());
                afterFrame.port2.postMessage(null);
            }
            return log.apply(console, args);
        };
    });
    await page.goto(url);
    const ready = withOutside ? ['#outside[data-shows]', '#yours-calls[data-shows]'] : ['#calls[data-shows]'];
    for (const selector of ready) await page.waitForSelector(selector, {timeout: timeoutMs});
    await settle(page);
    const toD = [];
    const toFrameDone = [];
    // What the panels last showed: each press waits for them to show its
    // station, so that a press measures its own frame, not the panels'
    // drawing of the press before.
    const panelsShown = () => [document.querySelector('#outside').dataset.drawn,
        (document.querySelector('#yours-calls') || {dataset: {}}).dataset.shows];
    for (let i = 0; i < keyPresses; i++) {
        const before = await page.evaluate(() => window.dTimes.length);
        const shown = await page.evaluate(panelsShown);
        await page.keyboard.press('Enter');
        await page.waitForFunction((n) => window.frameDoneTimes.length > n, {timeout: timeoutMs}, before);
        if (withOutside) {
            await page.waitForFunction(`(${panelsShown})().every((value, i) => value != ${JSON.stringify(shown)}[i])`,
                {timeout: timeoutMs});
        }
        await settle(page);
        const [key, d, done] = await page.evaluate((n) =>
            [window.keyTimes[window.keyTimes.length - 1], window.dTimes[n], window.frameDoneTimes[n]], before);
        toD.push(d - key);
        toFrameDone.push(done - key);
    }
    await context.close();
    return {toD, toFrameDone};
}

// Key timing with the outside view and without, sessions taking turns; the
// medians of every press of each kind and their ratios.
async function timeKeys(browser, address) {
    const kinds = {outside: {toD: [], toFrameDone: []}, without: {toD: [], toFrameDone: []}};
    for (let session = 0; session < keySessions; session++) {
        const order = session % 2 ? ['without', 'outside'] : ['outside', 'without'];
        for (const kind of order) {
            const times = await timeKeySession(browser, address + 'index.html', kind === 'outside');
            kinds[kind].toD.push(...times.toD);
            kinds[kind].toFrameDone.push(...times.toFrameDone);
        }
    }
    const figures = {presses: kinds.outside.toD.length, ratioLimit: keyRatioLimit};
    for (const measure of ['toD', 'toFrameDone']) {
        const outside = median(kinds.outside[measure]);
        const without = median(kinds.without[measure]);
        figures[measure] = {outside, without, ratio: outside / without};
    }
    figures.met = figures.toD.ratio <= keyRatioLimit;
    console.log(`note Enter to D: ${figures.toD.outside.toFixed(1)} ms with the outside view, ` +
        `${figures.toD.without.toFixed(1)} ms without (${figures.toD.ratio.toFixed(2)} times, target ` +
        `${keyRatioLimit}: ${figures.met ? 'met' : 'not met'}); to the end of D's frame: ` +
        `${figures.toFrameDone.outside.toFixed(1)} ms and ${figures.toFrameDone.without.toFixed(1)} ms`);
    return figures;
}

module.exports = {timePages, timeKeys};
