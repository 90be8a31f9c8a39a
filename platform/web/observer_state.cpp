// Varnelle web layer, for the outside view's program: the state OpenGL
// would hold that the emulation does not, the way from object coordinates
// to the window, and drawing at window places.
//
// - glPushAttrib and glPopAttrib do not exist: the state the observer
//   picture changes under them (the enables it uses, line and point state,
//   the current colour) is saved and restored here.
// - The current colour and the point size are followed as they are set, for
//   glPopAttrib and for drawing text in the colour current at its raster
//   position (observer_text.cpp).
#include "observer_gl.h"

namespace observergl {

FollowedState followed;

void setColour(GLfloat red, GLfloat green, GLfloat blue)
{
    followed.colour = {red, green, blue};
    __real_glColor3f(red, green, blue);
}

void setPointSize(GLfloat size)
{
    followed.pointSize = size;
    __real_glPointSize(size);
}

Transform currentTransform()
{
    Transform t;
    glGetFloatv(GL_PROJECTION_MATRIX, t.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, t.modelview);
    glGetIntegerv(GL_VIEWPORT, t.viewport);
    return t;
}

Homogeneous toClip(const Transform& t, const Homogeneous& object)
{
    const int size = 4;
    Homogeneous eye{};
    Homogeneous clip{};
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            eye[r] += t.modelview[c * size + r] * object[c];
        }
    }
    for (int r = 0; r < size; ++r) {
        for (int c = 0; c < size; ++c) {
            clip[r] += t.projection[c * size + r] * eye[c];
        }
    }
    return clip;
}

WindowPoint toWindow(const Transform& t, const Homogeneous& clip)
{
    const GLint* v = t.viewport;
    WindowPoint p;
    p.x = v[0] + (clip[0] / clip[3] + 1.0) * v[2] / 2.0;
    p.y = v[1] + (clip[1] / clip[3] + 1.0) * v[3] / 2.0;
    p.z = clip[2] / clip[3];
    return p;
}

void drawWindowPoints(GLenum mode, const std::vector<WindowPoint>& points, const GLint viewport[4])
{
    if (points.empty()) {
        return;
    }
    GLint matrixMode = GL_MODELVIEW;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    __real_glBegin(mode);
    for (const WindowPoint& p : points) {
        glVertex3f(static_cast<GLfloat>((p.x - viewport[0]) / viewport[2] * 2.0 - 1.0),
                   static_cast<GLfloat>((p.y - viewport[1]) / viewport[3] * 2.0 - 1.0),
                   static_cast<GLfloat>(p.z));
    }
    __real_glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(static_cast<GLenum>(matrixMode));
}

} // namespace observergl

namespace {

using observergl::followed;

// What glPushAttrib saved: the groups it was asked for and their state.
struct SavedAttributes {
    GLbitfield mask = 0;
    bool lighting = false;
    bool depthTest = false;
    bool scissorTest = false;
    observergl::FollowedState state;
};
std::vector<SavedAttributes> attributeStack;

void setEnabled(GLenum cap, bool on)
{
    if (on) {
        __real_glEnable(cap);
    } else {
        __real_glDisable(cap);
    }
}

} // namespace

extern "C" {

void __wrap_glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    observergl::setColour(red, green, blue);
}

void __wrap_glPointSize(GLfloat size)
{
    observergl::setPointSize(size);
}

void glPushAttrib(GLbitfield mask)
{
    SavedAttributes saved;
    saved.mask = mask;
    saved.lighting = glIsEnabled(GL_LIGHTING);
    saved.depthTest = glIsEnabled(GL_DEPTH_TEST);
    saved.scissorTest = glIsEnabled(GL_SCISSOR_TEST);
    saved.state = followed;
    attributeStack.push_back(saved);
}

void glPopAttrib()
{
    if (attributeStack.empty()) {
        return;
    }
    SavedAttributes saved = attributeStack.back();
    attributeStack.pop_back();
    if (saved.mask & GL_ENABLE_BIT) {
        setEnabled(GL_LIGHTING, saved.lighting);
        setEnabled(GL_DEPTH_TEST, saved.depthTest);
        setEnabled(GL_SCISSOR_TEST, saved.scissorTest);
        followed.line.stipple = saved.state.line.stipple;
    }
    if (saved.mask & GL_LINE_BIT) {
        followed.line = saved.state.line;
    }
    if (saved.mask & GL_POINT_BIT) {
        observergl::setPointSize(saved.state.pointSize);
    }
    if (saved.mask & GL_CURRENT_BIT) {
        const auto& c = saved.state.colour;
        observergl::setColour(c[0], c[1], c[2]);
    }
}

} // extern "C"
