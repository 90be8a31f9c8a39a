// Varnelle documentation: the observer's orbit, turned and brought nearer.
#include "orbit.h"

#include <cmath>

#include "formulas.h"

namespace {

// Where the observer stands: along this direction from its target, with +y
// up. Seen from the -x, +y, +z side, every station's line of sight (from +z,
// from the x-z diagonal, from the cube's diagonal) crosses the picture at a
// wide angle instead of pointing at the observer, and the faces turned to the
// observer are those the viewer's lights fall on.
const double observerDirection[3] = {-0.7, 0.5, 0.5};

// The unit vector v turned by the angle (degrees) about the unit axis
// (Rodrigues' formula). A zero angle gives v back exactly.
Point3 turned(const Point3& v, const Point3& axis, double angleDegrees)
{
    double c = std::cos(radians(angleDegrees));
    double s = std::sin(radians(angleDegrees));
    Point3 across = cross(axis, v);
    double along = dot(axis, v) * (1.0 - c);
    Point3 out{};
    for (int i = 0; i < 3; ++i) {
        out[i] = v[i] * c + across[i] * s + axis[i] * along;
    }
    return out;
}

// The documentation's direction of the observer from its target, unit length.
Point3 baseDirection()
{
    return unit({observerDirection[0], observerDirection[1], observerDirection[2]});
}

} // namespace

Point3 orbitDirection(const ObserverOrbit& orbit)
{
    const Point3 up = {0.0, 1.0, 0.0};
    Point3 direction = turned(baseDirection(), up, orbit.yawDegrees);
    return turned(direction, unit(cross(direction, up)), orbit.pitchDegrees);
}

ObserverOrbit boundedOrbit(const ObserverOrbit& orbit)
{
    ObserverOrbit bounded = orbit;
    // The pitch adds to the documentation's elevation.
    double elevation = degrees(std::asin(baseDirection()[1]));
    bounded.pitchDegrees = std::fmax(-observerMaxElevation - elevation,
                                     std::fmin(observerMaxElevation - elevation, orbit.pitchDegrees));
    bounded.zoom = std::fmax(observerZoomRange[0], std::fmin(observerZoomRange[1], orbit.zoom));
    return bounded;
}

