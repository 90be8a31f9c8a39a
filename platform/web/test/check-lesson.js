// The browser test's checks of the page as one lesson: its layout from a
// phone to a projector (the viewer and the outside view side by side from
// 1024 pixels, the outside view drawn at the size it is shown, one column
// and nothing wider than the screen on a phone); your camera following the
// viewer's station (across the stations and full screen), stopping when
// changed and following again; a camera in the page's address (both kinds,
// and a senseless one), and the address #yours-link gives reproducing it;
// your eye turned by a drag (its distance kept) and brought nearer by the
// wheel; one point followed from the scene to its pixel, against the
// test's own arithmetic; the depth plot against the depth formula.
'use strict';
const {timeoutMs, canvasSize, check, openPage, awaitTrace, settle} = require('./browser');
const {expectedStation, expectedCamera, stationArguments, matrixDifference, matrixTolerance} = require('./stations');

// The page's sizes, CSS pixels: a phone, a projector, a laptop, a wide
// screen; from which width the viewer and the outside view are side by
// side, and how wide the outside view must be at 1920.
const sizes = [
    {name: 'a phone', width: 390, height: 844},
    {name: 'a projector', width: 1024, height: 768},
    {name: 'a laptop', width: 1366, height: 768},
    {name: 'a wide screen', width: 1920, height: 1080},
];
const besideFrom = 1024;
const wideOutside = 800;
const wideScreen = 1920;

async function panelsReady(page) {
    await awaitTrace(page, 0, ['RO', 'D']);
    await page.waitForSelector('#yours-view[data-ready]', {timeout: timeoutMs});
    await page.waitForSelector('#outside[data-shows]', {timeout: timeoutMs});
    await settle(page);
}

async function checkLayout(browser, address) {
    for (const size of sizes) {
        const {context, page} = await openPage(browser, address + 'index.html', {width: size.width, height: size.height});
        await panelsReady(page);
        const at = await page.evaluate(() => {
            const box = (id) => {
                const r = document.getElementById(id).getBoundingClientRect();
                return {left: r.left, top: r.top, right: r.right, bottom: r.bottom};
            };
            const outside = document.getElementById('outside');
            const border = outside.offsetWidth - outside.clientWidth;
            return {
                viewer: box('canvas'), outside: box('outside'), yours: box('yours'), numbers: box('numbers'),
                outsideCss: outside.getBoundingClientRect().width - border, outsidePixels: outside.width,
                ratio: window.devicePixelRatio, pageWidth: document.documentElement.scrollWidth,
            };
        });
        const beside = size.width >= besideFrom;
        const placed = beside ? at.outside.left >= at.viewer.right && at.outside.top < at.viewer.bottom
            : at.outside.top >= at.viewer.bottom;
        const inOrder = at.yours.top >= Math.max(at.outside.bottom, at.viewer.bottom) && at.numbers.top >= at.yours.bottom;
        // Two panels of whole pixels: at most a pixel short of the width shown.
        const drawnAtSize = Math.abs(at.outsidePixels - at.outsideCss * at.ratio) <= 2;
        const wideEnough = size.width < wideScreen || at.outsideCss >= wideOutside;
        check(placed && inOrder && drawnAtSize && wideEnough && at.pageWidth <= size.width,
            `on ${size.name} (${size.width}x${size.height}) the outside view is ${beside ? 'beside' : 'under'} the ` +
            `viewer, ${Math.round(at.outsideCss)} CSS pixels wide and drawn on ${at.outsidePixels} pixels; your ` +
            `camera, then the numbers follow; nothing is wider than the screen (${at.pageWidth})`);
        await context.close();
    }
}

// What your camera shows, and what the viewer's station does.
function shown(page) {
    return page.evaluate(() => {
        const text = (id) => document.getElementById(id).textContent;
        return {
            follow: document.getElementById('yours-follow').checked,
            calls: text('yours-calls'), projection: text('yours-projection'), modelview: text('yours-modelview'),
            viewer: {calls: text('calls'), projection: text('projection'), modelview: text('modelview')},
            warning: text('yours-warning'),
            marked: Array.from(document.querySelectorAll('#yours [aria-invalid=true]')).map((e) => e.id.slice(6)),
            link: document.getElementById('yours-link').href,
            values: Object.fromEntries(Array.from(document.querySelectorAll('#yours-inputs input[type=number]'))
                .map((e) => [e.id.slice(6), e.value])),
        };
    });
}

// Your calls are the viewer's, on your canvas's viewport (station 0 adds
// the identity's gluLookAt), and so are the matrices.
function followsViewer(state) {
    const viewerCalls = state.viewer.calls.replace(/^glViewport\(.*\);/, `glViewport(0, 0, ${canvasSize}, ${canvasSize});`) +
        (state.viewer.calls.includes('gluLookAt') ? '' : '\ngluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);');
    return state.calls === viewerCalls && state.projection === state.viewer.projection &&
        state.modelview === state.viewer.modelview;
}

async function yoursShowsNext(page, before) {
    await page.waitForFunction((b) => document.getElementById('yours-calls').dataset.shows !== b,
        {timeout: timeoutMs}, before);
    await settle(page);
}

// Following across the stations and full screen; stopping; following again.
const followSteps = [
    {key: 'Enter', lines: ['K', 'RP1 100.00  11.46', 'D']},
    {key: 'Enter', lines: ['K', 'RP2 141.42   8.10', 'D']},
    {key: 'F', lines: ['K', 'RP2 141.42   8.10', 'D'], fullScreen: true},
    {key: 'Enter', lines: ['K', 'RP3 173.21   6.62', 'D'], fullScreen: true},
    {key: 'F', lines: ['K', 'RP3 173.21   6.62', 'D']},
];

async function checkFollowing(browser, address) {
    const {context, page} = await openPage(browser, address + 'index.html');
    await panelsReady(page);
    let seen = 2;
    check(followsViewer(await shown(page)) && (await shown(page)).follow,
        'at load your camera follows the viewer\'s station: its calls and matrices are the viewer\'s');
    for (const step of followSteps) {
        const before = await page.$eval('#yours-calls', (p) => p.dataset.shows);
        await page.focus('#canvas');
        await page.keyboard.press(step.key);
        seen = await awaitTrace(page, seen, step.lines);
        await yoursShowsNext(page, before);
        check(followsViewer(await shown(page)), `after ${step.key}${step.fullScreen ? ' in full screen' : ''} ` +
            `your camera still follows: ${step.lines[1]}`);
    }
    // Changing an input stops following; the next station leaves your camera as it is.
    await page.$eval('#yours-near', (input) => {
        input.value = '170';
        input.dispatchEvent(new Event('input', {bubbles: true}));
    });
    await settle(page);
    const changed = await shown(page);
    await page.focus('#canvas');
    await page.keyboard.press('Enter');
    seen = await awaitTrace(page, seen, ['K', 'RO', 'D']);
    await settle(page);
    const after = await shown(page);
    check(!changed.follow && after.calls === changed.calls && !followsViewer(after),
        'changing near stops following: the next station leaves your camera as it was');
    const before = await page.$eval('#yours-calls', (p) => p.dataset.shows);
    await page.click('#yours-follow');
    await yoursShowsNext(page, before);
    check((await shown(page)).follow && followsViewer(await shown(page)), 'checking the box follows the viewer again');
    await context.close();
}

// Cameras in the page's address.
const addresses = [
    {what: 'a perspective camera', query: 'kind=perspective&fovy=25&aspect=1.5&near=40&far=160&eye=0,50,100&center=0,0,0&up=0,1,0',
        camera: {perspective: true, projection: [25, 1.5, 40, 160], view: [0, 50, 100, 0, 0, 0, 0, 1, 0]}},
    {what: 'an orthographic camera', query: 'kind=orthographic&left=-15&right=15&bottom=-12&top=12&near=-30&far=30&eye=10,20,30&center=0,0,0&up=0,1,0',
        camera: {perspective: false, projection: [-15, 15, -12, 12, -30, 30], view: [10, 20, 30, 0, 0, 0, 0, 1, 0]}},
    {what: 'a senseless camera', query: 'kind=perspective&fovy=0&aspect=1&near=40&far=160&eye=0,50,100&center=0,0,0&up=0,1,0',
        marked: ['fovy'], words: 'fovy is 0'},
];

async function checkAddresses(browser, address) {
    for (const a of addresses) {
        const {context, page} = await openPage(browser, address + 'index.html?' + a.query);
        await panelsReady(page);
        const state = await shown(page);
        if (a.camera) {
            const c = a.camera;
            const expected = expectedCamera(c.perspective, c.projection, c.view, canvasSize, canvasSize);
            check(!state.follow && state.calls === expected.calls &&
                matrixDifference(state.projection, expected.projection) <= matrixTolerance &&
                matrixDifference(state.modelview, expected.modelview) <= matrixTolerance,
                `an address with ${a.what} opens with it, not following the viewer`);
            // The address the page gives, opened, gives the same camera.
            const again = await openPage(browser, state.link);
            await panelsReady(again.page);
            const reopened = await shown(again.page);
            check(reopened.calls === state.calls && reopened.projection === state.projection &&
                reopened.modelview === state.modelview, `#yours-link reproduces ${a.what} (${state.link})`);
            await again.context.close();
        } else {
            check(!state.follow && state.warning.includes(a.words) && state.marked.join() === a.marked.join(),
                `an address with ${a.what} gets its message ("${state.warning}"), ${state.marked.join(', ')} marked`);
        }
        await context.close();
    }
}

// Your eye turned by hand: a drag keeps its distance from the centre, the
// wheel changes it.
function eyeDistance(values) {
    const v = ['x', 'y', 'z'].map((axis) => Number(values[`eye-${axis}`]) - Number(values[`center-${axis}`]));
    return Math.hypot(...v);
}

async function checkDragAndWheel(browser, address) {
    const {context, page} = await openPage(browser, address + 'index.html', {width: 1366, height: 1400});
    await panelsReady(page);
    await page.$eval('#yours-view', (canvas) => canvas.scrollIntoView({block: 'center'}));
    const box = await page.$eval('#yours-view', (canvas) => {
        const rect = canvas.getBoundingClientRect();
        return {x: rect.left + rect.width / 2, y: rect.top + rect.height / 2};
    });
    const start = await shown(page);
    const dragPixels = 60;
    await page.mouse.move(box.x, box.y);
    await page.mouse.down();
    await page.mouse.move(box.x + dragPixels, box.y + dragPixels / 2, {steps: 6});
    await page.mouse.up();
    await settle(page);
    const dragged = await shown(page);
    const kept = Math.abs(eyeDistance(dragged.values) - eyeDistance(start.values)) <= 1e-6 * eyeDistance(start.values);
    check(!dragged.follow && dragged.values['eye-x'] !== start.values['eye-x'] && kept && dragged.calls !== start.calls,
        `a drag on your picture turns your eye round the centre (${eyeDistance(start.values).toFixed(6)} ` +
        `from it before, ${eyeDistance(dragged.values).toFixed(6)} after) and your camera follows`);
    const wheelPixels = 200;
    await page.mouse.move(box.x, box.y);
    await page.mouse.wheel({deltaY: wheelPixels});
    await settle(page);
    const wheeled = await shown(page);
    check(eyeDistance(wheeled.values) > eyeDistance(dragged.values) * 1.01,
        `the wheel moves your eye farther (${eyeDistance(dragged.values).toFixed(2)} to ` +
        `${eyeDistance(wheeled.values).toFixed(2)})`);
    await context.close();
}

// The followed point against the test's own arithmetic: the tip carried
// through the station's matrices as the test builds them.
function carried(point, station) {
    const times = (m, v) => [0, 1, 2, 3].map((r) => [0, 1, 2, 3].reduce((sum, c) => sum + m[c * 4 + r] * v[c], 0));
    const eye = times(station.modelview, point.concat([1]));
    const clip = times(station.projection, eye);
    const device = clip.slice(0, 3).map((v) => v / clip[3]);
    const window = [(device[0] + 1) * canvasSize / 2, (device[1] + 1) * canvasSize / 2, (device[2] + 1) / 2];
    return {eye, clip, device, window};
}

// What the plot must show: the window depth at a distance in front of the
// eye, for gluPerspective's near and far.
function perspectiveDepth(near, far, distance) {
    return (1 / near - 1 / distance) / (1 / near - 1 / far);
}

async function checkPointAndPlot(browser, address) {
    const {context, page} = await openPage(browser, address + 'index.html');
    await panelsReady(page);
    await page.focus('#canvas');
    await page.keyboard.press('Enter');
    await awaitTrace(page, 2, ['K', 'RP1 100.00  11.46', 'D']);
    const station = expectedStation(1, canvasSize, canvasSize);
    // Each tip in turn.
    const tips = await page.$$eval('#point option', (options) => options.map((o) => o.value));
    let worst = 0;
    for (const value of tips) {
        await page.select('#point', value);
        await settle(page);
        await settle(page);
        const chain = await page.evaluate(() => Array.from(document.querySelectorAll('#point-chain tr[data-camera=viewer]'))
            .map((row) => ({step: row.dataset.step,
                values: Array.from(row.querySelectorAll('td')).map((td) => Number(td.dataset.value))})));
        const tip = await page.evaluate((i) => varnellePage.use('scene').cones[Number(i)].tip, value);
        const expected = carried(tip, station);
        for (const row of chain) {
            row.values.forEach((v, i) => {
                const want = expected[row.step][i];
                worst = Math.max(worst, Math.abs(v - want) / Math.max(1, Math.abs(want)));
            });
        }
    }
    // OpenGL's matrices hold single precision.
    const chainTolerance = 1e-5;
    check(worst <= chainTolerance, `the point followed, each of the ${tips.length} tips through station 1: eye, clip, ` +
        `device and window coordinates as the test works them out (largest relative difference ${worst.toExponential(1)})`);
    const samples = await page.$eval('#depth-plot polyline[data-camera=viewer]', (line) => JSON.parse(line.dataset.samples));
    const [, , near, far] = stationArguments(1, canvasSize, canvasSize).projection;
    const checked = [samples[0], samples[Math.floor(samples.length / 3)], samples[Math.floor(samples.length / 2)],
        samples[samples.length - 1]];
    const plotWorst = Math.max(...checked.map(([d, depth]) => Math.abs(depth - perspectiveDepth(near, far, d))));
    const plotTolerance = 1e-5;
    check(plotWorst <= plotTolerance && Math.abs(checked[0][0] - near) < 1e-3 && Math.abs(checked[3][0] - far) < 1e-3,
        `the depth plot's curve for station 1 runs from near ${near} to far ${far} as (1/near - 1/d) / ` +
        `(1/near - 1/far) (largest difference ${plotWorst.toExponential(1)})`);
    const caption = await page.$eval('#depth-caption', (p) => p.textContent);
    check(/\d+(\.\d)? % of the depth range/.test(caption), `the plot says how much of the depth range the scene gets ("${caption}")`);
    await context.close();
}

async function checkLesson(browser, address) {
    await checkLayout(browser, address);
    await checkFollowing(browser, address);
    await checkAddresses(browser, address);
    await checkDragAndWheel(browser, address);
    await checkPointAndPlot(browser, address);
}

module.exports = {checkLesson};
