// Test support: reading back what the X server shows in the viewer's window.
// Kept apart from the test code, since Xlib's macros clash with GoogleTest's.
#include "support.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include "drive.h"

std::array<double, 3> readPixel(int x, int y)
{
    // Read what the X server shows in the window, after the swap.
    glFinish();
    Display* connection = glXGetCurrentDisplay();
    XSync(connection, False);
    int top = glutGet(GLUT_WINDOW_HEIGHT) - 1 - y;
    drive::Picture pixel = drive::readWindow(connection, glXGetCurrentDrawable(), {x, top, 1, 1});
    if (pixel.pixels.empty()) {
        return {-1.0, -1.0, -1.0};
    }
    const double fullChannel = 255.0;
    return {pixel.pixels[0][0] / fullChannel, pixel.pixels[0][1] / fullChannel,
            pixel.pixels[0][2] / fullChannel};
}
