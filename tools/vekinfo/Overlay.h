#pragma once

#include <array>
#include <cstdint>

namespace vekinfo {

// Over the frame: a small checkered texture at the top left, outlined by a dashed widget, and a
// white widget at half fade at the top right, drawn by the widget scene's renderer.
void DrawOverlay();

// Where the overlay lands in the 256x256 picture (top row first) and what it looks like there:
// a white and a black texel of the checker, and the half-faded white widget over the
// background.
constexpr int kWhiteTexelX = 20, kWhiteTexelY = 20;
constexpr int kBlackTexelX = 36, kBlackTexelY = 20;
constexpr int kWidgetX = 224, kWidgetY = 32;
constexpr std::array<std::uint8_t, 3> kWidgetOverBackground = {128, 128, 160};

}  // namespace vekinfo
