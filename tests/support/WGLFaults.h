#pragma once

#include <string>
#include <vector>

#include <vek/vek_ogl/extensionator/wgl/WGLCallObserver.h>

namespace VEKTest {

// A WGL decorator that counts the calls which can fail (context creation, including the
// extended entry point it hands out in place of the driver's, make-current, sharing, deletion,
// entry-point look-up), makes the one numbered failAt (from 1) answer its failure value, and
// records every call and every rendering context created. Push it before the first extension
// manager is made so that the manager's creation entry point is the recording one.
class WGLFaults : public VEK::OGL::WGLCallObserver {
public:
    WGLFaults();
    ~WGLFaults() override;

    struct Call {
        std::string file;  // base name of the calling source
        std::string function;
    };

    int failAt = 0;  // 0: nothing fails
    int failable = 0;
    // "file: function" of the call made to fail, empty when none was; a release is recorded as
    // "wglMakeCurrent(null)".
    std::string failed;
    std::vector<Call> calls;
    // Every context handed out by the creation calls, deleted or not.
    std::vector<HGLRC> created;

    // Calls of function from the source file with this base name.
    int count(const std::string& file, const std::string& function) const;

    HGLRC wcgmCreateContext(char const* file, unsigned line, HDC deviceContext) override;
    int wcgmDeleteContext(char const* file, unsigned line, HGLRC context) override;
    PROC wcgmGetProcAddress(char const* file, unsigned line, char const* name) override;
    int wcgmMakeCurrent(char const* file, unsigned line, HDC deviceContext, HGLRC context) override;
    int wcgmShareLists(char const* file, unsigned line, HGLRC first, HGLRC second) override;

protected:
    void observe(char const* file, unsigned line, char const* function) override;

private:
    static HGLRC CreateContextAttribs(HDC deviceContext, HGLRC share, const int* attributes);
    bool failNow();

    static WGLFaults* sActive_;
};

}  // namespace VEKTest
