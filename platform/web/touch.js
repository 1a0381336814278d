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

  screen.addEventListener("pointerup", event => {
    if (!swp.fingers.has(event.pointerType) || !event.isTrusted || !swp.game) return;
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
