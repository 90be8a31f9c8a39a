// Varnelle documentation: the values of docs/cameras.md, the page that says
// why the stations are set up as they are. Calls are the ones recorded;
// figures are worked out with the camera formulas, which the program has
// checked against those calls.
#include <cmath>
#include <cstdio>
#include <sstream>

#include "calls.h"
#include "page.h"

namespace {

// Tangents are written to as many decimals as matrix entries.
const int fineDecimals = entryDecimals;
const double percent = 100.0;
const int square = 0;
const int wide = 1;
const int tall = 2;

std::string callOf(const ShapeResult& r, const char* name)
{
    for (const std::string& call : r.calls) {
        if (call.rfind(name, 0) == 0) {
            return call;
        }
    }
    return "";
}

std::string point(const Point3& p)
{
    return "(" + fixed(p[0], wholeUnits) + ", " + fixed(p[1], wholeUnits) + ", " +
           fixed(p[2], wholeUnits) + ")";
}

// The rows of the tables below; their headings are the templates'.
std::string coneRows(const std::vector<std::vector<ShapeResult>>& results, const PageLanguage& language)
{
    const ShapeResult& ortho = results[0][square];
    std::ostringstream out;
    for (int c = 0; c < coneCount; ++c) {
        const Cone& cone = cones[c];
        FollowedPoint p = followPoint(coneTip(cone), ortho.readBack.modelview,
                                      ortho.readBack.projection, ortho.readBack.viewport);
        out << "| " << colourName(language, c) << " | " << fixed(cone.colour[0], wholeUnits) << ", "
            << fixed(cone.colour[1], wholeUnits) << ", " << fixed(cone.colour[2], wholeUnits) << " | "
            << axisName(cone.axis, "−") << " | " << point(coneTip(cone)) << " | ("
            << fixed(p.window[0], pixelDecimals) << ", " << fixed(p.window[1], pixelDecimals)
            << "), "
            << pageWords(language, p.eye[2] > 0.0   ? pointingAtYou
                                   : p.eye[2] < 0.0 ? pointingAway
                                                    : onWindowsEdge)
            << " |\n";
    }
    return out.str();
}

std::string stationRows(const std::vector<std::vector<ShapeResult>>& results, const PageLanguage& language)
{
    std::ostringstream out;
    for (int s = 0; s < static_cast<int>(results.size()); ++s) {
        const ShapeResult& r = results[s][square];
        if (!isPerspective(s)) {
            out << "| " << s << " | `" << stations[s].traceName << "` | " << pageWords(language, noEye)
                << " | | | `" << callOf(r, "glOrtho") << "` | " << pageWords(language, identityView) << " |\n";
            continue;
        }
        double d = eyeDistance(stationEye(s));
        double a = baseAngle(stations[s].span, d);
        // The trace line, as the station writes it.
        char trace[32] = "";
        std::snprintf(trace, sizeof trace, "%s %6.2lf %6.2lf", stations[s].traceName, d, a);
        out << "| " << s << " | `" << trace << "` | " << point(stationEye(s)) << " | " << numberText(d) << " | "
            << numberText(a) << "° | `" << callOf(r, "gluPerspective") << "` | `"
            << callOf(r, "gluLookAt") << "` |\n";
    }
    return out.str();
}

std::string shapeRows(const std::vector<std::vector<ShapeResult>>& results)
{
    std::ostringstream out;
    for (int s = 0; s < static_cast<int>(results.size()); ++s) {
        const char* name = isPerspective(s) ? "gluPerspective" : "glOrtho";
        out << "| " << s << " | `" << callOf(results[s][wide], name) << "` | `"
            << callOf(results[s][tall], name) << "` |\n";
    }
    return out.str();
}

std::string angleRows(const PageLanguage& language)
{
    std::ostringstream out;
    for (int s = 0; s < stationCount; ++s) {
        if (!isPerspective(s)) {
            continue;
        }
        double d = eyeDistance(stationEye(s));
        double a = baseAngle(stations[s].span, d);
        double exact = exactAngle(stations[s].span, d);
        out << "| " << s << " | " << fixed(d, angleDecimals) << " | " << fixed(a, angleDecimals)
            << "° | " << fixed(exact, angleDecimals) << "° | "
            << fixed((a / exact - 1.0) * percent, angleDecimals) << " % | "
            << pageWords(language, timesAsLarge, {fixed(d / (d - coneLength), ratioDecimals)}) << " | "
            << pageWords(language, timesAsSmall, {fixed(d / (d + coneLength), ratioDecimals)}) << " |\n";
    }
    return out.str();
}

double tangentOfHalf(double angle)
{
    return std::tan(radians(angle) / 2.0);
}

} // namespace

void putCamerasValues(PageValues& values, const std::vector<std::vector<ShapeResult>>& results,
                      const PageLanguage& language)
{
    values["coneRows"] = coneRows(results, language);
    values["stationRows"] = stationRows(results, language);
    values["shapeRows"] = shapeRows(results);
    values["angleRows"] = angleRows(language);
    // The base angles of the perspective stations, from smallest to largest.
    double smallest = 0.0;
    double largest = 0.0;
    for (int s = 0; s < stationCount; ++s) {
        if (isPerspective(s)) {
            double a = baseAngle(stations[s].span, eyeDistance(stationEye(s)));
            smallest = smallest == 0.0 ? a : std::fmin(smallest, a);
            largest = std::fmax(largest, a);
        }
    }
    values["angleSmallest"] = fixed(smallest, angleDecimals);
    values["angleLargest"] = fixed(largest, angleDecimals);

    // Orthographic: the wide window's half-width.
    OrthoArguments wideBox = orthoArguments(0, shapeSizes[wide][0], shapeSizes[wide][1]);
    values["orthoWideRight"] = fixed(wideBox.right, wholeUnits);

    // Station 1 in the wide window: the angle across from the angle up.
    PerspectiveArguments w1 = perspectiveArguments(1, shapeSizes[wide][0], shapeSizes[wide][1]);
    double w1Across = horizontalAngle(w1.fovy, w1.aspect);
    values["wideUp"] = fixed(w1.fovy, angleDecimals);
    values["wideAspect"] = fixed(w1.aspect, wholeUnits);
    values["wideHalfUp"] = fixed(w1.fovy / 2.0, angleDecimals);
    values["wideTanUp"] = fixed(tangentOfHalf(w1.fovy), fineDecimals);
    values["wideTanAcross"] = fixed(w1.aspect * tangentOfHalf(w1.fovy), fineDecimals);
    values["wideHalfAcross"] = fixed(w1Across / 2.0, angleDecimals);
    values["wideAcross"] = fixed(w1Across, angleDecimals);
    values["wideTwiceUp"] = fixed(w1.aspect * w1.fovy, angleDecimals);

    // Station 2 in the tall window: the angle itself is scaled, not its
    // tangent, so the width sees a little more than the base angle.
    double d2 = eyeDistance(stationEye(2));
    PerspectiveArguments t2 = perspectiveArguments(2, shapeSizes[tall][0], shapeSizes[tall][1]);
    values["tallBase"] = fixed(baseAngle(stations[2].span, d2), angleDecimals);
    values["tallUp"] = fixed(t2.fovy, angleDecimals);
    values["tallAspect"] = fixed(t2.aspect, 1);
    values["tallAcross"] = fixed(horizontalAngle(t2.fovy, t2.aspect), angleDecimals);
    values["tallAngleTan"] = fixed(t2.aspect * tangentOfHalf(t2.fovy), fineDecimals);
    values["tallBaseTan"] = fixed(tangentOfHalf(baseAngle(stations[2].span, d2)), fineDecimals);

    // Station 1's planes.
    PerspectiveArguments s1 = perspectiveArguments(1, shapeSizes[square][0], shapeSizes[square][1]);
    values["s1Near"] = fixed(s1.nearPlane, wholeUnits);
    values["s1Far"] = fixed(s1.farPlane, wholeUnits);
    OrthoArguments box = orthoArguments(0, shapeSizes[square][0], shapeSizes[square][1]);
    values["orthoNear"] = fixed(box.nearPlane, wholeUnits);
    values["orthoFar"] = fixed(box.farPlane, wholeUnits);
    values["orthoNearZ"] = fixed(-box.nearPlane, wholeUnits);
    values["orthoFarZ"] = fixed(-box.farPlane, wholeUnits);
    values["depth"] = fixed(stations[1].depth, wholeUnits);
    values["reach"] = fixed(coneLength, wholeUnits);
}
