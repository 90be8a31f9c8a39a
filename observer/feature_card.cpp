// Varnelle documentation: the feature card, drawn with the calls the
// observer picture makes.
#include "feature_card.h"

#include <iterator>

#include <GL/freeglut.h>

#include "observer.h"

namespace {

// The card's background, and the colours it draws in, RGB in [0, 1].
const GLfloat cardBackground[3] = {0.10f, 0.12f, 0.16f};
const GLfloat colours[][3] = {{0.90f, 0.62f, 0.0f}, {0.6f, 0.8f, 1.0f}, {0.6f, 0.4f, 0.9f},
                              {1.0f, 0.9f, 0.7f}};
const int colourCount = 4;
// The rows' heights from the card's bottom, pixels, and its margin.
const int textRow = 20;
const int pointRow = 60;
const int stippleRow = 100;
const int widthRow = 150;
const int depthRow = 200;
const int margin = 20;
// Solid lines' widths, pixels, and the gap between samples.
const GLfloat widths[] = {1.0f, 2.0f, 3.0f, 5.0f};
const int sampleGap = 110;
const int sampleLength = 90;
// Stipples: pattern and factor.
struct Stipple {
    GLushort pattern;
    GLint factor;
};
const Stipple stipples[] = {{0x0FFF, 1}, {0x3333, 2}, {0x1111, 2}, {0x00FF, 4}};
// Points' sizes, pixels.
const GLfloat pointSizes[] = {1.0f, 4.0f, 10.0f};
// A filled square, and lines crossing it in front of it and behind it.
const int squareLeft = 200;
const int squareSize = 60;
const double inFront = 0.5;
const double behind = -0.5;

void colour(int i)
{
    glColor3f(colours[i % colourCount][0], colours[i % colourCount][1], colours[i % colourCount][2]);
}

void line(int x0, int y0, int x1, int y1)
{
    glBegin(GL_LINES);
    glVertex2i(x0, y0);
    glVertex2i(x1, y1);
    glEnd();
}

} // namespace

void drawFeatureCard()
{
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    beginFlatOverlay(featureCardWidth, featureCardHeight);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, featureCardWidth, featureCardHeight);
    glClearColor(cardBackground[0], cardBackground[1], cardBackground[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // Solid lines, one width each, level and slanting.
    for (int i = 0; i < static_cast<int>(std::size(widths)); ++i) {
        colour(i);
        glLineWidth(widths[i]);
        int left = margin + i * sampleGap;
        line(left, widthRow, left + sampleLength, widthRow);
        line(left, widthRow + 10, left + sampleLength, widthRow + 30);
    }
    // Stippled lines; the last as a strip whose counter runs on round a
    // corner, and a loop.
    glEnable(GL_LINE_STIPPLE);
    glLineWidth(2.0f);
    for (int i = 0; i < static_cast<int>(std::size(stipples)); ++i) {
        colour(i);
        glLineStipple(stipples[i].factor, stipples[i].pattern);
        int left = margin + i * sampleGap;
        if (i + 1 < static_cast<int>(std::size(stipples))) {
            line(left, stippleRow, left + sampleLength, stippleRow);
            continue;
        }
        glBegin(GL_LINE_STRIP);
        glVertex2i(left, stippleRow);
        glVertex2i(left + sampleLength / 2, stippleRow);
        glVertex2i(left + sampleLength / 2, stippleRow + 20);
        glEnd();
        glBegin(GL_LINE_LOOP);
        glVertex2i(left + sampleLength / 2 + 10, stippleRow - 10);
        glVertex2i(left + sampleLength, stippleRow - 10);
        glVertex2i(left + sampleLength, stippleRow + 20);
        glEnd();
    }
    // Pushed attributes come back: inside, wide and stippled; after, a
    // one-pixel solid line again.
    glPushAttrib(GL_LINE_BIT | GL_ENABLE_BIT);
    glLineWidth(6.0f);
    glLineStipple(1, 0x0F0F);
    glPopAttrib();
    glDisable(GL_LINE_STIPPLE);
    colour(0);
    line(margin, stippleRow - 25, margin + 2 * sampleGap, stippleRow - 25);

    // Points.
    for (int i = 0; i < static_cast<int>(std::size(pointSizes)); ++i) {
        colour(i + 1);
        glPointSize(pointSizes[i]);
        glBegin(GL_POINTS);
        glVertex2i(margin + i * 40, pointRow);
        glEnd();
    }
    glPointSize(1.0f);

    // A filled square with lines in front of it and behind it, through the
    // depth test: behind it, the line is hidden.
    glEnable(GL_DEPTH_TEST);
    colour(2);
    glBegin(GL_TRIANGLES);
    glVertex3d(squareLeft, depthRow - squareSize / 2, 0.0);
    glVertex3d(squareLeft + squareSize, depthRow - squareSize / 2, 0.0);
    glVertex3d(squareLeft + squareSize, depthRow + squareSize / 2, 0.0);
    glVertex3d(squareLeft, depthRow - squareSize / 2, 0.0);
    glVertex3d(squareLeft + squareSize, depthRow + squareSize / 2, 0.0);
    glVertex3d(squareLeft, depthRow + squareSize / 2, 0.0);
    glEnd();
    glLineWidth(3.0f);
    const double depths[] = {inFront, behind};
    for (int i = 0; i < 2; ++i) {
        colour(3 * (1 - i));
        glBegin(GL_LINES);
        glVertex3d(squareLeft - 40, depthRow - 10 + 20 * i, depths[i]);
        glVertex3d(squareLeft + squareSize + 40, depthRow - 10 + 20 * i, depths[i]);
        glEnd();
    }
    glDisable(GL_DEPTH_TEST);

    // Text in the pictures' font, with a degree and a times sign (Latin-1).
    drawText(margin, textRow, colours[3], "fovy 6.62\xB0, window 480\xD7" "480");
    glDisable(GL_SCISSOR_TEST);
    glPopAttrib();
}
