/* Varnelle web layer: freeglut's API header, as the viewer, the outside
 * view's program and freeglut's own code include it, served by emscripten's
 * GLUT header and the few freeglut extensions they call (the web layer
 * implements them). */
#pragma once
#include <GL/glut.h>

/* glutGet: the frame a window manager puts around the window, in pixels. */
#define GLUT_WINDOW_BORDER_WIDTH 0x01FA
#define GLUT_WINDOW_HEADER_HEIGHT 0x01FB

#ifdef __cplusplus
extern "C" {
#endif
/* Leave full screen, if the window is in it. */
void glutLeaveFullScreen(void);
/* Draw a string in a bitmap font at the raster position (the outside
 * view's program has it, from the web layer's observer_text.cpp). */
void glutBitmapString(void* font, const unsigned char* string);
#ifdef __cplusplus
}
#endif
