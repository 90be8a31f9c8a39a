// Varnelle documentation: the observer picture, drawn with the viewer's own
// scene code. Only this program changes OpenGL state beyond what the viewer
// sets, and it saves and restores it around the lines and the legend.
#include "observer.h"

#include <cmath>

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "render/render.h"

const GLfloat observerBackground[3] = {0.10f, 0.12f, 0.16f};
const GLfloat volumeEdgeColour[3] = {1.0f, 0.6f, 0.1f};
const GLfloat nearPlaneColour[3] = {1.0f, 0.35f, 0.65f};
const GLfloat farPlaneColour[3] = {0.35f, 0.7f, 1.0f};
const GLfloat eyeColour[3] = {1.0f, 0.85f, 0.55f};
// Lines from the eye to the near plane's corners: the rest of the pyramid.
static const GLfloat apexLineColour[3] = {0.55f, 0.5f, 0.45f};
static const GLfloat textColour[3] = {0.92f, 0.93f, 0.95f};

// Where the observer stands: along this direction from its target, with +y
// up. Seen from the -x, +y, +z side, every station's line of sight (from +z,
// from the x-z diagonal, from the cube's diagonal) crosses the picture at a
// wide angle instead of pointing at the observer, and the faces turned to the
// observer are those the viewer's lights fall on.
static const double observerDirection[3] = {-0.7, 0.5, 0.5};
// Whole set-up: a point between the scene and the three eyes, and the
// observer's distance from it, scene units.
static const double wholeTarget[3] = {48.0, 20.0, 45.0};
static const double wholeDistance = 400.0;
// Close-up: the scene's origin, and the distance that keeps the largest
// volume (the orthographic box of a wide or tall window) in the panel.
static const double closeTarget[3] = {0.0, 0.0, 0.0};
static const double closeDistance = 150.0;
// Observer's vertical angle in degrees, and its clipping planes' distances
// from the observer relative to its distance from the target.
static const double observerFovy = 30.0;
static const double observerNearFactor = 0.2;
static const double observerFarFactor = 3.0;

// Line widths and the eye's size, in pixels.
static const GLfloat volumeLineWidth = 2.0f;
static const GLfloat thinLineWidth = 1.0f;
static const GLfloat eyePointSize = 8.0f;
// Dotted lines: each bit of the pattern is this many pixels.
static const GLint stippleFactor = 2;
static const GLushort dottedPattern = 0x3333;

// Legend layout, pixels from the panel's bottom left.
static const int legendMargin = 12;
static const int legendLineHeight = 18;
static const int legendSwatchLength = 26;
static const int legendTextGap = 8;
static const int captionTop = 22;
// Text baseline below a swatch's line, so the text sits centred on it.
static const int textDrop = 4;

static void colour(const GLfloat rgb[3])
{
    glColor3f(rgb[0], rgb[1], rgb[2]);
}

static void vertex(const Point3& p)
{
    glVertex3d(p[0], p[1], p[2]);
}

// The outline of the near or far plane: its corners in order round it.
static void drawPlaneOutline(const VolumeCorners& corners, bool far, const GLfloat rgb[3])
{
    int base = far ? cornerFarBit : 0;
    const int round[4] = {0, cornerRightBit, cornerRightBit | cornerTopBit, cornerTopBit};
    colour(rgb);
    glBegin(GL_LINE_LOOP);
    for (int i : round) {
        vertex(corners[base + i]);
    }
    glEnd();
}

// The volume, the eye and its line of sight, unlit, hidden where the scene is
// in front of them.
static void drawVolume(const ObservedVolume& volume)
{
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glLineWidth(volumeLineWidth);
    // The four edges that join the near plane to the far one.
    colour(volumeEdgeColour);
    glBegin(GL_LINES);
    for (int i = 0; i < cornerFarBit; ++i) {
        vertex(volume.corners[i]);
        vertex(volume.corners[i + cornerFarBit]);
    }
    glEnd();
    drawPlaneOutline(volume.corners, false, nearPlaneColour);
    drawPlaneOutline(volume.corners, true, farPlaneColour);

    glLineWidth(thinLineWidth);
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(stippleFactor, dottedPattern);
    if (volume.perspective) {
        // The pyramid the volume is cut from, up to the eye.
        colour(apexLineColour);
        glBegin(GL_LINES);
        for (int i = 0; i < cornerFarBit; ++i) {
            vertex(volume.eye);
            vertex(volume.corners[i]);
        }
        glEnd();
    }
    // The line of sight: from the eye (perspective) or from the near plane
    // (orthographic) through the origin to the far plane.
    colour(eyeColour);
    glBegin(GL_LINES);
    vertex(volume.perspective ? volume.eye : planeCentre(volume.corners, false));
    vertex(planeCentre(volume.corners, true));
    glEnd();
    glPointSize(eyePointSize);
    glBegin(GL_POINTS);
    vertex(volume.eye);
    glEnd();
    glPopAttrib();
}

// The scene and the volume seen from the observer, into one panel.
static void drawPanel(int left, const ObservedVolume& volume, const double target[3],
                      double distance)
{
    glViewport(left, 0, observerPanelSize, observerPanelSize);
    glScissor(left, 0, observerPanelSize, observerPanelSize);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(observerBackground[0], observerBackground[1], observerBackground[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(observerFovy, 1.0, observerNearFactor * distance, observerFarFactor * distance);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    double length = std::sqrt(observerDirection[0] * observerDirection[0] +
                              observerDirection[1] * observerDirection[1] +
                              observerDirection[2] * observerDirection[2]);
    double eye[3] = {};
    for (int axis = 0; axis < 3; ++axis) {
        eye[axis] = target[axis] + observerDirection[axis] / length * distance;
    }
    gluLookAt(eye[0], eye[1], eye[2], target[0], target[1], target[2], 0.0, 1.0, 0.0);

    // The viewer's lights, placed in scene coordinates as its display does,
    // then its scene, filled.
    glLightfv(GL_LIGHT0, GL_POSITION, light0Position);
    glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
    glLightfv(GL_LIGHT2, GL_POSITION, light2Position);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    drawScene();
    drawVolume(volume);
}

// Text at a pixel position of the current panel (2D overlay set up).
static void text(int x, int y, const GLfloat rgb[3], const std::string& words)
{
    colour(rgb);
    glRasterPos2i(x, y);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(words.c_str()));
}

// One legend row: a short line in the colour, then what it stands for.
static void legendRow(int row, const GLfloat rgb[3], const std::string& words)
{
    int y = legendMargin + row * legendLineHeight;
    colour(rgb);
    glBegin(GL_LINES);
    glVertex2i(legendMargin, y);
    glVertex2i(legendMargin + legendSwatchLength, y);
    glEnd();
    text(legendMargin + legendSwatchLength + legendTextGap, y - textDrop, textColour, words);
}

// Captions and legend over the panels, in pixels, unlit and in front.
static void drawLegend(const ObservedVolume& volume, const std::string& caption)
{
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(volumeLineWidth);
    glViewport(0, 0, observerWidth, observerHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, observerWidth, 0.0, observerHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    int top = observerHeight - captionTop;
    text(legendMargin, top, textColour, caption + ": the whole set-up");
    text(observerPanelSize + legendMargin, top, textColour, "close-up around the scene");
    legendRow(3, volumeEdgeColour, "edges of the viewing volume");
    legendRow(2, nearPlaneColour, "near plane");
    legendRow(1, farPlaneColour, "far plane");
    legendRow(0, eyeColour,
              volume.perspective ? "eye and line of sight (dotted) to the origin"
                                 : "view's origin and direction of view (dotted)");
    // A line between the panels.
    colour(textColour);
    glBegin(GL_LINES);
    glVertex2i(observerPanelSize, 0);
    glVertex2i(observerPanelSize, observerHeight);
    glEnd();
    glPopAttrib();
}

void drawObserverPicture(const ObservedVolume& volume, const std::string& caption)
{
    glDrawBuffer(GL_BACK);
    drawPanel(0, volume, wholeTarget, wholeDistance);
    drawPanel(observerPanelSize, volume, closeTarget, closeDistance);
    drawLegend(volume, caption);
    glFinish();
}
