#pragma once

#include <cstdint>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// The framebuffer a context asks for: channel, stencil and depth bits and whether colour is
/// floating point.
class VEK_EXPORT BufferFormat {
public:
    /// Predefined formats, named by colour channels and bits (F: floating point), depth (D) and
    /// stencil (S) bits; the last three repeat the three before them.
    enum PredefinedFormat {
        kR16F,            ///< 16-bit float colour.
        kR16F_D24,        ///< 16-bit float colour, depth 24.
        kR16F_S8D24,      ///< 16-bit float colour, depth 24, stencil 8.
        kR32F,            ///< 32-bit float colour.
        kR32F_D24,        ///< 32-bit float colour, depth 24.
        kR32F_S8D24,      ///< 32-bit float colour, depth 24, stencil 8.
        kRG16F,           ///< 16/16-bit float colour.
        kRG16F_D24,       ///< 16/16-bit float colour, depth 24.
        kRG16F_S8D24,     ///< 16/16-bit float colour, depth 24, stencil 8.
        kRG32F,           ///< 32/32-bit float colour.
        kRG32F_D24,       ///< 32/32-bit float colour, depth 24.
        kRG32F_S8D24,     ///< 32/32-bit float colour, depth 24, stencil 8.
        kRGB8,            ///< 8/8/8-bit colour.
        kRGB8_D24,        ///< 8/8/8-bit colour, depth 24.
        kRGB8_S8D24,      ///< 8/8/8-bit colour, depth 24, stencil 8.
        kRGBA8,           ///< 8/8/8/8-bit colour.
        kRGBA8_D24,       ///< 8/8/8/8-bit colour, depth 24.
        kRGBA8_S8D24,     ///< 8/8/8/8-bit colour, depth 24, stencil 8.
        kRGBA16F,         ///< 16/16/16/16-bit float colour.
        kRGBA16F_D24,     ///< 16/16/16/16-bit float colour, depth 24.
        kRGBA16F_S8D24,   ///< 16/16/16/16-bit float colour, depth 24, stencil 8.
        kRGBA16F_2,       ///< The same as kRGBA16F.
        kRGBA16F_D24_2,   ///< The same as kRGBA16F_D24.
        kRGBA16F_S8D24_2  ///< The same as kRGBA16F_S8D24.
    };

    /// A format of the given channel, stencil and depth bits. Throws nothing.
    BufferFormat(std::uint32_t redBits, std::uint32_t greenBits, std::uint32_t blueBits,
                 std::uint32_t alphaBits, std::uint32_t stencilBits, std::uint32_t depthBits,
                 bool floatingPointColor);
    /// The format of a table entry. Throws InternalException for a value outside the table.
    explicit BufferFormat(PredefinedFormat format);
    /// Copies every field. Throws nothing.
    BufferFormat(const BufferFormat&) = default;
    /// Copies every field. Throws nothing.
    BufferFormat(BufferFormat&&) = default;
    /// Copies every field. Throws nothing.
    BufferFormat& operator=(const BufferFormat&) = default;
    /// Copies every field. Throws nothing.
    BufferFormat& operator=(BufferFormat&&) = default;

    /// Bits of the red channel. Throws nothing.
    std::uint32_t redBits() const { return redBits_; }
    /// Bits of the green channel. Throws nothing.
    std::uint32_t greenBits() const { return greenBits_; }
    /// Bits of the blue channel. Throws nothing.
    std::uint32_t blueBits() const { return blueBits_; }
    /// Bits of the alpha channel. Throws nothing.
    std::uint32_t alphaBits() const { return alphaBits_; }
    /// Bits of the stencil buffer. Throws nothing.
    std::uint32_t stencilBits() const { return stencilBits_; }
    /// Bits of the depth buffer. Throws nothing.
    std::uint32_t depthBits() const { return depthBits_; }
    /// Whether colour is floating point. Throws nothing.
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
