#include <atomic>

#include <epoxy/gl.h>

#include "Peers.h"

namespace peers {

namespace {

std::atomic<long> gErrors{0};

}  // namespace

long EpoxyErrors() {
    return gErrors.load();
}

void EpoxyBindTextureGetError(long calls, unsigned target, unsigned name) {
    for (long i = 0; i < calls; ++i) {
        glBindTexture(target, name);
        if (glGetError() != GL_NO_ERROR) {
            gErrors.fetch_add(1, std::memory_order_relaxed);
        }
    }
}

void EpoxyBindBufferGetError(long calls, unsigned target, unsigned name) {
    for (long i = 0; i < calls; ++i) {
        glBindBuffer(target, name);
        if (glGetError() != GL_NO_ERROR) {
            gErrors.fetch_add(1, std::memory_order_relaxed);
        }
    }
}

}  // namespace peers
