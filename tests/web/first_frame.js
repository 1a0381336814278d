// The moment the first window is drawn: the first animation frame in which a canvas of the
// toolkit holds a drawn pixel at its centre. Run before the page's own scripts, by check.py in
// Chromium and firefox/check.mjs in Firefox.
(() => {
  const look = () => {
    const root = document.querySelector('#qt-shadow-container')?.shadowRoot;
    const canvas = root?.querySelector('canvas');
    const context = canvas && canvas.width > 0 && canvas.getContext('2d');
    if (context) {
      const pixel = context.getImageData(canvas.width >> 1, canvas.height >> 1, 1, 1).data;
      if (pixel[3] !== 0) { window.swpFirstFrame = performance.now(); return; }
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
})();
