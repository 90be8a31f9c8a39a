// The shipped viewer from the outside: its window, a whole key session with
// its trace, its pictures, full screen under a window manager, and its end.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "checks.h"
#include "session.h"

namespace {

const int windowSize = 480;
const int windowPosition = 50;
TEST_F(Viewer, OpensTheTitledWindowAndDrawsThroughTheOrthographicStation)
{
    start(false);
    ASSERT_TRUE(waitForFirstFrame());
    EXPECT_EQ(desktop().title(viewerWindow), "Varnelle en OpenGL ");
    Geometry g = desktop().geometry(viewerWindow);
    Geometry frame = frameOffset();
    EXPECT_EQ(g.x, windowPosition + frame.x);
    EXPECT_EQ(g.y, windowPosition + frame.y);
    EXPECT_EQ(g.width, windowSize);
    EXPECT_EQ(g.height, windowSize);
    VisualFacts visual = desktop().visual(viewerWindow);
    EXPECT_TRUE(visual.rgba);
    EXPECT_TRUE(visual.doubleBuffered);
    EXPECT_GT(visual.depthBits, 0);
    ASSERT_GE(viewer->lines().size(), 2u);
    EXPECT_EQ(viewer->lines()[0], "RO");
    EXPECT_EQ(viewer->lines()[1], "D");
}

TEST_F(Viewer, AWholeKeySessionWritesItsExactTrace)
{
    start(false);
    ASSERT_TRUE(waitForFirstFrame());
    auto key = [](char c) { return [c] { desktop().pressCharacter(c); }; };
    std::vector<std::string> expected = {"RO", "D"};
    // Enter through the four stations, back to the orthographic one.
    const char* stations[] = {"RP1 100.00  11.46", "RP2 141.42   8.10", "RP3 173.21   6.62",
                              "RO"};
    for (const char* station : stations) {
        sendAndWait(key('\r'), 3);
        expected.insert(expected.end(), {"K", station, "D"});
    }
    // Three backgrounds back to grey, two fill modes back to filled.
    for (char c : {'f', 'f', 'f', 'z', 'z'}) {
        sendAndWait(key(c), 2);
        expected.insert(expected.end(), {"K", "D"});
    }
    // Keys that change nothing write "K" alone; special keys write nothing.
    // A frame or line they caused would show before the next key's "K".
    sendAndWait(key('a'), 1);
    sendAndWait(key(' '), 1);
    desktop().pressKey("Up");
    desktop().pressKey("F1");
    sendAndWait(key('f'), 2);
    expected.insert(expected.end(), {"K", "K", "K", "D"});
    viewer->readFor(ms(100));
    EXPECT_EQ(joined(collapsed(viewer->lines())), joined(expected));
}

// Pixel positions in a 480 by 480 window through the orthographic station:
// 24 pixels a scene unit, origin at the centre, y down.
const int centre = windowSize / 2;
const int unit = windowSize / 20;

// Background-coloured pixels in a strip along the green cone, well inside it.
int gapsAlongGreenCone(const Picture& p)
{
    int gaps = 0;
    for (int x = centre + 3 * unit; x < centre + 6 * unit; ++x) {
        for (int y = centre - 4; y <= centre + 4; ++y) {
            gaps += nearColour(p.at(x, y), grey) ? 1 : 0;
        }
    }
    return gaps;
}

bool samePicture(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height) {
        return false;
    }
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        if (!nearColour(a.pixels[i], b.pixels[i])) {
            return false;
        }
    }
    return true;
}

TEST_F(Viewer, ShowsTheSceneBackgroundsAndWireframe)
{
    start(false);
    ASSERT_TRUE(waitForFirstFrame());
    ASSERT_TRUE(waitForPixel(2, 2, grey));
    Picture first = desktop().picture(viewerWindow);

    for (const ConeSighting& cone : coneSightings) {
        // Picture coordinates: y grows downwards.
        auto c = first.at(centre + cone.right * unit, centre - cone.up * unit);
        EXPECT_EQ(dominant(c), cone.channels) << cone.name << ": " << c[0] << " " << c[1] << " "
                                              << c[2];
    }
    int bluePixels = static_cast<int>(std::count_if(
        first.pixels.begin(), first.pixels.end(), [](const auto& c) { return dominant(c) == blueChannel; }));
    EXPECT_EQ(bluePixels, 0) << "the blue cone points away, behind the sphere";
    EXPECT_EQ(gapsAlongGreenCone(first), 0);

    // White, black, then grey again, at the corners.
    const std::array<int, 3> backgrounds[] = {white, black, grey};
    for (const auto& colour : backgrounds) {
        desktop().pressCharacter('f');
        EXPECT_TRUE(waitForPixel(2, 2, colour));
        EXPECT_TRUE(waitForPixel(windowSize - 3, windowSize - 3, colour));
    }

    desktop().pressCharacter('z');
    EXPECT_TRUE(waitForPicture([](const Picture& p) { return gapsAlongGreenCone(p) > 20; }))
        << "wireframe shows the background between the cone's edges";

    // Back to filled polygons, then through every station and back.
    auto unchanged = [&](const Picture& p) { return samePicture(p, first); };
    desktop().pressCharacter('z');
    EXPECT_TRUE(waitForPicture(unchanged)) << "two z presses give the first picture back";
    for (int i = 0; i < 3; ++i) {
        desktop().pressCharacter('\r');
    }
    ASSERT_TRUE(waitForLine("RP3 173.21   6.62"));
    EXPECT_TRUE(waitForPicture([&](const Picture& p) { return !unchanged(p); }))
        << "the third station shows another picture";
    desktop().pressCharacter('\r');
    ASSERT_TRUE(waitForLine("RO"));
    EXPECT_TRUE(waitForPicture(unchanged)) << "four Enter presses give the first picture back";
}

TEST_F(Viewer, FullScreenUnderAWindowManagerAndBack)
{
    start(true);
    ASSERT_TRUE(waitForFirstFrame());
    Geometry before = desktop().geometry(viewerWindow);
    Geometry screen = desktop().screen();

    desktop().pressCharacter('F');
    ASSERT_TRUE(waitForSize(screen.width, screen.height)) << "F fills the screen";
    // The station is applied to the new size, then the frame follows.
    ASSERT_TRUE(waitForLine("K"));
    EXPECT_TRUE(waitForLine("RO")) << joined(viewer->lines());
    EXPECT_TRUE(waitForLine("D"));
    EXPECT_TRUE(waitForGeometry({0, 0, screen.width, screen.height}));
    Geometry full = desktop().geometry(viewerWindow);
    EXPECT_EQ(full.x, 0);
    EXPECT_EQ(full.y, 0);

    // The next station takes the full-screen size: its picture fills the
    // screen, with the background at the far corner and the red cone centred.
    desktop().pressCharacter('\r');
    ASSERT_TRUE(waitForLine("RP1 100.00  11.46"));
    EXPECT_TRUE(waitForPicture([&](const Picture& p) {
        return p.width == screen.width &&
               nearColour(p.at(screen.width - 3, screen.height - 3), grey) &&
               dominant(p.at(screen.width / 2, screen.height / 2)) == redChannel;
    })) << "the perspective view fills the screen, with the red cone at its centre";

    desktop().pressCharacter('F');
    ASSERT_TRUE(waitForSize(before.width, before.height)) << "a second F restores the size";
    EXPECT_TRUE(waitForGeometry(before));
    Geometry after = desktop().geometry(viewerWindow);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
}

std::string describe(const Geometry& g)
{
    return std::to_string(g.width) + "x" + std::to_string(g.height) + " at (" +
           std::to_string(g.x) + ", " + std::to_string(g.y) + ")";
}

// Press F and wait for the window to take the wanted geometry, with the
// trace a full-screen change writes: K, the station applied to the new size,
// and its frame. Some window managers (fluxbox) take the keyboard away from
// a window that changes state, so it is given back first, as a click would.
void pressFAndWaitFor(const Geometry& wanted)
{
    desktop().focus(viewerWindow);
    desktop().pressCharacter('F');
    EXPECT_TRUE(waitForGeometry(wanted))
        << "wanted " << describe(wanted) << ", got "
        << describe(desktop().geometry(viewerWindow));
    EXPECT_TRUE(waitForLine("K") && waitForLine("RO") && waitForLine("D"))
        << joined(viewer->lines());
}

TEST_F(Viewer, FullScreenComesBackExactlyUnderEachWindowManager)
{
    const struct {
        const char* manager;
        bool leaveByOtherMeans;
    } cases[] = {
        {"openbox", true}, {"xfwm4", true}, {"mutter", false}, {"fluxbox", false}, {"icewm", false},
    };
    const int roundTrips = 5;
    if (skippedOnWindows("full screen under each X window manager",
                         "under Wine the frame and full screen are Windows' own, drawn by Wine; "
                         "the X window manager only holds Wine's outer window")) {
        GTEST_SKIP();
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.manager);
        startUnder(c.manager);
        if (HasFatalFailure()) {
            return;
        }
        ASSERT_TRUE(waitForFirstFrame());
        const Geometry before = desktop().geometry(viewerWindow);
        const Geometry full = desktop().screen();
        for (int i = 0; i < roundTrips; ++i) {
            pressFAndWaitFor(full);
            pressFAndWaitFor(before);
        }
        if (c.leaveByOtherMeans) {
            // Another program takes the window out of full screen: its
            // window manager puts it back. GLUT cannot learn of that, so the
            // next F goes into full screen again, and the one after that
            // comes back to the same place.
            pressFAndWaitFor(full);
            desktop().askToLeaveFullScreen(viewerWindow);
            EXPECT_TRUE(waitForGeometry(before)) << describe(desktop().geometry(viewerWindow));
            pressFAndWaitFor(full);
            pressFAndWaitFor(before);
        }
        stopServer();
    }
}

TEST_F(Viewer, EscapeOrClosingTheWindowEndsWithStatusZeroAndTheWholeTrace)
{
    const struct {
        const char* what;
        bool closeThroughManager;
        const char* trace;
    } cases[] = {
        {"Escape", false, "RO\nD\nK\nD\nK\nD\nK\n"},
        {"closed by the window manager", true, "RO\nD\nK\nD\nK\nD\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.closeThroughManager, TraceSink::pipe);
        // On a pipe the trace is block-buffered: wait on the picture instead.
        ASSERT_TRUE(waitForPixel(2, 2, grey));
        desktop().pressCharacter('f');
        ASSERT_TRUE(waitForPixel(2, 2, white));
        desktop().pressCharacter('f');
        ASSERT_TRUE(waitForPixel(2, 2, black));
        if (c.closeThroughManager) {
            desktop().askToClose(viewerWindow);
        } else {
            desktop().pressKey("Escape");
        }
        EXPECT_EQ(waitForExit(), 0);
        EXPECT_EQ(joined(collapsed(viewer->lines())), c.trace);
        stopServer();
    }
}

} // namespace
