// The check of a camera made by hand: every station's own camera is sound,
// and applied with the real glOrtho or gluPerspective and gluLookAt gives the
// matrices the check expects; each kind of senseless value is named with the
// arguments it concerns and why; and what the check refuses is what OpenGL
// would really get wrong (GLU's matrix for an up vector along the line of
// sight sends every point to one place).
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include <GL/glu.h>
#include <gtest/gtest.h>

#include "camera_check.h"
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
        c.eye = stationEyes[station];
        c.center = stationTarget;
    } else {
        c.box = orthoArguments(width, height);
        c.center = orthoCenter;
    }
    c.up = stationUp;
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
    CameraProblem found = cameraProblem(c);
    EXPECT_EQ(found.message, "");
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

// One senseless change to station 1's camera (or station 0's, for the
// orthographic box), the arguments it must be blamed on, and words the
// message must hold.
struct Senseless {
    const char* what;
    int station;
    void (*change)(CameraArguments&);
    std::vector<std::string> arguments;
    const char* words;
};

const double notANumber = std::nan("");

const Senseless senseless[] = {
    {"an empty fovy", 1, [](CameraArguments& c) { c.lens.fovy = notANumber; }, {"fovy"},
     "fovy is empty or not a number"},
    {"an infinite up y", 1, [](CameraArguments& c) { c.up[1] = INFINITY; }, {"up-y"},
     "up-y is too large for a number"},
    {"a far beyond the page", 1, [](CameraArguments& c) { c.lens.farPlane = 2e6; }, {"far"},
     "between -1000000 and 1000000"},
    {"fovy at 0", 1, [](CameraArguments& c) { c.lens.fovy = 0.0; }, {"fovy"}, "fovy is 0"},
    {"a negative fovy", 1, [](CameraArguments& c) { c.lens.fovy = -10.0; }, {"fovy"},
     "more than 0"},
    {"fovy at 180", 1, [](CameraArguments& c) { c.lens.fovy = 180.0; }, {"fovy"},
     "less than 180"},
    {"fovy beyond 180", 1, [](CameraArguments& c) { c.lens.fovy = 200.0; }, {"fovy"},
     "fovy is 200"},
    {"aspect at 0", 1, [](CameraArguments& c) { c.lens.aspect = 0.0; }, {"aspect"},
     "aspect is 0"},
    {"a negative aspect", 1, [](CameraArguments& c) { c.lens.aspect = -1.0; }, {"aspect"},
     "more than 0"},
    {"a perspective near at 0", 1, [](CameraArguments& c) { c.lens.nearPlane = 0.0; },
     {"near"}, "near is 0: a perspective camera's near plane"},
    {"a perspective near behind the eye", 1,
     [](CameraArguments& c) { c.lens.nearPlane = -5.0; }, {"near"}, "near is -5"},
    {"a perspective far behind the eye", 1, [](CameraArguments& c) { c.lens.farPlane = -1.0; },
     {"far"}, "far plane must be in front of the eye"},
    {"a perspective near equal to far", 1,
     [](CameraArguments& c) { c.lens.farPlane = c.lens.nearPlane; }, {"near", "far"},
     "near and far are both 88"},
    {"an orthographic near equal to far", 0,
     [](CameraArguments& c) { c.box.nearPlane = c.box.farPlane; }, {"near", "far"},
     "no depth"},
    {"left equal to right", 0, [](CameraArguments& c) { c.box.left = c.box.right; },
     {"left", "right"}, "left and right are both 10"},
    {"bottom equal to top", 0, [](CameraArguments& c) { c.box.top = c.box.bottom; },
     {"bottom", "top"}, "no height"},
    {"the eye at the centre", 1, [](CameraArguments& c) { c.center = c.eye; },
     {"eye", "center"}, "eye and center are the same point"},
    {"an up of length 0", 1, [](CameraArguments& c) { c.up = {0.0, 0.0, 0.0}; }, {"up"},
     "length 0"},
    {"an up along the line of sight", 1, [](CameraArguments& c) { c.up = {0.0, 0.0, 1.0}; },
     {"up"}, "lies along the line of sight"},
    {"an up against the line of sight", 2,
     [](CameraArguments& c) { c.up = {-3.0, 0.0, -3.0}; }, {"up"}, "lies along"},
    {"an orthographic up along the line of sight", 0,
     [](CameraArguments& c) { c.up = {0.0, 0.0, 2.0}; }, {"up"}, "lies along"},
    {"near and far too close for single precision", 1,
     [](CameraArguments& c) { c.lens.farPlane = c.lens.nearPlane * (1.0 + 1e-12); },
     {"near", "far"}, "single-precision"},
    {"a far plane too far for single precision", 1,
     [](CameraArguments& c) {
         c.lens.nearPlane = 1e-6;
         c.lens.farPlane = 1e6;
     },
     {"near", "far"}, "single-precision"},
};

class SenselessCamera : public testing::TestWithParam<Senseless> {};

TEST_P(SenselessCamera, IsNamedWithItsArgumentsAndWhy)
{
    const Senseless& s = GetParam();
    CameraArguments c = stationCamera(s.station, testWindowSize, testWindowSize);
    s.change(c);
    CameraProblem found = cameraProblem(c);
    EXPECT_EQ(found.arguments, s.arguments);
    EXPECT_NE(found.message.find(s.words), std::string::npos) << found.message;
}

INSTANTIATE_TEST_SUITE_P(EachKind, SenselessCamera, testing::ValuesIn(senseless),
                         [](const testing::TestParamInfo<Senseless>& info) {
                             std::string name = info.param.what;
                             for (char& ch : name) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return name;
                         });

// Values near the edges that make sense pass: a wide angle, a far plane
// nearer than the near one, an orthographic near behind the view's origin,
// an up that is not unit length and leans towards the line of sight.
TEST(SoundCamera, PassesNearTheEdges)
{
    std::vector<CameraArguments> sound(4, stationCamera(1, testWindowSize, testWindowSize));
    sound[0].lens.fovy = 179.0;
    sound[1].lens.farPlane = 50.0;
    sound[2] = stationCamera(0, testWindowSize, testWindowSize);
    sound[2].box.nearPlane = -100.0;
    sound[3].up = {0.0, 0.01, 5.0};
    for (const CameraArguments& c : sound) {
        EXPECT_EQ(cameraProblem(c).message, "");
    }
}

// What the check refuses is really wrong in OpenGL: with up along the line
// of sight GLU builds a modelview whose first two rows are zero.
TEST(SenselessCameraInOpenGL, UpAlongTheLineOfSightMakesADegenerateView)
{
    resetViewer();
    CameraArguments c = stationCamera(1, testWindowSize, testWindowSize);
    c.up = {0.0, 0.0, 1.0};
    ASSERT_NE(cameraProblem(c).message, "");
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
