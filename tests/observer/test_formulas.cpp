// The camera formulas the pages teach: each station on square, wide and tall
// windows makes exactly the calls they predict, they give the arguments the
// tests work out on their own, the matrices OpenGL builds, and the pixel
// GLU's own gluProject gives for every cone's tip; the check that compares
// calls can fail; the exercises' figures come out as worked out by hand; and
// the pieces the pages derive the matrices from (the depth row, the window
// depth, gluLookAt's cross products) are those worked out by hand.
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

// The depth row takes the near plane to -1 and the far one to +1; the
// window depth it gives, worked out in closed form, is the one the matrices
// give a point at that distance, from 0 to 1, and bends away from the
// straight share of the way (station 1's red tip, 90 units in front of the
// eye: 224 / 2160 = 0.1037, where the share is 2 / 24).
struct DepthCase {
    int station;
    // A distance in front of the eye, and its window depth worked out by
    // hand (0 when not worked out).
    double distance;
    double byHand;
};

TEST(Derivations, DepthRowTakesNearAndFarToMinusOneAndOne)
{
    const DepthCase cases[] = {
        {1, 90.0, 224.0 / 2160.0}, {1, 100.0, 112.0 * 12.0 / (24.0 * 100.0)},
        {2, 141.4213562373095, 0.0}, {3, 167.43157, 0.0}, {3, 173.20508075688772, 0.0},
    };
    const double tolerance = 1e-12;
    // In the middle of the volume, the window depth is past the share by at least this.
    const double leastBend = 0.02;
    for (const DepthCase& c : cases) {
        SCOPED_TRACE("station " + std::to_string(c.station) + " at " + std::to_string(c.distance));
        PerspectiveArguments a = perspectiveArguments(c.station, testWindowSize, testWindowSize);
        double d = std::sqrt(eyes[c.station][0] * eyes[c.station][0] +
                             eyes[c.station][1] * eyes[c.station][1] +
                             eyes[c.station][2] * eyes[c.station][2]);
        const double depth = 12.0;
        EXPECT_NEAR(a.nearPlane, d - depth, tolerance);
        DepthRow row = depthRow(a.nearPlane, a.farPlane);
        EXPECT_NEAR(-row.a + row.b / a.nearPlane, -1.0, tolerance);
        EXPECT_NEAR(-row.a + row.b / a.farPlane, 1.0, tolerance);
        EXPECT_NEAR(windowDepth(a, a.nearPlane), 0.0, tolerance);
        EXPECT_NEAR(windowDepth(a, a.farPlane), 1.0, tolerance);
        // The same depth through the matrices, for a point straight ahead.
        FollowedPoint p = followPoint({0.0, 0.0, -c.distance}, identityMatrix(), perspectiveMatrix(a),
                                      {0, 0, testWindowSize, testWindowSize});
        EXPECT_NEAR(windowDepth(a, c.distance), p.window[2], tolerance);
        if (c.byHand != 0.0) {
            EXPECT_NEAR(windowDepth(a, c.distance), c.byHand, tolerance);
        }
        double middle = (a.nearPlane + a.farPlane) / 2.0;
        EXPECT_GT(windowDepth(a, middle), linearShare(a.nearPlane, a.farPlane, middle) + leastBend);
    }
}

// gluLookAt's axes for each station, in closed form: f towards the origin,
// s = f × up, u = s × f; the modelview's rows are s, u and -f.
struct AxesCase {
    int station;
    Point3 forward;
    Point3 sideBeforeUnit;
    Point3 side;
    Point3 up;
};

TEST(Derivations, LookAtAxesAreGluLookAtsCrossProducts)
{
    const double r2 = std::sqrt(2.0);
    const double r3 = std::sqrt(3.0);
    const double r6 = std::sqrt(6.0);
    const AxesCase cases[] = {
        {1, {0.0, 0.0, -1.0}, {1.0, 0.0, 0.0}, {1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}},
        {2, {-1.0 / r2, 0.0, -1.0 / r2}, {1.0 / r2, 0.0, -1.0 / r2}, {1.0 / r2, 0.0, -1.0 / r2},
         {0.0, 1.0, 0.0}},
        {3, {-1.0 / r3, -1.0 / r3, -1.0 / r3}, {1.0 / r3, 0.0, -1.0 / r3}, {1.0 / r2, 0.0, -1.0 / r2},
         {-1.0 / r6, 2.0 / r6, -1.0 / r6}},
    };
    const double tolerance = 1e-12;
    for (const AxesCase& c : cases) {
        SCOPED_TRACE("station " + std::to_string(c.station));
        LookAtAxes axes = lookAtAxes(oracleEye(c.station), oracle(target), oracle(up));
        Matrix4 m = lookAtMatrix(oracleEye(c.station), oracle(target), oracle(up));
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(axes.forward[i], c.forward[i], tolerance) << i;
            EXPECT_NEAR(axes.sideBeforeUnit[i], c.sideBeforeUnit[i], tolerance) << i;
            EXPECT_NEAR(axes.side[i], c.side[i], tolerance) << i;
            EXPECT_NEAR(axes.up[i], c.up[i], tolerance) << i;
            EXPECT_EQ(entry(m, 0, i), axes.side[i]) << i;
            EXPECT_EQ(entry(m, 1, i), axes.up[i]) << i;
            EXPECT_EQ(entry(m, 2, i), -axes.forward[i]) << i;
        }
    }
}

} // namespace
