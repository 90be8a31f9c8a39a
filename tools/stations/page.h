// Varnelle documentation: the page that sets each station's own picture
// beside the observer pictures, with the calls and the matrices read back.
#pragma once

#include <string>
#include <vector>

#include "observer.h"
#include "volume.h"

// Window shapes the stations are shown in, width and height in pixels.
const int shapeCount = 3;
const int shapeSizes[shapeCount][2] = {{480, 480}, {960, 480}, {480, 960}};

// One station applied to one window shape.
struct ShapeResult {
    int width = 0;
    int height = 0;
    // The calls the station made, with their arguments.
    std::vector<std::string> calls;
    StationReadBack readBack;
    // The viewing volume those matrices enclose, as the observer draws it.
    ObservedVolume volume;
    // The observer picture, relative to the page's folder.
    std::string picture;
};

// Write the page to path; results[station][shape] in the order of
// shapeSizes. False if the file cannot be written.
bool writeStationsPage(const std::string& path,
                       const std::vector<std::vector<ShapeResult>>& results);
