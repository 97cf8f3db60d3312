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

#include "vek/vek_ogl/extensionator/generated/OpenGLOverrideOperations.inc"

private:
    // The line number is decimal whatever base the stream is set to.
    void beginLine(char const* file, unsigned line, char const* call) {
        *stream_ << file << ':';
        writeDecimal(line);
        *stream_ << ": " << call;
    }
    void endLine() {
        *stream_ << ")\n";
    }
    void writeSeparator() {
        *stream_ << ", ";
    }

    void writeEnum(GLenum value) {
        *stream_ << VEKOGLTokenName(value);
    }
    void writeBool(GLboolean value) {
        *stream_ << VEKOGLBoolToString(value);
    }
    template <class Number>
    void writeNumber(Number value) {
        *stream_ << value;
    }
    void writeChar(GLbyte value) {
        *stream_ << static_cast<char>(value);
    }
    void writeChar(GLubyte value) {
        *stream_ << static_cast<char>(value);
    }
    void writeFloat(GLfloat value) {
        std::int32_t bits;
        std::memcpy(&bits, &value, sizeof(bits));
        *stream_ << "makeFloat(";
        writeDecimal(bits);
        *stream_ << ") /* " << value << " */";
    }
    void writeHandle(GLhandleARB handle) {
        *stream_ << "(GLhandleARB)";
        writeDecimal(static_cast<std::int64_t>(handle));
    }
    // An input name: its text, or the null pointer it is.
    void writeString(const char* text) {
        if (text != nullptr) {
            *stream_ << text;
        } else {
            *stream_ << static_cast<const void*>(text);
        }
    }
    template <class T>
    void writePointer(T* pointer) {
        *stream_ << static_cast<const void*>(pointer);
    }

    // Decimal digits without touching the stream's format flags (and without allocating).
    void writeDecimal(std::int64_t value);

    std::ostream* stream_;
};

}  // namespace OGL
}  // namespace VEK
