// Quorvex's service worker: keeps one release's whole site in a cache of its own, so that the
// page opens and solves with no network. The build writes in the release's files, each with its
// SHA-256, and the cache's name, a hash of them all (service_worker.py). A new release is a new
// worker with a new cache, filled whole and checked before the worker takes over; the page is
// then served from that cache alone, and the caches of older releases are removed. A page never
// gets the script of one release with the program of another.
"use strict";

const PREFIX = `quorvex ${self.registration.scope} `;
const CACHE = PREFIX + "@QUORVEX_SITE_HASH@";
const FILES = @QUORVEX_SITE_FILES@;

// Each file as the release has it: from the browser's HTTP cache when its bytes are the release's
// (the page has just loaded most of them), from the server otherwise. A file missing or different
// fails the install, and the release before stays in use.
async function fill() {
  const cache = await caches.open(CACHE);
  await Promise.all(FILES.map(async ([name, integrity]) => {
    const response = await fetch(name, { integrity })
      .catch(() => fetch(name, { integrity, cache: "reload" }));
    if (!response.ok) {
      throw new Error(`${name}: ${response.status}`);
    }
    await cache.put(name, response);
  }));
}

async function removeOlderReleases() {
  const names = await caches.keys();
  await Promise.all(names.filter((name) => name.startsWith(PREFIX) && name !== CACHE)
    .map((name) => caches.delete(name)));
}

self.addEventListener("install", (event) => event.waitUntil(fill()));

// The first visit's page is served from the cache at once; a page open when a new release is
// installed keeps the older one until it is closed.
self.addEventListener("activate", (event) =>
  event.waitUntil(removeOlderReleases().then(() => self.clients.claim())));

self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  const scope = self.registration.scope;
  if (event.request.method !== "GET" || !url.href.startsWith(scope)) {
    return;
  }
  const name = url.pathname.slice(new URL(scope).pathname.length) || "index.html";
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(name))
    .then((response) => response || fetch(event.request)));
});
