// The page checked by axe-core against WCAG 2.1 A and AA in each state a person
// meets: the first screen empty and filled, the second screen with its bands, the
// order with lines, and a refused part number with its message.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { test } from 'node:test';
import { at, openPage, serveAndBrowse, settled } from './harness.mjs';

serveAndBrowse();

const axeSource = await readFile(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// axe's findings as "rule: target" lines, so that a failure names what to fix.
async function violations(page) {
  // Evaluated through the browser's debugging protocol, which the page's
  // Content-Security-Policy does not govern.
  await page.evaluate(axeSource);
  const found = await page.evaluate(async () => {
    const result = await window.axe.run(document, { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } });
    return result.violations.flatMap((v) => v.nodes.map((n) => `${v.id} (${v.impact}): ${n.target.join(' ')}`));
  });
  return found;
}

const states = [
  { name: 'the first screen, nothing chosen', address: '/' },
  { name: 'the first screen of a straight section', address: '/?part=R090PC0120USG', then: '#back', screen: '1' },
  { name: 'the second screen with its bands', address: '/?part=T090UCG', screen: '2' },
  { name: 'a coax adaptor', address: '/?part=C090CNSG' },
  { name: 'an order with a line', address: '/?part=R090PC0120USG', then: '#add-to-order' },
  { name: 'a part number refused', address: '/?part=Q999' },
];

for (const state of states) {
  test(`axe finds nothing on ${state.name}`, async () => {
    const page = await openPage(at(state.address));
    if (state.then) {
      await page.click(state.then);
      await settled(page);
    }
    if (state.screen) assert.equal(await page.evaluate(() => document.body.dataset.screen), state.screen);
    assert.deepEqual(await violations(page), []);
    assert.deepEqual(page.scriptErrors, []);
    await page.context().close();
  });
}
