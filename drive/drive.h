// varnelle_drive: runs a program from the outside, the way a person meets it
// on an X desktop (Linux only). What it offers, in order:
//   1. programs, with a launcher and an environment, their output read live
//      line by line, their end and their /proc figures;
//   2. the desktop: an X display's windows, real key events, pictures;
//   3. a private X server, with a named window manager already at work;
//   4. pictures as PNG files.
// Whatever cannot be started throws std::runtime_error naming it. No Xlib
// type appears here: Xlib's macros clash with GoogleTest's.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Xlib's display connection.
struct _XDisplay;

namespace drive {

// The title of the viewer's window, by which it is found; it ends with a blank.
const char viewerTitle[] = "Varnelle en OpenGL ";

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// ---- 1. Programs -------------------------------------------------------

// Where a program's standard output goes.
enum class Output {
    // A raw pseudo-terminal, also its input and error: lines come as they end.
    terminal,
    // A pipe or a file, read live; the C library fills a block first.
    pipe,
    file,
    // No standard output at all, or /dev/full, where every write fails.
    closed,
    full,
};

// Where its standard error goes, unless the terminal takes it: to ours, or to
// a file that errorOutput() reads.
enum class Errors { inherit, file };

// A variable set in the program's environment, or removed with no value.
struct Variable {
    std::string name;
    std::optional<std::string> value;
};

struct Launch {
    // Words put before the command, such as {"wine"} or {"chroot", ROOT}.
    std::vector<std::string> launcher = {};
    // The program, found on PATH, and its arguments.
    std::vector<std::string> command = {};
    // Changes to this process's environment.
    std::vector<Variable> environment = {};
    Output output = Output::terminal;
    Errors errors = Errors::inherit;
};

// What waitForExit gives when the program did not end with a status.
const int endedBySignal = -1;
const int stillRunning = -2;

// A figure in kB from /proc/PID/status of any process, such as "VmRSS";
// throws if there is none.
long processStatusKb(int pid, const std::string& key);

// Where temporary files go: TMPDIR when it is set and not empty, else /tmp.
std::string temporaryFolder();

class Program {
public:
    explicit Program(const Launch& launch);
    // Stops the program if it still runs.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    int pid() const { return processId; }
    // The clock in the child right before exec.
    Clock::time_point execTime() const;

    // Its standard output: lines without their "\n" (nor a "\r" before it);
    // the bytes as written.
    const std::vector<std::string>& lines() const { return lineTexts; }
    const std::string& output() const { return bytes; }
    // Its standard error, with Errors::file.
    std::string errorOutput() const;

    // Read what arrives until done() holds (true) or the time is up (false);
    // done() is asked first, and then every few milliseconds.
    bool readUntil(Milliseconds timeout, const std::function<bool()>& done);
    // Read what arrives during the period.
    void readFor(Milliseconds period);
    // Wait for the next line equal to the text after the last one found; the
    // time it was read, or none on time-out or end of output.
    std::optional<Clock::time_point> waitForLine(const std::string& text, Milliseconds timeout);
    // Let waitForLine look only at lines read from now on.
    void passOver() { nextLine = lineTexts.size(); }
    // Wait until this many lines have been read in all.
    bool waitForLineCount(size_t count, Milliseconds timeout);
    // Wait until no output arrives for the quiet period.
    bool waitForQuiet(Milliseconds quiet, Milliseconds timeout);

    bool running();
    // Its exit status, once its output is read; endedBySignal, or stillRunning
    // (it is left running).
    int waitForExit(Milliseconds timeout);
    // End it and its process group: SIGTERM, then SIGKILL after a grace.
    void stop();

    // User plus system CPU time of all its threads, in clock ticks.
    long cpuTicks() const;
    // A figure in kB from /proc/PID/status, such as "VmRSS" or "RssAnon".
    long statusKb(const std::string& key) const { return processStatusKb(processId, key); }

private:
    // Start the program; the constructor's body.
    void start(const Launch& launch);
    // Close the descriptors and the shared mapping that are still held.
    void release();
    // Read what is there within the wait; false if nothing came.
    bool readSome(Milliseconds wait);
    void takeLines();
    void closeOutput();

    int processId = -1;
    // Its process group, until stop() has ended it.
    int group = -1;
    int status = 0;
    int outputFd = -1;
    int errorFd = -1;
    bool outputIsFile = false;
    // Shared with the child: its clock just before exec, in nanoseconds.
    long long* sharedExecNanos = nullptr;
    std::string bytes;
    std::string pending;
    std::vector<std::string> lineTexts;
    std::vector<Clock::time_point> lineTimes;
    // The first line waitForLine looks at.
    size_t nextLine = 0;
};

// ---- 2. The desktop ----------------------------------------------------

// An X window id; 0 for none.
using WindowId = unsigned long;

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Geometry& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// The GLX properties of a window's visual.
struct VisualFacts {
    bool rgba = false;
    bool doubleBuffered = false;
    int depthBits = 0;
};

// RGB in [0, 255], origin at the top left.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::array<int, 3>> pixels;
    std::array<int, 3> at(int x, int y) const { return pixels[y * width + x]; }
};

class Desktop {
public:
    // Connect to the display, such as ":3".
    explicit Desktop(const std::string& display);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    Geometry screen() const;
    // True once a window manager maps new windows in frames of its own (it
    // announces itself before it does: probe windows are mapped until one is).
    bool managesWindows(Milliseconds timeout);

    // Windows: the one with this exact title, or whose _NET_WM_PID is pid.
    WindowId findWindow(const std::string& title) const;
    WindowId windowOfProcess(int pid) const;
    // Wait for the program's window to be shown, reading its output; 0 if
    // it ends or time runs out.
    WindowId waitForWindow(const std::string& title, Program& program, Milliseconds timeout);
    bool viewable(WindowId window) const;
    std::string title(WindowId window) const;
    // The drawing area, in screen coordinates.
    Geometry geometry(WindowId window) const;
    VisualFacts visual(WindowId window) const;
    Picture picture(WindowId window) const;
    // Give it the keyboard, as a click on it would.
    void focus(WindowId window);
    // Resize it; ask the window manager to close it, or to take it out of
    // full screen.
    void resize(WindowId window, int width, int height);
    void askToClose(WindowId window);
    void askToLeaveFullScreen(WindowId window);

    // Real key events: characters ('\r' is Return), with Shift when needed;
    // X keysym names ("Escape", "F1"); a held key repeats.
    void pressCharacter(char c);
    void pressKey(const std::string& keysymName);
    void holdDown(char c);
    void release(char c);

private:
    _XDisplay* xDisplay = nullptr;
};

// ---- 3. A private X server ---------------------------------------------

// The screen size of a private X server unless another is asked for, in pixels.
const int defaultScreenWidth = 1280;
const int defaultScreenHeight = 1024;

class Server {
public:
    // Start Xvfb with a 24-bit screen of this size and the named window
    // manager, if any, in a HOME of its own, that maps windows on return.
    Server(int width = defaultScreenWidth, int height = defaultScreenHeight,
           const std::string& windowManager = "");
    // Stops the manager, then the server.
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // The DISPLAY value, such as ":3".
    const std::string& display() const { return displayName; }
    Desktop& desktop() { return *connection; }

private:
    void startManager(const std::string& name, const std::vector<std::string>& command);

    std::unique_ptr<Program> xvfb;
    std::unique_ptr<Program> manager;
    std::unique_ptr<Desktop> connection;
    std::string displayName;
    std::string home;
};

// What a window shows in a rectangle of its own (origin at its top left), as
// read from the X server through any connection: the desktop's, or the one
// a GLUT program draws through. Empty if the rectangle is not all on the
// screen, as while the window leaves full screen.
Picture readWindow(_XDisplay* display, WindowId window, const Geometry& area);

// ---- 4. Pictures as PNG files ------------------------------------------

void savePng(const Picture& picture, const std::string& path);
// Read an 8-bit PNG file as RGB; throws if it cannot.
Picture loadPng(const std::string& path);

} // namespace drive
