// The camera formulas the pages teach: each station on square, wide and tall
// windows makes exactly the calls they predict, they give the arguments the
// tests work out on their own, the matrices OpenGL builds, and the pixel
// GLU's own gluProject gives for every cone's tip; the check that compares
// calls can fail; the exercises' figures come out as worked out by hand.
#include <cmath>
#include <string>
#include <vector>

#include <GL/glu.h>
#include <gtest/gtest.h>

#include "calls.h"
#include "camera/camera.h"
#include "formulas.h"
#include "predict.h"
#include "oracle.h"
#include "station_cases.h"
#include "support.h"
#include "volume.h"

namespace {

class Formulas : public testing::TestWithParam<StationCase> {
protected:
    void SetUp() override { resetViewer(); }

    // Apply the case's station and record its calls.
    std::vector<std::string> applyStation()
    {
        const StationCase& c = GetParam();
        beginTrace();
        beginCallRecord();
        stationHandlers[c.station](c.width, c.height);
        std::vector<std::string> calls = endCallRecord();
        endTrace();
        return calls;
    }
};

TEST_P(Formulas, PredictEveryCallTheStationMakesExactly)
{
    const StationCase& c = GetParam();
    std::vector<std::string> recorded = applyStation();
    EXPECT_EQ(compareCalls(predictedCalls(c.station, c.width, c.height), recorded), "");
}

TEST_P(Formulas, GiveTheArgumentsWorkedOutIndependently)
{
    const StationCase& c = GetParam();
    if (c.station == 0) {
        OrthoArguments a = orthoArguments(c.station, c.width, c.height);
        const double expected[4] = {c.p[0], c.p[1], c.p[2], c.p[3]};
        const double got[4] = {a.left, a.right, a.bottom, a.top};
        for (int i = 0; i < 4; ++i) {
            EXPECT_DOUBLE_EQ(got[i], expected[i]) << "argument " << i;
        }
        return;
    }
    PerspectiveArguments a = perspectiveArguments(c.station, c.width, c.height);
    EXPECT_DOUBLE_EQ(a.fovy, c.p[0]);
    EXPECT_DOUBLE_EQ(a.aspect, c.p[1]);
    EXPECT_DOUBLE_EQ(a.nearPlane, c.p[2]);
    EXPECT_DOUBLE_EQ(a.farPlane, c.p[3]);
}

TEST_P(Formulas, BuildTheMatricesOpenGLHolds)
{
    const StationCase& c = GetParam();
    applyStation();
    StationReadBack gl = readBackStation();
    Matrix4 projection = c.station == 0 ? orthoMatrix(orthoArguments(c.station, c.width, c.height))
                                        : perspectiveMatrix(perspectiveArguments(c.station, c.width, c.height));
    Matrix4 modelview = c.station == 0 ? identityMatrix()
                                       : lookAtMatrix(oracleEye(c.station), oracle(target), oracle(up));
    // OpenGL keeps single precision.
    const double tolerance = 1e-6;
    EXPECT_LT(matrixDifference(projection, gl.projection), tolerance);
    EXPECT_LT(matrixDifference(modelview, gl.modelview), tolerance);
}

TEST_P(Formulas, FollowEveryTipToThePixelGluProjectGives)
{
    applyStation();
    StationReadBack gl = readBackStation();
    for (const Cone& cone : cones) {
        Point3 tip = coneTip(cone);
        FollowedPoint followed = followPoint(tip, gl.modelview, gl.projection, gl.viewport);
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        ASSERT_EQ(gluProject(tip[0], tip[1], tip[2], gl.modelview.data(), gl.projection.data(),
                             gl.viewport.data(), &x, &y, &z),
                  GL_TRUE);
        const double pixelTolerance = 1e-6;
        EXPECT_NEAR(followed.window[0], x, pixelTolerance) << cone.colourName;
        EXPECT_NEAR(followed.window[1], y, pixelTolerance) << cone.colourName;
        EXPECT_NEAR(followed.window[2], z, pixelTolerance) << cone.colourName;
    }
}

// The angles and planes the pages measure on the volume read back are the
// ones the formulas give: the angle across from tan(fovx / 2) = aspect ·
// tan(fovy / 2), the planes from D - 12 and D + 12.
TEST_P(Formulas, AgreeWithTheVolumeMeasuredOnTheMatrices)
{
    const StationCase& c = GetParam();
    applyStation();
    StationReadBack gl = readBackStation();
    bool perspective = c.station != 0;
    VolumeCorners corners{};
    Point3 eye{};
    ASSERT_TRUE(volumeCorners(gl.projection, gl.modelview, corners));
    ASSERT_TRUE(eyePosition(gl.modelview, eye));
    VolumeMeasures m = measureVolume(corners, eye, perspective);
    // Single precision matrices: angles to a thousandth of a degree, planes
    // to a thousandth of a unit.
    const double tolerance = 1e-3;
    if (!perspective) {
        OrthoArguments a = orthoArguments(c.station, c.width, c.height);
        EXPECT_NEAR(m.nearDistance, a.nearPlane, tolerance);
        EXPECT_NEAR(m.farDistance, a.farPlane, tolerance);
        EXPECT_NEAR(m.nearWidth, a.right - a.left, tolerance);
        EXPECT_NEAR(m.nearHeight, a.top - a.bottom, tolerance);
        return;
    }
    PerspectiveArguments a = perspectiveArguments(c.station, c.width, c.height);
    EXPECT_NEAR(m.nearDistance, a.nearPlane, tolerance);
    EXPECT_NEAR(m.farDistance, a.farPlane, tolerance);
    EXPECT_NEAR(m.originDistance, eyeDistance(oracleEye(c.station)), tolerance);
    EXPECT_NEAR(m.verticalAngle, a.fovy, tolerance);
    EXPECT_NEAR(m.horizontalAngle, horizontalAngle(a.fovy, a.aspect), tolerance);
}

INSTANTIATE_TEST_SUITE_P(AllShapes, Formulas, testing::ValuesIn(stationCases), caseName);

// The comparison notices one argument that differs in its last bit, a call
// too many and a call missing.
TEST(CallComparison, FindsTheSmallestDifference)
{
    std::vector<std::string> predicted = predictedCalls(1, testWindowSize, testWindowSize);
    PerspectiveArguments a = perspectiveArguments(1, testWindowSize, testWindowSize);
    std::vector<std::string> nudged = predicted;
    nudged[3] = callText("gluPerspective",
                         {numberText(std::nextafter(a.fovy, 0.0)), numberText(a.aspect),
                          numberText(a.nearPlane), numberText(a.farPlane)});
    std::vector<std::string> longer = predicted;
    longer.push_back(callText("glLoadIdentity", {}));
    std::vector<std::string> shorter(predicted.begin(), predicted.end() - 1);
    EXPECT_EQ(compareCalls(predicted, predicted), "");
    for (const auto& changed : {nudged, longer, shorter}) {
        EXPECT_NE(compareCalls(predicted, changed), "");
    }
}

// The exercises' figures against values worked out by hand, with a
// calculator's double precision.
struct WorkedFigure {
    const char* what;
    double value;
    double expected;
};

TEST(ExerciseFigures, AreThoseWorkedOutByHand)
{
    const WorkedFigure figures[] = {
        {"base angle at distance 50", baseAngle(20.0, 50.0), 22.91833116351911},
        {"exact angle at distance 100", exactAngle(20.0, 100.0), 11.421186274999286},
        {"station 1, 960x480, across", horizontalAngle(11.459165581759555, 2.0), 22.693625388327543},
        {"station 2, 480x960, across", horizontalAngle(16.20570737920334, 0.5), 8.143571341934885},
        {"station 3's distance", eyeDistance(stationEye(3)), 173.20508075688772},
    };
    const double tolerance = 1e-12;
    for (const WorkedFigure& f : figures) {
        EXPECT_NEAR(f.value, f.expected, tolerance) << f.what;
    }
}

} // namespace
