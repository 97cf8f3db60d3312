#pragma once

#include <iostream>

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"

namespace VEK {
namespace OGL {

class ExceptionOGL;

/// A decorator that writes one line per OpenGL call to a stream and forwards the call:
///   file:line: glBindTexture(GL_TEXTURE_2D, 5)
/// The line is written before the call is made, so a call that throws is traced too. Enumerants
/// are written by name, floats as makeFloat(bits) /* value */, input names as text, and every
/// other pointer as its value: the tracer never reads an output buffer or past an array.
/// Numbers are written in the stream's default formats whatever the stream's flags and locale,
/// and each line reaches the stream in one write (without a flush of its own), so that lines
/// from several threads do not mix within a line on a stream that keeps whole writes together.
///
/// When a call fails with an ExceptionOGL that carries the driver's words, they follow the
/// call's line on a line of their own before the exception goes on:
///   file:line: glEnable(Unknown Token)
///       driver: GL_INVALID_ENUM in glEnable(0x1234)
/// (on by default; setDriverMessages(false) leaves the trace to the calls alone).
class VEK_EXPORT OpenGLTracer : public OpenGLInterceptorDecorator {
public:
    /// Traces to stream, which must outlive the tracer; next as for every decorator. Throws
    /// nothing.
    explicit OpenGLTracer(std::ostream& stream = std::cout, OpenGLInterceptor* next = nullptr)
        : OpenGLInterceptorDecorator(next), stream_(&stream) {}
    ~OpenGLTracer() override;

#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) Return cgm##Name Params override;
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"

    /// Whether the driver's words of a failing call are traced too (default true). Throws nothing.
    bool driverMessages() const {
        return driverMessages_;
    }
    /// Sets driverMessages(). Throws nothing.
    void setDriverMessages(bool on) {
        driverMessages_ = on;
    }

private:
    void writeDriverMessage(ExceptionOGL const& error) const;

    std::ostream* stream_;
    bool driverMessages_ = true;
};

}  // namespace OGL
}  // namespace VEK
