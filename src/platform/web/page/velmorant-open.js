// What the player opens and prints, on the page: new tabs, the bar that offers what the browser
// would not open by itself, downloads, notices and the print dialog. velmorant-open-library.js
// calls it as window.velmorantOpener.
'use strict';
(function () {
  // A notice stays this long; an offer stays until it is used or closed.
  const kNoticeMs = 15000;
  // The same file opened again reuses its blob rather than copying it once more.
  const blobs = new Map();
  let listing = null;

  function blobUrl(bytes, type, name) {
    const key = type + '\n' + name + '\n' + bytes.length;
    if (!blobs.has(key)) blobs.set(key, URL.createObjectURL(new Blob([bytes], {type})));
    return blobs.get(key);
  }

  function barArea() {
    let area = document.getElementById('velmorant-bars');
    if (!area) {
      area = document.createElement('div');
      area.id = 'velmorant-bars';
      document.body.appendChild(area);
    }
    return area;
  }

  function addBar(content) {
    const bar = document.createElement('div');
    bar.className = 'velmorant-bar';
    bar.appendChild(content);
    const close = document.createElement('button');
    close.textContent = '×';
    close.title = 'Zamknij';
    close.addEventListener('click', () => bar.remove());
    bar.appendChild(close);
    barArea().appendChild(bar);
    return bar;
  }

  // A click on the bar's link is the user's own: the browser opens that tab.
  function offer(label, href) {
    const link = document.createElement('a');
    link.href = href;
    link.target = '_blank';
    link.rel = 'noopener';
    link.textContent = 'Otwórz: ' + label;
    const bar = addBar(link);
    link.addEventListener('click', () => bar.remove());
  }

  function openTab(url) {
    const tab = window.open(url, '_blank');
    if (!tab) return false;
    try {
      tab.opener = null;
    } catch (e) { /* another origin's already */ }
    return true;
  }

  function escapeHtml(text) {
    return text.replace(/[&<>"']/g, (c) => '&#' + c.charCodeAt(0) + ';');
  }

  function listingPage({title, rows}) {
    const items = rows.map(({name, href, download}) => {
      if (!href) return '<li>' + escapeHtml(name) + '</li>';
      const how = download ? ' download="' + escapeHtml(name) + '"' : ' target="_blank"';
      return '<li><a href="' + escapeHtml(href) + '"' + how + '>' + escapeHtml(name) + '</a></li>';
    });
    return '<!DOCTYPE html><html lang="pl"><head><meta charset="utf-8"><title>' + escapeHtml(title) +
        '</title><style>body{font:16px/1.5 "DejaVu Sans",sans-serif;margin:2em}</style></head>' +
        '<body><h1>' + escapeHtml(title) + '</h1><ul>' + items.join('') + '</ul></body></html>';
  }

  // A sheet becomes a PNG at once, on one canvas, so that the page holds one sheet's pixels.
  let job = null;
  let sheetCanvas = null;

  function addSheet(image) {
    if (!job) return;
    if (!sheetCanvas) sheetCanvas = document.createElement('canvas');
    sheetCanvas.width = image.width;
    sheetCanvas.height = image.height;
    sheetCanvas.getContext('2d').putImageData(image, 0, 0);
    job.sheets.push(sheetCanvas.toDataURL('image/png'));
  }

  function openPrint() {
    if (!job) return false;
    const {title, sheets} = job;
    job = null;
    if (sheetCanvas) sheetCanvas.width = sheetCanvas.height = 0;
    return printSheets(title, sheets);
  }

  function printSheets(title, sheets) {
    const frame = document.createElement('iframe');
    frame.className = 'velmorant-print';
    frame.setAttribute('aria-hidden', 'true');
    document.body.appendChild(frame);
    const doc = frame.contentDocument;
    doc.open();
    doc.write('<!DOCTYPE html><html><head><meta charset="utf-8"><title></title><style>' +
              '@page{size:A4;margin:0}html,body{margin:0}' +
              'img{display:block;width:210mm;height:296.5mm;break-after:page}' +
              'img:last-child{break-after:auto}</style></head><body></body></html>');
    doc.close();
    // The print job's title, as the desktop's.
    doc.title = title;
    const images = sheets.map((url) => {
      const image = doc.createElement('img');
      image.src = url;
      doc.body.appendChild(image);
      return image;
    });
    // The keys go back to the presentation once the dialog is over.
    const done = () => {
      frame.remove();
      window.focus();
    };
    Promise.all(images.map((image) => image.decode().catch(() => {}))).then(() => {
      // Announced first, so that the page around (or a test) may see what is printed.
      window.dispatchEvent(new CustomEvent('velmorant-print', {detail: {frame, title, sheets: images.length}}));
      frame.contentWindow.addEventListener('afterprint', () => setTimeout(done, 0), {once: true});
      frame.contentWindow.focus();
      frame.contentWindow.print();
    });
    return true;
  }

  window.velmorantOpener = {
    openAddress(address) {
      if (openTab(address)) return true;
      offer(address, address);
      return false;
    },
    offerAddress(address) {
      offer(address, address);
    },
    openFile(name, type, bytes) {
      const url = blobUrl(bytes, type, name);
      if (openTab(url)) return true;
      offer(name, url);
      return false;
    },
    download(name, bytes) {
      const link = document.createElement('a');
      link.href = blobUrl(bytes, 'application/octet-stream', name);
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
    },
    beginListing(title) {
      listing = {title, rows: []};
    },
    listFile(name, type, bytes) {
      if (!listing) return;
      const href = bytes ? blobUrl(bytes, type || 'application/octet-stream', name) : null;
      listing.rows.push({name, href, download: !type});
    },
    listFolder(name) {
      if (listing) listing.rows.push({name: name + '/', href: null, download: false});
    },
    endListing() {
      if (!listing) return false;
      const page = new TextEncoder().encode(listingPage(listing));
      const title = listing.title;
      listing = null;
      return this.openFile(title, 'text/html;charset=utf-8', page);
    },
    notice(text) {
      // A program started again while its notice still shows says nothing new.
      const shown = Array.from(barArea().querySelectorAll('.velmorant-bar span'));
      if (shown.some((span) => span.textContent === text)) return;
      const line = document.createElement('span');
      line.textContent = text;
      const bar = addBar(line);
      bar.setAttribute('role', 'status');
      setTimeout(() => bar.remove(), kNoticeMs);
    },
    beginPrint(title) {
      job = {title, sheets: []};
    },
    addSheet,
    openPrint,
  };
})();
