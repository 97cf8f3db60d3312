#pragma once

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTypes.h>

#include "support/GLTestContext.h"

namespace VEKTest {

// The core, the OpenGL layer and a current context with its extension manager, in that order.
class ResourceTest : public ::testing::Test {
protected:
    explicit ResourceTest(const GLTestContext::Options& options = GLTestContext::Options())
        : context_(options) {
        VEK::OGL::ExtensionManager::CurrentTable();
    }

    VEK::Core::AutoInitializer core_;
    VEK::OGL::AutoInitializer ogl_;
    GLTestContext context_;
};

// Every pack and unpack pixel-store parameter, read straight from the driver.
inline std::vector<GLint> PixelStoreState() {
    const GLenum parameters[] = {
        GL_PACK_SWAP_BYTES,    GL_PACK_LSB_FIRST,   GL_PACK_ROW_LENGTH,    GL_PACK_IMAGE_HEIGHT,
        GL_PACK_SKIP_PIXELS,   GL_PACK_SKIP_ROWS,   GL_PACK_SKIP_IMAGES,   GL_PACK_ALIGNMENT,
        GL_UNPACK_SWAP_BYTES,  GL_UNPACK_LSB_FIRST, GL_UNPACK_ROW_LENGTH,  GL_UNPACK_IMAGE_HEIGHT,
        GL_UNPACK_SKIP_PIXELS, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_IMAGES, GL_UNPACK_ALIGNMENT,
    };
    std::vector<GLint> values;
    for (GLenum parameter : parameters) {
        GLint value = -1;
        glGetIntegerv(parameter, &value);
        values.push_back(value);
    }
    return values;
}

// A pixel-store state no transfer would choose, so that a transfer that forgot to restore it,
// or that let it move its pixels, shows.
inline void SetUnusualPixelStore() {
    glPixelStorei(GL_PACK_ALIGNMENT, 2);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_PACK_ROW_LENGTH, 37);
    glPixelStorei(GL_PACK_SKIP_ROWS, 1);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 2);
    glPixelStorei(GL_PACK_IMAGE_HEIGHT, 9);
    glPixelStorei(GL_PACK_SKIP_IMAGES, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 41);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 3);
    glPixelStorei(GL_UNPACK_IMAGE_HEIGHT, 6);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
    glPixelStorei(GL_PACK_LSB_FIRST, GL_TRUE);
}

// OpenGL's defaults, but rows aligned to one byte: what the tests' own plain transfers use.
inline void SetTightPixelStore() {
    for (GLenum parameter :
         {GL_PACK_SWAP_BYTES, GL_PACK_LSB_FIRST, GL_PACK_ROW_LENGTH, GL_PACK_IMAGE_HEIGHT,
          GL_PACK_SKIP_PIXELS, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_IMAGES, GL_UNPACK_SWAP_BYTES,
          GL_UNPACK_LSB_FIRST, GL_UNPACK_ROW_LENGTH, GL_UNPACK_IMAGE_HEIGHT, GL_UNPACK_SKIP_PIXELS,
          GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_IMAGES}) {
        glPixelStorei(parameter, 0);
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

inline GLint Bound(GLenum bindingQuery) {
    GLint name = -1;
    glGetIntegerv(bindingQuery, &name);
    return name;
}

inline GLint ClientAttribStackDepth() {
    GLint depth = -1;
    glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &depth);
    return depth;
}

}  // namespace VEKTest
