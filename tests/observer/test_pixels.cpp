// How the documentation program reads the viewer's pictures: a window point
// counted from the bottom left finds its pixel in a picture stored from the
// top row down, and a colour is taken for a cone's only when its hue is the
// cone's, lit or in shade as asked, and for nothing else of the scene.
#include <array>

#include <gtest/gtest.h>

#include "drive.h"
#include "pixels.h"
#include "render/render.h"

namespace {

TEST(PixelAt, CountsRowsFromTheBottomAsOpenGLDoes)
{
    // A 2 × 2 picture: top row red, green; bottom row blue, white.
    drive::Picture picture;
    picture.width = 2;
    picture.height = 2;
    picture.pixels = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    struct Case {
        double x;
        double y;
        std::array<double, 3> colour;
    };
    const Case cases[] = {
        {0.5, 0.5, {0.0, 0.0, 1.0}},
        {1.9, 0.0, {1.0, 1.0, 1.0}},
        {0.0, 1.5, {1.0, 0.0, 0.0}},
        {1.5, 1.5, {0.0, 1.0, 0.0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pixelAt(picture, c.x, c.y), c.colour) << c.x << ", " << c.y;
    }
}

struct ColourCase {
    const char* what;
    std::array<double, 3> pixel;
    const GLfloat* palette;
    bool lit;
    bool shade;
};

// Each pixel against a palette colour, asking for a clearly lit face (the
// defaults) and for the shade the followed tips accept (full channels 12/255
// above the empty ones).
const ColourCase colourCases[] = {
    {"lit red", {0.80, 0.05, 0.05}, red, true, true},
    {"red seen end-on", {0.14, 0.04, 0.04}, red, false, true},
    {"dark blue side", {0.04, 0.04, 0.10}, blue, false, true},
    {"lit yellow", {0.70, 0.70, 0.06}, yellow, true, true},
    {"yellow is not red", {0.70, 0.70, 0.06}, red, false, false},
    {"magenta is not red", {0.70, 0.06, 0.70}, red, false, false},
    {"grey background", {0.50, 0.50, 0.50}, red, false, false},
    {"lit sphere", {0.80, 0.80, 0.80}, white, true, true},
    {"dim grey, white's hue unlit", {0.25, 0.25, 0.25}, white, false, true},
    {"noise is no hue", {0.06, 0.05, 0.05}, red, false, false},
};

class ShowsColour : public testing::TestWithParam<ColourCase> {};

TEST_P(ShowsColour, TellsTheConesHueAndNothingElse)
{
    const ColourCase& c = GetParam();
    const double shadeLit = 0.0;
    const double shadeContrast = 12.0 / 255.0;
    EXPECT_EQ(showsColour(c.pixel, c.palette), c.lit) << c.what;
    EXPECT_EQ(showsColour(c.pixel, c.palette, shadeLit, shadeContrast), c.shade) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Pixels, ShowsColour, testing::ValuesIn(colourCases));

} // namespace
