"use strict";
// The word list lies beside this page: worte.txt, or the one a link names (?liste=NAME), so
// that one folder serves several classes. Only a plain name of this folder is asked for.
(() => {
  const swp = (window.swp ??= {});
  const folder = new URL("./", location.href);

  function chosenList() {
    const names = new URLSearchParams(location.search).getAll("liste");
    if (names.length === 0) return { name: "worte.txt" };
    const name = names[0];
    if (names.length === 1 && /^[A-Za-z0-9_-][A-Za-z0-9._-]{0,99}$/.test(name)) {
      const url = new URL(name, folder);
      if (url.href === folder.href + name) return { name, url };
    }
    const shown = name.length > 80 ? name.slice(0, 80) + "…" : name;
    return { refused: `Die Adresse nennt als Wortliste „${shown}“${names.length > 1 ? " und weitere" : ""}. `
      + "Das ist kein einfacher Dateiname: Eine Wortliste liegt im selben Ordner wie das Spiel, "
      + "und ihr Name besteht nur aus Buchstaben, Ziffern, Punkt, Bindestrich und Unterstrich "
      + "(zum Beispiel ?liste=klasse-3b.txt)." };
  }
  const list = swp.list = chosenList();
  if (list.refused) return;
  list.url ??= new URL(list.name, folder);

  // Asked for at once, beside the program's download; read once the program has said how much
  // of a list can matter (limit): it judges what it gets, and a longer file breaks a rule within
  // that much.
  const response = fetch(list.url, { cache: "no-cache" }).catch(() => null);
  swp.servedList = async limit => {
    const served = { name: list.name, folder: folder.href, missing: false, bytes: null, reason: "" };
    const answer = await response;
    if (!answer) {
      served.reason = "der Server ist nicht erreichbar";
      return served;
    }
    if (answer.status === 404 || answer.status === 410) {
      served.missing = true;
      return served;
    }
    if (!answer.ok) {
      served.reason = `der Server antwortet „${answer.status} ${answer.statusText}“`.replace(" “", "“");
      return served;
    }
    const reader = answer.body.getReader(), chunks = [];
    let size = 0;
    try {
      while (size < limit) {
        const { done, value } = await reader.read();
        if (done) break;
        chunks.push(value);
        size += value.byteLength;
      }
    } catch {
      served.reason = "die Verbindung zum Server brach ab";
      return served;
    }
    reader.cancel().catch(() => {});
    served.bytes = new Uint8Array(Math.min(size, limit));
    let at = 0;
    for (const chunk of chunks) {
      const part = chunk.subarray(0, served.bytes.length - at);
      served.bytes.set(part, at);
      at += part.length;
    }
    return served;
  };
})();
