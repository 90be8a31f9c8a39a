// The browser test's checks of the panels around the viewer. For every
// station, in the canvas's own size and in full screen: the calls shown
// against those worked out here from the station's definition, the matrices
// shown against those the calls make, and the outside view, drawn by the
// time of the viewer's next D, against the documentation program's picture
// of the same station and size. Then the outside view turned (a drag, the
// wheel, a pinch, the reset button) without a word to the viewer; the key
// buttons; what stays after Escape; the layout from a phone to a projector;
// and the page unpacked from make package-web's archive. In brief (Firefox):
// the first stations in the canvas's size, and the turns.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {
    timeoutMs, canvasSize, channelTolerance, changedShare, check, openPage, startServer, traceLines,
    awaitTrace, settle, canvasPicture, canvasPixels, elementPicture, decodePng, differingShare,
} = require('./browser');
const {expectedStation, matrixTolerance, matrixDifference} = require('./stations');

const repoDir = path.resolve(__dirname, '..', '..', '..');
// The outside view against the documentation's picture: its caption band
// (the top rows, text only) to a few pixels, the whole to a small share
// (dotted lines fall a pixel apart between two rasterisers).
const captionRows = 64;
const captionPixelsLimit = 3;
const outsideLimit = 0.003;

// The documentation program's picture of a station in a window of width x
// height pixels, with panels of panel pixels: the page draws its outside
// view at the size it is shown. Each size's pictures (every station's) are
// drawn on the desktop once a run, into outDir/outside-desktop-WxH-pPANEL/.
const drawnFolders = new Set();
function desktopOutsidePicture(buildDir, outDir, station, width, height, panel) {
    const folder = path.join(outDir, `outside-desktop-${width}x${height}-p${panel}`);
    const file = path.join(folder, 'stations', `station-${station}-${width}x${height}.png`);
    if (!drawnFolders.has(folder)) {
        drawnFolders.add(folder);
        const captionAndLegend = 168;
        const defaultScreen = [1280, 1024];
        const screen = `${Math.max(defaultScreen[0], width, 2 * panel)}x` +
            `${Math.max(defaultScreen[1], height, panel + captionAndLegend)}`;
        childProcess.execFileSync(path.join(buildDir, 'varnelle-xserver'),
            ['--screen', screen, path.join(buildDir, 'lessons', 'varnelle_stations'), '--pictures',
                String(width), String(height), folder, String(panel)], {stdio: ['ignore', 'ignore', 'inherit']});
    }
    return file;
}

// Wait until the outside view shows the station application the calls show;
// the time of the animation frame it was drawn in.
async function outsideShown(page) {
    await page.waitForFunction(() => {
        const shows = document.getElementById('outside').dataset.shows;
        return shows !== undefined && shows === document.getElementById('calls').dataset.shows;
    }, {timeout: timeoutMs});
    return page.evaluate(() => Number(document.getElementById('outside').dataset.frame));
}

// The steps through every station, in the canvas's size and in full screen.
const stationSteps = [
    {station: 0},
    {key: 'Enter', station: 1},
    {key: 'Enter', station: 2},
    {key: 'Enter', station: 3},
    {key: 'F', station: 3, fullScreen: true},
    {key: 'Enter', station: 0, fullScreen: true},
    {key: 'Enter', station: 1, fullScreen: true},
    {key: 'Enter', station: 2, fullScreen: true},
    {key: 'F', station: 2},
];

// The steps, or the first of them (the canvas's size only), from the page's
// first frame on.
async function checkStations(page, browser, buildDir, outDir, steps = stationSteps) {
    const screenSize = await page.evaluate(() => [window.screen.width, window.screen.height]);
    let seen = 0;
    let previous = null;
    const shares = [];
    for (const step of steps) {
        const [width, height] = step.fullScreen ? screenSize : [canvasSize, canvasSize];
        const expected = expectedStation(step.station, width, height);
        const name = `station ${step.station} at ${width}x${height}`;
        const framesBefore = await page.evaluate(() => window.frameOfEachD.length);
        if (step.key) await page.keyboard.press(step.key);
        seen = await awaitTrace(page, seen, (step.key ? ['K'] : []).concat([expected.trace, 'D']));
        await outsideShown(page);
        // The panels load after the viewer's first frame; from then on each
        // station shows in them once the frame of the D that follows it is
        // on the screen, never before: the viewer's frame waits for none of it.
        if (step.key) {
            const [timeOfD, drawn] = await page.evaluate((n) => [window.timeOfEachD[n],
                Number(document.getElementById('outside').dataset.drawn)], framesBefore);
            const soon = 1000;
            check(drawn > timeOfD && drawn - timeOfD < soon, `${name}: the outside view shows it after the ` +
                `viewer's D, ${(drawn - timeOfD).toFixed(0)} ms later`);
        }
        const shown = await page.evaluate(() => ['calls', 'projection', 'modelview']
            .map((id) => document.getElementById(id).textContent));
        check(shown[0] === expected.calls, `${name}: the calls shown are the station's`);
        if (shown[0] !== expected.calls) console.log(`  shown:    ${JSON.stringify(shown[0])}\n  expected: ${JSON.stringify(expected.calls)}`);
        const differences = [matrixDifference(shown[1], expected.projection), matrixDifference(shown[2], expected.modelview)];
        check(Math.max(...differences) <= matrixTolerance, `${name}: the matrices shown are those the calls make ` +
            `(largest difference ${Math.max(...differences).toExponential(1)})`);

        const png = await canvasPicture(page, '#outside');
        fs.writeFileSync(path.join(outDir, `outside-${step.station}-${width}x${height}.png`), png);
        const picture = await decodePng(browser, png);
        const referenceFile = desktopOutsidePicture(buildDir, outDir, step.station, width, height,
            picture.width / 2);
        const reference = await decodePng(browser, fs.readFileSync(referenceFile));
        const share = differingShare(picture, reference, channelTolerance);
        const captionPixels = Math.round(
            differingShare(picture, reference, channelTolerance, 0, captionRows) * captionRows * picture.width);
        shares.push({name, share});
        check(share <= outsideLimit && captionPixels <= captionPixelsLimit,
            `${name}: the outside view is the documentation program's picture (${path.relative(outDir, referenceFile)}): ` +
            `${(100 * share).toFixed(3)} % of pixels differ (limit ${100 * outsideLimit} %), ${captionPixels} in the caption`);
        if (previous) {
            const changed = differingShare(picture, previous, channelTolerance);
            check(changed >= changedShare, `${name}: the outside view changed from the step before (${(100 * changed).toFixed(1)} %)`);
        }
        previous = picture;
    }
    return {seen, shares};
}

// The learner's turns of the outside view: each moves the picture.
async function drag(page, box) {
    const start = {x: box.x + box.width / 4, y: box.y + box.height / 2};
    const reach = {x: 100, y: 40};
    await page.mouse.move(start.x, start.y);
    await page.mouse.down();
    await page.mouse.move(start.x + reach.x, start.y + reach.y, {steps: 5});
    await page.mouse.up();
}

async function wheel(page, box) {
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.wheel({deltaY: -300});
}

// Two fingers moving apart, through the browser's touch emulation (Chromium's
// DevTools protocol).
async function pinch(page, box) {
    const session = await page.createCDPSession();
    await session.send('Emulation.setTouchEmulationEnabled', {enabled: true, maxTouchPoints: 2});
    const centre = {x: box.x + 3 * box.width / 4, y: box.y + box.height / 2};
    const fingers = (apart) => [{x: centre.x - apart, y: centre.y, id: 1}, {x: centre.x + apart, y: centre.y, id: 2}];
    await session.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: fingers(40)});
    for (const apart of [50, 60, 70, 80]) {
        await session.send('Input.dispatchTouchEvent', {type: 'touchMove', touchPoints: fingers(apart)});
    }
    await session.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
    await session.send('Emulation.setTouchEmulationEnabled', {enabled: false});
    await session.detach();
}

async function resetButton(page) {
    await page.click('#reset');
}

const turns = [
    {what: 'a drag with the mouse', act: drag},
    {what: 'the wheel', act: wheel},
    {what: 'a pinch of two fingers', act: pinch, cdp: true},
    {what: 'the reset button', act: resetButton, documented: true},
];

async function checkTurning(page, browser, station, buildDir, outDir) {
    // Its middle on the screen, where the pointer turns it.
    await page.$eval('#outside', (canvas) => canvas.scrollIntoView({block: 'center'}));
    const box = await page.$eval('#outside', (canvas) => {
        const rect = canvas.getBoundingClientRect();
        return {x: rect.left, y: rect.top, width: rect.width, height: rect.height};
    });
    const panel = await page.$eval('#outside', (canvas) => canvas.width / 2);
    const documented = await decodePng(browser, fs.readFileSync(
        desktopOutsidePicture(buildDir, outDir, station, canvasSize, canvasSize, panel)));
    for (const turn of turns.filter((t) => !t.cdp || browser.protocol === 'cdp')) {
        const before = await canvasPixels(browser, page, '#outside');
        const trace = await traceLines(page);
        const frame = await page.$eval('#outside', (canvas) => canvas.dataset.frame);
        await turn.act(page, box);
        await page.waitForFunction((f) => document.getElementById('outside').dataset.frame !== f, {timeout: timeoutMs}, frame);
        await settle(page);
        const after = await canvasPixels(browser, page, '#outside');
        const changed = differingShare(after, before, channelTolerance);
        const same = JSON.stringify(await traceLines(page)) === JSON.stringify(trace);
        const focused = await page.evaluate(() => document.activeElement.id) === 'canvas';
        check(changed >= changedShare && same && focused, `${turn.what} changes the outside view ` +
            `(${(100 * changed).toFixed(1)} % changed), writes nothing to the trace, and leaves the focus on the viewer`);
        if (turn.documented) {
            const share = differingShare(after, documented, channelTolerance);
            check(share <= outsideLimit, `${turn.what} brings back the documentation's viewpoint ` +
                `(${(100 * share).toFixed(3)} % of pixels differ from its picture)`);
        }
    }
}

// Each key button, pressed with the mouse, does what its key does: its
// trace, its effect, and the focus back on the viewer.
const buttonPresses = [
    {key: 'f', lines: ['K', 'D'], picture: 'background-white'},
    {key: 'f', lines: ['K', 'D']},
    {key: 'f', lines: ['K', 'D'], picture: 'background-grey'},
    {key: 'Enter', lines: ['K', 'RP1 100.00  11.46', 'D'], picture: 'station-1-perspective'},
    {key: 'z', lines: ['K', 'D']},
    {key: 'z', lines: ['K', 'D']},
    {key: 'F', lines: ['K', 'RP1 100.00  11.46', 'D'], fullScreen: true},
    {key: 'Escape', lines: ['K'], ends: true},
];

async function checkButtons(browser, address, desktopDir) {
    const {context, page, record} = await openPage(browser, address + 'index.html');
    let seen = await awaitTrace(page, 0, ['RO', 'D']);
    await outsideShown(page);
    for (const press of buttonPresses) {
        await page.click(`button[data-key="${press.key}"]`);
        seen = await awaitTrace(page, seen, press.lines);
        await settle(page);
        const what = `the ${press.key} button`;
        const focused = await page.evaluate(() => document.activeElement.id) === 'canvas';
        check(focused, `${what} writes ${JSON.stringify(press.lines)} and gives the focus back to the viewer`);
        if (press.picture) {
            const desktop = await decodePng(browser, fs.readFileSync(path.join(desktopDir, `${press.picture}.png`)));
            const share = differingShare(await decodePng(browser, await elementPicture(page, '#canvas')), desktop, channelTolerance);
            check(share <= outsideLimit, `${what}: the viewer shows the desktop's ${press.picture} ` +
                `(${(100 * share).toFixed(3)} % of pixels differ)`);
        }
        if (press.fullScreen) {
            check(await page.evaluate(() => document.fullscreenElement !== null), `${what}: the viewer is in full screen`);
            // The button is not on the screen in full screen: the key takes it back.
            await page.keyboard.press('F');
            seen = await awaitTrace(page, seen, press.lines);
        }
        if (press.ends) {
            check(await page.evaluate(() => window.varnelleExitStatus) === 0, `${what}: the viewer ended with status 0`);
        }
    }
    // After the end the panels keep the last state, and the viewer is silent.
    const panels = () => page.evaluate(() => ['calls', 'projection', 'modelview']
        .map((id) => document.getElementById(id).textContent).join('\n'));
    const before = {panels: await panels(), picture: await canvasPicture(page, '#outside')};
    for (const key of ['Enter', 'F', 'f']) await page.click(`button[data-key="${key}"]`);
    await page.keyboard.press('Enter');
    await settle(page);
    const after = {panels: await panels(), picture: await canvasPicture(page, '#outside')};
    check(before.panels !== '' && after.panels === before.panels && after.picture.equals(before.picture) &&
        (await traceLines(page)).length === seen,
    'after Escape the calls, matrices and outside view keep the last state; buttons and keys write nothing');
    check(record.errors.length === 0, `no page errors with the buttons ${JSON.stringify(record.errors)}`);
    await context.close();
}

// From a phone's width to a lecture room's projector.
const layouts = [
    {name: 'a phone', viewport: {width: 375, height: 667}, beside: false},
    {name: 'a projector', viewport: {width: 1024, height: 768}, beside: true, readablePx: 18},
];

async function checkLayouts(browser, address) {
    for (const layout of layouts) {
        const {context, page} = await openPage(browser, address + 'index.html', layout.viewport);
        await awaitTrace(page, 0, ['RO', 'D']);
        await outsideShown(page);
        const at = await page.evaluate(() => {
            const box = (id) => {
                const rect = document.getElementById(id).getBoundingClientRect();
                return {left: rect.left, top: rect.top, right: rect.right, bottom: rect.bottom};
            };
            return {
                canvas: box('canvas'), outside: box('outside'), calls: box('calls'), keys: box('keys'),
                pageWidth: document.documentElement.scrollWidth,
                textPx: Math.min(...['calls', 'projection', 'trace'].map((id) =>
                    parseFloat(getComputedStyle(document.getElementById(id)).fontSize))),
            };
        });
        const placed = layout.beside
            ? at.outside.left >= at.canvas.right && at.outside.top < at.canvas.bottom
            : at.outside.top >= at.canvas.bottom;
        const inOrder = at.calls.top >= Math.min(at.outside.bottom, at.canvas.bottom) && at.keys.top >= at.calls.bottom;
        check(placed && inOrder && at.pageWidth <= layout.viewport.width,
            `on ${layout.name} (${layout.viewport.width}x${layout.viewport.height}) the outside view is ` +
            `${layout.beside ? 'beside' : 'under'} the viewer, the calls and the key card follow, nothing is wider than the screen`);
        if (layout.readablePx) {
            check(at.textPx >= layout.readablePx, `on ${layout.name} the panels' text is ${at.textPx} px ` +
                `(at least ${layout.readablePx})`);
        }
        await context.close();
    }
}

// The archive make package-web leaves, unpacked and served on its own: the
// files of page-files.txt, and a page that loads whole.
async function checkPackage(browser, buildDir) {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-package-'));
    try {
        childProcess.execFileSync('unzip', ['-q', path.join(buildDir, 'varnelle-web.zip'), '-d', folder]);
        const listed = fs.readFileSync(path.join(buildDir, 'page-files.txt'), 'utf8').trim().split('\n').sort();
        const unpacked = fs.readdirSync(folder).sort();
        const {server, address} = await startServer(folder);
        try {
            const {context, page, record} = await openPage(browser, address + 'index.html');
            const failed = [];
            page.on('response', (response) => { if (response.status() >= 400) failed.push(response.url()); });
            await awaitTrace(page, 0, ['RO', 'D']);
            await outsideShown(page);
            check(JSON.stringify(unpacked) === JSON.stringify(listed) && failed.length === 0 && record.errors.length === 0,
                `the archive holds the page's files (${unpacked.join(', ')}), and served alone the page loads whole`);
            await context.close();
        } finally {
            server.kill();
        }
    } finally {
        fs.rmSync(folder, {recursive: true, force: true});
    }
}

// A file of the panels that cannot be loaded: the page says which, where the
// panels would be, and the viewer goes on answering its keys.
const failedLoads = [
    {file: 'observer.wasm', how: 'a network error', respond: (request) => request.abort('failed')},
    {file: 'observer.js', how: 'a 404', respond: (request) => request.respond({status: 404, body: 'not found'})},
    {file: 'outside.js', how: 'a 404', respond: (request) => request.respond({status: 404, body: 'not found'})},
];
async function checkFailedLoads(browser, address) {
    for (const failure of failedLoads) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.setRequestInterception(true);
        page.on('request', (request) => {
            if (new URL(request.url()).pathname.endsWith('/' + failure.file)) failure.respond(request);
            else request.continue();
        });
        await page.goto(address + 'index.html');
        let seen = await awaitTrace(page, 0, ['RO', 'D']);
        await page.waitForSelector('#load-failed:not([hidden])', {timeout: timeoutMs});
        const said = await page.$eval('#load-failed', (p) => p.textContent);
        const hidden = await page.$eval('#outside-view', (s) => s.hidden);
        await page.focus('#canvas');
        await page.keyboard.press('Enter');
        seen = await awaitTrace(page, seen, ['K', 'RP1 100.00  11.46', 'D']);
        check(said.includes(failure.file) && hidden, `${failure.file} failing with ${failure.how}: the page ` +
            `says so ("${said}"), and the viewer still answers`);
        await context.close();
    }
}

async function checkLearning(browser, address, buildDirs, desktopDir, outDir) {
    const {context, page, record} = await openPage(browser, address + 'index.html');
    const {shares} = await checkStations(page, browser, buildDirs.desktop, outDir);
    await checkTurning(page, browser, stationSteps[stationSteps.length - 1].station, buildDirs.desktop, outDir);
    check(record.errors.length === 0, `no page errors through the stations and turns ${JSON.stringify(record.errors)}`);
    await context.close();
    await checkButtons(browser, address, desktopDir);
    await checkLayouts(browser, address);
    await checkPackage(browser, buildDirs.web);
    await checkFailedLoads(browser, address);
    return {shares, channelTolerance, outsideLimit, captionPixelsLimit};
}

// The panels in brief: the first stations in the canvas's size, each with
// its calls, its matrices and the outside view as the documentation
// program draws it; the outside view turned; no page errors.
const briefSteps = stationSteps.slice(0, 3);

async function checkPanels(browser, address, buildDir, outDir) {
    const {context, page, record} = await openPage(browser, address + 'index.html');
    const {shares} = await checkStations(page, browser, buildDir, outDir, briefSteps);
    await checkTurning(page, browser, briefSteps[briefSteps.length - 1].station, buildDir, outDir);
    check(record.errors.length === 0, `no page errors through the panels ${JSON.stringify(record.errors)}`);
    await context.close();
    return {shares};
}

// The feature card: every drawing feature the observer picture may use,
// drawn by the outside view's program in the browser (where gap-fills
// re-create wide and dotted lines, points, bitmap text and pushed
// attributes) and by the documentation program on the desktop. Lines drawn
// as quads and by Mesa differ along their edges, so a share of the pixels
// may differ, a fraction of what one feature drawn wrong would change (one
// colour changed inside a primitive changes 0.4 %).
const featureCardLimit = 0.002;
async function checkFeatureCard(browser, address, buildDir, outDir) {
    const desktop = path.join(outDir, 'features-desktop.png');
    childProcess.execFileSync(path.join(buildDir, 'varnelle-xserver'),
        [path.join(buildDir, 'lessons', 'varnelle_stations'), '--features', desktop],
        {stdio: ['ignore', 'ignore', 'inherit']});
    const {context, page} = await openPage(browser, address + 'index.html');
    await awaitTrace(page, 0, ['RO', 'D']);
    await page.waitForSelector('#outside[data-shows]', {timeout: timeoutMs});
    const url = await page.evaluate(async () => {
        const card = document.createElement('canvas');
        card.width = 480;
        card.height = 240;
        document.body.appendChild(card);
        const program = await varnellePage.use('programs').create(card, 'feature card');
        program.drawFeatures();
        return card.toDataURL('image/png');
    });
    const png = Buffer.from(url.slice(url.indexOf(',') + 1), 'base64');
    fs.writeFileSync(path.join(outDir, 'features-browser.png'), png);
    const share = differingShare(await decodePng(browser, png), await decodePng(browser, fs.readFileSync(desktop)),
        channelTolerance);
    check(share <= featureCardLimit, `the feature card (wide and dotted lines, points, hidden lines, text, ` +
        `pushed attributes) as the desktop draws it: ${(100 * share).toFixed(2)} % of pixels differ by more ` +
        `than ${channelTolerance}/255`);
    await context.close();
    return {share, limit: featureCardLimit};
}

module.exports = {checkLearning, checkPanels, checkFeatureCard, outsideShown};
