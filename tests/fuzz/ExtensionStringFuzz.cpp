// The extension manager's reading of a driver's OpenGL and WGL extension strings, on a real
// context whose extension texts are scripted: the OpenGL text through glGetString (with a 2.1
// version, so that the one string is read) and the WGL text through a window-system decorator
// that hands out its own wglGetExtensionsStringARB. The OpenGL names must be exactly the runs of
// characters between blanks, in order; the WGL names kept must be, in order, among the runs of
// the WGL text that name a known WGL extension. Needs an X display.
#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/wgl/WGLCallObserver.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "support/GLStringOverride.h"
#include "support/GLTestContext.h"

using namespace VEK::OGL;

namespace {

std::string gWglText;

const char* ScriptedWglExtensions(HDC) {
    return gWglText.c_str();
}

// Answers the lookup of wglGetExtensionsStringARB with the scripted text's function.
class ScriptedWglString : public WGLCallObserver {
public:
    PROC wcgmGetProcAddress(char const* file, unsigned line, char const* name) override {
        if (name != nullptr && std::strcmp(name, "wglGetExtensionsStringARB") == 0) {
            // Through void (*)(), the type every function pointer may pass through.
            return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(&ScriptedWglExtensions));
        }
        return WGLCallObserver::wcgmGetProcAddress(file, line, name);
    }

protected:
    void observe(char const*, unsigned, char const*) override {}
};

// The runs of characters other than the blank, written from the rule.
std::vector<std::string> Runs(const std::string& text) {
    std::vector<std::string> runs;
    std::string current;
    for (char c : text) {
        if (c == ' ') {
            if (!current.empty())
                runs.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty())
        runs.push_back(current);
    return runs;
}

// Made once by the fuzzer and kept until the process ends.
std::unique_ptr<VEKTest::GLTestContext> gContext;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    gContext = std::make_unique<VEKTest::GLTestContext>();
    if (gContext->context() == nullptr) {
        std::fprintf(stderr, "no X display with OpenGL\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VEKFuzz::Input in(data, size);
    const std::string glText = in.text(4096);
    gWglText = in.rest();
    gWglText = gWglText.substr(0, gWglText.find('\0'));

    VEKTest::OverrideGLString(GL_VERSION, "2.1 Scripted");
    VEKTest::OverrideGLString(GL_EXTENSIONS, glText.c_str());
    ScriptedWglString wgl;
    {
        VEK::Core::AutoInitializer core;
        AutoInitializer ogl;
        ExtensionManager::addWGLInterceptor(&wgl);
        ExtensionManager::CurrentTable();
        const ExtensionManager* manager = ExtensionManager::Instance();
        VEK_FUZZ_CHECK(manager != nullptr, "no manager for the current context");
        const std::vector<std::string>& names = manager->supportedExtensionNames();
        const std::vector<std::string> glRuns = Runs(glText);
        VEK_FUZZ_CHECK(names.size() >= glRuns.size() &&
                           std::equal(glRuns.begin(), glRuns.end(), names.begin()),
                       "the OpenGL names are not the runs of \"" + glText + "\"");
        std::size_t next = 0;
        const std::vector<std::string> wglRuns = Runs(gWglText);
        for (std::size_t i = glRuns.size(); i < names.size(); ++i) {
            VEK_FUZZ_CHECK(ExtensionManager::nameToEnumWGL(names[i].c_str()) != OGLEXT_UNKNOWN,
                           "kept an unknown WGL name " + names[i]);
            while (next < wglRuns.size() && wglRuns[next] != names[i])
                ++next;
            VEK_FUZZ_CHECK(next < wglRuns.size(),
                           "WGL name " + names[i] + " is not in order in \"" + gWglText + "\"");
            ++next;
        }
        VEK_FUZZ_CHECK(ExtensionManager::popWGLInterceptor() == &wgl, "the chain lost its head");
    }
    VEKTest::ClearGLStringOverrides();
    return 0;
}
