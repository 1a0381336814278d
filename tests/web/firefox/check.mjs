// The web build in headless Firefox (Debian's firefox-esr, driven over WebDriver BiDi), after
// check.py's Chromium: the window's size, a round by mouse and keys with ä ö ü ß from a list
// the link names, the announcements, a second visit with the server gone, the program's memory,
// and the first frame against the bare window. Firefox over BiDi emulates no touch screen.
//   node tests/web/firefox/check.mjs [LOADS]
import { spawn } from "node:child_process";
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import path from "node:path";

const ROOT = path.resolve(import.meta.dirname, "../../..");
// npm ci put puppeteer-core here (swp_web_firefox_check in scripts/lib.sh), outside git.
const puppeteer = createRequire(path.join(ROOT, "build-web-firefox/"))("puppeteer-core");
const loads = Number(process.argv[2] ?? 7);
const failures = [];
const pause = ms => new Promise(done => setTimeout(done, ms));

function check(condition, what) {
  console.log((condition ? "ok    " : "FEHLT ") + "Firefox: " + what);
  if (!condition) failures.push(what);
}

// The first frame as check.py marks it. The program's memory, which it keeps to itself: the
// WebAssembly.Memory its instance exports. The page's requests for lasting storage, counted,
// not made.
const PROBE = readFileSync(path.join(ROOT, "tests/web/first_frame.js"), "utf8") + `(() => {
  const instantiate = WebAssembly.instantiate;
  WebAssembly.instantiate = async (...args) => {
    const result = await instantiate.apply(WebAssembly, args);
    const instance = result.instance ?? result;
    window.swpMemory = Object.values(instance.exports).find(x => x instanceof WebAssembly.Memory);
    return result;
  };
  window.swpPersistAsked = 0;
  if (navigator.storage) navigator.storage.persist = async () => (window.swpPersistAsked++, false);
})();`;

function serve(folder) {
  const server = spawn("python3", [path.join(ROOT, "scripts/web-serve.py"), folder, "0"],
    { stdio: ["ignore", "pipe", "inherit"] });
  return new Promise(resolve => server.stdout.once("data", data =>
    resolve({ url: String(data).trim().split("\n")[0], close: () => server.kill() })));
}

// Where ui/layout.h puts a box, in the window's CSS pixels (the table is in 1/15 px).
function centre(name) {
  const text = readFileSync(path.join(ROOT, "ui/layout.h"), "utf8");
  const [x, y, w, h] = text.match(new RegExp(`Box ${name}\\{\\{([\\d, ]+)\\}`))[1]
    .split(",").map(v => Number(v) / 15);
  return [x + w / 2, y + h / 2];
}

async function open(context, url) {
  const page = await context.newPage();
  await page.evaluateOnNewDocument(PROBE);
  await page.goto(url);
  const ready = await page.waitForFunction("window.swpFirstFrame", { timeout: 60000 })
    .then(handle => handle.jsonValue(), () => null);
  return { page, ready };
}

const live = page => page.$eval("#live", element => element.textContent);
async function says(page, text, what) {
  const said = await live(page);
  check(said === text, `${what}: ${said}`);
}

async function click(page, [x, y]) {
  const box = await page.$eval("#screen", e => e.getBoundingClientRect().toJSON());
  await page.mouse.click(box.x + x, box.y + y);
  await pause(200);
}

async function type(page, text) {
  for (const key of text) {
    await page.keyboard.press(key);
    await pause(120);
  }
}

// The program's memory, and how far up it was ever written: freed memory is not cleared, so the
// last byte not zero marks the heap's highest point.
async function memory(page, when) {
  const [size, used] = await page.evaluate(() => {
    const words = new Uint32Array(window.swpMemory.buffer);
    let top = words.length;
    while (top > 0 && words[top - 1] === 0) top--;
    return [words.byteLength, top * 4].map(bytes => (bytes / 2 ** 20).toFixed(1));
  });
  console.log(`Firefox: Speicher ${when}: ${size} MiB, benutzt bis ${used} MiB`);
}

async function play(browser, site) {
  const context = await browser.createBrowserContext();
  const { page, ready } = await open(context, site.url + "?liste=umlaute.txt");
  check(ready !== null, "das Spiel erscheint");
  if (ready === null) return;
  const box = await page.$eval("#screen", e => e.getBoundingClientRect().toJSON());
  check(box.width === 483 && box.height === 449,
    `Fenster 483 × 449 CSS-Pixel: ${box.width} × ${box.height}`);
  await memory(page, "nach dem Start");

  const textin = centre("kTextin");
  await click(page, textin);
  await says(page, "-------------, 0 von 8 Fehlern", "Rundenbeginn mit der Maus");
  await type(page, "x");
  await says(page, "-------------, 1 von 8 Fehlern", "ein Fehler angesagt");
  await type(page, "üßäö");
  const shown = await page.$eval("#access [aria-label='Geheimes Wort']", e => e.textContent);
  check(shown === "-üß---ä--ö---" && await live(page) === "-üß---ä--ö---, 1 von 8 Fehlern",
    `ä ö ü ß getroffen, das Wortfeld gleich: ${shown}, ${await live(page)}`);
  await type(page, "sgebckfn");
  await says(page, "Süßgebäcköfen, gewonnen", "gewonnen");
  const listed = await page.$eval("#listname", e => e.textContent);
  check(listed === "Wortliste: umlaute.txt", `die Liste aus ?liste=: ${listed}`);

  // A player's own list, as long as lists get: 1000 words of 50 letters, in Windows-1252.
  await page.evaluate(() => {
    const bytes = [];
    for (let i = 0; i < 1000; i++) {
      const end = [100, 10, 1].map(d => "bcdfghjklm".charCodeAt(Math.floor(i / d) % 10));
      bytes.push(0xD6, ...Array(46).fill(0xE4), ...end, 13, 10);
    }
    const files = new DataTransfer();
    files.items.add(new File([new Uint8Array(bytes)], "lang.txt", { type: "text/plain" }));
    const at = { bubbles: true, cancelable: true, dataTransfer: files };
    document.body.dispatchEvent(new DragEvent("dragover", at));
    document.body.dispatchEvent(new DragEvent("drop", at));
  });
  await pause(500);
  await click(page, textin);
  await says(page, "-".repeat(50) + ", 0 von 8 Fehlern", "die eigene Liste gilt");
  for (let round = 0; round < 3; round++) {
    // Won or lost, whichever letters the word ends in.
    await type(page, "öäbcdfghjklm");
    await click(page, textin);
  }
  await memory(page, "nach vier Runden und einer Liste von 1000 Wörtern");
  check(await page.evaluate("window.swpPersistAsked") === 1,
    "nach der ersten Runde einmal um dauerhaften Speicher gebeten");
  const capped = await page.evaluate(() => {
    try {
      window.swpMemory.grow((64 << 4) - window.swpMemory.buffer.byteLength / 65536 + 1);
    } catch (error) {
      return error instanceof RangeError;
    }
  });
  check(capped === true, "der Speicher wächst nicht über 64 MB, Safaris wegen");

  // The service worker keeps what a visit loaded; the next visit needs no server.
  const kept = await page.waitForFunction(`navigator.serviceWorker.controller !== null
      && caches.keys().then(names => names.some(name => name.includes("listen")))`,
  { timeout: 30000 }).then(() => true, () => false);
  site.close();
  await page.close();
  const again = await open(context, site.url + "?liste=umlaute.txt");
  check(kept && again.ready !== null, "ohne Server: das Spiel erscheint aus dem Zwischenspeicher");
  if (again.ready !== null) {
    await click(again.page, textin);
    await says(again.page, "-------------, 0 von 8 Fehlern", "und spielt die Liste");
  }
  await context.close();
}

// Seconds to the first frame, each load in a fresh context, the game and the bare window taking
// turns, first one then the other first, so that the machine's load falls on both alike; the
// medians. As in check.py, a ratio over the goal counts only if a second round of loads, taken
// together with the first, shows it too.
async function firstFrames(browser) {
  const median = values => values.sort((a, b) => a - b)[values.length >> 1];
  const servers = await Promise.all(["build-web", "build-web-bench"]
    .map(folder => serve(path.join(ROOT, folder))));
  const times = [[], []];
  let game, bare;
  for (let round = 0; round < 2 && !(game <= 1.10 * bare); round++) {
    for (let load = 0; load < loads; load++) {
      for (const which of load % 2 ? [1, 0] : [0, 1]) {
        const context = await browser.createBrowserContext();
        const { page, ready } = await open(context, servers[which].url);
        if (ready !== null) times[which].push(ready / 1000);
        // The service worker's copying after the first frame would slow the next load.
        await page.evaluate(`Promise.race([navigator.serviceWorker.ready.then(() => true),
          new Promise(done => setTimeout(done, 10000))])`).catch(() => {});
        await context.close();
      }
    }
    if (!times[0].length || !times[1].length) break;
    [game, bare] = times.map(median);
    console.log(`Firefox: erstes Bild (Median aus ${times[0].length}/${times[1].length} `
      + "Ladevorgängen, headless firefox-esr, lokaler Server): Spiel "
      + `${game.toFixed(2)} s, schlichtes Fenster ${bare.toFixed(2)} s, `
      + `Verhältnis ${(game / bare).toFixed(2)}`);
  }
  servers.forEach(server => server.close());
  if (game === undefined) return check(false, "erstes Bild gemessen");
  check(game <= 1.10 * bare,
    `erstes Bild höchstens 1,10 × das des schlichten Fensters (${(game / bare).toFixed(2)})`);
}

const folder = mkdtempSync(path.join(tmpdir(), "swp-firefox-"));
const browser = await puppeteer.launch({
  browser: "firefox", executablePath: "/usr/bin/firefox-esr", protocol: "webDriverBiDi",
  headless: true, defaultViewport: { width: 800, height: 760 },
});
try {
  cpSync(path.join(ROOT, "build-web"), path.join(folder, "spiel"), { recursive: true });
  writeFileSync(path.join(folder, "spiel/umlaute.txt"),
    Buffer.from("Süßgebäcköfen\r\n", "latin1"));
  const site = await serve(folder);
  site.url += "spiel/";
  await play(browser, site);
  await firstFrames(browser);
} finally {
  await browser.close();
  rmSync(folder, { recursive: true, force: true });
}
console.log(`Firefox: ${failures.length || "keine"} Prüfungen fehlgeschlagen`);
process.exit(failures.length ? 1 : 0);
