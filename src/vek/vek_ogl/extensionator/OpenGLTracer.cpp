#include "vek/vek_ogl/extensionator/OpenGLTracer.h"

#include <charconv>

namespace VEK {
namespace OGL {

OpenGLTracer::~OpenGLTracer() = default;

void OpenGLTracer::writeDecimal(std::int64_t value) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof(digits), value);
    stream_->write(digits, end.ptr - digits);
}

}  // namespace OGL
}  // namespace VEK
