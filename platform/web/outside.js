// Varnelle web page: the viewer's camera seen from outside. Each station
// application the viewer's web layer tells the page of shows here: its calls
// as C code (#calls), the matrices read back after it (#projection,
// #modelview), and the camera seen from outside (#outside), drawn by an
// instance of the outside view's program before the viewer's next frame.
// The learner turns the outside view by dragging, and brings it nearer with
// the wheel or a pinch; the learner's own camera (yours.js), once it leaves
// the viewer's station, is drawn in it as a second volume, and the point
// the learner follows (point.js) is marked. It is drawn at the size it is
// shown, and again whenever that size changes. Nothing here reaches the viewer: keys
// stay with its canvas, and its trace gets nothing.
//
// For whoever reads the page from outside (the browser test): #calls and
// #outside carry data-shows, the number of the station application they
// show (counted from the one shown first), and #outside data-frame and
// data-drawn, the animation frame's time and the page's time
// (performance.now()) when it was last drawn, and data-language, the
// language its words are drawn in.
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

  // The picture is drawn at the size it is shown: its canvas's pixels are
  // its CSS size times the device's pixel ratio, its two panels side by
  // side across them (never smaller than this many pixels each).
  var smallestPanel = 120;
  var panelSize = 0;
  function fitCanvas() {
    if (!observer) return false;
    var border = outside.offsetWidth - outside.clientWidth;
    var cssWidth = outside.getBoundingClientRect().width - border;
    var panel = Math.max(smallestPanel, Math.floor(cssWidth * (window.devicePixelRatio || 1) / 2));
    if (panel == panelSize) return false;
    panelSize = panel;
    outside.width = 2 * panel;
    outside.height = observer.pictureHeight(panel);
    return true;
  }

  function draw() {
    if (!observer || !station) return;
    fitCanvas();
    observer.draw(panelSize);
    outside.dataset.shows = String(shown);
    outside.dataset.frame = String(document.timeline.currentTime);
    outside.dataset.drawn = String(performance.now());
  }

  // Draw once the viewer's frame is on the screen, so that it waits for
  // nothing drawn here.
  var drawAfterFrame = varnellePage.onceAfterFrame(function() {
    if (station) writeStation();
    draw();
  });

  // Draw in the next animation frame, once, however often asked.
  function drawSoon() {
    if (drawPending) return;
    drawPending = true;
    requestAnimationFrame(function() {
      drawPending = false;
      draw();
    });
  }

  // A station application: its calls and matrices shown at once (text
  // costs the viewer's frame nothing), the outside view drawn once that
  // frame is on the screen.
  // The calls and the matrices are written, and the picture drawn, once the
  // viewer's frame is on the screen: the frame waits for none of it.
  function showStation(applied) {
    station = applied;
    shown++;
    if (observer) observer.showStation(applied);
    drawAfterFrame();
  }
  function writeStation() {
    var calls = document.getElementById('calls');
    calls.textContent = format.callsText(station.calls);
    calls.dataset.shows = String(shown);
    document.getElementById('projection').textContent = format.matrixText(station.projection);
    document.getElementById('modelview').textContent = format.matrixText(station.modelview);
  }

  // The learner's camera's state to draw as a second volume (null: none).
  function showYours(state) {
    // Following the viewer, your camera has no volume of its own to draw.
    if (state === null && yours === null) return;
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

  // The point the learner follows, marked in the picture (null: none).
  function markPoint(point) {
    if (!observer) return;
    observer.markPoint(point);
    drawSoon();
  }

  // Drawn again at the new size when the picture's width or the device's
  // pixel ratio changes (a window resized, a browser zoomed, a screen moved to).
  new ResizeObserver(function() {
    if (fitCanvas()) drawSoon();
  }).observe(outside);
  function watchPixelRatio() {
    matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)').addEventListener('change', function() {
      if (fitCanvas()) drawSoon();
      watchPixelRatio();
    }, {once: true});
  }
  watchPixelRatio();

  varnellePage.listen('station', showStation);
  varnellePage.listen('yours', showYours);
  varnellePage.listen('point', markPoint);
  // The program made, its first picture is drawn in a task of its own, and
  // then the page's other panels may make theirs ("outsideSettled"): no
  // task of the page's is long enough to keep a click waiting.
  programs.create(outside, 'outside view').then(function(instance) {
    observer = instance;
    if (observer.useLanguage(varnellePage.language)) outside.dataset.language = varnellePage.language;
    varnellePage.offer('observer', instance);
    document.getElementById('outside-view').hidden = false;
    if (yours) observer.showYours(yours);
    var point = varnellePage.latest('point');
    if (point) observer.markPoint(point);
    if (station) observer.showStation(station);
    varnellePage.tell('observerReady', instance);
    varnellePage.afterFrame(function() {
      draw();
      varnellePage.tell('outsideSettled', true);
    });
  }).catch(function(reason) {
    programs.loadFailed(varnellePage.words.whatOutside, reason);
    varnellePage.tell('outsideSettled', false);
  });
})();
