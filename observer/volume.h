// Varnelle documentation: what a camera station hands to OpenGL, read back
// from the context, and the viewing volume it encloses in scene coordinates.
#pragma once

#include <array>

// Column-major 4x4 matrix, as OpenGL stores it.
typedef std::array<double, 16> Matrix4;
// A point in scene coordinates (x, y, z).
typedef std::array<double, 3> Point3;

// What a station left in the context: viewport (x, y, width, height in
// pixels) and the two matrices, read back with glGet.
struct StationReadBack {
    std::array<int, 4> viewport{};
    Matrix4 projection{};
    Matrix4 modelview{};
};

// Number of corners of a viewing volume.
const int cornerCount = 8;
// Corner i is the clip-cube corner with x = +1 when bit 0 of i is set (else
// -1), y = +1 when bit 1 is set, z = +1 (the far plane) when bit 2 is set
// (else the near plane).
typedef std::array<Point3, cornerCount> VolumeCorners;
const int cornerRightBit = 1;
const int cornerTopBit = 2;
const int cornerFarBit = 4;

// Vectors in scene coordinates: their dot and cross products, and the unit
// vector along one.
double dot(const Point3& a, const Point3& b);
Point3 cross(const Point3& a, const Point3& b);
Point3 unit(const Point3& a);

// Read viewport, projection and modelview back from the current context.
StationReadBack readBackStation();

// The viewing volume's corners in scene coordinates: the clip cube's corners
// carried back through the inverse of projection × modelview. False, with
// the corners untouched, when the product has no inverse (a volume
// flattened to a plane or less) or a corner comes out at infinity.
bool volumeCorners(const Matrix4& projection, const Matrix4& modelview, VolumeCorners& corners);

// The centre of the near plane's four corners, or of the far plane's.
Point3 planeCentre(const VolumeCorners& corners, bool far);

// The eye in scene coordinates: the point the modelview carries to the
// origin. False, with the eye untouched, when the modelview has no inverse.
bool eyePosition(const Matrix4& modelview, Point3& eye);

// Sizes and distances of a volume, measured on its corners.
struct VolumeMeasures {
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
    // Full horizontal and vertical angles at the eye, degrees (perspective).
    double horizontalAngle = 0.0;
    double verticalAngle = 0.0;
};
// eye is the eye (perspective) or the view's origin (orthographic).
VolumeMeasures measureVolume(const VolumeCorners& corners, const Point3& eye, bool perspective);
