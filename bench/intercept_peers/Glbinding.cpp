#include <atomic>
#include <set>
#include <string>

#include <glbinding/Binding.h>
#include <glbinding/callbacks.h>
#include <glbinding/gl/gl.h>

#include "Peers.h"

namespace peers {

namespace {

std::atomic<long> gErrors{0};

}  // namespace

void GlbindingInitialize() {
    glbinding::Binding::initialize();
    glbinding::setAfterCallback([](const glbinding::FunctionCall&) {
        if (gl::glGetError() != gl::GL_NO_ERROR) {
            gErrors.fetch_add(1, std::memory_order_relaxed);
        }
    });
    GlbindingCheckErrors(false);
}

void GlbindingCheckErrors(bool on) {
    if (on) {
        glbinding::setCallbackMaskExcept(glbinding::CallbackMask::After, {"glGetError"});
    } else {
        glbinding::setCallbackMask(glbinding::CallbackMask::None);
    }
}

long GlbindingErrors() {
    return gErrors.load();
}

void GlbindingBindTexture(long calls, unsigned target, unsigned name) {
    for (long i = 0; i < calls; ++i) {
        gl::glBindTexture(static_cast<gl::GLenum>(target), name);
    }
}

void GlbindingBindTextureGetError(long calls, unsigned target, unsigned name) {
    for (long i = 0; i < calls; ++i) {
        gl::glBindTexture(static_cast<gl::GLenum>(target), name);
        if (gl::glGetError() != gl::GL_NO_ERROR) {
            gErrors.fetch_add(1, std::memory_order_relaxed);
        }
    }
}

void GlbindingBindBuffer(long calls, unsigned target, unsigned name) {
    for (long i = 0; i < calls; ++i) {
        gl::glBindBuffer(static_cast<gl::GLenum>(target), name);
    }
}

void GlbindingBindBufferGetError(long calls, unsigned target, unsigned name) {
    for (long i = 0; i < calls; ++i) {
        gl::glBindBuffer(static_cast<gl::GLenum>(target), name);
        if (gl::glGetError() != gl::GL_NO_ERROR) {
            gErrors.fetch_add(1, std::memory_order_relaxed);
        }
    }
}

}  // namespace peers
