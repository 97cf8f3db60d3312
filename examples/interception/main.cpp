// Every OpenGL call of the library passes through one chain with its caller's file and line.
// This program puts its own decorator and a tracer in front of the error checker, draws, provokes
// a GL error, and checks what each of them saw.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>

using namespace VEK::OGL;

namespace {

int gFailures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what.c_str());
    gFailures += ok ? 0 : 1;
}

// Our own decorator: remembers every call it sees.
struct CallLog : OpenGLCallObserver {
    std::vector<std::string> calls;
    void observe(char const* file, unsigned line, char const* entryPoint) override {
        calls.push_back(std::string(entryPoint) + " at " + file + ":" + std::to_string(line));
    }
};

std::string At(unsigned line) {
    return std::string(" at ") + __FILE__ + ":" + std::to_string(line);
}

void Run() {
    DisplayDeviceKey display;
    Check(Context::DisplayDevice(0, display), "a display with a desktop");
    ContextOffscreen context(display);
    context.makeCurrent();

    ExtensionManager* manager = ExtensionManager::Instance(&context);
    Check(manager != nullptr && manager->isSupported(OGLEXT_VERSION_2_0), "OpenGL 2.0 or later");

    CallLog log;
    std::ostringstream trace;
    OpenGLTracer tracer(trace);
    manager->addInterceptor(&log);     // checker <- log
    manager->addInterceptor(&tracer);  // checker <- log <- tracer

    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    const unsigned first = __LINE__ + 1;
    gl->cgmClearColor(__FILE__, __LINE__, 0.f, 0.5f, 0.f, 1.f);
    gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {};
    gl->cgmReadPixels(__FILE__, __LINE__, 0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    unsigned errorLine = 0;
    try {
        errorLine = __LINE__ + 1;
        gl->cgmEnable(__FILE__, __LINE__, 0xFFFF);  // not a capability: GL_INVALID_ENUM
        Check(false, "the GL error was thrown");
    } catch (const ExceptionOGL& e) {
        Check(e.errorNumber() == GL_INVALID_ENUM, "GL_INVALID_ENUM caught as ExceptionOGL");
        Check(std::string(e.file()) == __FILE__ && e.line() == static_cast<int>(errorLine),
              "the exception names the calling line");
        std::printf("      %s\n",
                    [&] {
                        std::ostringstream text;
                        text << e;
                        return text.str();
                    }()
                        .c_str());
    }
    Check(manager->popInterceptor() == &tracer && manager->popInterceptor() == &log,
          "decorators popped in stack order");
    Check(pixel[1] == 128 || pixel[1] == 127, "the clear colour read back");

    const std::vector<std::string> expected = {
        "glClearColor" + At(first), "glClear" + At(first + 1), "glReadPixels" + At(first + 3),
        "glEnable" + At(errorLine)};
    Check(log.calls == expected, "our decorator saw every call with its file and line");
    std::istringstream lines(trace.str());
    std::vector<std::string> traced;
    for (std::string line; std::getline(lines, line);) {
        std::printf("      trace: %s\n", line.c_str());
        traced.push_back(line);
    }
    // Under the failing call's line, the driver's words where it logs them (GL_KHR_debug).
    const bool driverWords = traced.size() == 5 && traced[4].rfind("    driver: ", 0) == 0;
    Check((traced.size() == 4 || driverWords) && traced[1] == std::string(__FILE__) + ":" +
                                                                  std::to_string(first + 1) +
                                                                  ": glClear(16384)",
          "the tracer wrote one line per call, the failing one included");
    ReleaseOGLContext();
}

}  // namespace

int main() {
    try {
        VEK::Core::AutoInitializer core;
        AutoInitializer ogl;
        Run();
    } catch (const VEK::ExceptionBase& e) {
        std::printf("FAIL: %s\n",
                    [&] {
                        std::ostringstream text;
                        text << e;
                        return text.str();
                    }()
                        .c_str());
        ++gFailures;
    }
    std::printf("%d failure(s)\n", gFailures);
    return gFailures == 0 ? 0 : 1;
}
