"use strict";
// A pupil's own word list, picked or dropped on the page. It never leaves the page: it is read
// here and handed to the program, unless its size alone shows that it cannot be a list.
(() => {
  const swp = window.swp;
  const $ = id => document.getElementById(id);

  async function useList(file) {
    if (!swp.game || !file) return;
    const tooLarge = swp.program.checkListSize(file.name, file.size);
    if (tooLarge) {
      swp.showProblem(tooLarge);
      return;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    const message = swp.game.list.load(bytes, file.name);
    swp.showProblem(message);
    if (!message) $("listname").textContent = "Wortliste: " + file.name;
  }

  $("pick").addEventListener("click", () => $("file").click());
  $("file").addEventListener("change", event => {
    useList(event.target.files[0]);
    event.target.value = "";
  });
  document.addEventListener("dragover", event => {
    event.preventDefault();
    document.body.classList.add("dragging");
  });
  document.addEventListener("dragleave", () => document.body.classList.remove("dragging"));
  document.addEventListener("drop", event => {
    event.preventDefault();
    document.body.classList.remove("dragging");
    useList(event.dataTransfer.files[0]);
  });
})();
