// Varnelle documentation: what makes a hand-made camera senseless, checked
// before any of its arguments reaches OpenGL or GLU, what makes a sound one
// surprising; and a sound one applied.
#include "camera_check.h"

#include <cmath>
#include <utility>

#include <GL/glu.h>

#include "camera_arguments.h"

namespace {

// A clip-cube corner carried to the scene and back may be this far from
// where it started, in normalised device coordinates.
const double roundTripTolerance = 1.0e-3;
// The projection's rows, in clip coordinates: across (x), up (y), depth (z)
// and w, which a perspective projection takes from depth.
const int acrossRow = 0;
const int upRow = 1;
const int depthRow = 2;

// A vector as OpenGL's single precision holds it, and its length there.
Point3 single(const Point3& v)
{
    return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

double length(const Point3& v)
{
    return std::sqrt(dot(v, v));
}

// Two values that differ by less than single precision can tell apart.
bool sameValue(double a, double b)
{
    return std::fabs(a - b) <= sameValueShare * std::fmax(std::fabs(a), std::fabs(b));
}

CameraVerdict verdict(CameraReason reason, std::vector<std::string> arguments)
{
    return {reason, std::move(arguments)};
}

double nearPlane(const CameraArguments& c)
{
    return c.perspective ? c.lens.nearPlane : c.box.nearPlane;
}

double farPlane(const CameraArguments& c)
{
    return c.perspective ? c.lens.farPlane : c.box.farPlane;
}

CameraVerdict projectionVerdict(const CameraArguments& c)
{
    if (c.perspective) {
        const PerspectiveArguments& a = c.lens;
        if (a.fovy <= 0.0) {
            return verdict(CameraReason::fovyNotPositive, {"fovy"});
        }
        if (a.fovy >= halfTurnDegrees) {
            return verdict(CameraReason::fovyNotBelowHalfTurn, {"fovy"});
        }
        if (a.aspect <= 0.0) {
            return verdict(CameraReason::aspectNotPositive, {"aspect"});
        }
        if (a.nearPlane <= 0.0) {
            return verdict(CameraReason::nearNotInFront, {"near"});
        }
        if (a.farPlane <= 0.0) {
            return verdict(CameraReason::farNotInFront, {"far"});
        }
    } else {
        const OrthoArguments& a = c.box;
        if (sameValue(a.left, a.right)) {
            return verdict(CameraReason::noWidth, {"left", "right"});
        }
        if (sameValue(a.bottom, a.top)) {
            return verdict(CameraReason::noHeight, {"bottom", "top"});
        }
    }
    if (sameValue(nearPlane(c), farPlane(c))) {
        return verdict(CameraReason::noDepth, {"near", "far"});
    }
    return {};
}

CameraVerdict viewVerdict(const CameraArguments& c)
{
    // As gluLookAt works: in single precision.
    Point3 sight = single({c.center[0] - c.eye[0], c.center[1] - c.eye[1], c.center[2] - c.eye[2]});
    Point3 up = single(c.up);
    if (length(sight) < shortestVector) {
        return verdict(CameraReason::eyeAtCenter, {"eye", "center"});
    }
    if (length(up) < shortestVector) {
        return verdict(CameraReason::upOfLengthZero, {"up"});
    }
    if (length(cross(sight, up)) < parallelSine * length(sight) * length(up)) {
        return verdict(CameraReason::upAlongSight, {"up"});
    }
    return {};
}

// A value as OpenGL's single precision holds it.
double single(double value)
{
    return static_cast<float>(value);
}

// Whether a clip-cube face t (-1 or +1, in normalised device coordinates)
// carried back to eye coordinates through one axis's single-precision
// entries, then forward again, comes back: back is the eye coordinate it
// gives, there the face it is carried forward to.
bool comesBack(double t, double back, double there)
{
    return std::isfinite(back) && std::fabs(there - t) <= roundTripTolerance;
}

const double faces[2] = {-1.0, 1.0};

// Across or up in a perspective projection: scale × coordinate ÷ distance,
// at the near and at the far plane.
bool perspectiveAxisHeld(double scale, const CameraArguments& c)
{
    double s = single(scale);
    bool held = std::isnormal(s);
    for (double t : faces) {
        for (double distance : {c.lens.nearPlane, c.lens.farPlane}) {
            double back = t * distance / s;
            held = held && comesBack(t, back, s * back / distance);
        }
    }
    return held;
}

// Across or up in a box, or depth in it: scale × coordinate + offset.
bool linearAxisHeld(double scale, double offset)
{
    double s = single(scale);
    double o = single(offset);
    bool held = std::isnormal(s);
    for (double t : faces) {
        double back = (t - o) / s;
        held = held && comesBack(t, back, s * back + o);
    }
    return held;
}

// Depth in a perspective projection: (a · z + b) ÷ -z.
bool perspectiveDepthHeld(double a, double b)
{
    double sa = single(a);
    double sb = single(b);
    bool held = std::isfinite(sa) && std::isfinite(sb);
    for (double t : faces) {
        double back = -sb / (t + sa);
        held = held && comesBack(t, back, (sa * back + sb) / -back);
    }
    return held;
}

// The projection's own entries in single precision, axis by axis: each
// carries the faces of the clip cube back to eye coordinates and forward
// again. The first axis that fails, in the page's order of the arguments it
// comes from: fovy makes the scale up (and, with aspect, the one across),
// aspect only the one across; each pair of the box its own axis; near and
// far the depth.
CameraVerdict projectionPrecision(const CameraArguments& c)
{
    Matrix4 p = cameraProjection(c);
    const int depthOffsetColumn = 3;
    if (c.perspective) {
        if (!perspectiveAxisHeld(entry(p, upRow, upRow), c)) {
            return verdict(CameraReason::precisionUp, {"fovy"});
        }
        if (!perspectiveAxisHeld(entry(p, acrossRow, acrossRow), c)) {
            return verdict(CameraReason::precisionAcross, {"aspect"});
        }
        if (!perspectiveDepthHeld(entry(p, depthRow, depthRow),
                                  entry(p, depthRow, depthOffsetColumn))) {
            return verdict(CameraReason::precisionDepth, {"near", "far"});
        }
        return {};
    }
    const int offsetColumn = 3;
    if (!linearAxisHeld(entry(p, acrossRow, acrossRow), entry(p, acrossRow, offsetColumn))) {
        return verdict(CameraReason::precisionAcross, {"left", "right"});
    }
    if (!linearAxisHeld(entry(p, upRow, upRow), entry(p, upRow, offsetColumn))) {
        return verdict(CameraReason::precisionUp, {"bottom", "top"});
    }
    if (!linearAxisHeld(entry(p, depthRow, depthRow), entry(p, depthRow, offsetColumn))) {
        return verdict(CameraReason::precisionDepth, {"near", "far"});
    }
    return {};
}

// The matrices as OpenGL holds them, in single precision, enclose a volume
// with finite corners: the view, too, fits.
bool volumeHeld(const CameraArguments& c)
{
    Matrix4 p = cameraProjection(c);
    Matrix4 m = cameraModelview(c);
    for (size_t i = 0; i < p.size(); ++i) {
        p[i] = single(p[i]);
        m[i] = single(m[i]);
        if (!std::isfinite(p[i]) || !std::isfinite(m[i])) {
            return false;
        }
    }
    VolumeCorners corners{};
    return volumeCorners(p, m, corners);
}

// What is surprising about a sound camera, if anything.
CameraVerdict surprise(const CameraArguments& c)
{
    if (c.perspective && c.lens.fovy >= nearHalfTurnDegrees) {
        return verdict(CameraReason::fovyNearHalfTurn, {"fovy"});
    }
    if (farPlane(c) < nearPlane(c)) {
        return verdict(CameraReason::depthReversed, {"near", "far"});
    }
    return {};
}

} // namespace

const char* reasonName(CameraReason reason)
{
    switch (reason) {
    case CameraReason::none: return "none";
    case CameraReason::notANumber: return "notANumber";
    case CameraReason::outOfRange: return "outOfRange";
    case CameraReason::fovyNotPositive: return "fovyNotPositive";
    case CameraReason::fovyNotBelowHalfTurn: return "fovyNotBelowHalfTurn";
    case CameraReason::aspectNotPositive: return "aspectNotPositive";
    case CameraReason::nearNotInFront: return "nearNotInFront";
    case CameraReason::farNotInFront: return "farNotInFront";
    case CameraReason::noWidth: return "noWidth";
    case CameraReason::noHeight: return "noHeight";
    case CameraReason::noDepth: return "noDepth";
    case CameraReason::eyeAtCenter: return "eyeAtCenter";
    case CameraReason::upOfLengthZero: return "upOfLengthZero";
    case CameraReason::upAlongSight: return "upAlongSight";
    case CameraReason::precisionAcross: return "precisionAcross";
    case CameraReason::precisionUp: return "precisionUp";
    case CameraReason::precisionDepth: return "precisionDepth";
    case CameraReason::precisionView: return "precisionView";
    case CameraReason::depthReversed: return "depthReversed";
    case CameraReason::fovyNearHalfTurn: return "fovyNearHalfTurn";
    }
    return "none";
}

bool cameraApplies(const CameraVerdict& verdict)
{
    return verdict.reason == CameraReason::none || verdict.reason == CameraReason::depthReversed ||
           verdict.reason == CameraReason::fovyNearHalfTurn;
}

Matrix4 cameraProjection(const CameraArguments& camera)
{
    return camera.perspective ? perspectiveMatrix(camera.lens) : orthoMatrix(camera.box);
}

Matrix4 cameraModelview(const CameraArguments& camera)
{
    return lookAtMatrix(camera.eye, camera.center, camera.up);
}

CameraVerdict checkCamera(const CameraArguments& camera)
{
    CameraArguments values = camera;
    for (const CameraArgument& argument : cameraArguments) {
        if (!argumentOfKind(argument, camera.perspective)) {
            continue;
        }
        double value = argument.in(values);
        if (std::isnan(value)) {
            return verdict(CameraReason::notANumber, {argument.name});
        }
        // An infinity is what a number typed too large for a double reads as.
        if (!(std::fabs(value) <= largestArgument)) {
            return verdict(CameraReason::outOfRange, {argument.name});
        }
    }
    CameraVerdict found = projectionVerdict(camera);
    if (found.reason == CameraReason::none) {
        found = viewVerdict(camera);
    }
    if (found.reason == CameraReason::none) {
        found = projectionPrecision(camera);
    }
    if (found.reason == CameraReason::none && !volumeHeld(camera)) {
        found = verdict(CameraReason::precisionView, {"eye", "center"});
    }
    return found.reason == CameraReason::none ? surprise(camera) : found;
}

void applyCamera(const CameraArguments& camera)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (camera.perspective) {
        const PerspectiveArguments& l = camera.lens;
        gluPerspective(l.fovy, l.aspect, l.nearPlane, l.farPlane);
    } else {
        const OrthoArguments& b = camera.box;
        glOrtho(b.left, b.right, b.bottom, b.top, b.nearPlane, b.farPlane);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Point3& e = camera.eye;
    const Point3& c = camera.center;
    const Point3& u = camera.up;
    gluLookAt(e[0], e[1], e[2], c[0], c[1], c[2], u[0], u[1], u[2]);
}
