#pragma once

#include <cstddef>

namespace VEK {
namespace OGL {
namespace internal {

// The ways the current context's driver is driven, settled once per context from its extension
// manager instead of on every call: a transfer or a bind
// asks this record and makes no query and no extension lookup to pick its way.
struct DriverPaths {
    // The client attribute stack exists: the context kept what OpenGL 3.0 deprecated.
    bool clientAttribStack = false;
    // glActiveTextureARB where the driver names the extension, else glActiveTexture where the
    // version has it; neither: units cannot be selected.
    bool activeTextureARB = false;
    bool activeTextureCore = false;
    // Framebuffer entry points of OpenGL 3.0 / GL_ARB_framebuffer_object, else the EXT ones.
    bool framebufferCore = false;
    // Vertex array objects (OpenGL 3.0 or GL_ARB_vertex_array_object).
    bool vertexArrays = false;
    // Pixel pack and unpack buffer targets (GL_ARB_pixel_buffer_object).
    bool pixelBuffers = false;
    // GL_*_IMAGE_HEIGHT and GL_*_SKIP_IMAGES (OpenGL 1.2 or GL_EXT_texture3D).
    bool imageParameters = false;
    // Pack parameters that the context's extensions add, each 0 by default
    // (GL_PACK_INVERT_MESA, GL_PACK_REVERSE_ROW_ORDER_ANGLE).
    static constexpr std::size_t kMaxExtensionPack = 2;
    unsigned extensionPack[kMaxExtensionPack] = {};
    std::size_t extensionPackCount = 0;
};

// The record of the calling thread's current context, made on first use (after the context's
// first library call has registered it); a changed context registry makes it again.
const DriverPaths& CurrentDriverPaths();

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
