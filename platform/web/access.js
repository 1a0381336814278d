"use strict";
// Assistive technology's view of the window: the program describes each accessible object of
// it, and the page keeps one element per object, from call to call, so that a screen reader
// does not lose its place.
(() => {
  const swp = window.swp;
  const access = document.getElementById("access");
  const standIns = new Map();

  function standIn(node) {
    let element = standIns.get(node.id);
    if (element && element.dataset.role === node.role) return element;
    element = document.createElement(node.role === "button" ? "button" : "div");
    element.dataset.role = node.role;
    if (node.role === "button") element.type = "button";
    else if (node.role !== "text") element.setAttribute("role", node.role);
    element.tabIndex = -1;
    // Pressed by assistive technology; the mouse goes through to the window.
    element.addEventListener("click", () => {
      if (!swp.game) return;
      swp.game.tree.press(node.id);
      swp.touch.pressed();
    });
    standIns.get(node.id)?.remove();
    standIns.set(node.id, element);
    return element;
  }

  swp.showTree = nodes => {
    const parents = [{ element: access, rect: [0, 0] }];
    access.hidden = false;
    for (const node of nodes) {
      const element = standIn(node);
      const parent = parents[node.depth] || parents[0];
      if (element.parentElement !== parent.element) parent.element.appendChild(element);
      parents[node.depth + 1] = { element, rect: node.rect };
      const [x, y, width, height] = node.rect;
      Object.assign(element.style, { left: x - parent.rect[0] + "px",
        top: y - parent.rect[1] + "px", width: width + "px", height: height + "px" });
      element.hidden = node.hidden;
      if (node.role === "text") {
        element.textContent = node.name;
      } else {
        element.setAttribute("aria-label", node.name);
        if (node.role === "textbox") {
          element.textContent = node.value;
          element.setAttribute("aria-readonly", String(node.readonly));
        }
      }
      if (node.description) element.setAttribute("aria-description", node.description);
      else element.removeAttribute("aria-description");
    }
  };

  // The toolkit's own bridge waits behind a hidden button of its own, and it would name the
  // text boxes not at all. The button lives in Qt 6.8's shadow DOM, as the program's
  // qtinternals.cpp says; if it is not found, the page says so on the console.
  swp.hideToolkitBridge = (tries = 200) => {
    const root = document.querySelector("#qt-shadow-container")?.shadowRoot;
    const button = root && [...root.querySelectorAll("button")]
      .find(element => element.classList.contains("hidden-visually-read-by-screen-reader"));
    if (button) {
      button.style.display = "none";
      button.setAttribute("aria-hidden", "true");
    } else if (tries > 0) {
      setTimeout(() => swp.hideToolkitBridge(tries - 1), 25);
    } else {
      console.error("Strickwichtspiel: der Knopf der Bildschirmleser-Brücke von Qt fehlt");
    }
  };
})();
