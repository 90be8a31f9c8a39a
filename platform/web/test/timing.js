// The browser benchmark's timing: loads of the viewer's page and of the two
// floor pages, each in a fresh browser context, the pages taking turns, with
// the bytes each load transferred. Figures to report, not checks: page loads
// spread widely on a shared machine.
'use strict';
const {timeLoad, totalBytes} = require('./browser');

// Loads of each page, after one uncounted load of each.
const timingRuns = 31;
// The viewer's first frame against the floor's, at most.
const firstFrameRatioLimit = 1.2;
// The pages timed, each with its address below the server's root.
const timedPages = {viewer: 'index.html', floor: 'floor/index.html', bare: 'floor-bare/index.html'};

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

module.exports = {timePages};
