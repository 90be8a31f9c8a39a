// Checks shared by the end-to-end tests: a fixture that starts the viewer,
// the trace as text, and waiting on the window's picture.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "session.h"

// Window colours, RGB in 0..255.
const std::array<int, 3> grey = {128, 128, 128};
const std::array<int, 3> white = {255, 255, 255};
const std::array<int, 3> black = {0, 0, 0};

// The viewer on a private X server, with or without a window manager.
class Viewer : public testing::Test {
protected:
    void start(bool withWindowManager, TraceSink sink = TraceSink::terminal)
    {
        ASSERT_TRUE(startServer(withWindowManager)) << "no private X server";
        ASSERT_TRUE(startViewer(sink)) << "the viewer's window did not show";
    }
    void TearDown() override { stopServer(); }
};

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
bool waitForPicture(Condition condition)
{
    for (int attempt = 0; attempt < 500; ++attempt) {
        Picture p = takePicture();
        if (p.width > 0 && condition(p)) {
            return true;
        }
        readTraceFor(10);
    }
    return false;
}

inline bool waitForPixel(int x, int y, const std::array<int, 3>& colour)
{
    return waitForPicture([&](const Picture& p) {
        return p.width > x && p.height > y && nearColour(p.at(x, y), colour);
    });
}

// Press a key, or send a special key, and wait for the given number of new
// trace lines.
template <typename Send>
void sendAndWait(Send send, size_t newLines)
{
    size_t before = traceLines().size();
    send();
    for (int attempt = 0; attempt < 1000 && traceLines().size() < before + newLines; ++attempt) {
        if (!viewerRunning()) {
            break;
        }
        readTraceFor(5);
    }
    ASSERT_TRUE(viewerRunning()) << "the viewer has ended";
    ASSERT_GE(traceLines().size(), before + newLines) << joined(traceLines());
}

// The strongest channels of a colour, as a bit mask of these.
const int redChannel = 1;
const int greenChannel = 2;
const int blueChannel = 4;
inline int dominant(const std::array<int, 3>& c)
{
    const int margin = 40;
    const int dark = 25;
    int top = std::max({c[0], c[1], c[2]});
    int mask = 0;
    for (int i = 0; i < 3; ++i) {
        mask |= (c[i] > top - margin && c[i] > dark) ? 1 << i : 0;
    }
    return mask;
}
