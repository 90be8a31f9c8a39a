// Varnelle web layer: what the page shows of each station application. The
// viewer is linked with the station calls' wrappers (observer/
// wrapped_calls.cpp, as the documentation program is), so its own code
// reaches noteCall first and OpenGL right after; each call goes to the
// page's side (library_stations.js) with its arguments. Once the station
// has run, that side asks webReadBackStation for what OpenGL then holds,
// read back as the documentation program reads it, with the eye those
// matrices place, as the documentation program finds it. Nothing here writes to
// the viewer's output.
#include <cmath>
#include <initializer_list>

#include <GL/gl.h>
#include <emscripten.h>

#include "calls.h"
#include "volume.h"

extern "C" {

// library_stations.js: one call, by name, with its arguments; and the state
// read back (viewport, then projection and modelview, column-major), with
// the eye in scene coordinates.
void webNoteCall(const char* name, int count, const double* arguments);
void webStationReadBack(const int* viewport, const double* projection, const double* modelview,
                        const double* eye);

// The emulation has no glGetDoublev. Its matrices are single precision, as
// Mesa's are on the desktop: they are read as floats and widened.
void glGetDoublev(GLenum name, GLdouble* values)
{
    // How many values each name gives: a matrix 16, the viewport 4, a range
    // or a pair 2, anything else one.
    const int matrixEntries = 16;
    const int viewportNumbers = 4;
    const int pairNumbers = 2;
    int count = 1;
    switch (name) {
    case GL_PROJECTION_MATRIX:
    case GL_MODELVIEW_MATRIX:
    case GL_TEXTURE_MATRIX:
        count = matrixEntries;
        break;
    case GL_VIEWPORT:
    case GL_COLOR_CLEAR_VALUE:
    case GL_CURRENT_COLOR:
        count = viewportNumbers;
        break;
    case GL_DEPTH_RANGE:
    case GL_MAX_VIEWPORT_DIMS:
        count = pairNumbers;
        break;
    default:
        break;
    }
    GLfloat read[matrixEntries] = {};
    glGetFloatv(name, read);
    for (int i = 0; i < count; ++i) {
        values[i] = read[i];
    }
}

// What the station left in the context, handed to the page.
EMSCRIPTEN_KEEPALIVE void webReadBackStation()
{
    StationReadBack readBack = readBackStation();
    // A station's view always has an inverse; NaN says it had none.
    Point3 eye = {NAN, NAN, NAN};
    eyePosition(readBack.modelview, eye);
    webStationReadBack(readBack.viewport.data(), readBack.projection.data(),
                       readBack.modelview.data(), eye.data());
}

} // extern "C"

void noteCall(const char* name, std::initializer_list<double> arguments)
{
    webNoteCall(name, static_cast<int>(arguments.size()), arguments.begin());
}
