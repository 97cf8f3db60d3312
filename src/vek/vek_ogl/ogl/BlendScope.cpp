#include "vek/vek_ogl/ogl/BlendScope.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

namespace VEK {
namespace OGL {

namespace {

GLenum IntegerState(OpenGLInterceptor* gl, unsigned line, GLenum name) {
    GLint value = 0;
    gl->cgmGetIntegerv(__FILE__, line, name, &value);
    return static_cast<GLenum>(value);
}

// Runs one restoring call; what it throws is dropped so that the destructor can go on.
template <class Call>
void Restore(Call call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

}  // namespace

void BlendState::setToCurrentGLValues() {
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    gl->cgmGetBooleanv(__FILE__, __LINE__, GL_BLEND, &enabled_);
    destinationAlpha_ = IntegerState(gl, __LINE__, GL_BLEND_DST_ALPHA);
    destinationRGB_ = IntegerState(gl, __LINE__, GL_BLEND_DST_RGB);
    sourceAlpha_ = IntegerState(gl, __LINE__, GL_BLEND_SRC_ALPHA);
    sourceRGB_ = IntegerState(gl, __LINE__, GL_BLEND_SRC_RGB);
    equationAlpha_ = IntegerState(gl, __LINE__, GL_BLEND_EQUATION_ALPHA);
    equationRGB_ = IntegerState(gl, __LINE__, GL_BLEND_EQUATION_RGB);
    if (gl->cgmGetError(__FILE__, __LINE__) != GL_NO_ERROR) {
        throw InternalException(__FILE__, __LINE__, "glGetError() == GL_NO_ERROR");
    }
}

TemporaryBlendScope::TemporaryBlendScope() {
    saved_.setToCurrentGLValues();
    current_ = saved_;
}

TemporaryBlendScope::~TemporaryBlendScope() {
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    if (gl == nullptr) {
        return;
    }
    const BlendState& s = saved_;
    const BlendState& c = current_;
    if (s.enabled() != c.enabled()) {
        Restore([&] {
            if (s.enabled()) {
                gl->cgmEnable(__FILE__, __LINE__, GL_BLEND);
            } else {
                gl->cgmDisable(__FILE__, __LINE__, GL_BLEND);
            }
        });
    }
    if (s.sourceRGB() != c.sourceRGB() || s.destinationRGB() != c.destinationRGB() ||
        s.sourceAlpha() != c.sourceAlpha() || s.destinationAlpha() != c.destinationAlpha()) {
        Restore([&] {
            gl->cgmBlendFuncSeparate(__FILE__, __LINE__, s.sourceRGB(), s.destinationRGB(),
                                     s.sourceAlpha(), s.destinationAlpha());
        });
    }
    if (s.equationRGB() != c.equationRGB() || s.equationAlpha() != c.equationAlpha()) {
        Restore([&] {
            gl->cgmBlendEquationSeparate(__FILE__, __LINE__, s.equationRGB(), s.equationAlpha());
        });
    }
    Restore([&] { gl->cgmGetError(__FILE__, __LINE__); });
}

TemporaryAlphaBlendScope::TemporaryAlphaBlendScope() {
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    try {
        gl->cgmEnable(__FILE__, __LINE__, GL_BLEND);
        gl->cgmBlendFunc(__FILE__, __LINE__, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        gl->cgmBlendEquation(__FILE__, __LINE__, GL_FUNC_ADD);
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
