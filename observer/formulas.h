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
