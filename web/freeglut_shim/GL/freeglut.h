/* Varnelle web layer: freeglut's API header, as freeglut's geometry code
 * includes it, served by emscripten's GLUT header. */
#pragma once
#include <GL/glut.h>
