// The page's sound: one AudioContext, which a browser lets sound only after the user's first
// click or key, and the voices the player plays on it.
'use strict';
(function () {
  let context = null;
  let gestured = false;
  let nextVoice = 1;
  const voices = new Map();

  function output() {
    if (!context) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return null;
      context = new Context();
    }
    return context;
  }

  function gesture() {
    gestured = true;
    const c = output();
    if (c && c.state === 'suspended') c.resume().catch(() => {});
  }
  // Capturing, so that the page's own handlers cannot keep the gesture from the sound.
  for (const kind of ['pointerdown', 'keydown', 'touchend']) {
    window.addEventListener(kind, gesture, {capture: true});
  }

  // Where `voice` is, in seconds into its buffer; null once it has ended.
  function where(voice) {
    if (voice.paused !== null) return voice.paused;
    let at = voice.offset + (context.currentTime - voice.startedAt);
    const length = voice.buffer.duration;
    if (voice.loop) return length > 0 ? at % length : 0;
    return at < length ? at : null;
  }

  function start(voice, offset) {
    const source = context.createBufferSource();
    source.buffer = voice.buffer;
    source.loop = voice.loop;
    source.connect(context.destination);
    source.start(0, offset);
    voice.source = source;
    voice.offset = offset;
    voice.startedAt = context.currentTime;
    voice.paused = null;
  }

  function halt(voice) {
    if (!voice.source) return;
    try {
      voice.source.stop();
    } catch (e) { /* never started */ }
    voice.source.disconnect();
    voice.source = null;
  }

  window.velmorantAudio = {
    running() {
      const c = output();
      return !!c && (gestured || c.state === 'running');
    },
    // Samples: an Int16Array of interleaved frames; the voice's number, 0 when it cannot play.
    play(samples, rate, channels, offsetMs, loop) {
      const c = output();
      const frames = Math.floor(samples.length / channels);
      if (!c || frames <= 0) return 0;
      let buffer;
      try {
        buffer = c.createBuffer(channels, frames, rate);
      } catch (e) {
        console.warn('velmorant: a sound the page cannot play: ' + e.message);
        return 0;
      }
      for (let ch = 0; ch < channels; ch++) {
        const out = buffer.getChannelData(ch);
        for (let i = 0, j = ch; i < frames; i++, j += channels) out[i] = samples[j] / 32768;
      }
      const voice = {buffer, loop, source: null, offset: 0, startedAt: 0, paused: null};
      start(voice, Math.min(Math.max(offsetMs / 1000, 0), buffer.duration));
      const id = nextVoice++;
      voices.set(id, voice);
      return id;
    },
    pause(id) {
      const voice = voices.get(id);
      if (!voice || voice.paused !== null) return;
      const at = where(voice);
      halt(voice);
      voice.paused = at === null ? voice.buffer.duration : at;
    },
    resume(id) {
      const voice = voices.get(id);
      if (voice && voice.paused !== null) start(voice, voice.paused);
    },
    stop(id) {
      const voice = voices.get(id);
      if (!voice) return;
      halt(voice);
      voices.delete(id);
    },
    position(id) {
      const voice = voices.get(id);
      if (!voice) return -1;
      const at = where(voice);
      return at === null ? -1 : at * 1000;
    },
    // Voices that sound now: started, neither paused nor ended, on a running output.
    sounding() {
      if (!context || context.state !== 'running') return 0;
      let n = 0;
      for (const voice of voices.values()) if (voice.paused === null && where(voice) !== null) n++;
      return n;
    },
  };
})();
