// A stand-in for the web player that keeps its page contract with canned answers, so the
// harness's own logic is checked without the real player. canned.json (written next to this
// file by the self-test) holds {expectParams, result, alterPixel}.
'use strict';
(() => {
  const lines = [];
  let state = 'loading';
  let resolveResults;
  const results = new Promise((resolve) => (resolveResults = resolve));
  window.velmorant = {results: () => results, logLines: () => lines.slice(), state: () => state};

  const log = (entry) => lines.push(JSON.stringify(entry));
  const params = new URLSearchParams(location.search);

  async function changePixel(dataUrl, x, y) {
    const image = new Image();
    image.src = dataUrl;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const pixel = context.getImageData(x, y, 1, 1);
    pixel.data[0] ^= 0xff;
    context.putImageData(pixel, x, y);
    return canvas.toDataURL('image/png');
  }

  async function parity(canned) {
    const script = await fetch(params.get('script'));
    const manifest = await fetch('show.json');
    const expected = canned.expectParams ?? {};
    const mismatched = Object.keys(expected).filter((name) => params.get(name) !== expected[name]);
    const result = structuredClone(canned.result);
    if (!script.ok || !manifest.ok || mismatched.length > 0) {
      result.status = 99;
      result.log =
          `stub: script ${script.status}, show.json ${manifest.status}, params ${mismatched}\n`;
    } else if (canned.alterPixel) {
      const {name, x, y} = canned.alterPixel;
      result.snapshots[name] = await changePixel(result.snapshots[name], x, y);
    }
    state = 'ended';
    resolveResults(result);
  }

  function play() {
    state = 'playing';
    log({t: 0, event: 'loaded', edition: 'g', pages: 1, screens: 1});
    log({t: 0, event: 'page', page: 0, screen: 0});
  }

  async function start() {
    if (params.has('script')) return parity(await (await fetch('canned.json')).json());
    const manifest = await fetch('show.json').catch(() => null);
    if (manifest?.ok) return play();
    state = 'choosing';
    const folder = document.getElementById('velmorant-open-folder');
    const zip = document.getElementById('velmorant-open-zip');
    folder.addEventListener('change', () => {
      if ([...folder.files].some((file) => file.webkitRelativePath.endsWith('/info.med'))) play();
    });
    zip.addEventListener('change', async () => {
      const bytes = new Uint8Array(await zip.files[0].arrayBuffer());
      if (bytes[0] === 0x50 && bytes[1] === 0x4b) play();
    });
  }
  start();
})();
