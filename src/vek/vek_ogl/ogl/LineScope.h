#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {

/// Line stippling: the enable flag, and the repeat factor and pattern while it is enabled.
class VEK_EXPORT LineStippleState {
public:
    /// Stippling off, factor and pattern 0; OpenGL is not read. Throws nothing.
    LineStippleState() = default;

    /// Reads the flag of the current context, and the factor and pattern only when stippling is
    /// on (otherwise they keep their values). Throws ExceptionOGL on a GL error, InternalException
    /// without a current context.
    void setToCurrentGLValues();

    /// GL_LINE_STIPPLE, as GL_TRUE or GL_FALSE. Throws nothing.
    GLboolean enabled() const { return enabled_; }
    /// GL_LINE_STIPPLE_REPEAT. Throws nothing.
    GLint factor() const { return factor_; }
    /// GL_LINE_STIPPLE_PATTERN. Throws nothing.
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
    /// Saves the stipple state and sets the requested one. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context. A failure puts the saved state back first.
    TemporaryLineStippleScope(GLboolean enable, GLint factor, GLushort pattern);
    /// Puts the saved state back when needed. Throws nothing.
    ~TemporaryLineStippleScope();
    /// Copies the scope; the copy restores again when it goes. Throws nothing.
    TemporaryLineStippleScope(const TemporaryLineStippleScope& other) = default;
    /// Copy assignment, as the copy constructor. Throws nothing.
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
    /// Width 1; OpenGL is not read. Throws nothing.
    LineWidthState() = default;

    /// Reads GL_LINE_WIDTH of the current context. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context.
    void setToCurrentGLValues();

    /// GL_LINE_WIDTH. Throws nothing.
    GLfloat width() const { return width_; }

private:
    GLfloat width_ = 1.0f;
};

/// Sets the line width for the scope's life when it differs from the current one and puts the
/// saved width back at the end. A failure while restoring is caught and dropped.
class VEK_EXPORT TemporaryLineWidthScope {
public:
    /// Saves the line width and sets width. Throws ExceptionOGL on a GL error, InternalException
    /// without a current context.
    explicit TemporaryLineWidthScope(GLfloat width);
    /// Puts the saved width back when it differs. Throws nothing.
    ~TemporaryLineWidthScope();
    /// Copies the scope; the copy restores again when it goes. Throws nothing.
    TemporaryLineWidthScope(const TemporaryLineWidthScope& other) = default;
    /// Copy assignment, as the copy constructor. Throws nothing.
    TemporaryLineWidthScope& operator=(const TemporaryLineWidthScope& other) = default;

private:
    LineWidthState saved_;
    GLfloat width_ = 1.0f;
};

}  // namespace OGL
}  // namespace VEK
