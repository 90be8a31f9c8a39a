// Varnelle documentation: the feature card. Every OpenGL 1.x drawing
// feature the observer picture may use, drawn once each in a small picture:
// lines of several widths, stippled lines (patterns, factors, a strip's
// counter running on, a loop), points of several sizes, lines hidden behind
// a filled shape by the depth test, bitmap text in the pictures' font with
// Latin-1 signs, colours, and pushed attributes coming back. The browser's
// outside view re-creates some of these features with gap-fills of its own
// (platform/web/observer_gl.h): the browser test draws this card on both
// and compares them, so that what the picture uses is what the gap-fills
// are checked to draw.
#pragma once

// The card's size, pixels.
const int featureCardWidth = 480;
const int featureCardHeight = 240;

// Draw the card at the bottom left of the current window, which must be at
// least featureCardWidth × featureCardHeight pixels, into its back buffer;
// the state it changes is put back.
void drawFeatureCard();
