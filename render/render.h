// Varnelle: rendering. The palette, the one-time OpenGL state, the scene
// (a white sphere and six coloured cones along the axes, lit by three
// lights) and the display callback.
#pragma once

#include <GL/gl.h>

// Colours, RGBA in [0, 1].
extern const GLfloat grey[4];
extern const GLfloat white[4];
extern const GLfloat black[4];
extern const GLfloat lightGrey[4];
extern const GLfloat red[4];
extern const GLfloat green[4];
extern const GLfloat blue[4];
extern const GLfloat yellow[4];
extern const GLfloat magenta[4];
extern const GLfloat cyan[4];

// Background colours, indexed by the viewer's backgroundIndex (0..2): grey,
// white, black.
const int backgroundCount = 3;
extern const GLfloat* const backgroundColours[backgroundCount];

// Light positions in scene coordinates (x, y, z, w); w = 0 is a direction.
extern const GLfloat light0Position[4];
extern const GLfloat light1Position[4];
extern const GLfloat light2Position[4];

// Set material, lights and depth test once, with the window's context current.
void initRendering();

// GLUT display callback: clear, place the lights, draw the scene, swap, and
// report a pending OpenGL error.
void display();

// Draw the sphere and the six cones with the current matrices.
void drawScene();
