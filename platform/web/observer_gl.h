// Varnelle web layer: what the outside view's OpenGL gap-fills share
// (observer_state.cpp, observer_lines.cpp, observer_text.cpp). The outside
// view's program draws the documentation's observer picture
// (observer/observer.cpp), whose OpenGL emscripten's emulation partly lacks
// or ignores; the viewer needs none of this. The calls that exist and whose
// state is followed here are wrapped (the linker's --wrap, listed in
// CMakeLists.txt): each wrapper notes what it sets and hands the call on.
#pragma once

#include <array>
#include <vector>

#include <GL/gl.h>

extern "C" {
void __real_glEnable(GLenum cap);
void __real_glDisable(GLenum cap);
void __real_glLineWidth(GLfloat width);
void __real_glPointSize(GLfloat size);
void __real_glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void __real_glBegin(GLenum mode);
void __real_glEnd();
void __real_glVertex2i(GLint x, GLint y);
}

namespace observergl {

// Line state as OpenGL would hold it: the emulation ignores widths above 1
// (WebGL draws one-pixel lines) and has no stipple.
struct LineState {
    GLfloat width = 1.0f;
    bool stipple = false;
    GLint factor = 1;
    GLushort pattern = 0xFFFF;
};

// The state the gap-fills follow, as OpenGL would hold it.
struct FollowedState {
    LineState line;
    // glPointSize's size, pixels.
    GLfloat pointSize = 1.0f;
    // The current colour, RGB in [0, 1].
    std::array<GLfloat, 3> colour{1.0f, 1.0f, 1.0f};
};
extern FollowedState followed;

// Set the colour and point size as OpenGL and this layer know them.
void setColour(GLfloat red, GLfloat green, GLfloat blue);
void setPointSize(GLfloat size);

// A point in window coordinates: pixels from the window's bottom left, and
// depth in normalised device coordinates (-1 near, 1 far).
struct WindowPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// Homogeneous coordinates (x, y, z, w).
typedef std::array<double, 4> Homogeneous;

// What carries object coordinates to the window, read back from OpenGL.
struct Transform {
    GLfloat projection[16] = {};
    GLfloat modelview[16] = {};
    GLint viewport[4] = {};
};
Transform currentTransform();
// Clip coordinates of a point in object coordinates.
Homogeneous toClip(const Transform& t, const Homogeneous& object);
// A point inside the clip volume carried to the window.
WindowPoint toWindow(const Transform& t, const Homogeneous& clip);

// Draw window points as the primitive (GL_POINTS, GL_LINES, GL_TRIANGLES)
// in the current colour, through identity matrices: each point becomes the
// normalised device coordinates of its place in the viewport, keeping its
// depth, so the depth test and the scissor apply as to the original.
void drawWindowPoints(GLenum mode, const std::vector<WindowPoint>& points, const GLint viewport[4]);

} // namespace observergl
