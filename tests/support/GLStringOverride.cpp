#include "support/GLStringOverride.h"

#include <dlfcn.h>

#include <map>
#include <string>

namespace VEKTest {

namespace {

std::map<GLenum, std::string>& Overrides() {
    static std::map<GLenum, std::string> overrides;
    return overrides;
}

}  // namespace

void OverrideGLString(GLenum name, const char* text) {
    Overrides()[name] = text;
}

void ClearGLStringOverrides() {
    Overrides().clear();
}

}  // namespace VEKTest

extern "C" const GLubyte* glGetString(GLenum name) {
    const auto& overrides = VEKTest::Overrides();
    const auto found = overrides.find(name);
    if (found != overrides.end()) {
        return reinterpret_cast<const GLubyte*>(found->second.c_str());
    }
    using GetString = const GLubyte* (*)(GLenum);
    static const auto driver = reinterpret_cast<GetString>(dlsym(RTLD_NEXT, "glGetString"));
    return driver(name);
}
