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
    ASSERT_TRUE(waitForLine("D"));
    EXPECT_EQ(windowTitle(), "Varnelle en OpenGL ");
    Geometry g = clientGeometry();
    EXPECT_EQ(g.x, windowPosition);
    EXPECT_EQ(g.y, windowPosition);
    EXPECT_EQ(g.width, windowSize);
    EXPECT_EQ(g.height, windowSize);
    VisualFacts visual = visualFacts();
    EXPECT_TRUE(visual.rgba);
    EXPECT_TRUE(visual.doubleBuffered);
    EXPECT_GT(visual.depthBits, 0);
    ASSERT_GE(traceLines().size(), 2u);
    EXPECT_EQ(traceLines()[0], "RO");
    EXPECT_EQ(traceLines()[1], "D");
}

TEST_F(Viewer, AWholeKeySessionWritesItsExactTrace)
{
    start(false);
    ASSERT_TRUE(waitForLine("D"));
    auto key = [](char c) { return [c] { pressCharacter(c); }; };
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
    pressKey("Up");
    pressKey("F1");
    sendAndWait(key('f'), 2);
    expected.insert(expected.end(), {"K", "K", "K", "D"});
    readTraceFor(100);
    EXPECT_EQ(joined(collapsed(traceLines())), joined(expected));
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
    ASSERT_TRUE(waitForLine("D"));
    ASSERT_TRUE(waitForPixel(2, 2, grey));
    Picture first = takePicture();

    const struct {
        const char* name;
        int x;
        int y;
        int channels;
    } cones[] = {
        {"red at the centre", centre, centre, redChannel},
        {"green to the right", centre + 5 * unit, centre, greenChannel},
        {"yellow to the left", centre - 5 * unit, centre, redChannel | greenChannel},
        {"cyan up", centre, centre - 5 * unit, greenChannel | blueChannel},
        {"magenta down", centre, centre + 5 * unit, redChannel | blueChannel},
    };
    for (const auto& cone : cones) {
        auto c = first.at(cone.x, cone.y);
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
        pressCharacter('f');
        EXPECT_TRUE(waitForPixel(2, 2, colour));
        EXPECT_TRUE(waitForPixel(windowSize - 3, windowSize - 3, colour));
    }

    pressCharacter('z');
    EXPECT_TRUE(waitForPicture([](const Picture& p) { return gapsAlongGreenCone(p) > 20; }))
        << "wireframe shows the background between the cone's edges";

    // Back to filled polygons, then through every station and back.
    auto unchanged = [&](const Picture& p) { return samePicture(p, first); };
    pressCharacter('z');
    EXPECT_TRUE(waitForPicture(unchanged)) << "two z presses give the first picture back";
    for (int i = 0; i < 3; ++i) {
        pressCharacter('\r');
    }
    ASSERT_TRUE(waitForLine("RP3 173.21   6.62"));
    EXPECT_TRUE(waitForPicture([&](const Picture& p) { return !unchanged(p); }))
        << "the third station shows another picture";
    pressCharacter('\r');
    ASSERT_TRUE(waitForLine("RO"));
    EXPECT_TRUE(waitForPicture(unchanged)) << "four Enter presses give the first picture back";
}

TEST_F(Viewer, FullScreenUnderAWindowManagerAndBack)
{
    start(true);
    ASSERT_TRUE(waitForLine("D"));
    Geometry before = clientGeometry();
    Geometry screen = screenSize();

    pressCharacter('F');
    ASSERT_TRUE(waitForSize(screen.width, screen.height)) << "F fills the screen";
    // The station is applied to the new size, then the frame follows.
    ASSERT_TRUE(waitForLine("K"));
    EXPECT_TRUE(waitForLine("RO")) << joined(traceLines());
    EXPECT_TRUE(waitForLine("D"));
    Geometry full = clientGeometry();
    EXPECT_EQ(full.x, 0);
    EXPECT_EQ(full.y, 0);

    // The next station takes the full-screen size: its picture fills the
    // screen, with the background at the far corner and the red cone centred.
    pressCharacter('\r');
    ASSERT_TRUE(waitForLine("RP1 100.00  11.46"));
    EXPECT_TRUE(waitForPicture([&](const Picture& p) {
        return p.width == screen.width &&
               nearColour(p.at(screen.width - 3, screen.height - 3), grey) &&
               dominant(p.at(screen.width / 2, screen.height / 2)) == redChannel;
    })) << "the perspective view fills the screen, with the red cone at its centre";

    pressCharacter('F');
    ASSERT_TRUE(waitForSize(before.width, before.height)) << "a second F restores the size";
    Geometry after = clientGeometry();
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
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
        pressCharacter('f');
        ASSERT_TRUE(waitForPixel(2, 2, white));
        pressCharacter('f');
        ASSERT_TRUE(waitForPixel(2, 2, black));
        if (c.closeThroughManager) {
            closeThroughWindowManager();
        } else {
            pressKey("Escape");
        }
        EXPECT_EQ(waitForExit(), 0);
        EXPECT_EQ(joined(collapsed(traceLines())), c.trace);
        stopServer();
    }
}

} // namespace
