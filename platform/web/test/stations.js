// The browser test's own account of the camera stations, worked out from
// their definition, independently of the viewer and of the page: each
// station's trace line, its arguments, the calls it makes in a window of a
// given size as the calls panel must show them, and the matrices those
// calls make; and the same for any camera (the learner's own).
'use strict';

// The stations as their definition gives them: eyes (station 0 has none:
// the view's origin), the orthographic half-span and depth, the perspective
// span seen at the eye's distance, the planes' distance either side of the
// origin, and pi as the base angle takes it.
const stationEyes = [[0, 0, 0], [0, 0, 100], [100, 0, 100], [100, 100, 100]];
const orthoHalfSpan = 10;
const orthoDepth = 20;
const perspectiveSpan = 20;
const perspectiveDepth = 12;
const piApprox = 3.14159;

// A number as the calls panel must show it: 4 decimals, trailing zeros
// dropped, no minus before a zero.
function fourDecimals(value) {
    let text = value.toFixed(4);
    if (text.includes('.')) text = text.replace(/0+$/, '').replace(/\.$/, '');
    return text === '-0' ? '0' : text;
}

// A call as the calls panels show it.
function callLine(name, args) {
    return `${name}(${args.map(fourDecimals).join(', ')});`;
}

// The arguments of the station's calls in a window of width x height, in
// full: perspective or not, the projection's (glOrtho's six or
// gluPerspective's four) and gluLookAt's nine (null for station 0, which
// makes no such call); and its trace line.
function stationArguments(station, width, height) {
    if (station === 0) {
        const r = height > width ? height * orthoHalfSpan / width : width * orthoHalfSpan / height;
        const box = height > width ? [-orthoHalfSpan, orthoHalfSpan, -r, r] : [-r, r, -orthoHalfSpan, orthoHalfSpan];
        return {perspective: false, projection: box.concat([-orthoDepth, orthoDepth]), view: null, trace: 'RO'};
    }
    const eye = stationEyes[station];
    const d = Math.sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
    const angle = perspectiveSpan / d * 180 / piApprox;
    const fovy = height < width ? angle : (height / width) * angle;
    return {
        perspective: true,
        projection: [fovy, width / height, d - perspectiveDepth, d + perspectiveDepth],
        view: eye.concat([0, 0, 0, 0, 1, 0]),
        trace: `RP${station} ${d.toFixed(2).padStart(6)} ${angle.toFixed(2).padStart(6)}`,
    };
}

// The calls a camera makes in a window of width x height, as the calls
// panels show them, and the matrices they make (column-major): its
// projection (perspective or not, with its arguments), then gluLookAt's
// nine arguments, or no such call for a null view.
function expectedCamera(perspective, projectionArgs, view, width, height) {
    const calls = [callLine('glViewport', [0, 0, width, height]), 'glMatrixMode(GL_PROJECTION);', 'glLoadIdentity();',
        callLine(perspective ? 'gluPerspective' : 'glOrtho', projectionArgs),
        'glMatrixMode(GL_MODELVIEW);', 'glLoadIdentity();'];
    if (view) calls.push(callLine('gluLookAt', view));
    return {
        calls: calls.join('\n'),
        projection: perspective ? perspectiveMatrix(...projectionArgs) : orthoMatrix(...projectionArgs),
        modelview: view ? lookAtMatrix(view.slice(0, 3), view.slice(3, 6), view.slice(6, 9)) : identity(),
    };
}

// The station's trace line, its calls in a window of width x height, and
// the projection and modelview those calls make (column-major).
function expectedStation(station, width, height) {
    const a = stationArguments(station, width, height);
    return Object.assign({trace: a.trace}, expectedCamera(a.perspective, a.projection, a.view, width, height));
}

function identity() {
    return [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1];
}

// glOrtho's, gluPerspective's and gluLookAt's matrices, column-major.
function orthoMatrix(left, right, bottom, top, near, far) {
    const m = identity();
    m[0] = 2 / (right - left);
    m[5] = 2 / (top - bottom);
    m[10] = -2 / (far - near);
    m[12] = -(right + left) / (right - left);
    m[13] = -(top + bottom) / (top - bottom);
    m[14] = -(far + near) / (far - near);
    return m;
}

function perspectiveMatrix(fovy, aspect, near, far) {
    const f = 1 / Math.tan(fovy * Math.PI / 360);
    const m = new Array(16).fill(0);
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (far + near) / (near - far);
    m[11] = -1;
    m[14] = 2 * far * near / (near - far);
    return m;
}

function lookAtMatrix(eye, centre, up) {
    const unit = (v) => v.map((x) => x / Math.hypot(...v));
    const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
    const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    const forward = unit(centre.map((c, i) => c - eye[i]));
    const side = unit(cross(forward, up));
    const trueUp = cross(side, forward);
    const rows = [side, trueUp, forward.map((x) => -x)];
    const m = identity();
    rows.forEach((row, r) => {
        row.forEach((value, c) => { m[c * 4 + r] = value; });
        m[12 + r] = -dot(row, eye);
    });
    return m;
}

// Largest difference between a matrix entry shown and the one computed.
const matrixTolerance = 1e-4;

// The largest difference between a matrix shown (row by row) and one
// computed (column-major); Infinity unless 16 numbers are shown.
function matrixDifference(text, m) {
    const shown = text.trim().split(/\s+/).map(Number);
    if (shown.length !== 16 || shown.some(Number.isNaN)) return Infinity;
    return Math.max(...shown.map((value, i) => Math.abs(value - m[(i % 4) * 4 + Math.floor(i / 4)])));
}

module.exports = {expectedStation, stationArguments, expectedCamera, matrixTolerance, matrixDifference};
