#pragma once

#include <cstdint>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// The framebuffer a context asks for: channel, stencil and depth bits and whether colour is
/// floating point.
class VEK_EXPORT BufferFormat {
public:
    /// The formats of the table in BufferFormat.cpp; the last three repeat the three before them.
    enum PredefinedFormat {
        kR16F,
        kR16F_D24,
        kR16F_S8D24,
        kR32F,
        kR32F_D24,
        kR32F_S8D24,
        kRG16F,
        kRG16F_D24,
        kRG16F_S8D24,
        kRG32F,
        kRG32F_D24,
        kRG32F_S8D24,
        kRGB8,
        kRGB8_D24,
        kRGB8_S8D24,
        kRGBA8,
        kRGBA8_D24,
        kRGBA8_S8D24,
        kRGBA16F,
        kRGBA16F_D24,
        kRGBA16F_S8D24,
        kRGBA16F_2,
        kRGBA16F_D24_2,
        kRGBA16F_S8D24_2
    };

    BufferFormat(std::uint32_t redBits, std::uint32_t greenBits, std::uint32_t blueBits,
                 std::uint32_t alphaBits, std::uint32_t stencilBits, std::uint32_t depthBits,
                 bool floatingPointColor);
    /// Throws for a value outside the table.
    explicit BufferFormat(PredefinedFormat format);
    BufferFormat(const BufferFormat&) = default;
    BufferFormat(BufferFormat&&) = default;
    BufferFormat& operator=(const BufferFormat&) = default;
    BufferFormat& operator=(BufferFormat&&) = default;

    std::uint32_t redBits() const { return redBits_; }
    std::uint32_t greenBits() const { return greenBits_; }
    std::uint32_t blueBits() const { return blueBits_; }
    std::uint32_t alphaBits() const { return alphaBits_; }
    std::uint32_t stencilBits() const { return stencilBits_; }
    std::uint32_t depthBits() const { return depthBits_; }
    bool floatingPointColor() const { return floatingPointColor_; }

private:
    std::uint32_t redBits_;
    std::uint32_t greenBits_;
    std::uint32_t blueBits_;
    std::uint32_t alphaBits_;
    std::uint32_t stencilBits_;
    std::uint32_t depthBits_;
    bool floatingPointColor_;
};

}  // namespace OGL
}  // namespace VEK
