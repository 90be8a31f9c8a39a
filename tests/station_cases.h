// The camera stations as the tests expect them: each station on a square, a
// wide and a tall window, with the trace line and the projection's arguments
// worked out independently of how the viewer computes them.
#pragma once

#include <cstdio>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

// What a station must produce, independently of how the viewer computes it.
struct StationCase {
    int station;
    int width;
    int height;
    const char* trace;
    // Orthographic: left, right, bottom, top. Perspective: fovy, aspect, near, far.
    double p[4];
};

// A short name in test listings instead of the bytes of the case.
inline void PrintTo(const StationCase& c, std::ostream* out)
{
    *out << "station " << c.station << " at " << c.width << "x" << c.height;
}

inline const double eye1[3] = {0.0, 0.0, 100.0};
inline const double eye2[3] = {100.0, 0.0, 100.0};
inline const double eye3[3] = {100.0, 100.0, 100.0};
inline const double* const eyes[4] = {nullptr, eye1, eye2, eye3};
// Every perspective station looks at the origin with +y up.
inline const double target[3] = {0.0, 0.0, 0.0};
inline const double up[3] = {0.0, 1.0, 0.0};

// Base angles: 20 / D radians in degrees, with pi as 3.14159.
inline const double angle1 = 11.459165581759555;
inline const double angle2 = 8.10285368960167;
inline const double angle3 = 6.615952333317374;

inline const StationCase stationCases[] = {
    {0, 480, 480, "RO\n", {-10, 10, -10, 10}},
    {0, 960, 480, "RO\n", {-20, 20, -10, 10}},
    {0, 480, 960, "RO\n", {-10, 10, -20, 20}},
    {1, 480, 480, "RP1 100.00  11.46\n", {angle1, 1.0, 88.0, 112.0}},
    {1, 960, 480, "RP1 100.00  11.46\n", {angle1, 2.0, 88.0, 112.0}},
    {1, 480, 960, "RP1 100.00  11.46\n", {2 * angle1, 0.5, 88.0, 112.0}},
    {2, 480, 480, "RP2 141.42   8.10\n", {angle2, 1.0, 129.4213562373095, 153.4213562373095}},
    {2, 960, 480, "RP2 141.42   8.10\n", {angle2, 2.0, 129.4213562373095, 153.4213562373095}},
    {2, 480, 960, "RP2 141.42   8.10\n", {2 * angle2, 0.5, 129.4213562373095, 153.4213562373095}},
    {3, 480, 480, "RP3 173.21   6.62\n", {angle3, 1.0, 161.20508075688772, 185.20508075688772}},
    {3, 960, 480, "RP3 173.21   6.62\n", {angle3, 2.0, 161.20508075688772, 185.20508075688772}},
    {3, 480, 960, "RP3 173.21   6.62\n", {2 * angle3, 0.5, 161.20508075688772, 185.20508075688772}},
};

inline std::string caseName(const testing::TestParamInfo<StationCase>& info)
{
    char name[64] = "";
    snprintf(name, sizeof name, "station%d_%dx%d", info.param.station, info.param.width,
             info.param.height);
    return name;
}

