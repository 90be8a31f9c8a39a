// The viewer session an end-to-end test drives, on varnelle_drive: one
// private X server (with openbox when asked), the built viewer on it with
// its trace on a terminal, a pipe, a file, or nowhere, and its window.
#pragma once

#include <string>
#include <vector>

#include "drive.h"

using drive::Geometry;
using drive::Picture;
using drive::VisualFacts;
using TraceSink = drive::Output;

// Start a private X server of the given screen size, with openbox or not.
// A failure to start adds a test failure that says why.
bool startServer(bool withWindowManager, int screenWidth = 1280, int screenHeight = 1024);
void stopServer();
std::string displayName();

// Start the viewer (VARNELLE_BINARY in the environment, else the built one)
// with the given extra arguments, and wait for its window to be viewable.
bool startViewer(TraceSink sink, const std::vector<std::string>& arguments = {});
bool viewerRunning();
// Wait for the viewer to end and return its exit status, or -1 on a signal
// or a time-out (it is then killed). The whole of its output is read.
int waitForExit(int timeoutMilliseconds = 5000);
void stopViewer();

// The trace read so far, one entry a line.
const std::vector<std::string>& traceLines();
// Read trace lines until one after the last line matched so far equals the
// given text; false on time-out.
bool waitForLine(const std::string& line, int timeoutMilliseconds = 5000);
// Read trace lines for a moment, to see what else arrives.
void readTraceFor(int milliseconds);
// Bytes written to a pipe or a file.
const std::string& capturedOutput();

// Real key events to the viewer's window.
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
void resizeWindow(int width, int height);
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
