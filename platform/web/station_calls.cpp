// Varnelle web layer: what the page shows of each station application. The
// viewer is linked with the station calls' wrappers (observer/
// wrapped_calls.cpp, as the documentation program is), so its own code
// reaches noteCall first and OpenGL right after; each call goes to the
// page's side (library_stations.js) with its arguments. Once the station
// has run, that side asks webReadBackStation for what OpenGL then holds,
// read back as the documentation program reads it, with the eye those
// matrices place, as the documentation program finds it. Nothing here writes to
// the viewer's output.
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
    const int matrixEntries = 16;
    GLfloat read[matrixEntries] = {};
    glGetFloatv(name, read);
    bool matrix = name == GL_PROJECTION_MATRIX || name == GL_MODELVIEW_MATRIX;
    int count = matrix ? matrixEntries : 1;
    for (int i = 0; i < count; ++i) {
        values[i] = read[i];
    }
}

// What the station left in the context, handed to the page.
EMSCRIPTEN_KEEPALIVE void webReadBackStation()
{
    StationReadBack readBack = readBackStation();
    Point3 eye = eyePosition(readBack.modelview);
    webStationReadBack(readBack.viewport.data(), readBack.projection.data(),
                       readBack.modelview.data(), eye.data());
}

} // extern "C"

void noteCall(const char* name, std::initializer_list<double> arguments)
{
    webNoteCall(name, static_cast<int>(arguments.size()), arguments.begin());
}
