// What the scene shows through the orthographic station, as the in-process
// and the end-to-end tests both check it: the colour channels that stand
// out where each visible cone lies, five scene units out from the centre.
#pragma once

#include <algorithm>
#include <array>

// Colour channels as the bits of a mask.
const int redChannel = 1;
const int greenChannel = 2;
const int blueChannel = 4;

// The channels that clearly stand out in a colour, RGB in 0..255: within a
// margin of the strongest one, and not dark.
inline int dominant(const std::array<int, 3>& c)
{
    const int margin = 40;
    const int dark = 25;
    int top = std::max({c[0], c[1], c[2]});
    int mask = 0;
    for (int i = 0; i < 3; ++i) {
        mask |= (c[i] > top - margin && c[i] > dark) ? 1 << i : 0;
    }
    return mask;
}

// A cone as the orthographic station shows it: where, in scene units right
// of and above the window's centre, and the channels that stand out there.
struct ConeSighting {
    const char* name;
    int right;
    int up;
    int channels;
};

// Red points at the viewer, at the centre; blue points away from it, hidden
// behind the sphere.
inline const ConeSighting coneSightings[] = {
    {"red, towards the viewer", 0, 0, redChannel},
    {"green, right", 5, 0, greenChannel},
    {"yellow, left", -5, 0, redChannel | greenChannel},
    {"cyan, up", 0, 5, greenChannel | blueChannel},
    {"magenta, down", 0, -5, redChannel | blueChannel},
};
