"use strict";
// The page's start: the program's download, the hooks through which it stands in for what a
// desktop has, and what the player sees while it loads or when it cannot.
(() => {
  const swp = window.swp;
  const $ = id => document.getElementById(id);
  const screen = $("screen"), progress = $("progress"), problem = $("problem");
  // The size of the program, written in by scripts/web, for the progress bar.
  const wasmBytes = Number("@WASM_BYTES@") || 0;
  swp.windowSize = { width: 483, height: 449 };

  swp.showProblem = text => {
    problem.textContent = text;
    problem.hidden = !text;
  };

  if (typeof WebAssembly !== "object" || typeof qtLoad !== "function") {
    progress.hidden = true;
    swp.showProblem("Dieser Browser kann das Spiel nicht ausführen: ihm fehlt WebAssembly. "
                    + "Ein aktueller Firefox, Chrome, Edge oder Safari kann es.");
    return;
  }
  if (swp.list.refused) {
    progress.hidden = true;
    swp.showProblem(swp.list.refused);
    return;
  }

  async function download() {
    const response = await fetch("strickwichtspiel.wasm");
    if (!response.ok)
      throw new Error("strickwichtspiel.wasm: " + response.status + " " + response.statusText);
    let received = 0;
    const counted = response.body.pipeThrough(new TransformStream({
      transform(chunk, out) {
        received += chunk.byteLength;
        if (wasmBytes) progress.value = Math.min(received / wasmBytes, 1);
        out.enqueue(chunk);
      }
    }));
    return WebAssembly.compileStreaming(
      new Response(counted, { headers: { "Content-Type": "application/wasm" } }));
  }

  let persistAsked = false;
  const config = {
    // Called by the program: the page stands in for what a desktop has.
    swpStarted: game => { swp.game = game; },
    swpShowError: text => swp.showProblem(text),
    swpAnnounce: text => {
      $("live").textContent = text;
      // Safari clears a site's storage after seven days without a visit, the offline game
      // with it, unless the site may keep it: asked once a player has begun a round.
      if (text && !persistAsked) {
        persistAsked = true;
        navigator.storage?.persist().catch(() => {});
      }
    },
    swpAccessible: nodes => swp.showTree(nodes),
    swpEnded: () => {
      swp.game = null;
      swp.touch.ended();
      screen.hidden = true;
      $("access").hidden = true;
      $("tools").hidden = true;
      $("live").textContent = "";
      $("ended").hidden = false;
      $("restart").focus();
    },
    qt: {
      containerElements: [screen],
      // Keys go to the window as keys: the toolkit's hidden text field for input methods would
      // collect every guess as text, where assistive technology reads it.
      environment: { QT_IM_MODULE: "none" },
      module: download(),
      // The program reads the list at its start, as the desktop's does; it runs once this
      // returns, and says how much of the list to read.
      entryFunction: async moduleConfig => {
        const program = swp.program = await strickwichtspiel_entry(moduleConfig);
        program.swpList = await swp.servedList(program.maxListBytes?.() ?? 0);
        return program;
      },
      // Only the faces the game brings: a player's own Arial would draw another window.
      localFonts: { familiesCollection: "NoFontFamilies" },
      onLoaded: () => {
        progress.hidden = true;
        screen.hidden = false;
        $("tools").hidden = false;
        $("listname").textContent = "Wortliste: " + swp.list.name;
        swp.hideToolkitBridge();
        // After the first frame, so that it costs the first visit nothing: the next visit
        // starts from the files kept here, and plays with no network.
        navigator.serviceWorker?.register("sw.js", { updateViaCache: "none" })
          .then(() => navigator.serviceWorker.ready)
          .then(registration => registration.active?.postMessage({
            keep: swp.list.url.href, limit: swp.program.maxListBytes?.() ?? 0 }))
          .catch(() => {});
      },
      onExit: status => {
        if (status.crashed) {
          progress.hidden = true;
          swp.showProblem("Das Spiel ist abgestürzt: " + (status.text || "unbekannter Fehler"));
        }
      },
    },
  };
  qtLoad(config).catch(error => {
    progress.hidden = true;
    swp.showProblem("Das Spiel konnte nicht geladen werden: " + error.message);
  });
  $("restart").addEventListener("click", () => location.reload());
})();
