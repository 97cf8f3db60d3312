#pragma once

#include <array>
#include <cstdint>

namespace vekinfo {

// Draws vekinfo's shape into the bound framebuffer with a Program and a VertexBuffer: a
// triangle over the frame, apex at the top, with red, green and blue corners (bottom left,
// bottom right, apex) shaded between them.
void DrawShadedTriangle();

// The colour the triangle has at the frame's centre: a quarter red, a quarter green, half blue.
constexpr std::array<std::uint8_t, 3> kShadedCentre = {64, 64, 128};

}  // namespace vekinfo
