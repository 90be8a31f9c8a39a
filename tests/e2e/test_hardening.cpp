// The viewer under abuse, from the outside: every key that is no command, a
// storm of Enter presses, held keys, rapid resizes, full-screen toggles, a
// hostile environment and standard outputs that cannot take the trace.
// Each test adds its figures to the reliability report when one is asked for.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "checks.h"
#include "session.h"

namespace {

class Abuse : public Viewer {};

const char* const stationLines[4] = {"RO", "RP1 100.00  11.46", "RP2 141.42   8.10",
                                     "RP3 173.21   6.62"};

// Whether the viewer still answers: f gives its "K" and a frame. What the
// earlier input caused is let through first, so that its late lines are not
// taken for f's.
void expectAnswers()
{
    ASSERT_TRUE(viewerRunning());
    letEarlierInputThrough();
    sendAndWait([] { desktop().pressCharacter('f'); }, 2);
    EXPECT_EQ(viewer->lines().back(), "D");
}

// Trace lines that report an error or print a number that is not finite.
int suspiciousLines()
{
    int count = 0;
    for (const std::string& line : viewer->lines()) {
        bool bad = line.find("Attention erreur") != std::string::npos ||
                   line.find("inf") != std::string::npos || line.find("nan") != std::string::npos;
        count += bad ? 1 : 0;
    }
    return count;
}

TEST_F(Abuse, EveryPrintableCharacterThatIsNoCommandWritesOneKAndNoFrame)
{
    start(false);
    ASSERT_TRUE(waitForFirstFrame());
    std::vector<std::string> expected = viewer->lines();
    int tried = 0;
    for (int c = ' '; c <= '~'; ++c) {
        if (c == 'F' || c == 'f' || c == 'z') {
            continue;
        }
        // A frame the key caused would come before the next key's "K".
        sendAndWait([c] { desktop().pressCharacter(static_cast<char>(c)); }, 1);
        expected.push_back("K");
        ++tried;
    }
    sendAndWait([] { desktop().pressCharacter('f'); }, 2);
    expected.insert(expected.end(), {"K", "D"});
    EXPECT_EQ(joined(viewer->lines()), joined(expected));
    reportFigures("printable characters that are no command", tried, 1, viewerRunning() ? 1 : 0,
                  static_cast<int>(expected.size()) - static_cast<int>(viewer->lines().size()));
}

TEST_F(Abuse, SpecialAndModifierKeysWriteNothing)
{
    start(false);
    ASSERT_TRUE(waitForFirstFrame());
    const char* keys[] = {"Up",   "Down",     "Left",    "Right",     "Home",      "End",
                          "Prior", "Next",    "Insert",  "F1",        "F2",        "F3",
                          "F4",   "F5",       "F6",      "F7",        "F8",        "F9",
                          "F10",  "F11",      "F12",     "Shift_L",   "Shift_R",   "Control_L",
                          "Control_R", "Alt_L", "Super_L", "Menu"};
    size_t before = viewer->lines().size();
    for (const char* key : keys) {
        desktop().pressKey(key);
    }
    // The marker's "K" is the first line to come after all of them.
    sendAndWait([] { desktop().pressCharacter('f'); }, 2);
    std::vector<std::string> after(viewer->lines().begin() + static_cast<long>(before),
                                   viewer->lines().end());
    EXPECT_EQ(joined(after), "K\nD\n");
    reportFigures("special and modifier keys", static_cast<int>(std::size(keys)), 1,
                  viewerRunning() ? 1 : 0, 0);
}

TEST_F(Abuse, AStormOfEnterPressesStepsOnceForEach)
{
    start(false);
    ASSERT_TRUE(waitForFirstFrame());
    const int presses = 400;
    size_t before = viewer->lines().size();
    for (int i = 0; i < presses; ++i) {
        desktop().pressCharacter('\r');
    }
    // Wait for the last press's station line; the stations cycle from 1.
    const int stormTimeout = 30000;
    viewer->readUntil(ms(stormTimeout), [&] {
        int stationsSeen = 0;
        for (size_t i = before; i < viewer->lines().size(); ++i) {
            stationsSeen += viewer->lines()[i] != "K" && viewer->lines()[i] != "D" ? 1 : 0;
        }
        return stationsSeen >= presses || !viewer->running();
    });
    int keys = 0;
    int stations = 0;
    int outOfOrder = 0;
    for (size_t i = before; i < viewer->lines().size(); ++i) {
        const std::string& line = viewer->lines()[i];
        if (line == "K") {
            ++keys;
        } else if (line != "D") {
            ++stations;
            outOfOrder += line == stationLines[stations % 4] ? 0 : 1;
        }
    }
    EXPECT_EQ(keys, presses);
    EXPECT_EQ(stations, presses);
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_EQ(suspiciousLines(), 0);
    // 400 steps from the orthographic station end on it again.
    EXPECT_TRUE(waitForPixel(2, 2, grey));
    expectAnswers();
    reportFigures("Enter presses in one storm", presses, 1, viewerRunning() ? 1 : 0,
                  2 * presses - keys - stations);
}

TEST_F(Abuse, AHeldKeyActsOnEveryRepeat)
{
    start(false);
    ASSERT_TRUE(waitForFirstFrame());
    const std::array<int, 3> backgrounds[3] = {grey, white, black};
    size_t before = viewer->lines().size();
    // Longer than the server's repeat delay, so that the key repeats.
    holdCharacter('f', 1500);
    // Read until the viewer has caught up with every repeat.
    size_t count = 0;
    do {
        count = viewer->lines().size();
        viewer->readFor(ms(300));
    } while (viewer->lines().size() != count);
    int keys = 0;
    for (size_t i = before; i < viewer->lines().size(); ++i) {
        keys += viewer->lines()[i] == "K" ? 1 : 0;
    }
    EXPECT_GT(keys, 2) << "the held key repeated";
    EXPECT_TRUE(waitForPixel(2, 2, backgrounds[keys % 3])) << keys << " presses of f";
    reportFigures("repeats of a held key", keys, 1, viewerRunning() ? 1 : 0, 0);
}

TEST_F(Abuse, RapidResizesOnEveryStationLeaveItWell)
{
    start(false);
    ASSERT_TRUE(waitForFirstFrame());
    // From one pixel to larger than the 1280 by 1024 screen, in both shapes.
    const int sizes[][2] = {{1, 1},     {2600, 2100}, {1, 700},  {700, 1},   {333, 222},
                            {222, 333}, {1280, 1024}, {2, 3},    {1500, 40}, {40, 1500}};
    const int rounds = 3;
    const int finalWidth = 300;
    const int finalHeight = 200;
    int resizes = 0;
    for (int station = 0; station < 4; ++station) {
        SCOPED_TRACE(testing::Message() << "station " << station);
        for (int round = 0; round < rounds; ++round) {
            for (const auto& size : sizes) {
                desktop().resize(viewerWindow, size[0], size[1]);
                ++resizes;
            }
        }
        desktop().resize(viewerWindow, finalWidth, finalHeight);
        ++resizes;
        ASSERT_TRUE(waitForSize(finalWidth, finalHeight));
        // The X server takes each size at once; the viewer may still be
        // drawing the earlier ones.
        letEarlierInputThrough();
        // The last station line is this station's, applied to the last size:
        // its picture fits the window, with the background at the corners.
        EXPECT_TRUE(waitForPixel(finalWidth - 3, finalHeight - 3, grey));
        EXPECT_TRUE(waitForPicture([&](const Picture& p) {
            return p.width == finalWidth && !nearColour(p.at(finalWidth / 2, finalHeight / 2), grey);
        })) << "the scene at the centre";
        std::string lastStation;
        for (const std::string& line : viewer->lines()) {
            lastStation = line != "K" && line != "D" ? line : lastStation;
        }
        EXPECT_EQ(lastStation, stationLines[station]);
        ASSERT_TRUE(viewerRunning());
        sendAndWait([] { desktop().pressCharacter('\r'); }, 3);
    }
    EXPECT_EQ(suspiciousLines(), 0);
    reportFigures("window resizes, 1x1 to 2600x2100, on four stations", resizes, 1,
                  viewerRunning() ? 1 : 0, 0);
}

TEST_F(Abuse, TwentyFullScreenTogglesComeBackToTheSameGeometry)
{
    start(true);
    ASSERT_TRUE(waitForFirstFrame());
    Geometry before = desktop().geometry(viewerWindow);
    Geometry screen = desktop().screen();
    const int toggles = 20;
    int reached = 0;
    for (int i = 0; i < toggles; ++i) {
        desktop().pressCharacter('F');
        bool entering = i % 2 == 0;
        bool done = entering ? waitForSize(screen.width, screen.height)
                             : waitForSize(before.width, before.height);
        reached += done ? 1 : 0;
    }
    EXPECT_EQ(reached, toggles);
    EXPECT_TRUE(waitForGeometry(before));
    Geometry after = desktop().geometry(viewerWindow);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
    expectAnswers();
    reportFigures("full-screen toggles under a window manager", toggles, 1,
                  viewerRunning() ? 1 : 0, 0);
}

// The status GLUT ends the process with when it cannot start.
const int glutFailureStatus = 1;

TEST_F(Abuse, AHostileEnvironmentGivesAClearMessageAndAFailureStatus)
{
    ASSERT_TRUE(startServerUnder(""));
    const char* const noDisplayOnWindows =
        "DISPLAY is how Wine reaches its X server; Windows has no such variable";
    const char* const displayDeviceOnWindows =
        "on Windows freeglut's -display names a display device: an unknown one brings a warning "
        "and the viewer runs on the main display";
    const struct {
        const char* what;
        std::vector<std::string> arguments;
        std::string display;
        const char* message;
        // Why the case means nothing on Windows, if it does not.
        const char* notOnWindows;
    } cases[] = {
        {"no DISPLAY", {}, "", "display", noDisplayOnWindows},
        {"an unreachable display", {"-display", ":987"}, server->display(), ":987",
         displayDeviceOnWindows},
        {"-geometry without its value", {"-geometry"}, server->display(), "geometry", nullptr},
    };
    int runs = 0;
    int survived = 0;
    for (const auto& c : cases) {
        if (skippedOnWindows(c.what, c.notOnWindows)) {
            continue;
        }
        ++runs;
        SCOPED_TRACE(c.what);
        FailedStart run = runToEnd(c.arguments, c.display);
        EXPECT_FALSE(run.timedOut);
        EXPECT_TRUE(run.exited) << "ended by a signal";
        // GLUT's own failure status; a sanitizer's report would end it otherwise.
        EXPECT_EQ(run.status, glutFailureStatus);
        EXPECT_NE(run.errorOutput.find(c.message), std::string::npos) << run.errorOutput;
        survived += run.exited && !run.timedOut && run.status == glutFailureStatus ? 1 : 0;
    }
    reportFigures("hostile environments (no display, bad display, bad option)",
                  runs, runs, survived, 0);
}

// Key presses enough to write well over a block of trace: the C library then
// writes to the standard output while the viewer runs.
const int framesPastABlock = 2500;

TEST_F(Abuse, AClosedOrFullStandardOutputDoesNotStopTheViewer)
{
    const struct {
        const char* what;
        TraceSink sink;
        // Why the case means nothing on Windows, if it does not.
        const char* notOnWindows;
    } sinks[] = {
        {"closed", TraceSink::closed,
         "a closed standard output is a Unix descriptor that Wine itself may take over (in one "
         "run the window could then not be created); the viewer's guard for it is Linux code"},
        {"full", TraceSink::full, nullptr},
    };
    int runs = 0;
    int survived = 0;
    for (const auto& c : sinks) {
        if (skippedOnWindows(c.what, c.notOnWindows)) {
            continue;
        }
        ++runs;
        SCOPED_TRACE(c.what);
        start(false, c.sink);
        ASSERT_TRUE(waitForPixel(2, 2, grey));
        for (int i = 0; i < framesPastABlock; ++i) {
            desktop().pressCharacter('z');
        }
        // Still drawing: the background changes, and Escape ends it cleanly.
        desktop().pressCharacter('f');
        EXPECT_TRUE(waitForPixel(2, 2, white));
        desktop().pressKey("Escape");
        int status = waitForExit();
        EXPECT_EQ(status, 0);
        survived += status == 0 ? 1 : 0;
        stopServer();
    }
    reportFigures("key presses with a closed or a full standard output", framesPastABlock * runs,
                  runs, survived, 0);
}

// The lines a session must write, less the frames, which may merge.
std::vector<std::string> withoutFrames(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (line != "D") {
            out.push_back(line);
        }
    }
    return out;
}

TEST_F(Abuse, NothingWrittenBeforeTheEndIsLost)
{
    const struct {
        const char* what;
        TraceSink sink;
        bool closeThroughManager;
    } cases[] = {
        {"pipe, Escape", TraceSink::pipe, false},
        {"file, Escape", TraceSink::file, false},
        {"pipe, closed by the window manager", TraceSink::pipe, true},
        {"file, closed by the window manager", TraceSink::file, true},
    };
    const char keys[] = {'\r', 'f', 'z', 'a', ' ', '\r', 'z', 'q'};
    const int rounds = 40;
    int linesLost = 0;
    int survived = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.closeThroughManager, c.sink);
        ASSERT_TRUE(waitForPixel(2, 2, grey));
        std::vector<std::string> expected = {"RO"};
        int station = 0;
        for (int round = 0; round < rounds; ++round) {
            for (char key : keys) {
                desktop().pressCharacter(key);
                expected.push_back("K");
                if (key == '\r') {
                    station = (station + 1) % 4;
                    expected.push_back(stationLines[station]);
                }
            }
        }
        // 40 rounds of three f presses: wait for the background they give.
        const std::array<int, 3> backgrounds[3] = {grey, white, black};
        EXPECT_TRUE(waitForPixel(2, 2, backgrounds[rounds % 3]));
        // That background comes back every three rounds, and the window
        // manager's close overtakes keys not yet handled: where the trace
        // arrives as written, wait for every key's lines too.
        const int settleTimeout = 5000;
        if (traceArrivesLive(c.sink)) {
            viewer->readUntil(ms(settleTimeout), [&] {
                return withoutFrames(viewer->lines()).size() >= expected.size();
            });
        }
        if (c.closeThroughManager) {
            desktop().askToClose(viewerWindow);
        } else {
            desktop().pressKey("Escape");
            expected.push_back("K");
        }
        int status = waitForExit();
        EXPECT_EQ(status, 0);
        std::vector<std::string> seen = withoutFrames(viewer->lines());
        EXPECT_EQ(joined(seen), joined(expected));
        EXPECT_TRUE(!viewer->output().empty() && viewer->output().back() == '\n')
            << "the last line arrives whole";
        linesLost += static_cast<int>(expected.size()) - static_cast<int>(seen.size());
        survived += status == 0 ? 1 : 0;
        stopServer();
    }
    reportFigures("keys with the trace on a pipe or a file, ended by Escape or the window manager",
                  rounds * static_cast<int>(std::size(keys)) * static_cast<int>(std::size(cases)),
                  static_cast<int>(std::size(cases)), survived, linesLost);
}

} // namespace
