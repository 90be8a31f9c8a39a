// End-to-end driver: runs the real viewer on a private X server, the way a
// person uses it. Starts Xvfb (and a window manager when asked), starts the
// viewer with its trace on a pseudo-terminal or a pipe, sends real key events
// through XTest, and reads the window's geometry and picture back.
//
// No Xlib type appears here: Xlib's macros clash with GoogleTest's.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Where the trace goes: a terminal (read live, line by line), a pipe or a
// file (block-buffered by the C library, so read whole when the viewer has
// ended), a closed standard output, or a device that is always full.
enum class TraceSink { terminal, pipe, file, closed, full };

// A picture of the window: RGB in [0, 255], origin at the top left.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::array<int, 3>> pixels;
    std::array<int, 3> at(int x, int y) const { return pixels[y * width + x]; }
};

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The GLX properties of the window's visual.
struct VisualFacts {
    bool rgba = false;
    bool doubleBuffered = false;
    int depthBits = 0;
};

// Start a private X server of the given screen size; with a window manager,
// start openbox and wait until it has taken over the screen.
bool startServer(bool withWindowManager, int screenWidth = 1280, int screenHeight = 1024);
void stopServer();
// The DISPLAY value of the private server, for example ":3".
std::string displayName();

// Start the viewer (VARNELLE_BINARY in the environment, else the built one)
// with the given extra arguments, and wait for its window to be viewable.
bool startViewer(TraceSink sink, const std::vector<std::string>& arguments = {});
// True while the viewer runs.
bool viewerRunning();
// Wait for the viewer to end and return its exit status, or -1 on a signal
// or a time-out. The whole of its remaining output is collected.
int waitForExit(int timeoutMilliseconds = 5000);
// Kill the viewer if it still runs.
void stopViewer();

// The trace read so far, one entry a line, and the next line to arrive.
const std::vector<std::string>& traceLines();
// Read trace lines until one after the last line matched so far equals the
// given text; false on time-out.
bool waitForLine(const std::string& line, int timeoutMilliseconds = 5000);
// Read trace lines for a moment, to see what else arrives.
void readTraceFor(int milliseconds);
// Bytes written to a pipe or a file, once the viewer has ended.
const std::string& capturedOutput();

// Real key events through XTest. Characters use Shift where the keyboard
// map needs it; names are X keysym names ("Return", "Escape", "Up", "F1").
void pressCharacter(char c);
void pressKey(const std::string& keysymName);
// Hold a character's key down for a while, so that the server repeats it.
void holdCharacter(char c, int milliseconds);

// The viewer's window, as the X server sees it.
std::string windowTitle();
Geometry clientGeometry();
Geometry screenSize();
VisualFacts visualFacts();
Picture takePicture();
// Wait until the window's client area has the given size.
bool waitForSize(int width, int height, int timeoutMilliseconds = 5000);
// Resize the window as a window manager would.
void resizeWindow(int width, int height);
// Ask the window manager to close the window, as its close button does.
void closeThroughWindowManager();

// How a run of the viewer that is expected to fail at start ended.
struct FailedStart {
    bool exited = false;
    int status = -1;
    bool timedOut = false;
    std::string errorOutput;
};
// Run the viewer to its end with the given arguments; with an empty display
// name, DISPLAY is removed from its environment.
FailedStart runToEnd(const std::vector<std::string>& arguments, const std::string& display,
                     int timeoutMilliseconds = 10000);

// Add a row to the reliability report named by VARNELLE_RELIABILITY_REPORT,
// if that is set: what was tried, how many inputs, in how many runs of the
// viewer, how many of those runs ended well, and how many trace lines were
// lost.
void reportFigures(const std::string& what, int inputs, int runs, int endedWell, int lost);

// True if two colours differ by at most 3 in every channel.
bool nearColour(const std::array<int, 3>& a, const std::array<int, 3>& b);
