// A picture rendered by OpenGL, inverted by an OpenCL kernel and shown again. Where the OpenCL
// device offers sharing with OpenGL (cl_khr_gl_sharing), the kernel works on the textures
// themselves; where it does not (PoCL, for one), VEK refuses the sharing calls with an
// exception and the program falls back to reading the picture back and uploading the result.
// The pixels on the screen are checked either way.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/ExceptionBase.h>
#include <vek/core/math/region_2d/IntegerRect.h>
#include <vek/platform/System.h>
#include <vek/vek_ocl/CommandQueue.h>
#include <vek/vek_ocl/ExceptionOCL.h>
#include <vek/vek_ocl/LibraryOCL.h>
#include <vek/vek_ocl/Platform.h>
#include <vek/vek_ocl/Program.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/ogl/BufferFormat.h>
#include <vek/vek_ogl/ogl/ContextWindowed.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture2.h>

namespace OCL = VEK::OCL;
namespace OGL = VEK::OGL;

namespace {

const unsigned kSize = 64;

const char* const kInvert = R"(
const sampler_t pixels = CLK_NORMALIZED_COORDS_FALSE | CLK_ADDRESS_NONE | CLK_FILTER_NEAREST;
__kernel void invert(__read_only image2d_t source, __write_only image2d_t result) {
    const int2 at = (int2)(get_global_id(0), get_global_id(1));
    const float4 colour = read_imagef(source, pixels, at);
    write_imagef(result, at, (float4)(1.0f - colour.xyz, colour.w));
}
)";

int gFailures = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what);
    gFailures += ok ? 0 : 1;
}

bool Near(const GLubyte* pixel, int r, int g, int b) {
    return std::abs(pixel[0] - r) < 2 && std::abs(pixel[1] - g) < 2 && std::abs(pixel[2] - b) < 2;
}

LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// Four coloured quadrants, rendered by OpenGL into the back buffer.
void RenderPicture() {
    glViewport(0, 0, kSize, kSize);
    glClearColor(0.f, 0.f, 0.f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3ub(255, 0, 0);
    glRectf(-1.f, -1.f, 0.f, 0.f);
    glColor3ub(0, 255, 0);
    glRectf(0.f, -1.f, 1.f, 0.f);
    glColor3ub(0, 0, 255);
    glRectf(-1.f, 0.f, 0.f, 1.f);
    glColor3ub(255, 255, 255);
    glRectf(0.f, 0.f, 1.f, 1.f);
    glColor3ub(255, 255, 255);
}

// The texture drawn over the whole window.
void Show(const OGL::Texture2D& texture) {
    glClearColor(0.5f, 0.5f, 0.5f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0.f, 0.f);
    glVertex2f(-1.f, -1.f);
    glTexCoord2f(1.f, 0.f);
    glVertex2f(1.f, -1.f);
    glTexCoord2f(1.f, 1.f);
    glVertex2f(1.f, 1.f);
    glTexCoord2f(0.f, 1.f);
    glVertex2f(-1.f, 1.f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glFinish();
}

// The kernel on the textures themselves: the OpenCL context shares the OpenGL context, the
// textures are acquired for the kernel and handed back. Throws ExceptionOCL
// (CL_INVALID_OPERATION) at the first sharing call when the device does not offer sharing.
void InvertShared(const OGL::ContextWindowed& window, const OCL::Platform& platform,
                  const OCL::Device& device, const OGL::Texture2D& source,
                  const OGL::Texture2D& result) {
    OCL::ContextProperties properties(platform);
    properties.setSharedRenderContext(window.renderContext());
    properties.setDisplayContext(window.deviceContext());
    OCL::Context context(properties, device);
    OCL::CommandQueue queue(context, device);
    OCL::Image2D in(context, OCL::Memory::ReadOnly, source, 0);
    OCL::Image2D out(context, OCL::Memory::WriteOnly, result, 0);

    OCL::Program program(context, kInvert);
    program.build("");
    OCL::Kernel kernel = program.kernel("invert");
    kernel.setArg(0, in);
    kernel.setArg(1, out);

    glFinish();  // OpenGL is done with the textures before OpenCL takes them
    const std::vector<OCL::Memory> shared = {in, out};
    const OCL::Event acquired = queue.enqueueAcquireGLObjects(shared);
    const OCL::Event inverted = queue.enqueueKernel(
        kernel, OCL::Range<2>(kSize, kSize), OCL::Range<2>(0, 0), OCL::Range<2>(0, 0), {acquired});
    queue.enqueueReleaseGLObjects(shared, {inverted}).wait();
}

// The same kernel on copies: the picture is read back from OpenGL, the result read back from
// OpenCL and uploaded into the result texture. Works with any OpenCL device with images.
void InvertByCopy(const OCL::Platform& platform, const OCL::Device& device, OGL::Texture2D& source,
                  OGL::Texture2D& result) {
    std::vector<GLubyte> pixels(kSize * kSize * 4);
    glBindTexture(GL_TEXTURE_2D, source.objectID());
    source.getPixelData(pixels.data(), 0, OGL::Texture::kFormatRGBA,
                        OGL::Texture::kTypeUnsignedByte, 4);

    OCL::Context context(OCL::ContextProperties(platform), device);
    OCL::CommandQueue queue(context, device);
    const cl_image_format rgba8 = {CL_RGBA, CL_UNORM_INT8};
    OCL::Image2D in(context, OCL::Memory::ReadOnly, false, rgba8, kSize, kSize, 0, pixels.data());
    OCL::Image2D out(context, OCL::Memory::WriteOnly, false, rgba8, kSize, kSize, 0);

    OCL::Program program(context, kInvert);
    program.build("");
    OCL::Kernel kernel = program.kernel("invert");
    kernel.setArg(0, in);
    kernel.setArg(1, out);
    const OCL::Event inverted = queue.enqueueKernel(kernel, OCL::Range<2>(kSize, kSize),
                                                    OCL::Range<2>(0, 0), OCL::Range<2>(0, 0));
    const VEK::IntegerRect whole(VEK::int2(0, 0), VEK::size2(kSize, kSize));
    queue.enqueueBlockingRead(out, whole, pixels.data(), 0, {inverted});

    glBindTexture(GL_TEXTURE_2D, result.objectID());
    result.subImage(0, 0, 0, kSize, kSize, OGL::Texture::kFormatRGBA,
                    OGL::Texture::kTypeUnsignedByte, pixels.data(), OGL::PixelUnpackParameters());
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Run(HWND hwnd) {
    OGL::ContextWindowed window(hwnd, OGL::BufferFormat(OGL::BufferFormat::kRGBA8_D24),
                                OGL::Context::kDoubleBuffered, OGL::Context::kNoMultisampling);
    window.makeCurrent();

    // OpenGL renders the picture and copies it into a texture.
    RenderPicture();
    OGL::Texture2D source(OGL::Texture::kRGBA8, kSize, kSize, false, nullptr,
                          OGL::Texture::kTypeDefault);
    OGL::Texture2D result(OGL::Texture::kRGBA8, kSize, kSize, false, nullptr,
                          OGL::Texture::kTypeDefault);
    glBindTexture(GL_TEXTURE_2D, source.objectID());
    source.setFilter(OGL::Texture::kFilterNearest, OGL::Texture::kFilterNearest);
    source.copyTexSubImage(0, 0, 0, 0, 0, kSize, kSize);
    glBindTexture(GL_TEXTURE_2D, result.objectID());
    result.setFilter(OGL::Texture::kFilterNearest, OGL::Texture::kFilterNearest);
    glBindTexture(GL_TEXTURE_2D, 0);

    if (!OCL::Library::IsOpenCLAvailable("")) {
        Check(false, "an OpenCL loader with a platform");
        return;
    }
    OCL::Library::InitializeIfNecessary();
    {
        const OCL::Platform platform = OCL::platforms().front();
        const OCL::Device device = platform.devices(OCL::Device::DEVICE_TYPE_ALL).front();
        std::printf("      OpenCL device %s\n", device.name().c_str());
        try {
            InvertShared(window, platform, device, source, result);
            std::printf("      the kernel worked on the OpenGL textures\n");
        } catch (const OCL::ExceptionOCL& e) {
            // A device without sharing is refused before the runtime is asked.
            std::printf("      no sharing (%s: %s); reading back and uploading\n", e.what(),
                        e.message());
            Check(e.errorNumber() == static_cast<std::uint32_t>(CL_INVALID_OPERATION),
                  "sharing refused with CL_INVALID_OPERATION");
            InvertByCopy(platform, device, source, result);
        }
    }
    OCL::Library::Terminate();

    // OpenGL shows the result: every quadrant in its inverse colour.
    Show(result);
    GLubyte pixel[4][4] = {};
    glReadPixels(16, 16, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel[0]);
    glReadPixels(48, 16, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel[1]);
    glReadPixels(16, 48, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel[2]);
    glReadPixels(48, 48, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel[3]);
    Check(Near(pixel[0], 0, 255, 255), "red became cyan");
    Check(Near(pixel[1], 255, 0, 255), "green became magenta");
    Check(Near(pixel[2], 255, 255, 0), "blue became yellow");
    Check(Near(pixel[3], 0, 0, 0), "white became black");
    window.swapBuffers();
}

}  // namespace

int main() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = "GLComputeWindow";
    RegisterClassExA(&windowClass);
    RECT frame = {0, 0, static_cast<LONG>(kSize), static_cast<LONG>(kSize)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND hwnd = CreateWindowExA(0, "GLComputeWindow", "VEK: OpenGL and OpenCL",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        std::printf("no window: error %u (is an X server running?)\n", GetLastError());
        return EXIT_FAILURE;
    }
    try {
        VEK::Core::AutoInitializer core;
        VEK::OGL::AutoInitializer ogl;
        Run(hwnd);
    } catch (const VEK::ExceptionBase& e) {
        std::cerr << "VEK: " << e << "\n";
        ++gFailures;
    }
    DestroyWindow(hwnd);
    UnregisterClassA("GLComputeWindow", GetModuleHandleW(nullptr));
    return gFailures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
