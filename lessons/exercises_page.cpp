// Varnelle documentation: the values of docs/exercises.md, the answers
// worked out with the camera formulas (checked against the stations' own
// calls) and, where a picture answers, measured on the viewer's picture.
#include <cmath>
#include <cstdio>
#include <sstream>

#include "page.h"

namespace {

const int angleDecimals = 2;
const int ratioDecimals = 3;
const int pixelDecimals = 1;
const int entryDecimals = 4;
const int wholeUnits = 0;
const int square = 0;
const int wide = 1;
const int tall = 2;
// The eye distance of the first exercise, and how far in front of the eye
// the near plane is moved in another, scene units.
const double askedDistance = 50.0;
const double nearCut = 5.0;
// The cones named in the answers, as indexes of cones[].
const int greenCone = 1;
const int cyanCone = 5;

std::string pixel(const FollowedPoint& p)
{
    return "(" + fixed(p.window[0], pixelDecimals) + ", " + fixed(p.window[1], pixelDecimals) + ")";
}

// Where station 0 draws each cone's tip.
std::string orthoTips(const ShapeResult& r)
{
    std::ostringstream out;
    for (int c = 0; c < coneCount; ++c) {
        FollowedPoint p = followPoint(coneTip(cones[c]), r.readBack.modelview,
                                      r.readBack.projection, r.readBack.viewport);
        out << "- " << cones[c].colourName << ": " << pixel(p) << ", "
            << (p.eye[2] > 0.0   ? "the cone points at you; its tip lies 10 units behind the "
                                   "view's origin, and the near plane at -20 still takes it in"
                : p.eye[2] < 0.0 ? "the cone points away and hides behind the sphere"
                                 : "on the window's edge")
            << "\n";
    }
    return out.str();
}

// Which cones a near plane this far in front of the origin, towards station
// 3's eye, cuts, and from where along their axes.
std::string nearCutCones(int station, double inFront)
{
    Point3 eye = stationEye(station);
    double d = eyeDistance(eye);
    std::ostringstream out;
    for (int c = 0; c < coneCount; ++c) {
        const Point3& axis = cones[c].axis;
        // How far along the line of sight towards the eye one unit along the axis goes.
        double towardEye = (axis[0] * eye[0] + axis[1] * eye[1] + axis[2] * eye[2]) / d;
        if (towardEye * coneLength <= inFront) {
            continue;
        }
        double from = inFront / towardEye;
        out << "- " << cones[c].colourName << ": cut from " << fixed(from, angleDecimals)
            << " units along its axis, so its last " << fixed(coneLength - from, angleDecimals)
            << " units are gone and you look into the open cone\n";
    }
    return out.str();
}

std::string matrixRows(const Matrix4& m)
{
    std::ostringstream out;
    out << "```\n";
    for (int row = 0; row < 4; ++row) {
        out << matrixRow(m, row) << "\n";
    }
    out << "```";
    return out.str();
}

} // namespace

void putExercisesValues(PageValues& values, const std::vector<std::vector<ShapeResult>>& results,
                        const ExerciseResults& exercises)
{
    // 1. The cones from station 0.
    values["e1Tips"] = orthoTips(results[0][square]);

    // 2. The orthographic near plane.
    OrthoArguments box = orthoArguments(0, shapeSizes[square][0], shapeSizes[square][1]);
    values["e2NearZ"] = fixed(-box.nearPlane, wholeUnits);
    values["e2FarZ"] = fixed(-box.farPlane, wholeUnits);
    values["e2TipZ"] = fixed(coneLength, wholeUnits);

    // 3. An eye at distance 50.
    // The span and depth of the perspective stations, at another distance.
    const Station& lens = stations[1];
    double a50 = baseAngle(lens.span, askedDistance);
    char trace[32] = "";
    std::snprintf(trace, sizeof trace, "%6.2lf %6.2lf", askedDistance, a50);
    values["e3Distance"] = fixed(askedDistance, wholeUnits);
    values["e3Angle"] = fixed(a50, angleDecimals);
    values["e3Exact"] = fixed(exactAngle(lens.span, askedDistance), angleDecimals);
    values["e3Near"] = fixed(askedDistance - lens.depth, wholeUnits);
    values["e3Far"] = fixed(askedDistance + lens.depth, wholeUnits);
    values["e3Trace"] = trace;

    // 4. How much depth changes sizes at station 3, and at station 1.
    double d3 = eyeDistance(stationEye(3));
    double d1 = eyeDistance(stationEye(1));
    values["e4Distance"] = fixed(d3, angleDecimals);
    values["e4Nearer"] = fixed(d3 - coneLength, angleDecimals);
    values["e4Farther"] = fixed(d3 + coneLength, angleDecimals);
    values["e4Grow"] = fixed(d3 / (d3 - coneLength), ratioDecimals);
    values["e4Shrink"] = fixed(d3 / (d3 + coneLength), ratioDecimals);
    values["e4Grow1"] = fixed(d1 / (d1 - coneLength), ratioDecimals);
    values["e4Shrink1"] = fixed(d1 / (d1 + coneLength), ratioDecimals);

    // 5. Station 2 in a wide window.
    PerspectiveArguments w2 = perspectiveArguments(2, shapeSizes[wide][0], shapeSizes[wide][1]);
    values["e5Up"] = fixed(w2.fovy, angleDecimals);
    values["e5Aspect"] = fixed(w2.aspect, wholeUnits);
    values["e5Across"] = fixed(horizontalAngle(w2.fovy, w2.aspect), angleDecimals);
    values["e5Twice"] = fixed(w2.aspect * w2.fovy, angleDecimals);

    // 6. Station 1 in a tall window.
    PerspectiveArguments t1 = perspectiveArguments(1, shapeSizes[tall][0], shapeSizes[tall][1]);
    values["e6Up"] = fixed(t1.fovy, angleDecimals);
    values["e6Aspect"] = fixed(t1.aspect, 1);
    values["e6Across"] = fixed(horizontalAngle(t1.fovy, t1.aspect), angleDecimals);
    values["e6Base"] = fixed(baseAngle(stations[1].span, d1), angleDecimals);

    // 7. Station 1 in a wide window with the aspect left at 1.
    int width = shapeSizes[wide][0];
    int height = shapeSizes[wide][1];
    PerspectiveArguments right = perspectiveArguments(1, width, height);
    PerspectiveArguments stuck = right;
    stuck.aspect = 1.0;
    Matrix4 view = lookAtMatrix(stationEye(1), stationTarget(1), stationUp(1));
    std::array<int, 4> viewport = {0, 0, width, height};
    FollowedPoint greenRight =
        followPoint(coneTip(cones[greenCone]), view, perspectiveMatrix(right), viewport);
    FollowedPoint greenStuck =
        followPoint(coneTip(cones[greenCone]), view, perspectiveMatrix(stuck), viewport);
    FollowedPoint cyanStuck =
        followPoint(coneTip(cones[cyanCone]), view, perspectiveMatrix(stuck), viewport);
    double centreX = width / 2.0;
    double centreY = height / 2.0;
    values["e7Width"] = std::to_string(width);
    values["e7Height"] = std::to_string(height);
    values["e7GreenStuck"] = pixel(greenStuck);
    values["e7GreenRight"] = pixel(greenRight);
    values["e7CyanStuck"] = pixel(cyanStuck);
    values["e7ReachAcross"] = fixed(greenStuck.window[0] - centreX, pixelDecimals);
    values["e7ReachUp"] = fixed(cyanStuck.window[1] - centreY, pixelDecimals);
    values["e7ReachRight"] = fixed(greenRight.window[0] - centreX, pixelDecimals);
    values["e7Picture"] = exercises.aspectOnePicture;

    // 8. Station 3 with its near plane at D - 5.
    PerspectiveArguments s3 = perspectiveArguments(3, shapeSizes[square][0], shapeSizes[square][1]);
    values["e8Near"] = fixed(d3 - nearCut, angleDecimals);
    values["e8Usual"] = fixed(s3.nearPlane, angleDecimals);
    values["e8InFront"] = fixed(nearCut, wholeUnits);
    values["e8Cones"] = nearCutCones(3, nearCut);
    values["e8Picture"] = exercises.nearCutPicture;

    // 9. The up vector along the line of sight.
    values["e9Modelview"] = matrixRows(exercises.parallelUpModelview);
    values["e9ScenePixels"] = std::to_string(exercises.parallelUpScenePixels);

    // 10. The green cone's tip in station 2.
    const FollowedTip& g = exercises.greenTip;
    values["e10Eye"] = fixed(g.tip.eye[0], entryDecimals) + ", " + fixed(g.tip.eye[1], entryDecimals) +
                       ", " + fixed(g.tip.eye[2], entryDecimals);
    values["e10Device"] = fixed(g.tip.device[0], entryDecimals) + ", " +
                          fixed(g.tip.device[1], entryDecimals);
    values["e10Pixel"] = pixel(g.tip);
    values["e10Sample"] = "(" + fixed(g.sampleWindow[0], pixelDecimals) + ", " +
                          fixed(g.sampleWindow[1], pixelDecimals) + ")";
}
