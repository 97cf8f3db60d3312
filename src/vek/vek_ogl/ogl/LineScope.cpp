#include "vek/vek_ogl/ogl/LineScope.h"

#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/internal/RestoreGuard.h"

namespace VEK {
namespace OGL {

namespace {

// Callers may pass any non-zero value for true; the state holds GL_TRUE or GL_FALSE.
GLboolean Normalised(GLboolean value) {
    return value != GL_FALSE ? GL_TRUE : GL_FALSE;
}

}  // namespace

void LineStippleState::setToCurrentGLValues() {
    VEK_GL(GetBooleanv)(GL_LINE_STIPPLE, &enabled_);
    enabled_ = Normalised(enabled_);
    if (enabled_) {
        GLint value = 0;
        VEK_GL(GetIntegerv)(GL_LINE_STIPPLE_REPEAT, &value);
        factor_ = value;
        VEK_GL(GetIntegerv)(GL_LINE_STIPPLE_PATTERN, &value);
        pattern_ = static_cast<GLushort>(value);
    }
}

TemporaryLineStippleScope::TemporaryLineStippleScope(GLboolean enable, GLint factor,
                                                     GLushort pattern) {
    saved_.setToCurrentGLValues();
    enable = Normalised(enable);
    if (enable != saved_.enabled() ||
        (saved_.enabled() && (factor != saved_.factor() || pattern != saved_.pattern()))) {
        try {
            updateCurrentState(enable, factor, pattern);
        } catch (...) {
            // The glEnable may have been made before glLineStipple failed.
            enable_ = enable;
            factor_ = factor;
            pattern_ = pattern;
            restore();
            throw;
        }
    } else {
        enable_ = enable;
        factor_ = factor;
        pattern_ = pattern;
    }
}

void TemporaryLineStippleScope::updateCurrentState(GLboolean enable, GLint factor,
                                                   GLushort pattern) {
    if (enable) {
        VEK_GL(Enable)(GL_LINE_STIPPLE);
        VEK_GL(LineStipple)(factor, pattern);
    } else {
        VEK_GL(Disable)(GL_LINE_STIPPLE);
    }
    enable_ = enable;
    factor_ = factor;
    pattern_ = pattern;
}

TemporaryLineStippleScope::~TemporaryLineStippleScope() {
    restore();
}

void TemporaryLineStippleScope::restore() noexcept {
    if (saved_.enabled() == enable_ && saved_.factor() == factor_ && saved_.pattern() == pattern_) {
        return;
    }
    // Each call on its own: one that fails does not keep the next from being made. What they
    // throw is dropped, since a destructor cannot report it.
    internal::RestoreGuard restoring;
    if (saved_.enabled()) {
        restoring([&] { VEK_GL(Enable)(GL_LINE_STIPPLE); });
        restoring([&] { VEK_GL(LineStipple)(saved_.factor(), saved_.pattern()); });
    } else {
        restoring([&] { VEK_GL(Disable)(GL_LINE_STIPPLE); });
    }
}

void LineWidthState::setToCurrentGLValues() {
    VEK_GL(GetFloatv)(GL_LINE_WIDTH, &width_);
}

TemporaryLineWidthScope::TemporaryLineWidthScope(GLfloat width) {
    saved_.setToCurrentGLValues();
    if (saved_.width() != width) {
        VEK_GL(LineWidth)(width);
    }
    width_ = width;
}

TemporaryLineWidthScope::~TemporaryLineWidthScope() {
    if (width_ != saved_.width()) {
        // A failure is dropped: a destructor cannot report it.
        internal::RestoreGuard()([&] { VEK_GL(LineWidth)(saved_.width()); });
    }
}

}  // namespace OGL
}  // namespace VEK
