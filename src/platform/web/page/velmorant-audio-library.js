// The sound output's functions for the player's wasm module: voices of the page's one
// AudioContext (velmorant-audio.js, window.velmorantAudio).
mergeInto(LibraryManager.library, {
  velmorant_audio_running: function () {
    return window.velmorantAudio.running() ? 1 : 0;
  },

  velmorant_audio_play: function (samples, count, rate, channels, offsetMs, loop) {
    return window.velmorantAudio.play(HEAP16.subarray(samples >> 1, (samples >> 1) + count),
                                      rate, channels, offsetMs, !!loop);
  },

  velmorant_audio_pause: function (voice) {
    window.velmorantAudio.pause(voice);
  },

  velmorant_audio_resume: function (voice) {
    window.velmorantAudio.resume(voice);
  },

  velmorant_audio_stop: function (voice) {
    window.velmorantAudio.stop(voice);
  },

  velmorant_audio_position: function (voice) {
    return window.velmorantAudio.position(voice);
  },
});
