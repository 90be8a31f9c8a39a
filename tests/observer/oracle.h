// The tests' own station table (station_cases.h) in the documentation
// program's terms: its eyes, target and up as points. The orthographic
// station's eye is the view's origin.
#pragma once

#include "station_cases.h"
#include "volume.h"

inline Point3 oracle(const double v[3])
{
    return {v[0], v[1], v[2]};
}

inline Point3 oracleEye(int station)
{
    return station == 0 ? Point3{0.0, 0.0, 0.0} : oracle(eyes[station]);
}
