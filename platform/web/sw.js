// Keeps this build on the player's device: after one visit it plays with no network, while a
// visit that reaches the server plays the build there now. scripts/web writes in each file's hash;
// the files' names carry it, so a page gets those of its own build, and a new build new names.
"use strict";

const FILES = JSON.parse('@FILES@');
const BUILD = "strickwichtspiel-@BUILD@";
const LISTS = "strickwichtspiel-listen";
const folder = new URL("./", self.location.href).href;
// Lie-fi: a page or word list the network does not bring within this long comes from the cache.
const patience = 4000;

async function keep(cache, name) {
  const url = folder + name, integrity = FILES[name];
  // The browser's own cache first, which a first visit has just filled; a stale copy there
  // fails its hash and is fetched afresh.
  for (const mode of ["default", "reload"]) {
    try {
      const response = await fetch(new Request(url, { cache: mode, integrity }));
      if (response.ok) return cache.put(url, response);
    } catch { /* the next mode, or the install fails and is tried again on the next visit */ }
  }
  throw new Error(`${name}: nicht zu laden`);
}

self.addEventListener("install", event => {
  event.waitUntil((async () => {
    const cache = await caches.open(BUILD);
    await Promise.all(Object.keys(FILES).map(name => keep(cache, name)));
    await self.skipWaiting();
  })());
});

// The build before stays until the next one: a page still loading from it finds its files.
self.addEventListener("activate", event => {
  event.waitUntil((async () => {
    const builds = (await caches.keys())
      .filter(name => name.startsWith("strickwichtspiel-") && name !== LISTS && name !== BUILD);
    await Promise.all(builds.slice(0, -1).map(name => caches.delete(name)));
    // What an earlier worker kept there beside the lists.
    await caches.open(LISTS).then(tidy).catch(() => {});
    await self.clients.claim();
  })());
});

async function fromBuild(url) {
  const own = await (await caches.open(BUILD)).match(url);
  return own || await caches.match(url, { ignoreSearch: true }) || fetch(url);
}

// The network within patience, or nothing.
async function soon(answer) {
  const timeout = new Promise(resolve => setTimeout(resolve, patience));
  return Promise.race([answer.catch(() => null), timeout]);
}

// The page is asked of the server on every visit, past the browser's cache: a school that puts a
// new build there has it played at once, its page with the files it names. Without an answer,
// this build's page.
async function fromServerFirst(request) {
  const answer = await soon(fetch(request.url, { cache: "no-cache", redirect: "manual" }));
  if (answer && (answer.ok || answer.type === "opaqueredirect")) return answer;
  return fromBuild(folder + "index.html").catch(() => answer || Response.error());
}

// Only the teacher's lists are kept, the files beside the page; a few, the longest unused go.
const listName = /^[A-Za-z0-9_-][A-Za-z0-9._-]*\.txt$/;
const keptLists = 20;

async function tidy(cache) {
  const urls = (await cache.keys()).map(request => request.url);
  const lists = urls.filter(url => url.startsWith(folder)
                                   && listName.test(url.slice(folder.length)));
  const others = urls.filter(url => !lists.includes(url));
  // Keys come oldest first; a list put again is new.
  const gone = others.concat(lists.slice(0, Math.max(0, lists.length - keptLists)));
  await Promise.all(gone.map(url => cache.delete(url)));
}

// The most of a list worth keeping, as the page says the program reads (none until it has): a
// larger file would fill the player's storage.
let listLimit = 0;

async function bounded(response) {
  const reader = response.body.getReader(), chunks = [];
  for (let size = 0; ;) {
    const { done, value } = await reader.read();
    if (done) return new Response(new Blob(chunks), { headers: response.headers });
    chunks.push(value);
    size += value.byteLength;
    if (size > listLimit) {
      reader.cancel().catch(() => {});
      return null;
    }
  }
}

// One after another: a tidying that read the keys before a list was put again would drop it.
let keeping = Promise.resolve();

function keepList(url, response) {
  keeping = keeping.then(async () => {
    try {
      const cache = await caches.open(LISTS);
      const kept = response && await bounded(response);
      if (kept) await cache.put(url, kept);
      else if (!response) await cache.delete(url);
      await tidy(cache);
    } catch {
      // a full or refused storage: the list is played, only not kept
    }
  });
  return keeping;
}

// A teacher's list is fetched fresh whenever the network is there, and kept for when it is not
// (stay is given the keeping, where no answer keeps the worker alive).
async function fromNetworkFirst(request, stay = () => {}) {
  const network = fetch(request).then(response => {
    if (response.ok) stay(keepList(request.url, response.clone()));
    else if (response.status === 404 || response.status === 410) stay(keepList(request.url, null));
    return response;
  });
  const first = await soon(network);
  if (first) return first;
  const kept = await caches.match(request.url, { cacheName: LISTS }).catch(() => null);
  return kept || network;
}

self.addEventListener("fetch", event => {
  const request = event.request;
  if (request.method !== "GET" || !request.url.startsWith(folder)) return;
  const name = new URL(request.url).pathname.slice(new URL(folder).pathname.length) || "index.html";
  if (name === "index.html") event.respondWith(fromServerFirst(request));
  else if (name in FILES) event.respondWith(fromBuild(folder + name));
  else if (listName.test(name)) event.respondWith(fromNetworkFirst(request));
  // Anything else of the folder (the licences) goes to the server as if there were no worker.
});

// The page names the list it plays, which it fetched before this worker was there.
self.addEventListener("message", event => {
  listLimit = Number(event.data?.limit) || 0;
  const url = String(event.data?.keep || "");
  const name = url.startsWith(folder) ? url.slice(folder.length) : "";
  if (listName.test(name) && !(name in FILES)) {
    const stays = [];
    event.waitUntil(fromNetworkFirst(new Request(folder + name), kept => stays.push(kept))
      .then(() => Promise.all(stays), () => {}));
  }
});
