// The order kept in the browser: lines added from the wizard, quantities changed,
// lines deleted, undone and cleared; its downloads byte for byte what pelmora-cli
// order writes for the same RFQ list.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { test } from 'node:test';
import { at, cliOrderFile, openPage, screenshots, serveAndBrowse, settled } from './harness.mjs';

serveAndBrowse();

async function addPart(page, part, quantity) {
  await page.goto(at(`/?part=${part}`));
  await settled(page);
  assert.equal(await page.textContent('#part-number'), part);
  await page.fill('#quantity', String(quantity));
  await settled(page);
  await page.click('#add-to-order');
  await settled(page);
}

function orderRows(page) {
  return page.$$eval('#order-lines tr', (rows) =>
    rows.map((tr) => [tr.querySelector('input').value, ...[...tr.cells].slice(1, 4).map((c) => c.textContent)]),
  );
}

test('an order is built, changed, undone and downloaded as pelmora-cli writes it', async () => {
  const page = await openPage();
  assert.equal(await page.isVisible('#order-empty'), true);

  await addPart(page, 'R090PC0120USG', 2);
  await addPart(page, 'E090PC060K090SG', 1);
  await addPart(page, 'D137GGCG', 7);
  await addPart(page, 'F137PC0120KB', 3);
  // A part already in the order gets the new quantity, as in the window.
  await addPart(page, 'R090PC0120USG', 5);
  let rows = await orderRows(page);
  assert.deepEqual(
    rows.map((r) => [r[0], r[3]]),
    [
      ['5', 'R090PC0120USG'],
      ['1', 'E090PC060K090SG'],
      ['7', 'D137GGCG'],
      ['3', 'F137PC0120KB'],
    ],
  );
  assert.match(rows[0][1], /^\$[\d,]+\.\d\d$/, 'each line is priced by the server');

  // Quantities change in place; Delete, Clear and Undo walk the order's history.
  await page.fill('[aria-label="Quantity of E090PC060K090SG"]', '12');
  await page.press('[aria-label="Quantity of E090PC060K090SG"]', 'Tab');
  await settled(page);
  await page.click('[aria-label="Delete F137PC0120KB"]');
  await settled(page);
  assert.deepEqual((await orderRows(page)).map((r) => r[0] + ' ' + r[3]), ['5 R090PC0120USG', '12 E090PC060K090SG', '7 D137GGCG']);
  await page.click('#order-clear');
  await settled(page);
  assert.equal(await page.isVisible('#order-empty'), true);
  await page.click('#order-undo');
  await settled(page);
  await page.click('#order-undo');
  await settled(page);
  rows = await orderRows(page);
  assert.deepEqual(rows.map((r) => r[0] + ' ' + r[3]), ['5 R090PC0120USG', '12 E090PC060K090SG', '7 D137GGCG', '3 F137PC0120KB']);

  // The order outlives the page.
  await page.reload();
  await settled(page);
  assert.deepEqual(await orderRows(page), rows);
  await page.screenshot({ path: `${screenshots}/order.png`, fullPage: true });

  for (const format of ['xls', 'txt', 'xml']) {
    const posted = page.waitForRequest((r) => r.url().endsWith(`/api/order?format=${format}`));
    const download = page.waitForEvent('download');
    await page.click(`[data-format=${format}]`);
    const rfq = (await posted).postData();
    const file = await download;
    assert.equal(file.suggestedFilename(), `order.${format}`);
    const bytes = await readFile(await file.path());
    assert.deepEqual(
      rfq.split('\n').filter(Boolean).map((line) => line.split('\t').slice(0, 2).join(' ')),
      rows.map((r) => `${r[0]} ${r[3]}`),
      'the RFQ list holds the lines shown',
    );
    assert.ok(bytes.length > 0);
    assert.ok(bytes.equals(await cliOrderFile(rfq, format)), `order.${format} as pelmora-cli writes it`);
    if (format === 'xls') assert.ok(bytes.includes(Buffer.from('90\xb0 Twist', 'latin1')), 'Windows-1252 text');
  }
  assert.deepEqual(page.scriptErrors, []);
  await page.context().close();
});
