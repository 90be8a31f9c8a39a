// Varnelle documentation: the record of the calls a station makes. The
// wrappers (wrapped_calls.cpp) hand each call to noteCall, which writes it
// down as text while recording is on.
#include "calls.h"

#include <charconv>
#include <cstring>

#include <GL/gl.h>

namespace {

// True between beginCallRecord and endCallRecord.
bool recording = false;
// The calls noted so far, in order.
std::vector<std::string> record;

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

// "name(a, b, c)" from the arguments' texts.
template <typename Texts>
std::string joinedCall(const char* name, const Texts& arguments)
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

} // namespace

std::string callText(const char* name, std::initializer_list<std::string> arguments)
{
    return joinedCall(name, arguments);
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

void noteCall(const char* name, std::initializer_list<double> arguments)
{
    if (!recording) {
        return;
    }
    // glMatrixMode's argument by its name; every other number as itself
    // (an integer's shortest text is its digits).
    bool matrixMode = std::strcmp(name, "glMatrixMode") == 0;
    std::vector<std::string> texts;
    for (double argument : arguments) {
        texts.push_back(matrixMode ? matrixModeName(static_cast<GLenum>(argument))
                                   : numberText(argument));
    }
    record.push_back(joinedCall(name, texts));
}
