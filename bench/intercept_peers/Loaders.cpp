#include <GL/gl.h>

#include "Peers.h"

namespace peers {

void AddLoaderContenders(std::vector<VEKBench::Contender>& textures,
                         std::vector<VEKBench::Contender>& buffers, unsigned texture,
                         unsigned buffer) {
    GlbindingInitialize();
    const auto checks = [](bool on) { GlbindingCheckErrors(on); };
    textures.push_back(VEKBench::MakeContender(
        "glbinding after-callback",
        [texture](long n) { GlbindingBindTexture(n, GL_TEXTURE_2D, texture); }, checks));
    textures.push_back(VEKBench::MakeContender("glbinding + glGetError", [texture](long n) {
        GlbindingBindTextureGetError(n, GL_TEXTURE_2D, texture);
    }));
    textures.push_back(VEKBench::MakeContender("epoxy + glGetError", [texture](long n) {
        EpoxyBindTextureGetError(n, GL_TEXTURE_2D, texture);
    }));
    buffers.push_back(VEKBench::MakeContender(
        "glbinding after-callback",
        [buffer](long n) { GlbindingBindBuffer(n, GL_ARRAY_BUFFER, buffer); }, checks));
    buffers.push_back(VEKBench::MakeContender("glbinding + glGetError", [buffer](long n) {
        GlbindingBindBufferGetError(n, GL_ARRAY_BUFFER, buffer);
    }));
    buffers.push_back(VEKBench::MakeContender("epoxy + glGetError", [buffer](long n) {
        EpoxyBindBufferGetError(n, GL_ARRAY_BUFFER, buffer);
    }));
}

long LoaderErrors() {
    return GlbindingErrors() + EpoxyErrors();
}

}  // namespace peers
