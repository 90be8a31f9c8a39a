// Varnelle documentation: the values of the derivations on docs/stations.md:
// cot(fovy / 2) by similar triangles, the depth row solved, why depth is not
// linear, gluLookAt's rows as cross products, and where OpenGL's single
// precision shows. Every figure comes from the camera formulas the program
// checks against the stations' calls and OpenGL's matrices.
#include <cmath>

#include "lessons.h"

namespace {

// Decimals besides page.h's: the angles worked through, as fine as the
// entries they give; a single-precision number's, to show where it
// differs; and distances from the eye.
const int workedAngleDecimals = entryDecimals;
const int floatDecimals = 6;
const int distanceDecimals = 2;
const int square = 0;
// The point the similar triangles follow: halfway along the cone that
// points up, scene units from the origin.
const int upCone = 5;
const double alongCone = 5.0;

std::string point(const Point3& p)
{
    return tuple(p.data(), 3);
}

// The projection worked through for one station at 480×480: its scale of
// y by similar triangles, its depth row solved, and its depth against the
// linear share.
void putProjection(PageValues& values, int station, const FollowedTip& tip, const DepthPlot& plot,
                   const PageLanguage& language)
{
    PerspectiveArguments a = perspectiveArguments(station, viewerSize, viewerSize);
    double d = eyeDistance(stationEye(station));
    double halfTan = std::tan(radians(a.fovy) / 2.0);
    double scale = perspectiveScale(a.fovy);
    Point3 middle = coneTip(cones[upCone], coneLength - alongCone);
    values["dStation"] = std::to_string(station);
    values["dFovy"] = fixed(a.fovy, workedAngleDecimals);
    values["dHalfFovy"] = fixed(a.fovy / 2.0, workedAngleDecimals);
    values["dTan"] = fixed(halfTan, workedAngleDecimals);
    values["dDistance"] = fixed(d, distanceDecimals);
    values["dHalfHeight"] = fixed(d * halfTan, workedAngleDecimals);
    values["dPointCone"] = colourName(language, upCone);
    values["dPoint"] = point(middle);
    values["dPointUp"] = fixed(middle[1], wholeUnits);
    values["dPointNdc"] = fixed(middle[1] / (d * halfTan), workedAngleDecimals);
    values["dCot"] = fixed(scale, workedAngleDecimals);

    DepthRow row = depthRow(a.nearPlane, a.farPlane);
    values["dNear"] = fixed(a.nearPlane, wholeUnits);
    values["dFar"] = fixed(a.farPlane, wholeUnits);
    values["dNearMinusFar"] = fixed(a.nearPlane - a.farPlane, wholeUnits);
    values["dSum"] = fixed(a.farPlane + a.nearPlane, wholeUnits);
    values["dA"] = fixed(row.a, entryDecimals);
    values["dB"] = fixed(row.b, entryDecimals);
    values["dMinusA"] = fixed(-row.a, entryDecimals);
    values["dBOverNear"] = fixed(row.b / a.nearPlane, entryDecimals);
    values["dBOverFar"] = fixed(row.b / a.farPlane, entryDecimals);

    double distance = -tip.tip.eye[2];
    values["dTipScene"] = tuple(tip.tip.scene.data(), 3);
    values["dTipEye"] = tuple(tip.tip.eye.data(), 3);
    values["dTipClip"] = tuple(tip.tip.clip.data(), 4);
    values["dTipNdc"] = tuple(tip.tip.device.data(), 3);
    values["dTipPixel"] = "(" + fixed(tip.tip.window[0], pixelDecimals) + ", " + fixed(tip.tip.window[1], pixelDecimals) + ")";
    values["dTipCone"] = colourName(language, tip.cone);
    values["dTipDistance"] = fixed(distance, distanceDecimals);
    values["dTipPastNear"] = fixed(distance - a.nearPlane, distanceDecimals);
    values["dDepthSpan"] = fixed(a.farPlane - a.nearPlane, wholeUnits);
    values["dTipShare"] = fixed(linearShare(a.nearPlane, a.farPlane, distance), entryDecimals);
    values["dTipDepth"] = fixed(windowDepth(a, distance), entryDecimals);
    values["dOriginDepth"] = fixed(windowDepth(a, d), entryDecimals);
    values["dOriginShare"] = fixed(linearShare(a.nearPlane, a.farPlane, d), entryDecimals);
    values["dPlot"] = plot.picture;
}

// gluLookAt's rows for one station, as GLU works them out.
void putLookAt(PageValues& values, int station)
{
    Point3 eye = stationEye(station);
    LookAtAxes axes = lookAtAxes(eye, stationTarget(station), stationUp(station));
    Point3 backward = {-axes.forward[0], -axes.forward[1], -axes.forward[2]};
    const Point3* rows[3] = {&axes.side, &axes.up, &backward};
    double translation[3] = {};
    for (int i = 0; i < 3; ++i) {
        translation[i] = -dot(*rows[i], eye);
    }
    values["lStation"] = std::to_string(station);
    values["lEye"] = "(" + fixed(eye[0], wholeUnits) + ", " + fixed(eye[1], wholeUnits) + ", " +
                     fixed(eye[2], wholeUnits) + ")";
    values["lUp"] = "(" + fixed(stationUp(station)[0], wholeUnits) + ", " +
                    fixed(stationUp(station)[1], wholeUnits) + ", " +
                    fixed(stationUp(station)[2], wholeUnits) + ")";
    values["lDistance"] = fixed(eyeDistance(eye), entryDecimals);
    values["lForward"] = point(axes.forward);
    values["lSideBeforeUnit"] = point(axes.sideBeforeUnit);
    values["lSideLength"] = fixed(std::sqrt(dot(axes.sideBeforeUnit, axes.sideBeforeUnit)), entryDecimals);
    values["lSide"] = point(axes.side);
    values["lUpRow"] = point(axes.up);
    values["lBackward"] = point(backward);
    values["lTranslation"] = tuple(translation, 3);
}

// Where single precision shows in a perspective station's figures: the
// third row's last entry as the formula gives it and as OpenGL holds it,
// and the followed tip's clip z through the exact matrices and OpenGL's.
void putPrecision(PageValues& values, int station, const ShapeResult& r, const FollowedTip& tip)
{
    const int offsetRow = 2;
    const int offsetColumn = 3;
    std::string prefix = "s" + std::to_string(station);
    PerspectiveArguments a = perspectiveArguments(station, r.width, r.height);
    Matrix4 projection = perspectiveMatrix(a);
    Matrix4 modelview = lookAtMatrix(stationEye(station), stationTarget(station), stationUp(station));
    double exact = entry(projection, offsetRow, offsetColumn);
    values[prefix + "OffsetExact"] = fixed(exact, floatDecimals);
    values[prefix + "OffsetFloat"] = fixed(static_cast<double>(static_cast<float>(exact)), floatDecimals);
    values[prefix + "OffsetFormula"] = fixed(exact, entryDecimals);
    values[prefix + "OffsetHeld"] = fixed(entry(r.readBack.projection, offsetRow, offsetColumn), entryDecimals);
    FollowedPoint exactTip = followPoint(coneTip(cones[tip.cone]), modelview, projection, r.readBack.viewport);
    values[prefix + "ClipZExact"] = fixed(exactTip.clip[2], entryDecimals);
    values[prefix + "ClipZHeld"] = fixed(tip.tip.clip[2], entryDecimals);
}

} // namespace

void putDerivationValues(PageValues& values, const std::vector<std::vector<ShapeResult>>& results,
                         const std::vector<FollowedTip>& tips, const DepthPlot& plot,
                         const PageLanguage& language)
{
    putProjection(values, plot.tipStation, tips[plot.tipStation], plot, language);
    putLookAt(values, lookAtStation);
    for (int station = 0; station < stationCount; ++station) {
        if (isPerspective(station)) {
            putPrecision(values, station, results[station][square], tips[station]);
        }
    }
}
