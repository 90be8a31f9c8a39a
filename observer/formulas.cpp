// Varnelle documentation: the camera formulas, written out as the pages
// explain them.
#include "formulas.h"

#include <cmath>

#include "camera/camera.h"
#include "render/render.h"

namespace {

const int size4 = 4;
const double pi = 3.14159265358979323846;

double& at(Matrix4& m, int row, int column)
{
    return m[column * size4 + row];
}

std::array<double, 4> times(const Matrix4& m, const std::array<double, 4>& v)
{
    std::array<double, 4> out{};
    for (int r = 0; r < size4; ++r) {
        for (int c = 0; c < size4; ++c) {
            out[r] += entry(m, r, c) * v[c];
        }
    }
    return out;
}

} // namespace

double radians(double degrees)
{
    return degrees * pi / halfTurnDegrees;
}

double degrees(double radians)
{
    return radians * halfTurnDegrees / pi;
}

Matrix4 identityMatrix()
{
    Matrix4 m{};
    for (int i = 0; i < size4; ++i) {
        at(m, i, i) = 1.0;
    }
    return m;
}

const Cone cones[coneCount] = {
    {"red", red, {0.0, 0.0, 1.0}},     {"green", green, {1.0, 0.0, 0.0}},
    {"blue", blue, {0.0, 0.0, -1.0}},  {"yellow", yellow, {-1.0, 0.0, 0.0}},
    {"magenta", magenta, {0.0, -1.0, 0.0}}, {"cyan", cyan, {0.0, 1.0, 0.0}},
};

Point3 coneTip(const Cone& cone, double back)
{
    double along = coneLength - back;
    return {cone.axis[0] * along, cone.axis[1] * along, cone.axis[2] * along};
}

namespace {

Point3 point(const double v[3])
{
    return {v[0], v[1], v[2]};
}

} // namespace

Point3 stationEye(int station)
{
    return point(stations[station].eye);
}

Point3 stationTarget(int station)
{
    return point(stations[station].target);
}

Point3 stationUp(int station)
{
    return point(stations[station].up);
}

bool isPerspective(int station)
{
    return stations[station].kind == StationKind::perspective;
}

int stationSeenFrom(const Point3& eye)
{
    int nearest = 0;
    double nearestDistance = 0.0;
    for (int station = 0; station < stationCount; ++station) {
        Point3 e = stationEye(station);
        double distance = eyeDistance({eye[0] - e[0], eye[1] - e[1], eye[2] - e[2]});
        if (station == 0 || distance < nearestDistance) {
            nearest = station;
            nearestDistance = distance;
        }
    }
    return nearest;
}

double eyeDistance(const Point3& eye)
{
    return std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
}

double baseAngle(double span, double distance)
{
    return span / distance * halfTurnDegrees / piApprox;
}

double verticalAngle(double base, double width, double height)
{
    return height < width ? base : (height / width) * base;
}

OrthoArguments orthoArguments(int station, double width, double height)
{
    const Station& s = stations[station];
    double d = eyeDistance(stationEye(station));
    double halfSpan = s.span / 2.0;
    OrthoArguments a;
    a.nearPlane = d - s.depth;
    a.farPlane = d + s.depth;
    if (height > width) {
        double r = height * halfSpan / width;
        a.left = -halfSpan;
        a.right = halfSpan;
        a.bottom = -r;
        a.top = r;
    } else {
        double r = width * halfSpan / height;
        a.left = -r;
        a.right = r;
        a.bottom = -halfSpan;
        a.top = halfSpan;
    }
    return a;
}

PerspectiveArguments perspectiveArguments(int station, double width, double height)
{
    const Station& s = stations[station];
    double d = eyeDistance(stationEye(station));
    PerspectiveArguments a;
    a.fovy = verticalAngle(baseAngle(s.span, d), width, height);
    a.aspect = width / height;
    a.nearPlane = d - s.depth;
    a.farPlane = d + s.depth;
    return a;
}

double horizontalAngle(double fovy, double aspect)
{
    return 2.0 * degrees(std::atan(aspect * std::tan(radians(fovy) / 2.0)));
}

double exactAngle(double span, double distance)
{
    return 2.0 * degrees(std::atan(span / 2.0 / distance));
}

Matrix4 orthoMatrix(const OrthoArguments& a)
{
    Matrix4 m{};
    at(m, 0, 0) = 2.0 / (a.right - a.left);
    at(m, 1, 1) = 2.0 / (a.top - a.bottom);
    at(m, 2, 2) = -2.0 / (a.farPlane - a.nearPlane);
    at(m, 0, 3) = -(a.right + a.left) / (a.right - a.left);
    at(m, 1, 3) = -(a.top + a.bottom) / (a.top - a.bottom);
    at(m, 2, 3) = -(a.farPlane + a.nearPlane) / (a.farPlane - a.nearPlane);
    at(m, 3, 3) = 1.0;
    return m;
}

double perspectiveScale(double fovy)
{
    return 1.0 / std::tan(radians(fovy) / 2.0);
}

DepthRow depthRow(double nearPlane, double farPlane)
{
    DepthRow row;
    row.a = (farPlane + nearPlane) / (nearPlane - farPlane);
    row.b = 2.0 * farPlane * nearPlane / (nearPlane - farPlane);
    return row;
}

double windowDepth(const PerspectiveArguments& a, double distance)
{
    return a.farPlane * (distance - a.nearPlane) / ((a.farPlane - a.nearPlane) * distance);
}

double linearShare(double nearPlane, double farPlane, double distance)
{
    return (distance - nearPlane) / (farPlane - nearPlane);
}

LookAtAxes lookAtAxes(const Point3& eye, const Point3& target, const Point3& up)
{
    LookAtAxes axes;
    axes.forward = unit({target[0] - eye[0], target[1] - eye[1], target[2] - eye[2]});
    axes.sideBeforeUnit = cross(axes.forward, up);
    axes.side = unit(axes.sideBeforeUnit);
    axes.up = cross(axes.side, axes.forward);
    return axes;
}

Matrix4 perspectiveMatrix(const PerspectiveArguments& a)
{
    double cotangent = perspectiveScale(a.fovy);
    DepthRow depth = depthRow(a.nearPlane, a.farPlane);
    Matrix4 m{};
    at(m, 0, 0) = cotangent / a.aspect;
    at(m, 1, 1) = cotangent;
    at(m, 2, 2) = depth.a;
    at(m, 2, 3) = depth.b;
    at(m, 3, 2) = -1.0;
    return m;
}

Matrix4 lookAtMatrix(const Point3& eye, const Point3& target, const Point3& up)
{
    // The camera's right, its up and its backward direction (from the target
    // to the eye), in scene coordinates, are the matrix's first three rows;
    // the last column carries the eye to the origin.
    LookAtAxes axes = lookAtAxes(eye, target, up);
    Point3 backward = {-axes.forward[0], -axes.forward[1], -axes.forward[2]};
    const Point3* rows[3] = {&axes.side, &axes.up, &backward};
    Matrix4 m{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            at(m, r, c) = (*rows[r])[c];
        }
        at(m, r, 3) = -dot(*rows[r], eye);
    }
    at(m, 3, 3) = 1.0;
    return m;
}

double entry(const Matrix4& m, int row, int column)
{
    return m[column * size4 + row];
}

FollowedPoint followPoint(const Point3& point, const Matrix4& modelview,
                          const Matrix4& projection, const std::array<int, 4>& viewport)
{
    FollowedPoint f;
    f.scene = {point[0], point[1], point[2], 1.0};
    f.eye = times(modelview, f.scene);
    f.clip = times(projection, f.eye);
    for (int i = 0; i < 3; ++i) {
        f.device[i] = f.clip[i] / f.clip[3];
    }
    f.window[0] = viewport[0] + (f.device[0] + 1.0) * viewport[2] / 2.0;
    f.window[1] = viewport[1] + (f.device[1] + 1.0) * viewport[3] / 2.0;
    f.window[2] = (f.device[2] + 1.0) / 2.0;
    return f;
}
