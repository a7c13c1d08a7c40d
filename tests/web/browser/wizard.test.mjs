// A configuration of every family walked on the page with the mouse and the
// keyboard, compared with what pelmora-cli says of the same part number and with
// its specification sheet; shared links, however long the session; the Quick
// Builder and conversion boxes; the keyboard and a screen reader's view.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { at, cli, openPage, pdfText, screenshots, serveAndBrowse, settled, shownState } from './harness.mjs';

serveAndBrowse();

// Picks, as with the mouse, the entry of a list that has the given text in a column.
async function choose(page, id, cell) {
  const value = await page.$eval(
    `#${id}`,
    (select, wanted) => {
      const columns = (option) => option.textContent.split(/\u00a0{2,}/).map((t) => t.replace(/\u00a0/g, ' ').trim());
      return [...select.options].find((o) => o.value !== '' && columns(o).includes(wanted))?.value ?? null;
    },
    cell,
  );
  assert.notEqual(value, null, `#${id} offers ${cell}`);
  await page.selectOption(`#${id}`, value);
  await settled(page);
}

// Picks each list's entry in turn, as choose does.
async function chooseEach(page, picks) {
  for (const [id, cell] of Object.entries(picks)) await choose(page, id, cell);
}

// Checks a frequency band by clicking its label: the n-th from the top, or one a
// selector finds.
async function pickBand(page, label) {
  if (typeof label === 'number') await page.locator('#band-list label').nth(label - 1).click();
  else await page.click(`#band-list ${label}`);
  await settled(page);
}

async function press(page, selector, key) {
  await page.focus(selector);
  await page.keyboard.press(key);
  await settled(page);
}

async function typeLength(page, box, text) {
  await page.fill(`#typed-${box}`, text);
  await press(page, `#typed-${box}`, 'Enter');
}

async function selectedText(page, id) {
  return page.$eval(`#${id}`, (s) => s.selectedOptions[0].textContent.replace(/\u00a0+/g, ' ').trim());
}

async function messages(page) {
  return page.$$eval('#messages li', (items) => items.map((li) => li.textContent));
}

// Answers the Confirm Configuration dialog that Create opens.
async function answerDialog(page, answer, shouldSay) {
  await page.click('#create');
  await page.waitForSelector('#confirm[open]');
  assert.match(await page.textContent('#confirm-text'), shouldSay);
  await page.screenshot({ path: `${screenshots}/confirm-dialog.png` });
  await page.click(`#confirm button[value=${answer}]`);
  await settled(page);
}

// Each family: what is done on screen 1 and screen 2 (Create included), the same
// choices for pelmora-cli build, and the part number that comes of it.
const walks = [
  {
    family: 'R',
    // The part number does not tell an adaptor's length: the actions do.
    partLink: false,
    build: ['family=R', 'waveguide=WR90', 'flangeA=C', 'flangeB=U', 'adaptor=yes', 'band=A', 'finish=N'],
    part: 'R090PC0040UAN',
    quantity: 3,
    async screenOne(page) {
      await press(page, '#productType', 'r');
      assert.equal(await selectedText(page, 'productType'), 'R Straight Section');
      await choose(page, 'waveguide', '028');
      assert.match((await messages(page)).join(), /Waveguide size 028 is available by special quote/);
      await chooseEach(page, { waveguide: 'WR90', flangeA: 'C', flangeB: 'U' });
      await typeLength(page, 'length', '18.3');
      assert.equal(await selectedText(page, 'box-length'), '18.5', 'typed lengths go to the next step');
      assert.equal(await page.inputValue('#typed-length'), '18.5');
      await press(page, '#adaptor', 'Space');
      assert.equal(await page.isDisabled('#box-length'), true, 'an adaptor has its own length');
      assert.equal(await selectedText(page, 'box-length'), '4.0');
      await page.screenshot({ path: `${screenshots}/screen-one-straight.png`, fullPage: true });
      await press(page, '#next', 'Enter');
    },
    async screenTwo(page) {
      await page.focus('#band-list input:checked');
      await page.keyboard.press('ArrowDown');
      await settled(page);
      await choose(page, 'finish', 'N');
      await press(page, '#create', 'Enter');
    },
  },
  {
    family: 'C',
    build: ['family=C', 'waveguide=WR90', 'flangeA=K', 'coax=S'],
    part: 'C090KSSG',
    quantity: 1,
    async screenOne(page) {
      await choose(page, 'productType', 'C');
      assert.equal(await page.isVisible('#flangeB'), false);
      await chooseEach(page, { waveguide: 'WR90', flangeA: 'K', coax: 'S' });
      assert.equal(await page.textContent('#flangeB-caption'), 'Coax Type');
      await page.screenshot({ path: `${screenshots}/screen-one-coax.png`, fullPage: true });
      await page.click('#next');
    },
    async screenTwo(page) {
      assert.equal(await page.isDisabled('#finish'), true);
      await page.click('#create');
    },
  },
  {
    family: 'D',
    build: ['units=M', 'family=D', 'waveguide=WR137', 'flangeA=G', 'flangeB=G', 'band=C'],
    part: 'D137GGCG',
    quantity: 2,
    async screenOne(page) {
      await page.check('input[name=units][value=M]');
      await settled(page);
      await chooseEach(page, { productType: 'D', waveguide: 'WR137', flangeA: 'G', flangeB: 'G' });
      assert.match(await page.textContent('#preset'), /mm/);
      await page.click('#next');
    },
    async screenTwo(page) {
      await pickBand(page, 4);
      await page.click('#create');
    },
  },
  {
    family: 'E',
    build: ['family=E', 'waveguide=WR112', 'flangeA=C', 'flangeB=C', 'legA=4.0', 'legB=4.0', 'band=A', 'finish=N'],
    part: 'E112PC040C040AN',
    quantity: 5,
    async screenOne(page) {
      await chooseEach(page, { productType: 'E', waveguide: 'WR112', flangeA: 'C', flangeB: 'C' });
      assert.equal(await page.isVisible('#typed-legA'), false, 'E bends take listed legs only');
      await chooseEach(page, { 'box-legA': '4.0', 'box-legB': '4.0' });
      await page.screenshot({ path: `${screenshots}/screen-one-legs.png`, fullPage: true });
      await page.click('#next');
    },
    async screenTwo(page) {
      await pickBand(page, 2);
      await choose(page, 'finish', 'N');
      await page.click('#create');
    },
  },
  {
    family: 'F',
    build: ['family=F', 'waveguide=WR137', 'flangeA=C', 'flangeB=K', 'length=12.0', 'band=B'],
    part: 'F137PC0120KB',
    quantity: 1,
    async screenOne(page) {
      await chooseEach(page, { productType: 'F', waveguide: 'WR137', flangeA: 'C', flangeB: 'K', 'box-length': '12.0' });
      await page.click('#next');
    },
    async screenTwo(page) {
      await pickBand(page, 'label:has-text("6.67 - 7.61 GHz")');
      await page.click('#create');
    },
  },
  {
    family: 'H',
    build: ['family=H', 'waveguide=WR112', 'flangeA=C', 'flangeB=C', 'legA=2.0', 'legB=2.0', 'band=B'],
    part: 'H112PC020C020BG',
    // Past the quantity the delivery time holds for.
    quantity: 10,
    async screenOne(page) {
      await chooseEach(page, { productType: 'H', waveguide: 'WR112', flangeA: 'C', flangeB: 'C', 'box-legA': '2.0', 'box-legB': '2.0' });
      await page.click('#next');
    },
    async screenTwo(page) {
      await pickBand(page, 3);
      await page.click('#create');
    },
  },
  {
    family: 'M',
    build: ['family=M', 'waveguide=WR90', 'flangeA=U', 'flangeB=C', 'legA=3.0', 'legB=5.0', 'confirm=swap'],
    part: 'M090PC030U050SG',
    quantity: 4,
    async screenOne(page) {
      await chooseEach(page, { productType: 'M', waveguide: 'WR90', flangeA: 'U', flangeB: 'C' });
      await typeLength(page, 'legA', '3.0');
      await typeLength(page, 'legB', '5.0');
      await page.click('#next');
    },
    async screenTwo(page) {
      await answerDialog(page, 'swap', /The shorter leg \(3\.0 in\.\) has a UG Cover flange/);
      assert.equal(await selectedText(page, 'flangeA'), 'C CPR Flat CPR-90F');
    },
  },
  {
    family: 'N',
    build: ['family=N', 'waveguide=WR62', 'flangeA=U', 'flangeB=U', 'legA=2.0', 'legB=4.5', 'band=A'],
    part: 'N062PU020U045AG',
    quantity: 1,
    async screenOne(page) {
      await chooseEach(page, { productType: 'N', waveguide: 'WR62', flangeA: 'U', flangeB: 'U', 'box-legA': '2.0' });
      await typeLength(page, 'legB', '4.5');
      await page.click('#next');
    },
    async screenTwo(page) {
      await pickBand(page, 2);
      await page.click('#create');
    },
  },
  {
    family: 'W',
    partLink: false,
    build: ['family=W', 'waveguide=WR90', 'flangeA=K'],
    // Pressure windows are priced by the maker's representative.
    priced: false,
    part: 'PW090K',
    quantity: 6,
    async screenOne(page) {
      await chooseEach(page, { productType: 'W', waveguide: 'WR90', flangeA: 'K' });
      await page.click('#next');
    },
    async screenTwo(page) {
      await page.click('#create');
      assert.equal(await page.getAttribute('#specs', 'aria-disabled'), 'true', 'pressure windows have no sheet');
    },
  },
  {
    family: 'S',
    partLink: false,
    build: ['family=S', 'waveguide=WR112', 'band=B'],
    part: 'ST112B',
    quantity: 1,
    async screenOne(page) {
      await chooseEach(page, { productType: 'S', waveguide: 'WR112' });
      await page.click('#next');
    },
    async screenTwo(page) {
      await pickBand(page, 'label:has-text("8.08 - 9.26 GHz")');
      await page.click('#create');
    },
  },
  {
    family: 'T',
    // The part number does not tell a tapered transition's band: the actions do.
    partLink: false,
    build: ['family=T', 'waveguide=WR62/WR90', 'flangeA=U', 'flangeB=K', 'band=B', 'confirm=continue'],
    part: 'T062UKG',
    quantity: 2,
    async screenOne(page) {
      await chooseEach(page, { productType: 'T', waveguide: 'WR62/WR90', flangeA: 'U', flangeB: 'K' });
      await page.click('#next');
    },
    async screenTwo(page) {
      await pickBand(page, 3);
      await answerDialog(page, 'continue', /Smaller end \(WR62\) has a UG Cover flange/);
    },
  },
];

// Every visible control of the page has a name a screen reader reads out.
function unnamedControls(page) {
  return page.$$eval('input, select, button, a.button', (controls) =>
    controls
      .filter((c) => c.offsetParent !== null)
      .filter((c) => !(c.labels?.length || c.getAttribute('aria-label') || (c.tagName !== 'INPUT' && c.tagName !== 'SELECT' && c.textContent.trim())))
      .map((c) => c.id || c.outerHTML.slice(0, 60)),
  );
}

// The part compared with pelmora-cli: the same choices built there, the part number
// described there (step twists and pressure windows take their part numbers from
// tables, and a part number alone does not bring them back), the price quoted there.
async function compareWithCommandLine(page, walk) {
  const shown = await shownState(page);
  assert.equal(shown.partNumber, walk.part);
  const gridOf = (document) => document.grid.map((g) => [g.code, g.item, g.value]);
  const built = await cli('build', ...walk.build);
  assert.equal(built.partNumber, shown.partNumber);
  assert.equal(shown.description, built.description);
  assert.deepEqual(shown.grid, gridOf(built));
  if (walk.partLink !== false || walk.family === 'R') {
    const described = await cli('describe', shown.partNumber);
    assert.equal(described.partNumber, shown.partNumber);
    assert.equal(shown.description, described.description);
    assert.deepEqual(shown.grid, gridOf(described));
  }
  const { quotes } = await cli('quote', shown.partNumber, '--qty', String(walk.quantity));
  assert.equal(await page.textContent('#price-total'), quotes[0].total);
  assert.equal(await page.textContent('#price-unit'), quotes[0].unitPrice ?? '–');
  assert.equal(await page.textContent('#price-delivery'), quotes[0].delivery);
  if (walk.priced !== false) assert.match(quotes[0].total, /^\$[\d,]+\.\d\d$/);
}

const literally = (text) => text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');

// The sheet View Specs opens is the configuration on the page: titled with its part
// number, with every line of its description grid but the units. False when the
// page offers no sheet.
async function compareSheet(page) {
  const href = await page.getAttribute('#specs', 'href');
  if (href === null) return false;
  assert.ok(!href.startsWith('/'), `${href} is relative to the page`);
  const shown = await shownState(page);
  const answer = await page.request.get(new URL(href, page.url()).href);
  assert.equal(answer.headers()['content-type'], 'application/pdf');
  const { text, title } = await pdfText(await answer.body());
  assert.equal(title, shown.partNumber);
  assert.match(text, new RegExp(literally(shown.partNumber)));
  for (const [, item, value] of shown.grid.filter(([, item]) => item !== 'Units'))
    assert.match(text, new RegExp(`${literally(item)}\\s+${literally(value)}`), `the sheet's ${item}`);
  return true;
}

// Every family walked, priced, its sheet read, and its address opened by someone else.
for (const walk of walks) {
  test(`family ${walk.family} walked on the page`, async () => {
    const page = await openPage();
    await walk.screenOne(page);
    await settled(page);
    assert.equal(await page.textContent('#screen-caption'), 'Wizard - Screen 2 of 2');
    await walk.screenTwo(page);
    await settled(page);
    await page.fill('#quantity', String(walk.quantity));
    await settled(page);
    await compareWithCommandLine(page, walk);
    assert.equal(await compareSheet(page), !['W', 'S'].includes(walk.family), 'pressure windows and step twists have no sheet');
    assert.deepEqual(await unnamedControls(page), []);
    if (walk.family === 'R' || walk.family === 'T') await page.screenshot({ path: `${screenshots}/screen-two-${walk.family}.png`, fullPage: true });

    const address = new URL(page.url());
    assert.equal(address.searchParams.get('part'), walk.partLink === false ? null : walk.part);
    const fresh = await openPage(address.href);
    assert.deepEqual(await shownState(fresh), await shownState(page), `the link ${address.search}`);
    assert.deepEqual([...page.scriptErrors, ...fresh.scriptErrors], []);
    await page.context().close();
    await fresh.context().close();
  });
}

test('the address holds the actions when the part number cannot; Start over keeps the units', async () => {
  const page = await openPage();
  // Flanges out of catalogue order: the part number sorts them, so only the
  // actions bring this state back.
  await choose(page, 'productType', 'R');
  await choose(page, 'waveguide', 'WR90');
  await choose(page, 'flangeA', 'U');
  await choose(page, 'flangeB', 'C');
  await page.click('#next');
  await settled(page);
  await page.click('#create');
  await settled(page);
  assert.equal(await page.textContent('#part-number'), 'R090PC0120USG');
  assert.deepEqual(new URL(page.url()).searchParams.getAll('a'), ['family=R', 'waveguide=090', 'flangeA=U', 'flangeB=C', 'next', 'create']);
  let fresh = await openPage(page.url());
  assert.deepEqual(await shownState(fresh), await shownState(page));
  await fresh.context().close();

  await page.check('input[name=units][value=M]');
  await settled(page);
  await page.click('#start-over');
  await settled(page);
  assert.equal(await selectedText(page, 'productType'), 'Choose a product type');
  assert.equal(new URL(page.url()).search, '?a=units%3DM');

  // Before Create the address holds the choices made so far.
  await choose(page, 'productType', 'N');
  await choose(page, 'waveguide', 'WR62');
  await choose(page, 'flangeA', 'K');
  await typeLength(page, 'legA', '190');
  const address = new URL(page.url());
  assert.deepEqual(address.searchParams.getAll('a'), ['units=M', 'family=N', 'waveguide=062', 'flangeA=K', 'type:legA=190']);
  fresh = await openPage(address.href);
  assert.deepEqual(await shownState(fresh), await shownState(page));
  await page.context().close();
  await fresh.context().close();
});

test('a long session stays a short link, whatever earlier families left behind', async () => {
  const page = await openPage();
  // A miter bend's editable legs linger, unseen, in the straight section that follows.
  await chooseEach(page, { productType: 'M', waveguide: 'WR90', flangeA: 'U', flangeB: 'C' });
  await typeLength(page, 'legA', '3.0');
  await choose(page, 'productType', 'R');
  await choose(page, 'waveguide', 'WR90');
  for (let i = 0; i < 24; ++i) {
    await choose(page, 'flangeA', i % 2 ? 'U' : 'K');
    await choose(page, 'flangeB', i % 2 ? 'C' : 'U');
  }
  for (let i = 0; i < 30; ++i) {
    await page.fill('#quick-part', i % 2 ? 'R090PC0120USG' : 'R090PK0120UAG');
    await press(page, '#quick-part', 'Enter');
  }
  await choose(page, 'flangeB', 'K');
  assert.equal(await selectedText(page, 'flangeB'), 'K UG Choke UG-40B/U', 'the page still takes actions');
  const actions = new URL(page.url()).searchParams.getAll('a');
  assert.ok(actions.length < 20, `${actions.length} actions after 110 changes`);
  const fresh = await openPage(page.url());
  assert.deepEqual(await shownState(fresh), await shownState(page));
  await page.context().close();
  await fresh.context().close();
});

test('a link with more actions than the server takes opens its first ones and says so', async () => {
  const many = ['family=R', 'waveguide=WR90', 'flangeA=C', ...Array(210).fill('flangeB=U')];
  const page = await openPage('/?' + many.map((a) => 'a=' + encodeURIComponent(a)).join('&'));
  assert.equal(await selectedText(page, 'flangeB'), 'U UG Cover UG-39/U');
  assert.match((await messages(page)).join(), /The link holds 213 actions, more than the 200 taken/);
  assert.ok(new URL(page.url()).searchParams.getAll('a').length < 10, 'the address is short again');
  await page.context().close();
});

// What the page says when it cannot do what was asked, and what it leaves shown.
const refusals = [
  {
    name: 'an unknown family letter in the Quick Builder',
    field: '#quick-part',
    text: 'q999',
    says: /"Q999" is not a part number the wizard can build/,
    family: 'Choose a product type',
  },
  {
    name: 'junk in the Quick Builder',
    field: '#quick-part',
    text: '#%!',
    says: /"#%!" is not a part number the wizard can build/,
    family: 'Choose a product type',
  },
  {
    name: 'a part number cut short',
    field: '#quick-part',
    text: 'R090PC',
    says: /"R090PC" does not name every choice of screen 1: choose what is missing there/,
    family: 'R Straight Section',
  },
];

for (const refusal of refusals) {
  test(`${refusal.name} is told and leaves nothing of the earlier part`, async () => {
    const page = await openPage('/?part=E090PC060K090SG');
    await page.fill(refusal.field, refusal.text);
    await press(page, refusal.field, 'Enter');
    assert.match((await messages(page)).join('\n'), refusal.says);
    assert.equal(await selectedText(page, 'productType'), refusal.family);
    const shown = await shownState(page);
    assert.equal(shown.screen, '1');
    assert.equal(shown.partNumber, '');
    assert.ok(!shown.lists.some(([id, text]) => id === 'flangeA' && /UG Choke/.test(text)), 'flange A of the earlier part is gone');
    assert.deepEqual(page.scriptErrors, []);
    await page.context().close();
  });
}

test('the keyboard walks the wizard in its order and a screen reader hears where it is', async () => {
  const page = await openPage();
  await choose(page, 'productType', 'R');
  // The first size is sold by special quote: the arrow keys move on past it.
  await page.focus('#waveguide');
  await page.keyboard.press('ArrowDown');
  await settled(page);
  assert.match((await messages(page)).join(), /Waveguide size 430 is available by special quote/);
  await page.keyboard.press('ArrowDown');
  await settled(page);
  assert.equal(await selectedText(page, 'waveguide'), '340 WR340 RG-112/U WG9A R26');
  await chooseEach(page, { waveguide: 'WR90', flangeA: 'C', flangeB: 'U' });

  // Tab order: product type, waveguide, flanges, then the length.
  await page.focus('#productType');
  const order = ['productType'];
  for (let i = 0; i < 4; ++i) {
    await page.keyboard.press('Tab');
    order.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(order, ['productType', 'waveguide', 'flangeA', 'flangeB', 'box-length']);

  await press(page, '#next', 'Enter');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'finish', 'Next moves to screen 2');
  assert.equal(await page.textContent('#announce'), 'Wizard - Screen 2 of 2');
  // Each band heading is the legend of its buttons.
  const groups = await page.$$eval('#band-list fieldset', (sets) => sets.map((f) => [f.querySelector('legend').textContent, f.querySelectorAll('input[type=radio]').length]));
  assert.deepEqual(groups, [
    ['Wide Band', 1],
    ['Narrow Band', 3],
  ]);
  await press(page, '#back', 'Enter');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'productType', 'Back moves to screen 1');
  assert.equal(await page.textContent('#announce'), 'Wizard - Screen 1 of 2');
  assert.deepEqual(page.scriptErrors, []);
  await page.context().close();
});

test('a part number is built from the Quick Builder and from an old part number', async () => {
  const page = await openPage();
  await page.fill('#quick-part', ' r090pc0120usg ');
  await press(page, '#quick-part', 'Enter');
  assert.equal(await selectedText(page, 'productType'), 'R Straight Section');
  await page.click('#next');
  await settled(page);
  await page.click('#create');
  await settled(page);
  assert.equal(await page.textContent('#part-number'), 'R090PC0120USG');

  await page.fill('#old-part', 'WS-90-12-C40');
  await press(page, '#old-part', 'Enter');
  assert.equal(await page.textContent('#convert-result'), 'WS-90-12-C40 is now R090PK0120USG: Choke flange now code K');
  assert.equal(await page.textContent('#screen-caption'), 'Wizard - Screen 1 of 2');
  await page.click('#next');
  await settled(page);
  await page.click('#create');
  await settled(page);
  assert.equal(await page.textContent('#part-number'), 'R090PK0120USG');
  const sheet = await page.getAttribute('#specs', 'href');
  const pdf = await page.request.get(at(sheet));
  assert.equal(pdf.headers()['content-type'], 'application/pdf');
  assert.equal((await pdf.body()).subarray(0, 5).toString(), '%PDF-');

  await page.fill('#old-part', 'nope');
  await press(page, '#old-part', 'Enter');
  assert.notEqual(await page.textContent('#convert-result'), '');
  assert.equal(await page.textContent('#part-number'), 'R090PK0120USG', 'nothing applied');
  assert.deepEqual(page.scriptErrors, []);
  await page.context().close();
});
