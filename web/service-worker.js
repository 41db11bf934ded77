// SPDX-License-Identifier: MIT
// Keeps Plodway's site for playing offline: each build in a cache of its own,
// named by the build (filled in at staging, web/stage.cmake: a hash of the
// staged files), which a later build replaces.
"use strict";
const kBuild = "@PLODWAY_BUILD@";
const kFiles = ["@PLODWAY_FILES@"];
const kCache = "plodway-" + kBuild;

self.addEventListener("install", event => {
  // Asked again of the server, which a validating server answers with "not
  // modified" for what the page has just loaded, but never from a stale HTTP
  // cache that would mix two builds.
  event.waitUntil(caches.open(kCache)
    .then(cache => cache.addAll(kFiles.map(file => new Request(file, { cache: "no-cache" }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", event => event.waitUntil(self.clients.claim()));

// Builds left behind, once no page of theirs may still be loading: at a
// page's start, and not while a newer build is being kept, whose cache this
// worker would otherwise take for an old one.
async function dropOldBuilds() {
  if (self.registration.installing || self.registration.waiting) return;
  for (const name of await caches.keys())
    if (name.startsWith("plodway-") && name !== kCache) await caches.delete(name);
}

self.addEventListener("fetch", event => {
  const request = event.request, scope = self.registration.scope;
  if (request.method !== "GET" || !request.url.startsWith(scope)) return;
  // The page, whatever its query (?log, ?scale=N), at the folder or by name.
  const path = request.url.slice(scope.length).replace(/[?#].*/, "");
  if (request.mode === "navigate" && (path === "" || path === "index.html")) {
    event.respondWith(dropOldBuilds().then(() => caches.open(kCache))
      .then(cache => cache.match("index.html"))
      .then(page => page || fetch(request)));
    return;
  }
  // Over every build still kept, the oldest first: a page that started
  // before this build took over goes on loading its own build's files.
  event.respondWith(caches.match(request, { ignoreSearch: true }).then(kept => kept || fetch(request)));
});
