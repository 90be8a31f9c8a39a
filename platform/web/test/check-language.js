// The page in its two languages. The word tables (words-en.js, words-fr.js)
// hold the same entries, each with the same {names}. In French (asked for
// in the address, and in a browser whose first language is French) the
// page shows and reads out no text of the English table and no common
// English word outside what the viewer and OpenGL write (the trace, the
// calls, the matrices), nor French in English, the outside view draws its
// words in the page's language, and the accessibility
// engine finds nothing; the
// link to the other language keeps the camera the address holds.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const vm = require('vm');
const {timeoutMs, check, openPage, awaitTrace, settle, launchBrowser, chromiumBackEnds} = require('./browser');
const {checkAccessibility} = require('./accessibility');

// The tables as the page gets them.
function wordTables() {
    const context = {};
    for (const language of ['en', 'fr']) {
        vm.runInNewContext(fs.readFileSync(path.join(__dirname, '..', `words-${language}.js`), 'utf8'), context);
    }
    const flat = {};
    for (const language of ['en', 'fr']) flat[language] = flatten(context.varnelleWords[language], '');
    return flat;
}

// A table as one entry per text: nested entries (the reasons, the colours
// ...) by their path, lists by their index.
function flatten(table, prefix) {
    const entries = {};
    for (const [key, value] of Object.entries(table)) {
        if (typeof value === 'string') entries[prefix + key] = value;
        else Object.assign(entries, flatten(value, `${prefix}${key}.`));
    }
    return entries;
}

function placeholders(text) {
    return (text.match(/\{\w+\}/g) || []).sort().join(' ');
}

function checkTables(tables) {
    const english = Object.keys(tables.en);
    const french = Object.keys(tables.fr);
    const missing = english.filter((key) => !(key in tables.fr)).concat(french.filter((key) => !(key in tables.en)));
    const unlike = english.filter((key) => key in tables.fr && placeholders(tables.en[key]) !== placeholders(tables.fr[key]));
    check(missing.length === 0 && unlike.length === 0,
        `the English and French tables have the same ${english.length} entries, each with the same {names}` +
        `${missing.length ? `; only in one: ${missing.join(', ')}` : ''}` +
        `${unlike.length ? `; other {names}: ${unlike.join(', ')}` : ''}`);
}

// What a reader sees or hears of the page in its language: its text outside
// the viewer's and OpenGL's own output and outside what is marked as the
// other language, and its labels, alternatives and titles.
function pageReading() {
    const ownOutput = '#trace, #calls, #projection, #modelview, #yours-calls, #yours-projection, #yours-modelview';
    const texts = [];
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
        const element = node.parentElement;
        if (element.closest(ownOutput) || element.closest('script, style')) continue;
        if (element.closest('[hidden]')) continue;
        // Text marked as the other language's (the link to it) is meant.
        if (element.closest('[lang]').lang !== document.documentElement.lang) continue;
        texts.push(node.textContent);
    }
    for (const element of document.querySelectorAll('[aria-label], [title], [alt], [placeholder]')) {
        if (element.closest('[lang]').lang !== document.documentElement.lang) continue;
        for (const name of ['aria-label', 'title', 'alt', 'placeholder']) {
            if (element.hasAttribute(name)) texts.push(element.getAttribute(name));
        }
    }
    return texts.join('\n');
}

// Common words of each language the other's sentences on this page never hold.
const commonWords = {
    en: /\b(the|and|with|your|from|this|which|press|click|picture)\b/i,
    fr: /(^|[^\wÀ-ÿ])(les|des|avec|votre|vous|pour|une|dans|image|appuyez)(?![\wÀ-ÿ])/i,
};

// A table's texts, in pieces between their {names}, long enough to be a
// phrase and unlike the other table's.
function phrases(tables, language, other) {
    return Object.keys(tables[language]).filter((key) => tables[language][key] !== tables[other][key])
        .flatMap((key) => tables[language][key].split(/\{\w+\}/))
        .map((piece) => piece.trim())
        .filter((piece) => piece.length >= 12 && /[a-z] [a-z]/i.test(piece));
}

// The page in one language, as a reader meets it: loaded, after a key and
// with the outside view and your camera shown; then the accessibility
// engine on it.
async function checkSpoken(page, tables, spoken, how) {
    const other = spoken === 'fr' ? 'en' : 'fr';
    await awaitTrace(page, 0, ['RO', 'D']);
    await page.waitForSelector('#yours-view[data-ready]', {timeout: timeoutMs});
    await page.focus('#canvas');
    await page.keyboard.press('Enter');
    await awaitTrace(page, 2, ['K', 'RP1 100.00  11.46', 'D']);
    await settle(page);
    await page.waitForSelector('#outside[data-shows]', {timeout: timeoutMs});
    const language = await page.evaluate(() => document.documentElement.lang);
    const pictureLanguage = await page.$eval('#outside', (outside) => outside.dataset.language);
    check(pictureLanguage === spoken, `${how}: the outside view draws its words in ` +
        `${tables[spoken].languageName} (${pictureLanguage})`);
    const reading = await page.evaluate(pageReading);
    const found = phrases(tables, other, spoken).filter((phrase) => reading.includes(phrase));
    const word = reading.match(commonWords[other]);
    check(language === spoken && found.length === 0 && !word,
        `${how}: the page speaks ${tables[spoken].languageName} (lang ${language}) and shows no ` +
        `${tables[other].languageName} ` +
        `${found.length ? `phrase ("${found[0]}" and ${found.length - 1} more)` :
            word ? `word ("${reading.slice(Math.max(0, word.index - 30), word.index + 30)}")` : 'text'}`);
    return checkAccessibility(page, how);
}

async function checkLanguage(browser, address) {
    const tables = wordTables();
    checkTables(tables);

    // Asked for in the address, with a camera of one's own: the other
    // language's link keeps it.
    const camera = 'kind=perspective&fovy=40&aspect=1&near=50&far=150&eye=0,0,100&center=0,0,0&up=0,1,0';
    {
        const {context, page} = await openPage(browser, `${address}index.html?${camera}&lang=fr`);
        await checkSpoken(page, tables, 'fr', 'with ?lang=fr');
        const link = await page.$eval('#language-link', (element) => element.getAttribute('href'));
        check(link.includes(camera) && link.endsWith('lang=en'),
            `the link to the English page keeps the camera in the address (${link})`);
        await context.close();
    }

    // English asked for in the address.
    {
        const {context, page} = await openPage(browser, `${address}index.html?lang=en`);
        await checkSpoken(page, tables, 'en', 'with ?lang=en');
        await context.close();
    }

    // A browser whose first language is French, asked for nothing.
    const userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-french-'));
    const french = await launchBrowser('chromium', userDataDir,
        {name: 'French', args: [...chromiumBackEnds.default.args, '--lang=fr-FR', '--accept-lang=fr-FR,fr']});
    try {
        const {context, page} = await openPage(french, `${address}index.html`);
        await checkSpoken(page, tables, 'fr', 'in a browser set to French');
        await context.close();
    } finally {
        await french.close();
        fs.rmSync(userDataDir, {recursive: true, force: true});
    }
}

module.exports = {checkLanguage};
