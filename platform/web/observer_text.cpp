// Varnelle web layer, for the outside view's program: bitmap text.
// glRasterPos2i does not exist in the emulation, and emscripten's GLUT has
// no bitmap fonts. The raster position is carried to the window as OpenGL
// carries it, taking the colour current then; glutBitmapString and
// glutBitmapLength step through freeglut's own font data
// (third_party/freeglut/fg_font_data.c) as freeglut's do, and a string's
// set pixels are drawn as one-pixel points, all in one draw.
#include <cmath>

#include <GL/freeglut.h>

#include "fg_font.h"
#include "observer_gl.h"

using observergl::WindowPoint;

// freeglut's font data; the observer picture writes in Times Roman 24 only.
extern "C" SFG_Font fgFontTimesRoman24;
// emscripten's GLUT header names each font by the address of a variable
// that points to the font.
void* glutBitmapTimesRoman24 = &fgFontTimesRoman24;

namespace {

// The raster position in the window, whether it is valid (inside the clip
// volume when set), and the colour it took.
struct {
    WindowPoint at;
    bool valid = false;
    std::array<GLfloat, 3> colour{1.0f, 1.0f, 1.0f};
} raster;

// The font a GLUT font name stands for.
const SFG_Font* fontByName(void* name)
{
    return name == nullptr ? nullptr : *static_cast<const SFG_Font* const*>(name);
}

// The set pixels of one character at the raster position, as OpenGL places
// a bitmap's pixels: its bottom left at the raster position less its origin.
void addCharacter(const SFG_Font& font, const GLubyte* face, std::vector<WindowPoint>& out)
{
    const int bitsPerByte = 8;
    const int highBit = 0x80;
    int width = face[0];
    const GLubyte* rows = face + 1;
    int rowBytes = (width + bitsPerByte - 1) / bitsPerByte;
    double left = std::floor(raster.at.x - font.xorig);
    double bottom = std::floor(raster.at.y - font.yorig);
    for (int row = 0; row < font.Height; ++row) {
        for (int column = 0; column < width; ++column) {
            GLubyte byte = rows[row * rowBytes + column / bitsPerByte];
            if (byte & (highBit >> (column % bitsPerByte))) {
                // The pixel's centre.
                WindowPoint p;
                p.x = left + column + 0.5;
                p.y = bottom + row + 0.5;
                p.z = raster.at.z;
                out.push_back(p);
            }
        }
    }
}

} // namespace

extern "C" {

void glRasterPos2i(GLint x, GLint y)
{
    observergl::Transform t = observergl::currentTransform();
    observergl::Homogeneous clip = observergl::toClip(t, {double(x), double(y), 0.0, 1.0});
    raster.valid = true;
    for (int i = 0; i < 3; ++i) {
        raster.valid = raster.valid && std::fabs(clip[i]) <= clip[3];
    }
    raster.at = observergl::toWindow(t, clip);
    raster.colour = observergl::followed.colour;
}

// Each character's bitmap at the raster position, which then moves on by
// its width; a newline goes back to the line's start and down one line.
void glutBitmapString(void* name, const unsigned char* string)
{
    const SFG_Font* font = fontByName(name);
    if (font == nullptr || string == nullptr || !raster.valid) {
        return;
    }
    std::vector<WindowPoint> points;
    double lineStart = raster.at.x;
    for (const unsigned char* c = string; *c != '\0'; ++c) {
        if (*c == '\n') {
            raster.at.x = lineStart;
            raster.at.y -= font->Height;
            continue;
        }
        const GLubyte* face = font->Characters[*c];
        addCharacter(*font, face, points);
        raster.at.x += face[0];
    }
    // One-pixel points in the raster position's colour, then the state back.
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    observergl::FollowedState before = observergl::followed;
    observergl::setPointSize(1.0f);
    observergl::setColour(raster.colour[0], raster.colour[1], raster.colour[2]);
    observergl::drawWindowPoints(GL_POINTS, points, viewport);
    observergl::setColour(before.colour[0], before.colour[1], before.colour[2]);
    observergl::setPointSize(before.pointSize);
}

// The width of the string's longest line, pixels.
int glutBitmapLength(void* name, const unsigned char* string)
{
    const SFG_Font* font = fontByName(name);
    if (font == nullptr || string == nullptr) {
        return 0;
    }
    int longest = 0;
    int line = 0;
    for (const unsigned char* c = string; *c != '\0'; ++c) {
        if (*c == '\n') {
            longest = line > longest ? line : longest;
            line = 0;
        } else {
            line += font->Characters[*c][0];
        }
    }
    return line > longest ? line : longest;
}

} // extern "C"
