/*
 * Varnelle web layer: the page's side of station_calls.cpp, linked by the
 * viewer and by the outside view's program (whose instance that draws
 * through the learner's camera reports that camera's calls the same way).
 * Each station application's calls and what OpenGL holds once it has run go
 * to the page's Module.onStationApplied(station), if it has one; a program
 * whose page does not listen records nothing (the outside view's picture
 * makes calls of its own):
 *   station.calls       the calls, in order: {name, arguments}, each argument
 *                       a number (glMatrixMode's is the enumeration's value)
 *   station.viewport    [x, y, width, height], read back
 *   station.projection  16 numbers, column-major, read back
 *   station.modelview   16 numbers, column-major, read back
 *   station.eye         [x, y, z]: the point the modelview carries to the
 *                       origin, in scene units
 * A station application begins with its glViewport. It has run when the
 * task that ran it (a key, a change of size, the start) is over; the state
 * is read back then, in a microtask: before the frame that follows, whose
 * display leaves the matrices as it found them.
 */
var LibraryVarnelleStations = {
  $VarnelleStations: {
    // The calls of the station being applied, or of the latest one.
    calls: [],
    // True from a station's first call until it has been read back.
    pending: false,
    // Entries in a matrix, numbers in a viewport and in a point.
    matrixEntries: 16,
    viewportNumbers: 4,
    pointNumbers: 3,

    // After the task that applies a station: read back what it left.
    readBackLater: function() {
      if (VarnelleStations.pending) return;
      VarnelleStations.pending = true;
      queueMicrotask(function() {
        VarnelleStations.pending = false;
        _webReadBackStation();
      });
    },
  },

  webNoteCall__deps: ['$VarnelleStations', 'webReadBackStation'],
  webNoteCall: function(name, count, values) {
    if (!Module['onStationApplied']) return;
    name = UTF8ToString(name);
    var first = values >> 3;
    if (name == 'glViewport') VarnelleStations.calls = [];
    VarnelleStations.calls.push({name: name, arguments: Array.from(HEAPF64.subarray(first, first + count))});
    VarnelleStations.readBackLater();
  },

  webStationReadBack__deps: ['$VarnelleStations'],
  webStationReadBack: function(viewport, projection, modelview, eye) {
    if (!Module['onStationApplied']) return;
    var numbers = function(heap, pointer, shift, count) {
      return Array.from(heap.subarray(pointer >> shift, (pointer >> shift) + count));
    };
    var floatShift = 3;
    var intShift = 2;
    Module['onStationApplied']({
      calls: VarnelleStations.calls.slice(),
      viewport: numbers(HEAP32, viewport, intShift, VarnelleStations.viewportNumbers),
      projection: numbers(HEAPF64, projection, floatShift, VarnelleStations.matrixEntries),
      modelview: numbers(HEAPF64, modelview, floatShift, VarnelleStations.matrixEntries),
      eye: numbers(HEAPF64, eye, floatShift, VarnelleStations.pointNumbers),
    });
  },
};

mergeInto(LibraryManager.library, LibraryVarnelleStations);
