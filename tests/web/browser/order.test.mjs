// The order kept in the browser: lines added from the wizard, quantities changed,
// lines deleted, undone and cleared; its total; its downloads byte for byte what
// pelmora-cli order writes for the same RFQ list, and its printed pages; a saved
// order opened again; a damaged stored order; the Quick Builder's history.
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { test } from 'node:test';
import { at, cliOrder, cliOrderFile, openPage, pdfText, screenshots, serveAndBrowse, settled } from './harness.mjs';

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
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), 'Delete D137GGCG', 'Delete leaves the focus in the order');
  assert.equal(await page.textContent('#announce'), 'F137PC0120KB deleted from the order.');
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

  const files = {};
  let rfq = '';
  for (const [format, name] of [
    ['xls', 'order.xls'],
    ['txt', 'order.txt'],
    ['xml', 'order.xml'],
    ['bom', 'pelmora38.lom'],
    ['pdf', 'order.pdf'],
  ]) {
    const posted = page.waitForRequest((r) => r.url().endsWith(`/api/order?format=${format}`));
    const download = page.waitForEvent('download');
    await page.click(`[data-format=${format}]`);
    rfq = (await posted).postData();
    const file = await download;
    assert.equal(file.suggestedFilename(), name);
    files[format] = await file.path();
    const bytes = await readFile(files[format]);
    assert.deepEqual(
      rfq.split('\n').filter(Boolean).map((line) => line.split('\t').slice(0, 2).join(' ')),
      rows.map((r) => `${r[0]} ${r[3]}`),
      'the RFQ list holds the lines shown',
    );
    assert.ok(bytes.length > 0);
    if (format === 'pdf') {
      const { text, title } = await pdfText(bytes);
      assert.equal(title, 'Pelmora Order');
      for (const row of rows) assert.match(text, new RegExp(row[3]), `the printed order holds ${row[3]}`);
      assert.match(text, /Page 1 of 1/);
      continue;
    }
    assert.ok(bytes.equals(await cliOrderFile(rfq, format)), `${name} as pelmora-cli writes it`);
    if (format === 'xls') assert.ok(bytes.includes(Buffer.from('90\xb0 Twist', 'latin1')), 'Windows-1252 text');
  }
  const { total, unpriced } = await cliOrder(rfq);
  assert.match(total, /^\$[\d,]+\.\d\d$/);
  const onRequest = unpriced ? ` (${unpriced} line${unpriced === 1 ? '' : 's'} without a price)` : '';
  assert.equal(await page.textContent('#order-total'), total + onRequest);

  // A saved order opened again is the order, in one change to undo.
  await page.click('#order-clear');
  await settled(page);
  for (const format of ['xls', 'txt', 'xml']) {
    await page.setInputFiles('#order-open', files[format]);
    await settled(page);
    assert.deepEqual(await orderRows(page), rows, `order.${format} opened`);
  }
  await page.click('#order-undo');
  await settled(page);
  assert.deepEqual(await orderRows(page), rows, 'undoing one opening leaves the one before');
  assert.deepEqual(page.scriptErrors, []);
  await page.context().close();
});

test('three quick Add to Order clicks are one change to undo', async () => {
  const page = await openPage();
  await addPart(page, 'D137GGCG', 1);
  await page.goto(at('/?part=R090PC0120USG'));
  await settled(page);
  for (let i = 0; i < 3; ++i) await page.click('#add-to-order');
  await settled(page);
  assert.deepEqual((await orderRows(page)).map((r) => r[3]), ['D137GGCG', 'R090PC0120USG']);
  await page.click('#order-undo');
  await settled(page);
  assert.deepEqual((await orderRows(page)).map((r) => r[3]), ['D137GGCG']);
  await page.context().close();
});

test('a damaged stored order keeps its good lines and says what it left out', async () => {
  const page = await openPage();
  const good = { quantity: 2, partNumber: 'D137GGCG', description: 'Rigid twist' };
  await page.evaluate((line) => {
    localStorage.setItem('pelmora38.order', JSON.stringify({ lines: [null, line, { quantity: 'x', partNumber: 'R' }, 7], undo: [[null]] }));
  }, good);
  await page.reload();
  await settled(page);
  assert.deepEqual((await orderRows(page)).map((r) => [r[0], r[3]]), [['2', 'D137GGCG']]);
  assert.match(await page.textContent('#order-status'), /3 damaged lines were left out of the stored order/);
  await page.evaluate(() => localStorage.setItem('pelmora38.order', '{not json'));
  await page.reload();
  await settled(page);
  assert.equal(await page.isVisible('#order-empty'), true);
  assert.match(await page.textContent('#order-status'), /1 damaged line was left out/);
  assert.deepEqual(page.scriptErrors, []);
  await page.context().close();
});

test("the Quick Builder's part numbers are kept in this browser, each once", async () => {
  const page = await openPage();
  for (const part of [' r090pc0120usg', 'D137GGCG', 'R090PC0120USG', 'q999']) {
    await page.fill('#quick-part', part);
    await page.press('#quick-part', 'Enter');
    await settled(page);
  }
  const history = () => page.$$eval('#part-history option', (options) => options.map((o) => o.value));
  assert.deepEqual(await history(), ['R090PC0120USG', 'D137GGCG', 'Q999']);
  await page.reload();
  await settled(page);
  assert.deepEqual(await history(), ['R090PC0120USG', 'D137GGCG', 'Q999']);
  await page.click('#history-clear');
  assert.deepEqual(await history(), []);
  await page.context().close();
});
