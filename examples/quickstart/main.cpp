#include <cstdint>
#include <iostream>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>

int main() {
    using namespace VEK::OGL;
    try {
        VEK::Core::AutoInitializer core;  // the core first, then the OpenGL layer
        AutoInitializer ogl;
        DisplayDeviceKey display;
        if (!Context::DisplayDevice(0, display))
            return 1;                       // no X display
        ContextOffscreen context(display);  // a hidden 8x8 window and its context
        context.makeCurrent();
        OpenGLInterceptor::Instance()->cgmViewport(__FILE__, __LINE__, 0, 0, 64, 64);
        std::vector<std::uint8_t> image(16 * 16 * 4, 200), back(image.size());
        {
            Texture2D texture(Texture::kRGBA8, 16, 16, false, nullptr, Texture::kTypeDefault);
            TextureUnit::Unit(0)->bind(&texture);  // transfers act on the bound texture
            texture.subImage(0, 0, 0, 16, 16, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                             image.data(), PixelUnpackParameters());
            texture.getPixelData(back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                                 4);
        }  // GL objects go while their context is current
        ReleaseOGLContext();
        std::cout << (back == image ? "texture round trip: ok\n" : "texture round trip: FAIL\n");
        return back == image ? 0 : 1;
    } catch (const VEK::ExceptionBase& e) {  // ExceptionOGL, InternalException, ...
        std::cerr << e << "\n";
        return 1;
    }
}
