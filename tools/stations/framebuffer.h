// Varnelle documentation: a picture of the framebuffer, to be saved as PNG
// with the driver library's savePng.
#pragma once

#include "drive.h"

// Read a rectangle of the current read buffer (x, y at its bottom left, in
// pixels) as a picture with its rows from the top down.
drive::Picture readFramebuffer(int x, int y, int width, int height);
