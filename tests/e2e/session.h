// The viewer session an end-to-end test drives, on varnelle_drive: one
// private X server (with openbox when asked), the built viewer on it (or
// VARNELLE_BINARY) with its trace on a terminal, a pipe, a file or nowhere,
// and its window. Times are in milliseconds.
#pragma once

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drive.h"

#ifndef VARNELLE_BUILT_BINARY
#define VARNELLE_BUILT_BINARY "varnelle"
#endif

using drive::Geometry;
using drive::Picture;
using drive::VisualFacts;
using TraceSink = drive::Output;

inline std::unique_ptr<drive::Server> server;
inline std::unique_ptr<drive::Program> viewer;
inline drive::WindowId viewerWindow = 0;

inline drive::Desktop& desktop() { return server->desktop(); }
inline drive::Milliseconds ms(int milliseconds) { return drive::Milliseconds(milliseconds); }

// A failure to start adds a test failure that says why.
inline bool startServer(bool withWindowManager, int screenWidth = 1280, int screenHeight = 1024)
{
    try {
        server = std::make_unique<drive::Server>(screenWidth, screenHeight,
                                                 withWindowManager ? "openbox" : "");
        return true;
    } catch (const std::exception& failure) {
        ADD_FAILURE() << failure.what();
        return false;
    }
}
inline void stopServer() { viewer.reset(); server.reset(); }
inline std::string displayName() { return server->display(); }

// The viewer's launch, with its trace on the sink.
inline drive::Launch viewerLaunch(const std::vector<std::string>& arguments, TraceSink sink)
{
    const char* chosen = getenv("VARNELLE_BINARY");
    drive::Launch launch;
    launch.command = {chosen != nullptr ? chosen : VARNELLE_BUILT_BINARY};
    launch.command.insert(launch.command.end(), arguments.begin(), arguments.end());
    launch.output = sink;
    return launch;
}
// Start the viewer and wait for its window to be shown; give it the keyboard.
inline bool startViewer(TraceSink sink, const std::vector<std::string>& arguments = {})
{
    const drive::Milliseconds windowTimeout(10000);
    drive::Launch launch = viewerLaunch(arguments, sink);
    launch.environment = {{"DISPLAY", server->display()}};
    viewer.reset();
    viewer = std::make_unique<drive::Program>(launch);
    viewerWindow = desktop().waitForWindow("Varnelle en OpenGL ", *viewer, windowTimeout);
    if (viewerWindow != 0) {
        desktop().focus(viewerWindow);
    }
    return viewerWindow != 0;
}
inline bool viewerRunning() { return viewer && viewer->running(); }
// The viewer's exit status, or -1 on a signal or a time-out (it is then ended).
inline int waitForExit(int timeout = 5000)
{
    int status = viewer->waitForExit(ms(timeout));
    viewer->stop();
    return status < 0 ? -1 : status;
}

// The trace: lines read so far; wait for the next one equal to the text
// after the last one waited for; read for a while; the bytes as written.
inline const std::vector<std::string>& traceLines() { return viewer->lines(); }
inline bool waitForLine(const std::string& line, int timeout = 5000)
{
    return viewer->waitForLine(line, ms(timeout)).has_value();
}
inline void readTraceFor(int period) { viewer->readFor(ms(period)); }
inline const std::string& capturedOutput() { return viewer->output(); }

// Real key events; a held key repeats.
inline void pressCharacter(char c) { desktop().pressCharacter(c); }
inline void pressKey(const std::string& keysymName) { desktop().pressKey(keysymName); }
inline void holdCharacter(char c, int period)
{
    desktop().holdDown(c);
    readTraceFor(period);
    desktop().release(c);
}

// The viewer's window, as the X server sees it.
inline std::string windowTitle() { return desktop().title(viewerWindow); }
inline Geometry clientGeometry() { return desktop().geometry(viewerWindow); }
inline Geometry screenSize() { return desktop().screen(); }
inline VisualFacts visualFacts() { return desktop().visual(viewerWindow); }
inline Picture takePicture() { return desktop().picture(viewerWindow); }
inline void resizeWindow(int width, int height) { desktop().resize(viewerWindow, width, height); }
inline void closeThroughWindowManager() { desktop().askToClose(viewerWindow); }
inline bool waitForSize(int width, int height, int timeout = 5000)
{
    const int step = 5;
    auto end = drive::Clock::now() + ms(timeout);
    Geometry g = clientGeometry();
    for (; g.width != width || g.height != height; g = clientGeometry()) {
        if (drive::Clock::now() > end) {
            return false;
        }
        readTraceFor(step);
    }
    return true;
}

// How a run of the viewer that is expected to fail at start ended.
struct FailedStart {
    bool exited = false;
    int status = -1;
    bool timedOut = false;
    std::string errorOutput;
};
// Run the viewer to its end; with an empty display name, without DISPLAY.
inline FailedStart runToEnd(const std::vector<std::string>& arguments, const std::string& display,
                            int timeout = 10000)
{
    drive::Launch launch = viewerLaunch(arguments, TraceSink::pipe);
    launch.environment = {{"DISPLAY", display.empty() ? std::nullopt : std::optional(display)}};
    launch.errors = drive::Errors::file;
    drive::Program run(launch);
    int status = run.waitForExit(ms(timeout));
    bool exited = status >= 0;
    return {exited, exited ? status : -1, status == drive::stillRunning, run.errorOutput()};
}

// Add a row to the reliability report named by VARNELLE_RELIABILITY_REPORT,
// if that is set: what was tried, how many inputs, in how many runs of the
// viewer, how many of those runs ended well, and how many trace lines were
// lost.
inline void reportFigures(const std::string& what, int inputs, int runs, int endedWell, int lost)
{
    const char* path = getenv("VARNELLE_RELIABILITY_REPORT");
    FILE* report = path != nullptr ? fopen(path, "a") : nullptr;
    if (report != nullptr) {
        fprintf(report, "| %s | %d | %d | %d | %d |\n", what.c_str(), inputs, runs, endedWell,
                lost);
        fclose(report);
    }
}

// True if two colours differ by at most 3 in every channel.
inline bool nearColour(const std::array<int, 3>& a, const std::array<int, 3>& b)
{
    const int tolerance = 3;
    return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
           std::abs(a[2] - b[2]) <= tolerance;
}
