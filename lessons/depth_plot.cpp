// Varnelle documentation program: the plot of window depth against the
// distance past the near plane, for each perspective station, beside the
// straight line a linear depth would follow; station 1's red tip marked.
// Its words are the page's language's, its numbers the observer
// pictures' (observerUseLanguage chooses their decimal mark).
#include <GL/freeglut.h>

#include "formulas.h"
#include "lessons.h"
#include "observer.h"
#include "observer_words.h"
#include "pixels.h"

namespace {

// The plot's size and its margins round the axes, pixels.
const int plotWidth = 720;
const int plotHeight = 420;
const int leftMargin = 80;
const int rightMargin = 30;
const int bottomMargin = 70;
const int topMargin = 30;
// Ticks: how many steps along each axis, and a tick's length, pixels.
const int distanceSteps = 4;
const int depthSteps = 4;
const int tickLength = 6;
// Each curve is drawn in this many straight pieces.
const int curvePieces = 120;
// Text: how far below an axis its tick labels stand, and how far left of
// the depth axis, pixels; the legend's rows from the top, and a swatch.
const int labelBelow = 26;
const int labelLeft = 56;
const int legendTop = 50;
const int legendRow = 28;
const int legendLeft = 110;
const int swatchLength = 44;
const int swatchGap = 10;
const int textDrop = 7;
// Each bit of a stipple pattern covers this many pixels.
const GLint stippleFactor = 2;
// Decimals of the depth ticks; the marked tip's depths are written as the
// pages write them.
const int depthTickDecimals = 2;
// The perspective stations' curves, in the palette's colours, each with
// its own dashes; the linear depth's straight line.
const LineKind* const curveColours[] = {&volumeEdges, &nearPlaneLine, &farPlaneLine};
const GLushort curvePatterns[] = {0xFFFF, 0x0FFF, 0x3333};
const GLfloat curveWidth = 3.0f;
const GLfloat axisWidth = 1.0f;
const GLfloat tipSize = 10.0f;

// Pixels of a point of the plot: distance past the near plane over the
// volume's depth, and window depth.
int plotX(double share)
{
    return leftMargin + static_cast<int>(share * (plotWidth - leftMargin - rightMargin) + 0.5);
}

int plotY(double depth)
{
    return bottomMargin + static_cast<int>(depth * (plotHeight - bottomMargin - topMargin) + 0.5);
}

void line(int x0, int y0, int x1, int y1)
{
    glBegin(GL_LINES);
    glVertex2i(x0, y0);
    glVertex2i(x1, y1);
    glEnd();
}

void drawAxes(double volumeDepth, const PageLanguage& language)
{
    glColor3fv(observerText);
    glLineWidth(axisWidth);
    line(plotX(0.0), plotY(0.0), plotX(1.0), plotY(0.0));
    line(plotX(0.0), plotY(0.0), plotX(0.0), plotY(1.0));
    for (int i = 0; i <= distanceSteps; ++i) {
        double share = static_cast<double>(i) / distanceSteps;
        line(plotX(share), plotY(0.0), plotX(share), plotY(0.0) - tickLength);
        std::string words = observerNumber(share * volumeDepth, 0);
        drawText(plotX(share) - swatchGap, plotY(0.0) - labelBelow, observerText, words);
    }
    for (int i = 0; i <= depthSteps; ++i) {
        double depth = static_cast<double>(i) / depthSteps;
        line(plotX(0.0), plotY(depth), plotX(0.0) - tickLength, plotY(depth));
        drawText(plotX(0.0) - labelLeft, plotY(depth) - textDrop, observerText,
                 observerNumber(depth, depthTickDecimals));
    }
    drawText(plotX(0.0), plotY(0.0) - 2 * labelBelow, observerText, pageWords(language, plotDistanceAxis));
    drawText(plotX(0.0) + swatchGap, plotY(1.0) + textDrop, observerText, pageWords(language, plotDepthAxis));
}

// One legend row: a swatch in the curve's style, then its words.
void legendEntry(int row, const std::string& words)
{
    int y = plotHeight - legendTop - row * legendRow;
    line(legendLeft, y, legendLeft + swatchLength, y);
    drawText(legendLeft + swatchLength + swatchGap, y - textDrop, observerText, words);
}

} // namespace

bool drawDepthPlot(const std::string& docsDir, DepthPlot& plot, const PageLanguage& language)
{
    if (!resizeWindow(plotWidth, plotHeight)) {
        return false;
    }
    glDrawBuffer(GL_BACK);
    glClearColor(observerBackground[0], observerBackground[1], observerBackground[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    beginFlatOverlay(plotWidth, plotHeight);
    PerspectiveArguments first = perspectiveArguments(plot.tipStation, viewerSize, viewerSize);
    drawAxes(first.farPlane - first.nearPlane, language);
    glEnable(GL_LINE_STIPPLE);
    // The straight line of a linear depth, then each station's curve.
    glColor3fv(pyramidLine.colour);
    glLineWidth(pyramidLine.width);
    glLineStipple(stippleFactor, pyramidLine.pattern);
    line(plotX(0.0), plotY(0.0), plotX(1.0), plotY(1.0));
    legendEntry(0, pageWords(language, plotLinearDepth));
    int curve = 0;
    for (int station = 0; station < stationCount; ++station) {
        if (!isPerspective(station)) {
            continue;
        }
        PerspectiveArguments a = perspectiveArguments(station, viewerSize, viewerSize);
        glColor3fv(curveColours[curve]->colour);
        glLineWidth(curveWidth);
        glLineStipple(stippleFactor, curvePatterns[curve]);
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i <= curvePieces; ++i) {
            double share = static_cast<double>(i) / curvePieces;
            double distance = a.nearPlane + share * (a.farPlane - a.nearPlane);
            glVertex2i(plotX(share), plotY(windowDepth(a, distance)));
        }
        glEnd();
        legendEntry(++curve, pageWords(language, plotStation,
                                       {std::to_string(station),
                                        observerNumber(eyeDistance(stationEye(station)), depthTickDecimals)}));
    }
    glDisable(GL_LINE_STIPPLE);
    // The followed tip of the first perspective station.
    double share = linearShare(first.nearPlane, first.farPlane, plot.tipDistance);
    double depth = windowDepth(first, plot.tipDistance);
    glColor3fv(eyeMark.colour);
    glPointSize(tipSize);
    glBegin(GL_POINTS);
    glVertex2i(plotX(share), plotY(depth));
    glEnd();
    drawText(plotX(share) + swatchGap, plotY(depth) - labelBelow, observerText,
             pageWords(language, plotRedTip,
                       {std::to_string(plot.tipStation), observerNumber(depth, entryDecimals),
                        observerNumber(share, entryDecimals)}));
    glPopAttrib();
    glutSwapBuffers();
    drive::Picture picture = shownPicture(plotWidth, plotHeight);
    plot.picture = std::string(pictureFolder) + "/window-depth.png";
    return glGetError() == GL_NO_ERROR && savePicture(picture, docsDir + "/" + plot.picture);
}
