// Varnelle documentation: the viewer's own pictures, drawn in the program's
// GLUT window by the viewer's station handlers and its display(), and read
// back from the X server as the window shows them.
#pragma once

#include <array>
#include <functional>

#include <GL/gl.h>

#include "drive.h"

// Give the program's window a size and wait until GLUT reports it.
bool resizeWindow(int width, int height);

// What the window shows once a frame has been swapped to the front.
drive::Picture shownPicture(int width, int height);

// The viewer's picture of a station in a window of width × height pixels:
// the station's handler, then change (if any: it may load another
// projection or view), then the viewer's display(). Empty if the window
// never took the size.
drive::Picture viewerPicture(int station, int width, int height,
                             const std::function<void()>& change = {});

// The colour of the pixel that holds window point (x, y), in pixels from the
// window's bottom left corner as OpenGL counts them; RGB in [0, 1].
std::array<double, 3> pixelAt(const drive::Picture& picture, double x, double y);

// True if the pixel has the hue of a palette colour as the scene's lighting
// shows it: the palette's full channels equal to one another and at least
// minimumLit, its empty channels equal to one another and at least
// minimumContrast darker. The defaults ask for a clearly lit face; a cone
// seen end-on, its faces turned away from the lights, is a dark shade of
// its colour and needs lower ones.
const double clearlyLit = 0.3;
const double clearContrast = 0.15;
bool showsColour(const std::array<double, 3>& pixel, const GLfloat* palette,
                 double minimumLit = clearlyLit, double minimumContrast = clearContrast);
