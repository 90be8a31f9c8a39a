// Varnelle documentation: the figures of docs/stations.md, measured on what
// the stations really did, as values for its template (stations.md.in beside
// this file, which holds the prose). Figures in the text are measured on the
// viewing volumes read back, not copied from the stations' constants.
#include "page.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace {

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
    out << "```";
}

void writeCalls(std::ostream& out, const ShapeResult& r)
{
    out << "```c\n";
    for (const std::string& call : r.calls) {
        out << call << ";\n";
    }
    out << "```";
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
}

// The page's values for one station: its calls and matrices for each shape,
// its measures table, and the figures its prose quotes.
void putStation(std::map<std::string, std::string>& values, int station,
                const std::vector<ShapeResult>& shapes)
{
    std::string prefix = "s" + std::to_string(station);
    bool perspective = shapes[0].volume.perspective;
    for (const ShapeResult& r : shapes) {
        std::string shape = std::to_string(r.width) + "x" + std::to_string(r.height);
        std::ostringstream calls;
        writeCalls(calls, r);
        values[prefix + "Calls" + shape] = calls.str();
        std::ostringstream matrices;
        writeMatrices(matrices, r);
        values[prefix + "Matrices" + shape] = matrices.str();
    }
    std::ostringstream measures;
    writeMeasures(measures, shapes, perspective);
    values[prefix + "Measures"] = measures.str();

    Measures square = measure(shapes[0]);
    Measures wide = measure(shapes[1]);
    Measures tall = measure(shapes[2]);
    if (!perspective) {
        values[prefix + "Across"] = fixed(square.nearHeight, wholeUnits);
        values[prefix + "Wide"] = fixed(wide.nearWidth, wholeUnits) + " × " + fixed(wide.nearHeight, wholeUnits);
        values[prefix + "Tall"] = fixed(tall.nearWidth, wholeUnits) + " × " + fixed(tall.nearHeight, wholeUnits);
        values[prefix + "NearBehind"] = fixed(-square.nearDistance, wholeUnits);
        values[prefix + "Far"] = fixed(square.farDistance, wholeUnits);
        return;
    }
    const Point3& eye = shapes[0].volume.eye;
    values[prefix + "Eye"] = "(" + fixed(eye[0], wholeUnits) + ", " + fixed(eye[1], wholeUnits) + ", " +
                             fixed(eye[2], wholeUnits) + ")";
    values[prefix + "NearBeforeOrigin"] = fixed(square.originDistance - square.nearDistance, distanceDecimals);
    values[prefix + "FarBeyondOrigin"] = fixed(square.farDistance - square.originDistance, distanceDecimals);
    values[prefix + "NearFromEye"] = fixed(square.nearDistance, sizeDecimals);
    values[prefix + "FarFromEye"] = fixed(square.farDistance, sizeDecimals);
    values[prefix + "SquareAngle"] = fixed(square.horizontalAngle, sizeDecimals);
    values[prefix + "WideUp"] = fixed(wide.verticalAngle, sizeDecimals);
    values[prefix + "WideAcross"] = fixed(wide.horizontalAngle, sizeDecimals);
    values[prefix + "TallUp"] = fixed(tall.verticalAngle, sizeDecimals);
    values[prefix + "TallAcross"] = fixed(tall.horizontalAngle, sizeDecimals);
    values[prefix + "Distance"] = fixed(square.originDistance, sizeDecimals);
    values[prefix + "DistanceWhole"] = fixed(square.originDistance, wholeUnits);
    // How much larger the scene's nearest point (10 units nearer the eye than
    // the origin) is drawn than a point at the origin, and the farthest one.
    const double sceneReach = 10.0;
    values[prefix + "NearGrowth"] =
        fixed(square.originDistance / (square.originDistance - sceneReach), ratioDecimals);
    values[prefix + "FarShrink"] =
        fixed(square.originDistance / (square.originDistance + sceneReach), ratioDecimals);
}

} // namespace

bool writeStationsValues(const std::string& folder,
                         const std::vector<std::vector<ShapeResult>>& results)
{
    std::map<std::string, std::string> values;
    for (size_t station = 0; station < results.size(); ++station) {
        putStation(values, static_cast<int>(station), results[station]);
    }
    bool written = true;
    for (const auto& [name, text] : values) {
        std::ofstream file(folder + "/" + name, std::ios::binary);
        file << text;
        written = written && static_cast<bool>(file.flush());
    }
    return written;
}
