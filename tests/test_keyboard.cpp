// Keyboard commands through the real keyboard callback and GLUT's event loop.
#include <cstdio>
#include <fstream>
#include <sstream>

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/app.h"
#include "camera/camera.h"
#include "support.h"

namespace {

class Keys : public testing::Test {
protected:
    void SetUp() override { resetViewer(); }
};

// Press a key and let GLUT handle what it asked for; return the trace.
std::string press(unsigned char key)
{
    beginTrace();
    keyboard(key, 0, 0);
    pumpEvents();
    return endTrace();
}

bool sameState(const ViewerState& a, const ViewerState& b)
{
    return a.windowWidth == b.windowWidth && a.windowHeight == b.windowHeight &&
           a.windowX == b.windowX && a.windowY == b.windowY && a.filled == b.filled &&
           a.backgroundIndex == b.backgroundIndex && a.cameraStation == b.cameraStation &&
           a.fullScreen == b.fullScreen && a.savedWidth == b.savedWidth &&
           a.savedHeight == b.savedHeight && a.savedFramed == b.savedFramed;
}

TEST_F(Keys, EnterStepsThroughTheStationsAndBack)
{
    const char* expected[] = {"K\nRP1 100.00  11.46\nD\n", "K\nRP2 141.42   8.10\nD\n",
                              "K\nRP3 173.21   6.62\nD\n", "K\nRO\nD\n"};
    for (int press_count = 1; press_count <= 4; ++press_count) {
        EXPECT_EQ(press(keyEnter), expected[press_count - 1]);
        EXPECT_EQ(viewerState.cameraStation, press_count % 4);
    }
}

TEST_F(Keys, EnterRegistersTheNewStationForLaterResizes)
{
    press(keyEnter);
    beginTrace();
    glutReshapeWindow(400, 300);
    pumpEvents(200);
    std::string trace = endTrace();
    EXPECT_EQ(trace.substr(0, 18), "RP1 100.00  11.46\n") << trace;
    EXPECT_EQ(viewerState.windowWidth, 400);
    EXPECT_EQ(viewerState.windowHeight, 300);
}

TEST_F(Keys, EnterAppliesTheStationToTheRecordedSize)
{
    // The size the last station recorded, not the one GLUT would report.
    viewerState.windowWidth = 300;
    viewerState.windowHeight = 200;
    beginTrace();
    keyboard(keyEnter, 0, 0);
    endTrace();
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 300);
    EXPECT_EQ(viewport[3], 200);
    pumpEvents();
}

TEST_F(Keys, FCyclesTheBackgroundAndZTogglesFill)
{
    const int backgrounds[] = {1, 2, 0};
    for (int expected : backgrounds) {
        EXPECT_EQ(press(keyBackground), "K\nD\n");
        EXPECT_EQ(viewerState.backgroundIndex, expected);
    }
    const int fills[] = {0, 1};
    for (int expected : fills) {
        EXPECT_EQ(press(keyFill), "K\nD\n");
        EXPECT_EQ(viewerState.filled, expected);
    }
}

TEST_F(Keys, OtherKeysWriteOnlyKAndChangeNothing)
{
    const unsigned char others[] = {'Z', 'Q', ' ', 'a', '1', 'e', 0, 8, 127, 200, 255};
    ViewerState before = viewerState;
    for (unsigned char key : others) {
        EXPECT_EQ(press(key), "K\n") << "key " << static_cast<int>(key);
        EXPECT_TRUE(sameState(viewerState, before)) << "key " << static_cast<int>(key);
    }
}

TEST_F(Keys, FullScreenTwiceRestoresWhatGlutReportedAtTheFirst)
{
    int width = glutGet(GLUT_WINDOW_WIDTH);
    int height = glutGet(GLUT_WINDOW_HEIGHT);
    int x = glutGet(GLUT_WINDOW_X);
    int y = glutGet(GLUT_WINDOW_Y);

    beginTrace();
    keyboard(keyFullScreen, 0, 0);
    std::string trace = endTrace();
    // No redisplay is asked for: GLUT's resize brings the new picture.
    EXPECT_EQ(trace, "K\n");
    EXPECT_EQ(viewerState.fullScreen, 1);
    EXPECT_EQ(viewerState.savedWidth, width);
    EXPECT_EQ(viewerState.savedHeight, height);
    EXPECT_EQ(viewerState.windowX, x);
    EXPECT_EQ(viewerState.windowY, y);

    beginTrace();
    pumpEvents(300);
    trace = endTrace();
    // The station saw the full-screen size and recorded it.
    EXPECT_NE(trace.find("RO\n"), std::string::npos) << trace;
    EXPECT_EQ(viewerState.windowWidth, glutGet(GLUT_SCREEN_WIDTH));
    EXPECT_EQ(viewerState.windowHeight, glutGet(GLUT_SCREEN_HEIGHT));

    EXPECT_EQ(press(keyFullScreen).substr(0, 2), "K\n");
    pumpEvents(300);
    EXPECT_EQ(viewerState.fullScreen, 0);
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), width);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), height);
    EXPECT_EQ(glutGet(GLUT_WINDOW_X), x);
    EXPECT_EQ(glutGet(GLUT_WINDOW_Y), y);
    EXPECT_EQ(viewerState.windowWidth, width);
    EXPECT_EQ(viewerState.windowHeight, height);
}

TEST(KeysDeathTest, EscapeWritesKThenExitsWithStatusZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string path = testing::TempDir() + "varnelle_escape_trace.txt";
    std::remove(path.c_str());
    EXPECT_EXIT(
        {
            if (freopen(path.c_str(), "w", stdout) != nullptr) {
                keyboard(keyEscape, 0, 0);
            }
        },
        testing::ExitedWithCode(0), "");
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "K\n");
}

} // namespace
