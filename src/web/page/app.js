// The configurator in a browser. The server keeps no state: the page keeps the
// list of actions the user did and sends it whole with every change, and shows
// the state the server answers. The order lives in this browser's localStorage.
// Every address is relative to the page, which may be served under a sub-path.
'use strict';

const $ = (id) => document.getElementById(id);

const ORDER_KEY = 'pelmora38.order';
const HISTORY_KEY = 'pelmora38.parts';
const UNDO_DEPTH = 100;
// The Quick Builder's history keeps every entry; a browser's storage is not endless.
const HISTORY_DEPTH = 500;
// Add to Order clicks on one part this close together are one change to undo.
const SAME_CHANGE_MS = 2000;

let actions = [];
let view = null;
let lastQuoteKey = '';
let busy = 0;
// The entry the user chose in a list, kept highlighted when the wizard would not take it.
let lastPick = null;
let queue = Promise.resolve();

// ---- Talking to the server ----

function setBusy(delta) {
  busy += delta;
  document.documentElement.dataset.busy = String(busy);
  $('wizard').setAttribute('aria-busy', busy > 0 ? 'true' : 'false');
}

// A request and the reading of its answer, busy until both are done.
async function request(path, options, read) {
  setBusy(1);
  try {
    const response = await fetch(path, options);
    if (!response.ok) {
      let text = `${response.status} ${response.statusText}`;
      try {
        text = (await response.json()).error || text;
      } catch {
        // The status line says enough.
      }
      throw new Error(text);
    }
    return await read(response);
  } finally {
    setBusy(-1);
  }
}

// A type no cross-site form can send: the server takes orders only with it.
const orderHeaders = { 'Content-Type': 'application/octet-stream' };

function getJson(path) {
  return request(path, undefined, (response) => response.json());
}

function actionQuery(list) {
  return list.map((action) => 'a=' + encodeURIComponent(action)).join('&');
}

function walk(list) {
  const query = actionQuery(list);
  return getJson('api/state' + (query ? '?' + query : ''));
}

// The server's short list of actions for the state replaces a longer history.
function adoptShortest(answer) {
  if (answer.actions.length < actions.length) actions = answer.actions;
}

// The new screen's first control has the focus, and a screen reader says which screen it is.
function screenChanged(before) {
  if (!view || view.lists.screen === before) return;
  const screen = $(view.lists.screen === 1 ? 'screen-one' : 'screen-two');
  const first = [...screen.querySelectorAll('select, input, button')].find((c) => !c.disabled && c.offsetParent !== null);
  (first || screen.querySelector('h2')).focus();
  announce(view.lists.screenCaption);
}

function announce(text) {
  $('announce').textContent = text;
}

// One thing at a time, in the order the user did them; busy from the moment it is asked.
function enqueue(task) {
  setBusy(1);
  queue = queue
    .then(task)
    .catch((error) => showMessages([{ kind: 'error', text: error.message }]))
    .finally(() => setBusy(-1));
  return queue;
}

// ---- The wizard ----

// The value that names entry i of a list: its code when that finds it, else its position.
function entryValue(rows, i) {
  const code = rows[i][0];
  const folded = code.toLowerCase();
  const first = rows.findIndex((row) => row[0] === code || (row.length > 1 && row[1].toLowerCase() === folded));
  return first === i && !code.startsWith('#') && code !== '' ? code : `#${i + 1}`;
}

function bandValue(buttons, i) {
  const code = buttons[i].code;
  return buttons.findIndex((b) => b.code === code) === i && code !== '' ? code : `#${i + 1}`;
}

// Does one action: kept when the wizard took it, dropped when it refused it.
function act(action, pick = null) {
  return enqueue(async () => {
    const before = view?.lists.screen;
    const asked = actions.length + 1;
    const answer = await walk([...actions, action]);
    const step = answer.steps[answer.steps.length - 1];
    if (step.done) {
      actions.push(action);
      adoptShortest(answer);
    }
    lastPick = pick;
    show(answer.state);
    lastPick = null;
    report(answer, asked);
    screenChanged(before);
  });
}

// What an answer has to say: the messages of starting the wizard (a catalogue table
// it could not read), which every answer repeats since each starts the wizard anew;
// those of the last action asked, or why it was refused; that a link was cut short.
function report(answer, asked, shown = () => true) {
  const all = answer.state.messages;
  const cut = answer.steps.length < asked ? 1 : 0;
  const stepped = answer.steps.reduce((count, step) => count + step.messages.length, 0);
  const messages = all.slice(0, Math.max(0, all.length - stepped - cut));
  const step = answer.steps[answer.steps.length - 1];
  if (step && asked > 0) {
    messages.push(...step.messages.filter(shown));
    if (!step.done && step.messages.length === 0) messages.push({ kind: 'info', text: `Not done: ${step.refusal}.` });
  }
  if (cut) messages.push(all[all.length - 1]);
  showMessages(messages);
}

function create() {
  return enqueue(async () => {
    const answer = await walk([...actions, 'create']);
    const step = answer.steps[answer.steps.length - 1];
    const question = step.messages.find((m) => m.kind === 'question');
    if (!question) {
      const asked = actions.length + 1;
      if (step.done) actions.push('create');
      adoptShortest(answer);
      show(answer.state);
      report(answer, asked);
      return;
    }
    const choice = await confirmConfiguration(question.text, ['M', 'N'].includes(view.selections.family?.code));
    if (choice === 'cancel') return;
    const chosen = choice === 'swap' ? 'create=swap' : 'create';
    const final = choice === 'swap' ? await walk([...actions, chosen]) : answer;
    const asked = actions.length + 1;
    actions.push(chosen);
    adoptShortest(final);
    show(final.state);
    report(final, asked, (m) => m.kind !== 'question');
  });
}

function confirmConfiguration(text, canSwap) {
  const dialog = $('confirm');
  $('confirm-text').textContent = text.replace(/\r/g, '\n');
  $('confirm-swap').hidden = !canSwap;
  dialog.returnValue = 'cancel';
  dialog.showModal();
  return new Promise((resolve) => dialog.addEventListener('close', () => resolve(dialog.returnValue || 'cancel'), { once: true }));
}

function sameness(state) {
  return JSON.stringify({ ...state, messages: null });
}

// The part number applied and created again, in the units it was made in.
function partActions(part, units) {
  return [...(units ? [`units=${units}`] : []), 'apply=' + part, 'next', 'create'];
}

// ---- Showing the state ----

function pad(text, width) {
  return text + '\u00a0'.repeat(Math.max(0, width - text.length));
}

// Controls are rebuilt only when what they offer changed, so that focus, keyboard
// type-ahead and a screen reader's place survive each answer.
function unchanged(element, what) {
  const signature = JSON.stringify(what);
  if (element.dataset.signature === signature) return true;
  element.dataset.signature = signature;
  return false;
}

function placeholder(text) {
  const option = new Option(text, '');
  option.disabled = true;
  return option;
}

// A drop-down list with its columns: one line an entry, the columns padded to line up.
function fillSelect(id, list, prompt) {
  const select = $(id);
  select.disabled = !list.enabled || list.rows.length === 0;
  select.onchange = () => act(`${select.dataset.action}=${entryValue(list.rows, Number(select.value))}`, { id, value: select.value });
  if (!unchanged(select, [list.columns, list.rows, list.selected < 0])) {
    const widths = list.columns.map((c, i) => Math.max(c.trim().length, ...list.rows.map((r) => (r[i] || '').length)));
    $(id + '-columns').textContent = list.columns.map((c, i) => pad(c.trim(), widths[i])).join('\u00a0\u00a0');
    const options = list.rows.map((row, i) => new Option(row.map((cell, c) => pad(cell, widths[c])).join('\u00a0\u00a0').trimEnd(), String(i)));
    if (list.selected < 0) options.unshift(placeholder(prompt));
    select.replaceChildren(...options);
  }
  // A refused entry (a size by special quote) stays highlighted, so that the arrow
  // keys move on from it.
  select.value = lastPick?.id === id ? lastPick.value : String(list.selected < 0 ? '' : list.selected);
}

// A length box: its list to pick from and, where the window lets one type, a typed entry.
function lengthBox(name, caption) {
  const wrap = document.createElement('div');
  wrap.className = 'length-box';
  const select = document.createElement('select');
  select.id = 'box-' + name;
  const label = document.createElement('label');
  label.htmlFor = select.id;
  label.textContent = caption;
  const unit = document.createElement('span');
  unit.className = 'unit';
  const typedLabel = document.createElement('label');
  typedLabel.className = 'typed-label';
  typedLabel.htmlFor = 'typed-' + name;
  const named = document.createElement('span');
  named.className = 'visually-hidden';
  named.textContent = ` ${caption}`;
  typedLabel.append('or type', named);
  const typed = document.createElement('input');
  typed.id = 'typed-' + name;
  typed.className = 'typed';
  typed.autocomplete = 'off';
  typed.inputMode = 'decimal';
  typed.maxLength = 20;
  // The window takes a typed length when the box is left or Enter is pressed, once.
  const commit = () => {
    const text = typed.value.trim();
    if (text === typed.dataset.shown) return;
    typed.dataset.shown = text;
    act(`type:${name}=${text}`);
  };
  typed.onchange = commit;
  typed.onkeydown = (event) => {
    if (event.key === 'Enter') commit();
  };
  wrap.append(label, select, unit, typedLabel, typed);
  return { wrap, select, unit, typedLabel, typed };
}

const lengthBoxes = {
  length: lengthBox('length', 'Length'),
  legA: lengthBox('legA', 'Leg A'),
  legB: lengthBox('legB', 'Leg B'),
};

function showLengthBox(name, box, unitText) {
  const { select, unit, typedLabel, typed } = lengthBoxes[name];
  select.disabled = !box.enabled;
  select.onchange = () => act(`pick:${name}=${box.entries[Number(select.value)]}`);
  if (!unchanged(select, [box.entries, box.selected < 0 ? box.text : null])) {
    const options = box.entries.map((entry, i) => new Option(entry, String(i)));
    if (box.selected < 0) options.unshift(placeholder(box.text || '\u2014'));
    select.replaceChildren(...options);
  }
  select.value = String(box.selected < 0 ? '' : box.selected);
  unit.textContent = unitText;
  typedLabel.hidden = typed.hidden = !box.editable;
  typed.disabled = !box.enabled;
  if (typed.dataset.shown !== box.text) typed.value = typed.dataset.shown = box.text;
  return lengthBoxes[name].wrap;
}

function showPicture(id, picture, alt) {
  const img = $(id);
  img.parentElement.hidden = !picture;
  if (!picture) return;
  const src = 'images/' + encodeURIComponent(picture.file);
  if (img.getAttribute('src') !== src) img.src = src;
  img.alt = alt;
  img.classList.toggle('stretched', picture.stretched);
}

function selectedName(list, column = 1) {
  return list.selected >= 0 ? list.rows[list.selected][column] || '' : '';
}

function show(state) {
  view = state;
  const l = state.lists;
  document.body.dataset.screen = String(l.screen);
  $('screen-caption').textContent = l.screenCaption;
  $('screen-one').hidden = l.screen !== 1;
  $('screen-two').hidden = l.screen !== 2;
  for (const radio of document.querySelectorAll('input[name=units]')) radio.checked = radio.value === state.selections.units?.code;

  fillSelect('productType', l.productType, 'Choose a product type');
  fillSelect('waveguide', l.waveguide, 'Choose a waveguide');
  fillSelect('flangeA', l.flangeA, 'Choose a flange');
  $('flangeA-caption').textContent = $('flangeA-label').textContent = l.flangeA.caption.trim();
  $('flangeB-caption').textContent = (l.coax.visible ? l.coax.caption : l.flangeB.caption).trim();
  $('flangeB-field').hidden = !l.flangeB.visible;
  $('coax-field').hidden = !l.coax.visible;
  if (l.flangeB.visible) {
    $('flangeB-label').textContent = l.flangeB.caption.trim();
    fillSelect('flangeB', l.flangeB, 'Choose a flange');
  } else {
    $('coax-label').textContent = l.coax.caption.trim();
    fillSelect('coax', l.coax, 'Choose a coax type');
  }

  const names = { length: ['length'], legs: ['legA', 'legB'], preset: [] }[l.lengthPage];
  const shown = names.map((name) => showLengthBox(name, l[name], l.lengthUnit));
  const boxes = $('length-boxes');
  if (shown.some((wrap, i) => boxes.children[i] !== wrap) || boxes.children.length !== shown.length) boxes.replaceChildren(...shown);
  $('preset').hidden = l.lengthPage !== 'preset';
  $('preset-text').textContent = l.preset.text;
  $('preset-unit').textContent = l.preset.unit;
  $('adaptor-label').hidden = !l.adaptor.visible;
  $('adaptor').checked = l.adaptor.checked;

  showPicture('picture-product', l.pictures.product, selectedName(l.productType) || 'Product types');
  showPicture('picture-length', l.pictures.length, 'Drawing of the part with its length');
  showPicture('picture-flangeA', l.pictures.flangeA, selectedName(l.flangeA) + ' flange');
  showPicture('picture-flangeB', l.pictures.flangeB, (l.coax.visible ? selectedName(l.coax) : selectedName(l.flangeB)) + ' flange');

  fillSelect('finish', l.finish, 'Choose a finish');
  showBands(l.bands);

  const part = state.partNumber;
  $('part-number').textContent = part;
  $('current-part').textContent = part || 'none yet';
  $('description').textContent = part ? state.description : '';
  const specs = $('specs');
  if (part && l.viewSpecsEnabled) {
    specs.href = 'api/sheet.pdf?' + actionQuery(actions);
    specs.removeAttribute('aria-disabled');
  } else {
    specs.removeAttribute('href');
    specs.setAttribute('aria-disabled', 'true');
  }
  const priceList = $('price-list');
  const family = selectedName(l.productType, 0);
  const size = selectedName(l.waveguide, 0);
  if (family && size) {
    priceList.href = 'api/parts?format=csv&family=' + encodeURIComponent(family) + '&waveguide=' + encodeURIComponent(size);
    priceList.removeAttribute('aria-disabled');
  } else {
    priceList.removeAttribute('href');
    priceList.setAttribute('aria-disabled', 'true');
  }
  $('add-to-order').disabled = !(part && l.addToOrderEnabled);
  const rows = state.grid.map((g) => {
    const tr = document.createElement('tr');
    for (const text of [g.code, g.item, g.value]) tr.appendChild(document.createElement('td')).textContent = text;
    return tr;
  });
  $('grid').tBodies[0].replaceChildren(...rows);
  updateAddress();
  quote();
}

// Each heading ("Wide Band", "Narrow Band") is the legend of the buttons under it.
function showBands(bands) {
  const list = $('band-list');
  if (!unchanged(list, [bands.headings, bands.buttons.map((b) => [b.code, b.caption, b.top])])) {
    const headings = [...bands.headings].sort((a, b) => a.top - b.top);
    const groups = new Map();
    const groupOf = (top) => {
      const heading = headings.filter((h) => h.top < top).pop();
      if (!groups.has(heading)) {
        const group = document.createElement(heading ? 'fieldset' : 'div');
        group.className = 'band-group';
        if (heading) group.appendChild(document.createElement('legend')).textContent = heading.text;
        groups.set(heading, group);
      }
      return groups.get(heading);
    };
    bands.buttons
      .map((button, index) => ({ button, index }))
      .sort((a, b) => a.button.top - b.button.top)
      .forEach(({ button, index }) => {
        const label = document.createElement('label');
        label.className = 'band';
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = 'band';
        radio.value = String(index);
        radio.onchange = () => act(`band=${bandValue(bands.buttons, index)}`);
        label.append(radio, ' ' + button.caption);
        groupOf(button.top).appendChild(label);
      });
    list.replaceChildren(...groups.values());
  }
  for (const radio of list.querySelectorAll('input')) radio.checked = bands.buttons[Number(radio.value)].checked;
}

// The address always opens what is shown: the part number when it alone brings the
// same state back (the server tells), else the actions.
let partLink = { state: '', rebuilds: false };

async function updateAddress() {
  const state = view;
  const address = (query) => history.replaceState(null, '', location.pathname + query);
  address(actions.map((action) => 'a=' + encodeURIComponent(action)).join('&').replace(/^./, '?$&'));
  if (!state.partNumber) return;
  const units = state.selections.units.code;
  const key = sameness(state);
  if (partLink.state !== key) {
    try {
      const answer = await walk(partActions(state.partNumber, units));
      partLink = { state: key, rebuilds: sameness(answer.state) === key };
    } catch {
      return;
    }
  }
  if (view === state && partLink.rebuilds) address(`?part=${encodeURIComponent(state.partNumber)}&units=${units}`);
}

function showMessages(messages) {
  const items = messages.map((m) => {
    const li = document.createElement('li');
    li.className = m.kind;
    li.textContent = m.text.replace(/\r/g, '\n');
    return li;
  });
  $('messages').replaceChildren(...items);
}

// ---- Price and delivery ----

function quantity() {
  const input = $('quantity');
  const text = input.value.trim();
  const valid = /^\d{1,5}$/.test(text) && Number(text) >= 1;
  input.setAttribute('aria-invalid', valid ? 'false' : 'true');
  return valid ? Number(text) : null;
}

async function quote() {
  const part = view && view.partNumber;
  const qty = quantity();
  const key = part && qty ? `${part}\t${qty}` : '';
  if (key === lastQuoteKey) return;
  lastQuoteKey = key;
  if (!key) {
    $('price-total').textContent = $('price-unit').textContent = $('price-delivery').textContent = '–';
    return;
  }
  try {
    const answer = await getJson(`api/quote?part=${encodeURIComponent(part)}&qty=${qty}`);
    if (key !== lastQuoteKey) return;
    const q = answer.quotes[0];
    $('price-total').textContent = q.total;
    $('price-unit').textContent = q.unitPrice ?? '–';
    $('price-delivery').textContent = q.delivery;
  } catch (error) {
    lastQuoteKey = '';
    showMessages([{ kind: 'error', text: error.message }]);
  }
}

// ---- The order, kept in this browser ----

function validLine(line) {
  return (
    line !== null &&
    typeof line === 'object' &&
    Number.isInteger(line.quantity) &&
    line.quantity >= 1 &&
    line.quantity <= 99999 &&
    typeof line.partNumber === 'string' &&
    line.partNumber.trim() !== '' &&
    typeof line.description === 'string'
  );
}

// The stored order with the lines that cannot be lines (another version of the page,
// a hand edit, a damaged profile) left out and counted.
function loadOrder() {
  let stored = null;
  try {
    stored = JSON.parse(localStorage.getItem(ORDER_KEY));
  } catch {
    stored = { lines: 'damaged' };
  }
  const order = { lines: [], undo: [], skipped: 0, lastChange: stored?.lastChange ?? null };
  if (stored === null) return order;
  const lines = Array.isArray(stored.lines) ? stored.lines : [];
  order.lines = lines.filter(validLine);
  order.skipped = lines.length - order.lines.length + (Array.isArray(stored.lines) ? 0 : 1);
  order.undo = (Array.isArray(stored.undo) ? stored.undo : []).filter(Array.isArray).map((state) => state.filter(validLine));
  return order;
}

function saveOrder(order) {
  localStorage.setItem(ORDER_KEY, JSON.stringify({ lines: order.lines, undo: order.undo, lastChange: order.lastChange }));
}

// A change with the same key as the one just before, within moments, joins it for Undo.
function changeOrder(change, key = null) {
  const order = loadOrder();
  const lines = structuredClone(order.lines);
  change(lines);
  const now = Date.now();
  const joins = key !== null && order.lastChange?.key === key && now - order.lastChange.at < SAME_CHANGE_MS;
  if (!joins) order.undo = [...order.undo, order.lines].slice(-UNDO_DEPTH);
  order.lines = lines;
  order.lastChange = { key, at: now };
  saveOrder(order);
  showOrder();
}

function undoOrder() {
  const order = loadOrder();
  if (order.undo.length === 0) return;
  order.lines = order.undo.pop();
  order.lastChange = null;
  saveOrder(order);
  showOrder();
}

// The order as an RFQ list: quantity, part number and description, TAB-separated.
function rfqText(lines) {
  const field = (text) => text.replace(/[\t\r\n]+/g, ' ');
  return lines.map((line) => `${line.quantity}\t${field(line.partNumber)}\t${field(line.description)}\n`).join('');
}

function postOrder(format, body, read) {
  return request(`api/order?format=${format}`, { method: 'POST', headers: orderHeaders, body }, read);
}

let orderShown = 0;

async function showOrder() {
  const { lines, undo, skipped } = loadOrder();
  const shown = ++orderShown;
  $('order-undo').disabled = undo.length === 0;
  $('order-clear').disabled = lines.length === 0;
  for (const button of document.querySelectorAll('[data-format]')) button.disabled = lines.length === 0;
  $('order-empty').hidden = lines.length > 0;
  $('order-table').hidden = lines.length === 0;
  let priced = [];
  let total = '–';
  const status = [];
  if (skipped) status.push(`${skipped} damaged line${skipped === 1 ? ' was' : 's were'} left out of the stored order.`);
  if (lines.length) {
    try {
      const answer = await postOrder('json', rfqText(lines), (r) => r.json());
      priced = answer.lines;
      total = (answer.total ?? 'too large to add up') + (answer.unpriced ? ` (${answer.unpriced} line${answer.unpriced === 1 ? '' : 's'} without a price)` : '');
      status.push(...answer.skipped.map((s) => `Line ${s.line}: ${s.reason}`));
    } catch (error) {
      status.push(error.message);
    }
  }
  if (shown !== orderShown) return;
  const rows = lines.map((line, i) => {
    const price = priced.find((p) => p.partNumber === line.partNumber);
    const tr = document.createElement('tr');
    const qty = document.createElement('input');
    qty.type = 'number';
    qty.min = '1';
    qty.max = '99999';
    qty.value = String(line.quantity);
    qty.setAttribute('aria-label', `Quantity of ${line.partNumber}`);
    qty.onchange = () => {
      const value = Number(qty.value);
      if (Number.isInteger(value) && value >= 1 && value <= 99999) changeOrder((all) => (all[i].quantity = value));
      else qty.value = String(line.quantity);
    };
    tr.appendChild(document.createElement('td')).appendChild(qty);
    for (const text of [price ? price.price : '', price ? price.delivery : '', line.partNumber, line.description])
      tr.appendChild(document.createElement('td')).textContent = text;
    const remove = document.createElement('button');
    remove.type = 'button';
    remove.textContent = 'Delete';
    remove.setAttribute('aria-label', `Delete ${line.partNumber}`);
    remove.onclick = () => deleteLine(i, line.partNumber);
    tr.appendChild(document.createElement('td')).appendChild(remove);
    return tr;
  });
  $('order-lines').replaceChildren(...rows);
  $('order-total').textContent = total;
  $('order-status').textContent = status.join(' ') || `${lines.length} line${lines.length === 1 ? '' : 's'} in the order.`;
  focusAfterDelete();
}

// After Delete the focus goes to the Delete button now in that place, else the order's heading.
let deletedAt = null;

function deleteLine(i, partNumber) {
  deletedAt = i;
  announce(`${partNumber} deleted from the order.`);
  changeOrder((all) => all.splice(i, 1));
}

function focusAfterDelete() {
  if (deletedAt === null) return;
  const buttons = [...document.querySelectorAll('#order-lines button')];
  (buttons[Math.min(deletedAt, buttons.length - 1)] || $('order-title')).focus();
  deletedAt = null;
}

function addToOrder() {
  const part = view && view.partNumber;
  const qty = quantity();
  if (!part || !qty) {
    showMessages([{ kind: 'error', text: 'The quantity is a whole number from 1 to 99999.' }]);
    return;
  }
  const description = view.description;
  // A part already in the order gets the new quantity, as in the window.
  changeOrder((lines) => {
    const line = lines.find((l) => l.partNumber === part);
    if (line) line.quantity = qty;
    else lines.push({ quantity: qty, partNumber: part, description });
  }, `add\t${part}`);
}

// The file name the server gives, else order.FORMAT.
function fileName(response, format) {
  const given = /filename="([^"]+)"/.exec(response.headers.get('Content-Disposition') || '');
  return given ? given[1] : `order.${format}`;
}

async function download(format) {
  const { lines } = loadOrder();
  try {
    const { blob, name } = await postOrder(format, rfqText(lines), async (r) => ({ blob: await r.blob(), name: fileName(r, format) }));
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  } catch (error) {
    $('order-status').textContent = error.message;
  }
}

// A saved order (.xls, .txt, .xml) or an RFQ list, read by the server, becomes the
// page's order: one change to undo. Busy from the choice of the file until the
// order shows it.
async function openOrder(file) {
  setBusy(1);
  try {
    const answer = await postOrder('json', await file.arrayBuffer(), (r) => r.json());
    const opened = answer.lines.map((line) => ({ quantity: Number(line.quantity), partNumber: line.partNumber, description: line.description })).filter(validLine);
    changeOrder((lines) => lines.splice(0, lines.length, ...opened));
    const notes = [...answer.skipped.map((s) => `Line ${s.line}: ${s.reason}`), ...answer.messages.map((m) => m.text)];
    announce(`${file.name}: ${opened.length} line${opened.length === 1 ? '' : 's'} opened.`);
    if (notes.length) showMessages(notes.map((text) => ({ kind: 'info', text })));
  } catch (error) {
    $('order-status').textContent = `${file.name}: ${error.message}`;
  } finally {
    setBusy(-1);
  }
}

// ---- The Quick Builder's part numbers in this browser ----

function partHistory() {
  try {
    const stored = JSON.parse(localStorage.getItem(HISTORY_KEY));
    return Array.isArray(stored) ? stored.filter((p) => typeof p === 'string' && p !== '') : [];
  } catch {
    return [];
  }
}

// Each entry once, in the order first typed, as the window keeps them.
function remember(part) {
  const parts = partHistory();
  if (!part || parts.some((p) => p.toUpperCase() === part.toUpperCase())) return;
  localStorage.setItem(HISTORY_KEY, JSON.stringify([...parts, part].slice(-HISTORY_DEPTH)));
  showHistory();
}

function clearHistory() {
  localStorage.removeItem(HISTORY_KEY);
  showHistory();
}

function showHistory() {
  const parts = partHistory();
  $('part-history').replaceChildren(...parts.map((part) => new Option(part)));
  $('history-clear').disabled = parts.length === 0;
}

// ---- Starting ----

function startingActions() {
  const params = new URLSearchParams(location.search);
  const part = params.get('part');
  if (part) return partActions(part, params.get('units'));
  return params.getAll('a');
}

function load(list) {
  return enqueue(async () => {
    const answer = await walk(list);
    actions = list.filter((_, i) => answer.steps[i]?.done);
    adoptShortest(answer);
    show(answer.state);
    report(answer, list.length);
  });
}

function wire() {
  for (const radio of document.querySelectorAll('input[name=units]')) radio.onchange = () => act(`units=${radio.value}`);
  $('start-over').onclick = () => load(view ? [`units=${view.selections.units.code}`] : []);
  $('adaptor').onchange = (event) => act(`adaptor=${event.target.checked ? 'yes' : 'no'}`);
  $('next').onclick = () => act('next');
  $('back').onclick = () => act('back');
  $('other-ranges').onclick = () => act('other-ranges');
  $('create').onclick = create;
  $('quantity').oninput = quote;
  $('add-to-order').onclick = addToOrder;
  $('quick-build').onsubmit = (event) => {
    event.preventDefault();
    const text = $('quick-part').value;
    if (!text.trim()) return;
    remember(text.trim().toUpperCase());
    act('quickbuild=' + text);
  };
  $('convert').onsubmit = (event) => {
    event.preventDefault();
    const old = $('old-part').value.trim();
    if (!old) return;
    enqueue(async () => {
      const answer = await getJson('api/convert?old=' + encodeURIComponent(old));
      if (answer.newPartNumber === null) {
        $('convert-result').textContent = answer.messages.map((m) => m.text.replace(/\r/g, '\n')).join('\n');
        return;
      }
      $('convert-result').textContent = `${answer.oldPartNumber} is now ${answer.newPartNumber}: ${answer.comment}`;
      act('apply=' + answer.newPartNumber);
    });
  };
  $('history-clear').onclick = clearHistory;
  $('order-undo').onclick = undoOrder;
  $('order-clear').onclick = () => changeOrder((lines) => lines.splice(0));
  for (const button of document.querySelectorAll('[data-format]')) button.onclick = () => download(button.dataset.format);
  $('order-open').onchange = (event) => {
    const [file] = event.target.files;
    event.target.value = '';
    if (file) openOrder(file);
  };
  // Another tab of this browser changed the order.
  window.addEventListener('storage', (event) => {
    if (event.key === ORDER_KEY) showOrder();
    if (event.key === HISTORY_KEY) showHistory();
  });
}

wire();
setBusy(0);
load(startingActions());
showOrder();
showHistory();
