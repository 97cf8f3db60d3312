#include "vek/vek_ogl/ogl/internal/TextureChecks.h"

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/ogl/BufferOGL.h"
#include "vek/vek_ogl/ogl/Texture.h"

namespace VEK {
namespace OGL {
namespace internal {

void CheckNotGreater(const char* file, int line, const char* name, unsigned requested,
                     const char* imageWords, unsigned available) {
    if (requested > available) {
        std::ostringstream message;
        message << name << "(" << requested << ") is greater than " << imageWords << " ("
                << available << ") ";
        throw InternalException(file, line, message.str().c_str());
    }
}

void CheckBound(const char* file, int line, const Texture& texture) {
    if (!texture.isBound()) {
        throw InternalException(file, line, "Texture must be bound");
    }
}

int UnpackAlignmentBytes(const char* file, int line, int alignment) {
    switch (alignment) {
        case 0:
            return 1;
        case 1:
            return 2;
        case 2:
            return 4;
        case 3:
            return 8;
        default:
            throw InternalException(file, line, "Enum value not recognized");
    }
}

void CheckRowAlignment(const char* file, int line, unsigned byteAlignment) {
    if (byteAlignment != 1 && byteAlignment != 2 && byteAlignment != 4 && byteAlignment != 8) {
        throw InternalException(file, line,
                                "Invalid row byte alignment (must be of 1, 2, 4, or 8).");
    }
}

void CheckBufferNotNull(const char* file, int line, const Buffer* pbo) {
    if (pbo == nullptr) {
        throw InternalException(file, line, "Pixel Buffer Object must not be NULL");
    }
}

void CheckBufferNotMapped(const char* file, int line, const Buffer* pbo) {
    if (pbo->isMapped()) {
        throw InternalException(file, line,
                                "Pixel Buffer Object cannot be memory mapped during data transfer");
    }
}

void CheckBufferTransfer(const char* file, int line, const Buffer* pbo, long long offset,
                         bool checkOffset) {
    CheckBufferNotNull(file, line, pbo);
    if (offset < 0) {
        std::ostringstream message;
        message << "offset(" << offset << ") must not be negative";
        throw InternalException(file, line, message.str().c_str());
    }
    if (checkOffset && offset >= pbo->size()) {
        std::ostringstream message;
        message << "offset(" << offset << ") is greater than pixel buffer object size"
                << pbo->size();
        throw InternalException(file, line, message.str().c_str());
    }
    CheckBufferNotMapped(file, line, pbo);
}

unsigned PixelDataSize(const char* file, int line, unsigned channels, unsigned glType,
                       unsigned width, unsigned height, unsigned depth) {
    unsigned bytes = 0;
    switch (glType) {
        case GL_UNSIGNED_BYTE:
        case GL_BYTE:
            bytes = 1;
            break;
        case GL_UNSIGNED_SHORT:
        case GL_SHORT:
        case GL_HALF_FLOAT:
            bytes = 2;
            break;
        case GL_FLOAT:
            bytes = 4;
            break;
        default: {
            const std::string message =
                std::string("pixelDataSize: Unknown type ") + VEKOGLTokenName(glType);
            throw InternalException(file, line, message.c_str());
        }
    }
    const std::uint64_t limit = std::numeric_limits<unsigned>::max();
    std::uint64_t total = std::uint64_t(channels) * bytes;
    for (const unsigned factor : {width, height, depth}) {
        total *= factor;
        if (total > limit) {
            std::ostringstream message;
            message << "pixelDataSize: byte count of " << width << " x " << height << " x " << depth
                    << " texels exceeds 32 bits";
            throw InternalException(file, line, message.str().c_str());
        }
    }
    return static_cast<unsigned>(total);
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
