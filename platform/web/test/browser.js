// What the browser test's pieces share: the page's server, the browsers
// (Debian's Chromium, headless, and Debian's Firefox ESR) driven through
// puppeteer-core, the viewer's trace as the page shows it, pictures of the
// canvas, and the checks' tally.
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

// Milliseconds to wait for any one thing.
const timeoutMs = 20000;
// The canvas's width and height in pixels, out of full screen.
const canvasSize = 480;
// The browser's window in CSS pixels: the viewer, the outside view and its
// reset button in view together.
const viewport = {width: 1100, height: 700};
// A picture channel may differ by this much (of 255) and still match.
const channelTolerance = 3;
// A change the learner makes (a new station, a turn of the observer, a new
// camera) changes at least this share of a picture.
const changedShare = 0.01;

let failures = 0;
// Note one check, as "ok" or "FAIL" with what it checks.
function check(condition, what) {
    console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
    if (!condition) failures++;
    return condition;
}
function failureCount() {
    return failures;
}

function sleep(ms) {
    return new Promise((resolve) => setTimeout(resolve, ms));
}

// The page's server (serve.js beside this folder) on a free port of
// 127.0.0.1, gzip as served.
async function startServer(buildDir) {
    const server = childProcess.spawn(process.execPath,
        [path.join(__dirname, '..', 'serve.js'), buildDir, '0'], {stdio: ['ignore', 'pipe', 'inherit']});
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

// A command's file in the folders of PATH, or null.
function onPath(command) {
    for (const folder of (process.env.PATH || '').split(path.delimiter)) {
        const file = path.join(folder || '.', command);
        try {
            fs.accessSync(file, fs.constants.X_OK);
            if (fs.statSync(file).isFile()) return file;
        } catch (error) {
            // Not in this folder.
        }
    }
    return null;
}

// Firefox's preferences beyond puppeteer-core's own (which already turn off
// updates, safe browsing and health reports): no captive portal or
// connectivity probes, telemetry, region look-up or DNS over HTTPS, and
// full screen entered and left at once, without its warning.
const firefoxPreferences = {
    'network.captive-portal-service.enabled': false,
    'network.connectivity-service.enabled': false,
    'network.trr.mode': 5,
    'toolkit.telemetry.server': '',
    'browser.region.network.url': '',
    'browser.region.update.enabled': false,
    'full-screen-api.transition-duration.enter': '0 0',
    'full-screen-api.transition-duration.leave': '0 0',
    'full-screen-api.warning.timeout': 0,
};

// The browsers the test drives, by name: the command found on PATH, and how
// it is launched. Chromium runs headless; Firefox, whose headless mode has
// no WebGL here, in a window on the X display of DISPLAY (varnelle-xserver
// gives it one). Both keep their profile in userDataDir and reach nothing
// beyond this machine.
// Chromium's two software paths for WebGL, which machines without a GPU
// fall back to: its default one, and ANGLE on SwiftShader.
const chromiumBackEnds = {
    default: {name: 'Chromium\'s default software path', args: ['--disable-gpu']},
    angle: {name: 'ANGLE on SwiftShader', args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader']},
};

const browsers = {
    chromium: {
        command: 'chromium',
        options: (userDataDir, backEnd = chromiumBackEnds.default) => ({
            headless: true,
            args: ['--no-sandbox', ...backEnd.args, '--disable-quic', '--no-first-run',
                '--disable-background-networking', '--disable-component-update', '--disable-sync',
                `--user-data-dir=${userDataDir}`, `--window-size=${viewport.width},${viewport.height}`],
        }),
    },
    firefox: {
        command: 'firefox-esr',
        options: (userDataDir) => ({
            browser: 'firefox',
            headless: false,
            userDataDir,
            extraPrefsFirefox: firefoxPreferences,
            args: ['--no-remote'],
        }),
    },
};

function launchBrowser(name, userDataDir, backEnd) {
    const kind = browsers[name];
    const executablePath = onPath(kind.command);
    if (!executablePath) {
        throw new Error(`the browser test needs ${kind.command} on PATH ` +
            '(tools/install-deps.sh web installs it)');
    }
    if (name === 'firefox' && !process.env.DISPLAY) {
        throw new Error('Firefox needs an X display: run the test under build/varnelle-xserver');
    }
    return puppeteer.launch({executablePath, defaultViewport: viewport, ...kind.options(userDataDir, backEnd)});
}

// The renderer behind the browser's WebGL.
async function webglRenderer(browser) {
    const page = await browser.newPage();
    const renderer = await page.evaluate(() => {
        const gl = document.createElement('canvas').getContext('webgl');
        const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
        return gl ? (info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER)) : 'none';
    });
    await page.close();
    return renderer;
}

// A fresh page (own browser context: no cache) with its trace and console
// recorded: lines are the console's log lines, in order. With a viewport,
// the page opens in a window of that size.
async function openPage(browser, url, pageViewport) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    if (pageViewport) await page.setViewport(pageViewport);
    const record = {console: [], warnings: [], errors: []};
    page.on('console', (message) => {
        if (message.type() === 'log') record.console.push(message.text());
        else record.warnings.push(message.text());
    });
    page.on('pageerror', (error) => record.errors.push(error.message));
    // The animation frame each D is written in, and when, in
    // window.frameOfEachD and window.timeOfEachD.
    await page.evaluateOnNewDocument(() => {
        window.frameOfEachD = [];
        window.timeOfEachD = [];
        const log = console.log;
        console.log = function(...args) {
            if (args[0] === 'D') {
                window.frameOfEachD.push(document.timeline.currentTime);
                window.timeOfEachD.push(performance.now());
            }
            return log.apply(console, args);
        };
    });
    await page.goto(url);
    return {context, page, record};
}

// The trace as the page has shown it, line by line; the panel keeps only the
// newest lines, and the earlier ones it left out stand here as nulls, so that
// a line keeps its number however long the session.
async function traceLines(page) {
    const {text, omitted} = await page.$eval('#trace', (element) =>
        ({text: element.textContent, omitted: Number(element.dataset.omitted || 0)}));
    return new Array(omitted).fill(null).concat(text === '' ? [] : text.split('\n'));
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

// A picture of an element's drawing area (a canvas, without its border), as
// PNG. The screenshot's clip is in the page's coordinates, so the page's
// scroll is added to the element's place in the window.
async function elementPicture(page, selector) {
    // What the page lays over the pictures (the followed point's marks) is
    // not theirs.
    await page.$$eval('.point-mark', (marks) => marks.forEach((m) => { m.style.visibility = 'hidden'; }));
    const clip = await page.$eval(selector, (element) => {
        const rect = element.getBoundingClientRect();
        return {x: rect.left + element.clientLeft + window.scrollX, y: rect.top + element.clientTop + window.scrollY,
            width: element.clientWidth, height: element.clientHeight};
    });
    const picture = await page.screenshot({clip, type: 'png'});
    await page.$$eval('.point-mark', (marks) => marks.forEach((m) => { m.style.visibility = ''; }));
    return picture;
}

// A canvas's drawing buffer as PNG, whether or not it is on the screen.
async function canvasPicture(page, selector) {
    const url = await page.$eval(selector, (canvas) => canvas.toDataURL('image/png'));
    return Buffer.from(url.slice(url.indexOf(',') + 1), 'base64');
}

// Set an input's text as one change does: one input event, bubbling.
async function setInput(page, selector, text) {
    await page.$eval(selector, (input, value) => {
        input.value = value;
        input.dispatchEvent(new Event('input', {bubbles: true}));
    }, text);
}

// A canvas's drawing buffer, decoded: {width, height, pixels}.
async function canvasPixels(browser, page, selector) {
    return decodePng(browser, await canvasPicture(page, selector));
}

// Decode a PNG into {width, height, pixels} (RGBA bytes), with the browser's
// own decoder, in a page of its own.
async function decodePng(browser, png) {
    const page = await browser.newPage();
    const decoded = await page.evaluate(async (base64) => {
        const image = new Image();
        image.src = 'data:image/png;base64,' + base64;
        await image.decode();
        const canvas = document.createElement('canvas');
        canvas.width = image.naturalWidth;
        canvas.height = image.naturalHeight;
        const context = canvas.getContext('2d');
        context.drawImage(image, 0, 0);
        const bytes = context.getImageData(0, 0, canvas.width, canvas.height).data;
        let text = '';
        const step = 0x8000;
        for (let i = 0; i < bytes.length; i += step) {
            text += String.fromCharCode.apply(null, bytes.subarray(i, i + step));
        }
        return {width: canvas.width, height: canvas.height, pixels: btoa(text)};
    }, png.toString('base64'));
    await page.close();
    return {width: decoded.width, height: decoded.height, pixels: Buffer.from(decoded.pixels, 'base64')};
}

// Share of pixels where some colour channel differs by more than the
// tolerance (of 255), in the rows from firstRow to endRow (all rows if not
// given); 1 if the sizes differ.
function differingShare(a, b, tolerance, firstRow = 0, endRow = a.height) {
    if (a.width !== b.width || a.height !== b.height) return 1;
    const channels = 4;
    let differing = 0;
    for (let i = firstRow * a.width; i < endRow * a.width; i++) {
        for (let c = 0; c < 3; c++) {
            if (Math.abs(a.pixels[channels * i + c] - b.pixels[channels * i + c]) > tolerance) {
                differing++;
                break;
            }
        }
    }
    return differing / ((endRow - firstRow) * a.width);
}

// One load of a page: bytes transferred (as served, gzip), requests of each
// file, and milliseconds from navigation to the first D on the console.
// With whole, the load goes on until the outside view has drawn and your
// camera's program has loaded, so that everything they fetch is counted.
async function timeLoad(browser, url, whole = false) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const session = await page.createCDPSession();
    await session.send('Network.enable');
    await session.send('Network.setCacheDisabled', {cacheDisabled: true});
    const transferred = {};
    const requests = {};
    const urls = {};
    const fileOf = (url) => path.basename(new URL(url).pathname) || 'index.html';
    session.on('Network.requestWillBeSent', (e) => {
        urls[e.requestId] = e.request.url;
        requests[fileOf(e.request.url)] = (requests[fileOf(e.request.url)] || 0) + 1;
    });
    session.on('Network.loadingFinished', (e) => {
        transferred[fileOf(urls[e.requestId])] = e.encodedDataLength;
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
    if (whole) {
        await page.waitForSelector('#outside[data-shows]', {timeout: timeoutMs});
        await page.waitForSelector('#yours-view[data-ready]', {timeout: timeoutMs});
    }
    const ms = await page.evaluate(() => window.firstFrameMs);
    await context.close();
    return {ms, transferred, requests};
}

function totalBytes(transferred) {
    return Object.values(transferred).reduce((a, b) => a + b, 0);
}

function formatKB(bytes) {
    return (bytes / 1024).toFixed(1);
}

module.exports = {
    chromiumBackEnds, timeoutMs, canvasSize, channelTolerance, changedShare, check, failureCount, sleep, startServer, browsers,
    launchBrowser, webglRenderer, openPage, setInput, traceLines, collapseFrames, awaitTrace, awaitFrame, settle,
    elementPicture, canvasPicture, canvasPixels, decodePng, differingShare, timeLoad, totalBytes, formatKB,
};
