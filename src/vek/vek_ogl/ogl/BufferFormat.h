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
        kR16F,            ///< 16-bit float red
        kR16F_D24,        ///< 16-bit float red, 24-bit depth
        kR16F_S8D24,      ///< 16-bit float red, 8-bit stencil, 24-bit depth
        kR32F,            ///< 32-bit float red
        kR32F_D24,        ///< 32-bit float red, 24-bit depth
        kR32F_S8D24,      ///< 32-bit float red, 8-bit stencil, 24-bit depth
        kRG16F,           ///< 16-bit float red and green
        kRG16F_D24,       ///< 16-bit float red and green, 24-bit depth
        kRG16F_S8D24,     ///< 16-bit float red and green, 8-bit stencil, 24-bit depth
        kRG32F,           ///< 32-bit float red and green
        kRG32F_D24,       ///< 32-bit float red and green, 24-bit depth
        kRG32F_S8D24,     ///< 32-bit float red and green, 8-bit stencil, 24-bit depth
        kRGB8,            ///< 8-bit RGB
        kRGB8_D24,        ///< 8-bit RGB, 24-bit depth
        kRGB8_S8D24,      ///< 8-bit RGB, 8-bit stencil, 24-bit depth
        kRGBA8,           ///< 8-bit RGBA
        kRGBA8_D24,       ///< 8-bit RGBA, 24-bit depth
        kRGBA8_S8D24,     ///< 8-bit RGBA, 8-bit stencil, 24-bit depth
        kRGBA16F,         ///< 16-bit float RGBA
        kRGBA16F_D24,     ///< 16-bit float RGBA, 24-bit depth
        kRGBA16F_S8D24,   ///< 16-bit float RGBA, 8-bit stencil, 24-bit depth
        kRGBA16F_2,       ///< as kRGBA16F
        kRGBA16F_D24_2,   ///< as kRGBA16F_D24
        kRGBA16F_S8D24_2  ///< as kRGBA16F_S8D24
    };

    /// The given bits per channel, stencil and depth bits, and whether colour is floating point.
    /// Throws nothing.
    BufferFormat(std::uint32_t redBits, std::uint32_t greenBits, std::uint32_t blueBits,
                 std::uint32_t alphaBits, std::uint32_t stencilBits, std::uint32_t depthBits,
                 bool floatingPointColor);
    /// The format's row of the table. Throws InternalException for a value outside the table.
    explicit BufferFormat(PredefinedFormat format);
    /// Copy constructor. Throws nothing.
    BufferFormat(const BufferFormat&) = default;
    /// Move constructor. Throws nothing.
    BufferFormat(BufferFormat&&) = default;
    /// Copy assignment. Throws nothing.
    BufferFormat& operator=(const BufferFormat&) = default;
    /// Move assignment. Throws nothing.
    BufferFormat& operator=(BufferFormat&&) = default;

    /// Bits of red. Throws nothing.
    std::uint32_t redBits() const { return redBits_; }
    /// Bits of green. Throws nothing.
    std::uint32_t greenBits() const { return greenBits_; }
    /// Bits of blue. Throws nothing.
    std::uint32_t blueBits() const { return blueBits_; }
    /// Bits of alpha. Throws nothing.
    std::uint32_t alphaBits() const { return alphaBits_; }
    /// Bits of stencil. Throws nothing.
    std::uint32_t stencilBits() const { return stencilBits_; }
    /// Bits of depth. Throws nothing.
    std::uint32_t depthBits() const { return depthBits_; }
    /// Whether the colour channels are floating point. Throws nothing.
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
