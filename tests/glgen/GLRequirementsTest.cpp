#include <gtest/gtest.h>

#include <set>
#include <string>

#include <vek/platform/GLRequirements.h>

namespace {

std::set<std::string> ExtensionsOf(const VEK::Platform::GLCommandRequirement& r) {
    std::set<std::string> names;
    for (const unsigned short* i = r.extensions; *i != 0xFFFF; ++i) {
        const char* name = VEK::Platform::GLExtensionName(*i);
        EXPECT_NE(name, nullptr);
        names.insert(name ? name : "");
    }
    return names;
}

}  // namespace

TEST(GLRequirements, VersionsRemovalsAndExtensionsFromTheRegistry) {
    using VEK::Platform::FindGLCommandRequirement;
    const auto* bindBuffer = FindGLCommandRequirement("glBindBuffer");
    ASSERT_NE(bindBuffer, nullptr);
    EXPECT_EQ(bindBuffer->version, 15);
    EXPECT_EQ(bindBuffer->coreRemoved, 0);

    const auto* begin = FindGLCommandRequirement("glBegin");
    ASSERT_NE(begin, nullptr);
    EXPECT_EQ(begin->version, 10);
    EXPECT_EQ(begin->coreRemoved, 32);

    const auto* bindBufferARB = FindGLCommandRequirement("glBindBufferARB");
    ASSERT_NE(bindBufferARB, nullptr);
    EXPECT_EQ(bindBufferARB->version, 0);
    EXPECT_EQ(ExtensionsOf(*bindBufferARB), std::set<std::string>{"GL_ARB_vertex_buffer_object"});

    // Promoted entry points keep both their version and the extensions that brought them.
    const auto* bindFramebuffer = FindGLCommandRequirement("glBindFramebuffer");
    ASSERT_NE(bindFramebuffer, nullptr);
    EXPECT_EQ(bindFramebuffer->version, 30);
    EXPECT_EQ(ExtensionsOf(*bindFramebuffer).count("GL_ARB_framebuffer_object"), 1u);

    // Only desktop OpenGL counts: an ES-only extension never appears.
    for (std::size_t i = 0; i < VEK::Platform::GLExtensionCount(); ++i) {
        EXPECT_STRNE(VEK::Platform::GLExtensionName(static_cast<unsigned short>(i)),
                     "GL_OES_mapbuffer");
    }
    EXPECT_EQ(VEK::Platform::GLExtensionName(0xFFFE), nullptr);

    // Unknown to the registry, or no name at all.
    EXPECT_EQ(FindGLCommandRequirement("glFlushRenderAPPLE"), nullptr);
    EXPECT_EQ(FindGLCommandRequirement("glNoSuchThing"), nullptr);
    EXPECT_EQ(FindGLCommandRequirement(""), nullptr);
    EXPECT_EQ(FindGLCommandRequirement(nullptr), nullptr);
    // Lookups at both ends of the sorted table.
    EXPECT_NE(FindGLCommandRequirement("glAccum"), nullptr);
    EXPECT_NE(FindGLCommandRequirement("glWindowPos4svMESA"), nullptr);
}
