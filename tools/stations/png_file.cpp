// Varnelle documentation: framebuffer read-back and PNG writing with libpng.
#include "png_file.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <GL/gl.h>
#include <png.h>

// Bytes per pixel in an RGB picture.
static const int rgbChannels = 3;

RgbPicture readFramebuffer(int x, int y, int width, int height)
{
    RgbPicture picture;
    picture.width = width;
    picture.height = height;
    std::vector<unsigned char> bottomUp(static_cast<size_t>(width) * height * rgbChannels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    // OpenGL gives the bottom row first; PNG wants the top row first.
    size_t rowBytes = static_cast<size_t>(width) * rgbChannels;
    picture.rgb.resize(bottomUp.size());
    for (int row = 0; row < height; ++row) {
        const unsigned char* from = bottomUp.data() + (height - 1 - row) * rowBytes;
        std::copy(from, from + rowBytes, picture.rgb.begin() + row * rowBytes);
    }
    return picture;
}

bool writePng(const std::string& path, const RgbPicture& picture)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        // libpng comes back here on any error while writing.
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    const int bitDepth = 8;
    png_set_IHDR(png, info, picture.width, picture.height, bitDepth, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    size_t rowBytes = static_cast<size_t>(picture.width) * rgbChannels;
    for (int row = 0; row < picture.height; ++row) {
        png_write_row(png, picture.rgb.data() + row * rowBytes);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}
