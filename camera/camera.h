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

// Number of camera stations.
const int stationCount = 4;
// The station handlers, indexed by the viewer's cameraStation (0..3), in the
// order the Enter key steps through them.
extern const StationHandler stationHandlers[stationCount];
