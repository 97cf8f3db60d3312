// Renders off-screen into a texture through a framebuffer object, under an alpha-blending scope,
// reads the texture back and checks its pixels, then asks the extension manager whether the
// driver filters float and half-float textures linearly.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/ExceptionBase.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/ogl/BlendScope.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/Framebuffer.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/TextureState.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>

using namespace VEK::OGL;

namespace {

int gFailures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what.c_str());
    gFailures += ok ? 0 : 1;
}

void Run() {
    DisplayDeviceKey display;
    Check(Context::DisplayDevice(0, display), "a display with a desktop");
    ContextOffscreen context(display);
    context.makeCurrent();
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    Check(Framebuffer::IsSupported(), "framebuffer objects");

    const int width = 64, height = 32;
    Texture2D picture(Texture::kRGBA8, width, height, false, nullptr, Texture::kTypeDefault);
    {
        Framebuffer framebuffer;
        framebuffer.bind();
        framebuffer.attach(&picture, 0, 0);  // level 0 at colour attachment 0
        unsigned status = 0;
        Check(framebuffer.statusOkay(&status), "the framebuffer is complete");

        gl->cgmViewport(__FILE__, __LINE__, 0, 0, width, height);
        gl->cgmClearColor(__FILE__, __LINE__, 0.f, 0.f, 1.f, 1.f);
        gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);
        {
            // Half-transparent red over the blue, blended only inside this block.
            TemporaryAlphaBlendScope blending;
            gl->cgmColor4f(__FILE__, __LINE__, 1.f, 0.f, 0.f, 0.5f);
            gl->cgmRectf(__FILE__, __LINE__, -1.f, -1.f, 1.f, 1.f);
        }
        GLboolean blend = GL_TRUE;
        gl->cgmGetBooleanv(__FILE__, __LINE__, GL_BLEND, &blend);
        Check(blend == GL_FALSE, "blending is off again after the scope");
        framebuffer.unbind();
    }

    // Read the texture back through texture unit 0.
    TextureState::SetActiveTextureUnit(0);
    TextureUnit::Unit(0)->bind(&picture);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
    picture.getPixelData(pixels.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    TextureUnit::Unit(0)->bind2DDefault();
    const unsigned char* centre =
        &pixels[(static_cast<std::size_t>(height / 2) * width + width / 2) * 4];
    std::printf("      centre pixel (%d, %d, %d, %d)\n", centre[0], centre[1], centre[2],
                centre[3]);
    Check(centre[0] >= 127 && centre[0] <= 128 && centre[1] == 0 && centre[2] >= 127 &&
              centre[2] <= 128,
          "the texture holds red blended half over blue");

    // Each probe renders its small test once for this context's manager.
    ExtensionManager* manager = ExtensionManager::Instance();
    const bool floats = manager->supportsFloatFiltering();
    const bool halves = manager->supportsHalfFiltering();
    std::printf("      linear filtering: float textures %s, half-float textures %s\n",
                floats ? "yes" : "no", halves ? "yes" : "no");
    Check(Context::CurrentContext() == context.renderContext(),
          "the probes left this context current");
    ReleaseOGLContext();
}

}  // namespace

int main() {
    try {
        VEK::Core::AutoInitializer core;
        AutoInitializer ogl;
        Run();
    } catch (const VEK::ExceptionBase& e) {
        std::ostringstream text;
        text << e;
        std::printf("FAIL: %s\n", text.str().c_str());
        ++gFailures;
    }
    std::printf("%d failure(s)\n", gFailures);
    return gFailures == 0 ? 0 : 1;
}
