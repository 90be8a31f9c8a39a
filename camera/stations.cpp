// Varnelle: the camera stations' table.
#include "stations.h"

// Every station fits a 20-unit span, which holds the scene's six cones
// (each 10 units long) from tip to tip. The orthographic depth keeps 20
// units on either side of the view's origin; the perspective stations keep
// 12 on either side of the scene's origin, which brackets the cones' reach.
const Station stations[stationCount] = {
    {"RO", StationKind::orthographic, {0.0, 0.0, 0.0}, {0.0, 0.0, -1.0}, {0.0, 1.0, 0.0}, 20.0, 20.0},
    {"RP1", StationKind::perspective, {0.0, 0.0, 100.0}, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, 20.0, 12.0},
    {"RP2", StationKind::perspective, {100.0, 0.0, 100.0}, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, 20.0,
     12.0},
    {"RP3", StationKind::perspective, {100.0, 100.0, 100.0}, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, 20.0,
     12.0},
};
