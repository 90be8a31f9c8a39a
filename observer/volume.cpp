// Varnelle documentation: the viewing volume of a station, from the matrices
// OpenGL really holds rather than from the station's own constants.
#include "volume.h"

#include <cmath>
#include <utility>

#include <GL/gl.h>

namespace {

const int size4 = 4;

// Entry at row r, column c of a column-major matrix.
double& at(Matrix4& m, int r, int c)
{
    return m[c * size4 + r];
}

double at(const Matrix4& m, int r, int c)
{
    return m[c * size4 + r];
}

// a × b for column-major matrices.
Matrix4 multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 product{};
    for (int r = 0; r < size4; ++r) {
        for (int c = 0; c < size4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < size4; ++k) {
                sum += at(a, r, k) * at(b, k, c);
            }
            at(product, r, c) = sum;
        }
    }
    return product;
}

// The inverse of m; false when m has none that doubles can hold (a zero,
// subnormal or non-finite pivot, or an entry out of range).
bool invert(const Matrix4& m, Matrix4& inverse)
{
    // Gauss-Jordan elimination with partial pivoting on [m | identity].
    Matrix4 work = m;
    inverse = Matrix4{};
    for (int i = 0; i < size4; ++i) {
        at(inverse, i, i) = 1.0;
    }
    for (int column = 0; column < size4; ++column) {
        int pivot = column;
        for (int r = column + 1; r < size4; ++r) {
            if (std::fabs(at(work, r, column)) > std::fabs(at(work, pivot, column))) {
                pivot = r;
            }
        }
        if (!std::isnormal(at(work, pivot, column))) {
            return false;
        }
        for (int c = 0; c < size4; ++c) {
            std::swap(at(work, column, c), at(work, pivot, c));
            std::swap(at(inverse, column, c), at(inverse, pivot, c));
        }
        double scale = at(work, column, column);
        for (int c = 0; c < size4; ++c) {
            at(work, column, c) /= scale;
            at(inverse, column, c) /= scale;
        }
        for (int r = 0; r < size4; ++r) {
            if (r == column) {
                continue;
            }
            double factor = at(work, r, column);
            for (int c = 0; c < size4; ++c) {
                at(work, r, c) -= factor * at(work, column, c);
                at(inverse, r, c) -= factor * at(inverse, column, c);
            }
        }
    }
    for (double value : inverse) {
        if (!std::isfinite(value)) {
            return false;
        }
    }
    return true;
}

// Carry a homogeneous point through m and divide by w.
Point3 project(const Matrix4& m, const double point[4])
{
    double out[4] = {0.0, 0.0, 0.0, 0.0};
    for (int r = 0; r < size4; ++r) {
        for (int c = 0; c < size4; ++c) {
            out[r] += at(m, r, c) * point[c];
        }
    }
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

bool finite(const Point3& p)
{
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

Point3 minus(const Point3& a, const Point3& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

double length(const Point3& a)
{
    return std::sqrt(dot(a, a));
}

} // namespace

double dot(const Point3& a, const Point3& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Point3 cross(const Point3& a, const Point3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Point3 unit(const Point3& a)
{
    double norm = std::sqrt(dot(a, a));
    return {a[0] / norm, a[1] / norm, a[2] / norm};
}

StationReadBack readBackStation()
{
    StationReadBack readBack;
    glGetIntegerv(GL_VIEWPORT, readBack.viewport.data());
    glGetDoublev(GL_PROJECTION_MATRIX, readBack.projection.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, readBack.modelview.data());
    return readBack;
}

bool volumeCorners(const Matrix4& projection, const Matrix4& modelview, VolumeCorners& corners)
{
    Matrix4 clipToScene{};
    if (!invert(multiply(projection, modelview), clipToScene)) {
        return false;
    }
    VolumeCorners found{};
    for (int i = 0; i < cornerCount; ++i) {
        double clip[4] = {(i & cornerRightBit) ? 1.0 : -1.0, (i & cornerTopBit) ? 1.0 : -1.0,
                          (i & cornerFarBit) ? 1.0 : -1.0, 1.0};
        found[i] = project(clipToScene, clip);
        if (!finite(found[i])) {
            return false;
        }
    }
    corners = found;
    return true;
}

Point3 planeCentre(const VolumeCorners& corners, bool far)
{
    Point3 centre{};
    int first = far ? cornerFarBit : 0;
    for (int i = first; i < first + cornerFarBit; ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            centre[axis] += corners[i][axis] / cornerFarBit;
        }
    }
    return centre;
}

bool eyePosition(const Matrix4& modelview, Point3& eye)
{
    Matrix4 viewToScene{};
    if (!invert(modelview, viewToScene)) {
        return false;
    }
    const double origin[4] = {0.0, 0.0, 0.0, 1.0};
    Point3 found = project(viewToScene, origin);
    if (!finite(found)) {
        return false;
    }
    eye = found;
    return true;
}

VolumeMeasures measureVolume(const VolumeCorners& corners, const Point3& eye, bool perspective)
{
    const double degreesPerRadian = 180.0 / 3.14159265358979323846;
    VolumeMeasures m;
    Point3 nearCentre = planeCentre(corners, false);
    Point3 farCentre = planeCentre(corners, true);
    Point3 sight = minus(farCentre, perspective ? eye : nearCentre);
    double sightLength = length(sight);
    for (double& v : sight) {
        v /= sightLength;
    }
    m.nearDistance = dot(minus(nearCentre, eye), sight);
    m.farDistance = dot(minus(farCentre, eye), sight);
    m.originDistance = dot(minus(Point3{}, eye), sight);
    m.nearWidth = length(minus(corners[cornerRightBit], corners[0]));
    m.nearHeight = length(minus(corners[cornerTopBit], corners[0]));
    m.farWidth = length(minus(corners[cornerFarBit | cornerRightBit], corners[cornerFarBit]));
    m.farHeight = length(minus(corners[cornerFarBit | cornerTopBit], corners[cornerFarBit]));
    if (perspective) {
        m.horizontalAngle = 2.0 * std::atan(m.nearWidth / 2.0 / m.nearDistance) * degreesPerRadian;
        m.verticalAngle = 2.0 * std::atan(m.nearHeight / 2.0 / m.nearDistance) * degreesPerRadian;
    }
    return m;
}
