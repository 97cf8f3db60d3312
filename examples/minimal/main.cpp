// The smallest complete OpenGL program: a context made current, a checked call, a GL error
// caught with the line that made it.
#include <iostream>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>

int main() {
    using namespace VEK::OGL;
    try {
        VEK::Core::AutoInitializer core;  // the core first, then the OpenGL layer
        AutoInitializer ogl;

        DisplayDeviceKey display;  // the first display attached to the desktop
        if (!Context::DisplayDevice(0, display)) {
            std::cerr << "no display\n";
            return 1;
        }
        ContextOffscreen context(display);  // a hidden window of its own
        context.makeCurrent();

        // Every call goes through the chain with its file and line; the error checker at its
        // end makes the call and throws on a GL error.
        OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
        gl->cgmClearColor(__FILE__, __LINE__, 0.f, 0.f, 1.f, 1.f);
        gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
        GLubyte pixel[4] = {};
        gl->cgmReadPixels(__FILE__, __LINE__, 0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        std::cout << "cleared to blue: " << (pixel[2] == 255 ? "yes" : "no") << "\n";

        try {
            gl->cgmEnable(__FILE__, __LINE__, 0xFFFF);  // not a capability: GL_INVALID_ENUM
            std::cerr << "no error thrown\n";
            return 1;
        } catch (const ExceptionOGL& e) {
            // what() gives the kind; operator<< adds the file, line and message. The context is
            // the library's, so where the driver offers GL_KHR_debug its own words follow the
            // error's text (on Mesa: "invalid enumerant (GL_INVALID_ENUM in glEnable(0xffff))");
            // driverMessage() gives them alone, empty where the driver logs none.
            std::cout << "caught " << e.what() << ": " << e << "\n";
            std::cout << "the driver says: " << e.driverMessage() << "\n";
            if (e.errorNumber() != GL_INVALID_ENUM) {
                return 1;
            }
        }
        ReleaseOGLContext();  // no context current when the layer stops
        return pixel[2] == 255 ? 0 : 1;
    } catch (const VEK::ExceptionBase& e) {
        std::cerr << e << "\n";
        return 1;
    }
}
