#!/usr/bin/env node
// Serve a folder (the browser build) on 127.0.0.1, gzip-compressed for
// clients that accept it, as a static web server would. Prints the address
// once it listens. Usage: serve.js FOLDER [PORT] [HOST]  (PORT 0: any free;
// HOST 0.0.0.0 serves every network this machine is on, a lecture room's
// among them, and prints the addresses it has there)
//
// It serves the files under FOLDER and nothing else, whatever the request
// spells: a target that climbs out, hides a separator or a NUL in an escape,
// or reaches a symbolic link that leads outside is refused. Every request
// gets an answer, malformed ones too, and none stops the server. Each file
// is read and compressed once, and again only when it changes on the disk
// (make web rewrites them while a server runs), so a room of learners
// loading the page at once costs one read.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const util = require('util');
const zlib = require('zlib');

const usage = 'usage: serve.js FOLDER [PORT] [HOST]';
const defaultFolder = 'build-web';
const defaultPort = 8000;
const defaultHost = '127.0.0.1';
// The highest TCP port number.
const highestPort = 65535;
// The longest request target answered, in characters; the page's own
// addresses are a few dozen.
const longestTarget = 2048;
// Exit statuses: a listening failure, and a command line that makes no sense.
const exitFailure = 1;
const exitUsage = 2;
// The address that stands for every network this machine is on.
const everyNetwork = '0.0.0.0';
// The HTTP version answered (1.0 and 1.1).
const httpMajorVersion = 1;
const indexFile = 'index.html';
// The HTTP statuses answered.
const statuses = {
    ok: 200, moved: 301, badRequest: 400, notFound: 404, badMethod: 405, timedOut: 408,
    targetTooLong: 414, headersTooLarge: 431, serverError: 500, badVersion: 505,
};
const allowedMethods = ['GET', 'HEAD'];
const types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.png': 'image/png',
    '.json': 'application/json',
    '.css': 'text/css; charset=utf-8',
    '.svg': 'image/svg+xml',
    '.txt': 'text/plain; charset=utf-8',
};
const otherType = 'application/octet-stream';
// The headers every answer carries: the browser asks again each time
// whether a file changed, and takes each file for the type it is sent as.
const commonHeaders = {'Cache-Control': 'no-cache', 'X-Content-Type-Options': 'nosniff'};

const gzip = util.promisify(zlib.gzip);

// A refusal, carrying the status the client is answered with.
class Refusal extends Error {
    constructor(status) {
        super(http.STATUS_CODES[status]);
        this.status = status;
    }
}

// What a file that cannot be found or opened answers.
function notFound() {
    throw new Refusal(statuses.notFound);
}

function fail(message, status) {
    console.error(`serve.js: ${message}`);
    process.exit(status);
}

// The command line: the folder (its real path, links resolved), the port
// and the host; a clear message and status 2 for anything else.
function readArguments(args) {
    if (args.length > 3) fail(`too many arguments\n${usage}`, exitUsage);
    const [folderArg = defaultFolder, portArg = String(defaultPort), host = defaultHost] = args;
    if (!/^\d+$/.test(portArg) || Number(portArg) > highestPort) {
        fail(`the port must be a number from 0 to ${highestPort}, not "${portArg}"\n${usage}`, exitUsage);
    }
    let root;
    try {
        root = fs.realpathSync(folderArg);
    } catch (error) {
        fail(`there is no folder ${folderArg} to serve (make web builds build-web/)`, exitUsage);
    }
    if (!fs.statSync(root).isDirectory()) fail(`${folderArg} is not a folder`, exitUsage);
    if (host === '') fail(`the host is empty\n${usage}`, exitUsage);
    return {root, port: Number(portArg), host};
}

// The path of a request target, as the raw segments between its slashes:
// an origin-form target (/a/b?q) or an absolute-form one
// (http://host/a/b), whose host is ignored.
function targetPath(target) {
    const absolute = /^https?:\/\/[^/?#]*/i.exec(target);
    const rest = absolute ? target.slice(absolute[0].length) || '/' : target;
    if (!rest.startsWith('/')) throw new Refusal(statuses.badRequest);
    return rest.split(/[?#]/)[0];
}

// The file names a path asks for, each decoded once. A name that decodes to
// a separator, a NUL or "..", or any backslash, is refused: no name leaves
// its folder or means two things.
function pathNames(rawPath) {
    if (rawPath.includes('\\')) throw new Refusal(statuses.badRequest);
    const names = [];
    for (const segment of rawPath.split('/')) {
        let name;
        try {
            name = decodeURIComponent(segment);
        } catch (error) {
            throw new Refusal(statuses.badRequest);
        }
        if (/[/\\\0]/.test(name) || name === '..') throw new Refusal(statuses.badRequest);
        if (name !== '' && name !== '.') names.push(name);
    }
    return names;
}

// The real path of a file under the root, or a 404 if there is none or it
// leads out of the root (through a symbolic link).
async function realPathInside(root, file) {
    const real = await fs.promises.realpath(file).catch(notFound);
    if (real !== root && !real.startsWith(root + path.sep)) throw new Refusal(statuses.notFound);
    return real;
}

// What a GET of the target answers: a file's real path, or a redirect from a
// folder named without its final slash to the folder.
async function resolveTarget(root, target) {
    if (target.length > longestTarget) throw new Refusal(statuses.targetTooLong);
    const rawPath = targetPath(target);
    const names = pathNames(rawPath);
    const real = await realPathInside(root, path.join(root, ...names));
    const stats = await fs.promises.stat(real).catch(notFound);
    if (stats.isDirectory()) {
        if (!rawPath.endsWith('/')) {
            return {redirect: '/' + names.map(encodeURIComponent).map((n) => n + '/').join('')};
        }
        return {file: await realPathInside(root, path.join(real, indexFile))};
    }
    if (rawPath.endsWith('/')) throw new Refusal(statuses.notFound);
    return {file: real};
}

// Files as served, by real path: their bytes and gzip-compressed bytes, and
// the size, modification time and inode they were read at. An entry is a
// promise, so that requests arriving together share one read.
const cache = new Map();

// Whether two stats describe the same version of a file.
function sameVersion(a, b) {
    return a.size === b.size && a.mtimeMs === b.mtimeMs && a.ino === b.ino;
}

// A file's contents, read and compressed now.
async function readFile(file) {
    const handle = await fs.promises.open(file, 'r').catch(notFound);
    try {
        const stats = await handle.stat();
        if (!stats.isFile()) throw new Refusal(statuses.notFound);
        const plain = await handle.readFile();
        return {stats, plain, compressed: await gzip(plain)};
    } finally {
        await handle.close();
    }
}

// A file's contents from the cache, read again if the file changed since.
async function cachedFile(file) {
    const stats = await fs.promises.stat(file).catch(() => {
        cache.delete(file);
        notFound();
    });
    if (!stats.isFile()) throw new Refusal(statuses.notFound);
    const entry = cache.get(file);
    const cached = entry && await entry.catch(() => null);
    if (cached && sameVersion(cached.stats, stats)) return cached;
    const reading = readFile(file);
    cache.set(file, reading);
    reading.catch(() => cache.delete(file));
    return reading;
}

// An Accept-Encoding's quality parameter: q=0 refuses its coding.
const qualityPrefix = 'q=';

// Whether the client's Accept-Encoding takes gzip (not refused with q=0).
function acceptsGzip(acceptEncoding) {
    return (acceptEncoding || '').split(',').some((part) => {
        const [coding, ...parameters] = part.trim().toLowerCase().split(';');
        const quality = parameters.map((p) => p.trim()).find((p) => p.startsWith(qualityPrefix));
        return ['gzip', 'x-gzip', '*'].includes(coding.trim()) &&
            (!quality || Number(quality.slice(qualityPrefix.length)) > 0);
    });
}

// An answer with a short text body (none to a HEAD).
function sendText(request, response, status, extraHeaders = {}) {
    const body = Buffer.from(`${http.STATUS_CODES[status].toLowerCase()}\n`);
    response.writeHead(status, {
        ...commonHeaders, ...extraHeaders,
        'Content-Type': types['.txt'], 'Content-Length': body.length,
    });
    response.end(request.method === 'HEAD' ? undefined : body);
}

// A file, gzip-compressed if the client takes it and it is smaller so.
function sendFile(request, response, file, contents) {
    const compress = acceptsGzip(request.headers['accept-encoding']) &&
        contents.compressed.length < contents.plain.length;
    const body = compress ? contents.compressed : contents.plain;
    const headers = {
        ...commonHeaders,
        'Content-Type': types[path.extname(file).toLowerCase()] || otherType,
        'Content-Length': body.length,
        'Vary': 'Accept-Encoding',
    };
    if (compress) headers['Content-Encoding'] = 'gzip';
    response.writeHead(statuses.ok, headers);
    response.end(request.method === 'HEAD' ? undefined : body);
}

async function answer(root, request, response) {
    if (request.httpVersionMajor !== httpMajorVersion) {
        sendText(request, response, statuses.badVersion);
        return;
    }
    if (!allowedMethods.includes(request.method)) {
        sendText(request, response, statuses.badMethod, {'Allow': allowedMethods.join(', ')});
        return;
    }
    const resolved = await resolveTarget(root, request.url);
    if (resolved.redirect) {
        sendText(request, response, statuses.moved, {'Location': resolved.redirect});
        return;
    }
    sendFile(request, response, resolved.file, await cachedFile(resolved.file));
}

// A request that failed: a refusal with its status, anything unforeseen
// with a 500 (or, once the answer has begun, by closing the connection).
function answerFailure(request, response, error) {
    if (response.headersSent) {
        response.destroy();
    } else if (error instanceof Refusal) {
        sendText(request, response, error.status);
    } else {
        console.error(`serve.js: ${request.method} ${request.url}: ${error.message}`);
        sendText(request, response, statuses.serverError);
    }
}

// Every request answered, whatever fails; if even the failure's answer
// fails, the connection is closed.
function handle(root, request, response) {
    answer(root, request, response)
        .catch((error) => answerFailure(request, response, error))
        .catch(() => response.destroy());
}

// A request too malformed to reach the handler (no valid request line,
// headers too large, a broken header) gets its status and the connection
// is closed.
function refuseMalformed(error, socket) {
    if (error.code === 'ECONNRESET' || !socket.writable) {
        socket.destroy();
        return;
    }
    const status = error.code === 'HPE_HEADER_OVERFLOW' ? statuses.headersTooLarge :
        error.code === 'ERR_HTTP_REQUEST_TIMEOUT' ? statuses.timedOut : statuses.badRequest;
    const body = `${http.STATUS_CODES[status].toLowerCase()}\n`;
    // Answered, the socket is closed for good: Node.js 18 warns of one left open.
    socket.end(`HTTP/1.1 ${status} ${http.STATUS_CODES[status]}\r\nContent-Type: ${types['.txt']}\r\n` +
        `Content-Length: ${Buffer.byteLength(body)}\r\nConnection: close\r\n\r\n${body}`,
        () => socket.destroy());
}

// What a failure to listen means, in words.
function listenFailure(error, host, port) {
    const reasons = {
        EADDRINUSE: `port ${port} on ${host} is in use (another server? PORT= chooses another)`,
        EACCES: `port ${port} needs privileges this user lacks (ports above 1023 do not)`,
        EADDRNOTAVAIL: `${host} is not an address of this machine`,
        ENOTFOUND: `there is no host ${host}`,
    };
    return reasons[error.code] || `cannot listen on ${host}:${port}: ${error.message}`;
}

function printAddresses(root, host, port) {
    const shown = host.includes(':') ? `[${host}]` : host;
    console.log(`Serving ${root} at http://${shown}:${port}/ (Ctrl-C stops)`);
    if (host === everyNetwork) {
        // This machine's own addresses on its networks, for the learners.
        for (const addresses of Object.values(os.networkInterfaces())) {
            for (const a of addresses) {
                if (a.family === 'IPv4' && !a.internal) console.log(`  on its network: http://${a.address}:${port}/`);
            }
        }
    }
}

function main() {
    const {root, port, host} = readArguments(process.argv.slice(2));
    const server = http.createServer((request, response) => handle(root, request, response));
    server.on('clientError', refuseMalformed);
    server.on('error', (error) => fail(listenFailure(error, host, port), exitFailure));
    server.listen(port, host, () => printAddresses(root, host, server.address().port));
}

main();
