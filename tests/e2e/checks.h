// Checks shared by the end-to-end tests: a fixture that starts the viewer,
// the trace as text, and waiting on the window's picture.
#pragma once

#include <algorithm>
#include <array>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "cones.h"
#include "session.h"

// Window colours, RGB in 0..255.
const std::array<int, 3> grey = {128, 128, 128};
const std::array<int, 3> white = {255, 255, 255};
const std::array<int, 3> black = {0, 0, 0};

// The viewer on a private X server, with or without a window manager.
class Viewer : public testing::Test {
protected:
    // The Windows viewer's tests report themselves skipped until it is built.
    void SetUp() override
    {
        if (onWindows() && access(windowsViewer().c_str(), R_OK) != 0) {
            GTEST_SKIP() << "no Windows viewer at " << windowsViewer() << "; make windows builds it";
        }
    }
    void start(bool withWindowManager, TraceSink sink = TraceSink::terminal)
    {
        startUnder(withWindowManager ? "openbox" : "", sink);
    }
    // Under the named window manager, or none if the name is empty.
    void startUnder(const std::string& windowManager, TraceSink sink = TraceSink::terminal)
    {
        ASSERT_TRUE(startServerUnder(windowManager)) << "no private X server";
        ASSERT_TRUE(startViewer(sink)) << "the viewer's window did not show";
    }
    void TearDown() override { stopServer(); }
};

// Whether a case of a table cannot mean anything for the Windows viewer: if a
// reason is given and the viewer is the Windows one, the case is skipped, and
// the test's output says so with the reason. Whole tests use GTEST_SKIP.
inline bool skippedOnWindows(const std::string& what, const char* reason)
{
    if (!onWindows() || reason == nullptr) {
        return false;
    }
    std::cout << "[ SKIPPED  ] on Windows, " << what << ": " << reason << std::endl;
    return true;
}

// The trace with runs of "D" collapsed into one: expose events may add frames.
inline std::vector<std::string> collapsed(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (!(line == "D" && !out.empty() && out.back() == "D")) {
            out.push_back(line);
        }
    }
    return out;
}

inline std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Wait until the window's picture satisfies a condition. The trace's "D"
// comes before the frame is drawn, so pictures are waited on, not lines.
template <typename Condition>
bool waitForPicture(Condition condition, int timeout = 10000)
{
    return viewer->readUntil(ms(timeout), [&] {
        Picture p = desktop().picture(viewerWindow);
        return p.width > 0 && condition(p);
    });
}

inline bool waitForPixel(int x, int y, const std::array<int, 3>& colour)
{
    return waitForPicture([&](const Picture& p) {
        return p.width > x && p.height > y && nearColour(p.at(x, y), colour);
    });
}

// Let the viewer finish what earlier input caused: read until its trace has
// been quiet for a moment, so that late lines are not taken for the next
// input's.
inline void letEarlierInputThrough()
{
    const int quiet = 200;
    const int timeout = 5000;
    viewer->waitForQuiet(ms(quiet), ms(timeout));
}

// Wait for the viewer's first frame, then let through what its window's
// first events still bring (an expose that arrives late under load is
// answered with one more "D"), so that the test's own input starts on a
// quiet trace.
inline bool waitForFirstFrame()
{
    if (!waitForLine("D")) {
        return false;
    }
    letEarlierInputThrough();
    return true;
}

// Press a key, or send a special key, and wait for the given number of new
// trace lines.
template <typename Send>
void sendAndWait(Send send, size_t newLines)
{
    size_t before = viewer->lines().size();
    send();
    const int timeout = 5000;
    viewer->readUntil(ms(timeout), [&] {
        return viewer->lines().size() >= before + newLines || !viewerRunning();
    });
    // One more short read, as a line that follows at once (a key's frame)
    // belongs to the same input.
    const int settle = 5;
    viewer->readFor(ms(settle));
    ASSERT_TRUE(viewerRunning()) << "the viewer has ended";
    ASSERT_GE(viewer->lines().size(), before + newLines) << joined(viewer->lines());
}

