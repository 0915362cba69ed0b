// The page around the player's wasm module: finds the presentation (a published site's, a picked
// folder or a .zip), puts its files into the module's file system, runs the player, and carries
// the canvas, the input, the dialogs and the results of a parity run.
'use strict';
(function () {
  const kShow = '/velmorant/show';
  const kLog = '/velmorant/log.jsonl';
  const kSnapshots = '/velmorant/snapshots';
  const kScript = '/velmorant/script.txt';
  const kSoundtrack = '/velmorant/soundtrack.wav';
  // What a presentation may bring into the page, files and archive contents alike.
  const kBudgetBytes = 1536 * 1024 * 1024;
  const kMaxFiles = 100000;

  const params = new URLSearchParams(location.search);
  const parity = params.has('script');
  // A parity run can bring back its sounds mixed into one track, to compare with a native run's.
  const soundtrack = parity && params.get('soundtrack') === '1';
  const canvas = document.getElementById('velmorant-screen');
  const context = canvas.getContext('2d');
  const chooser = document.getElementById('velmorant-chooser');
  const statusLine = document.getElementById('velmorant-status');

  let module = null;
  let state = 'loading';
  let resolveResults;
  const results = new Promise((resolve) => { resolveResults = resolve; });

  window.velmorant = {
    results: () => results,
    logLines: () => readLog().split('\n').filter((line) => line.length > 0),
    state: () => state,
    // Sounds and films' sounds heard now through the page's output.
    sounding: () => window.velmorantAudio.sounding(),
  };

  function say(text) {
    statusLine.textContent = text;
    if (text) console.log('velmorant: ' + text);
  }

  function readLog() {
    if (!module) return '';
    try {
      return module.FS.readFile(kLog, {encoding: 'utf8'});
    } catch (e) {
      return '';
    }
  }

  // A presentation's relative name as the player may see it, or null: no way out of the folder.
  function confine(name) {
    if (typeof name !== 'string' || name.length === 0 || name.length > 4096) return null;
    if (name.startsWith('/') || name.includes('\\') || name.includes('\0')) return null;
    const parts = name.split('/');
    if (parts.some((p) => p === '' || p === '.' || p === '..')) return null;
    return parts.join('/');
  }

  // The shallowest folder of `names` that holds info.med: a folder picked one level too high, or
  // an archive with the presentation in a folder of its own, still plays.
  function presentationRoot(names) {
    let best = null;
    for (const name of names) {
      const parts = name.split('/');
      if (parts[parts.length - 1].toLowerCase() !== 'info.med') continue;
      const root = parts.slice(0, -1).join('/');
      if (best === null || root.split('/').length < best.split('/').length || root === '') best = root;
    }
    return best;
  }

  // ---- the module and its file system ----

  function loadScript(src) {
    return new Promise((resolve, reject) => {
      const s = document.createElement('script');
      s.src = src;
      s.onload = resolve;
      s.onerror = () => reject(new Error('cannot load ' + src));
      document.head.appendChild(s);
    });
  }

  async function startModule() {
    // Opened from disk the page cannot fetch the wasm: that build carries it inside.
    await loadScript(location.protocol === 'file:' ? 'velmorant-single.js' : 'velmorant.js');
    module = await window.createVelmorant({
      velmorantPage: page,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    });
    module.FS.mkdirTree(kShow);
    module.FS.mkdirTree(kSnapshots);
  }

  function makeFolders(path) {
    const parts = path.split('/');
    let at = kShow;
    for (const part of parts.slice(0, -1)) {
      at += '/' + part;
      try {
        module.FS.mkdir(at);
      } catch (e) { /* there already */ }
    }
  }

  function putFile(name, data, executable) {
    makeFolders(name);
    const path = kShow + '/' + name;
    module.FS.writeFile(path, data);
    if (executable) module.FS.chmod(path, 0o755);
  }

  // Files as [{name, data, executable}] with names relative to the presentation folder.
  function putFiles(files) {
    let total = 0;
    if (files.length > kMaxFiles) throw new Error('more than ' + kMaxFiles + ' files');
    for (const f of files) {
      total += f.data.length;
      if (total > kBudgetBytes) throw new Error('the presentation is larger than ' + kBudgetBytes + ' bytes');
    }
    for (const f of files) putFile(f.name, f.data, f.executable);
  }

  // ---- a published site ----

  async function fetchBytes(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status);
    return new Uint8Array(await response.arrayBuffer());
  }

  function checkManifest(manifest) {
    if (!manifest || !Array.isArray(manifest.files)) throw new Error('show.json lists no files');
    if (manifest.files.length > kMaxFiles) throw new Error('show.json lists too many files');
    let total = 0;
    const files = [];
    for (const f of manifest.files) {
      const name = confine(f.name);
      if (!name || typeof f.url !== 'string' || !Number.isSafeInteger(f.size) || f.size < 0) {
        console.warn('velmorant: show.json: an entry left out: ' + JSON.stringify(f.name));
        continue;
      }
      total += f.size;
      if (total > kBudgetBytes) throw new Error('the presentation is larger than ' + kBudgetBytes + ' bytes');
      files.push({name, url: f.url, size: f.size, executable: !!f.executable});
    }
    for (const folder of manifest.folders || []) {
      const name = confine(folder);
      if (name) makeFolders(name + '/x');
    }
    return files;
  }

  async function loadSiteOverHttp(manifest) {
    const files = checkManifest(manifest);
    let next = 0;
    async function worker() {
      while (next < files.length) {
        const f = files[next++];
        const data = await fetchBytes(f.url);
        if (data.length !== f.size) throw new Error(f.name + ': ' + data.length + ' bytes, show.json says ' + f.size);
        putFile(f.name, data, f.executable);
      }
    }
    await Promise.all(Array.from({length: 6}, worker));
  }

  function base64Bytes(text) {
    const raw = atob(text);
    const out = new Uint8Array(raw.length);
    for (let i = 0; i < raw.length; i++) out[i] = raw.charCodeAt(i);
    return out;
  }

  // From disk: the manifest and the files' bytes come as scripts, which file:// still loads.
  async function loadSiteFromScripts(manifest) {
    const files = checkManifest(manifest);
    const parts = new Map(files.map((f) => [f.name, []]));
    window.velmorantShowChunk = (index, entries) => {
      for (const [name, data] of entries) {
        const confined = confine(name);
        if (confined && parts.has(confined)) parts.get(confined).push(base64Bytes(data));
      }
    };
    for (const chunk of manifest.chunks || []) await loadScript(chunk);
    for (const f of files) {
      const pieces = parts.get(f.name);
      const data = new Uint8Array(pieces.reduce((n, p) => n + p.length, 0));
      let at = 0;
      for (const p of pieces) {
        data.set(p, at);
        at += p.length;
      }
      if (data.length !== f.size) throw new Error(f.name + ': ' + data.length + ' bytes, the manifest says ' + f.size);
      putFile(f.name, data, f.executable);
    }
  }

  // The site's manifest, or null when this page is the player's own.
  async function findSite() {
    if (location.protocol === 'file:') {
      return new Promise((resolve) => {
        window.velmorantShow = (manifest) => resolve({manifest, fromScripts: true});
        loadScript('show.js').catch(() => resolve(null));
      });
    }
    try {
      const response = await fetch('show.json', {cache: 'no-cache'});
      if (!response.ok) return null;
      return {manifest: await response.json(), fromScripts: false};
    } catch (e) {
      return null;
    }
  }

  // ---- a folder or an archive the user gives ----

  async function filesOfFolderInput(list) {
    const all = Array.from(list).map((f) => ({path: f.webkitRelativePath || f.name, file: f}));
    const names = all.map((f) => f.path);
    const root = presentationRoot(names);
    if (root === null) throw new Error('w tym folderze nie ma pliku info.med');
    const files = [];
    let total = 0;
    for (const {path, file} of all) {
      if (root && !path.startsWith(root + '/')) continue;
      const name = confine(root ? path.slice(root.length + 1) : path);
      if (!name) continue;
      total += file.size;
      if (total > kBudgetBytes) throw new Error('the presentation is larger than ' + kBudgetBytes + ' bytes');
      files.push({name, data: new Uint8Array(await file.arrayBuffer()), executable: false});
    }
    return files;
  }

  async function filesOfZip(blob) {
    const codepage = Number(params.get('codepage')) || 1250;
    const entries = await window.velmorantReadZip(blob, {budget: kBudgetBytes, confine, codepage});
    const root = presentationRoot(entries.map((e) => e.name));
    if (root === null) throw new Error('w tym archiwum nie ma pliku info.med');
    return entries
      .filter((e) => !root || e.name.startsWith(root + '/'))
      .map((e) => ({name: root ? e.name.slice(root.length + 1) : e.name, data: e.data, executable: false}));
  }

  function entryFile(entry) {
    return new Promise((resolve, reject) => entry.file(resolve, reject));
  }

  function entriesOf(folder) {
    const reader = folder.createReader();
    return new Promise((resolve, reject) => {
      const all = [];
      const more = () => reader.readEntries((batch) => {
        if (batch.length === 0) return resolve(all);
        all.push(...batch);
        more();
      }, reject);
      more();
    });
  }

  // A dropped folder, walked as the folder input lists one: paths from the folder's own name.
  async function walkEntry(entry, prefix, out) {
    if (out.length > kMaxFiles) throw new Error('more than ' + kMaxFiles + ' files');
    if (entry.isFile) {
      const file = await entryFile(entry);
      out.push({webkitRelativePath: prefix + entry.name, name: entry.name, size: file.size,
                arrayBuffer: () => file.arrayBuffer()});
    } else if (entry.isDirectory) {
      for (const child of await entriesOf(entry)) await walkEntry(child, prefix + entry.name + '/', out);
    }
  }

  async function choose(getFiles) {
    try {
      say('Wczytywanie…');
      const files = await getFiles();
      chooser.hidden = true;
      await play(files);
    } catch (e) {
      say(e.message);
      chooser.hidden = false;
    }
  }

  function showChooser() {
    state = 'choosing';
    chooser.hidden = false;
    const folderInput = document.getElementById('velmorant-open-folder');
    const zipInput = document.getElementById('velmorant-open-zip');
    folderInput.addEventListener('change', () => {
      if (folderInput.files.length) choose(() => filesOfFolderInput(folderInput.files));
    });
    zipInput.addEventListener('change', () => {
      if (zipInput.files.length) choose(() => filesOfZip(zipInput.files[0]));
    });
    chooser.addEventListener('dragover', (e) => {
      e.preventDefault();
      chooser.classList.add('dropping');
    });
    chooser.addEventListener('dragleave', () => chooser.classList.remove('dropping'));
    chooser.addEventListener('drop', (e) => {
      e.preventDefault();
      chooser.classList.remove('dropping');
      const item = e.dataTransfer.items[0];
      const entry = item && item.webkitGetAsEntry ? item.webkitGetAsEntry() : null;
      if (entry && entry.isDirectory) {
        choose(async () => {
          const listed = [];
          await walkEntry(entry, '', listed);
          return filesOfFolderInput(listed);
        });
      } else if (e.dataTransfer.files.length) {
        choose(() => filesOfZip(e.dataTransfer.files[0]));
      }
    });
  }

  // ---- running the player ----

  function commandLine() {
    const args = ['-p', kShow, '--log', kLog];
    if (params.has('codepage')) args.push('--codepage', params.get('codepage'));
    if (params.get('nolaunch') === '1') args.push('--no-launch');
    if (parity) {
      args.push('--headless', '--script', kScript, '--snapshots', kSnapshots);
      args.push('--screen', params.get('screen') || '1024x768x32');
      if (params.has('answer')) args.push('--answer', params.get('answer'));
    }
    if (params.has('interval')) args.push(params.get('interval'));
    return args;
  }

  async function play(files) {
    if (files) putFiles(files);
    if (parity) {
      module.FS.writeFile(kScript, await fetchBytes(params.get('script')));
    } else {
      layout();
    }
    state = 'playing';
    canvas.focus();
    module.callMain(commandLine());
  }

  function dataUrl(bytes, type) {
    let raw = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      raw += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return 'data:' + type + ';base64,' + btoa(raw);
  }

  function snapshots() {
    const out = {};
    for (const name of module.FS.readdir(kSnapshots)) {
      if (name.endsWith('.png')) out[name] = dataUrl(module.FS.readFile(kSnapshots + '/' + name), 'image/png');
    }
    return out;
  }

  // ---- what the module calls (velmorant-library.js) ----

  const inputs = [];
  let waker = null;
  let wakeTimer = 0;
  const cursorUrls = new Map();

  function wake() {
    if (!waker) return;
    const w = waker;
    waker = null;
    clearTimeout(wakeTimer);
    w();
  }

  const page = {
    waitForInput(ms, wakeUp) {
      waker = wakeUp;
      if (inputs.length) {
        wakeTimer = setTimeout(wake, 0);
      } else {
        wakeTimer = setTimeout(wake, Math.max(0, ms));
      }
    },
    nextInput() {
      return inputs.shift() || null;
    },
    present(image, left, top) {
      context.putImageData(image, left, top);
    },
    resize(width, height) {
      if (canvas.width === width && canvas.height === height) return;
      canvas.width = width;
      canvas.height = height;
      layout();
    },
    setCursor(cursor, picture, hotX, hotY) {
      if (!picture) {
        canvas.style.cursor = kCursorNames[cursor] || 'default';
        return;
      }
      if (!cursorUrls.has(cursor)) {
        const c = document.createElement('canvas');
        c.width = picture.width;
        c.height = picture.height;
        c.getContext('2d').putImageData(picture, 0, 0);
        cursorUrls.set(cursor, 'url(' + c.toDataURL('image/png') + ') ' + hotX + ' ' + hotY + ', default');
      }
      canvas.style.cursor = cursorUrls.get(cursor);
    },
    ask(caption, text, yesNo, icon) {
      return askInDialog(caption, text, yesNo, icon);
    },
    soundtrackFile() {
      return soundtrack ? kSoundtrack : '';
    },
    finished(status) {
      state = 'ended';
      const log = readLog();
      const out = {done: true, status, log, snapshots: parity ? snapshots() : {}};
      if (soundtrack) {
        try {
          out.soundtrack = dataUrl(module.FS.readFile(kSoundtrack), 'audio/wav');
        } catch (e) {
          out.soundtrack = null;
        }
      }
      resolveResults(out);
    },
  };

  // The form library's cursor numbers the browser has shapes of its own for.
  const kCursorNames = {
    0: 'default', [-1]: 'none', [-2]: 'default', [-3]: 'crosshair', [-4]: 'text',
    [-6]: 'nesw-resize', [-7]: 'ns-resize', [-8]: 'nwse-resize', [-9]: 'ew-resize',
    [-10]: 'default', [-11]: 'wait', [-12]: 'grabbing', [-13]: 'no-drop', [-14]: 'col-resize',
    [-15]: 'row-resize', [-17]: 'wait', [-18]: 'not-allowed', [-19]: 'progress', [-20]: 'help',
    [-21]: 'pointer', [-22]: 'move',
  };

  function askInDialog(caption, text, yesNo) {
    const dialog = document.getElementById('velmorant-message');
    document.getElementById('velmorant-message-caption').textContent = caption;
    document.getElementById('velmorant-message-text').textContent = text;
    document.getElementById('velmorant-message-yes').hidden = !yesNo;
    document.getElementById('velmorant-message-no').hidden = !yesNo;
    document.getElementById('velmorant-message-ok').hidden = yesNo;
    return new Promise((resolve) => {
      dialog.addEventListener('close', () => {
        canvas.focus();
        resolve(dialog.returnValue === 'yes' || dialog.returnValue === 'ok');
      }, {once: true});
      dialog.returnValue = yesNo ? 'no' : 'ok';
      dialog.showModal();
      document.getElementById(yesNo ? 'velmorant-message-yes' : 'velmorant-message-ok').focus();
    });
  }

  // ---- the canvas on the page: scale and input ----

  const scaleMode = params.get('scale') || 'fit';

  function layout() {
    const ratio = window.devicePixelRatio || 1;
    const roomX = window.innerWidth * ratio;
    const roomY = window.innerHeight * ratio;
    let fx = Math.min(roomX / canvas.width, roomY / canvas.height);
    let fy = fx;
    if (scaleMode === 'none') {
      fx = fy = 1;
    } else if (scaleMode === 'integer') {
      fx = fy = Math.max(1, Math.floor(fx));
    } else if (scaleMode === 'stretch') {
      fx = roomX / canvas.width;
      fy = roomY / canvas.height;
    }
    const width = canvas.width * fx / ratio;
    const height = canvas.height * fy / ratio;
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.style.left = Math.round((window.innerWidth - width) / 2) + 'px';
    canvas.style.top = Math.round((window.innerHeight - height) / 2) + 'px';
    // Whole factors keep every pixel sharp; others blend.
    canvas.classList.toggle('sharp', Number.isInteger(fx) && Number.isInteger(fy));
  }

  function screenPoint(e) {
    const r = canvas.getBoundingClientRect();
    const x = Math.floor((e.clientX - r.left) * canvas.width / r.width);
    const y = Math.floor((e.clientY - r.top) * canvas.height / r.height);
    return {x: Math.min(Math.max(x, 0), canvas.width - 1), y: Math.min(Math.max(y, 0), canvas.height - 1)};
  }

  function queue(input) {
    inputs.push(Object.assign({x: 0, y: 0, button: 0, turns: 0, numLock: 0, shift: 0, ctrl: 0, alt: 0,
                               code: '', key: ''}, input));
    if (waker) {
      clearTimeout(wakeTimer);
      wakeTimer = setTimeout(wake, 0);
    }
  }

  const kMove = 0, kDown = 1, kUp = 2, kWheel = 3, kKey = 4;

  function firstGesture() {
    if (parity || params.get('fullscreen') === '0' || document.fullscreenElement) return;
    const root = document.documentElement;
    if (!root.requestFullscreen) return;
    root.requestFullscreen().then(() => {
      // The presentation's own Escape still acts.
      if (navigator.keyboard && navigator.keyboard.lock) navigator.keyboard.lock(['Escape']).catch(() => {});
    }).catch(() => {});
  }

  function listen() {
    canvas.addEventListener('pointermove', (e) => {
      if (state !== 'playing') return;
      queue(Object.assign({kind: kMove}, screenPoint(e)));
    });
    canvas.addEventListener('pointerdown', (e) => {
      if (state !== 'playing') return;
      firstGesture();
      canvas.setPointerCapture(e.pointerId);
      canvas.focus();
      queue(Object.assign({kind: kDown, button: e.button}, screenPoint(e)));
      e.preventDefault();
    });
    canvas.addEventListener('pointerup', (e) => {
      if (state !== 'playing') return;
      queue(Object.assign({kind: kUp, button: e.button}, screenPoint(e)));
    });
    canvas.addEventListener('wheel', (e) => {
      if (state !== 'playing' || e.deltaY === 0) return;
      queue(Object.assign({kind: kWheel, turns: e.deltaY < 0 ? 1 : -1}, screenPoint(e)));
      e.preventDefault();
    }, {passive: false});
    canvas.addEventListener('contextmenu', (e) => e.preventDefault());
    window.addEventListener('keydown', (e) => {
      if (state !== 'playing' || document.getElementById('velmorant-message').open) return;
      firstGesture();
      queue({kind: kKey, code: e.code, key: e.key, numLock: e.getModifierState('NumLock') ? 1 : 0,
             shift: e.shiftKey ? 1 : 0, ctrl: e.ctrlKey ? 1 : 0, alt: e.altKey ? 1 : 0});
      // The browser's own shortcuts stay the browser's where the presentation cannot want them.
      if (!(e.ctrlKey && ['KeyW', 'KeyT', 'KeyN', 'KeyR'].includes(e.code))) e.preventDefault();
    });
    window.addEventListener('resize', layout);
  }

  // ---- start ----

  async function main() {
    listen();
    layout();
    try {
      const [site] = await Promise.all([findSite(), startModule()]);
      if (site) {
        say('');
        if (site.fromScripts) {
          await loadSiteFromScripts(site.manifest);
        } else {
          await loadSiteOverHttp(site.manifest);
        }
        await play(null);
      } else if (parity) {
        throw new Error('parity mode needs a published presentation (show.json)');
      } else {
        showChooser();
      }
    } catch (e) {
      say(e.message);
      chooser.hidden = false;
      if (parity || state === 'loading') {
        state = 'ended';
        resolveResults({done: true, status: 1, log: readLog(), snapshots: {}, error: e.message});
      }
    }
  }

  main();
})();
