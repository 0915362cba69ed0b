// A loopback static server for one folder: published sites are fetched over http, as Chromium
// refuses fetch on file://. Requests that would leave the folder are refused.
import {createReadStream} from 'node:fs';
import {realpath, stat} from 'node:fs/promises';
import {createServer} from 'node:http';
import path from 'node:path';

const MIME_TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.bmp': 'image/bmp',
  '.jpg': 'image/jpeg',
  '.jpeg': 'image/jpeg',
  '.gif': 'image/gif',
  '.svg': 'image/svg+xml',
  '.ico': 'image/x-icon',
  '.txt': 'text/plain; charset=utf-8',
  '.wav': 'audio/wav',
  '.avi': 'video/x-msvideo',
  '.zip': 'application/zip',
  '.ttf': 'font/ttf',
  '.otf': 'font/otf',
  '.woff2': 'font/woff2',
};

export function mimeType(filePath) {
  return MIME_TYPES[path.extname(filePath).toLowerCase()] || 'application/octet-stream';
}

// Maps a request path to a file under root, or null when it is malformed or would escape root.
export function resolveRequestPath(root, urlPath) {
  let decoded;
  try {
    decoded = decodeURIComponent(urlPath.split('?')[0].split('#')[0]);
  } catch {
    return null;
  }
  if (decoded.includes('\0') || decoded.includes('\\')) return null;
  const segments = decoded.split('/');
  if (segments.some((segment) => segment === '..')) return null;
  const relative = path.posix.normalize(segments.filter((s) => s !== '').join('/'));
  if (relative.startsWith('..') || path.isAbsolute(relative)) return null;
  const resolved = path.resolve(root, relative === '.' ? '' : relative);
  const rootResolved = path.resolve(root);
  if (resolved !== rootResolved && !resolved.startsWith(rootResolved + path.sep)) return null;
  return resolved;
}

function refuse(response, status, text) {
  response.writeHead(status, {'Content-Type': 'text/plain; charset=utf-8'});
  response.end(text);
}

// Serves root on 127.0.0.1 at a free port; resolves to {url, close()}.
export async function serveFolder(root) {
  const realRoot = await realpath(root);
  const server = createServer(async (request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD')
      return refuse(response, 405, 'method not allowed');
    let filePath = resolveRequestPath(root, new URL(request.url, 'http://localhost').pathname);
    if (filePath === null) return refuse(response, 400, 'bad path');
    try {
      let info = await stat(filePath);
      if (info.isDirectory()) {
        filePath = path.join(filePath, 'index.html');
        info = await stat(filePath);
      }
      if (!info.isFile()) return refuse(response, 404, 'not found');
      // A link inside the folder must not lead out of it either.
      const real = await realpath(filePath);
      if (!real.startsWith(realRoot + path.sep)) return refuse(response, 404, 'not found');
      response.writeHead(200, {
        'Content-Type': mimeType(filePath),
        'Content-Length': info.size,
        'Cache-Control': 'no-store',
      });
      if (request.method === 'HEAD') return response.end();
      createReadStream(filePath).on('error', () => response.destroy()).pipe(response);
    } catch {
      refuse(response, 404, 'not found');
    }
  });
  await new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', resolve);
  });
  const {port} = server.address();
  return {
    url: `http://127.0.0.1:${port}/`,
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(() => resolve());
    }),
  };
}
