/* Varnelle web layer: the little of freeglut's internal state that its
 * geometry code (third_party/freeglut/fg_geometry.c) reads, for a GLUT that
 * is not freeglut, and the font type its font data (fg_font_data.c) fills. There is no current freeglut window and no OpenGL 2
 * shader attributes, so the solids take freeglut's OpenGL 1.1 path: vertex
 * and normal arrays drawn with glDrawElements. */
#pragma once
#include <GL/gl.h>
#include <math.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

#include "fg_font.h"

#define FGAPIENTRY

/* M_PI is not in ISO C; freeglut defines it the same way. */
#ifndef M_PI
#define M_PI 3.14159265358979323846
#endif

/* The parts of a freeglut window the geometry code looks at. */
typedef struct {
    struct {
        GLint attribute_v_coord;
        GLint attribute_v_normal;
        GLint attribute_v_texture;
    } Window;
    struct {
        GLboolean VisualizeNormals;
    } State;
} SFG_Window;

/* No freeglut window is ever current. */
static const struct {
    SFG_Window* CurrentWindow;
} fgStructure = {NULL};

/* emscripten's GLUT is initialised before anything is drawn; OpenGL 2
 * drawing is only for freeglut windows with shader attributes. */
static const struct {
    GLboolean Initialised;
    GLboolean HasOpenGL20;
} fgState = {GL_TRUE, GL_FALSE};

#define FREEGLUT_EXIT_IF_NOT_INITIALISED(name)

/* freeglut stops the program on an error (here, only a failed allocation)
 * and reports warnings (too many vertices for 16-bit indices) on the
 * standard error stream. */
static void fgError(const char* format, ...)
{
    (void)format;
    abort();
}
static void fgWarning(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    vfprintf(stderr, format, arguments);
    va_end(arguments);
    fputc('\n', stderr);
}

/* Every solid is drawn through the web layer (platform/web/solids.cpp), which hands
 * emscripten's emulation plain arrays it can draw, and draws the edges of the
 * same triangles while the polygon mode is GL_LINE (WebGL has no polygon
 * modes). */
void webVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
void webNormalPointer(GLenum type, GLsizei stride, const void* pointer);
void webDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);
#define glVertexPointer webVertexPointer
#define glNormalPointer webNormalPointer
#define glDrawElements webDrawElements
