// Varnelle: the application shell.
//
// Holds the one process-wide record of window geometry and viewing options,
// and the keyboard commands that change it:
//
//   Enter   next camera station (orthographic, then three perspective views)
//   F       enter or leave full screen
//   f       next background colour (grey, white, black)
//   z       filled or wireframe polygons
//   Escape  quit
//
// Every character key, bound or not, writes "K" to the trace first; special
// keys (arrows, function keys) reach no callback and write nothing.
#pragma once

// Window geometry and viewing options, shared by the keyboard, the display
// and the camera stations. Sizes and positions are in pixels.
struct ViewerState {
    // Window width and height: asked of GLUT at start, then the size given to
    // the most recent camera station.
    int windowWidth = 480;
    int windowHeight = 480;
    // Window position: asked of GLUT at start, then the position saved on
    // entering full screen and restored on leaving it.
    int windowX = 50;
    int windowY = 50;
    // 1 for filled polygons, 0 for wireframe.
    int filled = 1;
    // Background colour, 0..2 (grey, white, black).
    int backgroundIndex = 0;
    // Active camera station, 0..3 (0 orthographic, 1 to 3 perspective).
    int cameraStation = 0;
    // 1 while the window is in full screen, else 0.
    int fullScreen = 0;
    // Window size saved on entering full screen.
    int savedWidth = 0;
    int savedHeight = 0;
    // 1 if a window manager had framed the window (border or title bar) when
    // it entered full screen, else 0.
    int savedFramed = 0;
};

// The one viewer state of the process, shared by every callback.
extern ViewerState viewerState;

// The window title; it ends with one blank.
extern const char windowTitle[];

// Key codes of the commands, as GLUT delivers them to the keyboard callback.
const unsigned char keyEnter = 13;
const unsigned char keyEscape = 27;
const unsigned char keyFullScreen = 'F';
const unsigned char keyBackground = 'f';
const unsigned char keyFill = 'z';

// GLUT keyboard callback: key is the character, x and y the mouse position
// (unused).
void keyboard(unsigned char key, int x, int y);
