#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vekinfo {

// Writes 8-bit RGBA rows, bottom row first as OpenGL reads them, to a PNG file; throws
// std::runtime_error naming the path when it cannot.
void WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& bottomUpRgba);

}  // namespace vekinfo
