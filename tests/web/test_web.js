#!/usr/bin/env node
// Browser tests: the page in build-web/ served on 127.0.0.1 and driven in
// Debian's Chromium, headless with its software WebGL, through real key
// events. Checks the first lines, a whole key session with its exact trace,
// shifted, non-ASCII and special keys, Escape, and pictures of the canvas
// against the desktop build's pictures of the same views; then weighs the
// page and times it against the floor pages.
//
// Usage: node tests/web/test_web.js BUILD_WEB DESKTOP_PICTURES OUT_DIR [DOCS_DIR]
// DESKTOP_PICTURES holds the tour's PNG files (varnelle-tour). Pictures and
// figures go to OUT_DIR; with DOCS_DIR the figures page and a picture of the
// page are written there too. Exits non-zero if any check failed or
// anything waited for did not come.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [buildDir, desktopDir, outDir, docsDir] = process.argv.slice(2);
if (!outDir) {
    console.error('usage: test_web.js BUILD_WEB DESKTOP_PICTURES OUT_DIR [DOCS_DIR]');
    process.exit(2);
}
const repoDir = path.resolve(__dirname, '..', '..');

// Milliseconds to wait for any one thing.
const timeoutMs = 20000;
// A picture channel may differ by this much (of 255) and still match.
const channelTolerance = 3;
// Largest share of differing pixels allowed: filled solids, wireframe lines.
const filledLimit = 0.001;
const wireframeLimit = 0.01;
// Page weight and first-frame targets.
const weightLimitBytes = 150 * 1024;
const firstFrameRatioLimit = 1.2;
// Loads of each page for the first-frame timing, the pages taking turns.
const timingRuns = 11;
// More of them for the figures written to the docs.
const docsTimingRuns = 31;
// The canvas's width and height in pixels, out of full screen.
const canvasSize = 480;
// The browser's window in CSS pixels: for the tests, and for the docs' picture.
const viewport = {width: 1100, height: 700};
const pageShotViewport = {width: 800, height: 600};

let failures = 0;
function check(condition, what) {
    console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
    if (!condition) failures++;
    return condition;
}

function sleep(ms) {
    return new Promise((resolve) => setTimeout(resolve, ms));
}

// The page's server: tools/serve-web.js on a free port, gzip as served.
async function startServer() {
    const server = childProcess.spawn(process.execPath,
        [path.join(repoDir, 'tools', 'serve-web.js'), buildDir, '0'], {stdio: ['ignore', 'pipe', 'inherit']});
    const address = await new Promise((resolve, reject) => {
        let text = '';
        server.stdout.on('data', (chunk) => {
            text += chunk;
            const match = /http:\/\/127\.0\.0\.1:\d+\//.exec(text);
            if (match) resolve(match[0]);
        });
        server.on('exit', () => reject(new Error('the server stopped')));
    });
    return {server, address};
}

function launchBrowser(userDataDir) {
    return puppeteer.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        defaultViewport: viewport,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
            `--user-data-dir=${userDataDir}`, `--window-size=${viewport.width},${viewport.height}`],
    });
}

// A fresh page (own browser context: no cache) with its trace and console
// recorded: lines are the console's log lines, in order.
async function openPage(browser, url) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const record = {console: [], warnings: [], errors: []};
    page.on('console', (message) => {
        if (message.type() === 'log') record.console.push(message.text());
        else record.warnings.push(message.text());
    });
    page.on('pageerror', (error) => record.errors.push(error.message));
    await page.goto(url);
    return {context, page, record};
}

async function traceLines(page) {
    const text = await page.$eval('#trace', (element) => element.textContent);
    return text === '' ? [] : text.split('\n');
}

// Runs of D are one D: how many frames a change brings is the platform's.
function collapseFrames(lines) {
    return lines.filter((line, i) => !(line === 'D' && lines[i - 1] === 'D'));
}

// Wait until the trace past `from` lines holds the wanted lines, in order,
// with runs of D collapsed; returns the new length of the trace.
async function awaitTrace(page, from, wanted) {
    const deadline = Date.now() + timeoutMs;
    for (;;) {
        const lines = await traceLines(page);
        const fresh = collapseFrames(lines.slice(from));
        if (fresh.length >= wanted.length && wanted.every((line, i) => fresh[i] === line)) {
            return lines.length;
        }
        if (Date.now() > deadline) {
            throw new Error(`timed out waiting for ${JSON.stringify(wanted)}; got ${JSON.stringify(fresh)}`);
        }
        await sleep(20);
    }
}

// Wait for a frame after the first `from` lines of the trace; returns the
// new length of the trace.
async function awaitFrame(page, from) {
    const deadline = Date.now() + timeoutMs;
    for (;;) {
        const lines = await traceLines(page);
        if (lines.slice(from).includes('D')) return lines.length;
        if (Date.now() > deadline) throw new Error('timed out waiting for a frame');
        await sleep(20);
    }
}

// Two animation frames: whatever was drawn before is on the screen.
function settle(page) {
    return page.evaluate(() => new Promise((resolve) =>
        requestAnimationFrame(() => requestAnimationFrame(resolve))));
}

// A key with a character that the browser's US layout lacks, as a keyboard
// with that key sends it.
async function typeCharacter(page, character) {
    const session = await page.createCDPSession();
    for (const type of ['keyDown', 'keyUp']) {
        await session.send('Input.dispatchKeyEvent', {type, key: character, text: type === 'keyDown' ? character : ''});
    }
    await session.detach();
}

// The canvas as a PPM picture: its drawing area only, without the border.
async function canvasPicture(page) {
    const clip = await page.$eval('#canvas', (canvas) => {
        const rect = canvas.getBoundingClientRect();
        return {x: rect.left + canvas.clientLeft, y: rect.top + canvas.clientTop,
            width: canvas.clientWidth, height: canvas.clientHeight};
    });
    return page.screenshot({clip, type: 'png'});
}

// Decode a PNG (with netpbm) into {width, height, pixels} of RGB bytes.
function decodePng(png) {
    const ppm = childProcess.execFileSync('pngtopnm', [], {input: png});
    const header = /^P6\s+(\d+)\s+(\d+)\s+(\d+)\s/.exec(ppm.toString('latin1', 0, 64));
    const width = Number(header[1]);
    const height = Number(header[2]);
    return {width, height, pixels: ppm.subarray(header[0].length)};
}

// Share of pixels where some channel differs by more than the tolerance.
function differingShare(a, b) {
    if (a.width !== b.width || a.height !== b.height) return 1;
    let differing = 0;
    for (let i = 0; i < a.width * a.height; i++) {
        for (let c = 0; c < 3; c++) {
            if (Math.abs(a.pixels[3 * i + c] - b.pixels[3 * i + c]) > channelTolerance) {
                differing++;
                break;
            }
        }
    }
    return differing / (a.width * a.height);
}

// In the page: the runtime's report of a new canvas size to its listeners,
// GLUT's among them (the runtime's objects are globals of the page).
function tellGlutOfResize() {
    Browser.updateResizeListeners();
}

async function testFirstLinesAndSession(browser, address) {
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
    const special = ['ArrowLeft', 'ArrowUp', 'F1', 'Home', 'Insert', 'Shift', 'Control', 'Alt', 'CapsLock'];
    const steps = [
        {keys: ['Enter'], lines: ['K', 'RP1 100.00  11.46', 'D']},
        {keys: ['Enter'], lines: ['K', 'RP2 141.42   8.10', 'D']},
        {keys: ['f'], lines: ['K', 'D']},
        {keys: ['z'], lines: ['K', 'D']},
        {keys: special.concat(['x']), lines: ['K']},
        {keys: ['Space', 'Z', 'Q', 'Tab', 'Backspace', 'Delete'], lines: ['K', 'K', 'K', 'K', 'K', 'K']},
        {modifier: 'Shift', keys: ['Digit1', 'Slash', 'Quote', 'Semicolon'], lines: ['K', 'K', 'K', 'K']},
        {characters: ['é', 'ß', '€', 'ж', '✓'], lines: ['K', 'K', 'K', 'K', 'K']},
        {keys: ['F'], lines: ['K', 'RP2 141.42   8.10', 'D'], fullScreen: true},
        {keys: ['Enter'], lines: ['K', 'RP3 173.21   6.62', 'D']},
        {keys: ['F'], lines: ['K', 'RP3 173.21   6.62', 'D'], fullScreen: false},
        // Full screen left the browser's way: back at 480x480, and the next F
        // restores the size instead of entering full screen.
        {keys: ['F'], lines: ['K', 'RP3 173.21   6.62', 'D'], fullScreen: true},
        {browserLeavesFullScreen: true, lines: ['RP3 173.21   6.62', 'D'], fullScreen: false},
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
    return trace;
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

async function testPictures(browser, address) {
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
        const png = await canvasPicture(page);
        fs.writeFileSync(path.join(outDir, `${view.name}.png`), png);
        const desktop = decodePng(fs.readFileSync(path.join(desktopDir, `${view.name}.png`)));
        const share = differingShare(decodePng(png), desktop);
        const limit = view.limit || filledLimit;
        shares.push({name: view.name, share});
        check(share <= limit, `${view.name}: ${(100 * share).toFixed(3)} % of pixels differ from the desktop's ` +
            `by more than ${channelTolerance}/255 (limit ${100 * limit} %)`);
    }
    await context.close();
    return shares;
}

// One load of a page: bytes transferred (as served, gzip) and milliseconds
// from navigation to the first D on the console.
async function timeLoad(browser, url) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const session = await page.createCDPSession();
    await session.send('Network.enable');
    await session.send('Network.setCacheDisabled', {cacheDisabled: true});
    const transferred = {};
    const urls = {};
    session.on('Network.requestWillBeSent', (e) => { urls[e.requestId] = e.request.url; });
    session.on('Network.loadingFinished', (e) => {
        transferred[path.basename(new URL(urls[e.requestId]).pathname) || 'index.html'] = e.encodedDataLength;
    });
    await page.evaluateOnNewDocument(() => {
        const log = console.log;
        console.log = function(...args) {
            if (args[0] === 'D' && window.firstFrameMs === undefined) window.firstFrameMs = performance.now();
            return log.apply(console, args);
        };
    });
    await page.goto(url);
    await page.waitForFunction(() => window.firstFrameMs !== undefined, {timeout: timeoutMs});
    const ms = await page.evaluate(() => window.firstFrameMs);
    await context.close();
    return {ms, transferred};
}

function median(values) {
    const sorted = values.slice().sort((a, b) => a - b);
    const middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// The pages timed, each with its address below the server's root.
const timedPages = {viewer: 'index.html', floor: 'floor/index.html', bare: 'floor-bare/index.html'};

async function timePages(browser, address) {
    const names = Object.keys(timedPages);
    const results = Object.fromEntries(names.map((name) => [name, []]));
    // One uncounted load of each, then rounds of one load each, the order
    // turning round by one page every round.
    for (const name of names) await timeLoad(browser, address + timedPages[name]);
    const runs = docsDir ? docsTimingRuns : timingRuns;
    for (let run = 0; run < runs; run++) {
        for (let i = 0; i < names.length; i++) {
            const name = names[(run + i) % names.length];
            results[name].push(await timeLoad(browser, address + timedPages[name]));
        }
    }
    const figures = {};
    for (const name of names) {
        const last = results[name][results[name].length - 1].transferred;
        figures[name] = {
            ms: results[name].map((r) => r.ms),
            medianMs: median(results[name].map((r) => r.ms)),
            transferred: last,
            totalBytes: Object.values(last).reduce((a, b) => a + b, 0),
        };
    }
    // Against each floor: the median of the ratios of the same round's loads.
    const ratio = (floor) => median(results.viewer.map((r, i) => r.ms / results[floor][i].ms));
    figures.ratio = ratio('floor');
    figures.ratioBare = ratio('bare');
    check(figures.viewer.totalBytes < weightLimitBytes,
        `the page weighs ${formatKB(figures.viewer.totalBytes)} KB as served (gzip), under 150 KB`);
    // On a shared machine page loads spread widely: the ratio is a figure to
    // report, not a check that would fail at random.
    figures.ratioMet = figures.ratio <= firstFrameRatioLimit;
    console.log(`note first D after ${figures.viewer.medianMs.toFixed(0)} ms (median); the floor's after ` +
        `${figures.floor.medianMs.toFixed(0)} ms: ${figures.ratio.toFixed(2)} times (target ${firstFrameRatioLimit}: ` +
        `${figures.ratioMet ? 'met' : 'not met'}); the bare floor's after ${figures.bare.medianMs.toFixed(0)} ms: ` +
        `${figures.ratioBare.toFixed(2)} times`);
    return figures;
}

function formatKB(bytes) {
    return (bytes / 1024).toFixed(1);
}

// docs/web.md from web/web.md.in, with this run's figures, and a picture of
// the page after three presses of Enter.
async function writeDocs(browser, address, renderer, shares, figures) {
    const {context, page} = await openPage(browser, address + 'index.html');
    let seen = await awaitFrame(page, 0);
    for (let i = 0; i < 3; i++) {
        await page.keyboard.press('Enter');
        seen = await awaitFrame(page, seen);
    }
    await settle(page);
    const pagePicture = 'web-page.png';
    // A narrower window, as on a laptop: the key card goes below the canvas.
    await page.setViewport(pageShotViewport);
    await settle(page);
    await page.screenshot({path: path.join(docsDir, pagePicture), fullPage: true});
    await context.close();

    const git = (...args) => childProcess.execFileSync('git', args, {cwd: repoDir}).toString().trim();
    const dirty = git('status', '--porcelain', '--untracked-files=no') === '' ? '' : ' (with uncommitted changes)';
    const pictureRows = shares.map((s) => `| ${s.name} | ${(100 * s.share).toFixed(3)} % |`).join('\n');
    const files = (name) => Object.entries(figures[name].transferred).sort()
        .map(([file, bytes]) => `${file} ${formatKB(bytes)}`).join(', ');
    const spread = (name) => `${Math.min(...figures[name].ms).toFixed(0)}–${Math.max(...figures[name].ms).toFixed(0)}`;
    const values = {
        date: new Date().toISOString().replace(/\.\d+Z$/, ' UTC').replace('T', ' '),
        revision: git('rev-parse', '--short', 'HEAD') + dirty,
        browser: await browser.version(),
        renderer,
        pictures: pictureRows,
        ratio: figures.ratio.toFixed(2),
        ratioBare: figures.ratioBare.toFixed(2),
        ratioVerdict: figures.ratioMet ? 'met' : 'not met',
        runs: String(figures.viewer.ms.length),
        tolerance: String(channelTolerance),
        pagePicture,
    };
    for (const name of Object.keys(timedPages)) {
        values[`${name}KB`] = formatKB(figures[name].totalBytes);
        values[`${name}Files`] = files(name);
        values[`${name}Ms`] = figures[name].medianMs.toFixed(0);
        values[`${name}Spread`] = spread(name);
    }
    const template = fs.readFileSync(path.join(repoDir, 'web', 'web.md.in'), 'utf8');
    const text = template.replace(/\{(\w+)\}/g, (whole, key) => (key in values ? values[key] : whole));
    fs.writeFileSync(path.join(docsDir, 'web.md'), text);
    console.log(`wrote ${path.join(docsDir, 'web.md')} and ${path.join(docsDir, pagePicture)}`);
}

async function main() {
    fs.mkdirSync(outDir, {recursive: true});
    const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-chromium-'));
    const {server, address} = await startServer();
    let browser = null;
    try {
        browser = await launchBrowser(userDataDir);
        const renderer = await (await browser.newPage()).evaluate(() => {
            const gl = document.createElement('canvas').getContext('webgl');
            const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
            return gl ? (info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER)) : 'none';
        });
        console.log(`browser: ${await browser.version()}; WebGL: ${renderer}; page at ${address}`);
        await testFirstLinesAndSession(browser, address);
        const shares = await testPictures(browser, address);
        const figures = await timePages(browser, address);
        fs.writeFileSync(path.join(outDir, 'figures.json'),
            JSON.stringify({browser: await browser.version(), renderer, shares, figures}, null, 2));
        if (docsDir) await writeDocs(browser, address, renderer, shares, figures);
    } finally {
        if (browser) await browser.close();
        server.kill();
        fs.rmSync(userDataDir, {recursive: true, force: true});
    }
    console.log(failures ? `${failures} check(s) failed` : 'all browser checks passed');
    process.exit(failures ? 1 : 0);
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
