// Varnelle web page: the outside view's program. The documentation's
// observer picture (observer/observer.cpp, the same code as make stations
// runs) drawn into the page's #outside canvas, for the viewport and matrices
// the viewer holds after its latest station application, which the page
// hands over (library_observer.js is the program's side of the page), and,
// once the learner has made one, those of the learner's own camera, drawn as
// a second volume. It makes no GLUT window and has no main loop: its context
// is made on the canvas at start, and it draws when the page asks. The
// learner's turns of the observer are kept here, in one place. A second
// instance of the program draws the scene through the learner's camera
// (observer_camera.cpp).
#include <cstdio>
#include <string>

#include <GL/gl.h>
#include <emscripten.h>

#include "feature_card.h"
#include "formulas.h"
#include "observer.h"
#include "render/render.h"
#include "volume.h"

namespace {

// The states the page hands over: the viewer's latest, and the learner's
// camera's. Each is the viewport (x, y, width, height, in pixels), then the
// projection and modelview matrices, column-major, as read back.
const int viewportNumbers = 4;
const int matrixEntries = 16;
const int handedOverNumbers = viewportNumbers + 2 * matrixEntries;
const int viewerStation = 0;
const int yourCamera = 1;
const int followedThrough = 2;
const int stateCount = 3;
double handedOver[stateCount][handedOverNumbers] = {};
// True once the viewer's state has been handed over; true while the
// learner's camera is to be drawn.
bool haveStation = false;
bool haveYours = false;
// The observer's viewpoint, relative to the documentation's.
ObserverOrbit orbit;
// The point the learner follows, in scene units, and whether it is marked.
Point3 followedPoint{};
bool haveFollowed = false;
// A point followed through a state: eye and clip coordinates (4 numbers
// each), normalised device and window coordinates (3 each).
const int followedNumbers = 14;
double followed[followedNumbers] = {};
// Where the page writes the code of its language ("en", "fr"), with its
// terminating zero, for the picture's words.
const int languageCodeSize = 8;
char languageCode[languageCodeSize] = "";

// A state as it was handed over.
StationReadBack handedOverState(int which)
{
    const double* numbers = handedOver[which];
    StationReadBack readBack;
    for (int i = 0; i < viewportNumbers; ++i) {
        readBack.viewport[i] = static_cast<int>(numbers[i]);
    }
    for (int i = 0; i < matrixEntries; ++i) {
        readBack.projection[i] = numbers[viewportNumbers + i];
        readBack.modelview[i] = numbers[viewportNumbers + matrixEntries + i];
    }
    return readBack;
}

} // namespace

extern "C" {

// library_observer.js: make the page's canvas the program's context.
void webObserverCreateContext();

// Where the page writes a state: the viewer's (0) before
// observerShowStation, the learner's camera's (1) before observerShowYours,
// one to follow a point through (2) before observerFollowPoint.
EMSCRIPTEN_KEEPALIVE double* observerHandOver(int which)
{
    return handedOver[which >= 0 && which < stateCount ? which : viewerStation];
}

// Where the page writes the point it follows (x, y, z, scene units).
EMSCRIPTEN_KEEPALIVE double* observerPoint()
{
    return followedPoint.data();
}

// Mark the point at observerPoint in the picture from now on, or not.
EMSCRIPTEN_KEEPALIVE void observerMarkPoint(int marked)
{
    haveFollowed = marked != 0;
}

// The point at observerPoint carried through the state at observerHandOver(2)
// by the camera formulas the documentation follows its tips with: eye and
// clip coordinates, then normalised device and window coordinates.
EMSCRIPTEN_KEEPALIVE double* observerFollowPoint()
{
    StationReadBack state = handedOverState(followedThrough);
    FollowedPoint f = followPoint(followedPoint, state.modelview, state.projection, state.viewport);
    double* out = followed;
    for (double v : f.eye) {
        *out++ = v;
    }
    for (double v : f.clip) {
        *out++ = v;
    }
    for (double v : f.device) {
        *out++ = v;
    }
    for (double v : f.window) {
        *out++ = v;
    }
    return followed;
}

// The scene's cones, JSON: [{colour, axis: [x, y, z], tip: [x, y, z]}], in
// the order the scene draws them, and how far from the origin the scene
// reaches: {cones, reach}.
EMSCRIPTEN_KEEPALIVE const char* observerCones()
{
    static std::string json;
    if (!json.empty()) {
        return json.c_str();
    }
    auto triple = [](const Point3& p) {
        char text[96] = "";
        std::snprintf(text, sizeof text, "[%.17g, %.17g, %.17g]", p[0], p[1], p[2]);
        return std::string(text);
    };
    json = "{\"cones\": [";
    for (int c = 0; c < coneCount; ++c) {
        json += std::string(c == 0 ? "" : ", ") + "{\"colour\": \"" + cones[c].colourName +
                "\", \"axis\": " + triple(cones[c].axis) + ", \"tip\": " + triple(coneTip(cones[c])) +
                "}";
    }
    char reach[32] = "";
    std::snprintf(reach, sizeof reach, "%.17g", coneLength);
    json += std::string("], \"reach\": ") + reach + "}";
    return json.c_str();
}

// The picture's height for a panel of this size, pixels.
EMSCRIPTEN_KEEPALIVE int observerHeightFor(int panelSize)
{
    return ::observerPictureHeight(panelSize);
}

// The values at observerHandOver(0) are the viewer's newest state.
EMSCRIPTEN_KEEPALIVE void observerShowStation()
{
    haveStation = true;
}

// Draw the learner's camera (at observerHandOver(1)) from now on, or not.
EMSCRIPTEN_KEEPALIVE void observerShowYours(int shown)
{
    haveYours = shown != 0;
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

// Where the page writes its language's code.
EMSCRIPTEN_KEEPALIVE char* observerLanguageCode()
{
    return languageCode;
}

// Draw the picture's words in the language at observerLanguageCode from
// now on; 0 if the picture has no words in it (they stay English).
EMSCRIPTEN_KEEPALIVE int observerSpeak()
{
    languageCode[languageCodeSize - 1] = '\0';
    return observerUseLanguage(languageCode);
}

// Back to the documentation's viewpoint.
EMSCRIPTEN_KEEPALIVE void observerReset()
{
    orbit = ObserverOrbit();
}

// Draw the picture of the newest state from the observer's viewpoint, with
// panels of panelSize pixels. The caption names the station whose eye is
// read back and the viewer's size.
EMSCRIPTEN_KEEPALIVE void observerDraw(int panelSize)
{
    if (!haveStation) {
        return;
    }
    StationReadBack readBack = handedOverState(viewerStation);
    ObservedVolume volume = observedVolume(readBack);
    const int widthIndex = 2;
    const int heightIndex = 3;
    std::string caption = observerCaption(stationSeenFrom(volume.eye),
                                          readBack.viewport[widthIndex],
                                          readBack.viewport[heightIndex]);
    ObservedVolume yours = observedVolume(handedOverState(yourCamera));
    drawObserverPicture(volume, caption, panelSize, orbit, haveYours ? &yours : nullptr,
                        haveFollowed ? &followedPoint : nullptr);
}

// Draw the feature card at the canvas's bottom left: every drawing feature
// the observer picture may use, which the browser test compares with the
// desktop's card.
EMSCRIPTEN_KEEPALIVE void observerDrawFeatures()
{
    drawFeatureCard();
    glFinish();
}

} // extern "C"

int main()
{
    webObserverCreateContext();
    // The viewer's material and lights, as it sets them once.
    initRendering();
    return 0;
}
