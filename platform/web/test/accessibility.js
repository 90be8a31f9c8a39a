// The accessibility engine in the browser test: axe-core (pinned in
// package-lock.json) run on the page as it stands, with the WCAG 2.1 A and
// AA rules and its best practices. A violation fails the check and is shown
// with its rule, the elements and the engine's help; what the engine cannot
// decide is listed for a person to look at.
'use strict';
const {check} = require('./browser');

const engine = require.resolve('axe-core/axe.min.js');
// The rule sets the page is held to.
const ruleTags = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'];

// The engine's findings on the page: violations and undecided rules, each
// with its rule, help and the elements it concerns.
async function accessibilityFindings(page) {
    if (!(await page.evaluate(() => typeof window.axe === 'object'))) {
        await page.addScriptTag({path: engine});
    }
    return page.evaluate(async (tags) => {
        const results = await window.axe.run(document, {runOnly: {type: 'tag', values: tags}});
        const brief = (finding) => ({
            rule: finding.id,
            impact: finding.impact,
            help: finding.help,
            elements: finding.nodes.map((node) => node.target.join(' ')),
        });
        return {violations: results.violations.map(brief), incomplete: results.incomplete.map(brief)};
    }, ruleTags);
}

// Check the page at one moment: no violation; undecided rules are printed.
async function checkAccessibility(page, moment) {
    const findings = await accessibilityFindings(page);
    check(findings.violations.length === 0, `${moment}: no accessibility violation (WCAG 2.1 A and AA, best practices)`);
    for (const finding of findings.violations) {
        console.log(`  violation ${finding.rule} (${finding.impact}): ${finding.help}; ${finding.elements.join(', ')}`);
    }
    for (const finding of findings.incomplete) {
        console.log(`  undecided ${finding.rule}: ${finding.help}; ${finding.elements.join(', ')}`);
    }
    return findings;
}

module.exports = {accessibilityFindings, checkAccessibility};
