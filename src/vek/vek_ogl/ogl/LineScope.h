#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {

/// Line stippling: the enable flag, and the repeat factor and pattern while it is enabled.
class VEK_EXPORT LineStippleState {
public:
    LineStippleState() = default;

    /// Reads the flag of the current context, and the factor and pattern only when stippling is
    /// on (otherwise they keep their values).
    void setToCurrentGLValues();

    GLboolean enabled() const { return enabled_; }
    GLint factor() const { return factor_; }
    GLushort pattern() const { return pattern_; }

private:
    GLboolean enabled_ = GL_FALSE;
    GLint factor_ = 0;
    GLushort pattern_ = 0;
};

/// Sets line stippling for the scope's life, calling OpenGL only where the request differs from
/// the state found; the destructor puts the saved state back unless nothing was requested that
/// differs from it. Needs a compatibility context.
///
/// A failure while restoring (a GL error reported by the interceptor chain, or no current
/// context) is caught and dropped in the destructor, which cannot throw.
class VEK_EXPORT TemporaryLineStippleScope {
public:
    TemporaryLineStippleScope(GLboolean enable, GLint factor, GLushort pattern);
    ~TemporaryLineStippleScope();
    TemporaryLineStippleScope(const TemporaryLineStippleScope& other) = default;
    TemporaryLineStippleScope& operator=(const TemporaryLineStippleScope& other) = default;

private:
    void updateCurrentState(GLboolean enable, GLint factor, GLushort pattern);
    void restore() noexcept;

    LineStippleState saved_;
    GLboolean enable_ = GL_FALSE;
    GLint factor_ = 0;
    GLushort pattern_ = 0;
};

/// The line width.
class VEK_EXPORT LineWidthState {
public:
    LineWidthState() = default;

    void setToCurrentGLValues();

    GLfloat width() const { return width_; }

private:
    GLfloat width_ = 1.0f;
};

/// Sets the line width for the scope's life when it differs from the current one and puts the
/// saved width back at the end. A failure while restoring is caught and dropped.
class VEK_EXPORT TemporaryLineWidthScope {
public:
    explicit TemporaryLineWidthScope(GLfloat width);
    ~TemporaryLineWidthScope();
    TemporaryLineWidthScope(const TemporaryLineWidthScope& other) = default;
    TemporaryLineWidthScope& operator=(const TemporaryLineWidthScope& other) = default;

private:
    LineWidthState saved_;
    GLfloat width_ = 1.0f;
};

}  // namespace OGL
}  // namespace VEK
