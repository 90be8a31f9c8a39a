// Varnelle benchmark floor: the least GLUT program that opens the viewer's
// window (480 by 480 at (50, 50), RGBA, double-buffered, with depth) and
// clears it to the viewer's starting grey on every frame; any key brings a
// new frame. It writes the viewer's "K" and "D" trace lines, so the
// benchmark can time both programs in the same way.
#include <cstdio>

#include <GL/glut.h>

#include "glut_window.h"

// The viewer's starting window geometry.
static const int windowSize = 480;
static const int windowPosition = 50;

// The viewer's starting background, grey.
static const GLfloat clearGrey = 0.5f;
static const GLfloat clearAlpha = 1.0f;

static void display()
{
    printf("D\n");
    glClearColor(clearGrey, clearGrey, clearGrey, clearAlpha);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)key;
    (void)x;
    (void)y;
    printf("K\n");
    glutPostRedisplay();
}

int main(int argc, char** argv)
{
    openWindowAsTheViewerDoes(&argc, argv, "Varnelle floor", windowSize, windowSize,
                              windowPosition, windowPosition);
    glutKeyboardFunc(keyboard);
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
