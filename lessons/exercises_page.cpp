// Varnelle documentation: the values of docs/exercises.md, the answers and
// their working, worked out with the camera formulas (checked against the
// stations' own calls) and, where a picture answers, measured on the
// viewer's picture; and for each camera a learner can try, the web page's
// address with that camera in it.
#include <cmath>
#include <cstdio>
#include <sstream>

#include "lessons.h"

namespace {

const int wide = 1;
// The cones named in the answers, as indexes of cones[].
const int greenCone = 1;
const int cyanCone = 5;
// The stations the exercises use.
const int orthoStation = 0;
const int firstLens = 1;
const int diagonalLens = 2;
const int cubeLens = 3;

std::string pixel(const FollowedPoint& p)
{
    return "(" + fixed(p.window[0], pixelDecimals) + ", " + fixed(p.window[1], pixelDecimals) + ")";
}

std::string point(const Point3& p)
{
    return "(" + fixed(p[0], wholeUnits) + ", " + fixed(p[1], wholeUnits) + ", " + fixed(p[2], wholeUnits) +
           ")";
}

Point3 negated(const Point3& p)
{
    return {-p[0], -p[1], -p[2]};
}

// The station's view as gluLookAt takes it, and the address of the page
// with a lens in front of it.
std::string lensAddress(int station, const PerspectiveArguments& a, const PageLanguage& language)
{
    return cameraAddress(a, stationEye(station), stationTarget(station), stationUp(station), language);
}

// The orthographic station's view: from the view's origin along -z.
std::string boxAddress(const OrthoArguments& a, const PageLanguage& language)
{
    const Point3 ahead = {0.0, 0.0, -1.0};
    return cameraAddress(a, stationEye(orthoStation), ahead, stationUp(orthoStation), language);
}

// 1. The orthographic station in another window: its box and every tip.
void putBox(PageValues& values, const PageLanguage& language)
{
    OrthoArguments box = orthoArguments(orthoStation, otherBox[0], otherBox[1]);
    Matrix4 projection = orthoMatrix(box);
    std::array<int, 4> viewport = {0, 0, otherBox[0], otherBox[1]};
    std::ostringstream tips;
    for (int c = 0; c < coneCount; ++c) {
        FollowedPoint p = followPoint(coneTip(cones[c]), identityMatrix(), projection, viewport);
        tips << "- " << pageWords(language, namedValue, {colourName(language, c), pixel(p)}) << "\n";
    }
    FollowedPoint green = followPoint(coneTip(cones[greenCone]), identityMatrix(), projection, viewport);
    values["e1Width"] = std::to_string(otherBox[0]);
    values["e1Height"] = std::to_string(otherBox[1]);
    values["e1Right"] = fixed(box.right, entryDecimals);
    values["e1Left"] = fixed(box.left, entryDecimals);
    values["e1Top"] = fixed(box.top, wholeUnits);
    values["e1Bottom"] = fixed(box.bottom, wholeUnits);
    values["e1Near"] = fixed(box.nearPlane, wholeUnits);
    values["e1Far"] = fixed(box.farPlane, wholeUnits);
    values["e1Span"] = fixed(box.right - box.left, entryDecimals);
    values["e1GreenX"] = fixed(coneTip(cones[greenCone])[0], wholeUnits);
    values["e1GreenPixel"] = fixed(green.window[0], pixelDecimals);
    values["e1Tips"] = tips.str();
}

// 2. The orthographic station with other planes, and with near 0: what each
// cuts away.
void putPlanes(PageValues& values, const PageLanguage& language)
{
    OrthoArguments box = orthoArguments(orthoStation, viewerSize, viewerSize);
    OrthoArguments moved = box;
    moved.nearPlane = otherOrthoPlanes[0];
    moved.farPlane = otherOrthoPlanes[1];
    OrthoArguments touching = box;
    touching.nearPlane = 0.0;
    // The cone that points at the viewer, the one that points away, and
    // those that lie across the view.
    std::string towards;
    std::string away;
    std::vector<std::string> across;
    for (int c = 0; c < coneCount; ++c) {
        if (cones[c].axis[2] > 0.0) {
            towards = colourName(language, c);
        } else if (cones[c].axis[2] < 0.0) {
            away = colourName(language, c);
        } else {
            across.push_back(colourName(language, c));
        }
    }
    values["e2UsualNear"] = fixed(box.nearPlane, wholeUnits);
    values["e2UsualFar"] = fixed(box.farPlane, wholeUnits);
    values["e2Radius"] = fixed(coneRadius, wholeUnits);
    values["e2Near"] = fixed(moved.nearPlane, wholeUnits);
    values["e2Far"] = fixed(moved.farPlane, wholeUnits);
    values["e2NearZ"] = fixed(-moved.nearPlane, wholeUnits);
    values["e2FarZ"] = fixed(-moved.farPlane, wholeUnits);
    values["e2Towards"] = towards;
    values["e2Away"] = away;
    values["e2Across"] = nameList(across, language);
    values["e2CutLength"] = fixed(coneLength + moved.nearPlane, wholeUnits);
    values["e2Reach"] = fixed(coneLength, wholeUnits);
    values["e2MovedAddress"] = boxAddress(moved, language);
    values["e2TouchingAddress"] = boxAddress(touching, language);
}

// 3 and 4. A perspective station's eye at another distance: its lens, its
// trace line, and how much depth changes sizes there.
void putDistance(PageValues& values, const PageLanguage& language)
{
    const Station& lens = stations[firstLens];
    PerspectiveArguments a;
    a.fovy = baseAngle(lens.span, askedDistance);
    a.aspect = 1.0;
    a.nearPlane = askedDistance - lens.depth;
    a.farPlane = askedDistance + lens.depth;
    char trace[32] = "";
    std::snprintf(trace, sizeof trace, "%6.2lf %6.2lf", askedDistance, a.fovy);
    Point3 eye = stationEye(firstLens);
    double away = eyeDistance(eye);
    for (double& v : eye) {
        v *= askedDistance / away;
    }
    values["e3Distance"] = fixed(askedDistance, wholeUnits);
    values["e3Ratio"] = fixed(lens.span / askedDistance, entryDecimals);
    values["e3Angle"] = fixed(a.fovy, angleDecimals);
    values["e3Exact"] = fixed(exactAngle(lens.span, askedDistance), angleDecimals);
    values["e3Depth"] = fixed(lens.depth, wholeUnits);
    values["e3Near"] = fixed(a.nearPlane, wholeUnits);
    values["e3Far"] = fixed(a.farPlane, wholeUnits);
    values["e3Trace"] = trace;
    values["e3Address"] = cameraAddress(a, eye, stationTarget(firstLens), stationUp(firstLens), language);
    values["e4Nearer"] = fixed(askedDistance - coneLength, wholeUnits);
    values["e4Farther"] = fixed(askedDistance + coneLength, wholeUnits);
    values["e4Grow"] = fixed(askedDistance / (askedDistance - coneLength), ratioDecimals);
    values["e4Shrink"] = fixed(askedDistance / (askedDistance + coneLength), ratioDecimals);
    values["e4Times"] = fixed(away / askedDistance, angleDecimals);
}

// 5 and 6. A station in a wide window and in a tall one of other shapes.
void putWindows(PageValues& values, const PageLanguage& language)
{
    PerspectiveArguments w = perspectiveArguments(diagonalLens, otherWide[0], otherWide[1]);
    double wideTan = std::tan(radians(w.fovy) / 2.0);
    values["e5Width"] = std::to_string(otherWide[0]);
    values["e5Height"] = std::to_string(otherWide[1]);
    values["e5Up"] = fixed(w.fovy, angleDecimals);
    values["e5HalfUp"] = fixed(w.fovy / 2.0, angleDecimals);
    values["e5Aspect"] = fixed(w.aspect, entryDecimals);
    values["e5Tan"] = fixed(wideTan, entryDecimals);
    values["e5TanAcross"] = fixed(w.aspect * wideTan, entryDecimals);
    values["e5HalfAcross"] = fixed(horizontalAngle(w.fovy, w.aspect) / 2.0, angleDecimals);
    values["e5Across"] = fixed(horizontalAngle(w.fovy, w.aspect), angleDecimals);
    values["e5Scaled"] = fixed(w.aspect * w.fovy, angleDecimals);
    values["e5Address"] = lensAddress(diagonalLens, w, language);

    PerspectiveArguments t = perspectiveArguments(firstLens, otherTall[0], otherTall[1]);
    double base = baseAngle(stations[firstLens].span, eyeDistance(stationEye(firstLens)));
    values["e6Width"] = std::to_string(otherTall[0]);
    values["e6Height"] = std::to_string(otherTall[1]);
    values["e6Base"] = fixed(base, angleDecimals);
    values["e6Up"] = fixed(t.fovy, angleDecimals);
    values["e6HalfUp"] = fixed(t.fovy / 2.0, angleDecimals);
    values["e6Aspect"] = fixed(t.aspect, entryDecimals);
    values["e6TanAcross"] = fixed(t.aspect * std::tan(radians(t.fovy) / 2.0), entryDecimals);
    values["e6BaseTan"] = fixed(std::tan(radians(base) / 2.0), entryDecimals);
    values["e6Across"] = fixed(horizontalAngle(t.fovy, t.aspect), angleDecimals);
    values["e6Address"] = lensAddress(firstLens, t, language);
}

// 7. Station 1 in a wide window with the aspect left at 1.
void putStuckAspect(PageValues& values, const ExerciseResults& exercises, const PageLanguage& language)
{
    int width = shapeSizes[wide][0];
    int height = shapeSizes[wide][1];
    PerspectiveArguments right = perspectiveArguments(firstLens, width, height);
    PerspectiveArguments stuck = right;
    stuck.aspect = 1.0;
    Matrix4 view = lookAtMatrix(stationEye(firstLens), stationTarget(firstLens), stationUp(firstLens));
    std::array<int, 4> viewport = {0, 0, width, height};
    FollowedPoint greenRight =
        followPoint(coneTip(cones[greenCone]), view, perspectiveMatrix(right), viewport);
    FollowedPoint greenStuck =
        followPoint(coneTip(cones[greenCone]), view, perspectiveMatrix(stuck), viewport);
    FollowedPoint cyanStuck =
        followPoint(coneTip(cones[cyanCone]), view, perspectiveMatrix(stuck), viewport);
    PerspectiveArguments doubled = perspectiveArguments(firstLens, viewerSize, viewerSize);
    doubled.aspect = right.aspect;
    values["e7Width"] = std::to_string(width);
    values["e7Height"] = std::to_string(height);
    values["e7Cot"] = fixed(perspectiveScale(stuck.fovy), entryDecimals);
    values["e7Distance"] = fixed(-greenStuck.eye[2], wholeUnits);
    values["e7Reach"] = fixed(coneTip(cones[greenCone])[0], wholeUnits);
    values["e7Ndc"] = fixed(greenStuck.device[0], entryDecimals);
    values["e7GreenStuck"] = pixel(greenStuck);
    values["e7GreenRight"] = pixel(greenRight);
    values["e7CyanStuck"] = pixel(cyanStuck);
    values["e7ReachAcross"] = fixed(greenStuck.window[0] - width / 2.0, pixelDecimals);
    values["e7ReachUp"] = fixed(cyanStuck.window[1] - height / 2.0, pixelDecimals);
    values["e7ReachRight"] = fixed(greenRight.window[0] - width / 2.0, pixelDecimals);
    values["e7Aspect"] = fixed(right.aspect, wholeUnits);
    values["e7Picture"] = exercises.aspectOnePicture;
    values["e7Address"] = lensAddress(firstLens, doubled, language);
}

// 8. Station 3 with its near plane moved nearer the origin: which cones it
// cuts, and from where along their axes.
void putNearCut(PageValues& values, const ExerciseResults& exercises, const PageLanguage& language)
{
    Point3 eye = stationEye(cubeLens);
    double d = eyeDistance(eye);
    PerspectiveArguments usual = perspectiveArguments(cubeLens, viewerSize, viewerSize);
    PerspectiveArguments cut = usual;
    cut.nearPlane = d - nearCutInFront;
    Point3 towardEye = negated(lookAtAxes(eye, stationTarget(cubeLens), stationUp(cubeLens)).forward);
    std::vector<std::string> cutCones;
    double along = 0.0;
    double from = 0.0;
    for (int c = 0; c < coneCount; ++c) {
        double share = dot(cones[c].axis, towardEye);
        if (share * coneLength > nearCutInFront) {
            cutCones.push_back(colourName(language, c));
            along = share;
            from = nearCutInFront / share;
        }
    }
    values["e8Usual"] = fixed(usual.nearPlane, angleDecimals);
    values["e8Near"] = fixed(cut.nearPlane, angleDecimals);
    values["e8InFront"] = fixed(nearCutInFront, wholeUnits);
    values["e8UsualInFront"] = fixed(stations[cubeLens].depth, wholeUnits);
    values["e8TowardEye"] = tuple(towardEye.data(), 3);
    values["e8Along"] = fixed(along, entryDecimals);
    values["e8From"] = fixed(from, angleDecimals);
    values["e8Gone"] = fixed(coneLength - from, angleDecimals);
    values["e8Cones"] = nameList(cutCones, language);
    values["e8Picture"] = exercises.nearCutPicture;
    values["e8Differing"] = std::to_string(exercises.nearCutDiffering);
    values["e8Pixels"] = std::to_string(exercises.nearCutPixels);
    values["e8Address"] = lensAddress(cubeLens, cut, language);
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

// 9. Up along station 1's line of sight.
void putParallelUp(PageValues& values, const ExerciseResults& exercises, const PageLanguage& language)
{
    const Point3 alongSight = {0.0, 0.0, 1.0};
    LookAtAxes axes = lookAtAxes(stationEye(firstLens), stationTarget(firstLens), alongSight);
    values["e9Up"] = point(alongSight);
    values["e9Forward"] = tuple(axes.forward.data(), 3);
    values["e9Side"] = tuple(axes.sideBeforeUnit.data(), 3);
    values["e9Modelview"] = matrixRows(exercises.parallelUpModelview);
    values["e9ScenePixels"] = std::to_string(exercises.parallelUpScenePixels);
    values["e9Address"] = cameraAddress(perspectiveArguments(firstLens, viewerSize, viewerSize),
                                        stationEye(firstLens), stationTarget(firstLens), alongSight, language);
}

// 10. The point halfway along the green cone in station 2, every step.
void putGreenMiddle(PageValues& values, const ExerciseResults& exercises, const PageLanguage& language)
{
    const FollowedPoint& p = exercises.greenMiddleFollowed;
    values["e10Point"] = point(exercises.greenMiddle);
    values["e10Eye"] = tuple(p.eye.data(), 4);
    values["e10Clip"] = tuple(p.clip.data(), 4);
    values["e10W"] = fixed(p.clip[3], entryDecimals);
    values["e10Device"] = tuple(p.device.data(), 3);
    values["e10Pixel"] = pixel(p);
    values["e10Depth"] = fixed(p.window[2], entryDecimals);
    values["e10Address"] =
        lensAddress(diagonalLens, perspectiveArguments(diagonalLens, viewerSize, viewerSize), language);
}

} // namespace

void putExercisesValues(PageValues& values, const ExerciseResults& exercises, const PageLanguage& language)
{
    values["webPage"] = webPageAddress;
    putBox(values, language);
    putPlanes(values, language);
    putDistance(values, language);
    putWindows(values, language);
    putStuckAspect(values, exercises, language);
    putNearCut(values, exercises, language);
    putParallelUp(values, exercises, language);
    putGreenMiddle(values, exercises, language);
}
