// Varnelle: the keyboard commands.
#include <cstdio>
#include <cstdlib>

#include <GL/freeglut.h>

#include "app.h"
#include "camera/camera.h"
#include "render/render.h"

// Step to the next camera station and apply it at once to the recorded size.
static void nextCameraStation()
{
    viewerState.cameraStation = (viewerState.cameraStation + 1) % stationCount;
    StationHandler handler = stationHandlers[viewerState.cameraStation];
    glutReshapeFunc(handler);
    handler(viewerState.windowWidth, viewerState.windowHeight);
    glutPostRedisplay();
}

// Enter full screen, saving the window's size and position, or leave it and
// restore them. GLUT's own resize events bring the new picture.
static void toggleFullScreen()
{
    viewerState.fullScreen = viewerState.fullScreen == 0 ? 1 : 0;
    if (viewerState.fullScreen == 1) {
        viewerState.savedWidth = glutGet(GLUT_WINDOW_WIDTH);
        viewerState.savedHeight = glutGet(GLUT_WINDOW_HEIGHT);
        viewerState.windowX = glutGet(GLUT_WINDOW_X);
        viewerState.windowY = glutGet(GLUT_WINDOW_Y);
        bool framed = glutGet(GLUT_WINDOW_BORDER_WIDTH) > 0 || glutGet(GLUT_WINDOW_HEADER_HEIGHT) > 0;
        viewerState.savedFramed = framed ? 1 : 0;
        glutFullScreen();
    } else {
        // The saved position is the drawing area's, but window managers read
        // a move differently: most place the frame's corner there, some the
        // drawing area. A window manager that framed the window puts it back
        // where it was when it leaves full screen, so a move would only
        // misplace it: ask for the size alone. An unframed window reads a
        // move the same either way, and with no window manager nobody else
        // restores its place, so move it back.
        glutLeaveFullScreen();
        glutReshapeWindow(viewerState.savedWidth, viewerState.savedHeight);
        if (viewerState.savedFramed == 0) {
            glutPositionWindow(viewerState.windowX, viewerState.windowY);
        }
    }
}

void keyboard(unsigned char key, int x, int y)
{
    (void)x;
    (void)y;
    std::printf("K\n");
    switch (key) {
    case keyEnter:
        nextCameraStation();
        break;
    case keyEscape:
        std::exit(0);
    case keyFullScreen:
        toggleFullScreen();
        break;
    case keyBackground:
        viewerState.backgroundIndex = (viewerState.backgroundIndex + 1) % backgroundCount;
        glutPostRedisplay();
        break;
    case keyFill:
        viewerState.filled = viewerState.filled == 0 ? 1 : 0;
        glutPostRedisplay();
        break;
    default:
        break;
    }
}
