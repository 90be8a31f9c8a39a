// Varnelle documentation: the calls a station must make, worked out from the
// camera formulas (formulas.h) and written as the call record writes them,
// so that comparing the two texts compares every argument exactly.
#pragma once

#include <string>
#include <vector>

// The calls of station 0..3 in a window of width × height pixels.
std::vector<std::string> predictedCalls(int station, int width, int height);

// Empty if the recorded calls are the predicted ones; otherwise a message
// that names the first call that differs, with both texts.
std::string compareCalls(const std::vector<std::string>& predicted,
                         const std::vector<std::string>& recorded);
