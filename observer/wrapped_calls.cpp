// Varnelle documentation: the calls a station makes, wrapped. Each __wrap_
// function stands in for the call of the same name (the linker's --wrap,
// with the list in recorded_calls.cmake, sends the program's references
// there), hands its name and arguments to noteCall and then calls the real
// one.
#include <GL/gl.h>
#include <GL/glu.h>

#include "calls.h"

extern "C" {

void __real_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void __real_glMatrixMode(GLenum mode);
void __real_glLoadIdentity();
void __real_glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar);
void __real_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void __real_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX,
                      GLdouble centerY, GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ);

void __wrap_glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    noteCall("glViewport", {static_cast<double>(x), static_cast<double>(y),
                            static_cast<double>(width), static_cast<double>(height)});
    __real_glViewport(x, y, width, height);
}

void __wrap_glMatrixMode(GLenum mode)
{
    noteCall("glMatrixMode", {static_cast<double>(mode)});
    __real_glMatrixMode(mode);
}

void __wrap_glLoadIdentity()
{
    noteCall("glLoadIdentity", {});
    __real_glLoadIdentity();
}

void __wrap_glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar)
{
    noteCall("glOrtho", {left, right, bottom, top, zNear, zFar});
    __real_glOrtho(left, right, bottom, top, zNear, zFar);
}

void __wrap_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    noteCall("gluPerspective", {fovy, aspect, zNear, zFar});
    __real_gluPerspective(fovy, aspect, zNear, zFar);
}

void __wrap_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX,
                      GLdouble centerY, GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ)
{
    noteCall("gluLookAt", {eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ});
    __real_gluLookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

} // extern "C"
