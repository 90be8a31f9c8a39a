// The page for everyone: the accessibility engine at four moments (as the
// page loads, after a key session, with every panel shown, your own
// camera's too, after Escape); the canvas's description naming the new
// state after Enter, f, z and F, at most once a key; the trace as a log that
// does not announce its lines; leaving the canvas with the keyboard, and
// every control reached with Tab in the page's order; the buttons' size on
// a phone.
'use strict';
const {timeoutMs, check, openPage, setInput, awaitTrace, settle, traceLines} = require('./browser');
const {checkAccessibility} = require('./accessibility');
const {outsideShown} = require('./check-learning');

// A phone's window, CSS pixels, and the least size of a touch target.
const phone = {width: 390, height: 844};
const touchTarget = 44;

// Keys and what the picture shows after each, in the description's words.
const described = [
    {key: 'Enter', lines: ['K', 'RP1 100.00  11.46', 'D'],
        words: 'Station 1: perspective from (0, 0, 100); grey background; filled polygons; 480 by 480 pixels.'},
    {key: 'f', lines: ['K', 'D'],
        words: 'Station 1: perspective from (0, 0, 100); white background; filled polygons; 480 by 480 pixels.'},
    {key: 'z', lines: ['K', 'D'],
        words: 'Station 1: perspective from (0, 0, 100); white background; wireframe; 480 by 480 pixels.'},
    {key: 'F', lines: ['K', 'RP1 100.00  11.46', 'D'], fullScreen: true,
        words: /^Station 1: perspective from \(0, 0, 100\); white background; wireframe; \d+ by \d+ pixels, in full screen\.$/},
    {key: 'F', lines: ['K', 'RP1 100.00  11.46', 'D'],
        words: 'Station 1: perspective from (0, 0, 100); white background; wireframe; 480 by 480 pixels.'},
    {key: 'Enter', lines: ['K', 'RP2 141.42   8.10', 'D'],
        words: 'Station 2: perspective from (100, 0, 100); white background; wireframe; 480 by 480 pixels.'},
];

// The outside view and your own camera, which show once their program has
// loaded.
async function panelsShown(page) {
    await outsideShown(page);
    await page.waitForSelector('#yours-view[data-ready]', {timeout: timeoutMs});
}

// Count the changes of the description from now on, in the page.
function countDescriptionChanges() {
    window.descriptionChanges = 0;
    new MutationObserver(() => { window.descriptionChanges++; })
        .observe(document.getElementById('viewer-state'), {childList: true, characterData: true, subtree: true});
}

async function checkDescriptions(page, seen) {
    await page.evaluate(countDescriptionChanges);
    for (const step of described) {
        const before = await page.evaluate(() => window.descriptionChanges);
        await page.keyboard.press(step.key);
        seen = await awaitTrace(page, seen, step.lines);
        await settle(page);
        const words = await page.$eval('#viewer-state', (element) => element.textContent);
        const changes = await page.evaluate(() => window.descriptionChanges) - before;
        const named = typeof step.words === 'string' ? words === step.words : step.words.test(words);
        check(named && changes <= 1, `after ${step.key} the picture's description is "${words}", changed ${changes} time(s)`);
    }
    return seen;
}

// The down arrow leaves the canvas for the first key button, writing nothing.
async function checkLeaving(page) {
    await page.focus('#canvas');
    const before = (await traceLines(page)).length;
    await page.keyboard.press('ArrowDown');
    await settle(page);
    const focused = await page.evaluate(() => document.activeElement.dataset.key || document.activeElement.id);
    const after = (await traceLines(page)).length;
    check(focused === 'Enter' && after === before,
        `the down arrow moves the focus from the canvas to the first key button (${focused}), writing nothing`);
    await page.focus('#canvas');
}

// From the first key button, Tab reaches every control the page shows, in
// the page's order, and ends on the trace.
async function checkTabOrder(page) {
    const everything = await page.evaluate(() => Array.from(document.querySelectorAll(
        'button, input, select, a[href], [tabindex="0"]'))
        .filter((element) => element.id !== 'canvas' && element.getClientRects().length > 0)
        .map((element) => element.id || element.dataset.key));
    // What comes before the viewer (the other language's link) is reached before it.
    const controls = everything.slice(everything.indexOf('Enter'));
    await page.focus('button[data-key]');
    const reached = [await page.evaluate(() => document.activeElement.dataset.key)];
    while (reached.length < controls.length) {
        await page.keyboard.press('Tab');
        reached.push(await page.evaluate(() => document.activeElement.id || document.activeElement.dataset.key));
    }
    check(JSON.stringify(reached) === JSON.stringify(controls) && reached[reached.length - 1] === 'trace',
        `Tab reaches every control in the page's order, from the key buttons through your camera to the trace ` +
        `(${reached.length} controls${JSON.stringify(reached) === JSON.stringify(controls) ? '' :
            `; reached ${reached.join(' ')}, expected ${controls.join(' ')}`})`);
}

// Your own camera with all it can show: a camera made from the viewer's
// station, a value that makes no sense with its message and its input
// marked; then the orthographic box's inputs.
async function showYours(page) {
    await page.click('#yours-from-station');
    await setInput(page, '#yours-near', '0');
    await page.waitForFunction(() => document.getElementById('yours-warning').textContent !== '',
        {timeout: timeoutMs});
    await settle(page);
}

// Every button on a phone's screen is a finger's size at least.
async function checkTouchTargets(browser, address) {
    const {context, page} = await openPage(browser, address + 'index.html', phone);
    await awaitTrace(page, 0, ['RO', 'D']);
    await panelsShown(page);
    const small = await page.evaluate((least) => Array.from(document.querySelectorAll('button'))
        .map((button) => ({name: button.textContent.trim(), box: button.getBoundingClientRect()}))
        .filter((button) => button.box.width < least || button.box.height < least)
        .map((button) => `${button.name} ${button.box.width.toFixed(0)}x${button.box.height.toFixed(0)}`), touchTarget);
    check(small.length === 0, `on a ${phone.width}-pixel-wide screen every button is at least ` +
        `${touchTarget} by ${touchTarget} (smaller: ${small.join(', ') || 'none'})`);
    await context.close();
}

async function checkAccess(browser, address) {
    const {context, page} = await openPage(browser, address + 'index.html');
    let seen = await awaitTrace(page, 0, ['RO', 'D']);
    await panelsShown(page);
    await checkAccessibility(page, 'as the page loads');
    const trace = await page.$eval('#trace', (element) => [element.getAttribute('role'), element.getAttribute('aria-live')]);
    check(trace[0] === 'log' && trace[1] === 'off',
        `the trace is a log that does not announce its lines (role ${trace[0]}, aria-live ${trace[1]})`);
    seen = await checkDescriptions(page, seen);
    await checkAccessibility(page, 'after a key session');
    await checkLeaving(page);
    await checkTabOrder(page);
    await showYours(page);
    await checkAccessibility(page, 'with every panel shown, your camera\'s message too');
    await page.select('#yours-kind', 'orthographic');
    await settle(page);
    await checkAccessibility(page, 'with your camera\'s orthographic inputs shown');
    await page.focus('#canvas');
    await page.keyboard.press('Escape');
    await awaitTrace(page, seen, ['K']);
    await settle(page);
    await checkAccessibility(page, 'after Escape');
    await context.close();
    await checkTouchTargets(browser, address);
}

module.exports = {checkAccess};
