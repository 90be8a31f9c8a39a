#!/usr/bin/env node
// Serve a folder (the browser build) on 127.0.0.1, gzip-compressed for
// clients that accept it, as a static web server would. Prints the address
// once it listens. Usage: serve.js FOLDER [PORT] [HOST]  (PORT 0: any free;
// HOST 0.0.0.0 serves every network this machine is on, a lecture room's
// among them, and prints the addresses it has there)
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

const root = path.resolve(process.argv[2] || 'build-web');
const defaultPort = 8000;
const port = process.argv[3] === undefined ? defaultPort : Number(process.argv[3]);
const host = process.argv[4] || '127.0.0.1';
// The address that stands for every network this machine is on.
const everyNetwork = '0.0.0.0';
const types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript',
    '.wasm': 'application/wasm',
    '.png': 'image/png',
};

const server = http.createServer((request, response) => {
    const urlPath = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(root, urlPath.endsWith('/') ? urlPath + 'index.html' : urlPath);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
        response.writeHead(404, {'Content-Type': 'text/plain'});
        response.end('not found\n');
        return;
    }
    let body = fs.readFileSync(file);
    const headers = {
        'Content-Type': types[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
    };
    if (/\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
        body = zlib.gzipSync(body);
        headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    response.writeHead(200, headers);
    response.end(body);
});
server.listen(port, host, () => {
    const listening = server.address().port;
    console.log(`Serving ${root} at http://${host}:${listening}/ (Ctrl-C stops)`);
    if (host === everyNetwork) {
        // This machine's own addresses on its networks, for the learners.
        for (const addresses of Object.values(os.networkInterfaces())) {
            for (const a of addresses) {
                if (a.family === 'IPv4' && !a.internal) console.log(`  on its network: http://${a.address}:${listening}/`);
            }
        }
    }
});
