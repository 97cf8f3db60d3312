#include "vek/vek_ogl/ogl/LineScope.h"

#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

namespace VEK {
namespace OGL {

namespace {

// Callers may pass any non-zero value for true; the state holds GL_TRUE or GL_FALSE.
GLboolean Normalised(GLboolean value) {
    return value != GL_FALSE ? GL_TRUE : GL_FALSE;
}

}  // namespace

void LineStippleState::setToCurrentGLValues() {
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    gl->cgmGetBooleanv(__FILE__, __LINE__, GL_LINE_STIPPLE, &enabled_);
    enabled_ = Normalised(enabled_);
    if (enabled_) {
        GLint value = 0;
        gl->cgmGetIntegerv(__FILE__, __LINE__, GL_LINE_STIPPLE_REPEAT, &value);
        factor_ = value;
        gl->cgmGetIntegerv(__FILE__, __LINE__, GL_LINE_STIPPLE_PATTERN, &value);
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
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    if (enable) {
        gl->cgmEnable(__FILE__, __LINE__, GL_LINE_STIPPLE);
        gl->cgmLineStipple(__FILE__, __LINE__, factor, pattern);
    } else {
        gl->cgmDisable(__FILE__, __LINE__, GL_LINE_STIPPLE);
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
    OpenGLInterceptor* gl = nullptr;
    try {
        gl = OpenGLInterceptor::Instance();
    } catch (...) {
        return;
    }
    if (gl == nullptr) {
        return;
    }
    // Each call on its own: one that fails does not keep the next from being made. What they
    // throw is dropped, since a destructor cannot report it.
    if (saved_.enabled()) {
        try {
            gl->cgmEnable(__FILE__, __LINE__, GL_LINE_STIPPLE);
        } catch (...) {
        }
        try {
            gl->cgmLineStipple(__FILE__, __LINE__, saved_.factor(), saved_.pattern());
        } catch (...) {
        }
    } else {
        try {
            gl->cgmDisable(__FILE__, __LINE__, GL_LINE_STIPPLE);
        } catch (...) {
        }
    }
}

void LineWidthState::setToCurrentGLValues() {
    OpenGLInterceptor::Instance()->cgmGetFloatv(__FILE__, __LINE__, GL_LINE_WIDTH, &width_);
}

TemporaryLineWidthScope::TemporaryLineWidthScope(GLfloat width) {
    saved_.setToCurrentGLValues();
    if (saved_.width() != width) {
        OpenGLInterceptor::Instance()->cgmLineWidth(__FILE__, __LINE__, width);
    }
    width_ = width;
}

TemporaryLineWidthScope::~TemporaryLineWidthScope() {
    if (width_ != saved_.width()) {
        try {
            OpenGLInterceptor::Instance()->cgmLineWidth(__FILE__, __LINE__, saved_.width());
        } catch (...) {
            // Dropped: a destructor cannot report it.
        }
    }
}

}  // namespace OGL
}  // namespace VEK
