// Varnelle web page: the learner's own camera, in a second instance of the
// outside view's program drawing into the page's #yours-view canvas. The
// page hands over the arguments typed; they are checked first
// (observer/camera_check.cpp), and only a sound camera reaches OpenGL: its
// projection and view made with the real glOrtho or gluPerspective and
// gluLookAt (GLU's own project.c), then the viewer's scene drawn through
// it, as the viewer's display() draws it at start (its grey background,
// filled). The calls go through the station calls' wrappers
// (observer/wrapped_calls.cpp), as the viewer's do, and the page gets them
// with what OpenGL then holds, read back (station_calls.cpp,
// library_stations.js). A senseless camera changes nothing: the picture,
// the calls and the matrices stay those of the last sound one. The check's
// verdict goes back as a reason and the arguments it concerns: the page
// words it.
#include <cstdio>
#include <string>

#include <GL/gl.h>
#include <emscripten.h>

#include "camera_arguments.h"
#include "camera_check.h"
#include "observer.h"
#include "render/render.h"

namespace {

// The viewer's background at start (grey), an index into its colours.
const int startBackground = 0;
// The check's verdict on the latest camera handed over: the arguments it
// concerns, separated by blanks, and whether the camera was applied.
std::string verdictArguments;
bool verdictApplied = false;

void drawThroughCamera()
{
    const GLfloat* background = backgroundColours[startBackground];
    glClearColor(background[0], background[1], background[2], background[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    drawViewerScene();
    glPopMatrix();
    glFlush();
}

// A number in JSON, as JavaScript reads it back exactly.
std::string jsonNumber(double value)
{
    char text[32] = "";
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// The table of the camera's arguments, and the check's limit, in JSON.
std::string argumentsJson()
{
    const char* const uses[] = {"perspective", "orthographic", "both"};
    const char* const units[] = {"degrees", "ratio", "sceneUnits"};
    std::string json = "{\"largest\": " + jsonNumber(largestArgument) +
                       ", \"nearHalfTurn\": " + jsonNumber(nearHalfTurnDegrees) +
                       ", \"vectors\": [";
    for (int v = 0; v < cameraVectorCount; ++v) {
        json += std::string(v == 0 ? "" : ", ") + "\"" + cameraVectors[v] + "\"";
    }
    json += "], \"arguments\": [";
    for (int i = 0; i < cameraArgumentCount; ++i) {
        const CameraArgument& a = cameraArguments[i];
        json += std::string(i == 0 ? "" : ", ") + "{\"name\": \"" + a.name + "\", \"call\": " +
                (a.call ? std::string("\"") + a.call + "\"" : "null") + ", \"use\": \"" +
                uses[static_cast<int>(a.use)] + "\", \"unit\": \"" +
                units[static_cast<int>(a.unit)] + "\", \"slider\": " +
                (a.sliderStep > 0.0 ? "[" + jsonNumber(a.sliderLowest) + ", " +
                                          jsonNumber(a.sliderHighest) + ", " +
                                          jsonNumber(a.sliderStep) + "]"
                                    : std::string("null")) +
                "}";
    }
    return json + "]}";
}

// Where the page writes a camera's values, in the table's order.
double handedOverValues[cameraArgumentCount] = {};

} // namespace

extern "C" {

// The camera's arguments as the page builds its inputs and its messages
// from them, JSON: {largest, nearHalfTurn, vectors: [names], arguments:
// [{name, call, use, unit, slider: [lowest, highest, step] or null}]}.
EMSCRIPTEN_KEEPALIVE const char* observerCameraArguments()
{
    static const std::string json = argumentsJson();
    return json.c_str();
}

// Where the page writes the values of the camera it hands over, in the
// order of observerCameraArguments.
EMSCRIPTEN_KEEPALIVE double* observerCameraValues()
{
    return handedOverValues;
}

// Check the camera whose values the page wrote, perspective or not, and if
// it may be applied (sound, perhaps surprising), apply it to a canvas of
// width × height pixels and draw the scene through it. Returns the check's
// reason by name ("none" for a sound camera); observerVerdictArguments
// names the arguments concerned.
EMSCRIPTEN_KEEPALIVE const char* observerApplyCamera(int width, int height, int perspective)
{
    CameraArguments c = cameraFromValues(perspective != 0, handedOverValues);
    CameraVerdict verdict = checkCamera(c);
    verdictArguments.clear();
    for (const std::string& name : verdict.arguments) {
        verdictArguments += (verdictArguments.empty() ? "" : " ") + name;
    }
    verdictApplied = cameraApplies(verdict);
    if (verdictApplied) {
        glViewport(0, 0, width, height);
        applyCamera(c);
        drawThroughCamera();
    }
    return reasonName(verdict.reason);
}

EMSCRIPTEN_KEEPALIVE const char* observerVerdictArguments()
{
    return verdictArguments.c_str();
}

EMSCRIPTEN_KEEPALIVE int observerCameraApplied()
{
    return verdictApplied ? 1 : 0;
}

} // extern "C"
