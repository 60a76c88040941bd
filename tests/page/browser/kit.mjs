// Shared helpers for the page's browser tests: test pictures, pages written by
// the program's own generator, and comparing screenshots.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { decodePng, encodePng } from './png.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
export const SOURCE_DIR = process.env.SORVANE_SOURCE_DIR || path.resolve(here, '../../..');
export const TEMPLATE =
  process.env.SORVANE_TEMPLATE || path.join(SOURCE_DIR, 'resources', 'template.html');

// The transition names in the program's order, read from the program itself.
export function transitionNames() {
  const text = fs.readFileSync(path.join(SOURCE_DIR, 'src/settings/TransitionNames.cpp'), 'utf8');
  const list = text.slice(text.indexOf('TransitionNames = {'), text.indexOf('};'));
  // Each entry is SORVANE_TR_NOOP("context", "name"): the name is the last string.
  return [...list.matchAll(/SORVANE_TR_NOOP\("[^"]*",\s*"([^"]+)"\)/g)].map((m) => m[1]);
}

// ---- pictures ----
export function image(width, height, paint) {
  const data = new Uint8Array(width * height * 4);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const [r, g, b] = paint(x, y);
      data.set([r, g, b, 255], (y * width + x) * 4);
    }
  }
  return { width, height, data };
}

export const solid = (w, h, rgb) => encodePng(image(w, h, () => rgb));

// Two busy, unlike pictures: every pixel of one differs from the other, and
// each has shapes that show where it sits while it moves.
export function pictureA(w, h) {
  return encodePng(image(w, h, (x, y) => {
    const disc = Math.hypot(x - w * 0.3, y - h * 0.35) < h * 0.22;
    const stripe = y > h * 0.72 && Math.floor(y / 6) % 2 === 0;
    if (disc) return [250, 210, 40];
    if (stripe) return [30, 90, 200];
    return [120 + Math.round(100 * x / w), 200, 235];
  }));
}
export function pictureB(w, h) {
  return encodePng(image(w, h, (x, y) => {
    const tri = y > h * 0.25 && Math.abs(x - w * 0.7) < (y - h * 0.25) * 0.6 && y < h * 0.85;
    const grid = x % 20 < 2 || y % 20 < 2;
    if (tri) return [245, 245, 245];
    if (grid) return [20, 20, 20];
    return [150, 30 + Math.round(60 * y / h), 70];
  }));
}

// ---- pages ----
export function tempDir(prefix = 'sorvane-page-') {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

/**
 * Writes a page into `dir` with the program's generator, and its pictures into
 * dir/Sorvane. pictures: [{name, transition = 54, bytes}] (no bytes: the file is
 * left missing). Returns the page's file URL.
 */
export function writeShow(dir, { pictures = [], color = '336699', duration = '4', align = 'center',
  page = 'Sorvane.html' } = {}) {
  const writer = process.env.SORVANE_WRITE_TEST_PAGE;
  if (!writer) throw new Error('SORVANE_WRITE_TEST_PAGE names no page writer');
  fs.mkdirSync(path.join(dir, 'Sorvane'), { recursive: true });
  for (const p of pictures) {
    if (p.bytes) fs.writeFileSync(path.join(dir, 'Sorvane', p.name), p.bytes);
  }
  execFileSync(writer, [TEMPLATE, dir, '--color', color, '--duration', duration, '--align', align,
    '--page', page, ...pictures.map((p) => `${p.name}:${p.transition ?? 54}`)]);
  return pathToFileURL(path.join(dir, page)).href;
}

export const pixels = (png) => decodePng(png);
export function pixelAt(img, x, y) {
  const o = (y * img.width + x) * 4;
  return [img.data[o], img.data[o + 1], img.data[o + 2]];
}
// How many pixels of two screenshots of one size differ by more than
// `tolerance` in some channel.
export function differingPixels(pngA, pngB, tolerance = 0) {
  const a = decodePng(pngA), b = decodePng(pngB);
  if (a.width !== b.width || a.height !== b.height) return Infinity;
  let n = 0;
  for (let i = 0; i < a.data.length; i += 4) {
    if (Math.abs(a.data[i] - b.data[i]) > tolerance ||
        Math.abs(a.data[i + 1] - b.data[i + 1]) > tolerance ||
        Math.abs(a.data[i + 2] - b.data[i + 2]) > tolerance) n++;
  }
  return n;
}
export const hex = (rgb) => rgb.map((v) => v.toString(16).padStart(2, '0')).join('').toUpperCase();
