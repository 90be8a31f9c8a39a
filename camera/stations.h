// Varnelle: the camera stations, one row each. Everything about a station
// is written here once: the handlers in camera.cpp apply a row, and
// whatever explains, drives or checks the stations reads the same rows.
#pragma once

#include <iterator>

// How a station projects the scene.
enum class StationKind { orthographic, perspective };

struct Station {
    // The name its trace line starts with ("RO", "RP1" ...).
    const char* traceName;
    StationKind kind;
    // The eye, the point it looks at and the direction that shows as up,
    // scene units. An orthographic station's view is the identity: its eye
    // is at the origin, looking along -z with +y up.
    double eye[3];
    double target[3];
    double up[3];
    // The span of the scene the view is fitted to, scene units: across the
    // window's narrower side (orthographic), or the span that the base angle
    // takes in at the eye's distance D (perspective).
    double span;
    // How far the clipping planes lie on either side of the scene's origin
    // along the line of sight, scene units: near at D - depth, far at
    // D + depth, D being the eye's distance from the origin.
    double depth;
};

// The stations, indexed by the viewer's cameraStation, in the order the
// Enter key steps through them. Every station fits a 20-unit span, which
// holds the scene's six cones (each 10 units long) from tip to tip. The
// orthographic depth keeps 20 units on either side of the view's origin;
// the perspective stations keep 12 on either side of the scene's origin,
// which brackets the cones' reach.
inline constexpr Station stations[] = {
    {"RO", StationKind::orthographic, {0.0, 0.0, 0.0}, {0.0, 0.0, -1.0}, {0.0, 1.0, 0.0}, 20.0, 20.0},
    {"RP1", StationKind::perspective, {0.0, 0.0, 100.0}, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, 20.0, 12.0},
    {"RP2", StationKind::perspective, {100.0, 0.0, 100.0}, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, 20.0,
     12.0},
    {"RP3", StationKind::perspective, {100.0, 100.0, 100.0}, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, 20.0,
     12.0},
};
// Number of camera stations.
inline constexpr int stationCount = static_cast<int>(std::size(stations));

// The base angle turns span / D radians into degrees with this
// approximation of pi, as the stations always have.
const double piApprox = 3.14159;
const double degreesPerHalfTurn = 180.0;
