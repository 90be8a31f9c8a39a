// Varnelle documentation: writing docs/stations.md from what the stations
// really did. Figures in the text are measured on the viewing volumes read
// back, not copied from the stations' constants.
#include "page.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// The tour's picture of each station at 480 by 480, relative to the page.
const char* const viewerPictures[] = {"station-0-orthographic.png", "station-1-perspective.png",
                                      "station-2-perspective.png", "station-3-perspective.png"};
// Widths of the pictures on the page, in pixels.
const int viewerPictureWidth = 300;
const int observerPictureWidth = 600;
const int smallPictureWidth = 400;
const double degreesPerRadian = 180.0 / 3.14159265358979323846;
// Matrix entries are printed to this many decimals; anything smaller than
// half the last one is printed as zero, without a sign.
const double printedZero = 0.00005;
// Decimals in the text: distances along the line of sight, plane sizes and
// angles, ratios, and whole units.
const int distanceDecimals = 4;
const int sizeDecimals = 2;
const int ratioDecimals = 3;
const int wholeUnits = 0;

Point3 minus(const Point3& a, const Point3& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

double dot(const Point3& a, const Point3& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double length(const Point3& a)
{
    return std::sqrt(dot(a, a));
}

// Sizes and distances of one volume, measured on its corners.
struct Measures {
    // Distances along the line of sight from the eye (orthographic: from the
    // view's origin), scene units; negative is behind it.
    double nearDistance = 0.0;
    double farDistance = 0.0;
    double originDistance = 0.0;
    // Width and height of the near and far planes, scene units.
    double nearWidth = 0.0;
    double nearHeight = 0.0;
    double farWidth = 0.0;
    double farHeight = 0.0;
    // Full horizontal and vertical angles at the eye, degrees.
    double horizontalAngle = 0.0;
    double verticalAngle = 0.0;
};

Measures measure(const ShapeResult& r)
{
    bool perspective = r.volume.perspective;
    Measures m;
    Point3 nearCentre = planeCentre(r.volume.corners, false);
    Point3 farCentre = planeCentre(r.volume.corners, true);
    Point3 sight = minus(farCentre, perspective ? r.volume.eye : nearCentre);
    double sightLength = length(sight);
    for (double& v : sight) {
        v /= sightLength;
    }
    m.nearDistance = dot(minus(nearCentre, r.volume.eye), sight);
    m.farDistance = dot(minus(farCentre, r.volume.eye), sight);
    m.originDistance = dot(minus(Point3{}, r.volume.eye), sight);
    m.nearWidth = length(minus(r.volume.corners[cornerRightBit], r.volume.corners[0]));
    m.nearHeight = length(minus(r.volume.corners[cornerTopBit], r.volume.corners[0]));
    m.farWidth = length(minus(r.volume.corners[cornerFarBit | cornerRightBit], r.volume.corners[cornerFarBit]));
    m.farHeight = length(minus(r.volume.corners[cornerFarBit | cornerTopBit], r.volume.corners[cornerFarBit]));
    if (perspective) {
        m.horizontalAngle = 2.0 * std::atan(m.nearWidth / 2.0 / m.nearDistance) * degreesPerRadian;
        m.verticalAngle = 2.0 * std::atan(m.nearHeight / 2.0 / m.nearDistance) * degreesPerRadian;
    }
    return m;
}

std::string fixed(double value, int decimals)
{
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) {
        value = 0.0;
    }
    char text[48] = "";
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string shapeName(const ShapeResult& r)
{
    return std::to_string(r.width) + "×" + std::to_string(r.height);
}

// One row of a matrix, entries to 4 decimals, between bars.
std::string matrixRow(const Matrix4& m, int row)
{
    std::string line = "|";
    for (int column = 0; column < 4; ++column) {
        double v = m[column * 4 + row];
        char entry[32] = "";
        std::snprintf(entry, sizeof entry, " %10.4f", std::fabs(v) < printedZero ? 0.0 : v);
        line += entry;
    }
    return line + " |";
}

void writeMatrices(std::ostream& out, const ShapeResult& r)
{
    const auto& v = r.readBack.viewport;
    out << "```\n";
    out << "viewport " << v[0] << ", " << v[1] << ", " << v[2] << ", " << v[3] << "\n";
    out << "projection                                       modelview\n";
    for (int row = 0; row < 4; ++row) {
        out << matrixRow(r.readBack.projection, row) << "    "
            << matrixRow(r.readBack.modelview, row) << "\n";
    }
    out << "```\n\n";
}

void writeCalls(std::ostream& out, const ShapeResult& r)
{
    out << "```c\n";
    for (const std::string& call : r.calls) {
        out << call << ";\n";
    }
    out << "```\n\n";
}

void writeMeasures(std::ostream& out, const std::vector<ShapeResult>& shapes, bool perspective)
{
    out << "| Window | Near plane from the " << (perspective ? "eye" : "view's origin")
        << " | Far plane | Near plane, width × height | Far plane, width × height |"
        << (perspective ? " Horizontal angle | Vertical angle |" : "") << "\n";
    out << "|---|---|---|---|---|" << (perspective ? "---|---|" : "") << "\n";
    for (const ShapeResult& r : shapes) {
        Measures m = measure(r);
        out << "| " << shapeName(r) << " | " << fixed(m.nearDistance, distanceDecimals) << " | "
            << fixed(m.farDistance, distanceDecimals) << " | " << fixed(m.nearWidth, sizeDecimals) << " × "
            << fixed(m.nearHeight, sizeDecimals) << " | " << fixed(m.farWidth, sizeDecimals) << " × "
            << fixed(m.farHeight, sizeDecimals) << " |";
        if (perspective) {
            out << " " << fixed(m.horizontalAngle, sizeDecimals) << "° | " << fixed(m.verticalAngle, sizeDecimals)
                << "° |";
        }
        out << "\n";
    }
    out << "\n";
}

// Two or three sentences on what to notice, with figures measured above.
void writeNotes(std::ostream& out, int station, const std::vector<ShapeResult>& shapes)
{
    bool perspective = shapes[0].volume.perspective;
    Measures square = measure(shapes[0]);
    Measures wide = measure(shapes[1]);
    Measures tall = measure(shapes[2]);
    if (!perspective) {
        out << "The box is " << fixed(square.nearHeight, wholeUnits)
            << " units across the narrower side of the window whatever its shape: "
            << fixed(wide.nearWidth, wholeUnits) << " × " << fixed(wide.nearHeight, wholeUnits)
            << " in the wide window, " << fixed(tall.nearWidth, wholeUnits) << " × "
            << fixed(tall.nearHeight, wholeUnits)
            << " in the tall one, so the scene is neither cut nor squashed. "
            << "Its near plane lies " << fixed(-square.nearDistance, wholeUnits)
            << " units behind the view's origin (at z = " << fixed(-square.nearDistance, wholeUnits)
            << ") and its far plane " << fixed(square.farDistance, wholeUnits)
            << " units in front of it: an orthographic projection may look from inside the "
               "scene, since nothing shrinks with distance, and the box holds every cone "
               "(z from −10 to 10) with room to spare. All lines of sight are parallel, so "
               "the picture is the scene's outline seen straight along −z.\n\n";
        return;
    }
    out << "The near plane lies " << fixed(square.originDistance - square.nearDistance, distanceDecimals)
        << " units in front of the origin and the far plane "
        << fixed(square.farDistance - square.originDistance, distanceDecimals) << " behind it ("
        << fixed(square.nearDistance, sizeDecimals) << " and " << fixed(square.farDistance, sizeDecimals)
        << " from the eye) in every window, so they hug the scene, which reaches 10 units "
           "from the origin. ";
    out << "The volume is fitted to the narrower side: the square window sees "
        << fixed(square.horizontalAngle, sizeDecimals) << "° across and up; the wide one keeps "
        << fixed(wide.verticalAngle, sizeDecimals) << "° up and sees " << fixed(wide.horizontalAngle, sizeDecimals)
        << "° across; the tall one widens the vertical angle to " << fixed(tall.verticalAngle, sizeDecimals)
        << "° so that its width, now the narrower side, still sees "
        << fixed(tall.horizontalAngle, sizeDecimals) << "° across.";
    // How much larger the scene's nearest point (10 units nearer the eye than
    // the origin) is drawn than a point at the origin, and the farthest one.
    const double sceneReach = 10.0;
    double nearGrowth = square.originDistance / (square.originDistance - sceneReach);
    double farShrink = square.originDistance / (square.originDistance + sceneReach);
    if (station == 1) {
        out << " Seen from " << fixed(square.originDistance, wholeUnits)
            << " units away, a point 10 units nearer the eye than the origin is drawn only "
            << fixed(nearGrowth, ratioDecimals) << " times as large, and one 10 units farther "
            << fixed(farShrink, ratioDecimals) << " times: sizes hardly change with depth, which is why "
               "this picture is almost the orthographic one.";
    } else if (station == 2) {
        out << " The volume lies along the x–z diagonal, " << fixed(square.originDistance, sizeDecimals)
            << " units from the eye to the origin; depth changes sizes even less than for "
               "station 1 (from "
            << fixed(farShrink, ratioDecimals) << " to " << fixed(nearGrowth, ratioDecimals) << " times).";
    } else {
        out << " Looking down the cube's diagonal from " << fixed(square.originDistance, sizeDecimals)
            << " units, the longest and narrowest of the three volumes still frames the scene, "
               "and all six cones show.";
    }
    out << "\n\n";
}

void writeStation(std::ostream& out, int station, const std::vector<ShapeResult>& shapes)
{
    bool perspective = shapes[0].volume.perspective;
    out << "## Station " << station << ": ";
    if (perspective) {
        const Point3& eye = shapes[0].volume.eye;
        out << "perspective from (" << fixed(eye[0], wholeUnits) << ", "
            << fixed(eye[1], wholeUnits) << ", " << fixed(eye[2], wholeUnits) << ")\n\n";
    } else {
        out << "orthographic\n\n";
    }
    out << "| The viewer, " << shapeName(shapes[0]) << " | Seen from outside, "
        << shapeName(shapes[0]) << " |\n|---|---|\n";
    out << "| <img src=\"" << viewerPictures[station] << "\" width=\"" << viewerPictureWidth
        << "\" alt=\"station " << station << " in the viewer\"> | <img src=\""
        << shapes[0].picture << "\" width=\"" << observerPictureWidth << "\" alt=\"station "
        << station << " from outside\"> |\n\n";
    writeNotes(out, station, shapes);
    out << "Measured on the volumes read back:\n\n";
    writeMeasures(out, shapes, perspective);
    out << "The wide and the tall window from outside:\n\n";
    out << "| " << shapeName(shapes[1]) << " | " << shapeName(shapes[2]) << " |\n|---|---|\n";
    out << "| <img src=\"" << shapes[1].picture << "\" width=\"" << smallPictureWidth
        << "\" alt=\"station " << station << ", wide window\"> | <img src=\""
        << shapes[2].picture << "\" width=\"" << smallPictureWidth << "\" alt=\"station "
        << station << ", tall window\"> |\n\n";
    for (const ShapeResult& r : shapes) {
        out << "### " << shapeName(r) << "\n\n";
        out << "The calls, with their arguments as the station passed them:\n\n";
        writeCalls(out, r);
        out << "What OpenGL holds afterwards:\n\n";
        writeMatrices(out, r);
    }
}

} // namespace

bool writeStationsPage(const std::string& path,
                       const std::vector<std::vector<ShapeResult>>& results)
{
    std::ostringstream out;
    out << "# The camera stations seen from outside\n\n"
           "This page is written by `make stations` from the viewer's own code, so it "
           "cannot drift from what the viewer does. For each station and each window "
           "shape the documentation program (`tools/stations/`) opens a GLUT window of "
           "that size, calls the station's handler, records the OpenGL and GLU calls the "
           "handler makes, and reads the viewport and the two matrices back from OpenGL. "
           "The viewing volume drawn is what those matrices enclose: the eight corners of "
           "the clip cube (−1 to 1 on each axis) carried back through the inverse of "
           "projection × modelview into scene coordinates.\n\n"
           "The pictures on the left are the viewer's own, taken by `make tour`. The "
           "observer pictures show the scene, drawn by the viewer's `drawScene` with its "
           "lights and material, from a fixed point on the −x, +y, +z side, the same in "
           "every picture: the left panel the whole set-up with the eye, the right panel "
           "a close-up around the scene. Orange: the four edges that join the near plane "
           "to the far plane; pink: the near plane; blue: the far plane; the light dotted "
           "line: the line of sight through the origin, from the eye (a point of the same "
           "colour) or, for the orthographic station, along the box; the faint dotted "
           "lines: the rest of the pyramid the perspective volume is cut from.\n\n"
           "What all four share: each fits the scene's 20-unit span to the narrower side "
           "of the window, and its near and far planes bracket the scene, which lies "
           "within 10 units of the origin. OpenGL keeps its matrices in single "
           "precision; the entries below are rounded to 4 decimals.\n\n";
    for (size_t station = 0; station < results.size(); ++station) {
        writeStation(out, static_cast<int>(station), results[station]);
    }
    std::ofstream file(path, std::ios::binary);
    file << out.str();
    return static_cast<bool>(file.flush());
}
