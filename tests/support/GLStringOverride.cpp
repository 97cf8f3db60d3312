#include "support/GLStringOverride.h"

#include <dlfcn.h>

#include <map>
#include <set>
#include <string>

namespace VEKTest {

namespace {

std::map<GLenum, std::string>& Overrides() {
    static std::map<GLenum, std::string> overrides;
    return overrides;
}

std::set<GLenum>& Refused() {
    static std::set<GLenum> refused;
    return refused;
}

}  // namespace

void OverrideGLString(GLenum name, const char* text) {
    Overrides()[name] = text;
}

void RefuseGLString(GLenum name) {
    Refused().insert(name);
}

void ClearGLStringOverrides() {
    Overrides().clear();
    Refused().clear();
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
    // 0 names no string: the driver itself answers null and raises the error.
    return driver(VEKTest::Refused().count(name) != 0 ? 0 : name);
}
