// Pictures saved as PNG files, through libpng.
#include "drive.h"

#include <cstdio>
#include <memory>
#include <vector>
#include <stdexcept>

#include <png.h>

namespace drive {

void savePng(const Picture& picture, const std::string& path)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(fopen(path.c_str(), "wb"), fclose);
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
    // Made before libpng may jump back here, so that nothing is skipped.
    const size_t channels = 3;
    std::vector<png_byte> row(static_cast<size_t>(picture.width) * channels);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot encode " + path);
    }
    const int bitsPerChannel = 8;
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), bitsPerChannel, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            for (size_t i = 0; i < channels; ++i) {
                size_t at = static_cast<size_t>(x) * channels + i;
                row[at] = static_cast<png_byte>(picture.at(x, y)[i]);
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

} // namespace drive
