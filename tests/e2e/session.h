// The viewer session an end-to-end test drives: a private X server (with a
// window manager when asked), the viewer on it (or the Windows viewer under
// Wine) with its trace on a terminal, a pipe, a file or nowhere, and its
// window. Times are in milliseconds.
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
#ifndef VARNELLE_WINE_LAUNCHER
#define VARNELLE_WINE_LAUNCHER "wine-launch.sh"
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

// VARNELLE_WINDOWS_BUILD names the Windows build folder: the viewer is then
// its varnelle.exe, started through Wine's launcher (or the program
// VARNELLE_LAUNCHER names); its trace, which a console under Wine would
// redraw, is read through a pipe (lines arrive as written), and its
// standard error must stay empty.
inline std::string windowsBuild()
{
    const char* folder = getenv("VARNELLE_WINDOWS_BUILD");
    return folder != nullptr ? folder : "";
}
inline bool onWindows() { return !windowsBuild().empty(); }
inline std::string windowsViewer() { return windowsBuild() + "/varnelle.exe"; }
// A launch of the program, through VARNELLE_LAUNCHER if set (or Wine's
// launcher for the Windows viewer), on the display (an empty name removes
// DISPLAY).
inline drive::Launch launchOf(std::vector<std::string> command, const std::string& display,
                              TraceSink sink)
{
    const char* program = getenv("VARNELLE_LAUNCHER");
    drive::Launch launch;
    if (program != nullptr) {
        launch.launcher = {program};
    } else if (onWindows()) {
        launch.launcher = {VARNELLE_WINE_LAUNCHER};
    }
    launch.command = std::move(command);
    launch.environment = {{"DISPLAY", display.empty() ? std::nullopt : std::optional(display)}};
    launch.output = onWindows() && sink == TraceSink::terminal ? TraceSink::pipe : sink;
    return launch;
}
// Whether the trace on this sink is read as it is written: on a terminal,
// and on every sink under Wine, whose C library writes each line at once.
inline bool traceArrivesLive(TraceSink sink) { return sink == TraceSink::terminal || onWindows(); }
// Let the viewer go, after checking on Windows that it wrote no error.
inline void endViewer()
{
    if (viewer && onWindows()) {
        viewer->stop();
        EXPECT_EQ(viewer->errorOutput(), "") << "the viewer wrote on its standard error";
    }
    viewer.reset();
}

// A failure to start adds a test failure that says why. An empty name
// starts no window manager.
inline bool startServerUnder(const std::string& windowManager)
{
    try {
        server = std::make_unique<drive::Server>(drive::defaultScreenWidth,
                                                 drive::defaultScreenHeight, windowManager);
        return true;
    } catch (const std::exception& failure) {
        ADD_FAILURE() << failure.what();
        return false;
    }
}
inline void stopServer() { endViewer(); server.reset(); }

// The built viewer (or VARNELLE_BINARY, or the Windows viewer) with these
// arguments.
inline drive::Launch viewerLaunch(const std::vector<std::string>& arguments,
                                  const std::string& display, TraceSink sink)
{
    const char* chosen = getenv("VARNELLE_BINARY");
    std::vector<std::string> command = {chosen != nullptr ? chosen
                                        : onWindows()     ? windowsViewer()
                                                          : VARNELLE_BUILT_BINARY};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return launchOf(command, display, sink);
}
// Start the viewer and wait for its window to be shown; give it the keyboard.
inline bool startViewer(TraceSink sink)
{
    // Generous: a first start in a fresh Debian root loads Mesa from cold.
    const drive::Milliseconds windowTimeout(30000);
    drive::Launch launch = viewerLaunch({}, server->display(), sink);
    launch.errors = onWindows() ? drive::Errors::file : drive::Errors::inherit;
    endViewer();
    viewer = std::make_unique<drive::Program>(launch);
    viewerWindow = desktop().waitForWindow(drive::viewerTitle, *viewer, windowTimeout);
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

// Wait for the next trace line equal to the text after the last one waited for.
inline bool waitForLine(const std::string& line, int timeout = 5000)
{
    return viewer->waitForLine(line, ms(timeout)).has_value();
}
// Hold a key down, so that it repeats.
inline void holdCharacter(char c, int period)
{
    desktop().holdDown(c);
    viewer->readFor(ms(period));
    desktop().release(c);
}

// Wait for the window's drawing area to have this size, or this size and
// place: a window manager may resize the window before it moves it.
inline bool waitForSize(int width, int height, int timeout = 5000)
{
    return viewer->readUntil(ms(timeout), [&] {
        Geometry g = desktop().geometry(viewerWindow);
        return g.width == width && g.height == height;
    });
}
inline bool waitForGeometry(const Geometry& wanted, int timeout = 5000)
{
    return viewer->readUntil(ms(timeout),
                             [&] { return desktop().geometry(viewerWindow) == wanted; });
}

// How far the drawing area lies right of and below the position the viewer
// asks for, with no window manager: nothing on X; on Windows, the frame's
// border and title bar, which the Windows build's frame_probe.exe prints.
inline Geometry frameOffset()
{
    Geometry offset;
    if (!onWindows()) {
        return offset;
    }
    const int timeout = 10000;
    std::string probe = windowsBuild() + "/frame_probe.exe";
    drive::Program run(launchOf({probe}, server->display(), TraceSink::pipe));
    EXPECT_EQ(run.waitForExit(ms(timeout)), 0) << probe;
    EXPECT_EQ(std::sscanf(run.output().c_str(), "%d %d", &offset.x, &offset.y), 2)
        << probe << " printed " << run.output();
    return offset;
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
    drive::Launch launch = viewerLaunch(arguments, display, TraceSink::pipe);
    launch.errors = drive::Errors::file;
    drive::Program run(launch);
    int status = run.waitForExit(ms(timeout));
    bool exited = status >= 0;
    return {exited, exited ? status : -1, status == drive::stillRunning, run.errorOutput()};
}

// Add a row to the report VARNELLE_RELIABILITY_REPORT names, if set: what was
// tried, inputs, runs of the viewer, runs that ended well, trace lines lost.
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
