#include "Png.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace vekinfo {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool CanWritePng() {
    return true;
}

void WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& bottomUpRgba) {
    if (width <= 0 || height <= 0 ||
        bottomUpRgba.size() != static_cast<std::size_t>(width) * height * 4) {
        throw std::runtime_error("PNG " + path + ": pixels do not match the size");
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        throw std::runtime_error("cannot open " + path + " for writing");
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("PNG " + path + ": out of memory");
    }
    std::vector<png_const_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        rows[static_cast<std::size_t>(y)] =
            bottomUpRgba.data() + static_cast<std::size_t>(height - 1 - y) * width * 4;
    }
    // libpng reports its errors by long jump; nothing with a destructor lives in between.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("PNG " + path + ": write failed");
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        throw std::runtime_error("PNG " + path + ": write failed");
    }
}

}  // namespace vekinfo
