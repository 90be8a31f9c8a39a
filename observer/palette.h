// Varnelle documentation: the observer picture's palette. Every line kind
// it draws, with its colour, width, dashes and legend, and its background:
// colours that readers with deuteranopia or protanopia can still tell apart
// (tests/observer/test_palette.cpp checks it).
#pragma once

#include <GL/gl.h>

#include "observer_words.h"

// One kind of line (or mark) of the picture: its colour, RGB in [0, 1], its
// width in pixels, its stipple pattern (0xFFFF is solid) and the words the
// legend gives it, colour named first, in the pictures' language.
struct LineKind {
    GLfloat colour[3];
    GLfloat width;
    GLushort pattern;
    ObserverWord legend;
};
// The picture's background, and its text, RGB in [0, 1].
extern const GLfloat observerBackground[3];
extern const GLfloat observerText[3];
// Every kind the picture draws, as its legend lists them. The eye's mark
// and the orthographic view's origin are one mark under two names; an
// orthographic volume has no pyramid.
extern const LineKind volumeEdges;
extern const LineKind nearPlaneLine;
extern const LineKind farPlaneLine;
extern const LineKind eyeMark;
extern const LineKind originMark;
extern const LineKind sightLine;
extern const LineKind pyramidLine;
const int lineKindCount = 6;
extern const LineKind* const lineKinds[lineKindCount];
// A second volume (the web page's camera made by hand) drawn as the first,
// every kind in this colour and dash pattern, its lines this width (its
// near plane wider by nearPlaneExtraWidth pixels), over the first where they
// meet; its legend entry follows the others.
extern const LineKind secondVolume;
const GLfloat nearPlaneExtraWidth = 2.0f;

// The light outline drawn round a cone whose own colour is too dark to
// stand out from the background: on a projector, a lit red or blue face
// comes out well under 3:1 against any dark background (WCAG contrast), so
// it needs a light surround of its own. RGB in [0, 1].
extern const GLfloat coneOutline[3];
// True for a cone colour (RGB in [0, 1], each channel 0 or 1) that gets the
// outline: one whose relative luminance (WCAG) is below outlinedLuminance.
const double outlinedLuminance = 0.25;
bool needsOutline(const GLfloat colour[3]);
// A point of the scene the web page's learner follows, marked in the
// picture (its width is the mark's size).
extern const LineKind markedPoint;

