// Varnelle documentation: framebuffer read-back.
#include "framebuffer.h"

#include <vector>

#include <GL/gl.h>

drive::Picture readFramebuffer(int x, int y, int width, int height)
{
    const size_t channels = 3;
    std::vector<unsigned char> bottomUp(static_cast<size_t>(width) * height * channels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    drive::Picture picture;
    picture.width = width;
    picture.height = height;
    // OpenGL gives the bottom row first; pictures start at the top.
    for (int row = height - 1; row >= 0; --row) {
        const unsigned char* p = bottomUp.data() + static_cast<size_t>(row) * width * channels;
        for (int column = 0; column < width; ++column, p += channels) {
            picture.pixels.push_back({p[0], p[1], p[2]});
        }
    }
    return picture;
}
