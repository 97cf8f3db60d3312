#pragma once

#include <string>

#include <gtest/gtest.h>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>

#include "support/GLTestContext.h"

namespace VEKTest {

// The core and the OpenGL layer, for tests that make their own contexts.
struct GLLibraries {
    VEK::Core::AutoInitializer core;
    VEK::OGL::AutoInitializer ogl;
};

// The core, the OpenGL layer and a current context: a core-profile 3.3 one, or the driver's
// compatibility context (made by wglCreateContext).
struct GLLayer {
    VEK::Core::AutoInitializer core;
    VEK::OGL::AutoInitializer ogl;
    GLTestContext context;

    explicit GLLayer(bool coreProfile) : context(Options(coreProfile)) {}

    static GLTestContext::Options Options(bool coreProfile) {
        GLTestContext::Options options;
        if (coreProfile) {
            options.major = 3;
            options.minor = 3;
            options.core = true;
        }
        return options;
    }
    // Names parameterised tests' instances by their context.
    static std::string Name(const ::testing::TestParamInfo<bool>& coreProfile) {
        return coreProfile.param ? "Core33" : "Compatibility";
    }
};

// The driver's entry points, called directly: what tests check the library against.
inline const VEK::OGL::FunctionTable& RawGL() {
    return VEK::OGL::ExtensionManager::CurrentTable();
}

}  // namespace VEKTest
