// What the browser tests share: a pelmora-web of their own on a free loopback port,
// Debian's headless Chromium, pelmora-cli over the same catalogue to compare with,
// and the page's own state read off the screen.
import { execFile, spawn } from 'node:child_process';
import { mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';

const bin = process.env.PELMORA_BIN;
const catalogue = process.env.PELMORA_CATALOGUE;
export const screenshots = process.env.PELMORA_SCREENSHOTS;
if (!bin || !catalogue || !screenshots) throw new Error('run through run.sh: PELMORA_BIN, PELMORA_CATALOGUE, PELMORA_SCREENSHOTS');

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.once('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

// pelmora-web over the catalogue; stop() ends it with SIGTERM and fails unless it
// exits cleanly (a sanitizer report makes the exit code non-zero).
async function startServer() {
  const port = await freePort();
  const server = spawn(`${bin}/pelmora-web`, ['--app-dir', catalogue, '--listen', `127.0.0.1:${port}`], {
    stdio: ['ignore', 'ignore', 'pipe'],
  });
  let errors = '';
  server.stderr.on('data', (chunk) => (errors += chunk));
  const exited = new Promise((resolve) => server.once('exit', (code, signal) => resolve({ code, signal })));
  const url = `http://127.0.0.1:${port}`;
  const deadline = Date.now() + 20000;
  for (;;) {
    if (server.exitCode !== null) throw new Error(`pelmora-web did not start:\n${errors}`);
    try {
      if ((await fetch(url + '/')).ok) break;
    } catch {
      // Not listening yet.
    }
    if (Date.now() > deadline) throw new Error(`pelmora-web did not answer on ${url}:\n${errors}`);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  return {
    url,
    async stop() {
      server.kill('SIGTERM');
      const timer = setTimeout(() => server.kill('SIGKILL'), 15000);
      const { code, signal } = await exited;
      clearTimeout(timer);
      if (code !== 0) throw new Error(`pelmora-web ended with ${code ?? signal}:\n${errors}`);
    },
  };
}

// Debian's Chromium, headless, with a fresh profile of its own (playwright makes one
// for each launch) and nothing that reaches beyond loopback.
function startBrowser() {
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    timeout: 60000,
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
}

let running = null;

// One server and one browser for the tests of a file: started before the first,
// stopped after the last.
export function serveAndBrowse() {
  before(async () => {
    running = { server: await startServer() };
    running.browser = await startBrowser();
  });
  after(async () => {
    await running?.browser?.close();
    await running?.server?.stop();
  });
}

// The server's address of a path.
export function at(path = '/') {
  return new URL(path, running.server.url).href;
}

// A page in a fresh browser context at the address (a path or a whole address);
// its script errors fail the test that reads them.
export async function openPage(address = '/') {
  const context = await running.browser.newContext({ viewport: { width: 1280, height: 900 }, acceptDownloads: true });
  const page = await context.newPage();
  page.scriptErrors = [];
  page.on('pageerror', (error) => page.scriptErrors.push(error.message));
  await page.goto(at(address));
  await settled(page);
  return page;
}

// Every request the page asked for has been answered and shown.
export async function settled(page) {
  await page.waitForFunction(() => document.documentElement.dataset.busy === '0', null, { timeout: 30000 });
}

const run = promisify(execFile);

// pelmora-cli --json over the same catalogue; its document whatever its exit code.
export async function cli(...args) {
  try {
    return JSON.parse((await run(`${bin}/pelmora-cli`, ['--app-dir', catalogue, '--json', ...args])).stdout);
  } catch (error) {
    if (error.stdout) return JSON.parse(error.stdout);
    throw error;
  }
}

// The bytes pelmora-cli order writes for an RFQ list into a file of the given kind
// ("bom" for the bill of materials).
export async function cliOrderFile(rfq, extension) {
  const folder = await mkdtemp(join(tmpdir(), 'pelmora-order-'));
  try {
    await writeFile(join(folder, 'rfq.txt'), rfq);
    const out = join(folder, `order.${extension}`);
    const target = extension === 'bom' ? ['--bom', out] : ['--out', out];
    await run(`${bin}/pelmora-cli`, ['--app-dir', catalogue, 'order', '--in', join(folder, 'rfq.txt'), ...target]);
    return await readFile(out);
  } finally {
    await rm(folder, { recursive: true, force: true });
  }
}

// What pelmora-cli order --json says of an RFQ list.
export async function cliOrder(rfq) {
  const folder = await mkdtemp(join(tmpdir(), 'pelmora-order-'));
  try {
    await writeFile(join(folder, 'rfq.txt'), rfq);
    return await cli('order', '--in', join(folder, 'rfq.txt'));
  } finally {
    await rm(folder, { recursive: true, force: true });
  }
}

// The text of a PDF as poppler's pdftotext lays it out, and its title.
export async function pdfText(bytes) {
  const folder = await mkdtemp(join(tmpdir(), 'pelmora-pdf-'));
  try {
    const file = join(folder, 'file.pdf');
    await writeFile(file, bytes);
    const text = (await run('pdftotext', ['-layout', file, '-'])).stdout;
    const info = (await run('pdfinfo', [file])).stdout;
    return { text, title: /^Title:\s*(.*)$/m.exec(info)?.[1] ?? '' };
  } finally {
    await rm(folder, { recursive: true, force: true });
  }
}

// What the page shows of the configuration, as a person reads it.
export function shownState(page) {
  return page.evaluate(() => {
    const visible = (element) => element.offsetParent !== null;
    const text = (id) => document.getElementById(id).textContent.trim();
    return {
      caption: text('screen-caption'),
      screen: document.body.dataset.screen,
      units: document.querySelector('input[name=units]:checked')?.value ?? null,
      lists: [...document.querySelectorAll('main select')]
        .filter(visible)
        .map((s) => [s.id, s.selectedOptions[0]?.textContent.replace(/\u00a0+/g, ' ').trim() ?? '', s.disabled]),
      typed: [...document.querySelectorAll('main input.typed')].filter(visible).map((i) => [i.id, i.value]),
      preset: visible(document.getElementById('preset')) ? text('preset') : null,
      adaptor: visible(document.getElementById('adaptor')) ? document.getElementById('adaptor').checked : null,
      bands: [...document.querySelectorAll('#band-list label')].map((l) => [l.textContent.trim(), l.querySelector('input').checked]),
      pictures: [...document.querySelectorAll('main img')].filter(visible).map((i) => [i.id, i.getAttribute('src')]),
      partNumber: text('part-number'),
      description: text('description'),
      grid: [...document.querySelectorAll('#grid tbody tr')].map((tr) => [...tr.cells].map((c) => c.textContent)),
    };
  });
}
