// The end-to-end tests' viewer session: one server, one viewer, its window.
#include "session.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#ifndef VARNELLE_BUILT_BINARY
#define VARNELLE_BUILT_BINARY "varnelle"
#endif

namespace {

const char viewerTitle[] = "Varnelle en OpenGL ";
// How long the viewer gets to show its window.
const drive::Milliseconds windowTimeout(10000);

std::unique_ptr<drive::Server> server;
std::unique_ptr<drive::Program> viewer;
drive::WindowId window = 0;
const std::vector<std::string> noLines;
const std::string noBytes;

drive::Desktop& desktop()
{
    return server->desktop();
}

drive::Milliseconds ms(int milliseconds)
{
    return drive::Milliseconds(milliseconds);
}

// The viewer's command line: the chosen or the built binary, and arguments.
std::vector<std::string> viewerCommand(const std::vector<std::string>& arguments)
{
    const char* chosen = getenv("VARNELLE_BINARY");
    std::vector<std::string> command = {chosen != nullptr ? chosen : VARNELLE_BUILT_BINARY};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

} // namespace

bool startServer(bool withWindowManager, int screenWidth, int screenHeight)
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

void stopServer()
{
    viewer.reset();
    window = 0;
    server.reset();
}

std::string displayName()
{
    return server->display();
}

bool startViewer(TraceSink sink, const std::vector<std::string>& arguments)
{
    drive::Launch launch;
    launch.command = viewerCommand(arguments);
    launch.environment = {{"DISPLAY", server->display()}};
    launch.output = sink;
    viewer.reset();
    viewer = std::make_unique<drive::Program>(launch);
    window = desktop().waitForWindow(viewerTitle, *viewer, windowTimeout);
    if (window != 0) {
        desktop().focus(window);
    }
    return window != 0;
}

bool viewerRunning()
{
    return viewer && viewer->running();
}

int waitForExit(int timeoutMilliseconds)
{
    int status = viewer->waitForExit(ms(timeoutMilliseconds));
    if (status == drive::stillRunning) {
        viewer->stop();
    }
    return status < 0 ? -1 : status;
}

void stopViewer()
{
    if (viewer) {
        viewer->stop();
    }
}

const std::vector<std::string>& traceLines()
{
    return viewer ? viewer->lines() : noLines;
}

bool waitForLine(const std::string& line, int timeoutMilliseconds)
{
    return viewer->waitForLine(line, ms(timeoutMilliseconds)).has_value();
}

void readTraceFor(int milliseconds)
{
    viewer->readFor(ms(milliseconds));
}

const std::string& capturedOutput()
{
    return viewer ? viewer->output() : noBytes;
}

void pressCharacter(char c)
{
    desktop().pressCharacter(c);
}

void pressKey(const std::string& keysymName)
{
    desktop().pressKey(keysymName);
}

void holdCharacter(char c, int milliseconds)
{
    desktop().holdDown(c);
    readTraceFor(milliseconds);
    desktop().release(c);
}

std::string windowTitle()
{
    return desktop().title(window);
}

Geometry clientGeometry()
{
    return desktop().geometry(window);
}

Geometry screenSize()
{
    return desktop().screen();
}

VisualFacts visualFacts()
{
    return desktop().visual(window);
}

Picture takePicture()
{
    return desktop().picture(window);
}

bool waitForSize(int width, int height, int timeoutMilliseconds)
{
    auto end = drive::Clock::now() + ms(timeoutMilliseconds);
    while (drive::Clock::now() < end) {
        Geometry g = clientGeometry();
        if (g.width == width && g.height == height) {
            return true;
        }
        readTraceFor(5);
    }
    return false;
}

void resizeWindow(int width, int height)
{
    desktop().resize(window, width, height);
}

void closeThroughWindowManager()
{
    desktop().askToClose(window);
}

FailedStart runToEnd(const std::vector<std::string>& arguments, const std::string& display,
                     int timeoutMilliseconds)
{
    drive::Launch launch;
    launch.command = viewerCommand(arguments);
    launch.environment = {{"DISPLAY", display.empty() ? std::nullopt : std::optional(display)}};
    launch.output = drive::Output::pipe;
    launch.errors = drive::Errors::file;
    drive::Program run(launch);
    FailedStart result;
    int status = run.waitForExit(ms(timeoutMilliseconds));
    result.timedOut = status == drive::stillRunning;
    result.exited = status >= 0;
    result.status = result.exited ? status : -1;
    result.errorOutput = run.errorOutput();
    return result;
}

void reportFigures(const std::string& what, int inputs, int runs, int endedWell, int lost)
{
    const char* path = getenv("VARNELLE_RELIABILITY_REPORT");
    if (path == nullptr) {
        return;
    }
    FILE* report = fopen(path, "a");
    if (report != nullptr) {
        fprintf(report, "| %s | %d | %d | %d | %d |\n", what.c_str(), inputs, runs, endedWell, lost);
        fclose(report);
    }
}

bool nearColour(const std::array<int, 3>& a, const std::array<int, 3>& b)
{
    const int tolerance = 3;
    for (int i = 0; i < 3; ++i) {
        if (std::abs(a[i] - b[i]) > tolerance) {
            return false;
        }
    }
    return true;
}
