// The desktop as a client of the X server sees it: windows, their drawing
// area, visual and picture, real key events through XTest, and whether a
// window manager maps windows.
#include "drive.h"

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

struct Connection {
    Display* display = nullptr;
};

namespace {

const Milliseconds pollStep(5);
// How long one probe window gets to be shown by the window manager.
const Milliseconds probeWait(300);

// Ignore errors about windows that vanish while they are looked at.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
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

// How far a mask's lowest bit is from bit 0, to bring a channel to 0..255.
int shiftOf(unsigned long mask)
{
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The key for a character, and whether Shift is needed to type it.
// Printable Latin-1 characters are their own keysyms.
KeyCode keyFor(Display* display, char c, bool& shift)
{
    KeySym symbol = c == '\r' ? XK_Return : static_cast<KeySym>(static_cast<unsigned char>(c));
    KeyCode code = XKeysymToKeycode(display, symbol);
    shift = XkbKeycodeToKeysym(display, code, 0, 0) != symbol;
    return code;
}

void sendKey(Display* display, KeyCode code, bool shift, bool down)
{
    KeyCode shiftCode = XKeysymToKeycode(display, XK_Shift_L);
    if (shift && down) {
        XTestFakeKeyEvent(display, shiftCode, True, CurrentTime);
    }
    XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
    if (shift && !down) {
        XTestFakeKeyEvent(display, shiftCode, False, CurrentTime);
    }
}

} // namespace

Desktop::Desktop(const std::string& display) : connection(std::make_unique<Connection>())
{
    XSetErrorHandler(ignoreErrors);
    connection->display = XOpenDisplay(display.c_str());
    if (connection->display == nullptr) {
        throw std::runtime_error("cannot open the X display " + display);
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(connection->display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(connection->display);
        throw std::runtime_error("the X display " + display + " has no XTest extension");
    }
}

Desktop::~Desktop()
{
    XCloseDisplay(connection->display);
}

Geometry Desktop::screen() const
{
    Display* d = connection->display;
    Geometry g;
    g.width = DisplayWidth(d, DefaultScreen(d));
    g.height = DisplayHeight(d, DefaultScreen(d));
    return g;
}

bool Desktop::managesWindows(Milliseconds timeout)
{
    Display* d = connection->display;
    Window root = DefaultRootWindow(d);
    Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    auto end = Clock::now() + timeout;
    unsigned long announced = None;
    while (!propertyItem(d, root, check, XA_WINDOW, announced)) {
        if (Clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(pollStep);
    }
    bool shown = false;
    while (!shown && Clock::now() < end) {
        Window probe = XCreateSimpleWindow(d, root, 0, 0, 1, 1, 0, 0, 0);
        XMapWindow(d, probe);
        XSync(d, False);
        auto probeEnd = Clock::now() + probeWait;
        while (!shown && Clock::now() < probeEnd) {
            Window parent = None;
            childrenOf(d, probe, parent);
            shown = viewable(probe) && parent != root;
            std::this_thread::sleep_for(pollStep);
        }
        XDestroyWindow(d, probe);
        XSync(d, False);
    }
    return shown;
}

WindowId Desktop::findWindow(const std::string& wanted) const
{
    Display* d = connection->display;
    return findBelow(d, DefaultRootWindow(d), [&](Window w) { return title(w) == wanted; });
}

WindowId Desktop::windowOfProcess(int pid) const
{
    Display* d = connection->display;
    Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    return findBelow(d, DefaultRootWindow(d), [&](Window w) {
        unsigned long owner = 0;
        return propertyItem(d, w, pidAtom, XA_CARDINAL, owner) && static_cast<int>(owner) == pid;
    });
}

WindowId Desktop::waitForWindow(const std::string& wanted, Program& program, Milliseconds timeout)
{
    auto end = Clock::now() + timeout;
    WindowId window = None;
    while (window == None || !viewable(window)) {
        if (Clock::now() > end || !program.running()) {
            return None;
        }
        if (window == None) {
            window = findWindow(wanted);
        }
        program.readFor(pollStep);
    }
    return window;
}

bool Desktop::viewable(WindowId window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(connection->display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

std::string Desktop::title(WindowId window) const
{
    XTextProperty name{};
    std::string text;
    if (XGetWMName(connection->display, window, &name) != 0 && name.value != nullptr) {
        text.assign(reinterpret_cast<char*>(name.value), name.nitems);
        XFree(name.value);
    }
    return text;
}

Geometry Desktop::geometry(WindowId window) const
{
    Display* d = connection->display;
    XWindowAttributes attributes{};
    XGetWindowAttributes(d, window, &attributes);
    Window child = None;
    Geometry g;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &g.x, &g.y, &child);
    g.width = attributes.width;
    g.height = attributes.height;
    return g;
}

VisualFacts Desktop::visual(WindowId window) const
{
    Display* d = connection->display;
    XWindowAttributes attributes{};
    XGetWindowAttributes(d, window, &attributes);
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(d, VisualIDMask, &wanted, &count);
    VisualFacts facts;
    if (info != nullptr && count > 0) {
        int value = 0;
        glXGetConfig(d, info, GLX_RGBA, &value);
        facts.rgba = value != 0;
        glXGetConfig(d, info, GLX_DOUBLEBUFFER, &value);
        facts.doubleBuffered = value != 0;
        glXGetConfig(d, info, GLX_DEPTH_SIZE, &facts.depthBits);
    }
    if (info != nullptr) {
        XFree(info);
    }
    return facts;
}

Picture Desktop::picture(WindowId window) const
{
    Display* d = connection->display;
    Picture picture;
    XSync(d, False);
    Geometry g = geometry(window);
    XImage* image = XGetImage(d, window, 0, 0, static_cast<unsigned>(g.width),
                              static_cast<unsigned>(g.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return picture;
    }
    const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
    picture.width = g.width;
    picture.height = g.height;
    picture.pixels.reserve(static_cast<size_t>(g.width) * static_cast<size_t>(g.height));
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            std::array<int, 3> rgb{};
            for (int i = 0; i < 3; ++i) {
                rgb[i] = static_cast<int>((pixel & masks[i]) >> shiftOf(masks[i]));
            }
            picture.pixels.push_back(rgb);
        }
    }
    XDestroyImage(image);
    return picture;
}

void Desktop::focus(WindowId window)
{
    XSetInputFocus(connection->display, window, RevertToParent, CurrentTime);
    XSync(connection->display, False);
}

void Desktop::resize(WindowId window, int width, int height)
{
    XResizeWindow(connection->display, window, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    XFlush(connection->display);
}

void Desktop::askToClose(WindowId window)
{
    Display* d = connection->display;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    // Timestamp, then the source: 2 for a pager or a user's direct action.
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XSync(d, False);
}

// Each returns once the server has the events.
void Desktop::pressCharacter(char c)
{
    bool shift = false;
    KeyCode code = keyFor(connection->display, c, shift);
    sendKey(connection->display, code, shift, true);
    sendKey(connection->display, code, shift, false);
    XSync(connection->display, False);
}

void Desktop::pressKey(const std::string& keysymName)
{
    Display* d = connection->display;
    KeyCode code = XKeysymToKeycode(d, XStringToKeysym(keysymName.c_str()));
    sendKey(d, code, false, true);
    sendKey(d, code, false, false);
    XSync(d, False);
}

void Desktop::holdDown(char c)
{
    bool shift = false;
    KeyCode code = keyFor(connection->display, c, shift);
    sendKey(connection->display, code, shift, true);
    XSync(connection->display, False);
}

void Desktop::release(char c)
{
    bool shift = false;
    KeyCode code = keyFor(connection->display, c, shift);
    sendKey(connection->display, code, shift, false);
    XSync(connection->display, False);
}

} // namespace drive
