// Uploads an image into each texture class, reads it back into memory and through a pixel pack
// buffer, and compares. Returns non-zero when anything differs.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture1.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>
#include <vek/vek_ogl/ogl/TextureState.h>
#include <vek/vek_ogl/ogl/TextureUnit.h>

using namespace VEK::OGL;

namespace {

int gFailures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what.c_str());
    gFailures += ok ? 0 : 1;
}

std::vector<std::uint8_t> Image(std::size_t bytes) {
    std::vector<std::uint8_t> image(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return image;
}

// The bytes a pack buffer received.
std::vector<std::uint8_t> Contents(Buffer& buffer) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(buffer.size()));
    buffer.bind();  // getSubData acts on the buffer bound to its target
    buffer.getSubData(0, buffer.size(), bytes.data());
    Buffer::BindDefaultPackBuffer();
    return bytes;
}

void Run() {
    DisplayDeviceKey display;
    Check(Context::DisplayDevice(0, display), "a display with a desktop");
    ContextOffscreen context(display);
    context.makeCurrent();

    const PixelUnpackParameters tight;  // rows packed to one byte
    const auto RGBA = Texture::kFormatRGBA;
    const auto UB = Texture::kTypeUnsignedByte;
    TextureState::SetActiveTextureUnit(0);
    const TextureUnit* unit = TextureUnit::Unit(0);

    {  // Two dimensions: transfers act on the bound texture, so bind it first.
        Texture2D texture(Texture::kRGBA8, 64, 32, false, nullptr, Texture::kTypeDefault);
        unit->bind(&texture);
        const std::vector<std::uint8_t> image = Image(texture.pixelDataSize(0, RGBA, UB));
        texture.subImage(0, 0, 0, 64, 32, RGBA, UB, image.data(), tight);
        std::vector<std::uint8_t> back(image.size());
        texture.getPixelData(back.data(), 0, RGBA, UB, 4);
        Check(back == image, "Texture2D read back into memory");
        Buffer pack(static_cast<int>(image.size()), Buffer::kPackBuffer, Buffer::kStreamRead,
                    nullptr);
        texture.getPixelData(&pack, 0, 0, RGBA, UB, 4);
        Check(Contents(pack) == image, "Texture2D read back through a pack buffer");
        unit->bind2DDefault();
    }
    {  // A rectangle: any size, one level.
        TextureRECT texture(Texture::kRGBA8, 30, 20, nullptr, Texture::kTypeDefault);
        unit->bind(&texture);
        const std::vector<std::uint8_t> image = Image(texture.pixelDataSize(0, RGBA, UB));
        // Uploaded from an unpack buffer this time.
        Buffer unpack(static_cast<int>(image.size()), Buffer::kUnpackBuffer, Buffer::kStaticDraw,
                      image.data());
        texture.subImage(0, 0, 0, 30, 20, RGBA, UB, &unpack, 0, tight);
        std::vector<std::uint8_t> back(image.size());
        texture.getPixelData(back.data(), 0, RGBA, UB, 1);
        Check(back == image, "TextureRECT uploaded from an unpack buffer, read back");
        unit->bindRECTDefault();
    }
    {  // One dimension and one-dimensional layers.
        Texture1D line(Texture::kRGBA8, 128, false);
        unit->bind(&line);
        const std::vector<std::uint8_t> image = Image(line.pixelDataSize(0, RGBA, UB));
        line.subImage(0, 0, 128, RGBA, UB, image.data(), tight);
        std::vector<std::uint8_t> back(image.size());
        line.getPixelData(back.data(), 0, GL_RGBA, GL_UNSIGNED_BYTE);  // raw OpenGL enumerants
        Check(back == image, "Texture1D read back into memory");
        Buffer pack(static_cast<int>(image.size()), Buffer::kPackBuffer, Buffer::kStreamRead,
                    nullptr);
        line.getPixelData(&pack, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE);
        Check(Contents(pack) == image, "Texture1D read back through a pack buffer");
        unit->bind1DDefault();

        // TextureUnit has no bind for one-dimensional arrays: bind with OpenGL.
        Texture1DArray rows(Texture::kRGBA8, 16, 4, false);
        glBindTexture(GL_TEXTURE_1D_ARRAY, rows.objectID());
        const std::vector<std::uint8_t> layers = Image(rows.pixelDataSize(0, RGBA, UB));
        rows.subImage(0, 0, 0, 16, 4, RGBA, UB, layers.data(), tight);
        std::vector<std::uint8_t> layersBack(layers.size());
        rows.getPixelData(layersBack.data(), 0, RGBA, UB, 4);
        Check(layersBack == layers, "Texture1DArray read back into memory");
        glBindTexture(GL_TEXTURE_1D_ARRAY, 0);
    }
    {  // Three dimensions and two-dimensional layers.
        Texture3D volume(Texture::kRGBA8, 8, 8, 4, false);
        unit->bind(&volume);
        const std::vector<std::uint8_t> image = Image(volume.pixelDataSize(0, RGBA, UB));
        volume.subImage(0, 0, 0, 0, 8, 8, 4, RGBA, UB, image.data(), tight);
        Buffer pack(static_cast<int>(image.size()), Buffer::kPackBuffer, Buffer::kStreamRead,
                    nullptr);
        volume.getPixelData(&pack, 0, 0, RGBA, UB, 4);
        Check(Contents(pack) == image, "Texture3D read back through a pack buffer");
        unit->bind3DDefault();

        Texture2DArray layers(Texture::kRGBA8, 8, 8, 3, false);
        unit->bind(&layers);
        const std::vector<std::uint8_t> slices = Image(layers.pixelDataSize(0, RGBA, UB));
        layers.subImage(0, 0, 0, 0, 8, 8, 3, RGBA, UB, slices.data(), tight);
        std::vector<std::uint8_t> back(slices.size());
        layers.getPixelData(back.data(), 0, RGBA, UB, 4);
        Check(back == slices, "Texture2DArray read back into memory");
        unit->bind2DArrayDefault();
    }
    {  // Client storage needs GL_APPLE_client_storage, which Mesa lacks.
        std::vector<std::uint8_t> mine(16 * 16 * 4);
        try {
            Texture2D texture(Texture::kRGBA8, 16, 16, false, mine.data(), UB);
            Check(texture.clientStorage() == mine.data(), "a texture over client storage");
        } catch (const VEK::InternalException& e) {
            Check(std::string(e.message()) ==
                      "ExtensionManager::Instance()->isSupported(GL_APPLE_CLIENT_STORAGE)",
                  std::string("client storage refused: ") + e.message());
        }
    }
    ReleaseOGLContext();
}

}  // namespace

int main() {
    VEK::Core::AutoInitializer core;
    AutoInitializer ogl;
    try {
        Run();
    } catch (const VEK::LogicalException& e) {
        std::printf("FAIL: %s at %s:%d\n", e.message(), e.file(), e.line());
        return 1;
    }
    return gFailures == 0 ? 0 : 1;
}
