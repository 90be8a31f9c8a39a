/*
 * Varnelle web layer: where emscripten's GLUT does not behave as a desktop
 * GLUT does, linked in place of its functions (emcc --js-library).
 *
 * - Keys: GLUT maps keys from the obsolete keyCode and drops shifted
 *   punctuation and non-ASCII characters. The keyboard callback is kept
 *   here instead of in GLUT (so GLUT's own listener never calls it) and fed
 *   from the event's key, by a listener on the canvas, which has the focus.
 * - The end: exit(0) from the keyboard callback leaves the runtime and
 *   GLUT's listeners alive; the viewer then goes silent: no more keys,
 *   reshapes or frames.
 * - glutGet(GLUT_WINDOW_X/Y): the canvas's place in the page, not 0.
 * - A resize from the browser (Browser's resize listeners) reshapes without
 *   a redisplay; a desktop GLUT follows every reshape with a frame.
 * - Full screen: the runtime moves the canvas into a container of its own
 *   and back, which takes the focus from it; give it back.
 * - Lights: library_lights.js, shared with the outside view's program.
 * - The colour attribute of a program that has none: library_attributes.js,
 *   shared likewise.
 * - Leaving full screen: GLUT's glutPositionWindow asks for a frame before
 *   the new size is known, and glutReshapeWindow reshapes at once and again
 *   when the browser has left full screen. Here both only leave it, and the
 *   one change of size brings one reshape and one frame, as on a desktop.
 *   glutLeaveFullScreen, which emscripten's GLUT lacks, does the same.
 * - glutReshapeWindow with the size the canvas already has (after the
 *   browser itself has left full screen, the viewer's F asks for the size
 *   it is back at) reshapes and redraws in emscripten's GLUT; a desktop GLUT
 *   calls the reshape callback only when the window first shows and when
 *   its size changes, so here it does nothing after the first showing.
 * - glutGet(GLUT_WINDOW_BORDER_WIDTH/HEADER_HEIGHT), which emscripten's
 *   GLUT lacks: 0, since nothing frames the canvas.
 */
var LibraryVarnelleWeb = {
  $VarnelleWeb__deps: ['$GLUT', '$Browser', 'glutPostRedisplay', '$VarnelleLights', '$VarnelleAttributes'],
  $VarnelleWeb__postset: 'VarnelleWeb.followResizesWithFrames(); VarnelleWeb.keepFocusInFullScreen();',
  $VarnelleWeb: {
    // The keyboard callback registered by the program, 0 while there is none.
    keyboardFunc: 0,
    // Set once the program has ended (Escape): it gets no more events.
    ended: false,
    // Set once the window has first shown: GLUT's main loop reshapes it
    // first, through glutReshapeWindow, at the size it already has.
    shown: false,
    // Keys that have no character of their own but a control code in GLUT.
    namedKeyCodes: {'Enter': 13, 'Escape': 27, 'Tab': 9, 'Backspace': 8, 'Delete': 127},
    // What a character beyond 8 bits is handed to the callback as, as a
    // conversion to an 8-bit character set does.
    unrepresentable: 63,
    // Largest code of an 8-bit character.
    largestByte: 255,
    // Control-letter gives the letter's control code: keep its low five bits.
    controlMask: 0x1f,

    // The character code a key event gives the keyboard callback, or null for
    // a key with no character (Shift alone, arrows, function keys).
    characterCode: function(event) {
      if (event.isComposing) return null;
      var key = event.key;
      if (key in VarnelleWeb.namedKeyCodes) return VarnelleWeb.namedKeyCodes[key];
      // A printable key's value is that one character.
      var characters = Array.from(key);
      if (characters.length != 1) return null;
      var code = key.codePointAt(0);
      if (event.ctrlKey && !event.altKey && /^[A-Za-z]$/.test(key)) {
        return code & VarnelleWeb.controlMask;
      }
      return code <= VarnelleWeb.largestByte ? code : VarnelleWeb.unrepresentable;
    },

    onKeydown: function(event) {
      if (VarnelleWeb.ended) return;
      var code = VarnelleWeb.characterCode(event);
      if (code === null) return;
      // The key is the viewer's: no page scrolling or find-as-you-type.
      event.preventDefault();
      if (!VarnelleWeb.keyboardFunc) return;
      try {
        {{{ makeDynCall('viii', 'VarnelleWeb.keyboardFunc') }}}(code, Browser.mouseX, Browser.mouseY);
      } catch (e) {
        // exit() unwinds through here; anything else is a real failure.
        if (!(e instanceof ExitStatus)) throw e;
        VarnelleWeb.end();
      }
    },

    // The program has ended: GLUT's listeners stay, so take away what they call.
    end: function() {
      VarnelleWeb.ended = true;
      VarnelleWeb.keyboardFunc = 0;
      GLUT.reshapeFunc = 0;
      GLUT.displayFunc = 0;
    },

    keepFocusInFullScreen: function() {
      Module['onFullscreen'] = function() {
        if (!VarnelleWeb.ended) Module['canvas'].focus();
      };
    },

    followResizesWithFrames: function() {
      Browser.resizeListeners.push(function() {
        if (!VarnelleWeb.ended) _glutPostRedisplay();
      });
    },
  },

  // Leave full screen, if the canvas is in it (the runtime looks).
  glutLeaveFullScreen__deps: ['$Browser'],
  glutLeaveFullScreen: function() {
    Browser.exitFullscreen();
  },

  // The canvas's place is the page's to choose; a new one ends full screen.
  glutPositionWindow__deps: ['glutLeaveFullScreen'],
  glutPositionWindow: function(x, y) {
    _glutLeaveFullScreen();
  },

  // In full screen: leave it, to come back at this size (GLUT's full-screen
  // listener reshapes and asks for the frame). Otherwise resize the canvas,
  // unless it has that size already and has shown.
  glutReshapeWindow__deps: ['$GLUT', '$Browser', '$VarnelleWeb', 'glutPostRedisplay'],
  glutReshapeWindow: function(width, height) {
    if (Browser.isFullscreen) {
      GLUT.windowWidth = width;
      GLUT.windowHeight = height;
      Browser.exitFullscreen();
      return;
    }
    var canvas = Module['canvas'];
    var unchanged = canvas.width == width && canvas.height == height;
    if (VarnelleWeb.shown && unchanged) return;
    VarnelleWeb.shown = true;
    Browser.setCanvasSize(width, height, true);
    if (GLUT.reshapeFunc) {
      {{{ makeDynCall('vii', 'GLUT.reshapeFunc') }}}(width, height);
    }
    _glutPostRedisplay();
  },

  glutKeyboardFunc__deps: ['$VarnelleWeb'],
  glutKeyboardFunc: function(func) {
    if (!VarnelleWeb.keyboardFunc) {
      Module['canvas'].addEventListener('keydown', VarnelleWeb.onKeydown);
    }
    VarnelleWeb.keyboardFunc = func;
  },

  // GLUT's own query, kept under another name for everything but the place.
  $glutGetOfEmscripten: LibraryManager.library.glutGet,
  glutGet__deps: ['$glutGetOfEmscripten'],
  glutGet: function(type) {
    var windowX = 100;
    var windowY = 101;
    var borderWidth = 0x01FA;
    var headerHeight = 0x01FB;
    if (type == borderWidth || type == headerHeight) {
      return 0;
    }
    if (type == windowX || type == windowY) {
      var rect = Module['canvas'].getBoundingClientRect();
      return Math.round(type == windowX ? rect.left + window.scrollX : rect.top + window.scrollY);
    }
    return glutGetOfEmscripten(type);
  },
};

mergeInto(LibraryManager.library, LibraryVarnelleWeb);
