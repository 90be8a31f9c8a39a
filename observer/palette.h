// Varnelle documentation: the observer picture's palette. Every line kind
// it draws, with its colour, width, dashes and legend, and its background:
// colours that readers with deuteranopia or protanopia can still tell apart
// (tests/observer/test_palette.cpp checks it).
#pragma once

#include <GL/gl.h>

// One kind of line (or mark) of the picture: its colour, RGB in [0, 1], its
// width in pixels, its stipple pattern (0xFFFF is solid) and the words the
// legend gives it, colour named first.
struct LineKind {
    GLfloat colour[3];
    GLfloat width;
    GLushort pattern;
    const char* legend;
};
// The picture's background, RGB in [0, 1].
extern const GLfloat observerBackground[3];
// Every kind the picture draws, as its legend lists them.
extern const LineKind volumeEdges;
extern const LineKind nearPlaneLine;
extern const LineKind farPlaneLine;
extern const LineKind eyeMark;
extern const LineKind sightLine;
extern const LineKind pyramidLine;
const int lineKindCount = 6;
extern const LineKind* const lineKinds[lineKindCount];
// A second volume (the web page's camera made by hand) drawn as the first,
// each kind in this one colour, over the first where they meet; its legend
// entry follows the others.
extern const LineKind secondVolume;
// A point of the scene the web page's learner follows, marked in the
// picture (its width is the mark's size).
extern const LineKind markedPoint;

