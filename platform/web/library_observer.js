/*
 * Varnelle web page, the outside view's program's side (observer_main.cpp):
 * its context on the canvas it is given, and what the page calls on the
 * program's instance (createVarnelleObserver resolves to it):
 *   showStation(station)  the viewer's newest state: {viewport: [x, y, w, h],
 *                         projection: [16], modelview: [16]}, column-major
 *   turn(yaw, pitch, factor)  turn the observer (degrees) and bring it closer
 *   reset()               back to the documentation's viewpoint
 *   draw()                draw the picture
 * glDrawBuffer, which the emulation makes throw, chooses nothing here: the
 * canvas has one buffer to draw into.
 */
var LibraryVarnelleObserver = {
  $ObserverPage__postset: 'Module["showStation"] = ObserverPage.showStation; ' +
    'Module["turn"] = function(yaw, pitch, factor) { _observerTurn(yaw, pitch, factor); }; ' +
    'Module["reset"] = function() { _observerReset(); }; ' +
    'Module["draw"] = function() { _observerDraw(); };',
  $ObserverPage: {
    // Numbers in a viewport, entries in a matrix.
    viewportNumbers: 4,
    matrixEntries: 16,
    showStation: function(station) {
      var first = _observerHandOver() >> 3;
      HEAPF64.set(station.viewport, first);
      HEAPF64.set(station.projection, first + ObserverPage.viewportNumbers);
      HEAPF64.set(station.modelview, first + ObserverPage.viewportNumbers + ObserverPage.matrixEntries);
      _observerShowStation();
    },
  },

  // As emscripten's GLUT makes the viewer's window: RGBA, depth, no
  // antialiasing. The picture is kept after each frame, so that it can be
  // read back at any time, as the browser test reads it while the viewer's
  // canvas is in full screen and this one is not on the screen.
  webObserverCreateContext__deps: ['$Browser', '$ObserverPage', '$VarnelleLights',
    'observerHandOver', 'observerShowStation', 'observerTurn', 'observerReset', 'observerDraw'],
  webObserverCreateContext: function() {
    Browser.createContext(Module['canvas'], true, true,
      {antialias: false, depth: true, stencil: false, alpha: false, preserveDrawingBuffer: true});
  },

  glDrawBuffer: function(mode) {},
};

mergeInto(LibraryManager.library, LibraryVarnelleObserver);
