// Varnelle: program entry. Opens the window, prepares the OpenGL state,
// registers the callbacks and hands control to the GLUT main loop.
#include <GL/glut.h>

#include "app.h"
#include "camera/camera.h"
#include "render/render.h"

int main(int argc, char** argv)
{
    // GLUT takes its own options (-display, -geometry, ...) from the command line.
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(viewerState.windowWidth, viewerState.windowHeight);
    glutInitWindowPosition(viewerState.windowX, viewerState.windowY);
    glutCreateWindow(windowTitle);

    initRendering();

    // The first reshape and the first frame come from GLUT when the window shows.
    glutKeyboardFunc(keyboard);
    glutReshapeFunc(reshapeOrtho);
    glutDisplayFunc(display);

    glutMainLoop();
    return 0;
}
