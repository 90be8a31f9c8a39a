// Varnelle web layer: what the page reads of the viewer's own state to say
// in words what its canvas shows (the canvas's live description): the
// station, the background, the polygon mode and the size the last station
// was applied to. Read only; nothing here changes the viewer.
#include <emscripten/emscripten.h>

#include "app/app.h"

extern "C" {

// The active camera station, 0..3.
EMSCRIPTEN_KEEPALIVE int webCameraStation()
{
    return viewerState.cameraStation;
}

// The background, 0..2: grey, white, black.
EMSCRIPTEN_KEEPALIVE int webBackgroundIndex()
{
    return viewerState.backgroundIndex;
}

// 1 for filled polygons, 0 for wireframe.
EMSCRIPTEN_KEEPALIVE int webFilled()
{
    return viewerState.filled;
}

// The width and height, in pixels, the last station was applied to.
EMSCRIPTEN_KEEPALIVE int webWindowWidth()
{
    return viewerState.windowWidth;
}

EMSCRIPTEN_KEEPALIVE int webWindowHeight()
{
    return viewerState.windowHeight;
}

} // extern "C"
