// Varnelle documentation: recorders for the calls a station makes. Each
// __wrap_ function stands in for the call of the same name (the linker's
// --wrap sends the program's references there), notes it with its arguments
// while recording is on, and hands it on to the real one.
#include "calls.h"

#include <charconv>
#include <initializer_list>

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

// True between beginCallRecord and endCallRecord.
bool recording = false;
// The calls noted so far, in order.
std::vector<std::string> record;

// Note one call: its name and its arguments, already as text.
void note(const char* name, std::initializer_list<std::string> arguments)
{
    if (!recording) {
        return;
    }
    std::string line = name;
    line += "(";
    const char* separator = "";
    for (const std::string& argument : arguments) {
        line += separator;
        line += argument;
        separator = ", ";
    }
    line += ")";
    record.push_back(line);
}

std::string matrixModeName(GLenum mode)
{
    switch (mode) {
    case GL_PROJECTION:
        return "GL_PROJECTION";
    case GL_MODELVIEW:
        return "GL_MODELVIEW";
    case GL_TEXTURE:
        return "GL_TEXTURE";
    default:
        return std::to_string(mode);
    }
}

// A double as its shortest text that reads back as the same value.
std::string shortestText(double value)
{
    // Long enough for any double in its shortest round-trip form.
    char text[32] = "";
    std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

} // namespace

void beginCallRecord()
{
    record.clear();
    recording = true;
}

std::vector<std::string> endCallRecord()
{
    recording = false;
    return record;
}

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
    note("glViewport",
         {std::to_string(x), std::to_string(y), std::to_string(width), std::to_string(height)});
    __real_glViewport(x, y, width, height);
}

void __wrap_glMatrixMode(GLenum mode)
{
    note("glMatrixMode", {matrixModeName(mode)});
    __real_glMatrixMode(mode);
}

void __wrap_glLoadIdentity()
{
    note("glLoadIdentity", {});
    __real_glLoadIdentity();
}

void __wrap_glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
                    GLdouble zFar)
{
    note("glOrtho", {shortestText(left), shortestText(right), shortestText(bottom),
                     shortestText(top), shortestText(zNear), shortestText(zFar)});
    __real_glOrtho(left, right, bottom, top, zNear, zFar);
}

void __wrap_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    note("gluPerspective",
         {shortestText(fovy), shortestText(aspect), shortestText(zNear), shortestText(zFar)});
    __real_gluPerspective(fovy, aspect, zNear, zFar);
}

void __wrap_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX,
                      GLdouble centerY, GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ)
{
    note("gluLookAt", {shortestText(eyeX), shortestText(eyeY), shortestText(eyeZ),
                       shortestText(centerX), shortestText(centerY), shortestText(centerZ),
                       shortestText(upX), shortestText(upY), shortestText(upZ)});
    __real_gluLookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

} // extern "C"
