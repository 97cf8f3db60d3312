#include "vek/vek_ogl/ogl/BlendScope.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/internal/RestoreGuard.h"

namespace VEK {
namespace OGL {

namespace {

GLenum IntegerState(unsigned line, GLenum name) {
    GLint value = 0;
    VEK_GL_AT(GetIntegerv, __FILE__, line)(name, &value);
    return static_cast<GLenum>(value);
}

}  // namespace

void BlendState::setToCurrentGLValues() {
    VEK_GL(GetBooleanv)(GL_BLEND, &enabled_);
    destinationAlpha_ = IntegerState(__LINE__, GL_BLEND_DST_ALPHA);
    destinationRGB_ = IntegerState(__LINE__, GL_BLEND_DST_RGB);
    sourceAlpha_ = IntegerState(__LINE__, GL_BLEND_SRC_ALPHA);
    sourceRGB_ = IntegerState(__LINE__, GL_BLEND_SRC_RGB);
    equationAlpha_ = IntegerState(__LINE__, GL_BLEND_EQUATION_ALPHA);
    equationRGB_ = IntegerState(__LINE__, GL_BLEND_EQUATION_RGB);
    if (VEK_GL(GetError)() != GL_NO_ERROR) {
        VEK_THROW_INTERNAL("glGetError() == GL_NO_ERROR");
    }
}

TemporaryBlendScope::TemporaryBlendScope() {
    saved_.setToCurrentGLValues();
    current_ = saved_;
}

TemporaryBlendScope::~TemporaryBlendScope() {
    // Every call is made even when one before it failed; the failures are dropped.
    internal::RestoreGuard restoring;
    const BlendState& s = saved_;
    const BlendState& c = current_;
    if (s.enabled() != c.enabled()) {
        restoring([&] {
            if (s.enabled()) {
                VEK_GL(Enable)(GL_BLEND);
            } else {
                VEK_GL(Disable)(GL_BLEND);
            }
        });
    }
    if (s.sourceRGB() != c.sourceRGB() || s.destinationRGB() != c.destinationRGB() ||
        s.sourceAlpha() != c.sourceAlpha() || s.destinationAlpha() != c.destinationAlpha()) {
        restoring([&] {
            VEK_GL(BlendFuncSeparate)
            (s.sourceRGB(), s.destinationRGB(), s.sourceAlpha(), s.destinationAlpha());
        });
    }
    if (s.equationRGB() != c.equationRGB() || s.equationAlpha() != c.equationAlpha()) {
        restoring([&] { VEK_GL(BlendEquationSeparate)(s.equationRGB(), s.equationAlpha()); });
    }
    restoring([&] { VEK_GL(GetError)(); });
}

TemporaryAlphaBlendScope::TemporaryAlphaBlendScope() {
    try {
        VEK_GL(Enable)(GL_BLEND);
        VEK_GL(BlendFunc)(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        VEK_GL(BlendEquation)(GL_FUNC_ADD);
        current().setToCurrentGLValues();
    } catch (...) {
        // The base destructor restores on the way out, but only what differs from current:
        // assume every change was made, so that a partly applied one is undone too.
        current() = BlendState(GL_TRUE, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA,
                               GL_ONE_MINUS_SRC_ALPHA, GL_FUNC_ADD, GL_FUNC_ADD);
        throw;
    }
}

TemporaryAlphaBlendScope::~TemporaryAlphaBlendScope() = default;

}  // namespace OGL
}  // namespace VEK
