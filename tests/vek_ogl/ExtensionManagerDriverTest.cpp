// The extension manager against what the driver itself reports, on llvmpipe and on the other
// drivers Mesa's overrides make of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>

#include "support/GLTestContext.h"

using namespace VEK::OGL;

namespace {

std::vector<std::string> DriverExtensions() {
    std::vector<std::string> names;
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    const auto getStringi = ExtensionManager::CurrentTable().glGetStringi;
    for (GLint i = 0; i < count; ++i) {
        names.push_back(
            reinterpret_cast<const char*>(getStringi(GL_EXTENSIONS, static_cast<GLuint>(i))));
    }
    return names;
}

// The core, the OpenGL layer and a current context, in that order.
struct LayerOnContext {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    VEKTest::GLTestContext context;
};

ExtensionManager* ManagerOfCurrentContext() {
    ExtensionManager::CurrentTable();
    return ExtensionManager::Instance();
}

void ExpectVersions(const ExtensionManager& m, OpenGLExtension highest) {
    for (int v = OGLEXT_VERSION_1_2; v <= OGLEXT_VERSION_4_1; ++v) {
        const auto version = static_cast<OpenGLExtension>(v);
        if (version == OGLEXT_VERSION_1_2_1) {
            EXPECT_FALSE(m.isSupported(version));  // never inserted by the ladder
            continue;
        }
        EXPECT_EQ(m.isSupported(version), v <= highest) << OpenGLExtensionName(version);
    }
}

// The version enumerator of the version the library keeps for the driver's.
OpenGLExtension VersionKeptFor(const VEKTest::DriverReport& driver) {
    std::string name = "GL_VERSION_" + driver.keptVersion();
    name[12] = '_';
    for (int v = OGLEXT_VERSION_1_2; v <= OGLEXT_VERSION_4_1; ++v) {
        if (name == OpenGLExtensionName(static_cast<OpenGLExtension>(v))) {
            return static_cast<OpenGLExtension>(v);
        }
    }
    ADD_FAILURE() << "no version enumerator named " << name;
    return OGLEXT_VERSION_1_2;
}

}  // namespace

TEST(ExtensionManagerDriver, LlvmpipeAnswersAsTheDriverReports) {
    LayerOnContext layer;
    ExtensionManager* m = ManagerOfCurrentContext();
    ASSERT_NE(m, nullptr);
    const VEKTest::DriverReport report = VEKTest::CurrentDriverReport();
    ExpectVersions(*m, VersionKeptFor(report));
    EXPECT_NE(std::string(reinterpret_cast<const char*>(glGetString(GL_VERSION))).find("Mesa"),
              std::string::npos);
    EXPECT_EQ(m->vendor(), ExtensionManager::VENDOR_OTHER);  // "Mesa" names none of the four

    // The driver's extensions come first, in its order; the window-system ones follow.
    const std::vector<std::string> driver = DriverExtensions();
    const std::vector<std::string>& names = m->supportedExtensionNames();
    ASSERT_GT(names.size(), driver.size());
    EXPECT_TRUE(std::equal(driver.begin(), driver.end(), names.begin()));
    for (std::size_t i = driver.size(); i < names.size(); ++i) {
        EXPECT_EQ(names[i].rfind("WGL_", 0), 0u) << names[i];
    }
    EXPECT_TRUE(m->isSupported(OGLEXT_WGL_ARB_pixel_format));
    EXPECT_TRUE(m->isSupported(OGLEXT_WGL_ARB_create_context));
    EXPECT_TRUE(m->supportsPixelBuffers());
    EXPECT_FALSE(m->supportsRenderToTexture());  // X has no render-to-pbuffer-texture
    EXPECT_TRUE(m->supportsClampToEdge());
    EXPECT_TRUE(m->supportsTexture3D());
    EXPECT_TRUE(m->supportsMultiTexture());
    EXPECT_TRUE(m->supportsDrawBuffers());
    EXPECT_TRUE(m->supportsFloatingPointTextures());
    EXPECT_TRUE(m->supports16BitFloat());
    GLint units = 0;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &units);
    EXPECT_EQ(m->numberOfTextureUnits(), units);

    // The dump, exactly.
    std::ostringstream expected;
    expected << "ExtensionManager for context version " << report.keptVersion() << "\n"
             << "                        glsl version " << m->glslMajorVersion() << "."
             << m->glslMinorVersion() << "\n"
             << "Supported extensions:\n";
    for (const std::string& name : names) {
        expected << "    " << name << "\n";
    }
    std::ostringstream dump;
    dump << *m;
    EXPECT_EQ(dump.str(), expected.str());
    EXPECT_EQ(m->glslMajorVersion(), report.glslMajor);
    EXPECT_EQ(m->glslMinorVersion(), report.glslMinor);
}

TEST(ExtensionManagerDriver, DumpIsDecimalWhateverTheStreamBase) {
    LayerOnContext layer;
    const ExtensionManager* manager = ManagerOfCurrentContext();
    ASSERT_NE(manager, nullptr);
    std::ostringstream decimal;
    decimal << *manager;
    std::ostringstream hex;
    hex << std::hex << *manager;
    EXPECT_EQ(hex.str(), decimal.str());
    // The driver's shading language version in decimal (llvmpipe's 4.50 would be 4.32 in
    // hexadecimal, softpipe's 3.30 3.1e).
    const VEKTest::DriverReport driver = VEKTest::CurrentDriverReport();
    EXPECT_NE(
        hex.str().find("                        glsl version " + std::to_string(driver.glslMajor) +
                       "." + std::to_string(driver.glslMinor) + "\n"),
        std::string::npos)
        << hex.str();
}

TEST(ExtensionManagerDriver, MesaVersionOverride33) {
    setenv("MESA_GL_VERSION_OVERRIDE", "3.3COMPAT", 1);
    LayerOnContext layer;
    ExtensionManager* m = ManagerOfCurrentContext();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->majorVersion(), 3u);
    EXPECT_EQ(m->minorVersion(), 3u);
    ExpectVersions(*m, OGLEXT_VERSION_3_3);
    EXPECT_TRUE(m->isSupported(OGLEXT_ARB_sampler_objects));  // initialised by the 3.3 rung
    const std::vector<std::string> driver = DriverExtensions();
    EXPECT_TRUE(std::equal(driver.begin(), driver.end(), m->supportedExtensionNames().begin()));
}

TEST(ExtensionManagerDriver, MesaVersionOverride30ForwardCompatibleLeavesRemovedOut) {
    // A forward-compatible 3.0 says so in its flags; it has no profile to ask for.
    setenv("MESA_GL_VERSION_OVERRIDE", "3.0FC", 1);
    LayerOnContext layer;
    ExtensionManager* m = ManagerOfCurrentContext();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->majorVersion(), 3u);
    EXPECT_EQ(m->minorVersion(), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(m->table().glClientActiveTexture, nullptr);
    EXPECT_NE(m->table().glActiveTexture, nullptr);
    EXPECT_TRUE(m->isSupported(OGLEXT_VERSION_3_0));
}

TEST(ExtensionManagerDriver, MesaVersionOverride21ReadsTheExtensionString) {
    setenv("MESA_GL_VERSION_OVERRIDE", "2.1", 1);
    LayerOnContext layer;
    ExtensionManager* m = ManagerOfCurrentContext();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->majorVersion(), 2u);
    EXPECT_EQ(m->minorVersion(), 1u);
    ExpectVersions(*m, OGLEXT_VERSION_2_1);
    std::istringstream words(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)));
    std::vector<std::string> driver;
    for (std::string word; words >> word;) {
        driver.push_back(word);
    }
    ASSERT_FALSE(driver.empty());
    EXPECT_TRUE(std::equal(driver.begin(), driver.end(), m->supportedExtensionNames().begin()));
    EXPECT_TRUE(m->supportsNonPowerOfTwoTextures());
}

TEST(ExtensionManagerDriver, NonPowerOfTwoWithoutTheExtensionBelowTwo) {
    setenv("MESA_GL_VERSION_OVERRIDE", "1.5", 1);
    setenv("MESA_EXTENSION_OVERRIDE", "-GL_ARB_texture_non_power_of_two", 1);
    LayerOnContext layer;
    ExtensionManager* m = ManagerOfCurrentContext();
    ASSERT_NE(m, nullptr);
    ExpectVersions(*m, OGLEXT_VERSION_1_5);
    EXPECT_FALSE(m->isSupported(OGLEXT_ARB_texture_non_power_of_two));
    EXPECT_FALSE(m->supportsNonPowerOfTwoTextures());
}

TEST(ExtensionManagerDriver, TwoThreadsTwoContexts) {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    std::vector<ExtensionManager*> managers(2, nullptr);
    std::vector<const FunctionTable*> tables(2, nullptr);
    std::vector<std::string> failures(2);
    auto work = [&](int index) {
        try {
            VEKTest::GLTestContext context;
            for (int i = 0; i < 200; ++i) {
                const FunctionTable* table = &ExtensionManager::CurrentTable();
                ExtensionManager* manager = ExtensionManager::Instance();
                if (manager == nullptr || &manager->table() != table ||
                    (tables[index] != nullptr && tables[index] != table)) {
                    failures[index] = "inconsistent answer";
                    return;
                }
                tables[index] = table;
                managers[index] = manager;
                OpenGLInterceptor::Instance()->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER,
                                                             0);
            }
        } catch (const std::exception& e) {
            failures[index] = e.what();
        }
    };
    OpenGLInterceptor::Instance();  // the chain is made before the threads share it
    std::thread first(work, 0);
    std::thread second(work, 1);
    first.join();
    second.join();
    EXPECT_EQ(failures[0], "");
    EXPECT_EQ(failures[1], "");
    EXPECT_NE(managers[0], managers[1]);  // one manager per context
    EXPECT_NE(tables[0], tables[1]);
}

TEST(ExtensionManagerDriver, ScopedInitOptionsNest) {
    ExtensionManager::InitOptions outer;
    outer.setThrowOnNullContext(false);
    ExtensionManager::InitOptions inner;
    inner.setFlushOnMakeCurrentMacOnly(false);
    inner.setOpenGLProfile(static_cast<OpenGLProfile>(7));
    EXPECT_TRUE(ExtensionManager::CurrentInitOptions().throwOnNullContext());
    {
        ExtensionManager::ScopedInitOptions first(outer);
        EXPECT_FALSE(ExtensionManager::CurrentInitOptions().throwOnNullContext());
        {
            ExtensionManager::ScopedInitOptions second(inner);
            EXPECT_TRUE(ExtensionManager::CurrentInitOptions().throwOnNullContext());
            EXPECT_FALSE(ExtensionManager::CurrentInitOptions().flushOnMakeCurrentMacOnly());
            EXPECT_EQ(ExtensionManager::CurrentInitOptions().openGLProfile(), 7);
        }
        EXPECT_FALSE(ExtensionManager::CurrentInitOptions().throwOnNullContext());
        EXPECT_TRUE(ExtensionManager::CurrentInitOptions().flushOnMakeCurrentMacOnly());
    }
    EXPECT_TRUE(ExtensionManager::CurrentInitOptions().throwOnNullContext());
    EXPECT_EQ(ExtensionManager::CurrentInitOptions().openGLProfile(), 0);
}
