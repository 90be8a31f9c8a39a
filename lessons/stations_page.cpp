// Varnelle documentation: the values of docs/stations.md, measured on what
// the stations really did (the calls recorded, the matrices read back, the
// viewer's own pictures).
#include <cmath>
#include <cstdio>
#include <sstream>

#include "page.h"

namespace {

// Decimals in the text besides page.h's: distances along the line of
// sight, plane sizes and angles, and colours.
const int distanceDecimals = 4;
const int sizeDecimals = 2;
const int colourDecimals = 2;
// The scene lies within this many units of the origin (the cones' reach).
const double sceneReach = coneLength;

std::string shapeKey(const ShapeResult& r)
{
    return std::to_string(r.width) + "x" + std::to_string(r.height);
}

VolumeMeasures measure(const ShapeResult& r)
{
    return measureVolume(r.volume.corners, r.volume.eye, r.volume.perspective);
}

std::string matricesBlock(const ShapeResult& r)
{
    std::ostringstream out;
    const auto& v = r.readBack.viewport;
    out << "```\n";
    out << "viewport " << v[0] << ", " << v[1] << ", " << v[2] << ", " << v[3] << "\n";
    out << "projection                                       modelview\n";
    for (int row = 0; row < 4; ++row) {
        out << matrixRow(r.readBack.projection, row) << "    "
            << matrixRow(r.readBack.modelview, row) << "\n";
    }
    out << "```";
    return out.str();
}

std::string callsBlock(const ShapeResult& r)
{
    std::ostringstream out;
    out << "```c\n";
    for (const std::string& call : r.calls) {
        out << call << ";\n";
    }
    out << "```";
    return out.str();
}

// The rows of the measures' table, under the template's heading.
std::string measureRows(const std::vector<ShapeResult>& shapes, bool perspective)
{
    std::ostringstream out;
    for (const ShapeResult& r : shapes) {
        VolumeMeasures m = measure(r);
        out << "| " << shapeName(r.width, r.height) << " | " << fixed(m.nearDistance, distanceDecimals)
            << " | " << fixed(m.farDistance, distanceDecimals) << " | "
            << fixed(m.nearWidth, sizeDecimals) << " × " << fixed(m.nearHeight, sizeDecimals) << " | "
            << fixed(m.farWidth, sizeDecimals) << " × " << fixed(m.farHeight, sizeDecimals) << " |";
        if (perspective) {
            out << " " << fixed(m.horizontalAngle, sizeDecimals) << "° | "
                << fixed(m.verticalAngle, sizeDecimals) << "° |";
        }
        out << "\n";
    }
    return out.str();
}

// A code block of the language's lines.
std::string codeBlock(const std::string& lines)
{
    return "```\n" + lines + "```";
}

// Where each entry of the station's matrices comes from, at 480×480.
std::string entriesBlock(int station, const ShapeResult& r, const PageLanguage& language)
{
    if (!isPerspective(station)) {
        OrthoArguments a = orthoArguments(station, r.width, r.height);
        Matrix4 p = orthoMatrix(a);
        return codeBlock(pageWords(
            language, orthographicEntries,
            {fixed(a.left, wholeUnits), fixed(a.right, wholeUnits), fixed(a.bottom, wholeUnits),
             fixed(a.top, wholeUnits), fixed(a.nearPlane, wholeUnits), fixed(a.farPlane, wholeUnits),
             fixed(a.right - a.left, wholeUnits), fixed(entry(p, 0, 0), entryDecimals),
             fixed(a.top - a.bottom, wholeUnits), fixed(entry(p, 1, 1), entryDecimals),
             fixed(a.farPlane - a.nearPlane, wholeUnits), fixed(entry(p, 2, 2), entryDecimals),
             fixed(entry(p, 2, 3), entryDecimals)}));
    }
    PerspectiveArguments a = perspectiveArguments(station, r.width, r.height);
    Matrix4 p = perspectiveMatrix(a);
    Matrix4 v = lookAtMatrix(stationEye(station), stationTarget(station), stationUp(station));
    Point3 e = stationEye(station);
    std::vector<std::string> pieces = {
        fixed(a.fovy, distanceDecimals), fixed(a.aspect, wholeUnits),
        fixed(a.nearPlane, distanceDecimals), fixed(a.farPlane, distanceDecimals),
        fixed(a.fovy / 2.0, distanceDecimals), fixed(entry(p, 0, 0), entryDecimals),
        fixed(entry(p, 1, 1), entryDecimals), fixed(a.farPlane + a.nearPlane, distanceDecimals),
        fixed(a.nearPlane - a.farPlane, distanceDecimals), fixed(entry(p, 2, 2), entryDecimals),
        fixed(entry(p, 2, 3), entryDecimals), fixed(e[0], wholeUnits), fixed(e[1], wholeUnits),
        fixed(e[2], wholeUnits)};
    // The camera's right, up and backward: the modelview's first three rows.
    for (int row = 0; row < 3; ++row) {
        double axis[3] = {entry(v, row, 0), entry(v, row, 1), entry(v, row, 2)};
        pieces.push_back(tuple(axis, 3));
    }
    double translation[3] = {entry(v, 0, 3), entry(v, 1, 3), entry(v, 2, 3)};
    pieces.push_back(tuple(translation, 3));
    return codeBlock(pageWords(language, perspectiveEntries, pieces));
}

// One tip followed through the pipeline, as a block.
std::string followBlock(const FollowedTip& t, const PageLanguage& language)
{
    const FollowedPoint& p = t.tip;
    return codeBlock(pageWords(language, followedSteps,
                               {tuple(p.scene.data(), 4), tuple(p.eye.data(), 4), tuple(p.clip.data(), 4),
                                tuple(p.device.data(), 3), fixed(p.window[0], pixelDecimals),
                                fixed(p.window[1], pixelDecimals), fixed(p.window[2], entryDecimals)}));
}

// The page's values for one station: its calls and matrices for each shape,
// its measures, where its entries come from, its followed tip, and the
// figures its prose quotes.
void putStation(PageValues& values, int station, const std::vector<ShapeResult>& shapes,
                const FollowedTip& tip, const PageLanguage& language)
{
    std::string prefix = "s" + std::to_string(station);
    bool perspective = shapes[0].volume.perspective;
    for (const ShapeResult& r : shapes) {
        values[prefix + "Calls" + shapeKey(r)] = callsBlock(r);
        values[prefix + "Matrices" + shapeKey(r)] = matricesBlock(r);
    }
    values[prefix + "MeasureRows"] = measureRows(shapes, perspective);
    values[prefix + "Entries"] = entriesBlock(station, shapes[0], language);
    values[prefix + "Follow"] = followBlock(tip, language);
    values[prefix + "FollowCone"] = colourName(language, tip.cone);
    values[prefix + "SampleBack"] = fixed(tip.sampleBack, 1);
    values[prefix + "SampleAt"] = "(" + fixed(tip.sampleWindow[0], pixelDecimals) + ", " +
                                  fixed(tip.sampleWindow[1], pixelDecimals) + ")";
    values[prefix + "SampleWidth"] = fixed(2.0 * tip.sampleRadiusPixels, pixelDecimals);
    values[prefix + "SampleRgb"] = fixed(tip.seen[0], colourDecimals) + ", " +
                                   fixed(tip.seen[1], colourDecimals) + ", " +
                                   fixed(tip.seen[2], colourDecimals);

    VolumeMeasures square = measure(shapes[0]);
    VolumeMeasures wide = measure(shapes[1]);
    VolumeMeasures tall = measure(shapes[2]);
    if (!perspective) {
        values[prefix + "Across"] = fixed(square.nearHeight, wholeUnits);
        values[prefix + "Wide"] = fixed(wide.nearWidth, wholeUnits) + " × " + fixed(wide.nearHeight, wholeUnits);
        values[prefix + "Tall"] = fixed(tall.nearWidth, wholeUnits) + " × " + fixed(tall.nearHeight, wholeUnits);
        values[prefix + "Near"] = fixed(square.nearDistance, wholeUnits);
        values[prefix + "NearBehind"] = fixed(-square.nearDistance, wholeUnits);
        values[prefix + "Far"] = fixed(square.farDistance, wholeUnits);
        values[prefix + "TipEyeZ"] = fixed(tip.tip.eye[2], wholeUnits);
        return;
    }
    const Point3& eye = shapes[0].volume.eye;
    values[prefix + "Eye"] = "(" + fixed(eye[0], wholeUnits) + ", " + fixed(eye[1], wholeUnits) + ", " +
                             fixed(eye[2], wholeUnits) + ")";
    values[prefix + "NearBeforeOrigin"] = fixed(square.originDistance - square.nearDistance, sizeDecimals);
    values[prefix + "FarBeyondOrigin"] = fixed(square.farDistance - square.originDistance, sizeDecimals);
    values[prefix + "NearFromEye"] = fixed(square.nearDistance, sizeDecimals);
    values[prefix + "FarFromEye"] = fixed(square.farDistance, sizeDecimals);
    values[prefix + "SquareAngle"] = fixed(square.horizontalAngle, sizeDecimals);
    values[prefix + "WideUp"] = fixed(wide.verticalAngle, sizeDecimals);
    values[prefix + "WideAcross"] = fixed(wide.horizontalAngle, sizeDecimals);
    values[prefix + "TallUp"] = fixed(tall.verticalAngle, sizeDecimals);
    values[prefix + "TallAcross"] = fixed(tall.horizontalAngle, sizeDecimals);
    values[prefix + "Distance"] = fixed(square.originDistance, sizeDecimals);
    // How much larger the scene's nearest point (10 units nearer the eye than
    // the origin) is drawn than a point at the origin, and the farthest one.
    values[prefix + "NearGrowth"] =
        fixed(square.originDistance / (square.originDistance - sceneReach), ratioDecimals);
    values[prefix + "FarShrink"] =
        fixed(square.originDistance / (square.originDistance + sceneReach), ratioDecimals);
}

} // namespace

void putStationsValues(PageValues& values, const std::vector<std::vector<ShapeResult>>& results,
                       const std::vector<FollowedTip>& tips, const PageLanguage& language)
{
    for (size_t station = 0; station < results.size(); ++station) {
        putStation(values, static_cast<int>(station), results[station], tips[station], language);
    }
}

