// Camera stations: each station on square, wide and tall windows, read back
// from OpenGL against matrices computed here, with the viewing volume the
// matrices enclose; and windows with a zero side.
#include <cmath>
#include <cstdio>
#include <limits>

#include <gtest/gtest.h>

#include "app/app.h"
#include "camera/camera.h"
#include "support.h"
#include "volume.h"

namespace {

// What a station must produce, independently of how the viewer computes it.
struct StationCase {
    int station;
    int width;
    int height;
    const char* trace;
    // Orthographic: left, right, bottom, top. Perspective: fovy, aspect, near, far.
    double p[4];
};

// A short name in test listings instead of the bytes of the case.
void PrintTo(const StationCase& c, std::ostream* out)
{
    *out << "station " << c.station << " at " << c.width << "x" << c.height;
}

const double eye1[3] = {0.0, 0.0, 100.0};
const double eye2[3] = {100.0, 0.0, 100.0};
const double eye3[3] = {100.0, 100.0, 100.0};
const double* const eyes[4] = {nullptr, eye1, eye2, eye3};

// Base angles: 20 / D radians in degrees, with pi as 3.14159.
const double angle1 = 11.459165581759555;
const double angle2 = 8.10285368960167;
const double angle3 = 6.615952333317374;

const StationCase stationCases[] = {
    {0, 480, 480, "RO\n", {-10, 10, -10, 10}},
    {0, 960, 480, "RO\n", {-20, 20, -10, 10}},
    {0, 480, 960, "RO\n", {-10, 10, -20, 20}},
    {1, 480, 480, "RP1 100.00  11.46\n", {angle1, 1.0, 88.0, 112.0}},
    {1, 960, 480, "RP1 100.00  11.46\n", {angle1, 2.0, 88.0, 112.0}},
    {1, 480, 960, "RP1 100.00  11.46\n", {2 * angle1, 0.5, 88.0, 112.0}},
    {2, 480, 480, "RP2 141.42   8.10\n", {angle2, 1.0, 129.4213562373095, 153.4213562373095}},
    {2, 960, 480, "RP2 141.42   8.10\n", {angle2, 2.0, 129.4213562373095, 153.4213562373095}},
    {2, 480, 960, "RP2 141.42   8.10\n", {2 * angle2, 0.5, 129.4213562373095, 153.4213562373095}},
    {3, 480, 480, "RP3 173.21   6.62\n", {angle3, 1.0, 161.20508075688772, 185.20508075688772}},
    {3, 960, 480, "RP3 173.21   6.62\n", {angle3, 2.0, 161.20508075688772, 185.20508075688772}},
    {3, 480, 960, "RP3 173.21   6.62\n", {2 * angle3, 0.5, 161.20508075688772, 185.20508075688772}},
};

class Stations : public testing::TestWithParam<StationCase> {
protected:
    void SetUp() override { resetViewer(); }
};

TEST_P(Stations, SetViewportProjectionAndViewForTheWindow)
{
    const StationCase& c = GetParam();
    // Start from the other station's matrices so that nothing is left over.
    stationHandlers[(c.station + 1) % stationCount](123, 77);

    beginTrace();
    stationHandlers[c.station](c.width, c.height);
    EXPECT_EQ(endTrace(), c.trace);

    EXPECT_EQ(viewerState.windowWidth, c.width);
    EXPECT_EQ(viewerState.windowHeight, c.height);
    GLint viewport[4] = {-1, -1, -1, -1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], c.width);
    EXPECT_EQ(viewport[3], c.height);

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    Matrix projection = c.station == 0 ? orthoMatrix(c.p[0], c.p[1], c.p[2], c.p[3], -20.0, 20.0)
                                       : perspectiveMatrix(c.p[0], c.p[1], c.p[2], c.p[3]);
    EXPECT_LT(matrixDifference(currentMatrix(GL_PROJECTION_MATRIX), projection), 1e-6);

    Matrix identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Matrix view = c.station == 0 ? identity : lookAtMatrix(eyes[c.station]);
    EXPECT_LT(matrixDifference(currentMatrix(GL_MODELVIEW_MATRIX), view), 1e-6);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

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

TEST_P(Stations, EncloseTheVolumeTheirGeometryDescribes)
{
    const StationCase& c = GetParam();
    beginTrace();
    stationHandlers[c.station](c.width, c.height);
    endTrace();
    StationReadBack readBack = readBackStation();
    VolumeCorners seen = volumeCorners(readBack.projection, readBack.modelview);
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

std::string caseName(const testing::TestParamInfo<StationCase>& info)
{
    char name[64] = "";
    snprintf(name, sizeof name, "station%d_%dx%d", info.param.station, info.param.width,
             info.param.height);
    return name;
}

INSTANTIATE_TEST_SUITE_P(AllShapes, Stations, testing::ValuesIn(stationCases), caseName);

// A minimised window can report a zero side: the size is still recorded and
// the viewport set, but the projection must stay finite.
TEST(ZeroSizedWindow, KeepsTheProjectionFiniteOnEveryStation)
{
    resetViewer();
    const int sizes[][2] = {{0, 480}, {480, 0}, {0, 0}};
    for (int station = 0; station < stationCount; ++station) {
        for (const auto& size : sizes) {
            SCOPED_TRACE(testing::Message() << "station " << station << ", " << size[0] << "x"
                                            << size[1]);
            beginTrace();
            stationHandlers[station](size[0], size[1]);
            std::string trace = endTrace();
            EXPECT_EQ(trace.find("inf"), std::string::npos) << trace;
            EXPECT_EQ(trace.find("nan"), std::string::npos) << trace;
            EXPECT_EQ(viewerState.windowWidth, size[0]);
            EXPECT_EQ(viewerState.windowHeight, size[1]);
            GLint viewport[4] = {-1, -1, -1, -1};
            glGetIntegerv(GL_VIEWPORT, viewport);
            EXPECT_EQ(viewport[2], size[0]);
            EXPECT_EQ(viewport[3], size[1]);
            Matrix projection = currentMatrix(GL_PROJECTION_MATRIX);
            bool identity = true;
            for (int i = 0; i < 16; ++i) {
                EXPECT_TRUE(std::isfinite(projection[i])) << "entry " << i;
                identity = identity && projection[i] == (i % 5 == 0 ? 1.0 : 0.0);
            }
            // The projection was really set, not skipped.
            EXPECT_FALSE(identity);
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
    }
}

} // namespace
