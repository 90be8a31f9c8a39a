// Varnelle: program entry. Opens the window, prepares the OpenGL state,
// registers the callbacks and hands control to the GLUT main loop.
#include <GL/glut.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "app.h"
#include "camera/camera.h"
#include "render/render.h"

// Give any closed standard stream /dev/null. Otherwise the display
// connection would take the lowest free descriptor, and with standard output
// closed the trace would be written into the X protocol stream. Should
// /dev/null not open, the stream stays closed, as it was.
static void keepStandardStreamsOpen()
{
#ifndef _WIN32
    const int standardStreams = 3;
    for (int fd = 0; fd < standardStreams; ++fd) {
        if (fcntl(fd, F_GETFD) == -1) {
            // open takes the lowest free descriptor: the closed one.
            open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
    }
#endif
}

int main(int argc, char** argv)
{
    keepStandardStreamsOpen();
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
