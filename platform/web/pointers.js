"use strict";
// Pointers the toolkit would not take as they come: a pen, and a touch the system cancels.
(() => {
  const swp = window.swp;
  const screen = document.getElementById("screen");
  // A finger or a pen: touch.js opens the on-screen keyboard for both.
  const fingers = swp.fingers = new Set(["touch", "pen"]);
  // Guards a pointerup the page makes against the toolkit's letting go of the pointer's capture,
  // which the browser refuses with an exception for a pointer it has ended already.
  function dispatchUp(target, init) {
    const release = Element.prototype.releasePointerCapture;
    Element.prototype.releasePointerCapture = function (id) {
      try { release.call(this, id); } catch { /* ended already */ }
    };
    try {
      return target.dispatchEvent(new PointerEvent("pointerup", init));
    } finally {
      Element.prototype.releasePointerCapture = release;
    }
  }

  // This Qt is built without tablet events, and a pen would do nothing in the window: it goes to
  // the toolkit as the mouse it stands for.
  for (const type of ["pointerdown", "pointermove", "pointerup"]) {
    screen.addEventListener(type, event => {
      if (event.pointerType !== "pen" || !event.isTrusted) return;
      event.stopPropagation();
      const init = {
        bubbles: true, composed: true, cancelable: true, pointerType: "mouse",
        pointerId: event.pointerId, isPrimary: event.isPrimary, button: event.button,
        buttons: event.buttons, clientX: event.clientX, clientY: event.clientY,
        screenX: event.screenX, screenY: event.screenY, pressure: event.pressure,
        ctrlKey: event.ctrlKey, shiftKey: event.shiftKey, altKey: event.altKey,
        metaKey: event.metaKey };
      const target = event.composedPath()[0];
      const taken = type === "pointerup" ? !dispatchUp(target, init)
                                         : !target.dispatchEvent(new PointerEvent(type, init));
      if (taken) event.preventDefault();
    }, true);
  }

  // The toolkit lets a touch point go only on pointerup. A touch the system takes over for a
  // gesture of its own ends in pointercancel instead, which this Qt cannot read: the finger
  // would stay down for it, and no later tap would count. It gets the pointerup it waits for,
  // off the window's top left corner, where letting go clicks nothing.
  const down = new Map();
  screen.addEventListener("pointerdown", event => {
    if (!fingers.has(event.pointerType) || !event.isTrusted) return;
    // A pen is let go of as the mouse the toolkit took it for.
    const pointerType = event.pointerType === "pen" ? "mouse" : event.pointerType;
    down.set(event.pointerId, { pointerType, isPrimary: event.isPrimary,
                                target: event.composedPath()[0] });
  }, true);
  function letGo(pointerId) {
    const { target, ...pointer } = down.get(pointerId);
    down.delete(pointerId);
    const box = screen.getBoundingClientRect();
    dispatchUp(target, { ...pointer, pointerId, bubbles: true, composed: true, cancelable: true,
                         clientX: box.left - 1, clientY: box.top - 1 });
  }
  screen.addEventListener("pointercancel", event => {
    if (!down.has(event.pointerId)) return;
    event.stopPropagation();
    letGo(event.pointerId);
  }, true);
  // Where a browser cancels the touches alone.
  screen.addEventListener("touchcancel", () => {
    for (const [pointerId, pointer] of down) if (pointer.pointerType === "touch") letGo(pointerId);
  }, true);

  screen.addEventListener("pointerup", event => {
    if (event.isTrusted) down.delete(event.pointerId);
  }, true);
})();
