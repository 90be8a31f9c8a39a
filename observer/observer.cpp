// Varnelle documentation: the observer picture, drawn with the viewer's own
// scene code. Only this program changes OpenGL state beyond what the viewer
// sets, and it saves and restores it around the lines and the text.
#include "observer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "formulas.h"
#include "orbit.h"
#include "palette.h"
#include "render/render.h"

namespace {

const GLfloat textColour[3] = {0.92f, 0.93f, 0.95f};
void* const font = GLUT_BITMAP_HELVETICA_18;

// Whole set-up: a point between the scene and the three eyes, and the
// observer's distance from it, scene units.
const double wholeTarget[3] = {48.0, 20.0, 45.0};
const double wholeDistance = 400.0;
// Close-up: the scene's origin, and the distance that keeps the largest
// volume (the orthographic box of a wide or tall window) in the panel.
const double closeTarget[3] = {0.0, 0.0, 0.0};
const double closeDistance = 150.0;
// Observer's vertical angle in degrees, and its clipping planes' distances
// from the observer relative to its distance from the target.
const double observerFovy = 30.0;
const double observerNearFactor = 0.2;
const double observerFarFactor = 3.0;

// The arrowhead at the end of the line of sight: length and base radius in
// scene units, and its slices.
const double arrowLength = 4.0;
const double arrowRadius = 1.3;
const int arrowSlices = 16;
// Each bit of a stipple pattern covers this many pixels.
const GLint stippleFactor = 2;

// Text layout, pixels: margins, the caption's two lines from the top, the
// legend's rows from the band's top, a swatch's length, the gap after it,
// and how far below a swatch its text's baseline sits.
const int margin = 14;
const int captionFirstLine = 24;
const int captionSecondLine = 50;
// The legend's rows: the first one's distance from the band's top, the
// distance between rows, and rows in a column; with a second volume's entry,
// a fourth row, the rows closer.
struct LegendLayout {
    int firstRow;
    int rowHeight;
    int rows;
};
const LegendLayout legendLayout = {24, 28, 3};
const LegendLayout legendLayoutWithSecond = {18, 22, 4};
const int swatchLength = 44;
const int swatchGap = 10;
const int textDrop = 6;
// A label's offset from the point it names, pixels.
const int labelOffset = 8;
// Scene units shown in labels with this many decimals.
const int labelDecimals = 2;
const double pi = 3.14159265358979323846;

// Latin-1 text for GLUT's bitmap fonts.
const char degreeSign[] = "\xB0";
const char timesSign[] = "\xD7";

std::string format(const char* pattern, ...)
{
    char text[256] = "";
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

void colour(const GLfloat rgb[3])
{
    glColor3f(rgb[0], rgb[1], rgb[2]);
}

void vertex(const Point3& p)
{
    glVertex3d(p[0], p[1], p[2]);
}

// Take up a line kind's colour (or the one given instead), width and pattern.
void useKind(const LineKind& kind, const GLfloat* instead = nullptr)
{
    colour(instead ? instead : kind.colour);
    glLineWidth(kind.width);
    glPointSize(kind.width);
    glLineStipple(stippleFactor, kind.pattern);
}

void bitmapText(const std::string& words)
{
    glutBitmapString(font, reinterpret_cast<const unsigned char*>(words.c_str()));
}

// The outline of the near or far plane: its corners in order round it.
void drawPlaneOutline(const VolumeCorners& corners, bool far)
{
    int base = far ? cornerFarBit : 0;
    const int round[4] = {0, cornerRightBit, cornerRightBit | cornerTopBit, cornerTopBit};
    glBegin(GL_LINE_LOOP);
    for (int i : round) {
        vertex(corners[base + i]);
    }
    glEnd();
}

// A solid arrowhead whose tip is at the point, pointing along the unit
// direction.
void drawArrowhead(const Point3& tip, const Point3& direction)
{
    glPushMatrix();
    glTranslated(tip[0] - direction[0] * arrowLength, tip[1] - direction[1] * arrowLength,
                 tip[2] - direction[2] * arrowLength);
    // Turn +z, the cone's axis, onto the direction.
    double angle = std::acos(std::fmax(-1.0, std::fmin(1.0, direction[2])));
    double axis[3] = {-direction[1], direction[0], 0.0};
    if (std::hypot(axis[0], axis[1]) == 0.0) {
        axis[0] = 1.0;
    }
    glRotated(angle * degreesPerHalfTurn / pi, axis[0], axis[1], axis[2]);
    glutSolidCone(arrowRadius, arrowLength, arrowSlices, 1);
    glPopMatrix();
}

// The volume, the eye and its line of sight, unlit, hidden where the scene is
// in front of them; every kind in the tint's colour, if one is given.
void drawVolume(const ObservedVolume& volume, const GLfloat* tint = nullptr)
{
    if (!volume.found) {
        return;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_LINE_STIPPLE);
    useKind(volumeEdges, tint);
    glBegin(GL_LINES);
    for (int i = 0; i < cornerFarBit; ++i) {
        vertex(volume.corners[i]);
        vertex(volume.corners[i + cornerFarBit]);
    }
    glEnd();
    useKind(nearPlaneLine, tint);
    drawPlaneOutline(volume.corners, false);
    useKind(farPlaneLine, tint);
    drawPlaneOutline(volume.corners, true);
    if (volume.perspective) {
        // The pyramid the volume is cut from, up to the eye.
        useKind(pyramidLine, tint);
        glBegin(GL_LINES);
        for (int i = 0; i < cornerFarBit; ++i) {
            vertex(volume.eye);
            vertex(volume.corners[i]);
        }
        glEnd();
    }
    // The line of sight: from the eye (perspective) or from the near plane
    // (orthographic) through the origin to the far plane, where an arrowhead
    // shows which way the view looks.
    Point3 from = volume.perspective ? volume.eye : planeCentre(volume.corners, false);
    Point3 to = planeCentre(volume.corners, true);
    useKind(sightLine, tint);
    glBegin(GL_LINES);
    vertex(from);
    vertex(to);
    glEnd();
    Point3 direction = {to[0] - from[0], to[1] - from[1], to[2] - from[2]};
    double length = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1] +
                              direction[2] * direction[2]);
    for (double& v : direction) {
        v /= length;
    }
    drawArrowhead(to, direction);
    useKind(eyeMark, tint);
    glBegin(GL_POINTS);
    vertex(volume.eye);
    glEnd();
    glPopAttrib();
}

// How the observer sees one panel: its matrices, worked out with the camera
// formulas, and its viewport, pixels from the picture's bottom left.
struct PanelView {
    Matrix4 projection{};
    Matrix4 modelview{};
    std::array<int, 4> viewport{};
};

PanelView panelView(int left, int panelSize, const double target[3], double distance,
                    const ObserverOrbit& orbit)
{
    PanelView view;
    distance /= orbit.zoom;
    PerspectiveArguments lens;
    lens.fovy = observerFovy;
    lens.aspect = 1.0;
    lens.nearPlane = observerNearFactor * distance;
    lens.farPlane = observerFarFactor * distance;
    view.projection = perspectiveMatrix(lens);
    Point3 direction = orbitDirection(orbit);
    Point3 eye{};
    Point3 centre{};
    for (int axis = 0; axis < 3; ++axis) {
        eye[axis] = target[axis] + direction[axis] * distance;
        centre[axis] = target[axis];
    }
    view.modelview = lookAtMatrix(eye, centre, {0.0, 1.0, 0.0});
    view.viewport = {left, observerLegendBand, panelSize, panelSize};
    return view;
}

// A point of the scene marked in front of everything: a ring of the
// background's colour round a bright square, so that it shows on any line.
void drawMark(const Point3& point)
{
    glPushAttrib(GL_ENABLE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    const GLfloat ringSize = markedPoint.width + 6.0f;
    glPointSize(ringSize);
    colour(observerBackground);
    glBegin(GL_POINTS);
    vertex(point);
    glEnd();
    useKind(markedPoint);
    glBegin(GL_POINTS);
    vertex(point);
    glEnd();
    glPopAttrib();
}

// The scene and the volume (and the second one, if any) seen from the
// observer, into one panel, with the marked point, if any.
void drawPanel(const PanelView& view, const ObservedVolume& volume, const ObservedVolume* second,
               const Point3* marked)
{
    // Nothing of one panel, not even a wide line, reaches the other.
    const auto& v = view.viewport;
    glViewport(v[0], v[1], v[2], v[3]);
    glScissor(v[0], v[1], v[2], v[3]);
    glEnable(GL_SCISSOR_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(view.projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(view.modelview.data());

    drawViewerScene();
    drawVolume(volume);
    if (second) {
        // Over the first volume where they meet: where the two are the same,
        // the second shows.
        glDepthFunc(GL_LEQUAL);
        drawVolume(*second, secondVolume.colour);
        glDepthFunc(GL_LESS);
    }
    if (marked) {
        drawMark(*marked);
    }
    glDisable(GL_SCISSOR_TEST);
}

// Text at a pixel position of the picture (2D overlay set up).
void text(int x, int y, const std::string& words)
{
    drawText(x, y, textColour, words);
}

// A label beside a point of the scene as a panel shows it (to its right, or
// to its left when leftwards), outlined in the background's colour so that
// it reads over lines; nothing if the point falls outside the panel. The 2D
// overlay must be set up.
void label(const PanelView& view, const Point3& at, const std::string& words,
           bool leftwards = false)
{
    FollowedPoint p = followPoint(at, view.modelview, view.projection, view.viewport);
    const auto& v = view.viewport;
    if (p.clip[3] <= 0.0 || p.window[0] < v[0] || p.window[0] >= v[0] + v[2] ||
        p.window[1] < v[1] || p.window[1] >= v[1] + v[3]) {
        return;
    }
    int length = glutBitmapLength(font, reinterpret_cast<const unsigned char*>(words.c_str()));
    int x = static_cast<int>(std::lround(p.window[0])) +
            (leftwards ? -labelOffset - length : labelOffset);
    int y = static_cast<int>(std::lround(p.window[1])) + labelOffset;
    x = std::max(x, v[0]);
    // Four shifted copies in the background's colour, then the text itself.
    const int copies = 5;
    const int shifts[copies][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {0, 0}};
    glScissor(v[0], v[1], v[2], v[3]);
    glEnable(GL_SCISSOR_TEST);
    for (int i = 0; i < copies; ++i) {
        colour(i < copies - 1 ? observerBackground : textColour);
        glRasterPos2i(x + shifts[i][0], y + shifts[i][1]);
        bitmapText(words);
    }
    glDisable(GL_SCISSOR_TEST);
}

// The labels: in the whole set-up the eye, in the close-up the planes with
// their distances along the line of sight.
void labelVolume(const PanelView& whole, const PanelView& close, const ObservedVolume& volume,
                 const VolumeMeasures& m)
{
    if (volume.perspective) {
        label(whole, volume.eye,
              format("eye (%.0f, %.0f, %.0f)", volume.eye[0], volume.eye[1], volume.eye[2]), true);
    }
    label(close, volume.corners[cornerTopBit], format("near %.*f", labelDecimals, m.nearDistance));
    label(close, volume.corners[cornerFarBit | cornerTopBit],
          format("far %.*f", labelDecimals, m.farDistance));
}

// One legend entry: a swatch drawn as the picture draws the kind, then its
// words. Row 0 is the band's top row.
void legendEntry(int left, int row, const LegendLayout& layout, const LineKind& kind)
{
    int y = observerLegendBand - layout.firstRow - row * layout.rowHeight;
    useKind(kind);
    if (&kind == &eyeMark) {
        glBegin(GL_POINTS);
        glVertex2i(left + swatchLength / 2, y);
        glEnd();
    } else {
        glBegin(GL_LINES);
        glVertex2i(left, y);
        glVertex2i(left + swatchLength, y);
        glEnd();
    }
    if (&kind == &sightLine) {
        // Its arrowhead, pointing right.
        const int head = 7;
        glBegin(GL_TRIANGLES);
        glVertex2i(left + swatchLength + head, y);
        glVertex2i(left + swatchLength - head, y + head);
        glVertex2i(left + swatchLength - head, y - head);
        glEnd();
    }
    text(left + swatchLength + 2 * swatchGap, y - textDrop, kind.legend);
}

// The caption band, the legend band and the line between the panels, in
// pixels, unlit and in front.
void drawBands(const PanelView& whole, const PanelView& close, const ObservedVolume& volume,
               const VolumeMeasures& m, const std::string& caption, int panelSize, bool second)
{
    int width = observerPictureWidth(panelSize);
    int height = observerPictureHeight(panelSize);
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    beginFlatOverlay(width, height);
    glEnable(GL_LINE_STIPPLE);

    labelVolume(whole, close, volume, m);
    text(margin, height - captionFirstLine,
         caption + ". Left: the whole set-up; right: close-up around the scene.");
    std::string numbers;
    if (volume.perspective) {
        numbers = format("eye (%.0f, %.0f, %.0f), D = %.2f.  Near %.2f, far %.2f from the eye.  "
                         "Angle %.2f%s up, %.2f%s across.",
                         volume.eye[0], volume.eye[1], volume.eye[2], m.originDistance,
                         m.nearDistance, m.farDistance, m.verticalAngle, degreeSign,
                         m.horizontalAngle, degreeSign);
    } else {
        numbers = format("View's origin (0, 0, 0), looking along -z.  Near %.0f, far %.0f along "
                         "the line of sight.  Box %.0f %s %.0f.",
                         m.nearDistance, m.farDistance, m.nearWidth, timesSign, m.nearHeight);
    }
    text(margin, height - captionSecondLine, numbers);
    std::vector<const LineKind*> entries(lineKinds, lineKinds + lineKindCount);
    if (second) {
        entries.push_back(&secondVolume);
    }
    const LegendLayout& layout = second ? legendLayoutWithSecond : legendLayout;
    for (size_t i = 0; i < entries.size(); ++i) {
        int column = static_cast<int>(i) / layout.rows;
        legendEntry(margin + column * panelSize, static_cast<int>(i) % layout.rows, layout,
                    *entries[i]);
    }
    // A line between the panels.
    glDisable(GL_LINE_STIPPLE);
    glLineWidth(1.0f);
    colour(textColour);
    glBegin(GL_LINES);
    glVertex2i(panelSize, observerLegendBand);
    glVertex2i(panelSize, observerLegendBand + panelSize);
    glEnd();
    glPopAttrib();
}

} // namespace

void drawViewerScene()
{
    // The viewer's lights, placed in scene coordinates as its display does,
    // then its scene, filled.
    glLightfv(GL_LIGHT0, GL_POSITION, light0Position);
    glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
    glLightfv(GL_LIGHT2, GL_POSITION, light2Position);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    drawScene();
}

void beginFlatOverlay(int width, int height)
{
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, width, 0.0, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void drawText(int x, int y, const GLfloat rgb[3], const std::string& words)
{
    colour(rgb);
    glRasterPos2i(x, y);
    bitmapText(words);
}

ObservedVolume observedVolume(const StationReadBack& readBack)
{
    // Row 4, column 3: -1 in a perspective projection, 0 in an orthographic one.
    const int perspectiveRow = 3;
    const int perspectiveColumn = 2;
    ObservedVolume volume;
    volume.perspective = entry(readBack.projection, perspectiveRow, perspectiveColumn) != 0.0;
    volume.found = volumeCorners(readBack.projection, readBack.modelview, volume.corners) &&
                   eyePosition(readBack.modelview, volume.eye);
    return volume;
}

std::string observerCaption(int station, int width, int height)
{
    return "Station " + std::to_string(station) +
           (station == 0 ? ", orthographic" : ", perspective") + ", window " +
           std::to_string(width) + timesSign + std::to_string(height);
}

void drawObserverPicture(const ObservedVolume& volume, const std::string& caption, int panelSize,
                         const ObserverOrbit& orbit, const ObservedVolume* second,
                         const Point3* marked)
{
    VolumeMeasures m = measureVolume(volume.corners, volume.eye, volume.perspective);
    glDrawBuffer(GL_BACK);
    glClearColor(observerBackground[0], observerBackground[1], observerBackground[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PanelView whole = panelView(0, panelSize, wholeTarget, wholeDistance, orbit);
    PanelView close = panelView(panelSize, panelSize, closeTarget, closeDistance, orbit);
    drawPanel(whole, volume, second, marked);
    drawPanel(close, volume, second, marked);
    drawBands(whole, close, volume, m, caption, panelSize, second != nullptr);
    glFinish();
}
