/* Varnelle web layer: a bitmap font as freeglut's font data
 * (third_party/freeglut/fg_font_data.c) defines it: each character is its
 * width in pixels, then its rows from the bottom up, eight pixels a byte,
 * the leftmost in the highest bit, and a row in whole bytes. */
#pragma once
#include <GL/gl.h>

typedef struct {
    char* Name;
    int Quantity;
    int Height;
    const GLubyte** Characters;
    float xorig, yorig;
} SFG_Font;
