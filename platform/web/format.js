// Varnelle web page: numbers, calls and matrices written as the panels show
// them. Offered to the other scripts as varnellePage.use('format').
(function() {
  'use strict';
  // Decimals of the numbers shown, and the width of a matrix entry, characters.
  var decimals = 4;
  var entryWidth = 11;
  var matrixSize = 4;
  // OpenGL's names of the matrix modes, by value.
  var matrixModes = {0x1700: 'GL_MODELVIEW', 0x1701: 'GL_PROJECTION', 0x1702: 'GL_TEXTURE'};

  // A call's number: at most 4 decimals, trailing zeros dropped, no -0.
  function callNumber(value) {
    var text = value.toFixed(decimals);
    if (text.indexOf('.') >= 0) text = text.replace(/\.?0+$/, '');
    return text == '-0' ? '0' : text;
  }

  function callText(call) {
    var values = call.arguments.map(function(value) {
      return call.name == 'glMatrixMode' ? (matrixModes[value] || String(value)) : callNumber(value);
    });
    return call.name + '(' + values.join(', ') + ');';
  }

  // Calls as C code, one a line.
  function callsText(calls) {
    return calls.map(callText).join('\n');
  }

  // A column-major matrix written row by row, 4 decimals, no -0.
  function matrixText(m) {
    var rows = [];
    for (var r = 0; r < matrixSize; r++) {
      var row = '';
      for (var c = 0; c < matrixSize; c++) {
        var text = m[c * matrixSize + r].toFixed(decimals);
        if (/^-0\.0+$/.test(text)) text = text.slice(1);
        row += text.padStart(entryWidth);
      }
      rows.push(row);
    }
    return rows.join('\n');
  }

  varnellePage.offer('format', {callNumber: callNumber, callsText: callsText, matrixText: matrixText});
})();
