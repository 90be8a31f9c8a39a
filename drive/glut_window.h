// The programs around the viewer that draw its scene themselves (the
// in-process tests, the documentation program, the benchmark's programs)
// open their GLUT window as the viewer opens its own: RGBA, double-buffered,
// with a depth buffer, of a size and at a place of their choosing.
#pragma once

#include <GL/glut.h>

inline void openWindowAsTheViewerDoes(int* argc, char** argv, const char* title, int width,
                                      int height, int x, int y)
{
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(x, y);
    glutCreateWindow(title);
}
