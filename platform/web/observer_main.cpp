// Varnelle web page: the outside view's program. The documentation's
// observer picture (observer/observer.cpp, the same code as make stations
// runs) drawn into the page's #outside canvas, for the viewport and matrices
// the viewer holds after its latest station application, which the page
// hands over (library_observer.js is the program's side of the page). It
// makes no GLUT window and has no main loop: its context is made on the
// canvas at start, and it draws when the page asks. The learner's turns of
// the observer are kept here, in one place.
#include <string>

#include <GL/gl.h>
#include <emscripten.h>

#include "formulas.h"
#include "observer.h"
#include "render/render.h"
#include "volume.h"

namespace {

// The viewer's latest state as the page hands it over: the viewport (x, y,
// width, height, in pixels), then the projection and modelview matrices,
// column-major, as read back from the viewer's context.
const int viewportNumbers = 4;
const int matrixEntries = 16;
double handedOver[viewportNumbers + 2 * matrixEntries] = {};
// True once a state has been handed over.
bool haveStation = false;
// The observer's viewpoint, relative to the documentation's.
ObserverOrbit orbit;

} // namespace

extern "C" {

// library_observer.js: make the page's canvas the program's context.
void webObserverCreateContext();

// Where the page writes the viewer's state before observerShowStation.
EMSCRIPTEN_KEEPALIVE double* observerHandOver()
{
    return handedOver;
}

// The values at observerHandOver are the viewer's newest state.
EMSCRIPTEN_KEEPALIVE void observerShowStation()
{
    haveStation = true;
}

// Turn the observer by yaw and pitch (degrees), and bring it factor times
// closer; the orbit stays within its bounds.
EMSCRIPTEN_KEEPALIVE void observerTurn(double yawDegrees, double pitchDegrees, double factor)
{
    orbit.yawDegrees += yawDegrees;
    orbit.pitchDegrees += pitchDegrees;
    orbit.zoom *= factor;
    orbit = boundedOrbit(orbit);
}

// Back to the documentation's viewpoint.
EMSCRIPTEN_KEEPALIVE void observerReset()
{
    orbit = ObserverOrbit();
}

// Draw the picture of the newest state from the observer's viewpoint. The
// caption names the station whose eye is read back and the viewer's size.
EMSCRIPTEN_KEEPALIVE void observerDraw()
{
    if (!haveStation) {
        return;
    }
    StationReadBack readBack;
    for (int i = 0; i < viewportNumbers; ++i) {
        readBack.viewport[i] = static_cast<int>(handedOver[i]);
    }
    for (int i = 0; i < matrixEntries; ++i) {
        readBack.projection[i] = handedOver[viewportNumbers + i];
        readBack.modelview[i] = handedOver[viewportNumbers + matrixEntries + i];
    }
    ObservedVolume volume = observedVolume(readBack);
    const int widthIndex = 2;
    const int heightIndex = 3;
    std::string caption = observerCaption(stationSeenFrom(volume.eye),
                                          readBack.viewport[widthIndex],
                                          readBack.viewport[heightIndex]);
    drawObserverPicture(volume, caption, observerPanelSize, orbit);
}

} // extern "C"

int main()
{
    webObserverCreateContext();
    // The viewer's material and lights, as it sets them once.
    initRendering();
    return 0;
}
