// Varnelle web page: the viewer's camera seen from outside. Each station
// application the viewer's web layer tells the page of shows here: its calls
// as C code (#calls), the matrices read back after it (#projection,
// #modelview), and the camera seen from outside (#outside), drawn by an
// instance of the outside view's program before the viewer's next frame.
// The learner turns the outside view by dragging, and brings it nearer with
// the wheel or a pinch; the learner's own camera (yours.js), once made, is
// drawn in it as a second volume. Nothing here reaches the viewer: keys
// stay with its canvas, and its trace gets nothing.
//
// For whoever reads the page from outside (the browser test): #calls and
// #outside carry data-shows, the number of the station application they
// show (counted from the one shown first), and #outside data-frame, the
// animation frame's time when it was last drawn.
(function() {
  'use strict';
  var outside = document.getElementById('outside');
  var format = varnellePage.use('format');
  var programs = varnellePage.use('programs');
  // The outside view's program once it has loaded (null until then), the
  // latest station application and how many were shown, the learner's
  // camera's latest sound state (null until there is one), and whether a
  // drawing waits for the next animation frame.
  var observer = null;
  var station = null;
  var shown = 0;
  var yours = null;
  var drawPending = false;

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
  function showStation(applied) {
    station = applied;
    shown++;
    var calls = document.getElementById('calls');
    calls.textContent = format.callsText(applied.calls);
    calls.dataset.shows = String(shown);
    document.getElementById('projection').textContent = format.matrixText(applied.projection);
    document.getElementById('modelview').textContent = format.matrixText(applied.modelview);
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

  function turn(yaw, pitch, factor) {
    if (!observer) return;
    observer.turn(yaw, pitch, factor);
    drawSoon();
  }

  // A press on the outside view or the reset button keeps the focus on the viewer.
  var reset = document.getElementById('reset');
  [outside, reset].forEach(function(element) {
    element.addEventListener('mousedown', function(event) { event.preventDefault(); });
  });
  varnellePage.use('pointer').attach(outside, turn);
  reset.addEventListener('click', function() {
    if (observer) {
      observer.reset();
      drawSoon();
    }
    varnellePage.viewerCanvas.focus();
  });

  varnellePage.listen('station', showStation);
  varnellePage.listen('yours', showYours);
  programs.create(outside, 'outside view').then(function(instance) {
    observer = instance;
    document.getElementById('outside-view').hidden = false;
    if (yours) observer.showYours(yours);
    if (station) {
      observer.showStation(station);
      draw();
    }
  }).catch(function(reason) { programs.loadFailed('The camera seen from outside', reason); });
})();
