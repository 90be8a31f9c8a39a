// Varnelle documentation: where the observer of the outside view stands,
// which the web page's learner turns and brings nearer.
#pragma once

#include "volume.h"

// Where the observer stands, relative to the documentation's viewpoint: its
// direction from what each panel looks at turned by yawDegrees about +y and
// raised by pitchDegrees, and its distance divided by zoom. The default is
// the documentation's viewpoint.
struct ObserverOrbit {
    double yawDegrees = 0.0;
    double pitchDegrees = 0.0;
    double zoom = 1.0;
};
// The orbit kept within bounds: the observer at most observerMaxElevation
// degrees above or below the horizontal (so that +y stays its up), and
// zoom from observerZoomRange[0] to [1].
ObserverOrbit boundedOrbit(const ObserverOrbit& orbit);
const double observerMaxElevation = 85.0;
const double observerZoomRange[2] = {0.25, 4.0};

// The observer's direction from what it looks at, unit length: the
// documentation's turned about +y by the yaw, then raised by the pitch
// about the horizontal axis across it.
Point3 orbitDirection(const ObserverOrbit& orbit);
