#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <type_traits>

#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/NumberFormat.h"

namespace VEK {
namespace OGL {
namespace internal {

// How the tracer writes an argument, one kind per OpenGL parameter type; each generated row
// names the kind of each of its arguments.
namespace TraceKinds {

struct Enum {
    explicit Enum(GLenum v) : value(v) {}
    GLenum value;
};
struct Bool {
    explicit Bool(GLboolean v) : value(v) {}
    GLboolean value;
};
template <class T>
struct Number {
    explicit Number(T v) : value(v) {}
    T value;
};
struct Char {
    explicit Char(GLbyte v) : value(static_cast<char>(v)) {}
    explicit Char(GLubyte v) : value(static_cast<char>(v)) {}
    char value;
};
struct Float {
    explicit Float(GLfloat v) : value(v) {}
    GLfloat value;
};
struct Handle {
    explicit Handle(GLhandleARB v) : value(v) {}
    GLhandleARB value;
};
// An input name.
struct String {
    explicit String(const GLchar* v) : value(v) {}
    const GLchar* value;
};
template <class T>
struct Pointer {
    explicit Pointer(T* v) : value(v) {}
    T* value;
};

}  // namespace TraceKinds

// One traced line, "file:line: glName(arguments)\n", put together in a buffer on the caller's
// stack and written to the stream in one piece: no heap, no stream formatting, nothing shared
// between threads. A line longer than the buffer goes out in pieces.
class TraceLine {
public:
    template <std::size_t N>
    TraceLine(std::ostream& stream, char const* file, unsigned line, const char (&call)[N])
        : stream_(stream) {
        begin(file, line, call, N - 1);
    }
    TraceLine(const TraceLine&) = delete;
    TraceLine& operator=(const TraceLine&) = delete;

    // The arguments separated by ", ", then ")\n"; writes the line.
    template <class... Kinds>
    void write(Kinds... arguments) {
        bool first = true;
        (put(arguments, first), ...);
        static_cast<void>(first);  // unused by calls without arguments
        end();
    }

private:
    static constexpr std::size_t kCapacity = 512;
    // makeFloat(-2147483648) /* ... */ with room for the value.
    static constexpr std::size_t kMaxFloatChars = 10 + 11 + 5 + kMaxNumberChars + 3;
    static_assert(kMaxFloatChars <= kCapacity, "a float's text fits in an empty buffer");

    template <class Kind>
    void put(Kind argument, bool& first) {
        if (!first) {
            append(", ", 2);
        }
        first = false;
        put(argument);
    }

    void put(TraceKinds::Enum argument);
    void put(TraceKinds::Bool argument);
    template <class T>
    void put(TraceKinds::Number<T> argument) {
        if constexpr (std::is_floating_point<T>::value) {
            putGeneral(argument.value);
        } else if constexpr (std::is_signed<T>::value) {
            putDecimal(static_cast<std::int64_t>(argument.value));
        } else {
            putDecimal(static_cast<std::uint64_t>(argument.value));
        }
    }
    void put(TraceKinds::Char argument) {
        room(1);
        buffer_[size_++] = argument.value;
    }
    void put(TraceKinds::Float argument);
    void put(TraceKinds::Handle argument);
    void put(TraceKinds::String argument);
    template <class T>
    void put(TraceKinds::Pointer<T> argument) {
        putPointer(static_cast<const void*>(argument.value));
    }

    void begin(char const* file, unsigned line, char const* call, std::size_t callSize);
    void end();
    void putDecimal(std::int64_t value);
    void putDecimal(std::uint64_t value);
    void putGeneral(double value);
    void putPointer(const void* value);
    void putText(const char* text) { append(text, std::strlen(text)); }

    void append(const char* text, std::size_t size) {
        if (size <= kCapacity - size_) {
            std::memcpy(buffer_ + size_, text, size);
            size_ += size;
        } else {
            appendLong(text, size);
        }
    }
    void appendLong(const char* text, std::size_t size);
    // At least size (at most kCapacity) free bytes at buffer_ + size_.
    void room(std::size_t size) {
        if (kCapacity - size_ < size) {
            flush();
        }
    }
    void flush();

    std::ostream& stream_;
    std::size_t size_ = 0;
    char buffer_[kCapacity];
};

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
