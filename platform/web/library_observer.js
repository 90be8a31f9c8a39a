/*
 * Varnelle web page, the outside view's program's side (observer_main.cpp,
 * observer_camera.cpp): its context on the canvas it is given, and what the
 * page calls on the program's instance (createVarnelleObserver resolves to
 * it). The outside view's instance:
 *   showStation(station)  the viewer's newest state: {viewport: [x, y, w, h],
 *                         projection: [16], modelview: [16]}, column-major
 *   showYours(state)      the learner's camera's state, in the same form, to
 *                         draw as a second volume; null: draw none
 *   turn(yaw, pitch, factor)  turn the observer (degrees) and bring it closer
 *   reset()               back to the documentation's viewpoint
 *   draw(panelSize)       draw the picture, with panels of panelSize pixels
 *   pictureHeight(panelSize)  the picture's height for such panels, pixels
 *   scene()               the scene's cones and reach: {cones: [{colour, axis,
 *                         tip}], reach}
 *   markPoint(point)      mark a point [x, y, z] of the scene in the
 *                         picture (null: none)
 *   followPoint(point, state)  the point carried through a state ({viewport,
 *                         projection, modelview}) by the documentation's
 *                         formulas: {eye, clip, device, window}
 *   drawFeatures()        draw the feature card (observer/feature_card.h)
 *                         at the canvas's bottom left
 *   useLanguage(code)     draw the picture's words in the page's language
 *                         ('en', 'fr'); false if the picture has none in it
 * The instance that draws through the learner's camera:
 *   cameraArguments       the camera's arguments, described once
 *                         (observer/camera_arguments.cpp): {largest,
 *                         nearHalfTurn, vectors, arguments: [{name, call,
 *                         use, unit, slider}]}
 *   applyCamera(camera)   camera: {perspective, and each argument's value by
 *                         its name}; returns {reason, arguments, applied}: the
 *                         check's reason by name ('none': sound), the names
 *                         of the arguments it concerns, and whether the
 *                         camera was applied and drawn on the instance's
 *                         canvas (a sound camera, perhaps surprising)
 * glDrawBuffer, which the emulation makes throw, chooses nothing here: the
 * canvas has one buffer to draw into.
 */
var LibraryVarnelleObserver = {
  $ObserverPage__postset: 'Module["showStation"] = ObserverPage.showStation; ' +
    'Module["showYours"] = ObserverPage.showYours; ' +
    'Module["applyCamera"] = ObserverPage.applyCamera; ' +
    'Module["cameraArguments"] = ObserverPage.cameraArguments; ' +
    'Module["turn"] = function(yaw, pitch, factor) { _observerTurn(yaw, pitch, factor); }; ' +
    'Module["reset"] = function() { _observerReset(); }; ' +
    'Module["draw"] = function(panelSize) { _observerDraw(panelSize); }; ' +
    'Module["pictureHeight"] = function(panelSize) { return _observerHeightFor(panelSize); }; ' +
    'Module["markPoint"] = ObserverPage.markPoint; ' +
    'Module["scene"] = function() { return JSON.parse(UTF8ToString(_observerCones())); }; ' +
    'Module["followPoint"] = ObserverPage.followPoint; ' +
    'Module["drawFeatures"] = function() { _observerDrawFeatures(); }; ' +
    'Module["useLanguage"] = ObserverPage.useLanguage;',
  $ObserverPage: {
    // Numbers in a viewport, entries in a matrix.
    viewportNumbers: 4,
    matrixEntries: 16,
    // Which state observerHandOver gives the place of.
    viewerStation: 0,
    yourCamera: 1,
    followedThrough: 2,
    handOver: function(which, state) {
      var first = _observerHandOver(which) >> 3;
      HEAPF64.set(state.viewport, first);
      HEAPF64.set(state.projection, first + ObserverPage.viewportNumbers);
      HEAPF64.set(state.modelview, first + ObserverPage.viewportNumbers + ObserverPage.matrixEntries);
    },
    showStation: function(station) {
      ObserverPage.handOver(ObserverPage.viewerStation, station);
      _observerShowStation();
    },
    showYours: function(state) {
      if (state) ObserverPage.handOver(ObserverPage.yourCamera, state);
      _observerShowYours(state ? 1 : 0);
    },
    // The table of the camera's arguments, read once.
    argumentTable: null,
    cameraArguments: function() {
      if (!ObserverPage.argumentTable) {
        ObserverPage.argumentTable = JSON.parse(UTF8ToString(_observerCameraArguments()));
      }
      return ObserverPage.argumentTable;
    },
    // The language's code, in ASCII, where the program reads it (it has
    // room for this many characters and a zero).
    languageCodeLength: 7,
    useLanguage: function(code) {
      var at = _observerLanguageCode();
      code = String(code).slice(0, ObserverPage.languageCodeLength);
      for (var i = 0; i < code.length; i++) HEAPU8[at + i] = code.charCodeAt(i);
      HEAPU8[at + code.length] = 0;
      return _observerSpeak() != 0;
    },
    // Write a point (x, y, z) where the program reads it.
    writePoint: function(point) {
      HEAPF64.set(point, _observerPoint() >> 3);
    },
    markPoint: function(point) {
      if (point) ObserverPage.writePoint(point);
      _observerMarkPoint(point ? 1 : 0);
    },
    followPoint: function(point, state) {
      ObserverPage.writePoint(point);
      ObserverPage.handOver(ObserverPage.followedThrough, state);
      var first = _observerFollowPoint() >> 3;
      var numbers = Array.from(HEAPF64.subarray(first, first + 14));
      return {eye: numbers.slice(0, 4), clip: numbers.slice(4, 8), device: numbers.slice(8, 11),
              window: numbers.slice(11, 14)};
    },
    applyCamera: function(c) {
      var canvas = Module['canvas'];
      var first = _observerCameraValues() >> 3;
      ObserverPage.cameraArguments().arguments.forEach(function(argument, i) {
        HEAPF64[first + i] = c[argument.name];
      });
      var reason = UTF8ToString(_observerApplyCamera(canvas.width, canvas.height, c.perspective ? 1 : 0));
      var names = UTF8ToString(_observerVerdictArguments());
      return {reason: reason, arguments: names ? names.split(' ') : [],
              applied: _observerCameraApplied() != 0};
    },
  },

  // As emscripten's GLUT makes the viewer's window: RGBA, depth, no
  // antialiasing. The picture is kept after each frame, so that it can be
  // read back at any time, as the browser test reads it while the viewer's
  // canvas is in full screen and this one is not on the screen.
  webObserverCreateContext__deps: ['$Browser', '$ObserverPage', '$VarnelleLights', '$VarnelleAttributes',
    'observerHandOver', 'observerShowStation', 'observerShowYours', 'observerTurn', 'observerReset',
    'observerDraw', 'observerDrawFeatures', 'observerHeightFor', 'observerPoint',
    'observerMarkPoint', 'observerFollowPoint', 'observerCones', 'observerApplyCamera', 'observerVerdictArguments', 'observerCameraApplied',
    'observerCameraArguments', 'observerCameraValues', 'observerLanguageCode', 'observerSpeak'],
  webObserverCreateContext: function() {
    Browser.createContext(Module['canvas'], true, true,
      {antialias: false, depth: true, stencil: false, alpha: false, preserveDrawingBuffer: true});
  },

  glDrawBuffer: function(mode) {},
};

mergeInto(LibraryManager.library, LibraryVarnelleObserver);
