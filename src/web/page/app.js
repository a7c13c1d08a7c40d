// The configurator in a browser. The server keeps no state: the page keeps the
// list of actions the user did and sends it whole with every change, and shows
// the state the server answers. The order lives in this browser's localStorage.
'use strict';

const $ = (id) => document.getElementById(id);

// Past this many actions the list is rebuilt from the state (the server takes at
// most 200, and a shared link should stay short).
const COMPACT_AFTER = 40;
const ORDER_KEY = 'pelmora38.order';
const UNDO_DEPTH = 100;

let actions = [];
let view = null;
let lastQuoteKey = '';
let compactTriedAt = 0;
let busy = 0;
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

function walk(list) {
  const query = list.map((action) => 'a=' + encodeURIComponent(action)).join('&');
  return getJson('/api/state' + (query ? '?' + query : ''));
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
function act(action) {
  return enqueue(async () => {
    const answer = await walk([...actions, action]);
    const step = answer.steps[answer.steps.length - 1];
    if (step.done) actions.push(action);
    show(answer.state);
    reportStep(step);
    if (step.done) await compact();
  });
}

function reportStep(step) {
  const messages = step.messages.slice();
  if (!step.done && messages.length === 0) messages.push({ kind: 'info', text: `Not done: ${step.refusal}.` });
  showMessages(messages);
}

function create() {
  return enqueue(async () => {
    const answer = await walk([...actions, 'create']);
    const step = answer.steps[answer.steps.length - 1];
    const question = step.messages.find((m) => m.kind === 'question');
    if (!question) {
      if (step.done) actions.push('create');
      show(answer.state);
      reportStep(step);
      return;
    }
    const choice = await confirmConfiguration(question.text, ['M', 'N'].includes(view.selections.family?.code));
    if (choice === 'cancel') return;
    const chosen = choice === 'swap' ? 'create=swap' : 'create';
    const final = choice === 'swap' ? await walk([...actions, chosen]) : answer;
    actions.push(chosen);
    show(final.state);
    showMessages(final.steps[final.steps.length - 1].messages.filter((m) => m.kind !== 'question'));
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

// A shorter list of actions that leads to exactly the same state, when one does.
async function compact() {
  if (actions.length <= COMPACT_AFTER || actions.length < compactTriedAt + 10) return;
  compactTriedAt = actions.length;
  const target = sameness(view);
  const candidates = [canonicalActions(view)];
  if (view.partNumber) candidates.push(partActions(view.partNumber, view.selections.units.code));
  for (const candidate of candidates) {
    if (candidate.length >= actions.length) continue;
    const answer = await walk(candidate);
    if (answer.steps.every((s) => s.done) && sameness(answer.state) === target) {
      actions = candidate;
      compactTriedAt = 0;
      updateAddress();
      return;
    }
  }
}

function sameness(state) {
  return JSON.stringify({ ...state, messages: null });
}

function canonicalActions(state) {
  const l = state.lists;
  const list = [`units=${state.selections.units.code}`];
  const pick = (name, box) => {
    if (box.rows.length && box.selected >= 0) list.push(`${name}=${entryValue(box.rows, box.selected)}`);
  };
  pick('family', l.productType);
  pick('waveguide', l.waveguide);
  pick('flangeA', l.flangeA);
  if (l.coax.visible) pick('coax', l.coax);
  else pick('flangeB', l.flangeB);
  const boxes = l.lengthPage === 'length' ? ['length'] : l.lengthPage === 'legs' ? ['legA', 'legB'] : [];
  for (const name of boxes) {
    const box = l[name];
    if (box.selected >= 0 && box.entries[box.selected] === box.text) list.push(`pick:${name}=${box.text}`);
    else if (box.text !== '') list.push(`type:${name}=${box.text}`);
  }
  if (l.adaptor.visible && l.adaptor.checked) list.push('adaptor=yes');
  if (l.screen === 2) {
    list.push('next');
    if (l.bands.selected >= 0) list.push(`band=${bandValue(l.bands.buttons, l.bands.selected)}`);
    pick('finish', l.finish);
    if (state.partNumber) list.push('create');
  }
  return list;
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
  select.onchange = () => act(`${select.dataset.action}=${entryValue(list.rows, Number(select.value))}`);
  if (!unchanged(select, [list.columns, list.rows, list.selected < 0])) {
    const widths = list.columns.map((c, i) => Math.max(c.trim().length, ...list.rows.map((r) => (r[i] || '').length)));
    $(id + '-columns').textContent = list.columns.map((c, i) => pad(c.trim(), widths[i])).join('\u00a0\u00a0');
    const options = list.rows.map((row, i) => new Option(row.map((cell, c) => pad(cell, widths[c])).join('\u00a0\u00a0').trimEnd(), String(i)));
    if (list.selected < 0) options.unshift(placeholder(prompt));
    select.replaceChildren(...options);
  }
  select.value = String(list.selected < 0 ? '' : list.selected);
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
  const src = '/images/' + encodeURIComponent(picture.file);
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
    specs.href = '/api/sheet.pdf?part=' + encodeURIComponent(part);
    specs.removeAttribute('aria-disabled');
  } else {
    specs.removeAttribute('href');
    specs.setAttribute('aria-disabled', 'true');
  }
  const priceList = $('price-list');
  const family = selectedName(l.productType, 0);
  const size = selectedName(l.waveguide, 0);
  if (family && size) {
    priceList.href = '/api/parts?format=csv&family=' + encodeURIComponent(family) + '&waveguide=' + encodeURIComponent(size);
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

function showBands(bands) {
  const list = $('band-list');
  if (!unchanged(list, [bands.headings, bands.buttons.map((b) => [b.code, b.caption, b.top])])) {
    const items = [
      ...bands.headings.map((h) => ({ top: h.top, heading: h })),
      ...bands.buttons.map((b, i) => ({ top: b.top, button: b, index: i })),
    ].sort((a, b) => a.top - b.top);
    list.replaceChildren(
      ...items.map((item) => {
        if (item.heading) {
          const p = document.createElement('p');
          p.className = 'band-heading';
          p.textContent = item.heading.text;
          return p;
        }
        const label = document.createElement('label');
        label.className = 'band';
        const radio = document.createElement('input');
        radio.type = 'radio';
        radio.name = 'band';
        radio.value = String(item.index);
        radio.onchange = () => act(`band=${bandValue(bands.buttons, item.index)}`);
        label.append(radio, ' ' + item.button.caption);
        return label;
      }),
    );
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
    const answer = await getJson(`/api/quote?part=${encodeURIComponent(part)}&qty=${qty}`);
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

function loadOrder() {
  try {
    const stored = JSON.parse(localStorage.getItem(ORDER_KEY));
    if (stored && Array.isArray(stored.lines) && Array.isArray(stored.undo)) return stored;
  } catch {
    // A damaged entry starts a new order.
  }
  return { lines: [], undo: [] };
}

function changeOrder(change) {
  const order = loadOrder();
  const lines = structuredClone(order.lines);
  change(lines);
  order.undo = [...order.undo, order.lines].slice(-UNDO_DEPTH);
  order.lines = lines;
  localStorage.setItem(ORDER_KEY, JSON.stringify(order));
  showOrder();
}

function undoOrder() {
  const order = loadOrder();
  if (order.undo.length === 0) return;
  order.lines = order.undo.pop();
  localStorage.setItem(ORDER_KEY, JSON.stringify(order));
  showOrder();
}

// The order as an RFQ list: quantity, part number and description, TAB-separated.
function rfqText(lines) {
  const field = (text) => text.replace(/[\t\r\n]+/g, ' ');
  return lines.map((line) => `${line.quantity}\t${field(line.partNumber)}\t${field(line.description)}\n`).join('');
}

let orderShown = 0;

async function showOrder() {
  const { lines, undo } = loadOrder();
  const shown = ++orderShown;
  $('order-undo').disabled = undo.length === 0;
  $('order-clear').disabled = lines.length === 0;
  for (const button of document.querySelectorAll('[data-format]')) button.disabled = lines.length === 0;
  $('order-empty').hidden = lines.length > 0;
  $('order-table').hidden = lines.length === 0;
  let priced = [];
  let status = '';
  if (lines.length) {
    try {
      const answer = await request('/api/order?format=json', { method: 'POST', headers: orderHeaders, body: rfqText(lines) }, (r) => r.json());
      priced = answer.lines;
      status = answer.skipped.map((s) => `Line ${s.line}: ${s.reason}`).join(' ');
    } catch (error) {
      status = error.message;
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
    remove.onclick = () => changeOrder((all) => all.splice(i, 1));
    tr.appendChild(document.createElement('td')).appendChild(remove);
    return tr;
  });
  $('order-lines').replaceChildren(...rows);
  $('order-status').textContent = status || `${lines.length} line${lines.length === 1 ? '' : 's'} in the order.`;
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
  });
}

async function download(format) {
  const { lines } = loadOrder();
  try {
    const blob = await request(`/api/order?format=${format}`, { method: 'POST', headers: orderHeaders, body: rfqText(lines) }, (r) => r.blob());
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = `order.${format}`;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  } catch (error) {
    $('order-status').textContent = error.message;
  }
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
    show(answer.state);
    const last = answer.steps[answer.steps.length - 1];
    if (last && list.length) reportStep(last);
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
    if (text.trim()) act('quickbuild=' + text);
  };
  $('convert').onsubmit = (event) => {
    event.preventDefault();
    const old = $('old-part').value.trim();
    if (!old) return;
    enqueue(async () => {
      const answer = await getJson('/api/convert?old=' + encodeURIComponent(old));
      if (answer.newPartNumber === null) {
        $('convert-result').textContent = answer.messages.map((m) => m.text.replace(/\r/g, '\n')).join('\n');
        return;
      }
      $('convert-result').textContent = `${answer.oldPartNumber} is now ${answer.newPartNumber}: ${answer.comment}`;
      act('apply=' + answer.newPartNumber);
    });
  };
  $('order-undo').onclick = undoOrder;
  $('order-clear').onclick = () => changeOrder((lines) => lines.splice(0));
  for (const button of document.querySelectorAll('[data-format]')) button.onclick = () => download(button.dataset.format);
  // Another tab of this browser changed the order.
  window.addEventListener('storage', (event) => {
    if (event.key === ORDER_KEY) showOrder();
  });
}

wire();
setBusy(0);
load(startingActions());
showOrder();
