// Varnelle documentation: the observer picture, drawn with the viewer's own
// scene code. Only this program changes OpenGL state beyond what the viewer
// sets, and it saves and restores it around the lines and the text.
#include "observer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "formulas.h"
#include "observer_words.h"
#include "orbit.h"
#include "palette.h"
#include "render/render.h"

namespace {

const GLfloat* const textColour = observerText;
// The pictures' font: its capitals and digits are 17 pixels tall, for a
// projector's back row.
void* const font = GLUT_BITMAP_TIMES_ROMAN_24;

// Whole set-up: a point between the scene and the three eyes, and the
// observer's distance from it, scene units.
const double wholeTarget[3] = {50.0, 50.0, 50.0};
const double wholeDistance = 300.0;
// Close-up: the scene's origin, and the distance that keeps the largest
// volume (the orthographic box of a wide or tall window) in the panel.
const double closeTarget[3] = {0.0, 0.0, 0.0};
const double closeDistance = 110.0;
// The whole set-up is an inset at the panels' top left: its width and
// height as shares of the panel size.
const double insetWidthShare = 0.6;
const double insetHeightShare = 0.5;
// The axis triad at the panels' bottom left: its square's side in pixels,
// the half-width of the box it is seen in and where its letters stand,
// in axis lengths.
const int triadSize = 110;
const double triadHalfBox = 1.6;
const double triadLetterAt = 1.3;
// The colour key at the panels' bottom right: the distance between its
// rows and a swatch's size, pixels (the outline round it this much larger).
const int keyRowHeight = 26;
const GLfloat keySwatchSize = 14.0f;
const GLfloat keyOutlineExtra = 4.0f;
// A cone's outline: how far it stands out round the cone and beyond its
// tip, scene units, and its slices.
const double outlineMargin = 0.4;
const double outlineBeyondTip = 0.8;
const int outlineSlices = 36;
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
// and how far below a swatch its text's baseline sits; half a capital's
// height, to centre a letter on a point.
const int margin = 14;
const int captionFirstLine = 25;
const int captionSecondLine = 54;
// The legend's rows: the first one's distance from the band's top, the
// distance between rows, and rows in a column; with a second volume's entry,
// a fourth row, the rows closer.
struct LegendLayout {
    int firstRow;
    int rowHeight;
    int rows;
};
const LegendLayout legendLayout = {22, 30, 3};
const LegendLayout legendLayoutWithSecond = {17, 23, 4};
const int swatchLength = 44;
const int swatchGap = 10;
// A narrow picture: the panels' area's height for its width, the lines of
// text and the legend's padding, pixels.
// The longest caption and numbers a station's picture has, to make the
// caption band tall enough for them once wrapped: station 3 in a 1920×1080
// window, its eye, D, near, far, and angles up and across; the
// orthographic station's near, far and box in that window.
const int longestStation = 3;
const int longestWindow[2] = {1920, 1080};
const Point3 longestEye = {100.0, 100.0, 100.0};
const int perspectiveFigures = 5;
const int orthographicFigures = 4;
const double longestPerspective[perspectiveFigures] = {173.21, 161.21, 185.21, 13.23, 23.39};
const double longestOrthographic[orthographicFigures] = {-20.0, 20.0, 36.0, 20.0};
const double narrowPanelShare = 0.8;
const int lineStep = captionSecondLine - captionFirstLine;
const int narrowLegendPad = 12;
const int textDrop = 7;
const int halfCapital = 8;
// A label's offset from the point it names, and the height of its
// capitals above the line it stands on, pixels.
const int labelOffset = 8;
const int capitalHeight = 2 * halfCapital + 1;
// Scene units shown in labels with this many decimals, and in the
// caption's numbers: the eye's coordinates, distances and angles, and the
// orthographic box.
const int labelDecimals = 2;
const int eyeDecimals = 0;
const int figureDecimals = 2;
const int boxDecimals = 0;
const double pi = 3.14159265358979323846;

// One of the pictures' words (observer_words.h) with its numbers, each to
// this many decimals.
std::string worded(int word, const std::vector<double>& numbers, int decimals)
{
    std::vector<std::string> pieces;
    for (double n : numbers) {
        pieces.push_back(observerNumber(n, decimals));
    }
    return filledWords(observerWord(word), pieces);
}

// The caption's second line: the eye, D, near, far, and the angles up and
// across of a perspective volume; near, far and the box of an
// orthographic one.
std::string perspectiveNumbers(const Point3& eye, const double figures[perspectiveFigures])
{
    std::vector<std::string> pieces = {observerTuple(eye.data(), axisCount, eyeDecimals)};
    for (int i = 0; i < perspectiveFigures; ++i) {
        pieces.push_back(observerNumber(figures[i], figureDecimals));
    }
    return filledWords(observerWord(numbersPerspective), pieces);
}

std::string orthographicNumbers(const double figures[orthographicFigures])
{
    return worded(numbersOrthographic, {figures[0], figures[1], figures[2], figures[3]}, boxDecimals);
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

// Turn +z, a GLUT cone's axis, onto the unit direction.
void turnZOnto(const Point3& direction)
{
    double angle = std::acos(std::fmax(-1.0, std::fmin(1.0, direction[2])));
    double axis[3] = {-direction[1], direction[0], 0.0};
    if (std::hypot(axis[0], axis[1]) == 0.0) {
        axis[0] = 1.0;
    }
    glRotated(angle * degreesPerHalfTurn / pi, axis[0], axis[1], axis[2]);
}

// A solid arrowhead whose tip is at the point, pointing along the unit
// direction.
void drawArrowhead(const Point3& tip, const Point3& direction)
{
    glPushMatrix();
    glTranslated(tip[0] - direction[0] * arrowLength, tip[1] - direction[1] * arrowLength,
                 tip[2] - direction[2] * arrowLength);
    turnZOnto(direction);
    glutSolidCone(arrowRadius, arrowLength, arrowSlices, 1);
    glPopMatrix();
}

// The light outline round each cone too dark to stand out from the
// background: a slightly larger cone, unlit, drawn before the scene and
// leaving the depth buffer alone, so that the scene covers all of it but a
// rim round the cone.
void drawConeOutlines()
{
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    colour(coneOutline);
    for (const Cone& cone : cones) {
        if (!needsOutline(cone.colour)) {
            continue;
        }
        glPushMatrix();
        turnZOnto(cone.axis);
        glTranslated(0.0, 0.0, -outlineMargin);
        glutSolidCone(coneRadius + outlineMargin, coneLength + outlineMargin + outlineBeyondTip,
                      outlineSlices, 1);
        glPopMatrix();
    }
    glDepthMask(GL_TRUE);
    glPopAttrib();
}

// The volume, the eye and its line of sight, unlit, hidden where the scene is
// in front of them; with a style given, every kind in its colour, width and
// dashes, the near plane wider.
void drawVolume(const ObservedVolume& volume, const LineKind* style = nullptr)
{
    if (!volume.found) {
        return;
    }
    auto use = [style](const LineKind& kind) {
        useKind(style ? *style : kind);
        if (style && &kind == &nearPlaneLine) {
            glLineWidth(style->width + nearPlaneExtraWidth);
        }
        if (style && &kind == &eyeMark) {
            glPointSize(kind.width);
        }
    };
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_LINE_STIPPLE);
    use(volumeEdges);
    glBegin(GL_LINES);
    for (int i = 0; i < cornerFarBit; ++i) {
        vertex(volume.corners[i]);
        vertex(volume.corners[i + cornerFarBit]);
    }
    glEnd();
    use(nearPlaneLine);
    drawPlaneOutline(volume.corners, false);
    use(farPlaneLine);
    drawPlaneOutline(volume.corners, true);
    if (volume.perspective) {
        // The pyramid the volume is cut from, up to the eye.
        use(pyramidLine);
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
    use(sightLine);
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
    use(eyeMark);
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

PanelView panelView(const std::array<int, 4>& viewport, const double target[3], double distance,
                    const ObserverOrbit& orbit)
{
    PanelView view;
    distance /= orbit.zoom;
    PerspectiveArguments lens;
    lens.fovy = observerFovy;
    lens.aspect = static_cast<double>(viewport[2]) / viewport[3];
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
    view.viewport = viewport;
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

// The close-up takes the panels' whole area; the whole set-up is an inset
// at its top left, sized by the area's shorter side (its height, or half
// its width).
std::array<int, 4> closeViewport(const ObserverLayout& l)
{
    return {0, l.legendBand, l.width, l.panelHeight};
}

std::array<int, 4> insetViewport(const ObserverLayout& l)
{
    int side = std::min(l.width / 2, l.panelHeight);
    int width = static_cast<int>(std::lround(insetWidthShare * side));
    int height = static_cast<int>(std::lround(insetHeightShare * side));
    return {0, l.legendBand + l.panelHeight - height, width, height};
}

// The scene and the volume (and the second one, if any) seen from the
// observer, into one panel, with the marked point, if any.
void drawPanel(const PanelView& view, const ObservedVolume& volume, const ObservedVolume* second,
               const Point3* marked)
{
    // Nothing of one panel, not even a wide line, reaches the other.
    // An inset covers what lies under it.
    const auto& v = view.viewport;
    glViewport(v[0], v[1], v[2], v[3]);
    glScissor(v[0], v[1], v[2], v[3]);
    glEnable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(view.projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(view.modelview.data());

    drawConeOutlines();
    drawViewerScene();
    drawVolume(volume);
    if (second) {
        // Over the first volume where they meet: where the two are the same,
        // the second shows.
        glDepthFunc(GL_LEQUAL);
        drawVolume(*second, &secondVolume);
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

// A text's width in the pictures' font, pixels.
int textWidth(const std::string& words)
{
    return glutBitmapLength(font, reinterpret_cast<const unsigned char*>(words.c_str()));
}

// A label beside a point of the scene as a panel shows it (to its right, or
// to its left when leftwards), outlined in the background's colour so that
// it reads over lines; the shorter words instead if the label is wider
// than the panel; nothing if the point falls outside the panel, or if even
// the shorter words are wider than it. The 2D overlay must be set up.
void label(const PanelView& view, const Point3& at, std::string words, bool leftwards = false,
           const std::string& shorter = "")
{
    FollowedPoint p = followPoint(at, view.modelview, view.projection, view.viewport);
    const auto& v = view.viewport;
    if (p.clip[3] <= 0.0 || p.window[0] < v[0] || p.window[0] >= v[0] + v[2] ||
        p.window[1] < v[1] || p.window[1] >= v[1] + v[3]) {
        return;
    }
    int length = textWidth(words);
    if (length > v[2] && !shorter.empty()) {
        words = shorter;
        length = textWidth(words);
    }
    if (length > v[2]) {
        return;
    }
    int x = static_cast<int>(std::lround(p.window[0])) +
            (leftwards ? -labelOffset - length : labelOffset);
    int y = static_cast<int>(std::lround(p.window[1])) + labelOffset;
    // Kept inside the panel: moved in from its right edge, and from its
    // left one first; down from its top.
    x = std::max(std::min(x, v[0] + v[2] - length), v[0]);
    y = std::min(y, v[1] + v[3] - capitalHeight);
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
// their distances along the line of sight, and a second volume's near
// plane, to its left.
void labelVolumes(const PanelView& whole, const PanelView& close, const ObservedVolume& volume,
                  const ObservedVolume* second)
{
    VolumeMeasures m = measureVolume(volume.corners, volume.eye, volume.perspective);
    if (volume.perspective) {
        // Where the inset is too narrow for the eye's coordinates, its name.
        label(whole, volume.eye,
              filledWords(observerWord(eyeLabel), {observerTuple(volume.eye.data(), axisCount, eyeDecimals)}),
              true, filledWords(observerWord(eyeLabel), {""}));
    }
    label(close, volume.corners[cornerTopBit], worded(nearLabel, {m.nearDistance}, labelDecimals));
    label(close, volume.corners[cornerFarBit | cornerTopBit],
          worded(farLabel, {m.farDistance}, labelDecimals));
    if (second && second->found) {
        VolumeMeasures yours = measureVolume(second->corners, second->eye, second->perspective);
        label(close, second->corners[0], worded(yourNearLabel, {yours.nearDistance}, labelDecimals),
              true);
    }
}

// A legend entry's swatch, drawn as the picture draws the kind, at a pixel
// position (its left end, its middle's height).
void swatch(int left, int y, const LineKind& kind)
{
    useKind(kind);
    if (&kind == &eyeMark || &kind == &originMark) {
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
}

// The kinds the legend names: an orthographic volume has no eye and no
// pyramid, but the view's origin.
std::vector<const LineKind*> legendKinds(bool perspective, bool second)
{
    std::vector<const LineKind*> kinds;
    for (const LineKind* kind : lineKinds) {
        if (!perspective && kind == &pyramidLine) {
            continue;
        }
        kinds.push_back(!perspective && kind == &eyeMark ? &originMark : kind);
    }
    if (second) {
        kinds.push_back(&secondVolume);
    }
    return kinds;
}

// Words broken into lines at most width pixels wide, at their blanks (a
// word wider than that stands alone on its line).
std::vector<std::string> wrapped(const std::string& words, int width)
{
    std::vector<std::string> lines(1);
    size_t start = 0;
    while (start < words.size()) {
        size_t end = words.find(' ', start);
        std::string word = words.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string longer = lines.back().empty() ? word : lines.back() + " " + word;
        if (!lines.back().empty() && textWidth(longer) > width) {
            lines.push_back(word);
        } else {
            lines.back() = longer;
        }
        start = end == std::string::npos ? words.size() : end + 1;
    }
    return lines;
}

// The width a narrow legend's words have: what the swatch leaves.
int legendTextWidth(int width)
{
    return width - 2 * margin - swatchLength - 2 * swatchGap;
}

// The colour key's entry of a cone: its colour's name and its axis.
std::string keyWords(int cone)
{
    return std::string(observerWord(coneColourFirst + cone)) + "  " + axisName(cones[cone].axis);
}

int widestKeyEntry()
{
    int widest = 0;
    for (int cone = 0; cone < coneCount; ++cone) {
        widest = std::max(widest, textWidth(keyWords(cone)));
    }
    return widest + keyRowHeight + swatchGap;
}

// The colour key's columns in a narrow picture: two where they fit.
int keyColumns(int width)
{
    return 2 * widestKeyEntry() + 2 * margin <= width ? 2 : 1;
}

// A line loop round a rectangle, pixels.
void frame(const std::array<int, 4>& r)
{
    glBegin(GL_LINE_LOOP);
    glVertex2i(r[0], r[1]);
    glVertex2i(r[0] + r[2] - 1, r[1]);
    glVertex2i(r[0] + r[2] - 1, r[1] + r[3] - 1);
    glVertex2i(r[0], r[1] + r[3] - 1);
    glEnd();
}

// The scene's axes as the observer sees them, in a small square at the
// panels' bottom left: a line along each, named at its end.
void drawAxisTriad(const ObserverOrbit& orbit, const ObserverLayout& l)
{
    std::array<int, 4> viewport = {margin, l.legendBand + margin, triadSize, triadSize};
    OrthoArguments box;
    box.left = box.bottom = box.nearPlane = -triadHalfBox;
    box.right = box.top = box.farPlane = triadHalfBox;
    Matrix4 projection = orthoMatrix(box);
    Point3 from = orbitDirection(orbit);
    Matrix4 modelview = lookAtMatrix(from, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0});
    glLineWidth(2.0f);
    colour(textColour);
    for (int axis = 0; axis < 3; ++axis) {
        Point3 end{};
        end[axis] = 1.0;
        Point3 letterAt{};
        letterAt[axis] = triadLetterAt;
        FollowedPoint o = followPoint({0.0, 0.0, 0.0}, modelview, projection, viewport);
        FollowedPoint e = followPoint(end, modelview, projection, viewport);
        FollowedPoint t = followPoint(letterAt, modelview, projection, viewport);
        glBegin(GL_LINES);
        glVertex2i(static_cast<int>(std::lround(o.window[0])), static_cast<int>(std::lround(o.window[1])));
        glVertex2i(static_cast<int>(std::lround(e.window[0])), static_cast<int>(std::lround(e.window[1])));
        glEnd();
        const char* letter = observerWord(axisLetterFirst + axis);
        text(static_cast<int>(std::lround(t.window[0])) - textWidth(letter) / 2,
             static_cast<int>(std::lround(t.window[1])) - halfCapital, letter);
    }
}

// One cone's entry of the colour key: a swatch of its colour (outlined as
// the cone is), its name and its axis, the swatch's middle at (x, y).
void keyEntry(int x, int y, int index)
{
    const Cone& cone = cones[index];
    if (needsOutline(cone.colour)) {
        colour(coneOutline);
        glPointSize(keySwatchSize + keyOutlineExtra);
        glBegin(GL_POINTS);
        glVertex2i(x, y);
        glEnd();
    }
    colour(cone.colour);
    glPointSize(keySwatchSize);
    glBegin(GL_POINTS);
    glVertex2i(x, y);
    glEnd();
    text(x + keyRowHeight / 2 + swatchGap, y - halfCapital, keyWords(index));
}

// Which colour each cone has and along which axis it points: at the panels'
// bottom right in a wide picture; in a narrow one, under the legend, from
// the band's row `fromTop` pixels below its top.
void drawColourKey(const ObserverLayout& l, int fromTop)
{
    if (l.wide) {
        int left = l.width - margin - widestKeyEntry() - swatchGap;
        for (int i = 0; i < coneCount; ++i) {
            int y = l.legendBand + margin + keyRowHeight / 2 + (coneCount - 1 - i) * keyRowHeight;
            keyEntry(left + keyRowHeight / 2, y, i);
        }
        return;
    }
    int columns = keyColumns(l.width);
    int columnWidth = (l.width - 2 * margin) / columns;
    for (int i = 0; i < coneCount; ++i) {
        int y = l.legendBand - fromTop - (i / columns) * keyRowHeight - keyRowHeight / 2;
        keyEntry(margin + (i % columns) * columnWidth + keyRowHeight / 2, y, i);
    }
}

// The legend: in a wide picture, two columns of entries; in a narrow one,
// one column, each entry's words wrapped. Returns how far below the band's
// top it ends, pixels.
int drawLegend(const ObserverLayout& l, const std::vector<const LineKind*>& entries)
{
    if (l.wide) {
        const LegendLayout& layout = entries.size() > 2 * static_cast<size_t>(legendLayout.rows)
                                         ? legendLayoutWithSecond
                                         : legendLayout;
        int panelSize = l.width / 2;
        for (size_t i = 0; i < entries.size(); ++i) {
            int column = static_cast<int>(i) / layout.rows;
            int y = l.legendBand - layout.firstRow - (static_cast<int>(i) % layout.rows) * layout.rowHeight;
            swatch(margin + column * panelSize, y, *entries[i]);
            text(margin + column * panelSize + swatchLength + 2 * swatchGap, y - textDrop,
                 observerWord(entries[i]->legend));
        }
        return l.legendBand;
    }
    int fromTop = narrowLegendPad;
    for (const LineKind* kind : entries) {
        std::vector<std::string> lines = wrapped(observerWord(kind->legend), legendTextWidth(l.width));
        int y = l.legendBand - fromTop - lineStep / 2;
        swatch(margin, y, *kind);
        for (size_t i = 0; i < lines.size(); ++i) {
            text(margin + swatchLength + 2 * swatchGap, y - textDrop - static_cast<int>(i) * lineStep,
                 lines[i]);
        }
        fromTop += static_cast<int>(lines.size()) * lineStep;
    }
    return fromTop;
}

// The caption and the numbers, each wrapped to a picture's width.
std::vector<std::string> captionLines(int width, const std::string& caption, const std::string& numbers)
{
    std::vector<std::string> lines = wrapped(caption, width - 2 * margin);
    for (const std::string& line : wrapped(numbers, width - 2 * margin)) {
        lines.push_back(line);
    }
    return lines;
}

// The caption and the volume's numbers: two lines in a wide picture,
// wrapped in a narrow one.
void drawCaption(const ObserverLayout& l, int height, const std::string& caption,
                 const std::string& numbers)
{
    if (l.wide) {
        text(margin, height - captionFirstLine, caption);
        text(margin, height - captionSecondLine, numbers);
        return;
    }
    std::vector<std::string> lines = captionLines(l.width, caption, numbers);
    for (size_t i = 0; i < lines.size(); ++i) {
        text(margin, height - captionFirstLine - static_cast<int>(i) * lineStep, lines[i]);
    }
}

// The caption band, the legend band, the inset's frame and title, the axis
// triad and the colour key, in pixels, unlit and in front.
void drawBands(const PanelView& whole, const PanelView& close, const ObservedVolume& volume,
               const std::string& caption, const ObserverLayout& l, const ObserverOrbit& orbit,
               const ObservedVolume* second)
{
    VolumeMeasures m = measureVolume(volume.corners, volume.eye, volume.perspective);
    int height = l.captionBand + l.panelHeight + l.legendBand;
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_POINT_BIT | GL_CURRENT_BIT);
    beginFlatOverlay(l.width, height);

    labelVolumes(whole, close, volume, second);
    std::string numbers;
    if (volume.perspective) {
        const double figures[perspectiveFigures] = {m.originDistance, m.nearDistance, m.farDistance, m.verticalAngle,
                                   m.horizontalAngle};
        numbers = perspectiveNumbers(volume.eye, figures);
    } else {
        const double figures[orthographicFigures] = {m.nearDistance, m.farDistance, m.nearWidth, m.nearHeight};
        numbers = orthographicNumbers(figures);
    }
    drawCaption(l, height, caption, numbers);
    glEnable(GL_LINE_STIPPLE);
    int legendEnd = drawLegend(l, legendKinds(volume.perspective, second != nullptr));
    glDisable(GL_LINE_STIPPLE);
    // The inset's frame and title.
    glLineWidth(1.0f);
    colour(textColour);
    frame(whole.viewport);
    const auto& w = whole.viewport;
    const std::string title = observerWord(wholeSetUp);
    text(w[0] + w[2] - swatchGap - textWidth(title), w[1] + swatchGap, title);
    drawAxisTriad(orbit, l);
    drawColourKey(l, legendEnd);
    glPopAttrib();
}

} // namespace

ObserverLayout observerLayout(int panelSize)
{
    ObserverLayout l;
    l.width = observerPictureWidth(panelSize);
    if (l.width >= observerWideFrom) {
        l.captionBand = observerCaptionBand;
        l.panelHeight = panelSize;
        l.legendBand = observerLegendBand;
        return l;
    }
    l.wide = false;
    std::string longestCaption = filledWords(observerWord(captionPerspective),
                                             {std::to_string(longestStation), std::to_string(longestWindow[0]),
                                              std::to_string(longestWindow[1])});
    int captionLineCount = static_cast<int>(std::max(
        captionLines(l.width, longestCaption, perspectiveNumbers(longestEye, longestPerspective)).size(),
        captionLines(l.width, longestCaption, orthographicNumbers(longestOrthographic)).size()));
    l.captionBand = captionFirstLine + (captionLineCount - 1) * lineStep + margin;
    l.panelHeight = static_cast<int>(std::lround(narrowPanelShare * l.width));
    // As tall as the longest legend needs: every kind, the second volume's
    // too, each wrapped, then the colour key.
    int lines = 0;
    std::vector<const LineKind*> kinds(std::begin(lineKinds), std::end(lineKinds));
    kinds.push_back(&secondVolume);
    for (const LineKind* kind : kinds) {
        lines += static_cast<int>(wrapped(observerWord(kind->legend), legendTextWidth(l.width)).size());
    }
    int keyRows = (coneCount + keyColumns(l.width) - 1) / keyColumns(l.width);
    l.legendBand = 2 * narrowLegendPad + lines * lineStep + keyRows * keyRowHeight;
    return l;
}

int observerPictureHeight(int panelSize)
{
    ObserverLayout l = observerLayout(panelSize);
    return l.captionBand + l.panelHeight + l.legendBand;
}

std::string axisName(const Point3& axis, const char* minus)
{
    for (int i = 0; i < axisCount; ++i) {
        if (axis[i] != 0.0) {
            return std::string(axis[i] > 0.0 ? "+" : minus) + observerWord(axisLetterFirst + i);
        }
    }
    return "";
}

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
    return filledWords(observerWord(station == 0 ? captionOrthographic : captionPerspective),
                       {std::to_string(station), std::to_string(width), std::to_string(height)});
}

void drawObserverPicture(const ObservedVolume& volume, const std::string& caption, int panelSize,
                         const ObserverOrbit& orbit, const ObservedVolume* second,
                         const Point3* marked)
{
    glDrawBuffer(GL_BACK);
    glClearColor(observerBackground[0], observerBackground[1], observerBackground[2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ObserverLayout l = observerLayout(panelSize);
    PanelView close = panelView(closeViewport(l), closeTarget, closeDistance, orbit);
    PanelView whole = panelView(insetViewport(l), wholeTarget, wholeDistance, orbit);
    drawPanel(close, volume, second, marked);
    drawPanel(whole, volume, second, marked);
    drawBands(whole, close, volume, caption, l, orbit, second);
    glFinish();
}
