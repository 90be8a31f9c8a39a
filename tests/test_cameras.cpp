// Camera stations: each station on square, wide and tall windows, read back
// from OpenGL against matrices computed here; and windows with a zero side.
#include <cmath>
#include <cstdio>
#include <limits>

#include <gtest/gtest.h>

#include "app/app.h"
#include "camera/camera.h"
#include "support.h"
#include "station_cases.h"

namespace {

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
