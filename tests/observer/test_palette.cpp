// The observer picture's palette reads for everyone: every two of its
// colours, and each against the background, stay clearly apart for normal
// colour vision and as readers with deuteranopia or protanopia see them.
// Vision is simulated with Machado, Oliveira and Fernandes' matrices (2009)
// at severity 1.0, applied in linear light; colours are compared in CIELAB.
// And on the pictures the documentation program draws, each cone's lit side
// stands at least 3:1 (WCAG contrast) from what surrounds it.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drive.h"
#include "formulas.h"
#include "observer.h"
#include "pixels.h"
#include "program_run.h"

namespace {

typedef std::array<double, 3> Colour;
typedef std::array<std::array<double, 3>, 3> Matrix3;

struct Vision {
    const char* name;
    Matrix3 simulation;
};

const Vision visions[] = {
    {"normal", {{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}}},
    {"deuteranopia", {{{0.367322, 0.860646, -0.227968},
                       {0.280085, 0.672501, 0.047413},
                       {-0.011820, 0.042940, 0.968881}}}},
    {"protanopia", {{{0.152286, 1.052583, -0.204868},
                     {0.114503, 0.786281, 0.099216},
                     {-0.003882, -0.048116, 1.051998}}}},
};

// Colours at least this far apart in CIELAB (ΔE*ab). 2.3 is a just
// noticeable difference between large patches side by side; lines a few
// pixels wide, seen on a projector, need many times that. The earlier
// palette's near plane and pyramid lines were 15 apart for deuteranopia,
// and readers could not tell them apart.
const double clearDistance = 30.0;

double linear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// sRGB in [0, 1] as the vision sees it, in CIELAB (D65 white).
Colour seenInLab(const Colour& srgb, const Matrix3& simulation)
{
    Colour light{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            light[i] += simulation[i][j] * linear(srgb[j]);
        }
        light[i] = std::fmin(1.0, std::fmax(0.0, light[i]));
    }
    const Matrix3 toXyz = {{{0.4124, 0.3576, 0.1805}, {0.2126, 0.7152, 0.0722}, {0.0193, 0.1192, 0.9505}}};
    const Colour white = {0.95047, 1.0, 1.08883};
    Colour f{};
    for (int i = 0; i < 3; ++i) {
        double t = (toXyz[i][0] * light[0] + toXyz[i][1] * light[1] + toXyz[i][2] * light[2]) / white[i];
        const double edge = 6.0 / 29.0;
        f[i] = t > edge * edge * edge ? std::cbrt(t) : t / (3.0 * edge * edge) + 4.0 / 29.0;
    }
    return {116.0 * f[1] - 16.0, 500.0 * (f[0] - f[1]), 200.0 * (f[1] - f[2])};
}

double distance(const Colour& a, const Colour& b, const Vision& vision)
{
    Colour p = seenInLab(a, vision.simulation);
    Colour q = seenInLab(b, vision.simulation);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

struct Named {
    std::string name;
    Colour colour;
};

// The background and every colour of the legend, each once, the second
// volume's among them: the eye's mark and its line of sight share one colour
// on purpose, one starting the other.
std::vector<Named> paletteColours()
{
    std::vector<Named> colours = {
        {"background", {observerBackground[0], observerBackground[1], observerBackground[2]}}};
    std::vector<const LineKind*> kinds(lineKinds, lineKinds + lineKindCount);
    kinds.push_back(&secondVolume);
    for (const LineKind* kind : kinds) {
        Colour c = {kind->colour[0], kind->colour[1], kind->colour[2]};
        bool seen = false;
        for (const Named& n : colours) {
            seen = seen || n.colour == c;
        }
        if (!seen) {
            colours.push_back({observerWord(kind->legend), c});
        }
    }
    return colours;
}

class Palette : public testing::TestWithParam<Vision> {};

TEST_P(Palette, KeepsEveryTwoColoursClearlyApart)
{
    std::vector<Named> colours = paletteColours();
    const size_t legendColours = 6;
    ASSERT_EQ(colours.size(), legendColours + 1);
    for (size_t i = 0; i < colours.size(); ++i) {
        for (size_t j = i + 1; j < colours.size(); ++j) {
            EXPECT_GE(distance(colours[i].colour, colours[j].colour, GetParam()), clearDistance)
                << colours[i].name << " against " << colours[j].name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Visions, Palette, testing::ValuesIn(visions),
                         [](const testing::TestParamInfo<Vision>& info) {
                             return std::string(info.param.name);
                         });

// The simulation can fail a palette: a leaf green and an orange of the same
// lightness, far apart for normal vision, collapse together for both
// deficiencies; so do the earlier near plane's pink and pyramid's grey for
// deuteranopia.
TEST(PaletteCheck, FailsColoursThatCollapseForADeficiency)
{
    const Colour leafGreen = {0.3, 0.6, 0.1};
    const Colour orange = {0.7, 0.5, 0.1};
    const Colour earlierPink = {1.0, 0.35, 0.65};
    const Colour earlierGrey = {0.55, 0.5, 0.45};
    EXPECT_GE(distance(leafGreen, orange, visions[0]), clearDistance);
    EXPECT_LT(distance(leafGreen, orange, visions[1]), clearDistance);
    EXPECT_LT(distance(leafGreen, orange, visions[2]), clearDistance);
    EXPECT_GE(distance(earlierPink, earlierGrey, visions[0]), clearDistance);
    EXPECT_LT(distance(earlierPink, earlierGrey, visions[1]), clearDistance);
}

// WCAG relative luminance of an sRGB colour in [0, 1], and the contrast
// ratio of two luminances, lighter over darker.
double relativeLuminance(const std::array<double, 3>& srgb)
{
    return 0.2126 * linear(srgb[0]) + 0.7152 * linear(srgb[1]) + 0.0722 * linear(srgb[2]);
}

double contrastRatio(double a, double b)
{
    const double flare = 0.05;
    return (std::max(a, b) + flare) / (std::min(a, b) + flare);
}

// The least contrast asked of a cone's lit side against its surround, and
// how many of a cone's pixels make a measure.
const double leastContrast = 3.0;
const int leastConePixels = 50;

// One cone measured in a picture: the luminance of its lit side (three
// quarters of its pixels are darker), of what surrounds it (the median of
// the pixels within ringWidth of it that belong to no cone), and how many
// pixels it has.
struct ConeMeasure {
    double lit = 0.0;
    double surround = 0.0;
    int pixels = 0;
};
const int ringWidth = 2;
// A cone's pixel may be a dim shade of its colour, far from the lights.
const double dimLit = 0.1;
const double dimContrast = 0.08;

double median(std::vector<double> values)
{
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Each cone measured in the middle of the close-up, where the scene is.
std::vector<ConeMeasure> measureCones(const drive::Picture& picture)
{
    const int left = picture.width / 2 - observerPanelSize / 2;
    const int top = observerCaptionBand;
    const int size = observerPanelSize;
    const double fullChannel = 255.0;
    std::vector<std::array<double, 3>> colours(size * size);
    std::vector<int> coneOf(size * size, -1);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            std::array<int, 3> stored = picture.at(left + x, top + y);
            std::array<double, 3>& c = colours[y * size + x];
            c = {stored[0] / fullChannel, stored[1] / fullChannel, stored[2] / fullChannel};
            for (int cone = 0; cone < coneCount; ++cone) {
                if (showsColour(c, cones[cone].colour, dimLit, dimContrast)) {
                    coneOf[y * size + x] = cone;
                }
            }
        }
    }
    std::vector<ConeMeasure> measures(coneCount);
    std::vector<std::vector<double>> lit(coneCount);
    std::vector<std::vector<double>> around(coneCount);
    for (int y = ringWidth; y < size - ringWidth; ++y) {
        for (int x = ringWidth; x < size - ringWidth; ++x) {
            int here = coneOf[y * size + x];
            double luminance = relativeLuminance(colours[y * size + x]);
            if (here >= 0) {
                lit[here].push_back(luminance);
                continue;
            }
            std::vector<bool> near(coneCount, false);
            for (int dy = -ringWidth; dy <= ringWidth; ++dy) {
                for (int dx = -ringWidth; dx <= ringWidth; ++dx) {
                    int cone = coneOf[(y + dy) * size + x + dx];
                    if (cone >= 0 && !near[cone]) {
                        near[cone] = true;
                        around[cone].push_back(luminance);
                    }
                }
            }
        }
    }
    for (int cone = 0; cone < coneCount; ++cone) {
        std::vector<double>& l = lit[cone];
        std::sort(l.begin(), l.end());
        const double litShare = 0.75;
        measures[cone].pixels = static_cast<int>(l.size());
        measures[cone].lit = l.empty() ? 0.0 : l[static_cast<size_t>(litShare * (l.size() - 1))];
        measures[cone].surround = median(around[cone]);
    }
    return measures;
}

// Every station's picture shows all six cones from the same viewpoint: in
// each, every cone's lit side stands at least 3:1 from its surround. The
// measure can fail: against the bare background, the cones that get an
// outline stand under 3:1, and only they.
TEST(PaletteOnPictures, EveryConesLitSideStandsThreeToOneFromWhatSurroundsIt)
{
    TemporaryFolder folder;
    std::string output;
    ASSERT_EQ(runToEnd({VARNELLE_STATIONS_BINARY, "--pictures", "480", "480", folder.path.string()},
                       output),
              0)
        << output;
    double background = relativeLuminance(
        {observerBackground[0], observerBackground[1], observerBackground[2]});
    for (int station = 0; station < stationCount; ++station) {
        std::string name = "stations/station-" + std::to_string(station) + "-480x480.png";
        SCOPED_TRACE(name);
        drive::Picture picture = drive::loadPng((folder.path / name).string());
        ASSERT_EQ(picture.width, observerWidth);
        std::vector<ConeMeasure> measures = measureCones(picture);
        for (int cone = 0; cone < coneCount; ++cone) {
            const ConeMeasure& m = measures[cone];
            double ratio = contrastRatio(m.lit, m.surround);
            double bare = contrastRatio(m.lit, background);
            std::printf("station %d, %-7s lit side %.4f, surround %.4f: %.2f:1; against the bare "
                        "background %.2f:1\n",
                        station, cones[cone].colourName, m.lit, m.surround, ratio, bare);
            EXPECT_GE(m.pixels, leastConePixels) << cones[cone].colourName;
            EXPECT_GE(ratio, leastContrast) << cones[cone].colourName;
            if (needsOutline(cones[cone].colour)) {
                EXPECT_LT(bare, leastContrast) << cones[cone].colourName << " would not need its outline";
            } else {
                EXPECT_GE(bare, leastContrast) << cones[cone].colourName;
            }
        }
    }
}

} // namespace
