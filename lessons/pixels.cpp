// Varnelle documentation: the viewer's own pictures, read back.
#include "pixels.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include "camera/camera.h"
#include "render/render.h"

namespace {

// How long to wait for the X server to give the window a new size.
const auto resizeTimeout = std::chrono::seconds(10);
const auto resizePoll = std::chrono::milliseconds(2);
// Channels equal within this, in [0, 1]: the pictures' pixel noise.
const double sameLevel = 3.0 / 255.0;
const double fullChannel = 255.0;

} // namespace

bool resizeWindow(int width, int height)
{
    glutReshapeWindow(width, height);
    auto end = std::chrono::steady_clock::now() + resizeTimeout;
    while (std::chrono::steady_clock::now() < end) {
        glutMainLoopEvent();
        if (glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height) {
            // Mesa takes the drawable's new size at a swap or when the
            // viewport is set: before that, a clear would fill the buffer
            // of the old size.
            glutSwapBuffers();
            glViewport(0, 0, width, height);
            return true;
        }
        std::this_thread::sleep_for(resizePoll);
    }
    return false;
}

drive::Picture shownPicture(int width, int height)
{
    glFinish();
    Display* connection = glXGetCurrentDisplay();
    XSync(connection, False);
    return drive::readWindow(connection, glXGetCurrentDrawable(), {0, 0, width, height});
}

drive::Picture viewerPicture(int station, int width, int height,
                             const std::function<void()>& change)
{
    if (!resizeWindow(width, height)) {
        return {};
    }
    stationHandlers[station](width, height);
    if (change) {
        change();
    }
    display();
    return shownPicture(width, height);
}

std::array<double, 3> pixelAt(const drive::Picture& picture, double x, double y)
{
    // Pictures are stored from the top row down; OpenGL counts rows up.
    int column = std::clamp(static_cast<int>(std::floor(x)), 0, picture.width - 1);
    int row = std::clamp(picture.height - 1 - static_cast<int>(std::floor(y)), 0,
                         picture.height - 1);
    std::array<int, 3> stored = picture.at(column, row);
    return {stored[0] / fullChannel, stored[1] / fullChannel, stored[2] / fullChannel};
}

bool showsColour(const std::array<double, 3>& pixel, const GLfloat* palette, double minimumLit,
                 double minimumContrast)
{
    double onLow = 1.0;
    double onHigh = 0.0;
    double offLow = 1.0;
    double offHigh = 0.0;
    for (int i = 0; i < 3; ++i) {
        double& low = palette[i] > 0.5f ? onLow : offLow;
        double& high = palette[i] > 0.5f ? onHigh : offHigh;
        low = std::fmin(low, pixel[i]);
        high = std::fmax(high, pixel[i]);
    }
    bool hasOff = offHigh >= offLow;
    return onHigh - onLow <= sameLevel && onLow >= minimumLit &&
           (!hasOff || (offHigh - offLow <= sameLevel && onLow - offHigh >= minimumContrast));
}
