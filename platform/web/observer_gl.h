// Varnelle web layer: what the outside view's OpenGL gap-fills share
// (observer_state.cpp, observer_lines.cpp, observer_text.cpp). The outside
// view's program draws the documentation's observer picture
// (observer/observer.cpp), whose OpenGL emscripten's emulation partly lacks
// or ignores; the viewer needs none of this. The calls that exist and whose
// state is followed here are wrapped (the linker's --wrap, listed in
// CMakeLists.txt): each wrapper notes what it sets and hands the call on.
//
// What the gap-fills promise, and the observer picture keeps to; the
// feature card (observer/feature_card.cpp) draws each of these, and the
// browser test compares it with the desktop's:
// - lines (GL_LINES, GL_LINE_STRIP, GL_LINE_LOOP, from glVertex2i or
//   glVertex3d) of any width, as quads past one pixel; one colour for the
//   whole primitive, the one current at glBegin or set before its first
//   vertex;
// - line stipple: glLineStipple's pattern and its factor (kept to 1..256),
//   the counter restarting for each pair of GL_LINES and running on along a
//   strip or a loop;
// - points (GL_POINTS) of any size, as squares;
// - such lines and points hidden by the depth test where filled geometry is
//   in front of them, and cut by the scissor;
// - bitmap text: glRasterPos2i, then glutBitmapString or glutBitmapLength
//   with GLUT_BITMAP_TIMES_ROMAN_24 (the pictures' font), Latin-1
//   characters;
// - glPushAttrib and glPopAttrib of GL_ENABLE_BIT (lighting, depth test,
//   scissor, stipple), GL_LINE_BIT, GL_POINT_BIT and GL_CURRENT_BIT (the
//   colour), nested.
// Anything else (another font, a colour per vertex of a line, antialiased
// lines) the emulation draws as it does, or not at all.
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
