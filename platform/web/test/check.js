// The browser test's checks: the page's first lines, a whole key session
// with its exact trace (shifted, non-ASCII and special keys, full screen and
// back, a held key, a change of size, Escape and the silence after it),
// pictures of the canvas against the desktop build's pictures of the same
// views, the panels around the viewer (check-learning.js), your own camera
// (check-yours.js), and the page's weight.
'use strict';
const fs = require('fs');
const path = require('path');
const {
    canvasSize, channelTolerance, check, openPage, traceLines, collapseFrames, awaitTrace, awaitFrame, settle, sleep,
    elementPicture, decodePng, differingShare, timeLoad, totalBytes, formatKB,
} = require('./browser');
const {checkLearning, checkPanels, checkFeatureCard} = require('./check-learning');
const {checkYours} = require('./check-yours');
const {checkLesson} = require('./check-lesson');
const {checkAccess} = require('./check-access');
const {checkLanguage} = require('./check-language');

// Largest share of differing pixels allowed: filled solids, wireframe lines.
const filledLimit = 0.001;
const wireframeLimit = 0.01;
// Everything the page loads, together, as served (gzip).
const weightLimitBytes = 170 * 1024;

// A key with a character that the browser's US layout lacks, as a keyboard
// with that key sends it: over WebDriver BiDi (Firefox) a key may be any
// character; puppeteer-core's keys for Chromium are the US layout's, so
// there the key event goes straight to Chromium's DevTools protocol.
async function typeCharacter(page, character) {
    if (page.browser().protocol !== 'cdp') {
        await page.keyboard.press(character);
        return;
    }
    const session = await page.createCDPSession();
    for (const type of ['keyDown', 'keyUp']) {
        await session.send('Input.dispatchKeyEvent', {type, key: character, text: type === 'keyDown' ? character : ''});
    }
    await session.detach();
}

// In the page: the runtime's report of a new canvas size to its listeners,
// GLUT's among them (the runtime's objects are globals of the page).
function tellGlutOfResize() {
    Browser.updateResizeListeners();
}

async function checkSession(browser, address) {
    const {context, page, record} = await openPage(browser, address + 'index.html');
    // The trace begins RO, D: awaitTrace ends the run with a failure otherwise.
    let seen = await awaitTrace(page, 0, ['RO', 'D']);
    const size = await page.$eval('#canvas', (c) => [c.width, c.height]);
    check(size[0] === canvasSize && size[1] === canvasSize, `canvas backing store is 480x480 (${size})`);
    check(await page.evaluate(() => document.activeElement.id) === 'canvas', 'the canvas has the focus');

    // Each step: the keys, then the trace lines they must bring (runs of D
    // collapsed). Keys with no lines are checked by the next step's lines. A
    // key that brings a frame has a step of its own: keys sent together may
    // share one frame.
    // WebDriver has no Caps Lock key: only Chromium's protocol presses it.
    const special = ['ArrowLeft', 'ArrowUp', 'F1', 'Home', 'Insert', 'Shift', 'Control', 'Alt']
        .concat(browser.protocol === 'cdp' ? ['CapsLock'] : []);
    const steps = [
        {keys: ['Enter'], lines: ['K', 'RP1 100.00  11.46', 'D']},
        {keys: ['Enter'], lines: ['K', 'RP2 141.42   8.10', 'D']},
        {keys: ['f'], lines: ['K', 'D']},
        {keys: ['z'], lines: ['K', 'D']},
        {keys: special.concat(['x']), lines: ['K']},
        {keys: [' ', 'Z', 'Q', 'Tab', 'Backspace', 'Delete'], lines: ['K', 'K', 'K', 'K', 'K', 'K']},
        {modifier: 'Shift', keys: ['Digit1', 'Slash', 'Quote', 'Semicolon'], lines: ['K', 'K', 'K', 'K']},
        {characters: ['é', 'ß', '€', 'ж', '✓'], lines: ['K', 'K', 'K', 'K', 'K']},
        {keys: ['F'], lines: ['K', 'RP2 141.42   8.10', 'D'], fullScreen: true},
        {keys: ['Enter'], lines: ['K', 'RP3 173.21   6.62', 'D']},
        {keys: ['F'], lines: ['K', 'RP3 173.21   6.62', 'D'], fullScreen: false},
        // Full screen left the browser's way: back at 480x480, and the next F
        // restores the size instead of entering full screen. The canvas has
        // that size already, so, as on a desktop, no reshape follows: K alone.
        // The F after it enters full screen again.
        {keys: ['F'], lines: ['K', 'RP3 173.21   6.62', 'D'], fullScreen: true},
        {browserLeavesFullScreen: true, lines: ['RP3 173.21   6.62', 'D'], fullScreen: false},
        {keys: ['F'], lines: ['K'], fullScreen: false},
        {keys: ['F'], lines: ['K', 'RP3 173.21   6.62', 'D'], fullScreen: true},
        {keys: ['F'], lines: ['K', 'RP3 173.21   6.62', 'D'], fullScreen: false},
        {held: 'Enter', repeats: 3, lines: ['K', 'RO', 'D', 'K', 'RP1 100.00  11.46', 'D', 'K', 'RP2 141.42   8.10', 'D']},
        // Control with a letter gives its control code, as on X: Control-M is
        // a carriage return, the next station; Control-A is no command.
        {modifier: 'Control', keys: ['KeyM'], lines: ['K', 'RP3 173.21   6.62', 'D']},
        {modifier: 'Control', keys: ['KeyA'], lines: ['K']},
        {keys: ['z'], lines: ['K', 'D']},
        {keys: ['f'], lines: ['K', 'D']},
        {keys: ['f'], lines: ['K', 'D']},
        // The runtime tells GLUT of a new canvas size: the station, then a frame.
        {runtimeResize: true, lines: ['RP3 173.21   6.62', 'D']},
    ];
    const expected = ['RO', 'D'];
    for (const step of steps) {
        if (step.keys) {
            // Keys pressed while a modifier key is held down, if the step has one.
            if (step.modifier) await page.keyboard.down(step.modifier);
            for (const key of step.keys) await page.keyboard.press(key);
            if (step.modifier) await page.keyboard.up(step.modifier);
        } else if (step.characters) {
            for (const character of step.characters) await typeCharacter(page, character);
        } else if (step.runtimeResize) {
            await page.evaluate(tellGlutOfResize);
        } else if (step.browserLeavesFullScreen) {
            await page.evaluate(() => document.exitFullscreen());
        }
        if (step.held) {
            // Each repeat waits for the frame before it, as a slow repeat would.
            const perRepeat = step.lines.length / step.repeats;
            for (let i = 0; i < step.repeats; i++) {
                await page.keyboard.down(step.held);
                seen = await awaitTrace(page, seen, step.lines.slice(i * perRepeat, (i + 1) * perRepeat));
            }
            await page.keyboard.up(step.held);
        } else {
            seen = await awaitTrace(page, seen, step.lines);
        }
        expected.push(...step.lines);
        if (step.fullScreen !== undefined) {
            await settle(page);
            const state = await page.evaluate(() => [document.fullscreenElement !== null,
                document.getElementById('canvas').width, document.getElementById('canvas').height]);
            const what = step.keys ? step.keys.join(' ') : 'the browser leaving full screen';
            if (step.fullScreen) {
                check(state[0] && state[1] !== canvasSize, `${what}: in full screen (canvas ${state[1]}x${state[2]})`);
            } else {
                check(!state[0] && state[1] === canvasSize && state[2] === canvasSize,
                    `${what}: not in full screen, at 480x480 (canvas ${state[1]}x${state[2]})`);
            }
        }
    }
    check(await page.evaluate(() => window.varnelleExitStatus) === undefined &&
        await page.$eval('#ended', (e) => e.hidden), 'nothing says the viewer ended before Escape');

    await page.keyboard.press('Escape');
    expected.push('K');
    seen = await awaitTrace(page, seen, ['K']);
    check(await page.evaluate(() => window.varnelleExitStatus) === 0, 'Escape: window.varnelleExitStatus is 0');
    const ended = await page.$eval('#ended', (e) => (e.hidden ? '' : e.textContent));
    check(/ended with exit status 0/.test(ended), `Escape: the page says so ("${ended}")`);
    for (const key of ['f', 'Enter', 'z', 'F', 'x']) await page.keyboard.press(key);
    await page.evaluate(tellGlutOfResize);
    await sleep(500);
    await settle(page);

    const trace = await traceLines(page);
    check(JSON.stringify(collapseFrames(trace)) === JSON.stringify(expected),
        'the whole session\'s trace is exact (runs of D collapsed); keys after Escape write nothing');
    if (JSON.stringify(collapseFrames(trace)) !== JSON.stringify(expected)) {
        console.log('  expected: ' + JSON.stringify(expected));
        console.log('  got:      ' + JSON.stringify(collapseFrames(trace)));
    }
    check(JSON.stringify(record.console) === JSON.stringify(trace),
        'every trace line, and nothing else, went to the console log');
    check(record.errors.length === 0, `no page errors ${JSON.stringify(record.errors)}`);
    await context.close();
}

// The tour's views, in the tour's order, each with the key that brings it.
const views = [
    {name: 'station-0-orthographic', keys: []},
    {name: 'station-1-perspective', keys: ['Enter']},
    {name: 'station-2-perspective', keys: ['Enter']},
    {name: 'station-3-perspective', keys: ['Enter']},
    {name: 'wireframe', keys: ['z'], limit: wireframeLimit},
    {name: null, keys: ['z']},
    {name: null, keys: ['Enter']},
    {name: 'background-white', keys: ['f']},
    {name: 'background-black', keys: ['f']},
    {name: 'background-grey', keys: ['f']},
];

async function checkPictures(browser, address, desktopDir, outDir) {
    const {context, page} = await openPage(browser, address + 'index.html');
    let seen = await awaitFrame(page, 0);
    const shares = [];
    for (const view of views) {
        for (const key of view.keys) {
            await page.keyboard.press(key);
            seen = await awaitFrame(page, seen);
        }
        await settle(page);
        if (!view.name) continue;
        const png = await elementPicture(page, '#canvas');
        fs.writeFileSync(path.join(outDir, `${view.name}.png`), png);
        const desktop = await decodePng(browser, fs.readFileSync(path.join(desktopDir, `${view.name}.png`)));
        const share = differingShare(await decodePng(browser, png), desktop, channelTolerance);
        const limit = view.limit || filledLimit;
        shares.push({name: view.name, share});
        check(share <= limit, `${view.name}: ${(100 * share).toFixed(3)} % of pixels differ from the desktop's ` +
            `by more than ${channelTolerance}/255 (limit ${100 * limit} %)`);
    }
    await context.close();
    return shares;
}

// Everything the viewer's page loads, as served, its outside view's program
// and your own camera included: the load is counted until the outside view
// has drawn and your camera's instance of the same program has loaded,
// which fetches nothing more.
async function checkWeight(browser, address) {
    const {transferred, requests} = await timeLoad(browser, address + 'index.html', true);
    const bytes = totalBytes(transferred);
    const files = Object.keys(transferred).sort().join(', ');
    check(bytes < weightLimitBytes && 'observer.wasm' in transferred && 'yours.js' in transferred,
        `the page weighs ${formatKB(bytes)} KB as served (gzip), at most 170 KB, in all its files (${files})`);
    check(Object.values(requests).every((count) => count === 1),
        `each file is fetched once, observer.wasm too for its two instances (${JSON.stringify(requests)})`);
    return {transferred, bytes};
}

// A long session: 1500 Enter presses, as the key buttons press them, ten in
// each animation frame (a frame of the viewer's and the panels' takes tens
// of milliseconds in software). The trace panel keeps its newest lines and
// says how many it left out, the console gets every line, and the time the
// page takes to handle a key (the keyboard callback and its trace lines,
// synchronously) stays what it was at the start.
const longSessionKeys = 1500;
const keysPerFrame = 10;
const keptLines = 2000;
// Keys timed at the start and at the end of the session.
const timedKeys = 100;
async function checkLongSession(browser, address) {
    const {context, page, record} = await openPage(browser, address + 'index.html');
    const before = await awaitTrace(page, 0, ['RO', 'D']);
    const times = await page.evaluate((keys, perFrame) => new Promise((resolve) => {
        const canvas = document.getElementById('canvas');
        const handled = [];
        // The next keys once the frame the last ones asked for is drawn.
        function press() {
            for (let i = 0; i < perFrame && handled.length < keys; i++) {
                const start = performance.now();
                canvas.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
                handled.push(performance.now() - start);
                canvas.dispatchEvent(new KeyboardEvent('keyup', {key: 'Enter', bubbles: true, cancelable: true}));
            }
            if (handled.length === keys) resolve(handled);
            else requestAnimationFrame(() => requestAnimationFrame(press));
        }
        press();
    }), longSessionKeys, keysPerFrame);
    await settle(page);
    const lines = await traceLines(page);
    const shownLines = lines.filter((line) => line !== null).length;
    const omitted = await page.$eval('#trace-omitted', (p) => (p.hidden ? '' : p.textContent));
    const total = record.console.length;
    check(total >= before + 2 * longSessionKeys && lines.length === total && shownLines === keptLines &&
        omitted.startsWith(`${total - keptLines} earlier lines`),
        `after ${longSessionKeys} Enter presses the trace panel keeps the newest ${shownLines} of ${total} lines ` +
        `and says it left ${total - keptLines} out ("${omitted}"); the console has all ${total}`);
    const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
    const first = median(times.slice(0, timedKeys));
    const last = median(times.slice(-timedKeys));
    // Steady: at most twice the start's time, or a millisecond more, for timers' coarseness.
    const slack = 1;
    check(last <= Math.max(2 * first, first + slack), `a key takes as long to handle after ${longSessionKeys} ` +
        `presses as at the start (median ${last.toFixed(2)} ms against ${first.toFixed(2)} ms)`);
    await context.close();
}

// Every check, in turn, in the browsers named beside it; what each returns
// goes into the figures under its name: the pictures' differing shares, the
// outside view's and the page's weight. Firefox checks the viewer as
// Chromium does and the panels in brief; the rest needs Chromium's DevTools
// protocol (touch, the network, text inserted at once) or is the same page
// again. t: {browser, address, buildDirs: {web, desktop}, desktopDir, outDir}.
const both = ['chromium', 'firefox'];
const checks = [
    {name: 'session', browsers: both, run: (t) => checkSession(t.browser, t.address)},
    {name: 'longSession', browsers: ['chromium'], run: (t) => checkLongSession(t.browser, t.address)},
    {name: 'shares', browsers: both, run: (t) => checkPictures(t.browser, t.address, t.desktopDir, t.outDir)},
    {name: 'learning', browsers: ['chromium'],
        run: (t) => checkLearning(t.browser, t.address, t.buildDirs, t.desktopDir, t.outDir)},
    {name: 'panels', browsers: ['firefox'], run: (t) => checkPanels(t.browser, t.address, t.buildDirs.desktop, t.outDir)},
    {name: 'featureCard', browsers: both,
        run: (t) => checkFeatureCard(t.browser, t.address, t.buildDirs.desktop, t.outDir)},
    {name: 'yours', browsers: ['chromium'], run: (t) => checkYours(t.browser, t.address, t.outDir)},
    {name: 'lesson', browsers: ['chromium'], run: (t) => checkLesson(t.browser, t.address)},
    {name: 'access', browsers: ['chromium'], run: (t) => checkAccess(t.browser, t.address)},
    {name: 'language', browsers: ['chromium'], run: (t) => checkLanguage(t.browser, t.address)},
    {name: 'weight', browsers: ['chromium'], run: (t) => checkWeight(t.browser, t.address)},
];

async function runChecks(browserName, browser, address, buildDirs, desktopDir, outDir) {
    const figures = {channelTolerance};
    for (const each of checks.filter((c) => c.browsers.includes(browserName))) {
        figures[each.name] = await each.run({browser, address, buildDirs, desktopDir, outDir});
    }
    return figures;
}

module.exports = {runChecks};
