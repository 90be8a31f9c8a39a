// Varnelle documentation: the observer picture's palette.
#include "palette.h"

// A near-black blue-grey, darker than every line and the scene.
const GLfloat observerBackground[3] = {0.05f, 0.06f, 0.08f};
const GLfloat observerText[3] = {0.92f, 0.93f, 0.95f};
// Colours readers with a colour-vision deficiency can still tell apart from
// one another and from the background, each line kind drawn in a style of
// its own besides.
const LineKind volumeEdges = {{0.90f, 0.62f, 0.0f}, 2.0f, 0xFFFF, legendEdges};
const LineKind nearPlaneLine = {{0.6f, 0.8f, 1.0f}, 4.0f, 0xFFFF, legendNearPlane};
const LineKind farPlaneLine = {{0.6f, 0.4f, 0.9f}, 2.0f, 0x0FFF, legendFarPlane};
const LineKind eyeMark = {{1.0f, 0.9f, 0.7f}, 10.0f, 0xFFFF, legendEye};
const LineKind originMark = {{1.0f, 0.9f, 0.7f}, 10.0f, 0xFFFF, legendOrigin};
const LineKind sightLine = {{1.0f, 0.9f, 0.7f}, 1.5f, 0x3333, legendSight};
const LineKind pyramidLine = {{0.55f, 0.55f, 0.55f}, 1.5f, 0x1111, legendPyramid};
const LineKind* const lineKinds[lineKindCount] = {&volumeEdges, &nearPlaneLine, &farPlaneLine,
                                                  &eyeMark, &sightLine, &pyramidLine};
const LineKind secondVolume = {{0.85f, 0.45f, 0.3f}, 3.0f, 0x00FF, legendYourCamera};
const GLfloat coneOutline[3] = {0.85f, 0.85f, 0.85f};

bool needsOutline(const GLfloat colour[3])
{
    // WCAG's weights of linear red, green and blue in relative luminance;
    // each channel taken to linear light by squaring, which is exact for
    // the cones' channels, all 0 or 1, and spares the browser's program a
    // power function and its tables.
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    double luminance = 0.0;
    for (int i = 0; i < 3; ++i) {
        luminance += weights[i] * colour[i] * colour[i];
    }
    return luminance < outlinedLuminance;
}

const LineKind markedPoint = {{1.0f, 1.0f, 1.0f}, 9.0f, 0xFFFF, legendMarkedPoint};
