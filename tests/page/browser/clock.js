// Runs in every page before the page's own scripts, in every engine alike, so
// that all engines see the same time and the same random numbers:
// - Math.random is seeded, so the shuffled transitions fall the same way.
// - Script errors and console errors are collected in window.__errors, and
//   the pictures the page asks for in window.__requests.
// - The clock. By default it stands still and only moves when the test calls
//   __clock.runFor(ms): timers and animation frames (every 16 ms) then fire in
//   order, as if that much time had passed. With "#clock=real" in the page's
//   address time runs as usual, and __clock.skip(ms) jumps ahead, firing the
//   timers that fall due, so a test can skip the waiting between transitions.
(function () {
  'use strict';
  let seed = 0x5eed;
  Math.random = function () {
    seed = (seed + 0x6d2b79f5) | 0;
    let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };

  const errors = (window.__errors = []);
  addEventListener('error', (e) => { if (e instanceof ErrorEvent) errors.push(`error: ${e.message}`); });
  addEventListener('unhandledrejection', (e) => errors.push(`unhandled rejection: ${e.reason}`));
  const consoleError = console.error.bind(console);
  console.error = (...args) => { errors.push(`console: ${args.join(' ')}`); consoleError(...args); };
  const requests = (window.__requests = []);
  const src = Object.getOwnPropertyDescriptor(HTMLImageElement.prototype, 'src');
  Object.defineProperty(HTMLImageElement.prototype, 'src', {
    configurable: true, enumerable: true, get: src.get,
    set(v) { requests.push(String(v)); src.set.call(this, v); },
  });

  const real = {
    setTimeout: window.setTimeout.bind(window), clearTimeout: window.clearTimeout.bind(window),
    raf: window.requestAnimationFrame.bind(window), now: performance.now.bind(performance),
    dateNow: Date.now,
  };
  const realTime = /(^|[#&])clock=real(&|$)/.test(location.hash);
  let offset = 0;        // real mode: how far the clock was skipped ahead
  let fakeNow = 0;       // fake mode: the current time
  const now = () => (realTime ? real.now() + offset : fakeNow);
  const timers = new Map();
  let nextId = 1;

  function add(fn, ms, args, repeat, frame) {
    const id = nextId++;
    const t = { id, fn, args, repeat: repeat ? Math.max(1, ms) : 0, frame, due: now() + Math.max(0, ms) };
    timers.set(id, t);
    if (realTime && !frame) arm(t);
    return id;
  }
  function arm(t) {
    real.clearTimeout(t.handle);
    t.handle = real.setTimeout(() => fire(t), Math.max(0, t.due - now()));
  }
  function fire(t) {
    if (!timers.has(t.id)) return;
    if (t.repeat) {
      t.due += t.repeat;
      if (realTime) arm(t);
    } else {
      timers.delete(t.id);
    }
    if (typeof t.fn === 'function') t.fn.apply(window, t.frame ? [now()] : t.args);
  }
  function remove(id) {
    const t = timers.get(id);
    if (t) real.clearTimeout(t.handle);
    timers.delete(id);
  }

  window.setTimeout = (fn, ms = 0, ...args) => add(fn, Number(ms) || 0, args, false, false);
  window.setInterval = (fn, ms = 0, ...args) => add(fn, Number(ms) || 0, args, true, false);
  window.clearTimeout = window.clearInterval = remove;
  performance.now = now;
  const start = real.dateNow();
  Date.now = () => start + Math.round(now());
  if (!realTime) {
    // Frames fall on a 16 ms grid, like a 60 Hz screen.
    window.requestAnimationFrame = (fn) => add(fn, 16 - (fakeNow % 16) || 16, [], false, true);
    window.cancelAnimationFrame = remove;
  } else {
    // Real frames, with the skipped-ahead clock as their time.
    window.requestAnimationFrame = (fn) => real.raf(() => fn(now()));
  }

  // A message, not a timer: background tabs hold timers back, messages not.
  // One channel for all: WebKit slows down with every channel left open.
  const channel = new MessageChannel(), yielded = [];
  channel.port1.onmessage = () => yielded.shift()();
  const yieldToPage = () => new Promise((r) => { yielded.push(r); channel.port2.postMessage(0); });
  window.__clock = {
    async runFor(ms) {
      const end = fakeNow + ms;
      for (;;) {
        let next = null;
        for (const t of timers.values()) if (t.due <= end && (!next || t.due < next.due)) next = t;
        if (!next) break;
        fakeNow = Math.max(fakeNow, next.due);
        fire(next);
        await yieldToPage();
      }
      fakeNow = end;
      await yieldToPage();
    },
    skip(ms) {
      offset += ms;
      for (const t of [...timers.values()]) if (!t.frame) arm(t);
    },
    now,
  };
})();
