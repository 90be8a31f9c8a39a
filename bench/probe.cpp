// Varnelle benchmark probe: measures a GLUT program from the outside, as a
// user meets it, through its trace lines read live on a pseudo-terminal and
// real key events sent with the XTest extension.
//
//   varnelle_probe wait-wm
//       wait until the window manager maps new windows (it takes the
//       screen before it is ready to, and a window mapped in between can
//       stay unmapped for good)
//   varnelle_probe first-frame PROGRAM [ARG...]
//       time from exec to the first "D" line (PROGRAM may be a tool such as
//       valgrind that runs the program under test)
//   varnelle_probe session PROGRAM PRESSES FRAMES IDLE_SECONDS
//       first frame, then CPU ticks over IDLE_SECONDS of an idle shown
//       window, then PRESSES timed presses of f (key-to-"D" latency and the
//       sender's own cost), then more presses up to FRAMES frames in all,
//       with the resident memory read after the first frames and then
//       every hundred frames
//
// Results are printed one per line as "name value...", times in
// microseconds, for the benchmark script to gather.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include "traced_process.h"

namespace {

using std::chrono::milliseconds;

// How long a program gets to show its first frame.
const milliseconds firstFrameTimeout(20000);
// Start-up is over once the trace has been silent this long.
const milliseconds settleQuiet(1000);
const milliseconds settleTimeout(10000);
// How long one key press gets to bring its frame.
const milliseconds frameTimeout(2000);
// Pace of the timed presses, about a fast typist's, so that each press
// meets an idle viewer.
const milliseconds latencyPace(100);
// Pace of the presses that only make frames for the memory figure.
const milliseconds memoryPace(30);
// Resident memory is read after the first frames, where one-off costs show,
// and then after every hundred frames.
const int memoryEarlyFrames[] = {1, 2, 10};
const int memorySampleEvery = 100;
// The window manager gets this long to map a test window, and this many
// tries.
const milliseconds managerMapTimeout(1000);
const int managerTries = 20;
const int waitArguments = 2;
const int sessionArguments = 6;
const int firstFrameArguments = 3;
const int commandStart = 2;

long microsBetween(TimePoint from, TimePoint to)
{
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::microseconds>(to - from).count());
}

void printList(const char* name, const std::vector<long>& values)
{
    printf("%s", name);
    for (long v : values) {
        printf(" %ld", v);
    }
    printf("\n");
}

// Find the top-level client window whose _NET_WM_PID is `pid`, below `parent`.
Window findWindowOfPid(Display* display, Window parent, pid_t pid, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, parent, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success
        && data != nullptr) {
        bool match = count == 1 && static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
        XFree(data);
        if (match) {
            return parent;
        }
    }
    Window root = None;
    Window up = None;
    Window* children = nullptr;
    unsigned int childCount = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &childCount)) {
        return None;
    }
    Window found = None;
    for (unsigned int i = 0; i < childCount && found == None; ++i) {
        found = findWindowOfPid(display, children[i], pid, pidAtom);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

// Sends real key events to the program's window through XTest.
class KeySender {
public:
    explicit KeySender(pid_t pid)
    {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) {
            throw std::runtime_error("cannot open the X display");
        }
        int eventBase = 0;
        int errorBase = 0;
        int major = 0;
        int minor = 0;
        if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
            throw std::runtime_error("the X server has no XTest extension");
        }
        Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
        window = findWindowOfPid(display, DefaultRootWindow(display), pid, pidAtom);
        if (window == None) {
            throw std::runtime_error("no window with the program's _NET_WM_PID");
        }
        // Give the window the keyboard, as a click on it would.
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
    }

    ~KeySender() { XCloseDisplay(display); }

    KeySender(const KeySender&) = delete;
    KeySender& operator=(const KeySender&) = delete;

    // Press and release the key; returns once the server has both events.
    void press(KeySym symbol)
    {
        KeyCode code = XKeysymToKeycode(display, symbol);
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        XSync(display, False);
    }

private:
    Display* display = nullptr;
    Window window = None;
};

// Map a small window and wait for the window manager to reparent and map it.
bool managerMapsWindow(Display* display)
{
    const int side = 10;
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, side, side,
                                        0, 0, 0);
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    XFlush(display);
    bool reparented = false;
    bool mapped = false;
    auto deadline = std::chrono::steady_clock::now() + managerMapTimeout;
    while (!(reparented && mapped) && std::chrono::steady_clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event{};
            XNextEvent(display, &event);
            reparented = reparented || event.type == ReparentNotify;
            mapped = mapped || event.type == MapNotify;
        }
        pollfd entry{ConnectionNumber(display), POLLIN, 0};
        poll(&entry, 1, static_cast<int>(managerMapTimeout.count()) / managerTries);
    }
    XDestroyWindow(display, window);
    XSync(display, False);
    return reparented && mapped;
}

int waitForManager()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fprintf(stderr, "varnelle_probe: cannot open the X display\n");
        return 1;
    }
    bool ready = false;
    for (int i = 0; i < managerTries && !ready; ++i) {
        ready = managerMapsWindow(display);
    }
    XCloseDisplay(display);
    if (!ready) {
        fprintf(stderr, "varnelle_probe: the window manager maps no window\n");
        return 1;
    }
    return 0;
}

// Wait for the program's first "D" and print the time to it since exec;
// false, with what the program wrote, if no frame came.
bool reportFirstFrame(TracedProcess& process, const std::string& program)
{
    TimePoint seen;
    if (!process.waitForLine("D", firstFrameTimeout, seen)) {
        fprintf(stderr, "varnelle_probe: %s drew no frame; its output:\n%s\n", program.c_str(),
                process.transcript().c_str());
        return false;
    }
    printf("first_frame_us %ld\n", microsBetween(process.execTime(), seen));
    return true;
}

int firstFrame(const std::vector<std::string>& command)
{
    const std::string& program = command.front();
    TracedProcess process(command);
    return reportFirstFrame(process, program) ? 0 : 1;
}

int session(const std::string& program, int presses, int frames, int idleSeconds)
{
    TracedProcess process({program});
    if (!reportFirstFrame(process, program)) {
        return 1;
    }
    if (!process.waitForQuiet(settleQuiet, settleTimeout)) {
        fprintf(stderr, "varnelle_probe: %s kept drawing after start-up\n", program.c_str());
        return 1;
    }

    // Idle: the window is shown and nothing happens to it.
    long ticksBefore = process.cpuTicks();
    int idleLines = process.countLinesDuring(milliseconds(idleSeconds * 1000));
    long ticksAfter = process.cpuTicks();
    printf("idle_ticks %ld\nidle_lines %d\nidle_seconds %d\nclock_ticks_per_second %ld\n",
           ticksAfter - ticksBefore, idleLines, idleSeconds, sysconf(_SC_CLK_TCK));

    // Pairs of frame count and kB: the resident set and its anonymous part.
    // The kernel here may page out cold file-backed pages (code) at any
    // time; with no swap it cannot page out anonymous ones, so a leak shows
    // in RssAnon whatever it does.
    std::vector<long> residentKb{0, process.statusKb("VmRSS")};
    std::vector<long> anonymousKb{0, process.statusKb("RssAnon")};
    std::vector<long> latencies;
    std::vector<long> senderCosts;
    KeySender sender(process.pid());
    for (int frame = 1; frame <= frames; ++frame) {
        bool timed = frame <= presses;
        TimePoint start = std::chrono::steady_clock::now();
        sender.press(XK_f);
        TimePoint sent = std::chrono::steady_clock::now();
        TimePoint seen;
        if (!process.waitForLine("D", frameTimeout, seen)) {
            fprintf(stderr, "varnelle_probe: no frame after press %d; output:\n%s\n", frame,
                    process.transcript().c_str());
            return 1;
        }
        if (timed) {
            latencies.push_back(microsBetween(start, seen));
            senderCosts.push_back(microsBetween(start, sent));
        }
        // The "D" line starts the frame; by the end of the pause it is drawn,
        // so memory is read between frames, not in the middle of one.
        std::this_thread::sleep_until(start + (timed ? latencyPace : memoryPace));
        bool early = std::find(std::begin(memoryEarlyFrames), std::end(memoryEarlyFrames), frame)
                     != std::end(memoryEarlyFrames);
        if (early || frame % memorySampleEvery == 0) {
            residentKb.push_back(frame);
            residentKb.push_back(process.statusKb("VmRSS"));
            anonymousKb.push_back(frame);
            anonymousKb.push_back(process.statusKb("RssAnon"));
        }
    }
    printList("latency_us", latencies);
    printList("sender_us", senderCosts);
    printList("resident_kb", residentKb);
    printList("anonymous_kb", anonymousKb);
    printf("frames %d\nkey_lines %d\nerror_lines %d\n", frames, process.linesSeen("K"),
           process.linesStartingWith("Attention"));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        std::string command = argc > 1 ? argv[1] : "";
        if (command == "wait-wm" && argc == waitArguments) {
            return waitForManager();
        }
        if (command == "first-frame" && argc >= firstFrameArguments) {
            return firstFrame(std::vector<std::string>(argv + commandStart, argv + argc));
        }
        if (command == "session" && argc == sessionArguments) {
            return session(argv[2], atoi(argv[3]), atoi(argv[4]), atoi(argv[5]));
        }
    } catch (const std::exception& failure) {
        fprintf(stderr, "varnelle_probe: %s\n", failure.what());
        return 1;
    }
    fprintf(stderr,
            "usage: %s wait-wm\n"
            "       %s first-frame PROGRAM [ARG...]\n"
            "       %s session PROGRAM PRESSES FRAMES IDLE_SECONDS\n",
            argv[0], argv[0], argv[0]);
    return 2;
}
