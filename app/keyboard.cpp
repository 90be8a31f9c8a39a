// Varnelle: the keyboard commands.
#include <cstdio>
#include <cstdlib>

#include <GL/glut.h>

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
        glutFullScreen();
    } else {
        // A new position or size ends GLUT's full-screen state.
        glutPositionWindow(viewerState.windowX, viewerState.windowY);
        glutReshapeWindow(viewerState.savedWidth, viewerState.savedHeight);
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
