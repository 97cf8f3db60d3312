#include "vek/vek_ogl/extensionator/internal/TraceLine.h"

#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"

namespace VEK {
namespace OGL {
namespace internal {

void TraceLine::begin(char const* file, unsigned line, char const* call, std::size_t callSize) {
    // Without a file the line starts at ":": the stream stays good for the lines that follow.
    if (file != nullptr) {
        putText(file);
    }
    append(":", 1);
    putDecimal(static_cast<std::uint64_t>(line));
    append(": ", 2);
    append(call, callSize);
}

void TraceLine::end() {
    append(")\n", 2);
    flush();
}

void TraceLine::put(TraceKinds::Enum argument) {
    putText(VEKOGLTokenName(argument.value));
}

void TraceLine::put(TraceKinds::Bool argument) {
    putText(VEKOGLBoolToString(argument.value));
}

// The bits read as a signed integer, then the value: makeFloat(1056964608) /* 0.5 */
void TraceLine::put(TraceKinds::Float argument) {
    room(kMaxFloatChars);
    std::int32_t bits;
    std::memcpy(&bits, &argument.value, sizeof(bits));
    char* out = buffer_ + size_;
    std::memcpy(out, "makeFloat(", 10);
    out = FormatDecimal(out + 10, static_cast<std::int64_t>(bits));
    std::memcpy(out, ") /* ", 5);
    out = FormatGeneral(out + 5, static_cast<double>(argument.value));
    std::memcpy(out, " */", 3);
    size_ = static_cast<std::size_t>(out + 3 - buffer_);
}

void TraceLine::put(TraceKinds::Handle argument) {
    append("(GLhandleARB)", 13);
    putDecimal(static_cast<std::int64_t>(argument.value));
}

// The text, or the null pointer it is.
void TraceLine::put(TraceKinds::String argument) {
    if (argument.value != nullptr) {
        putText(argument.value);
    } else {
        putPointer(nullptr);
    }
}

void TraceLine::putDecimal(std::int64_t value) {
    room(kMaxNumberChars);
    size_ = static_cast<std::size_t>(FormatDecimal(buffer_ + size_, value) - buffer_);
}

void TraceLine::putDecimal(std::uint64_t value) {
    room(kMaxNumberChars);
    size_ = static_cast<std::size_t>(FormatDecimal(buffer_ + size_, value) - buffer_);
}

void TraceLine::putGeneral(double value) {
    room(kMaxNumberChars);
    size_ = static_cast<std::size_t>(FormatGeneral(buffer_ + size_, value) - buffer_);
}

void TraceLine::putPointer(const void* value) {
    room(kMaxNumberChars);
    size_ = static_cast<std::size_t>(FormatPointer(buffer_ + size_, value) - buffer_);
}

void TraceLine::appendLong(const char* text, std::size_t size) {
    while (size != 0) {
        if (size_ == kCapacity) {
            flush();
        }
        const std::size_t piece = size < kCapacity - size_ ? size : kCapacity - size_;
        std::memcpy(buffer_ + size_, text, piece);
        size_ += piece;
        text += piece;
        size -= piece;
    }
}

void TraceLine::flush() {
    stream_.write(buffer_, static_cast<std::streamsize>(size_));
    size_ = 0;
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
