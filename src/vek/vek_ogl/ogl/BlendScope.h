#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {

/// The fixed-function blend state: the enable flag, the four factors and the two equations.
class VEK_EXPORT BlendState {
public:
    /// Blending off, every factor GL_ONE, both equations GL_FUNC_ADD; OpenGL is not read.
    BlendState() = default;
    /// The given state; OpenGL is not read. Throws nothing.
    BlendState(GLboolean enabled, GLenum sourceRGB, GLenum destinationRGB, GLenum sourceAlpha,
               GLenum destinationAlpha, GLenum equationRGB, GLenum equationAlpha)
        : enabled_(enabled),
          destinationAlpha_(destinationAlpha),
          destinationRGB_(destinationRGB),
          sourceAlpha_(sourceAlpha),
          sourceRGB_(sourceRGB),
          equationAlpha_(equationAlpha),
          equationRGB_(equationRGB) {}

    /// Reads the state of the current context; a GL error left pending afterwards throws an
    /// InternalException "glGetError() == GL_NO_ERROR".
    void setToCurrentGLValues();

    /// GL_BLEND. Throws nothing.
    GLboolean enabled() const { return enabled_; }
    /// GL_BLEND_DST_ALPHA. Throws nothing.
    GLenum destinationAlpha() const { return destinationAlpha_; }
    /// GL_BLEND_DST_RGB. Throws nothing.
    GLenum destinationRGB() const { return destinationRGB_; }
    /// GL_BLEND_SRC_ALPHA. Throws nothing.
    GLenum sourceAlpha() const { return sourceAlpha_; }
    /// GL_BLEND_SRC_RGB. Throws nothing.
    GLenum sourceRGB() const { return sourceRGB_; }
    /// GL_BLEND_EQUATION_ALPHA. Throws nothing.
    GLenum equationAlpha() const { return equationAlpha_; }
    /// GL_BLEND_EQUATION_RGB. Throws nothing.
    GLenum equationRGB() const { return equationRGB_; }

private:
    GLboolean enabled_ = GL_FALSE;
    GLenum destinationAlpha_ = GL_ONE;
    GLenum destinationRGB_ = GL_ONE;
    GLenum sourceAlpha_ = GL_ONE;
    GLenum sourceRGB_ = GL_ONE;
    GLenum equationAlpha_ = GL_FUNC_ADD;
    GLenum equationRGB_ = GL_FUNC_ADD;
};

/// Saves the blend state at construction and, at destruction, puts back whatever differs from
/// the state the scope last read (the constructor's read for this class, so a block that
/// changes blending itself is not undone). A copy restores again when it goes.
///
/// A destructor cannot throw: a failure while restoring (a GL error reported by the interceptor
/// chain, or no current context to call through) is caught and dropped there, and the remaining
/// restoring calls are still made. Decorators on the chain see the failing call.
class VEK_EXPORT TemporaryBlendScope {
public:
    /// Reads and saves the current blend state. Throws as BlendState::setToCurrentGLValues.
    TemporaryBlendScope();
    /// Copies the saved and believed states; the copy restores again when it goes. Throws nothing.
    TemporaryBlendScope(const TemporaryBlendScope& other) = default;
    /// Copy assignment, as the copy constructor. Throws nothing.
    TemporaryBlendScope& operator=(const TemporaryBlendScope& other) = default;
    /// Puts back what differs from the saved state. Throws nothing.
    virtual ~TemporaryBlendScope();

protected:
    /// The state the scope believes OpenGL to be in. Throws nothing.
    BlendState& current() { return current_; }

private:
    BlendState saved_;
    BlendState current_;
};

/// Ordinary alpha blending (source alpha, one minus source alpha, added) for the scope's life.
class VEK_EXPORT TemporaryAlphaBlendScope : public TemporaryBlendScope {
public:
    /// Saves the blend state, then enables blending with GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA and
    /// GL_FUNC_ADD. Throws ExceptionOGL on a GL error, InternalException without a current context.
    /// A failure undoes what was set.
    TemporaryAlphaBlendScope();
    /// Copies the scope; the copy restores again when it goes. Throws nothing.
    TemporaryAlphaBlendScope(const TemporaryAlphaBlendScope& other) = default;
    /// Copy assignment, as the copy constructor. Throws nothing.
    TemporaryAlphaBlendScope& operator=(const TemporaryAlphaBlendScope& other) = default;
    /// Puts the saved blend state back. Throws nothing.
    ~TemporaryAlphaBlendScope() override;
};

}  // namespace OGL
}  // namespace VEK
