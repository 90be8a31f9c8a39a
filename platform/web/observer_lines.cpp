// Varnelle web layer, for the outside view's program: wide and dotted lines.
// WebGL draws lines one pixel wide only (Chromium's SwiftShader allows
// widths from 1 to 1), and the emulation has no GL_LINE_STIPPLE. While the
// width is above 1 or stippling is on, the lines between glBegin and glEnd
// are taken here: cut to the clip volume, as OpenGL clips a line before it
// counts its stipple; carried to the window with the matrices and viewport
// OpenGL holds; cut into the stipple pattern's dashes; and drawn as quads
// of the line's width (an OpenGL wide line spans its width across its minor
// axis), or as one-pixel lines, at the depth each place would have had.
// glVertex3d, which the emulation lacks, is glVertex3f otherwise.
#include <algorithm>
#include <cmath>

#include "observer_gl.h"

namespace {

using observergl::followed;
using observergl::Homogeneous;
using observergl::Transform;
using observergl::WindowPoint;

// Bits in a stipple pattern.
const int patternBits = 16;

// True between glBegin and glEnd of lines taken here; their mode and
// vertices in object coordinates.
bool capturing = false;
GLenum capturedMode = GL_LINES;
std::vector<Homogeneous> captured;

bool drawnHere()
{
    return followed.line.width > 1.0f || followed.line.stipple;
}

WindowPoint between(const WindowPoint& a, const WindowPoint& b, double f)
{
    WindowPoint p;
    p.x = a.x + (b.x - a.x) * f;
    p.y = a.y + (b.y - a.y) * f;
    p.z = a.z + (b.z - a.z) * f;
    return p;
}

// One visible piece of a line, from a to b in the window: a quad of the
// line's width (two triangles), or a one-pixel line.
void addPiece(const WindowPoint& a, const WindowPoint& b, std::vector<WindowPoint>& out)
{
    if (followed.line.width <= 1.0f) {
        out.push_back(a);
        out.push_back(b);
        return;
    }
    // An x-major line's pixel columns are width pixels tall; a y-major
    // line's rows are width pixels wide.
    double half = followed.line.width / 2.0;
    bool xMajor = std::fabs(b.x - a.x) >= std::fabs(b.y - a.y);
    double dx = xMajor ? 0.0 : half;
    double dy = xMajor ? half : 0.0;
    WindowPoint a0 = a;
    WindowPoint a1 = a;
    WindowPoint b0 = b;
    WindowPoint b1 = b;
    a0.x -= dx;
    a0.y -= dy;
    a1.x += dx;
    a1.y += dy;
    b0.x -= dx;
    b0.y -= dy;
    b1.x += dx;
    b1.y += dy;
    out.insert(out.end(), {a0, b0, b1, a0, b1, a1});
}

// Cut the segment from a to b (clip coordinates) to the clip volume; false
// if nothing of it is inside.
bool clipSegment(Homogeneous& a, Homogeneous& b)
{
    // Where the segment enters and leaves, as fractions of it: inside each
    // plane w + x >= 0, w - x >= 0, w + y >= 0, and so on.
    double enter = 0.0;
    double leave = 1.0;
    for (int axis = 0; axis < 3; ++axis) {
        for (double sign : {1.0, -1.0}) {
            double da = a[3] + sign * a[axis];
            double db = b[3] + sign * b[axis];
            if (da < 0.0 && db < 0.0) {
                return false;
            }
            if (da < 0.0) {
                enter = std::fmax(enter, da / (da - db));
            } else if (db < 0.0) {
                leave = std::fmin(leave, da / (da - db));
            }
        }
    }
    if (enter >= leave) {
        return false;
    }
    Homogeneous from{};
    Homogeneous to{};
    for (int i = 0; i < 4; ++i) {
        from[i] = a[i] + (b[i] - a[i]) * enter;
        to[i] = a[i] + (b[i] - a[i]) * leave;
    }
    a = from;
    b = to;
    return true;
}

// One segment (clip coordinates), clipped, in the window and cut into the
// stipple's dashes. The stipple counter counts the pixels along the major
// axis of the visible part, factor pixels a bit of the pattern, on from
// where the segment before left it (stipple holds it); GL_LINES starts it
// again at each segment, a strip or a loop at its first.
void addSegment(const Transform& t, Homogeneous a, Homogeneous b, int& stipple,
                std::vector<WindowPoint>& out)
{
    if (!clipSegment(a, b)) {
        return;
    }
    WindowPoint wa = observergl::toWindow(t, a);
    WindowPoint wb = observergl::toWindow(t, b);
    const observergl::LineState& line = followed.line;
    if (!line.stipple) {
        addPiece(wa, wb, out);
        return;
    }
    int length = static_cast<int>(std::ceil(std::fmax(std::fabs(wb.x - wa.x), std::fabs(wb.y - wa.y))));
    // Where the dash being drawn began, or -1 between dashes.
    int start = -1;
    for (int pixel = 0; pixel < length; ++pixel) {
        int bit = ((stipple + pixel) / line.factor) % patternBits;
        bool on = (line.pattern >> bit) & 1;
        if (on && start < 0) {
            start = pixel;
        } else if (!on && start >= 0) {
            addPiece(between(wa, wb, double(start) / length), between(wa, wb, double(pixel) / length), out);
            start = -1;
        }
    }
    if (start >= 0) {
        addPiece(between(wa, wb, double(start) / length), wb, out);
    }
    stipple += length;
}

// Draw the lines taken since glBegin.
void drawCapturedLines()
{
    Transform t = observergl::currentTransform();
    std::vector<Homogeneous> clip;
    for (const Homogeneous& v : captured) {
        clip.push_back(observergl::toClip(t, v));
    }
    std::vector<WindowPoint> out;
    size_t n = clip.size();
    // GL_LINES pairs its vertices; a strip or a loop joins each to the next,
    // and a loop the last to the first.
    bool separate = capturedMode == GL_LINES;
    size_t step = separate ? 2 : 1;
    int stipple = 0;
    for (size_t i = 0; i + 1 < n; i += step) {
        stipple = separate ? 0 : stipple;
        addSegment(t, clip[i], clip[i + 1], stipple, out);
    }
    if (capturedMode == GL_LINE_LOOP && n > 2) {
        addSegment(t, clip[n - 1], clip[0], stipple, out);
    }
    observergl::drawWindowPoints(followed.line.width > 1.0f ? GL_TRIANGLES : GL_LINES, out,
                                 t.viewport);
}

void capture(double x, double y, double z)
{
    captured.push_back({x, y, z, 1.0});
}

} // namespace

extern "C" {

void __wrap_glEnable(GLenum cap)
{
    if (cap == GL_LINE_STIPPLE) {
        followed.line.stipple = true;
        return;
    }
    __real_glEnable(cap);
}

void __wrap_glDisable(GLenum cap)
{
    if (cap == GL_LINE_STIPPLE) {
        followed.line.stipple = false;
        return;
    }
    __real_glDisable(cap);
}

void __wrap_glLineWidth(GLfloat width)
{
    followed.line.width = width;
    __real_glLineWidth(1.0f);
}

// As OpenGL does, the factor is clamped to 1..256.
void glLineStipple(GLint factor, GLushort pattern)
{
    const GLint smallestFactor = 1;
    const GLint largestFactor = 256;
    followed.line.factor = std::clamp(factor, smallestFactor, largestFactor);
    followed.line.pattern = pattern;
}

void __wrap_glBegin(GLenum mode)
{
    bool lines = mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP;
    if (lines && drawnHere()) {
        capturing = true;
        capturedMode = mode;
        captured.clear();
        return;
    }
    __real_glBegin(mode);
}

void __wrap_glEnd()
{
    if (capturing) {
        capturing = false;
        drawCapturedLines();
        return;
    }
    __real_glEnd();
}

void __wrap_glVertex2i(GLint x, GLint y)
{
    if (capturing) {
        capture(x, y, 0.0);
        return;
    }
    __real_glVertex2i(x, y);
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z)
{
    if (capturing) {
        capture(x, y, z);
        return;
    }
    glVertex3f(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

} // extern "C"
