// Test support: reading back what the X server shows in the viewer's window.
// Kept apart from the test code, since Xlib's macros clash with GoogleTest's.
#include "support.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xutil.h>

std::array<double, 3> readPixel(int x, int y)
{
    // Read what the X server shows in the window, after the swap.
    glFinish();
    Display* connection = glXGetCurrentDisplay();
    XSync(connection, False);
    int top = glutGet(GLUT_WINDOW_HEIGHT) - 1 - y;
    XImage* image = XGetImage(connection, glXGetCurrentDrawable(), x, top, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {-1.0, -1.0, -1.0};
    }
    unsigned long pixel = XGetPixel(image, 0, 0);
    std::array<double, 3> rgb = {((pixel & image->red_mask) >> 16) / 255.0,
                                 ((pixel & image->green_mask) >> 8) / 255.0,
                                 (pixel & image->blue_mask) / 255.0};
    XDestroyImage(image);
    return rgb;
}
