#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vekinfo {

// Whether this build can write PNG files: not where libpng is missing (mingw-w64 has none).
bool CanWritePng();

// Writes 8-bit RGBA rows, bottom row first as OpenGL reads them, to a PNG file; throws
// std::runtime_error naming the path when it cannot.
void WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& bottomUpRgba);

}  // namespace vekinfo
