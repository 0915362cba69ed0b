// The functions the player's wasm module calls in its page. The page (velmorant-page.js) hands the
// module a `velmorantPage` object with the canvas, the input queue and the dialogs.
mergeInto(LibraryManager.library, {
  velmorant_page_now: function () {
    return performance.now();
  },

  velmorant_page_wait__deps: ['$Asyncify'],
  velmorant_page_wait: function (ms) {
    return Asyncify.handleSleep(function (wakeUp) {
      Module.velmorantPage.waitForInput(ms, wakeUp);
    });
  },

  velmorant_page_next_input: function (numbers, code, codeSize, key, keySize) {
    var input = Module.velmorantPage.nextInput();
    if (!input) return 0;
    var fields = [input.kind, input.x, input.y, input.button, input.turns, input.numLock,
                  input.shift, input.ctrl, input.alt];
    for (var i = 0; i < fields.length; i++) HEAP32[(numbers >> 2) + i] = fields[i] | 0;
    stringToUTF8(input.code || '', code, codeSize);
    stringToUTF8(input.key || '', key, keySize);
    return 1;
  },

  velmorant_page_present: function (rgba, left, top, width, height, screenWidth, screenHeight) {
    Module.velmorantPage.resize(screenWidth, screenHeight);
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    Module.velmorantPage.present(new ImageData(pixels, width, height), left, top);
  },

  velmorant_page_set_cursor: function (cursor, rgba, width, height, hotX, hotY) {
    var picture = null;
    if (rgba) {
      picture = new ImageData(new Uint8ClampedArray(HEAPU8.slice(rgba, rgba + width * height * 4)),
                              width, height);
    }
    Module.velmorantPage.setCursor(cursor, picture, hotX, hotY);
  },

  velmorant_page_ask__deps: ['$Asyncify'],
  velmorant_page_ask: function (caption, text, yesNo, icon) {
    var c = UTF8ToString(caption);
    var t = UTF8ToString(text);
    return Asyncify.handleSleep(function (wakeUp) {
      Module.velmorantPage.ask(c, t, !!yesNo, icon).then(function (yes) { wakeUp(yes ? 1 : 0); });
    });
  },

  velmorant_page_soundtrack_file: function (path, size) {
    stringToUTF8(Module.velmorantPage.soundtrackFile(), path, size);
  },

  velmorant_page_finished: function (status) {
    Module.velmorantPage.finished(status);
  },
});
