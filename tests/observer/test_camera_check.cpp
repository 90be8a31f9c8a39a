// The check of a camera made by hand: every station's own camera is sound,
// and applied with the real glOrtho or gluPerspective and gluLookAt gives the
// matrices the check expects; each kind of senseless value is named with the
// arguments it concerns and its reason, and those arguments alone mend it;
// surprising cameras pass with a note; any camera it passes reads back finite
// matrices; and what the check refuses is what OpenGL would really get wrong
// (GLU's matrix for an up vector along the line of sight sends every point
// to one place).
#include <cctype>
#include <cmath>
#include <ostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <GL/glu.h>
#include <gtest/gtest.h>

#include "camera_check.h"
#include "oracle.h"
#include "station_cases.h"
#include "support.h"
#include "volume.h"

namespace {

// Station 0's view is the identity: what gluLookAt builds from the origin,
// looking at (0, 0, -1) with +y up. The web page fills that in for it.
const Point3 orthoCenter = {0.0, 0.0, -1.0};

// The camera a station makes in a window of width × height.
CameraArguments stationCamera(int station, int width, int height)
{
    CameraArguments c;
    c.perspective = station != 0;
    if (c.perspective) {
        c.lens = perspectiveArguments(station, width, height);
        c.eye = oracleEye(station);
        c.center = oracle(target);
    } else {
        c.box = orthoArguments(station, width, height);
        c.center = orthoCenter;
    }
    c.up = oracle(up);
    return c;
}

// The camera applied with the real calls in the test's window, read back.
StationReadBack applied(const CameraArguments& c)
{
    applyCamera(c);
    return readBackStation();
}

class StationCamera : public testing::TestWithParam<StationCase> {
protected:
    void SetUp() override { resetViewer(); }
};

TEST_P(StationCamera, IsSoundAndMakesTheMatricesExpected)
{
    const StationCase& s = GetParam();
    CameraArguments c = stationCamera(s.station, s.width, s.height);
    CameraVerdict found = checkCamera(c);
    EXPECT_EQ(found.reason, CameraReason::none);
    EXPECT_TRUE(found.arguments.empty());
    StationReadBack gl = applied(c);
    // OpenGL keeps single precision.
    const double tolerance = 1e-6;
    EXPECT_LT(matrixDifference(cameraProjection(c), gl.projection), tolerance);
    EXPECT_LT(matrixDifference(cameraModelview(c), gl.modelview), tolerance);
}

INSTANTIATE_TEST_SUITE_P(AllShapes, StationCamera, testing::ValuesIn(stationCases), caseName);

TEST(StationCameraView, OfTheOrthographicStationIsTheIdentity)
{
    EXPECT_LT(matrixDifference(cameraModelview(stationCamera(0, testWindowSize, testWindowSize)),
                               identityMatrix()),
              1e-15);
}

// One change to station 1's camera (or station 0's, for the orthographic
// box), the reason the check must give and the arguments it must name.
struct Change {
    const char* what;
    int station;
    void (*change)(CameraArguments&);
    CameraReason reason;
    std::vector<std::string> arguments;
};

// A change as a test's parameter shows: by what it does.
void PrintTo(const Change& change, std::ostream* out)
{
    *out << change.what;
}

const double notANumber = std::nan("");
// Extremes a learner reaches by typing: far below anything a float holds,
// and two values apart by far less than single precision tells.
const double vanishing = 1e-300;
const double hairBreadth = 1e-12;

const Change senseless[] = {
    {"an empty fovy", 1, [](CameraArguments& c) { c.lens.fovy = notANumber; },
     CameraReason::notANumber, {"fovy"}},
    {"an infinite up y", 1, [](CameraArguments& c) { c.up[1] = INFINITY; },
     CameraReason::outOfRange, {"up-y"}},
    {"a far beyond the page", 1, [](CameraArguments& c) { c.lens.farPlane = 2e6; },
     CameraReason::outOfRange, {"far"}},
    {"fovy at 0", 1, [](CameraArguments& c) { c.lens.fovy = 0.0; },
     CameraReason::fovyNotPositive, {"fovy"}},
    {"fovy at 180", 1, [](CameraArguments& c) { c.lens.fovy = 180.0; },
     CameraReason::fovyNotBelowHalfTurn, {"fovy"}},
    {"aspect at 0", 1, [](CameraArguments& c) { c.lens.aspect = 0.0; },
     CameraReason::aspectNotPositive, {"aspect"}},
    {"a perspective near behind the eye", 1, [](CameraArguments& c) { c.lens.nearPlane = -5.0; },
     CameraReason::nearNotInFront, {"near"}},
    {"a perspective far behind the eye", 1, [](CameraArguments& c) { c.lens.farPlane = -1.0; },
     CameraReason::farNotInFront, {"far"}},
    {"a perspective near equal to far", 1,
     [](CameraArguments& c) { c.lens.farPlane = c.lens.nearPlane; }, CameraReason::noDepth,
     {"near", "far"}},
    {"near and far a hair's breadth apart", 1,
     [](CameraArguments& c) { c.lens.farPlane = c.lens.nearPlane * (1.0 + hairBreadth); },
     CameraReason::noDepth, {"near", "far"}},
    {"an orthographic near equal to far", 0,
     [](CameraArguments& c) { c.box.nearPlane = c.box.farPlane; }, CameraReason::noDepth,
     {"near", "far"}},
    {"left and right a hair's breadth apart", 0,
     [](CameraArguments& c) { c.box.right = c.box.left + hairBreadth; }, CameraReason::noWidth,
     {"left", "right"}},
    {"bottom equal to top", 0, [](CameraArguments& c) { c.box.top = c.box.bottom; },
     CameraReason::noHeight, {"bottom", "top"}},
    {"the eye at the centre", 1, [](CameraArguments& c) { c.center = c.eye; },
     CameraReason::eyeAtCenter, {"eye", "center"}},
    {"an up of length 0", 1, [](CameraArguments& c) { c.up = {0.0, 0.0, 0.0}; },
     CameraReason::upOfLengthZero, {"up"}},
    {"an up along the line of sight", 1, [](CameraArguments& c) { c.up = {0.0, 0.0, 1.0}; },
     CameraReason::upAlongSight, {"up"}},
    {"an up against the line of sight", 2, [](CameraArguments& c) { c.up = {-3.0, 0.0, -3.0}; },
     CameraReason::upAlongSight, {"up"}},
    {"an orthographic up along the line of sight", 0,
     [](CameraArguments& c) { c.up = {0.0, 0.0, 2.0}; }, CameraReason::upAlongSight, {"up"}},
    {"a vanishing fovy", 1, [](CameraArguments& c) { c.lens.fovy = vanishing; },
     CameraReason::precisionUp, {"fovy"}},
    {"a vanishing aspect", 1, [](CameraArguments& c) { c.lens.aspect = vanishing; },
     CameraReason::precisionAcross, {"aspect"}},
    {"a box too narrow for single precision", 0,
     [](CameraArguments& c) {
         c.box.left = 0.0;
         c.box.right = vanishing;
     },
     CameraReason::precisionAcross, {"left", "right"}},
    {"a far plane too far for single precision", 1,
     [](CameraArguments& c) {
         c.lens.nearPlane = 1e-6;
         c.lens.farPlane = 1e6;
     },
     CameraReason::precisionDepth, {"near", "far"}},
};

std::string testName(const char* what)
{
    std::string name = what;
    for (char& ch : name) {
        ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    }
    return name;
}

// An argument of a camera by the name the check gives it; a vector's name
// gives its three coordinates.
std::vector<double*> argumentsNamed(CameraArguments& c, const std::string& name)
{
    PerspectiveArguments& l = c.lens;
    OrthoArguments& b = c.box;
    double& nearPlane = c.perspective ? l.nearPlane : b.nearPlane;
    double& farPlane = c.perspective ? l.farPlane : b.farPlane;
    const std::pair<const char*, std::vector<double*>> named[] = {
        {"fovy", {&l.fovy}}, {"aspect", {&l.aspect}}, {"near", {&nearPlane}},
        {"far", {&farPlane}}, {"left", {&b.left}},   {"right", {&b.right}},
        {"bottom", {&b.bottom}}, {"top", {&b.top}},
        {"eye", {&c.eye[0], &c.eye[1], &c.eye[2]}},
        {"center", {&c.center[0], &c.center[1], &c.center[2]}},
        {"up", {&c.up[0], &c.up[1], &c.up[2]}},
        {"up-y", {&c.up[1]}},
    };
    for (const auto& entry : named) {
        if (name == entry.first) {
            return entry.second;
        }
    }
    ADD_FAILURE() << "no argument named " << name;
    return {};
}

class SenselessCamera : public testing::TestWithParam<Change> {};

// Each kind is refused with its reason, naming its arguments; given back
// their sound values, those arguments make the camera sound again.
TEST_P(SenselessCamera, IsNamedWithItsArgumentsAndClearedByThem)
{
    const Change& s = GetParam();
    const CameraArguments sound = stationCamera(s.station, testWindowSize, testWindowSize);
    CameraArguments c = sound;
    s.change(c);
    CameraVerdict found = checkCamera(c);
    EXPECT_STREQ(reasonName(found.reason), reasonName(s.reason));
    EXPECT_EQ(found.arguments, s.arguments);
    EXPECT_FALSE(cameraApplies(found));
    CameraArguments source = sound;
    for (const std::string& name : found.arguments) {
        std::vector<double*> to = argumentsNamed(c, name);
        std::vector<double*> from = argumentsNamed(source, name);
        for (size_t i = 0; i < to.size() && i < from.size(); ++i) {
            *to[i] = *from[i];
        }
    }
    EXPECT_EQ(checkCamera(c).reason, CameraReason::none);
}

INSTANTIATE_TEST_SUITE_P(EachKind, SenselessCamera, testing::ValuesIn(senseless),
                         [](const testing::TestParamInfo<Change>& info) {
                             return testName(info.param.what);
                         });

// Values near the edges that make sense pass, some with a note: a wide
// angle, a far plane nearer than the near one, an orthographic near behind
// the view's origin, an up that is not unit length and leans towards the
// line of sight, and an orthographic box far from the origin.
TEST(SoundCamera, PassesNearTheEdgesWithANoteWhereSurprising)
{
    const Change sound[] = {
        {"fovy close to 180", 1, [](CameraArguments& c) { c.lens.fovy = 175.0; },
         CameraReason::fovyNearHalfTurn, {"fovy"}},
        {"far nearer than near", 1, [](CameraArguments& c) { c.lens.farPlane = 50.0; },
         CameraReason::depthReversed, {"near", "far"}},
        {"an orthographic far nearer than near", 0,
         [](CameraArguments& c) { std::swap(c.box.nearPlane, c.box.farPlane); },
         CameraReason::depthReversed, {"near", "far"}},
        {"an orthographic near behind the origin", 0,
         [](CameraArguments& c) { c.box.nearPlane = -100.0; }, CameraReason::none, {}},
        {"an up leaning towards the line of sight", 1,
         [](CameraArguments& c) { c.up = {0.0, 0.01, 5.0}; }, CameraReason::none, {}},
        {"a box far from the origin", 0,
         [](CameraArguments& c) {
             c.box.left = 9.0e5;
             c.box.right = 9.0e5 + 1.0;
         },
         CameraReason::none, {}},
    };
    for (const Change& s : sound) {
        SCOPED_TRACE(s.what);
        CameraArguments c = stationCamera(s.station, testWindowSize, testWindowSize);
        s.change(c);
        CameraVerdict found = checkCamera(c);
        EXPECT_STREQ(reasonName(found.reason), reasonName(s.reason));
        EXPECT_EQ(found.arguments, s.arguments);
        EXPECT_TRUE(cameraApplies(found));
    }
}

// Any camera the check lets through reads back finite matrices from OpenGL:
// random sound cameras of both kinds, over the whole range the page takes.
TEST(SoundCamera, AlwaysReadsBackFiniteMatrices)
{
    resetViewer();
    std::mt19937 random(20261209);
    auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    // Sizes from a thousandth to a hundred thousand scene units, spread
    // evenly over their orders of magnitude.
    auto size = [&uniform] { return std::pow(10.0, uniform(-3.0, 5.0)); };
    const int cameras = 400;
    int sound = 0;
    for (int i = 0; i < cameras; ++i) {
        CameraArguments c;
        c.perspective = i % 2 == 0;
        double nearPlane = size();
        c.lens = {uniform(0.01, 179.99), size() / size(), nearPlane, nearPlane + size()};
        double left = uniform(-1e5, 1e5);
        double bottom = uniform(-1e5, 1e5);
        c.box = {left, left + size(), bottom, bottom + size(), uniform(-1e5, 1e5), uniform(-1e5, 1e5)};
        for (int axis = 0; axis < 3; ++axis) {
            c.eye[axis] = uniform(-1e5, 1e5);
            c.center[axis] = uniform(-1e5, 1e5);
            c.up[axis] = uniform(-1.0, 1.0);
        }
        if (!cameraApplies(checkCamera(c))) {
            continue;
        }
        ++sound;
        StationReadBack gl = applied(c);
        for (size_t k = 0; k < gl.projection.size(); ++k) {
            ASSERT_TRUE(std::isfinite(gl.projection[k]) && std::isfinite(gl.modelview[k]))
                << "camera " << i << ", entry " << k;
        }
    }
    // Most random cameras are sound: the property is tested on many.
    EXPECT_GT(sound, cameras / 2);
}

// What the check refuses is really wrong in OpenGL: with up along the line
// of sight GLU builds a modelview whose first two rows are zero.
TEST(SenselessCameraInOpenGL, UpAlongTheLineOfSightMakesADegenerateView)
{
    resetViewer();
    CameraArguments c = stationCamera(1, testWindowSize, testWindowSize);
    c.up = {0.0, 0.0, 1.0};
    ASSERT_FALSE(cameraApplies(checkCamera(c)));
    StationReadBack gl = applied(c);
    const int rowsAcross = 2;
    const int columns = 4;
    for (int row = 0; row < rowsAcross; ++row) {
        for (int column = 0; column < columns; ++column) {
            EXPECT_EQ(entry(gl.modelview, row, column), 0.0) << row << ", " << column;
        }
    }
}

} // namespace
