// The documentation program's viewing volumes: each station on square, wide
// and tall windows, applied in a real context, its volume computed from the
// matrices read back against the corners the station's own geometry gives;
// and the station and kind of projection told from that read-back alone, as
// the web page's outside view tells them.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "camera/camera.h"
#include "formulas.h"
#include "observer.h"
#include "station_cases.h"
#include "support.h"
#include "volume.h"

namespace {

class Volumes : public testing::TestWithParam<StationCase> {
protected:
    void SetUp() override { resetViewer(); }
};

// The viewing volume's corners computed from the station's own geometry (eye,
// angle, aspect, planes or box), in the order volumeCorners gives them.
VolumeCorners expectedCorners(const StationCase& c)
{
    const double orthoNear = -20.0;
    const double orthoFar = 20.0;
    VolumeCorners corners{};
    for (int i = 0; i < cornerCount; ++i) {
        bool right = (i & cornerRightBit) != 0;
        bool top = (i & cornerTopBit) != 0;
        bool far = (i & cornerFarBit) != 0;
        if (c.station == 0) {
            // The view is the identity: the box's z runs from -near to -far.
            corners[i] = {right ? c.p[1] : c.p[0], top ? c.p[3] : c.p[2],
                          -(far ? orthoFar : orthoNear)};
            continue;
        }
        const double* eye = eyes[c.station];
        // The view's axes in scene coordinates are the rows of its matrix:
        // side, up, and back (from the origin towards the eye).
        Matrix view = lookAtMatrix(eye);
        double side[3] = {view[0], view[4], view[8]};
        double up[3] = {view[1], view[5], view[9]};
        double forward[3] = {-view[2], -view[6], -view[10]};
        const double pi = 3.14159265358979323846;
        double along = far ? c.p[3] : c.p[2];
        double halfHeight = along * std::tan(c.p[0] * pi / 360.0);
        double halfWidth = halfHeight * c.p[1];
        for (int axis = 0; axis < 3; ++axis) {
            corners[i][axis] = eye[axis] + forward[axis] * along +
                               side[axis] * (right ? halfWidth : -halfWidth) +
                               up[axis] * (top ? halfHeight : -halfHeight);
        }
    }
    return corners;
}

TEST_P(Volumes, EncloseTheVolumeTheirStationsGeometryDescribes)
{
    const StationCase& c = GetParam();
    beginTrace();
    stationHandlers[c.station](c.width, c.height);
    endTrace();
    StationReadBack readBack = readBackStation();
    VolumeCorners seen{};
    ASSERT_TRUE(volumeCorners(readBack.projection, readBack.modelview, seen));
    VolumeCorners expected = expectedCorners(c);
    // OpenGL keeps its matrices in single precision, so the corners can agree
    // only to a few float steps of the farthest one's distance from the eye.
    const double eye[3] = {0.0, 0.0, 0.0};
    const double* from = c.station == 0 ? eye : eyes[c.station];
    double reach = 0.0;
    for (const Point3& corner : expected) {
        reach = std::fmax(reach, std::hypot(corner[0] - from[0], corner[1] - from[1],
                                            corner[2] - from[2]));
    }
    const double floatSteps = 4.0;
    double tolerance = floatSteps * std::numeric_limits<float>::epsilon() * reach;
    for (int i = 0; i < cornerCount; ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_NEAR(seen[i][axis], expected[i][axis], tolerance)
                << "corner " << i << ", axis " << axis;
        }
    }
}

TEST_P(Volumes, TellTheirStationAndProjectionFromTheReadBackAlone)
{
    const StationCase& c = GetParam();
    beginTrace();
    stationHandlers[c.station](c.width, c.height);
    endTrace();
    ObservedVolume volume = observedVolume(readBackStation());
    EXPECT_TRUE(volume.found);
    EXPECT_EQ(volume.perspective, c.station != 0);
    EXPECT_EQ(stationSeenFrom(volume.eye), c.station);
}

INSTANTIATE_TEST_SUITE_P(AllShapes, Volumes, testing::ValuesIn(stationCases), caseName);

// Matrices that flatten the scene enclose no volume: none is found, rather
// than corners made of whatever the failed inversion left.
TEST(Volume, OfMatricesWithNoInverseIsNotFound)
{
    Matrix4 flat = identityMatrix();
    const int depthEntry = 10;
    flat[depthEntry] = 0.0;
    Matrix4 unreachable = identityMatrix();
    unreachable[0] = NAN;
    VolumeCorners corners{};
    corners[0] = {1.0, 2.0, 3.0};
    for (const Matrix4& projection : {flat, unreachable}) {
        EXPECT_FALSE(volumeCorners(projection, identityMatrix(), corners));
        EXPECT_EQ(corners[0], (Point3{1.0, 2.0, 3.0})) << "left untouched";
    }
    Point3 eye = {4.0, 5.0, 6.0};
    EXPECT_FALSE(eyePosition(flat, eye));
    EXPECT_EQ(eye, (Point3{4.0, 5.0, 6.0}));
}

} // namespace
