// Varnelle documentation: the figures of the page that sets each station's
// own picture beside the observer pictures, with the calls and the matrices
// read back; its prose is its template's, stations.md.in.
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

// Write the page's values into the folder, one file each, named as the
// template's placeholders; results[station][shape] in the order of
// shapeSizes. False if a file cannot be written.
bool writeStationsValues(const std::string& folder,
                         const std::vector<std::vector<ShapeResult>>& results);
