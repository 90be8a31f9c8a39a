// The desktop as a client of the X server sees it: windows, their drawing
// area, visual and picture, real key events through XTest, and whether a
// window manager maps windows.
#include "drive.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <vector>

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace drive {

namespace {

const Milliseconds pollStep(5);
// How long one probe window gets to be shown by the window manager.
const Milliseconds probeWait(300);

// The code of the last X error a request brought, 0 for none. Xlib hands
// errors to one handler for the whole process, which notes them here instead
// of ending the process; each request is then checked, or its errors
// forgotten where they are expected (a window that vanishes while it is
// looked at).
int lastErrorCode = 0;

int noteError(Display*, XErrorEvent* event)
{
    lastErrorCode = event->error_code;
    return 0;
}

// Wait for the server's answers to what was sent, and throw if one of them
// was an error.
void check(Display* display, const std::string& what)
{
    XSync(display, False);
    if (lastErrorCode != 0) {
        char text[256] = "";
        XGetErrorText(display, lastErrorCode, text, sizeof text);
        lastErrorCode = 0;
        throw std::runtime_error(what + ": " + text);
    }
}

// Wait for the server's answers and forget the errors among them.
void forgetErrors(Display* display)
{
    XSync(display, False);
    lastErrorCode = 0;
}

std::string windowName(WindowId window)
{
    char text[32] = "";
    snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

// A window property of one item, or false.
bool propertyItem(Display* display, Window window, Atom property, Atom type, unsigned long& value)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool found = XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType,
                                    &format, &count, &after, &data) == Success &&
                 data != nullptr && count == 1;
    if (found) {
        value = *reinterpret_cast<unsigned long*>(data);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return found;
}

// A window's title, or "" if it has none or has gone.
std::string titleOf(Display* display, Window window)
{
    XTextProperty name{};
    std::string text;
    if (XGetWMName(display, window, &name) != 0 && name.value != nullptr) {
        text.assign(reinterpret_cast<char*>(name.value), name.nitems);
        XFree(name.value);
    }
    return text;
}

// The children of a window, and its parent.
std::vector<Window> childrenOf(Display* display, Window window, Window& parent)
{
    Window root = None;
    Window* children = nullptr;
    unsigned int count = 0;
    parent = None;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
        return {};
    }
    std::vector<Window> result(children, children + count);
    if (children != nullptr) {
        XFree(children);
    }
    return result;
}

// The first window below `parent`, depth first, that satisfies `wanted`.
template <typename Wanted>
Window findBelow(Display* display, Window window, const Wanted& wanted)
{
    if (wanted(window)) {
        return window;
    }
    Window parent = None;
    for (Window child : childrenOf(display, window, parent)) {
        Window found = findBelow(display, child, wanted);
        if (found != None) {
            return found;
        }
    }
    return None;
}

// The key for a character, and whether Shift is needed to type it: the lowest
// keycode that gives it plain or shifted, in the main block a person uses
// (Wine turns the keypad's parentheses, later on, into no character).
// Printable Latin-1 characters are their own keysyms.
KeyCode keyFor(Display* display, char c, bool& shift)
{
    KeySym symbol = c == '\r' ? XK_Return : static_cast<KeySym>(static_cast<unsigned char>(c));
    int lowest = 0;
    int highest = 0;
    XDisplayKeycodes(display, &lowest, &highest);
    const int shiftLevel = 1;
    for (int code = lowest; code <= highest; ++code) {
        for (int level = 0; level <= shiftLevel; ++level) {
            if (XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), 0, level) == symbol) {
                shift = level == shiftLevel;
                return static_cast<KeyCode>(code);
            }
        }
    }
    shift = false;
    return XKeysymToKeycode(display, symbol);
}

// Press a key and let it go, or do one of the two, with Shift if asked;
// returns once the server has the events.
void sendKey(Display* display, KeyCode code, bool shift, bool press, bool letGo)
{
    KeyCode shiftCode = XKeysymToKeycode(display, XK_Shift_L);
    if (shift && press) {
        XTestFakeKeyEvent(display, shiftCode, True, CurrentTime);
    }
    if (press) {
        XTestFakeKeyEvent(display, code, True, CurrentTime);
    }
    if (letGo) {
        XTestFakeKeyEvent(display, code, False, CurrentTime);
    }
    if (shift && letGo) {
        XTestFakeKeyEvent(display, shiftCode, False, CurrentTime);
    }
    check(display, "cannot send a key event");
}

void sendCharacter(Display* display, char c, bool press, bool letGo)
{
    bool shift = false;
    KeyCode code = keyFor(display, c, shift);
    sendKey(display, code, shift, press, letGo);
}

// Send a request about a window to the window manager, as a pager would.
void askWindowManager(Display* d, WindowId window, const char* request,
                      const std::array<long, 4>& data)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, request, False);
    event.xclient.format = 32;
    for (size_t i = 0; i < data.size(); ++i) {
        event.xclient.data.l[i] = data[i];
    }
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    check(d, std::string("cannot send ") + request + " to the window manager");
}

// The source of a request: 2 for a pager or a user's direct action.
const long fromUser = 2;
const long removeState = 0;

} // namespace

Desktop::Desktop(const std::string& display)
{
    XSetErrorHandler(noteError);
    xDisplay = XOpenDisplay(display.c_str());
    if (xDisplay == nullptr) {
        throw std::runtime_error("cannot open the X display " + display);
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(xDisplay, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(xDisplay);
        throw std::runtime_error("the X display " + display + " has no XTest extension");
    }
}

Desktop::~Desktop()
{
    XCloseDisplay(xDisplay);
}

Geometry Desktop::screen() const
{
    Geometry g;
    g.width = DisplayWidth(xDisplay, DefaultScreen(xDisplay));
    g.height = DisplayHeight(xDisplay, DefaultScreen(xDisplay));
    return g;
}

bool Desktop::managesWindows(Milliseconds timeout)
{
    Window root = DefaultRootWindow(xDisplay);
    Atom supportingCheck = XInternAtom(xDisplay, "_NET_SUPPORTING_WM_CHECK", False);
    auto end = Clock::now() + timeout;
    unsigned long announced = None;
    while (!propertyItem(xDisplay, root, supportingCheck, XA_WINDOW, announced)) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(pollStep);
    }
    bool shown = false;
    while (!shown && Clock::now() < end) {
        Window probe = XCreateSimpleWindow(xDisplay, root, 0, 0, 1, 1, 0, 0, 0);
        XMapWindow(xDisplay, probe);
        XSync(xDisplay, False);
        auto probeEnd = Clock::now() + probeWait;
        while (!shown && Clock::now() < probeEnd) {
            Window parent = None;
            childrenOf(xDisplay, probe, parent);
            shown = viewable(probe) && parent != root;
            std::this_thread::sleep_for(pollStep);
        }
        XDestroyWindow(xDisplay, probe);
        check(xDisplay, "cannot map a probe window");
    }
    return shown;
}

WindowId Desktop::findWindow(const std::string& wanted) const
{
    Window found = findBelow(xDisplay, DefaultRootWindow(xDisplay),
                             [&](Window w) { return titleOf(xDisplay, w) == wanted; });
    forgetErrors(xDisplay);
    return found;
}

WindowId Desktop::windowOfProcess(int pid) const
{
    Atom pidAtom = XInternAtom(xDisplay, "_NET_WM_PID", False);
    Window found = findBelow(xDisplay, DefaultRootWindow(xDisplay), [&](Window w) {
        unsigned long owner = 0;
        return propertyItem(xDisplay, w, pidAtom, XA_CARDINAL, owner) &&
               static_cast<int>(owner) == pid;
    });
    forgetErrors(xDisplay);
    return found;
}

WindowId Desktop::waitForWindow(const std::string& wanted, Program& program, Milliseconds timeout)
{
    WindowId window = None;
    bool shown = false;
    program.readUntil(timeout, [&] {
        window = window == None ? findWindow(wanted) : window;
        shown = window != None && viewable(window);
        return shown || !program.running();
    });
    return shown ? window : None;
}

bool Desktop::viewable(WindowId window) const
{
    // A window that has gone, or not come yet, is not viewable.
    XWindowAttributes attributes{};
    bool shown = XGetWindowAttributes(xDisplay, window, &attributes) != 0 &&
                 attributes.map_state == IsViewable;
    forgetErrors(xDisplay);
    return shown;
}

std::string Desktop::title(WindowId window) const
{
    std::string text = titleOf(xDisplay, window);
    // A window that has gone has no title.
    forgetErrors(xDisplay);
    return text;
}

Geometry Desktop::geometry(WindowId window) const
{
    XWindowAttributes attributes{};
    Window child = None;
    Geometry g;
    if (XGetWindowAttributes(xDisplay, window, &attributes) == 0 ||
        !XTranslateCoordinates(xDisplay, window, DefaultRootWindow(xDisplay), 0, 0, &g.x, &g.y,
                               &child)) {
        forgetErrors(xDisplay);
        throw std::runtime_error("no geometry for the window " + windowName(window) +
                                 ": it has gone");
    }
    g.width = attributes.width;
    g.height = attributes.height;
    return g;
}

VisualFacts Desktop::visual(WindowId window) const
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(xDisplay, window, &attributes) == 0) {
        forgetErrors(xDisplay);
        throw std::runtime_error("no visual for the window " + windowName(window) +
                                 ": it has gone");
    }
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(xDisplay, VisualIDMask, &wanted, &count);
    VisualFacts facts;
    if (info != nullptr && count > 0) {
        int value = 0;
        glXGetConfig(xDisplay, info, GLX_RGBA, &value);
        facts.rgba = value != 0;
        glXGetConfig(xDisplay, info, GLX_DOUBLEBUFFER, &value);
        facts.doubleBuffered = value != 0;
        glXGetConfig(xDisplay, info, GLX_DEPTH_SIZE, &facts.depthBits);
        XFree(info);
    }
    return facts;
}

Picture Desktop::picture(WindowId window) const
{
    XSync(xDisplay, False);
    Geometry whole = geometry(window);
    whole.x = 0;
    whole.y = 0;
    return readWindow(xDisplay, window, whole);
}

Picture readWindow(Display* display, WindowId window, const Geometry& area)
{
    Picture picture;
    XImage* image = XGetImage(display, window, area.x, area.y, static_cast<unsigned>(area.width),
                              static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        // Not all of it is on the screen: no picture yet.
        forgetErrors(display);
        return picture;
    }
    const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
    picture.width = area.width;
    picture.height = area.height;
    picture.pixels.reserve(static_cast<size_t>(area.width) * static_cast<size_t>(area.height));
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            std::array<int, 3> rgb{};
            for (int i = 0; i < 3; ++i) {
                // Divided by the mask's lowest bit, a channel comes to 0..255.
                unsigned long lowestBit = std::max(1UL, masks[i] & (~masks[i] + 1));
                rgb[i] = static_cast<int>((pixel & masks[i]) / lowestBit);
            }
            picture.pixels.push_back(rgb);
        }
    }
    XDestroyImage(image);
    return picture;
}

void Desktop::focus(WindowId window)
{
    XSetInputFocus(xDisplay, window, RevertToParent, CurrentTime);
    check(xDisplay, "cannot give the keyboard to the window " + windowName(window));
}

void Desktop::resize(WindowId window, int width, int height)
{
    XResizeWindow(xDisplay, window, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    check(xDisplay, "cannot resize the window " + windowName(window));
}

void Desktop::askToClose(WindowId window)
{
    askWindowManager(xDisplay, window, "_NET_CLOSE_WINDOW",
                     {CurrentTime, fromUser, 0, 0});
}

void Desktop::askToLeaveFullScreen(WindowId window)
{
    Atom fullScreen = XInternAtom(xDisplay, "_NET_WM_STATE_FULLSCREEN", False);
    askWindowManager(xDisplay, window, "_NET_WM_STATE",
                     {removeState, static_cast<long>(fullScreen), 0, fromUser});
}

void Desktop::pressCharacter(char c)
{
    sendCharacter(xDisplay, c, true, true);
}

void Desktop::pressKey(const std::string& keysymName)
{
    KeyCode code = XKeysymToKeycode(xDisplay, XStringToKeysym(keysymName.c_str()));
    sendKey(xDisplay, code, false, true, true);
}

void Desktop::holdDown(char c)
{
    sendCharacter(xDisplay, c, true, false);
}

void Desktop::release(char c)
{
    sendCharacter(xDisplay, c, false, true);
}

} // namespace drive
