#include "vek/vek_ogl/ogl/BufferFormat.h"

#include <iterator>

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace OGL {

namespace {

struct Row {
    std::uint32_t red, green, blue, alpha, stencil, depth;
    bool floatingPoint;
};

// Indexed by PredefinedFormat.
const Row kPredefined[] = {
    {16, 0, 0, 0, 0, 0, true},    {16, 0, 0, 0, 0, 24, true},    {16, 0, 0, 0, 8, 24, true},
    {32, 0, 0, 0, 0, 0, true},    {32, 0, 0, 0, 0, 24, true},    {32, 0, 0, 0, 8, 24, true},
    {16, 16, 0, 0, 0, 0, true},   {16, 16, 0, 0, 0, 24, true},   {16, 16, 0, 0, 8, 24, true},
    {32, 32, 0, 0, 0, 0, true},   {32, 32, 0, 0, 0, 24, true},   {32, 32, 0, 0, 8, 24, true},
    {8, 8, 8, 0, 0, 0, false},    {8, 8, 8, 0, 0, 24, false},    {8, 8, 8, 0, 8, 24, false},
    {8, 8, 8, 8, 0, 0, false},    {8, 8, 8, 8, 0, 24, false},    {8, 8, 8, 8, 8, 24, false},
    {16, 16, 16, 16, 0, 0, true}, {16, 16, 16, 16, 0, 24, true}, {16, 16, 16, 16, 8, 24, true},
    {16, 16, 16, 16, 0, 0, true}, {16, 16, 16, 16, 0, 24, true}, {16, 16, 16, 16, 8, 24, true},
};

const Row& RowOf(BufferFormat::PredefinedFormat format) {
    const auto index = static_cast<unsigned>(format);
    if (index >= std::size(kPredefined)) {
        VEK_THROW_INTERNAL("Trying to construct an buffer-format not recognized by this method");
    }
    return kPredefined[index];
}

}  // namespace

BufferFormat::BufferFormat(std::uint32_t redBits, std::uint32_t greenBits, std::uint32_t blueBits,
                           std::uint32_t alphaBits, std::uint32_t stencilBits,
                           std::uint32_t depthBits, bool floatingPointColor)
    : redBits_(redBits),
      greenBits_(greenBits),
      blueBits_(blueBits),
      alphaBits_(alphaBits),
      stencilBits_(stencilBits),
      depthBits_(depthBits),
      floatingPointColor_(floatingPointColor) {}

BufferFormat::BufferFormat(PredefinedFormat format)
    : BufferFormat(RowOf(format).red, RowOf(format).green, RowOf(format).blue, RowOf(format).alpha,
                   RowOf(format).stencil, RowOf(format).depth, RowOf(format).floatingPoint) {}

}  // namespace OGL
}  // namespace VEK
