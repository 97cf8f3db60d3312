#pragma once

#include <cstdint>
#include <cstring>
#include <iostream>

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"

namespace VEK {
namespace OGL {

// A decorator that writes one line per OpenGL call to a stream and forwards the call:
//   file:line: glBindTexture(GL_TEXTURE_2D, 5)
// The line is written before the call is made, so a call that throws is traced too. Enumerants
// are written by name, floats as makeFloat(bits) /* value */, input names as text, and every
// other pointer as its value: the tracer never reads an output buffer or past an array.
class VEK_EXPORT OpenGLTracer : public OpenGLInterceptorDecorator {
public:
    explicit OpenGLTracer(std::ostream& stream = std::cout, OpenGLInterceptor* next = nullptr)
        : OpenGLInterceptorDecorator(next), stream_(&stream) {}
    ~OpenGLTracer() override;

#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) Return cgm##Name Params override;
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"

private:
    // How an argument is written, one kind per OpenGL parameter type; each generated row names
    // the kind of each of its arguments.
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

    // A line is "file:line: glName(" (the call), the arguments separated by ", ", and ")\n".
    // The line number is decimal whatever base the stream is set to.
    void beginLine(char const* file, unsigned line, char const* call) {
        *stream_ << file << ':';
        writeDecimal(line);
        *stream_ << ": " << call;
    }
    void endLine() {
        *stream_ << ")\n";
    }
    void writeArguments() {}
    template <class First, class... Rest>
    void writeArguments(First first, Rest... rest) {
        write(first);
        if constexpr (sizeof...(rest) != 0) {
            *stream_ << ", ";
            writeArguments(rest...);
        }
    }

    void write(Enum argument) {
        *stream_ << VEKOGLTokenName(argument.value);
    }
    void write(Bool argument) {
        *stream_ << VEKOGLBoolToString(argument.value);
    }
    template <class T>
    void write(Number<T> argument) {
        *stream_ << argument.value;
    }
    void write(Char argument) {
        *stream_ << argument.value;
    }
    void write(Float argument) {
        std::int32_t bits;
        std::memcpy(&bits, &argument.value, sizeof(bits));
        *stream_ << "makeFloat(";
        writeDecimal(bits);
        *stream_ << ") /* " << argument.value << " */";
    }
    void write(Handle argument) {
        *stream_ << "(GLhandleARB)";
        writeDecimal(static_cast<std::int64_t>(argument.value));
    }
    // The text, or the null pointer it is.
    void write(String argument) {
        if (argument.value != nullptr) {
            *stream_ << argument.value;
        } else {
            *stream_ << static_cast<const void*>(argument.value);
        }
    }
    template <class T>
    void write(Pointer<T> argument) {
        *stream_ << static_cast<const void*>(argument.value);
    }

    // Decimal digits without touching the stream's format flags (and without allocating).
    void writeDecimal(std::int64_t value);

    std::ostream* stream_;
};

}  // namespace OGL
}  // namespace VEK
