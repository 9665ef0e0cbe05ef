// A small static file server for the viewer tests and benchmark: each mount
// maps a URL prefix onto a folder. Only GET and HEAD; nothing outside the
// mounted folders is served.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.htm': 'text/html; charset=utf-8',
  '.svg': 'image/svg+xml',
  '.gif': 'image/gif',
  '.jpg': 'image/jpeg',
  '.jpeg': 'image/jpeg',
  '.png': 'image/png',
  '.pdf': 'application/pdf',
  '.ppz': 'application/octet-stream',
};

// mounts: [{ prefix: '/shows/', dir: '/tmp/x' }, ...]; longest prefix wins.
export async function startServer(mounts) {
  const sorted = [...mounts].sort((a, b) => b.prefix.length - a.prefix.length);
  const requests = [];
  const held = new Map();  // URL path -> { before, until }
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://127.0.0.1');
    requests.push(url.pathname);
    const send = (status, body, type = 'text/plain; charset=utf-8') => {
      res.writeHead(status, { 'Content-Type': type, 'Cache-Control': 'no-cache' });
      res.end(req.method === 'HEAD' ? undefined : body);
    };
    if (req.method !== 'GET' && req.method !== 'HEAD') return send(405, 'method not allowed');
    let pathname;
    try {
      pathname = decodeURIComponent(url.pathname);
    } catch {
      return send(400, 'bad path');
    }
    const mount = sorted.find((m) => pathname.startsWith(m.prefix));
    if (!mount) return send(404, 'not found');
    const root = path.resolve(mount.dir);
    const file = path.resolve(root, '.' + path.posix.normalize('/' + pathname.slice(mount.prefix.length)));
    if (file !== root && !file.startsWith(root + path.sep)) return send(403, 'forbidden');
    fs.stat(file, (err, st) => {
      if (err || !st.isFile()) return send(404, 'not found');
      const type = TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream';
      res.writeHead(200, { 'Content-Type': type, 'Content-Length': st.size, 'Cache-Control': 'no-cache' });
      if (req.method === 'HEAD') return res.end();
      const hold = held.get(url.pathname);
      if (hold) {
        const body = fs.readFileSync(file);
        const cut = body.indexOf(hold.before);
        if (cut < 0) return res.destroy(new Error(`${pathname} does not hold the text to stop at`));
        res.write(body.subarray(0, cut));
        return void hold.until().then(() => res.end(body.subarray(cut)));
      }
      fs.createReadStream(file).pipe(res);
    });
  });
  await new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', resolve);
  });
  const { port } = server.address();
  return {
    origin: `http://127.0.0.1:${port}`,
    requests,
    // From now on the file at `urlPath` is sent up to the first `before`, and
    // the rest once `until()` has resolved.
    holdBack: (urlPath, before, until) => held.set(urlPath, { before, until }),
    close: () =>
      new Promise((resolve) => {
        server.closeAllConnections?.();
        server.close(() => resolve());
      }),
  };
}
