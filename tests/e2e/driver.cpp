// End-to-end driver: processes, X server, XTest keys and window pictures.
#include "driver.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#ifndef VARNELLE_BUILT_BINARY
#define VARNELLE_BUILT_BINARY "varnelle"
#endif

namespace {

const char viewerTitle[] = "Varnelle en OpenGL ";
// How long to wait for a server, a window manager or a window to appear.
const int startTimeoutMilliseconds = 10000;
const int pollStepMilliseconds = 5;

pid_t serverPid = -1;
pid_t windowManagerPid = -1;
pid_t viewerPid = -1;
int viewerStatus = -1;
std::string serverDisplay;
Display* connection = nullptr;
Window viewerWindow = 0;
int traceFd = -1;
TraceSink traceSink = TraceSink::terminal;
std::string pending;
std::string capturedBytes;
// The file that a file sink writes to, read when the viewer has ended.
FILE* traceFile = nullptr;
std::vector<std::string> lines;
// Lines already passed over by waitForLine.
size_t linesMatched = 0;

using Clock = std::chrono::steady_clock;

Clock::time_point deadline(int milliseconds)
{
    return Clock::now() + std::chrono::milliseconds(milliseconds);
}

void briefPause()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(pollStepMilliseconds));
}

void endProcess(pid_t& pid)
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    pid = -1;
}

// Start a program with DISPLAY set to the private server.
pid_t spawn(const std::vector<std::string>& command)
{
    pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", serverDisplay.c_str(), 1);
        int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        std::vector<char*> argv;
        for (const std::string& word : command) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// In a child process: replace it with the viewer, given its arguments.
[[noreturn]] void execViewer(const std::vector<std::string>& arguments)
{
    const char* chosen = getenv("VARNELLE_BINARY");
    std::string binary = chosen != nullptr ? chosen : VARNELLE_BUILT_BINARY;
    std::vector<char*> argv = {const_cast<char*>(binary.c_str())};
    for (const std::string& word : arguments) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

// Read what the trace holds now, waiting at most the given time for more.
void readTrace(int milliseconds)
{
    if (traceFd < 0) {
        return;
    }
    pollfd p = {traceFd, POLLIN, 0};
    if (poll(&p, 1, milliseconds) <= 0) {
        return;
    }
    char buffer[4096];
    ssize_t count = read(traceFd, buffer, sizeof buffer);
    if (count <= 0) {
        // The viewer has gone and the terminal or pipe is closed.
        close(traceFd);
        traceFd = -1;
        return;
    }
    pending.append(buffer, static_cast<size_t>(count));
    if (traceSink != TraceSink::terminal) {
        capturedBytes.append(buffer, static_cast<size_t>(count));
    }
    size_t end = 0;
    while ((end = pending.find('\n')) != std::string::npos) {
        lines.push_back(pending.substr(0, end));
        pending.erase(0, end + 1);
    }
}

bool hasTitle(Window window)
{
    XTextProperty name = {};
    if (XGetWMName(connection, window, &name) == 0 || name.value == nullptr) {
        return false;
    }
    bool same = name.nitems == strlen(viewerTitle) &&
                memcmp(name.value, viewerTitle, name.nitems) == 0;
    XFree(name.value);
    return same;
}

Window findTitled(Window parent)
{
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(connection, parent, &root, &up, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        found = hasTitle(children[i]) ? children[i] : findTitled(children[i]);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

bool windowManagerReady()
{
    Atom check = XInternAtom(connection, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(connection, DefaultRootWindow(connection), check, 0, 1, False, XA_WINDOW,
                       &type, &format, &count, &after, &data);
    bool ready = count == 1;
    if (data != nullptr) {
        XFree(data);
    }
    return ready;
}

bool viewable(Window window)
{
    XWindowAttributes attributes = {};
    return XGetWindowAttributes(connection, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

// Ignore errors about windows that vanish while they are looked at.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

bool startServer(bool withWindowManager, int screenWidth, int screenHeight)
{
    int displayPipe[2] = {-1, -1};
    if (pipe(displayPipe) != 0) {
        return false;
    }
    std::string screen = std::to_string(screenWidth) + "x" + std::to_string(screenHeight) + "x24";
    serverPid = fork();
    if (serverPid == 0) {
        close(displayPipe[0]);
        int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
        std::string fd = std::to_string(displayPipe[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(displayPipe[1]);
    // The server writes its display number once it accepts clients.
    std::string number;
    pollfd p = {displayPipe[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, startTimeoutMilliseconds) > 0 && read(displayPipe[0], &c, 1) == 1 &&
           c != '\n') {
        number.push_back(c);
    }
    close(displayPipe[0]);
    if (number.empty()) {
        return false;
    }
    serverDisplay = ":" + number;
    XSetErrorHandler(ignoreErrors);
    connection = XOpenDisplay(serverDisplay.c_str());
    if (connection == nullptr) {
        return false;
    }
    if (withWindowManager) {
        windowManagerPid = spawn({"openbox", "--sm-disable"});
        auto end = deadline(startTimeoutMilliseconds);
        while (!windowManagerReady()) {
            if (Clock::now() > end) {
                return false;
            }
            briefPause();
        }
        // The manager announces itself before it manages windows, and a
        // window mapped in between stays unmapped for good. Map probe
        // windows, a new one each time, until the manager shows one.
        const int probeMilliseconds = 300;
        bool mapped = false;
        while (!mapped && Clock::now() < end) {
            Window probe = XCreateSimpleWindow(connection, DefaultRootWindow(connection), 0, 0,
                                               1, 1, 0, 0, 0);
            XMapWindow(connection, probe);
            XSync(connection, False);
            auto probeEnd = deadline(probeMilliseconds);
            while (!mapped && Clock::now() < probeEnd) {
                mapped = viewable(probe);
                briefPause();
            }
            XDestroyWindow(connection, probe);
            XSync(connection, False);
        }
        if (!mapped) {
            return false;
        }
    }
    return true;
}

void stopServer()
{
    stopViewer();
    if (connection != nullptr) {
        XCloseDisplay(connection);
        connection = nullptr;
    }
    endProcess(windowManagerPid);
    endProcess(serverPid);
}

std::string displayName()
{
    return serverDisplay;
}

bool startViewer(TraceSink sink, const std::vector<std::string>& arguments)
{
    lines.clear();
    linesMatched = 0;
    pending.clear();
    capturedBytes.clear();
    viewerStatus = -1;
    viewerWindow = 0;
    traceSink = sink;

    int outputPipe[2] = {-1, -1};
    if (traceFile != nullptr) {
        fclose(traceFile);
        traceFile = nullptr;
    }
    if (sink == TraceSink::file) {
        traceFile = tmpfile();
        viewerPid = fork();
    } else if (sink == TraceSink::closed || sink == TraceSink::full) {
        viewerPid = fork();
    } else if (sink == TraceSink::terminal) {
        // A raw terminal, so that lines end in "\n" alone, as written.
        termios mode = {};
        cfmakeraw(&mode);
        viewerPid = forkpty(&traceFd, nullptr, &mode, nullptr);
    } else {
        if (pipe(outputPipe) != 0) {
            return false;
        }
        viewerPid = fork();
    }
    if (viewerPid == 0) {
        if (sink == TraceSink::pipe) {
            dup2(outputPipe[1], STDOUT_FILENO);
            close(outputPipe[0]);
            close(outputPipe[1]);
        } else if (sink == TraceSink::file) {
            dup2(fileno(traceFile), STDOUT_FILENO);
        } else if (sink == TraceSink::closed) {
            close(STDOUT_FILENO);
        } else if (sink == TraceSink::full) {
            int full = open("/dev/full", O_WRONLY);
            dup2(full, STDOUT_FILENO);
            close(full);
        }
        setenv("DISPLAY", serverDisplay.c_str(), 1);
        execViewer(arguments);
    }
    if (sink == TraceSink::pipe) {
        close(outputPipe[1]);
        traceFd = outputPipe[0];
    }
    auto end = deadline(startTimeoutMilliseconds);
    while (viewerWindow == 0 || !viewable(viewerWindow)) {
        if (Clock::now() > end || waitpid(viewerPid, &viewerStatus, WNOHANG) == viewerPid) {
            return false;
        }
        if (viewerWindow == 0) {
            viewerWindow = findTitled(DefaultRootWindow(connection));
        }
        readTrace(pollStepMilliseconds);
    }
    XSetInputFocus(connection, viewerWindow, RevertToParent, CurrentTime);
    XSync(connection, False);
    return true;
}

bool viewerRunning()
{
    if (viewerPid > 0 && waitpid(viewerPid, &viewerStatus, WNOHANG) == viewerPid) {
        viewerPid = -1;
    }
    return viewerPid > 0;
}

int waitForExit(int timeoutMilliseconds)
{
    auto end = deadline(timeoutMilliseconds);
    while (viewerPid > 0) {
        readTrace(pollStepMilliseconds);
        if (waitpid(viewerPid, &viewerStatus, WNOHANG) == viewerPid) {
            viewerPid = -1;
        } else if (Clock::now() > end) {
            stopViewer();
            return -1;
        }
    }
    // Drain what the viewer wrote before it ended.
    if (traceFile != nullptr) {
        traceFd = dup(fileno(traceFile));
        lseek(traceFd, 0, SEEK_SET);
    }
    while (traceFd >= 0) {
        readTrace(100);
    }
    return WIFEXITED(viewerStatus) ? WEXITSTATUS(viewerStatus) : -1;
}

void stopViewer()
{
    if (viewerPid > 0) {
        kill(viewerPid, SIGKILL);
        waitpid(viewerPid, &viewerStatus, 0);
        viewerPid = -1;
    }
    if (traceFd >= 0) {
        close(traceFd);
        traceFd = -1;
    }
}

const std::vector<std::string>& traceLines()
{
    return lines;
}

bool waitForLine(const std::string& line, int timeoutMilliseconds)
{
    auto end = deadline(timeoutMilliseconds);
    while (Clock::now() < end) {
        for (; linesMatched < lines.size(); ++linesMatched) {
            if (lines[linesMatched] == line) {
                ++linesMatched;
                return true;
            }
        }
        readTrace(pollStepMilliseconds);
    }
    return false;
}

void readTraceFor(int milliseconds)
{
    auto end = deadline(milliseconds);
    while (Clock::now() < end) {
        readTrace(pollStepMilliseconds);
    }
}

const std::string& capturedOutput()
{
    return capturedBytes;
}

namespace {

void tapKeycode(KeyCode code, bool shift)
{
    KeyCode shiftCode = XKeysymToKeycode(connection, XK_Shift_L);
    if (shift) {
        XTestFakeKeyEvent(connection, shiftCode, True, CurrentTime);
    }
    XTestFakeKeyEvent(connection, code, True, CurrentTime);
    XTestFakeKeyEvent(connection, code, False, CurrentTime);
    if (shift) {
        XTestFakeKeyEvent(connection, shiftCode, False, CurrentTime);
    }
    XSync(connection, False);
}

} // namespace

namespace {

// The key for a character, and whether Shift is needed to type it. Printable
// Latin-1 characters are their own keysyms.
KeyCode keyFor(char c, bool& shift)
{
    KeySym symbol = c == '\r' ? XK_Return : static_cast<KeySym>(static_cast<unsigned char>(c));
    KeyCode code = XKeysymToKeycode(connection, symbol);
    shift = XkbKeycodeToKeysym(connection, code, 0, 0) != symbol;
    return code;
}

} // namespace

void pressCharacter(char c)
{
    bool shift = false;
    KeyCode code = keyFor(c, shift);
    tapKeycode(code, shift);
}

void holdCharacter(char c, int milliseconds)
{
    bool shift = false;
    KeyCode code = keyFor(c, shift);
    KeyCode shiftCode = XKeysymToKeycode(connection, XK_Shift_L);
    if (shift) {
        XTestFakeKeyEvent(connection, shiftCode, True, CurrentTime);
    }
    XTestFakeKeyEvent(connection, code, True, CurrentTime);
    XSync(connection, False);
    readTraceFor(milliseconds);
    XTestFakeKeyEvent(connection, code, False, CurrentTime);
    if (shift) {
        XTestFakeKeyEvent(connection, shiftCode, False, CurrentTime);
    }
    XSync(connection, False);
}

void pressKey(const std::string& keysymName)
{
    tapKeycode(XKeysymToKeycode(connection, XStringToKeysym(keysymName.c_str())), false);
}

std::string windowTitle()
{
    XTextProperty name = {};
    std::string title;
    if (XGetWMName(connection, viewerWindow, &name) != 0 && name.value != nullptr) {
        title.assign(reinterpret_cast<char*>(name.value), name.nitems);
        XFree(name.value);
    }
    return title;
}

Geometry clientGeometry()
{
    XWindowAttributes attributes = {};
    XGetWindowAttributes(connection, viewerWindow, &attributes);
    Window child = 0;
    Geometry g;
    XTranslateCoordinates(connection, viewerWindow, DefaultRootWindow(connection), 0, 0, &g.x,
                          &g.y, &child);
    g.width = attributes.width;
    g.height = attributes.height;
    return g;
}

Geometry screenSize()
{
    Geometry g;
    g.width = DisplayWidth(connection, DefaultScreen(connection));
    g.height = DisplayHeight(connection, DefaultScreen(connection));
    return g;
}

VisualFacts visualFacts()
{
    XWindowAttributes attributes = {};
    XGetWindowAttributes(connection, viewerWindow, &attributes);
    XVisualInfo wanted = {};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(connection, VisualIDMask, &wanted, &count);
    VisualFacts facts;
    if (info != nullptr && count > 0) {
        int value = 0;
        glXGetConfig(connection, info, GLX_RGBA, &value);
        facts.rgba = value != 0;
        glXGetConfig(connection, info, GLX_DOUBLEBUFFER, &value);
        facts.doubleBuffered = value != 0;
        glXGetConfig(connection, info, GLX_DEPTH_SIZE, &facts.depthBits);
        XFree(info);
    }
    return facts;
}

Picture takePicture()
{
    Picture picture;
    XSync(connection, False);
    Geometry g = clientGeometry();
    XImage* image = XGetImage(connection, viewerWindow, 0, 0, static_cast<unsigned>(g.width),
                              static_cast<unsigned>(g.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return picture;
    }
    picture.width = g.width;
    picture.height = g.height;
    picture.pixels.reserve(static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            picture.pixels.push_back({static_cast<int>((pixel & image->red_mask) >> 16),
                                      static_cast<int>((pixel & image->green_mask) >> 8),
                                      static_cast<int>(pixel & image->blue_mask)});
        }
    }
    XDestroyImage(image);
    return picture;
}

bool waitForSize(int width, int height, int timeoutMilliseconds)
{
    auto end = deadline(timeoutMilliseconds);
    while (Clock::now() < end) {
        Geometry g = clientGeometry();
        if (g.width == width && g.height == height) {
            return true;
        }
        readTrace(pollStepMilliseconds);
    }
    return false;
}

void resizeWindow(int width, int height)
{
    XResizeWindow(connection, viewerWindow, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XFlush(connection);
}

FailedStart runToEnd(const std::vector<std::string>& arguments, const std::string& display,
                     int timeoutMilliseconds)
{
    int errorPipe[2] = {-1, -1};
    FailedStart result;
    if (pipe(errorPipe) != 0) {
        return result;
    }
    pid_t pid = fork();
    if (pid == 0) {
        dup2(errorPipe[1], STDERR_FILENO);
        close(errorPipe[0]);
        close(errorPipe[1]);
        if (display.empty()) {
            unsetenv("DISPLAY");
        } else {
            setenv("DISPLAY", display.c_str(), 1);
        }
        execViewer(arguments);
    }
    close(errorPipe[1]);
    fcntl(errorPipe[0], F_SETFL, O_NONBLOCK);
    auto end = deadline(timeoutMilliseconds);
    int status = 0;
    char buffer[1024];
    while (waitpid(pid, &status, WNOHANG) != pid) {
        ssize_t count = read(errorPipe[0], buffer, sizeof buffer);
        if (count > 0) {
            result.errorOutput.append(buffer, static_cast<size_t>(count));
        }
        if (Clock::now() > end) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        briefPause();
    }
    ssize_t count = 0;
    while ((count = read(errorPipe[0], buffer, sizeof buffer)) > 0) {
        result.errorOutput.append(buffer, static_cast<size_t>(count));
    }
    close(errorPipe[0]);
    result.exited = !result.timedOut && WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : -1;
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

void closeThroughWindowManager()
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = viewerWindow;
    event.xclient.message_type = XInternAtom(connection, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    // Timestamp, then the source: 2 for a pager or a user's direct action.
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2;
    XSendEvent(connection, DefaultRootWindow(connection), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(connection, False);
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
