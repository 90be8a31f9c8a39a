// Varnelle documentation: recorders for the calls a station makes. Each
// __wrap_ function stands in for the call of the same name (the linker's
// --wrap sends the program's references there), notes it with its arguments
// while recording is on, and hands it on to the real one.
#include "calls.h"

#include <charconv>

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
    if (recording) {
        record.push_back(callText(name, arguments));
    }
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

} // namespace

std::string callText(const char* name, std::initializer_list<std::string> arguments)
{
    std::string line = name;
    line += "(";
    const char* separator = "";
    for (const std::string& argument : arguments) {
        line += separator;
        line += argument;
        separator = ", ";
    }
    return line + ")";
}

std::string numberText(double value)
{
    // Long enough for any double in its shortest round-trip form.
    char text[32] = "";
    std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

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
    note("glOrtho", {numberText(left), numberText(right), numberText(bottom),
                     numberText(top), numberText(zNear), numberText(zFar)});
    __real_glOrtho(left, right, bottom, top, zNear, zFar);
}

void __wrap_gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    note("gluPerspective",
         {numberText(fovy), numberText(aspect), numberText(zNear), numberText(zFar)});
    __real_gluPerspective(fovy, aspect, zNear, zFar);
}

void __wrap_gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX,
                      GLdouble centerY, GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ)
{
    note("gluLookAt", {numberText(eyeX), numberText(eyeY), numberText(eyeZ),
                       numberText(centerX), numberText(centerY), numberText(centerZ),
                       numberText(upX), numberText(upY), numberText(upZ)});
    __real_gluLookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

} // extern "C"
