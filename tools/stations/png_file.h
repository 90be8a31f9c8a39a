// Varnelle documentation: saving a picture of the framebuffer as a PNG file.
#pragma once

#include <string>
#include <vector>

// An RGB picture, 8 bits a channel, rows from the top down.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// Read a rectangle of the current read buffer (x, y at its bottom left, in
// pixels) as a picture with its rows from the top down.
RgbPicture readFramebuffer(int x, int y, int width, int height);

// Write the picture to path as an 8-bit RGB PNG; false if it cannot.
bool writePng(const std::string& path, const RgbPicture& picture);
