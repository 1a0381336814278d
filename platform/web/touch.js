"use strict";
// Typing by touch. A desk's keys go to the window as keys; a phone or tablet has only its
// on-screen keyboard, which opens for a text field alone. The field exists only there, takes
// one character at a time and is emptied at once, so it never holds the guesses as text.
(() => {
  const swp = window.swp;
  const screen = document.getElementById("screen");
  let keys = null;

  function touchKeys() {
    if (keys) return keys;
    keys = document.createElement("input");
    Object.assign(keys, { id: "keys", type: "text", inputMode: "text", autocomplete: "off",
                          spellcheck: false, autocapitalize: "none", enterKeyHint: "done",
                          tabIndex: -1 });
    keys.setAttribute("autocorrect", "off");
    keys.setAttribute("aria-label", "Buchstaben raten");
    // Some keyboards compose across letters: the composition grows with every letter typed and
    // ends only when the field does. Each letter is a guess once the keyboard has shown that it
    // adds letters and changes none; until then its newest letter may still become another
    // (an input method's "a" an "ä") and waits for the next or for the end.
    let composing = false, seen = "", played = "", addsLetters = false;
    const flush = () => {
      const text = keys.value;
      keys.value = "";
      if (text) type(text);
    };
    const playNew = settled => {
      if (settled.length > played.length && settled.startsWith(played)) {
        const fresh = settled.slice(played.length);
        // Before the guess: a round it ends ends the composition, which plays what is left.
        played = settled;
        type(fresh);
      }
    };
    keys.addEventListener("compositionstart", () => { composing = true; seen = played = ""; });
    keys.addEventListener("compositionend", () => {
      composing = false;
      playNew(keys.value);
      seen = played = "";
      keys.value = "";
    });
    keys.addEventListener("input", event => {
      if (!event.isComposing && !composing) {
        flush();
        return;
      }
      const text = keys.value;
      if (seen && text.length > seen.length && text.startsWith(seen)) addsLetters = true;
      seen = text;
      // Letters taken back count again when typed anew; the game keeps its guesses.
      while (!text.startsWith(played)) played = played.slice(0, -1);
      playNew(addsLetters ? text : text.slice(0, -1));
    });
    // The keys that type no text, as a desk gives them.
    keys.addEventListener("keydown", event => {
      const control = { Enter: "\r", Backspace: "\b", Escape: "\x1b" }[event.key];
      if (control && !event.isComposing && !composing) {
        event.preventDefault();
        type(control);
      }
    });
    document.getElementById("stage").appendChild(keys);
    return keys;
  }
  function type(text) {
    // The keyboard goes once the round is over, and the whole picture is seen.
    if (swp.game && !swp.game.keys.type(text)) keys.blur();
  }
  function open() {
    touchKeys().focus({ preventScroll: true });
  }

  // A finger or a pen: both want the on-screen keyboard.
  const fingers = new Set(["touch", "pen"]);
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
    if (!fingers.has(event.pointerType) || !event.isTrusted || !swp.game) return;
    const box = screen.getBoundingClientRect();
    const x = (event.clientX - box.left) * swp.windowSize.width / box.width;
    const y = (event.clientY - box.top) * swp.windowSize.height / box.height;
    if (swp.game.keys.wanted(Math.floor(x), Math.floor(y))) open();
  }, true); // before the toolkit, which keeps the event to itself

  swp.touch = {
    // After assistive technology pressed a control: a screen reader on a touch screen starts a
    // round there, and gets the keyboard with it.
    pressed() {
      if (!swp.game || !(keys || matchMedia("(pointer: coarse)").matches)) return;
      if (swp.game.keys.wanted(-1, -1)) open();
    },
    ended() { keys?.blur(); },
  };
})();
