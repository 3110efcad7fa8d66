// Debian's Chromium, headless, driven by puppeteer-core with the network shut: the page is
// opened from file://, every request that leaves the machine fails the suite, and so does
// every console error.

import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

export const CHROMIUM = process.env.CHROMIUM ?? '/usr/bin/chromium';

export async function launch() {
  const profile = mkdtempSync(path.join(tmpdir(), 'velmora-corvane-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--disable-dev-shm-usage'],
  });
  const close = async () => {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { browser, close };
}

// A page that records what must not happen: a console error, an uncaught exception, a
// request to anything but the page's own file and its data.
export async function openPage(browser, url, viewport = { width: 1280, height: 900 }) {
  const page = await browser.newPage();
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`uncaught: ${error.message}`));
  await page.setOfflineMode(true);
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const target = request.url();
    if (target.startsWith('file://') || target.startsWith('data:') || target.startsWith('blob:')) {
      request.continue();
    } else {
      problems.push(`request to ${target}`);
      request.abort();
    }
  });
  await page.setViewport(viewport);
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  return { page, problems };
}
