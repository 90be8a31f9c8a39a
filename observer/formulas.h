// Varnelle documentation: the camera formulas the pages teach, in one place.
// The documentation program checks on every run that they give exactly the
// arguments the viewer's stations pass, then works its examples and the
// exercises' answers out with them. Plain arithmetic: no OpenGL calls, no
// files, so that a browser build can use it too.
#pragma once

#include <array>

#include <GL/gl.h>

#include "camera/stations.h"
#include "volume.h"

// The scene's six cones: each starts at the origin and reaches coneLength
// scene units along its axis, where its tip is; coneRadius at its base.
const double coneLength = 10.0;
const double coneRadius = 1.0;
const int coneCount = 6;
struct Cone {
    // The palette's name of its colour, as the pages print it.
    const char* colourName;
    // Its diffuse colour, RGBA in [0, 1] (the viewer's palette).
    const GLfloat* colour;
    // Unit vector along its axis, scene coordinates.
    Point3 axis;
};
extern const Cone cones[coneCount];
// The point at the tip of a cone, and the point this far back (scene units)
// along its axis from the tip.
Point3 coneTip(const Cone& cone, double back = 0.0);

// A station's eye, the point it looks at and its up direction, scene units,
// from the station table (camera/stations.h): the orthographic station's
// eye is the view's origin.
Point3 stationEye(int station);
Point3 stationTarget(int station);
Point3 stationUp(int station);
bool isPerspective(int station);
// The station whose eye is nearest the point: the station that a view read
// back from OpenGL, with its eye at that point, belongs to.
int stationSeenFrom(const Point3& eye);

// A half turn in degrees.
const double halfTurnDegrees = degreesPerHalfTurn;

// glOrtho's six arguments.
struct OrthoArguments {
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double top = 0.0;
    double nearPlane = 0.0;
    double farPlane = 0.0;
};
// gluPerspective's four arguments: angles in degrees, planes in scene units.
struct PerspectiveArguments {
    double fovy = 0.0;
    double aspect = 0.0;
    double nearPlane = 0.0;
    double farPlane = 0.0;
};

// D: the eye's distance from the origin.
double eyeDistance(const Point3& eye);
// a = span / D radians in degrees, with pi as 3.14159, left to right: the
// angle that fits span scene units at distance D.
double baseAngle(double span, double distance);
// The vertical angle for a window: a when wider than tall, (h / w) · a
// otherwise. Width and height in pixels.
double verticalAngle(double base, double width, double height);
// The projections a station asks for in a window of width × height pixels:
// an orthographic station's box, a perspective station's lens.
OrthoArguments orthoArguments(int station, double width, double height);
PerspectiveArguments perspectiveArguments(int station, double width, double height);

// The angle seen across the window, degrees: tan(fovx / 2) = aspect ·
// tan(fovy / 2).
double horizontalAngle(double fovy, double aspect);
// Exactly 2·atan(span / 2 / D) in degrees: the angle the base angle stands for.
double exactAngle(double span, double distance);

// Degrees to radians and back.
double radians(double degrees);
double degrees(double radians);

// gluPerspective's scale of y, cot(fovy / 2): by similar triangles, the
// volume reaches d · tan(fovy / 2) above the line of sight at d units in
// front of the eye, so a point y above it lies y / (d · tan(fovy / 2)) of
// the way to the top plane, cot(fovy / 2) · y / d. Degrees.
double perspectiveScale(double fovy);
// The projection's third row, solved so that after the division by w = d
// the near plane lands at -1 and the far one at +1: clip z = A · z + B,
// normalised z = -A + B / d, with A = (far + near) / (near - far) and
// B = 2 · far · near / (near - far).
struct DepthRow {
    double a = 0.0;
    double b = 0.0;
};
DepthRow depthRow(double nearPlane, double farPlane);
// The window depth of a point the distance in front of the eye, from 0 at
// the near plane to 1 at the far one: far · (d - near) / ((far - near) · d),
// linear in 1 / d, not in d. And the share of the way from the near plane to
// the far one, which a linear depth would be.
double windowDepth(const PerspectiveArguments& a, double distance);
double linearShare(double nearPlane, double farPlane, double distance);

// gluLookAt's axes as GLU works them out: f, the unit vector from the eye to
// the target; s = f × up before and after it is made unit length; u = s × f.
// The modelview's rows are s, u and -f.
struct LookAtAxes {
    Point3 forward{};
    Point3 sideBeforeUnit{};
    Point3 side{};
    Point3 up{};
};
LookAtAxes lookAtAxes(const Point3& eye, const Point3& target, const Point3& up);

// The matrices OpenGL builds from these arguments, in double precision,
// column-major as OpenGL stores them; and the identity, the orthographic
// station's view.
Matrix4 identityMatrix();
Matrix4 orthoMatrix(const OrthoArguments& a);
Matrix4 perspectiveMatrix(const PerspectiveArguments& a);
Matrix4 lookAtMatrix(const Point3& eye, const Point3& target, const Point3& up);
// Entry at row r, column c of a column-major matrix.
double entry(const Matrix4& m, int row, int column);

// One point carried to its pixel: scene → eye coordinates (modelview) →
// clip coordinates (projection) → normalised device coordinates (÷ w) →
// window coordinates (viewport: x and y in pixels from the bottom left
// corner, depth 0 at the near plane to 1 at the far one).
struct FollowedPoint {
    std::array<double, 4> scene{};
    std::array<double, 4> eye{};
    std::array<double, 4> clip{};
    std::array<double, 3> device{};
    std::array<double, 3> window{};
};
FollowedPoint followPoint(const Point3& point, const Matrix4& modelview,
                          const Matrix4& projection, const std::array<int, 4>& viewport);
