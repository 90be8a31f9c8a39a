#!/usr/bin/env node
// The page's server (serve.js) on 127.0.0.1, tried over real sockets as
// browsers and hostile clients would: a table of malformed and escaping
// requests, each followed by a good one that must still be answered; the
// files with their types, gzip or plain, HEAD and GET alike; a file changed
// on the disk; a room of learners at once; bad command lines. It serves a
// temporary folder of its own, so it needs no build, and nothing but Node.js.
// Usage: node check-server.js
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');
const zlib = require('zlib');

const serveJs = path.join(__dirname, '..', 'serve.js');
// Milliseconds to wait for any one answer or start.
const timeoutMs = 10000;
// Requests sent at once, as a room of learners loading the page.
const simultaneous = 200;
// Bytes of the .wasm-named file, enough that answers overlap.
const wasmBytes = 256 * 1024;
// A byte pattern's period in the .wasm-named file (a prime, so the bytes
// look like no text).
const wasmPeriod = 251;
// What only the file outside the served folder holds.
const secret = 'OUTSIDE-THE-SERVED-FOLDER';
// A target longer than any page address, and one longer than the headers
// Node.js reads at all, in characters.
const longTarget = 4096;
const hugeTarget = 70000;
// Seconds since 1970 at which the changing file is said to be modified.
const laterMtime = 2000000000;
// Lines in each small file, enough that gzip makes it smaller.
const fileLines = 40;
const gzipAccepted = 'gzip, deflate, br';
// The status of a file served.
const statusOk = 200;

let failures = 0;
// Note one check, as "ok" or "FAIL" with what it checks.
function check(condition, what) {
    console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
    if (!condition) failures++;
    return condition;
}

// A temporary folder: site/ (served) beside outside/ (which must stay unseen).
function makeFolder() {
    const top = fs.mkdtempSync(path.join(os.tmpdir(), 'varnelle-serve-'));
    const site = path.join(top, 'site');
    const lines = (text) => `${text}\n`.repeat(fileLines);
    const files = {
        'index.html': lines('<p>the page</p>'), 'sub/index.html': lines('<p>a folder</p>'),
        'app.js': lines('console.log("app");'), 'data.json': lines('{"a": 1}'), 'style.css': lines('p {}'),
        'pic.svg': lines('<svg/>'), 'notes.txt': lines('notes'), 'pic.png': lines('\x89PNG'),
        'blob.bin': lines('blob'), 'changing.txt': 'version 1\n',
        'app.wasm': Buffer.from(Array.from({length: wasmBytes}, (_, i) => i * i % wasmPeriod)),
        '../outside/secret.txt': secret, '../outside/index.html': secret,
    };
    for (const [name, bytes] of Object.entries(files)) {
        fs.mkdirSync(path.dirname(path.join(site, name)), {recursive: true});
        fs.writeFileSync(path.join(site, name), bytes);
    }
    fs.symlinkSync('../outside/secret.txt', path.join(site, 'leak.txt'));
    fs.symlinkSync('../outside', path.join(site, 'leakdir'));
    fs.symlinkSync('app.js', path.join(site, 'inside.js'));
    return {top, site};
}

// serve.js on a free port; resolves with the process and its port.
function startServer(folder) {
    const server = childProcess.spawn(process.execPath, [serveJs, folder, '0'],
        {stdio: ['ignore', 'pipe', 'inherit']});
    return new Promise((resolve, reject) => {
        let text = '';
        server.stdout.on('data', (chunk) => {
            text += chunk;
            const match = /http:\/\/127\.0\.0\.1:(\d+)\//.exec(text);
            if (match) resolve({server, port: Number(match[1])});
        });
        server.on('exit', () => reject(new Error('the server stopped')));
        setTimeout(() => reject(new Error('the server did not start')), timeoutMs);
    });
}

// One raw request over a socket; its answer's status, headers (lower case)
// and body, decoded from gzip if sent so. Status 0: no answer.
function send(port, text) {
    return new Promise((resolve) => {
        const socket = net.connect(port, '127.0.0.1');
        const chunks = [];
        socket.setTimeout(timeoutMs, () => socket.destroy());
        socket.on('data', (chunk) => chunks.push(chunk));
        socket.on('error', () => {});
        socket.on('close', () => resolve(parseAnswer(Buffer.concat(chunks))));
        socket.write(text, 'latin1');
    });
}

function parseAnswer(bytes) {
    const end = bytes.indexOf('\r\n\r\n');
    if (end < 0) return {status: 0, headers: {}, body: bytes};
    const [statusLine, ...lines] = bytes.subarray(0, end).toString('latin1').split('\r\n');
    const headers = Object.fromEntries(lines.map((l) => l.split(/:\s*/, 2)).map(([k, v]) => [k.toLowerCase(), v]));
    const raw = bytes.subarray(end + 4);
    return {status: Number(statusLine.split(' ')[1]), headers, body: decoded(raw, headers), rawLength: raw.length};
}

// A body as sent before its gzip, if any (a HEAD's is empty).
function decoded(raw, headers) {
    if (headers['content-encoding'] !== 'gzip' || raw.length === 0) return raw;
    try {
        return zlib.gunzipSync(raw);
    } catch (error) {
        return Buffer.from(`(not gzip: ${error.message})`);
    }
}
function request(target, {method = 'GET', accept = ''} = {}) {
    return `${method} ${target} HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n` +
        (accept ? `Accept-Encoding: ${accept}\r\n` : '') + '\r\n';
}

// What each bad request must be answered, and any header it must carry.
const badRequests = [
    ['a broken escape', request('/%E0%A4%A'), 400],
    ['a lone percent sign', request('/%'), 400],
    ['.. in the path', request('/../outside/secret.txt'), 400],
    ['%2e%2e', request('/%2e%2e/outside/secret.txt'), 400],
    ['..%2f', request('/..%2foutside%2fsecret.txt'), 400],
    ['an escaped slash', request('/sub%2findex.html'), 400],
    ['backslashes', request('/..\\outside\\secret.txt'), 400],
    ['%5c', request('/%5c..%5coutside%5csecret.txt'), 400],
    ['an absolute-form target climbing out', request('http://127.0.0.1/../outside/secret.txt'), 400],
    ['an absolute-form /etc/passwd', request('http://localhost/../../../../etc/passwd'), 400],
    ['a NUL byte', request('/index.html%00.txt'), 400],
    ['double encoding', request('/%252e%252e/outside/secret.txt'), 404],
    ['a symbolic link to a file outside', request('/leak.txt'), 404],
    ['a file through a link to a folder outside', request('/leakdir/secret.txt'), 404],
    ['a link to a folder outside', request('/leakdir/'), 404],
    ['a missing file', request('/missing.html'), 404],
    ['a file asked for as a folder', request('/app.js/'), 404],
    ['a folder without its slash', request('/sub'), 301, {location: '/sub/'}],
    ['a folder after a double slash (no redirect off the host)', request('//sub'), 301, {location: '/sub/'}],
    ['POST', request('/', {method: 'POST'}), 405, {allow: 'GET, HEAD'}],
    ['DELETE', request('/app.js', {method: 'DELETE'}), 405, {allow: 'GET, HEAD'}],
    ['an unknown method', request('/', {method: 'FROB'}), 400],
    ['a long target', request('/' + 'a'.repeat(longTarget)), 414],
    ['a huge target', request('/' + 'a'.repeat(hugeTarget)), 431],
    ['a space in the target', request('/a b'), 400],
    ['no request line', 'hello\r\n\r\n', 400],
    ['a header without a colon', 'GET / HTTP/1.1\r\nHost: x\r\nno colon\r\n\r\n', 400],
    ['HTTP/2.0 in a request line', 'GET / HTTP/2.0\r\nHost: x\r\n\r\n', 505],
];

async function checkBadRequests(port, server, site) {
    const index = fs.readFileSync(path.join(site, 'index.html'));
    for (const [what, text, status, headers = {}] of badRequests) {
        const answer = await send(port, text);
        const after = await send(port, request('/'));
        const headersRight = Object.entries(headers).every(([k, v]) => answer.headers[k] === v);
        const unseen = !answer.body.includes(secret) && !answer.body.includes('root:');
        check(answer.status === status && headersRight && unseen && after.status === statusOk &&
            after.body.equals(index) && server.exitCode === null,
        `${what}: ${answer.status} (${status} expected)${Object.keys(headers).length ? ' with its headers' : ''}, ` +
            `nothing from outside, then / served (${after.status})`);
    }
}

// Targets served, the file each must bring and its type.
const goodTargets = [
    ['/', 'index.html', 'text/html'], ['/sub/', 'sub/index.html', 'text/html'],
    ['/app.js', 'app.js', 'text/javascript'], ['/app.wasm', 'app.wasm', 'application/wasm'],
    ['/data.json', 'data.json', 'application/json'], ['/style.css', 'style.css', 'text/css'],
    ['/pic.svg', 'pic.svg', 'image/svg+xml'], ['/notes.txt', 'notes.txt', 'text/plain'],
    ['/pic.png', 'pic.png', 'image/png'], ['/blob.bin', 'blob.bin', 'application/octet-stream'],
    ['/inside.js', 'app.js', 'text/javascript'], ['http://127.0.0.1/app.js', 'app.js', 'text/javascript'],
];
// Accept-Encoding headers, and whether each takes gzip.
const accepts = [[gzipAccepted, true], ['', false], ['gzip;q=0', false], ['identity', false]];

async function checkFiles(port, site) {
    for (const [target, file, type] of goodTargets) {
        const bytes = fs.readFileSync(path.join(site, file));
        let served = true;
        let headSame = true;
        for (const [accept, gzip] of accepts) {
            const get = await send(port, request(target, {accept}));
            const head = await send(port, request(target, {method: 'HEAD', accept}));
            const h = get.headers;
            served = served && get.status === statusOk && get.body.equals(bytes) &&
                (h['content-type'] || '').startsWith(type) &&
                (h['content-encoding'] === 'gzip') === gzip && h['vary'] === 'Accept-Encoding' &&
                h['cache-control'] === 'no-cache' && h['x-content-type-options'] === 'nosniff';
            headSame = headSame && head.status === statusOk && head.rawLength === 0 &&
                ['content-type', 'content-length', 'content-encoding'].every((k) => head.headers[k] === h[k]);
        }
        check(served, `GET ${target}: 200, ${type}, no-cache, nosniff, gzip only when accepted, ${file}'s bytes`);
        check(headSame, `HEAD ${target}: GET's headers and Content-Length, no body`);
    }
}

// Changes to a served file: how each is made, and whether it is seen.
const changes = [
    ['rewritten with another size', 'version 22\n', null, true],
    ['rewritten at its size with a later mtime', 'version 33\n', laterMtime, true],
    ['rewritten at its size and mtime (served from memory)', 'version 44\n', laterMtime, false],
];

async function checkChanges(port, site) {
    const file = path.join(site, 'changing.txt');
    let previous = (await send(port, request('/changing.txt'))).body.toString();
    for (const [what, text, mtime, seen] of changes) {
        fs.writeFileSync(file, text);
        if (mtime) fs.utimesSync(file, mtime, mtime);
        const answer = await send(port, request('/changing.txt', {accept: gzipAccepted}));
        const served = answer.body.toString();
        check(answer.status === statusOk && served === (seen ? text : previous),
            `a file ${what}: served "${served.trim()}"`);
        previous = served;
    }
}

async function checkSimultaneous(port, site) {
    const bytes = fs.readFileSync(path.join(site, 'app.wasm'));
    const answers = await Promise.all(Array.from({length: simultaneous},
        (_, i) => send(port, request('/app.wasm', {accept: i % 2 ? gzipAccepted : ''}))));
    const right = answers.filter((a) => a.status === statusOk && a.body.equals(bytes)).length;
    check(right === simultaneous, `${simultaneous} simultaneous requests: ${right} answered 200 with the file's bytes`);
}

// Command lines that cannot serve: the exit status and message expected.
function checkCommandLines(site, top, port) {
    const cases = [
        ['a port that is not a number', [site, 'eighty'], 2, /port must be a number/],
        ['a port out of range', [site, '70000'], 2, /port must be a number/],
        ['a folder that does not exist', [path.join(top, 'none')], 2, /no folder/],
        ['a file for the folder', [path.join(site, 'index.html')], 2, /not a folder/],
        ['a port in use', [site, String(port)], 1, /in use/],
    ];
    for (const [what, args, status, message] of cases) {
        const run = childProcess.spawnSync(process.execPath, [serveJs, ...args], {timeout: timeoutMs, encoding: 'utf8'});
        check(run.status === status && message.test(run.stderr) && !/\n\s+at /.test(run.stderr),
            `${what}: exit status ${run.status} (${status} expected), "${run.stderr.trim().split('\n')[0]}"`);
    }
}

async function main() {
    const {top, site} = makeFolder();
    let server = null;
    try {
        let port;
        ({server, port} = await startServer(site));
        await checkBadRequests(port, server, site);
        await checkFiles(port, site);
        await checkChanges(port, site);
        await checkSimultaneous(port, site);
        checkCommandLines(site, top, port);
    } finally {
        if (server) server.kill();
        fs.rmSync(top, {recursive: true, force: true});
    }
    console.log(failures ? `${failures} server check(s) failed` : 'all server checks passed');
    process.exit(failures ? 1 : 0);
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
