// Varnelle web page: the panels around the viewer. Loaded by the page once
// the viewer's first frame is out, it shows each station application the
// viewer's web layer hands over: its calls as C code (#calls), the matrices
// read back after it (#projection, #modelview), and the camera seen from
// outside (#outside), drawn by the outside view's program (observer.js,
// loaded here) before the viewer's next frame. The learner turns the
// outside view by dragging, and brings it nearer with the wheel or a pinch.
// Nothing here reaches the viewer: keys stay with its canvas, and its trace
// gets nothing. The outside view's program is fetched and compiled once;
// yours.js, loaded with it, makes a second instance of it for the learner's
// own camera, whose volume the outside view then draws too.
//
// For whoever reads the page from outside (the browser test): #calls and
// #outside carry data-shows, the number of the station application they
// show (counted from the one shown first), and #outside data-frame, the
// animation frame's time when it was last drawn.
(function() {
  'use strict';
  var outside = document.getElementById('outside');
  var viewerCanvas = Module.canvas;
  // Decimals of the numbers shown, and the width of a matrix entry, characters.
  var decimals = 4;
  var entryWidth = 11;
  var matrixSize = 4;
  // OpenGL's names of the matrix modes, by value.
  var matrixModes = {0x1700: 'GL_MODELVIEW', 0x1701: 'GL_PROJECTION', 0x1702: 'GL_TEXTURE'};
  // The learner's input: degrees turned per pixel dragged, and how much
  // nearer one pixel of the wheel brings the observer.
  var degreesPerPixel = 0.4;
  var zoomPerWheelPixel = 0.0015;
  // The outside view's program once it has loaded (null until then).
  var observer = null;
  // The latest station application handed over, and how many were shown.
  var station = null;
  var shown = 0;
  // The learner's camera's latest sound state, null until there is one.
  var yours = null;
  // True while a drawing is asked for in the next animation frame.
  var drawPending = false;

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

  function draw() {
    if (!observer || !station) return;
    observer.draw();
    outside.dataset.shows = String(shown);
    outside.dataset.frame = String(document.timeline.currentTime);
  }

  // Draw in the next animation frame, once, however often asked.
  function drawSoon() {
    if (drawPending) return;
    drawPending = true;
    requestAnimationFrame(function() {
      drawPending = false;
      draw();
    });
  }

  // A station application: shown at once, so that the viewer's frame that
  // follows it finds every panel up to date.
  function show(applied) {
    station = applied;
    shown++;
    var calls = document.getElementById('calls');
    calls.textContent = callsText(applied.calls);
    calls.dataset.shows = String(shown);
    document.getElementById('projection').textContent = matrixText(applied.projection);
    document.getElementById('modelview').textContent = matrixText(applied.modelview);
    if (observer) {
      observer.showStation(applied);
      draw();
    }
  }

  // The learner's camera's state to draw as a second volume (null: none).
  function showYours(state) {
    yours = state;
    if (!observer) return;
    observer.showYours(state);
    draw();
  }

  // A file of the page fetched, or a failure that names it and why.
  function fetched(file) {
    return fetch(file).then(function(response) {
      if (!response.ok) throw new Error(file + ': ' + response.status + ' ' + response.statusText);
      return response;
    }, function(reason) {
      throw new Error(file + ': ' + reason.message);
    });
  }

  // The outside view's program, compiled once (compileStreaming needs the
  // server to say application/wasm; otherwise it is compiled from its bytes).
  var compiled = null;
  function compileObserver() {
    var file = 'observer.wasm';
    compiled = fetched(file).then(function(response) {
      return WebAssembly.compileStreaming(response.clone()).catch(function() {
        return response.arrayBuffer().then(function(bytes) { return WebAssembly.compile(bytes); });
      });
    });
  }

  // A script of the page loaded, or a failure that names it.
  function loadScript(file) {
    return new Promise(function(resolve, reject) {
      var script = document.createElement('script');
      script.src = file;
      script.onload = resolve;
      script.onerror = function() { reject(new Error(file + ' could not be fetched')); };
      document.head.appendChild(script);
    });
  }

  // What could not be loaded, said where the panels would be; the viewer
  // goes on without them.
  function loadFailed(what, reason) {
    console.warn(what + ': ' + reason.message);
    varnellePanels.sayLoadFailed(what + ' could not be loaded (' + reason.message + ').');
  }

  // An instance of the outside view's program on a canvas of its own, made
  // from the one compiled module; options go to its Module (such as
  // onStationApplied). Resolves to the instance, or rejects with why it
  // could not be made.
  function createObserver(canvas, name, options) {
    return new Promise(function(resolve, reject) {
      var module = Object.assign({
        canvas: canvas,
        print: function(line) { console.info(name + ': ' + line); },
        printErr: function(line) { console.warn(name + ': ' + line); },
        instantiateWasm: function(imports, receive) {
          compiled.then(function(wasm) {
            return WebAssembly.instantiate(wasm, imports).then(function(instance) {
              receive(instance, wasm);
            });
          }).catch(reject);
          return {};
        },
        onAbort: function(what) { reject(new Error(String(what))); },
      }, options || {});
      createVarnelleObserver(module).then(resolve, reject);
    });
  }

  function loadObserver() {
    compileObserver();
    var program = loadScript('observer.js');
    program.then(function() {
      return createObserver(outside, 'outside view');
    }).then(function(instance) {
      observer = instance;
      document.getElementById('outside-view').hidden = false;
      if (yours) observer.showYours(yours);
      if (station) {
        observer.showStation(station);
        draw();
      }
    }).catch(function(reason) { loadFailed('The camera seen from outside', reason); });
    program.then(function() {
      return loadScript('yours.js');
    }).catch(function(reason) { loadFailed('Your own camera', reason); });
  }

  // Turning: one pointer drags round the scene, two pinch nearer or farther.
  var pointers = new Map();
  function spread() {
    var p = Array.from(pointers.values());
    return Math.hypot(p[0].x - p[1].x, p[0].y - p[1].y);
  }
  function turn(yaw, pitch, factor) {
    if (!observer) return;
    observer.turn(yaw, pitch, factor);
    drawSoon();
  }
  // A press on the outside view or the reset button keeps the focus on the viewer.
  [outside, document.getElementById('reset')].forEach(function(element) {
    element.addEventListener('mousedown', function(event) { event.preventDefault(); });
  });
  outside.addEventListener('pointerdown', function(event) {
    outside.setPointerCapture(event.pointerId);
    pointers.set(event.pointerId, {x: event.clientX, y: event.clientY});
  });
  outside.addEventListener('pointermove', function(event) {
    var last = pointers.get(event.pointerId);
    if (!last) return;
    var before = pointers.size == 2 ? spread() : 0;
    pointers.set(event.pointerId, {x: event.clientX, y: event.clientY});
    if (pointers.size == 1) {
      turn(-(event.clientX - last.x) * degreesPerPixel, (event.clientY - last.y) * degreesPerPixel, 1);
    } else if (pointers.size == 2 && before > 0) {
      turn(0, 0, spread() / before);
    }
  });
  ['pointerup', 'pointercancel'].forEach(function(type) {
    outside.addEventListener(type, function(event) { pointers.delete(event.pointerId); });
  });
  outside.addEventListener('wheel', function(event) {
    event.preventDefault();
    turn(0, 0, Math.exp(-event.deltaY * zoomPerWheelPixel));
  }, {passive: false});
  document.getElementById('reset').addEventListener('click', function() {
    if (observer) {
      observer.reset();
      drawSoon();
    }
    viewerCanvas.focus();
  });

  // What yours.js shares: the calls' and matrices' text, the program's
  // instances, and the second volume in the outside view.
  varnellePanels.callsText = callsText;
  varnellePanels.matrixText = matrixText;
  varnellePanels.createObserver = createObserver;
  varnellePanels.loadFailed = loadFailed;
  varnellePanels.showYours = showYours;
  // From now on the page hands every station application here; show the
  // one it kept.
  varnellePanels.show = show;
  if (varnellePanels.latest) show(varnellePanels.latest);
  loadObserver();
})();
