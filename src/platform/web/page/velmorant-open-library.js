// The functions the player's wasm module calls to open what a presentation opens and to print:
// tabs, the page's bar, downloads, notices and the print dialog, all of velmorant-open.js.
mergeInto(LibraryManager.library, {
  $velmorantBytes: function (bytes, size) {
    return HEAPU8.slice(bytes, bytes + size);
  },

  velmorant_open_address: function (address) {
    return window.velmorantOpener.openAddress(UTF8ToString(address)) ? 1 : 0;
  },

  velmorant_offer_address: function (address) {
    window.velmorantOpener.offerAddress(UTF8ToString(address));
  },

  velmorant_open_file__deps: ['$velmorantBytes'],
  velmorant_open_file: function (name, mime, bytes, size) {
    return window.velmorantOpener.openFile(UTF8ToString(name), UTF8ToString(mime),
                                           velmorantBytes(bytes, size)) ? 1 : 0;
  },

  velmorant_download__deps: ['$velmorantBytes'],
  velmorant_download: function (name, bytes, size) {
    window.velmorantOpener.download(UTF8ToString(name), velmorantBytes(bytes, size));
  },

  velmorant_listing_begin: function (title) {
    window.velmorantOpener.beginListing(UTF8ToString(title));
  },

  velmorant_listing_file__deps: ['$velmorantBytes'],
  velmorant_listing_file: function (name, mime, bytes, size, readable) {
    window.velmorantOpener.listFile(UTF8ToString(name), UTF8ToString(mime),
                                    readable ? velmorantBytes(bytes, size) : null);
  },

  velmorant_listing_folder: function (name) {
    window.velmorantOpener.listFolder(UTF8ToString(name));
  },

  velmorant_listing_end: function () {
    return window.velmorantOpener.endListing() ? 1 : 0;
  },

  velmorant_notice: function (text) {
    window.velmorantOpener.notice(UTF8ToString(text));
  },

  velmorant_print_begin: function (title) {
    window.velmorantOpener.beginPrint(UTF8ToString(title));
  },

  velmorant_print_sheet: function (rgba, width, height) {
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    window.velmorantOpener.addSheet(new ImageData(pixels, width, height));
  },

  velmorant_print_open: function () {
    return window.velmorantOpener.openPrint() ? 1 : 0;
  },
});
