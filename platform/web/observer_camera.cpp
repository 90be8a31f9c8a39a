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
#include <string>

#include <GL/gl.h>
#include <emscripten.h>

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

} // namespace

extern "C" {

// Check the camera and, if it may be applied (sound, perhaps surprising),
// apply it to a canvas of width × height pixels and draw the scene through
// it. Near and far are the projection's either way. Returns the check's
// reason by name ("none" for a sound camera); observerVerdictArguments
// names the arguments concerned.
EMSCRIPTEN_KEEPALIVE const char* observerApplyCamera(int width, int height, int perspective,
                                                     double fovy, double aspect, double left,
                                                     double right, double bottom, double top,
                                                     double nearPlane, double farPlane,
                                                     double eyeX, double eyeY, double eyeZ,
                                                     double centerX, double centerY,
                                                     double centerZ, double upX, double upY,
                                                     double upZ)
{
    CameraArguments c;
    c.perspective = perspective != 0;
    c.lens = {fovy, aspect, nearPlane, farPlane};
    c.box = {left, right, bottom, top, nearPlane, farPlane};
    c.eye = {eyeX, eyeY, eyeZ};
    c.center = {centerX, centerY, centerZ};
    c.up = {upX, upY, upZ};
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
