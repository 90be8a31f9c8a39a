// The browser test's checks of your own camera (#yours): cameras typed in,
// key by key, against the calls and matrices worked out here; "from the
// viewer's station" after each Enter (and in full screen) giving that
// station's arguments in full, its calls and matrices, and a picture that
// matches the viewer's; each kind of senseless value named, its input
// marked, and nothing else changed (no NaN or infinity shown); a change
// shown by the next animation frame; the sliders, the copy button; the
// volume in coral in the outside view only once a camera is made; and the
// viewer's trace and picture untouched throughout.
'use strict';
const fs = require('fs');
const path = require('path');
const {
    timeoutMs, canvasSize, channelTolerance, changedShare, check, openPage, traceLines, awaitTrace, settle,
    canvasPicture, canvasPixels, elementPicture, decodePng, differingShare,
} = require('./browser');
const {stationArguments, expectedCamera, matrixTolerance, matrixDifference} = require('./stations');

// The preview against the viewer's picture, as the filled views are
// checked: the largest share of pixels apart by more than channelTolerance.
const previewLimit = 0.001;
// The coral of the second volume in the outside view (RGB of 255), and how
// many of its pixels show a volume: the legend's swatch alone has more than
// that, and the documentation's picture has none.
const coral = [217, 115, 77];
const coralPixelsShown = 100;
// The orthographic station's view as gluLookAt's arguments: the identity.
const identityView = [0, 0, 0, 0, 0, -1, 0, 1, 0];
const vectorNames = ['eye-x', 'eye-y', 'eye-z', 'center-x', 'center-y', 'center-z', 'up-x', 'up-y', 'up-z'];
const lensNames = ['fovy', 'aspect', 'near', 'far'];
const boxNames = ['left', 'right', 'bottom', 'top', 'near', 'far'];

// Replace an input's text with a real selection and one real insertion
// (one input event); with typed, key by key.
async function enter(page, name, text, typed = false) {
    await page.focus(`#yours-${name}`);
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyA');
    await page.keyboard.up('Control');
    if (text === '') {
        await page.keyboard.press('Backspace');
    } else if (typed) {
        await page.keyboard.type(text);
    } else {
        await page.keyboard.sendCharacter(text);
    }
}

async function chooseKind(page, kind) {
    await page.select('#yours-kind', kind);
}

// What the section shows.
function shown(page) {
    return page.evaluate(() => {
        const text = (id) => document.getElementById(id).textContent;
        return {
            warning: text('yours-warning'),
            calls: text('yours-calls'),
            projection: text('yours-projection'),
            modelview: text('yours-modelview'),
            shows: document.getElementById('yours-calls').dataset.shows,
            marked: Array.from(document.querySelectorAll('#yours [aria-invalid=true]')).map((e) => e.id.slice(6)),
            noted: Array.from(document.querySelectorAll('#yours .noted')).map((e) => e.id.slice(6)),
            kind: document.getElementById('yours-kind').value,
            values: Object.fromEntries(Array.from(document.querySelectorAll('#yours-inputs input[type=number]'))
                .map((e) => [e.id.slice(6), e.value])),
            viewer: {calls: text('calls'), projection: text('projection'), modelview: text('modelview')},
        };
    });
}

function numbersOf(text) {
    return text.trim().split(/\s+/).map(Number);
}

// Pixels of an RGBA picture within the tolerance of a colour.
function pixelsOfColour(picture, colour, tolerance = channelTolerance) {
    let count = 0;
    for (let i = 0; i < picture.pixels.length; i += 4) {
        if (colour.every((c, k) => Math.abs(picture.pixels[i + k] - c) <= tolerance)) count++;
    }
    return count;
}

// Cameras typed in, key by key: perspective and orthographic, off the axes,
// rolled, wide, squashed.
const typedCameras = [
    {what: 'a wide angle close to the scene', kind: 'perspective',
        values: {fovy: '100', aspect: '1', near: '2', far: '60', 'eye-x': '0', 'eye-y': '0', 'eye-z': '20',
            'center-x': '0', 'center-y': '0', 'center-z': '0', 'up-x': '0', 'up-y': '1', 'up-z': '0'}},
    {what: 'an aspect the square canvas does not have', kind: 'perspective',
        values: {fovy: '20', aspect: '2.5', near: '50', far: '150', 'eye-z': '100'}},
    {what: 'a rolled view off the axes', kind: 'perspective',
        values: {fovy: '35.5', aspect: '1.25', near: '10.25', far: '300', 'eye-x': '30', 'eye-y': '-40',
            'eye-z': '120.5', 'center-x': '2', 'center-y': '3', 'center-z': '-4', 'up-x': '1', 'up-y': '1'}},
    {what: 'an orthographic box off centre', kind: 'orthographic',
        values: {left: '-15', right: '5', bottom: '-8.5', top: '12', near: '-30', far: '50', 'eye-x': '0',
            'eye-y': '0', 'eye-z': '0', 'center-x': '0', 'center-y': '0', 'center-z': '-1', 'up-x': '0',
            'up-y': '1', 'up-z': '0'}},
    {what: 'an orthographic view from the side', kind: 'orthographic',
        values: {left: '-12', right: '12', bottom: '-12', top: '12', near: '0', far: '150', 'eye-x': '60',
            'eye-y': '20', 'eye-z': '60', 'center-z': '0'}},
];

// The camera the inputs hold, as numbers, and what it must make.
function expectedFromInputs(state) {
    const v = (name) => Number(state.values[name]);
    const perspective = state.kind === 'perspective';
    const projection = (perspective ? lensNames : boxNames).map(v);
    return expectedCamera(perspective, projection, vectorNames.map(v), canvasSize, canvasSize);
}

async function checkTyped(browser, page) {
    let previous = await canvasPixels(browser, page, '#yours-view');
    for (const camera of typedCameras) {
        await chooseKind(page, camera.kind);
        for (const [name, text] of Object.entries(camera.values)) await enter(page, name, text, true);
        await settle(page);
        const state = await shown(page);
        const expected = expectedFromInputs(state);
        const typedHeld = Object.entries(camera.values).every(([name, text]) => state.values[name] === text);
        check(typedHeld && state.warning === '' && state.calls === expected.calls,
            `your camera, ${camera.what}: the calls shown are those of the values typed`);
        if (state.calls !== expected.calls) console.log(`  shown:    ${JSON.stringify(state.calls)}\n  expected: ${JSON.stringify(expected.calls)}`);
        const difference = Math.max(matrixDifference(state.projection, expected.projection),
            matrixDifference(state.modelview, expected.modelview));
        check(difference <= matrixTolerance, `your camera, ${camera.what}: the matrices shown are those ` +
            `the calls make (largest difference ${difference.toExponential(1)})`);
        const now = await canvasPixels(browser, page, '#yours-view');
        const changed = differingShare(now, previous, channelTolerance);
        check(changed >= changedShare, `your camera, ${camera.what}: its picture changed (${(100 * changed).toFixed(1)} %)`);
        previous = now;
    }
}

// "From the viewer's station" after each station application: every input
// holds the station's arguments in full, the calls and matrices are the
// viewer's (station 0 adds the identity's gluLookAt), and at the canvas's
// size the picture is the viewer's.
const fromStationSteps = [
    {station: 0},
    {key: 'Enter', station: 1},
    {key: 'Enter', station: 2},
    {key: 'Enter', station: 3},
    {key: 'F', station: 3, fullScreen: true},
    {key: 'F', station: 3},
    {key: 'Enter', station: 0},
    {key: 'Enter', station: 1},
];

async function checkFromStation(browser, page, outDir, seen) {
    const screenSize = await page.evaluate(() => [window.screen.width, window.screen.height]);
    const shares = [];
    for (const step of fromStationSteps) {
        const [width, height] = step.fullScreen ? screenSize : [canvasSize, canvasSize];
        const a = stationArguments(step.station, width, height);
        const name = `station ${step.station} at ${width}x${height}`;
        if (step.key) {
            await page.focus('#canvas');
            await page.keyboard.press(step.key);
            seen = await awaitTrace(page, seen, ['K', a.trace, 'D']);
            await page.waitForFunction(() => document.getElementById('calls').dataset.shows ===
                document.getElementById('outside').dataset.shows, {timeout: timeoutMs});
        }
        // In full screen only the viewer's canvas is on the screen: the
        // button is pressed from the page's script.
        if (step.fullScreen) await page.$eval('#yours-from-station', (button) => button.click());
        else await page.click('#yours-from-station');
        await settle(page);
        const state = await shown(page);
        const names = a.perspective ? lensNames : boxNames;
        const view = a.view || identityView;
        const full = names.every((n, i) => state.values[n] === String(a.projection[i])) &&
            vectorNames.every((n, i) => state.values[n] === String(view[i])) &&
            state.kind === (a.perspective ? 'perspective' : 'orthographic');
        check(full, `from the viewer's station, ${name}: every input holds the station's argument in full`);
        // Your canvas keeps its size: only the viewport may differ.
        const viewerCalls = state.viewer.calls.replace(/^glViewport\(.*\);/, `glViewport(0, 0, ${canvasSize}, ${canvasSize});`) +
            (a.view ? '' : '\ngluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);');
        check(state.warning === '' && state.calls === viewerCalls && state.projection === state.viewer.projection &&
            state.modelview === state.viewer.modelview, `from the viewer's station, ${name}: your calls and ` +
            `matrices are the viewer's${a.view ? '' : ' (with the identity view as gluLookAt makes it)'}` +
            `${step.fullScreen ? ', on your canvas\'s viewport' : ''}`);
        if (step.fullScreen) continue;
        const png = await canvasPicture(page, '#yours-view');
        fs.writeFileSync(path.join(outDir, `yours-station-${step.station}.png`), png);
        const viewer = await decodePng(browser, await elementPicture(page, '#canvas'));
        const share = differingShare(await decodePng(browser, png), viewer, channelTolerance);
        shares.push({name, share});
        check(share <= previewLimit, `from the viewer's station, ${name}: your picture is the viewer's ` +
            `(${(100 * share).toFixed(3)} % of pixels differ by more than ${channelTolerance}/255)`);
    }
    return {seen, shares};
}

// Senseless values: each entered after the others it needs; the last one
// entered in one input event, so that the camera before it is the last
// sound one. Station 1's camera first (station 0's for the box). Noted ones
// are sound but surprising: applied, with a note.
const senseless = [
    {what: 'a perspective near at 0', values: {near: '0'}, names: ['near'], words: 'near is 0'},
    {what: 'a perspective near behind the eye', values: {near: '-5'}, names: ['near'], words: 'near is -5'},
    {what: 'a perspective far behind the eye', values: {far: '-1'}, names: ['far'], words: 'far is -1'},
    {what: 'near equal to far', values: {near: '100', far: '100'}, names: ['near', 'far'], words: 'no depth'},
    {what: 'a field of view of 180°', values: {fovy: '180'}, names: ['fovy'], words: 'less than 180'},
    {what: 'a field of view beyond 180°', values: {fovy: '270'}, names: ['fovy'], words: 'fovy is 270'},
    {what: 'a field of view of 0°', values: {fovy: '0'}, names: ['fovy'], words: 'more than 0'},
    {what: 'an aspect of 0', values: {aspect: '0'}, names: ['aspect'], words: 'aspect is 0'},
    {what: 'a negative aspect', values: {aspect: '-2'}, names: ['aspect'], words: 'aspect is -2'},
    {what: 'left equal to right', station: 0, values: {left: '5', right: '5'}, names: ['left', 'right'],
        words: 'no width'},
    {what: 'bottom equal to top', station: 0, values: {bottom: '3', top: '3'}, names: ['bottom', 'top'],
        words: 'no height'},
    {what: 'an orthographic near equal to far', station: 0, values: {far: '-20'}, names: ['near', 'far'],
        words: 'no depth'},
    {what: 'an up vector of length 0', values: {'up-x': '0', 'up-y': '0', 'up-z': '0'},
        names: ['up-x', 'up-y', 'up-z'], words: 'length 0'},
    {what: 'an up vector along the line of sight', values: {'up-y': '0', 'up-z': '1'},
        names: ['up-x', 'up-y', 'up-z'], words: 'lies along the line of sight'},
    {what: 'an eye at the centre', values: {'eye-x': '0', 'eye-y': '0', 'eye-z': '0'},
        names: ['eye-x', 'eye-y', 'eye-z', 'center-x', 'center-y', 'center-z'], words: 'same point'},
    {what: 'an empty input', values: {far: ''}, names: ['far'], words: 'far is empty or not a number'},
    // The browser's number input reads a number too large for a double as
    // no number, and says it could not read it.
    {what: 'a number too large for a double', values: {'eye-z': '1e999'}, names: ['eye-z'],
        words: 'eye-z cannot be read as a number: it is too large'},
    // Extremes: each named as the argument that makes the volume too thin
    // or too large for single precision, not near and far.
    {what: 'a vanishing field of view', values: {fovy: '1e-300'}, names: ['fovy'], words: 'fovy is 1e-300'},
    {what: 'a vanishing aspect', values: {aspect: '1e-300'}, names: ['aspect'], words: 'aspect is 1e-300'},
    {what: 'near and far a hair\'s breadth apart', values: {far: '88.000000000001'}, names: ['near', 'far'],
        words: 'too close for OpenGL\'s single precision'},
    {what: 'left and right a hair\'s breadth apart', station: 0, values: {right: '-9.999999999999'},
        names: ['left', 'right'], words: 'too close for OpenGL\'s single precision'},
    // Sound but surprising: applied, with a note that names its arguments.
    {what: 'far nearer than near', values: {near: '120', far: '80'}, names: ['near', 'far'],
        words: 'depth comes out reversed', noted: true},
    {what: 'a field of view close to 180°', values: {fovy: '175'}, names: ['fovy'], words: 'close to 180',
        noted: true},
];

// The viewer's next station at the canvas's size, by its Enter key.
async function nextStation(page, seen, station) {
    await page.focus('#canvas');
    await page.keyboard.press('Enter');
    return awaitTrace(page, seen, ['K', stationArguments(station, canvasSize, canvasSize).trace, 'D']);
}

// The viewer is at station 1 (where checkFromStation leaves it); station 0
// is three stations on.
async function checkSenseless(page, seen) {
    for (const station of [1, 0]) {
        if (station === 0) {
            for (const next of [2, 3, 0]) seen = await nextStation(page, seen, next);
        }
        for (const value of senseless.filter((v) => (v.station === undefined ? 1 : v.station) === station)) {
            await page.click('#yours-from-station');
            await settle(page);
            const entries = Object.entries(value.values);
            for (const [name, text] of entries.slice(0, -1)) await enter(page, name, text);
            await settle(page);
            const sound = await shown(page);
            const pictures = [await canvasPicture(page, '#yours-view'), await canvasPicture(page, '#outside')];
            const [name, text] = entries[entries.length - 1];
            await enter(page, name, text);
            await settle(page);
            const state = await shown(page);
            const marks = value.noted ? state.noted : state.marked;
            const named = state.warning.includes(value.words) &&
                value.names.every((n) => state.warning.includes(n.split('-')[0])) &&
                JSON.stringify(marks.sort()) === JSON.stringify(value.names.slice().sort()) &&
                (value.noted ? state.marked : state.noted).length === 0;
            check(named, `${value.what}: "${state.warning}", with ${marks.join(', ')} ` +
                `${value.noted ? 'noted' : 'marked'}`);
            if (value.noted) {
                const expected = expectedFromInputs(state);
                check(state.calls === expected.calls && Number(state.shows) === Number(sound.shows) + 1 &&
                    !(await canvasPicture(page, '#yours-view')).equals(pictures[0]),
                `${value.what}: the camera is applied and drawn, with its note`);
                continue;
            }
            const finite = [state.projection, state.modelview].every((m) => {
                const numbers = numbersOf(m);
                return numbers.length === 16 && numbers.every(Number.isFinite);
            });
            const kept = state.calls === sound.calls && state.projection === sound.projection &&
                state.modelview === sound.modelview && state.shows === sound.shows &&
                (await canvasPicture(page, '#yours-view')).equals(pictures[0]) &&
                (await canvasPicture(page, '#outside')).equals(pictures[1]);
            check(finite && kept, `${value.what}: the picture, the outside view, the calls and the finite ` +
                'matrices stay those of the last sound camera');
        }
    }
    await page.click('#yours-from-station');
    await settle(page);
    check((await shown(page)).warning === '' && (await shown(page)).marked.length === 0,
        'from the viewer\'s station again: no message, nothing marked');
    return seen;
}

// A change shows by the next animation frame: the frame that follows the
// input event finds the calls, the picture and the outside view new.
async function checkNextFrame(page) {
    await page.evaluate(() => {
        document.getElementById('yours-inputs').addEventListener('input', () => {
            const shows = document.getElementById('yours-calls').dataset.shows;
            requestAnimationFrame((time) => {
                window.yoursNextFrame = {
                    time, before: shows,
                    shows: document.getElementById('yours-calls').dataset.shows,
                    calls: document.getElementById('yours-calls').textContent,
                    outsideFrame: Number(document.getElementById('outside').dataset.frame),
                };
            });
        });
    });
    await enter(page, 'near', '95');
    await page.waitForFunction(() => window.yoursNextFrame !== undefined, {timeout: timeoutMs});
    const frame = await page.evaluate(() => window.yoursNextFrame);
    check(Number(frame.shows) === Number(frame.before) + 1 && /(gluPerspective|glOrtho)\([^)]*, 95, /.test(frame.calls) &&
        frame.outsideFrame === frame.time, 'a change of near shows in the calls, the matrices and the outside ' +
        'view by the next animation frame');
}

// The sliders move their input; the copy button copies the calls.
async function checkSliderAndCopy(page, context, address) {
    await page.click('#yours-from-station');
    await settle(page);
    const slider = await page.$eval('#yours-fovy-slider', (s) => s.value);
    await page.focus('#yours-fovy-slider');
    await page.keyboard.press('ArrowRight');
    await settle(page);
    const state = await shown(page);
    const moved = (Number(slider) + 0.1).toFixed(1);
    check(state.values.fovy === moved && state.calls.includes(`gluPerspective(${moved}, `),
        `the fovy slider, moved one step from ${slider}, sets fovy to ${state.values.fovy} and the calls follow`);
    await context.overridePermissions(new URL(address).origin, ['clipboard-read', 'clipboard-write',
        'clipboard-sanitized-write']);
    await page.click('#yours-copy');
    const copied = await page.evaluate(() => navigator.clipboard.readText());
    check(copied === state.calls && copied.startsWith('glViewport('), 'the copy button copies your calls');
}

async function checkYours(browser, address, outDir) {
    const {context, page, record} = await openPage(browser, address + 'index.html');
    let seen = await awaitTrace(page, 0, ['RO', 'D']);
    await page.waitForSelector('#yours-view[data-ready]', {timeout: timeoutMs});
    await page.waitForSelector('#outside[data-shows]', {timeout: timeoutMs});
    await settle(page);
    const viewerBefore = await elementPicture(page, '#canvas');
    const outsideBefore = await canvasPixels(browser, page, '#outside');
    const state = await shown(page);
    const following = await page.$eval('#yours-follow', (box) => box.checked);
    const viewerCalls = state.viewer.calls + '\ngluLookAt(0, 0, 0, 0, 0, -1, 0, 1, 0);';
    check(following && state.calls === viewerCalls && pixelsOfColour(outsideBefore, coral) === 0,
        'at first your camera follows the viewer\'s station (its calls are the viewer\'s), and the outside ' +
        'view draws no coral volume over the viewer\'s');

    await checkTyped(browser, page);
    const coralPixels = pixelsOfColour(await canvasPixels(browser, page, '#outside'), coral);
    check(coralPixels >= coralPixelsShown, `once a camera is made, the outside view draws it in coral ` +
        `(${coralPixels} pixels)`);
    const viewerAfter = await elementPicture(page, '#canvas');
    check((await traceLines(page)).length === seen && viewerAfter.equals(viewerBefore),
        'typing your camera writes nothing to the viewer\'s trace and leaves its picture as it was');

    const fromStation = await checkFromStation(browser, page, outDir, seen);
    seen = await checkSenseless(page, fromStation.seen);
    await checkNextFrame(page);
    seen = await nextStation(page, seen, 1);
    await checkSliderAndCopy(page, context, address);
    check((await traceLines(page)).length === seen, 'your camera wrote nothing to the viewer\'s trace throughout');
    await page.focus('#canvas');
    await page.keyboard.press('f');
    await awaitTrace(page, seen, ['K', 'D']);
    check(record.errors.length === 0, `no page errors with your camera ${JSON.stringify(record.errors)}; ` +
        'the viewer still answers its keys');
    await context.close();
    return {shares: fromStation.shares, previewLimit};
}

module.exports = {checkYours};
