// Varnelle: the four camera stations. Each is a GLUT reshape handler that
// records the window size and sets viewport, projection and view for it,
// leaving the modelview matrix current with the view loaded; what each
// station does is its row of the station table (stations.h).
//
//   0  reshapeOrtho         orthographic
//   1  reshapePerspective1  perspective
//   2  reshapePerspective2  perspective
//   3  reshapePerspective3  perspective
#pragma once

#include "stations.h"

// Handler signature shared by the stations: window width and height in pixels.
typedef void (*StationHandler)(int width, int height);

void reshapeOrtho(int width, int height);
void reshapePerspective1(int width, int height);
void reshapePerspective2(int width, int height);
void reshapePerspective3(int width, int height);

// The station handlers, indexed by the viewer's cameraStation (0..3), in the
// order the Enter key steps through them.
extern const StationHandler stationHandlers[stationCount];
