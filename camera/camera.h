// Varnelle: the four camera stations. Each is a GLUT reshape handler that
// records the window size and sets viewport, projection and view for it,
// leaving the modelview matrix current with the view loaded.
//
//   0  reshapeOrtho         orthographic, looking down -z from the origin
//   1  reshapePerspective1  perspective from (0, 0, 100)
//   2  reshapePerspective2  perspective from (100, 0, 100)
//   3  reshapePerspective3  perspective from (100, 100, 100)
#pragma once

// Handler signature shared by the stations: window width and height in pixels.
typedef void (*StationHandler)(int width, int height);

void reshapeOrtho(int width, int height);
void reshapePerspective1(int width, int height);
void reshapePerspective2(int width, int height);
void reshapePerspective3(int width, int height);

// The stations in the order the Enter key steps through them.
const int stationCount = 4;
extern const StationHandler stationHandlers[stationCount];

// Orthographic station: the narrower side of the window shows -10..10, and
// the depth range is -20..20, in scene units.
const double orthoHalfSpan = 10.0;
const double orthoNear = -20.0;
const double orthoFar = 20.0;

// Perspective stations: the base angle makes a 20-unit span fill the view at
// the eye's distance, and the clipping planes lie 12 units either side of the
// origin, which brackets the cones' 10-unit reach.
const double perspectiveSpan = 20.0;
const double perspectiveDepth = 12.0;
const double piApprox = 3.14159;
