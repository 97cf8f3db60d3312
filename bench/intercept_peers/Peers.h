#pragma once

#include <vector>

#include "support/Interleaved.h"

// Each loader's headers clash with the others' (and with <GL/gl.h>), so every contender lives in
// a source file of its own and runs a whole slice of calls there: the call into a slice costs
// every contender the same.
namespace peers {

// The peer loaders' contenders (glbinding's and libepoxy's, on the current context), appended to
// the glBindTexture and glBindBuffer lists; nothing where the build has no peers (Loaders.cpp or
// NoLoaders.cpp).
void AddLoaderContenders(std::vector<VEKBench::Contender>& textures,
                         std::vector<VEKBench::Contender>& buffers, unsigned texture,
                         unsigned buffer);
// Errors the peers' slices saw; a sound run sees none.
long LoaderErrors();

// glbinding: resolves its entry points on the current context.
void GlbindingInitialize();
// Whether the after-callback that queries glGetError runs (on every entry point but glGetError).
void GlbindingCheckErrors(bool on);
// Errors the after-callback saw; a sound run sees none.
long GlbindingErrors();
void GlbindingBindTexture(long calls, unsigned target, unsigned name);
void GlbindingBindTextureGetError(long calls, unsigned target, unsigned name);
void GlbindingBindBuffer(long calls, unsigned target, unsigned name);
void GlbindingBindBufferGetError(long calls, unsigned target, unsigned name);

// libepoxy: resolves on first use from the current context.
void EpoxyBindTextureGetError(long calls, unsigned target, unsigned name);
void EpoxyBindBufferGetError(long calls, unsigned target, unsigned name);
// Errors its slices saw; a sound run sees none.
long EpoxyErrors();

// The least a chain of the library's shape costs: a virtual operation that takes the caller's
// file and line, makes the call and throws on the error it raised, testing nothing else (no
// context, table or glBegin/glEnd state). Defined in a source of its own, so that the calls
// stay virtual.
class FloorCalls {
public:
    virtual ~FloorCalls() = default;
    virtual void bindTexture(const char* file, unsigned line, unsigned target, unsigned name) = 0;
    virtual void bindBuffer(const char* file, unsigned line, unsigned target, unsigned name) = 0;
};
// The floor for the current context; bindBuffer is its glBindBuffer, looked up by the caller.
FloorCalls& Floor(void (*bindBuffer)(unsigned, unsigned));

}  // namespace peers
