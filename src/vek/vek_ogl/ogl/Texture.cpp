#include "vek/vek_ogl/ogl/Texture.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/internal/PixelStore.h"
#include "vek/vek_ogl/ogl/internal/RestoreGuard.h"
#include "vek/vek_ogl/ogl/internal/TextureChecks.h"

namespace VEK {
namespace OGL {

namespace {

template <class T, std::size_t N>
constexpr int Count(const T (&)[N]) {
    return static_cast<int>(N);
}

const unsigned kTargets[] = {GL_TEXTURE_1D,       GL_TEXTURE_2D,       GL_TEXTURE_3D,
                             GL_TEXTURE_1D_ARRAY, GL_TEXTURE_2D_ARRAY, GL_TEXTURE_RECTANGLE};
const unsigned kTargetBindings[] = {GL_TEXTURE_BINDING_1D,       GL_TEXTURE_BINDING_2D,
                                    GL_TEXTURE_BINDING_3D,       GL_TEXTURE_BINDING_1D_ARRAY,
                                    GL_TEXTURE_BINDING_2D_ARRAY, GL_TEXTURE_BINDING_RECTANGLE};
// The reverse translations know the 1D, 2D, 3D and rectangle rows only.
const bool kTargetReversible[] = {true, true, true, false, false, true};

// Bytes per channel 0: a packed format without a whole-byte channel size.
struct InternalFormatRow {
    unsigned glFormat;
    unsigned channels;
    unsigned bytesPerChannel;
};

const InternalFormatRow kInternalFormats[] = {
    {GL_ALPHA, 1, 1},
    {GL_ALPHA4, 1, 0},
    {GL_ALPHA8, 1, 1},
    {GL_ALPHA12, 1, 0},
    {GL_ALPHA16, 1, 2},
    {GL_LUMINANCE, 1, 1},
    {GL_LUMINANCE4, 1, 0},
    {GL_LUMINANCE8, 1, 1},
    {GL_LUMINANCE12, 1, 0},
    {GL_LUMINANCE16, 1, 2},
    {GL_LUMINANCE_ALPHA, 2, 1},
    {GL_LUMINANCE4_ALPHA4, 2, 0},
    {GL_LUMINANCE6_ALPHA2, 2, 0},
    {GL_LUMINANCE8_ALPHA8, 2, 1},
    {GL_LUMINANCE12_ALPHA4, 2, 0},
    {GL_LUMINANCE12_ALPHA12, 2, 0},
    {GL_LUMINANCE16_ALPHA16, 2, 2},
    {GL_INTENSITY, 1, 1},
    {GL_INTENSITY4, 1, 0},
    {GL_INTENSITY8, 1, 1},
    {GL_INTENSITY12, 1, 0},
    {GL_INTENSITY16, 1, 2},
    {GL_R3_G3_B2, 3, 0},
    {GL_RED, 1, 1},
    {GL_R16, 1, 2},
    {GL_R16F, 1, 2},
    {GL_R32F, 1, 4},
    {GL_RG, 2, 1},
    {GL_RG16, 2, 2},
    {GL_RG16F, 2, 2},
    {GL_RG32F, 2, 4},
    {GL_RGB, 3, 1},
    {GL_RGB4, 3, 0},
    {GL_RGB5, 3, 0},
    {GL_RGB8, 3, 1},
    {GL_RGB10, 3, 0},
    {GL_RGB12, 3, 0},
    {GL_RGB16, 3, 2},
    {GL_RGBA, 4, 1},
    {GL_RGBA2, 4, 0},
    {GL_RGBA4, 4, 0},
    {GL_RGB5_A1, 4, 0},
    {GL_RGBA8, 4, 1},
    {GL_RGB10_A2, 4, 0},
    {GL_RGBA12, 4, 0},
    {GL_RGBA16, 4, 2},
    {GL_RGBA32F_ARB, 4, 4},
    {GL_RGB32F_ARB, 3, 4},
    {GL_ALPHA32F_ARB, 1, 4},
    {GL_INTENSITY32F_ARB, 1, 4},
    {GL_LUMINANCE32F_ARB, 1, 4},
    {GL_LUMINANCE_ALPHA32F_ARB, 2, 4},
    {GL_RGBA16F_ARB, 4, 2},
    {GL_RGB16F_ARB, 3, 2},
    {GL_ALPHA16F_ARB, 1, 2},
    {GL_INTENSITY16F_ARB, 1, 2},
    {GL_LUMINANCE16F_ARB, 1, 2},
    {GL_LUMINANCE_ALPHA16F_ARB, 2, 2},
};
static_assert(sizeof(kInternalFormats) / sizeof(kInternalFormats[0]) == 58,
              "one row per internal format");

struct FormatRow {
    unsigned glFormat;
    unsigned channels;
};

const FormatRow kFormats[] = {
    {GL_COLOR_INDEX, 1}, {GL_RED, 1},  {GL_GREEN, 1},     {GL_BLUE, 1},
    {GL_ALPHA, 1},       {GL_RG, 2},   {GL_RGB, 3},       {GL_BGR, 3},
    {GL_RGBA, 4},        {GL_BGRA, 4}, {GL_LUMINANCE, 1}, {GL_LUMINANCE_ALPHA, 2},
};

const unsigned kTypes[] = {GL_UNSIGNED_BYTE,
                           GL_BYTE,
                           GL_BITMAP,
                           GL_UNSIGNED_SHORT,
                           GL_SHORT,
                           GL_UNSIGNED_INT,
                           GL_INT,
                           GL_FLOAT,
                           GL_UNSIGNED_BYTE_3_3_2,
                           GL_UNSIGNED_BYTE_2_3_3_REV,
                           GL_UNSIGNED_SHORT_5_6_5,
                           GL_UNSIGNED_SHORT_5_6_5_REV,
                           GL_UNSIGNED_SHORT_4_4_4_4,
                           GL_UNSIGNED_SHORT_4_4_4_4_REV,
                           GL_UNSIGNED_SHORT_5_5_5_1,
                           GL_UNSIGNED_SHORT_1_5_5_5_REV,
                           GL_UNSIGNED_INT_8_8_8_8,
                           GL_UNSIGNED_INT_8_8_8_8_REV,
                           GL_UNSIGNED_INT_10_10_10_2,
                           GL_UNSIGNED_INT_2_10_10_10_REV,
                           GL_HALF_FLOAT};

const unsigned kFilters[] = {GL_NEAREST,
                             GL_LINEAR,
                             GL_NEAREST_MIPMAP_NEAREST,
                             GL_LINEAR_MIPMAP_NEAREST,
                             GL_NEAREST_MIPMAP_LINEAR,
                             GL_LINEAR_MIPMAP_LINEAR};

const unsigned kWrapModes[] = {GL_CLAMP, GL_CLAMP_TO_BORDER, GL_CLAMP_TO_EDGE, GL_MIRRORED_REPEAT,
                               GL_REPEAT};

const unsigned kPixelStoreModes[] = {
    GL_PACK_SWAP_BYTES,    GL_PACK_LSB_FIRST,   GL_PACK_ROW_LENGTH,    GL_PACK_IMAGE_HEIGHT,
    GL_PACK_SKIP_PIXELS,   GL_PACK_SKIP_ROWS,   GL_PACK_SKIP_IMAGES,   GL_PACK_ALIGNMENT,
    GL_UNPACK_SWAP_BYTES,  GL_UNPACK_LSB_FIRST, GL_UNPACK_ROW_LENGTH,  GL_UNPACK_IMAGE_HEIGHT,
    GL_UNPACK_SKIP_PIXELS, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_IMAGES, GL_UNPACK_ALIGNMENT,
};

const char kTargetMessage[] = "!\"Target enums are not all properly translated.\"";
const char kInternalFormatMessage[] = "!\"InternalFormat enums are not all properly translated.\"";
const char kFormatMessage[] = "!\"Format enums are not all properly translated.\"";
const char kTypeMessage[] = "!\"Type enums are not all properly translated.\"";
const char kFilterMessage[] = "!\"Filter enums are not all properly translated.\"";
const char kWrapModeMessage[] = "!\"WrapMode enums are not all properly translated.\"";
const char kPixelStoreModeMessage[] = "!\"PixelStoreMode enums are not all properly translated.\"";
const char kSizedMessage[] = "InternalFormat enums are not all properly sized.";

// The table's value at index, or the translation's refusal.
template <class Row, std::size_t N>
const Row& At(const Row (&table)[N], int index, const char* message) {
    if (index < 0 || index >= static_cast<int>(N)) {
        VEK_THROW_INTERNAL(message);
    }
    return table[index];
}

template <std::size_t N>
int IndexOf(const unsigned (&table)[N], unsigned value, const char* message) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == value) {
            return static_cast<int>(i);
        }
    }
    VEK_THROW_INTERNAL(message);
}

}  // namespace

Texture::Texture(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
                 unsigned height, unsigned depth)
    : Object(Target2GL(target), TargetBinding2GL(targetBinding)),
      format_(format),
      width_(width),
      height_(height),
      depth_(depth),
      sizeInBytes_(-1) {
    InternalFormat2GL(format);  // refuses an unknown format before a name is made
    try {
        VEK_GL(GenTextures)(1, &objectID_);
    } catch (...) {
        // The driver may have made the name before the check failed (an error left pending):
        // no destructor runs for a constructor that throws, so it is deleted here.
        if (objectID_ != 0) {
            // The generating call's failure is the one to report.
            internal::RestoreGuard()([&] { VEK_GL(DeleteTextures)(1, &objectID_); });
        }
        throw;
    }
    if (objectID_ == 0) {
        VEK_THROW_INTERNAL("Texture:: contructor failed to allocate new GPU texture resource");
    }
}

Texture::~Texture() {
    // A destructor cannot report: the name is given up either way.
    internal::RestoreGuard()([&] { VEK_GL(DeleteTextures)(1, &objectID_); });
}

namespace {

// A size at a level as OpenGL stores it: halved per level, but never below one texel.
unsigned LevelSize(unsigned size, unsigned level) {
    const unsigned halved = level < 32 ? size >> level : 0;
    return halved == 0 && size != 0 ? 1 : halved;
}

}  // namespace

unsigned Texture::width(unsigned level) const {
    return LevelSize(width_, level);
}

unsigned Texture::height(unsigned level) const {
    // The layers of a one-dimensional array are its height: every level keeps them all.
    return target() == GL_TEXTURE_1D_ARRAY ? height_ : LevelSize(height_, level);
}

unsigned Texture::depth(unsigned level) const {
    return LevelSize(depth_, level);
}

unsigned Texture::sizeInBytes() const {
    if (sizeInBytes_ < 0) {
        sizeInBytes_ = SizeInBytes(format_, width_, height_, depth_);
    }
    return static_cast<unsigned>(sizeInBytes_);
}

unsigned Texture::getGLFormat(InternalFormat format) const {
    if (format >= kRED && format <= kR32F) {
        return GL_RED;
    }
    if (format >= kRG && format <= kRG32F) {
        return GL_RG;
    }
    return GL_BGRA;
}

void Texture::setFilter(Filter minFilter, Filter magFilter) {
    const GLint glMin = static_cast<GLint>(Filter2GL(minFilter));
    const GLint glMag = static_cast<GLint>(Filter2GL(magFilter));
    VEK_GL(TexParameteri)(target(), GL_TEXTURE_MIN_FILTER, glMin);
    VEK_GL(TexParameteri)(target(), GL_TEXTURE_MAG_FILTER, glMag);
}

void Texture::setBorderColor(const float* rgba) {
    if (rgba == nullptr) {
        VEK_THROW_INTERNAL("Texture::setBorderColor needs four floats");
    }
    VEK_GL(TexParameterfv)(target(), GL_TEXTURE_BORDER_COLOR, rgba);
}

void Texture::enableAutoMIPGeneration(bool on) {
    VEK_GL(TexParameteri)(target(), GL_GENERATE_MIPMAP, on ? 1 : 0);
}

bool Texture::SupportsAutoMIPGeneration() {
    const ExtensionManager* manager = ExtensionManager::Instance();
    const unsigned major = manager->majorVersion();
    return major == 1 ? manager->minorVersion() >= 4 : major >= 2;
}

bool Texture::IsTargetSupported(unsigned glTarget) {
    switch (glTarget) {
        case GL_TEXTURE_1D:
        case GL_TEXTURE_2D:
        case GL_TEXTURE_3D:
            return true;
        case GL_TEXTURE_RECTANGLE:
            return ExtensionManager::Instance()->isSupported(OGLEXT_ARB_texture_rectangle);
        case GL_TEXTURE_1D_ARRAY:
        case GL_TEXTURE_2D_ARRAY:
            return ExtensionManager::Instance()->isSupported(OGLEXT_EXT_texture_array);
        default:
            return false;
    }
}

unsigned Texture::Target2GL(Target target) {
    return At(kTargets, target, kTargetMessage);
}

Texture::Target Texture::GL2Target(unsigned glTarget) {
    const int index = IndexOf(kTargets, glTarget, kTargetMessage);
    if (!kTargetReversible[index]) {
        VEK_THROW_INTERNAL(kTargetMessage);
    }
    return static_cast<Target>(index);
}

unsigned Texture::TargetBinding2GL(TargetBinding binding) {
    return At(kTargetBindings, binding, kTargetMessage);
}

Texture::TargetBinding Texture::GL2TargetBinding(unsigned glBinding) {
    const int index = IndexOf(kTargetBindings, glBinding, kTargetMessage);
    if (!kTargetReversible[index]) {
        VEK_THROW_INTERNAL(kTargetMessage);
    }
    return static_cast<TargetBinding>(index);
}

unsigned Texture::InternalFormat2GL(InternalFormat format) {
    return At(kInternalFormats, format, kInternalFormatMessage).glFormat;
}

Texture::InternalFormat Texture::GL2InternalFormat(unsigned glFormat) {
    for (int i = 0; i < Count(kInternalFormats); ++i) {
        if (kInternalFormats[i].glFormat == glFormat) {
            return static_cast<InternalFormat>(i);
        }
    }
    VEK_THROW_INTERNAL(kInternalFormatMessage);
}

unsigned Texture::Format2GL(Format format) {
    return At(kFormats, format, kFormatMessage).glFormat;
}

Texture::Format Texture::GL2Format(unsigned glFormat) {
    for (int i = 0; i < Count(kFormats); ++i) {
        if (kFormats[i].glFormat == glFormat) {
            return static_cast<Format>(i);
        }
    }
    VEK_THROW_INTERNAL(kFormatMessage);
}

unsigned Texture::Type2GL(Type type) {
    return At(kTypes, type, kTypeMessage);
}

Texture::Type Texture::GL2Type(unsigned glType) {
    return static_cast<Type>(IndexOf(kTypes, glType, kTypeMessage));
}

unsigned Texture::Filter2GL(Filter filter) {
    return At(kFilters, filter, kFilterMessage);
}

Texture::Filter Texture::GL2Filter(unsigned glFilter) {
    return static_cast<Filter>(IndexOf(kFilters, glFilter, kFilterMessage));
}

unsigned Texture::WrapMode2GL(WrapMode mode) {
    return At(kWrapModes, mode, kWrapModeMessage);
}

Texture::WrapMode Texture::GL2WrapMode(unsigned glMode) {
    return static_cast<WrapMode>(IndexOf(kWrapModes, glMode, kWrapModeMessage));
}

unsigned Texture::PixelStoreMode2GL(PixelStoreMode mode) {
    return At(kPixelStoreModes, mode, kPixelStoreModeMessage);
}

Texture::PixelStoreMode Texture::GL2PixelStoreMode(unsigned glMode) {
    return static_cast<PixelStoreMode>(IndexOf(kPixelStoreModes, glMode, kPixelStoreModeMessage));
}

unsigned Texture::Channels(InternalFormat format) {
    return At(kInternalFormats, format, kSizedMessage).channels;
}

unsigned Texture::Channels(Format format) {
    return At(kFormats, format, kSizedMessage).channels;
}

unsigned Texture::SizeInBytes(InternalFormat format, unsigned width, unsigned height,
                              unsigned depth) {
    const InternalFormatRow& row = At(kInternalFormats, format, kSizedMessage);
    if (row.bytesPerChannel == 0) {
        VEK_THROW_INTERNAL("Texture::SizeInBytes Unknown color channels for format "
                           << VEKOGLTokenName(row.glFormat));
    }
    // Each factor fits 32 bits, so every partial product is checked before it could wrap.
    const std::uint64_t limit = std::numeric_limits<unsigned>::max();
    std::uint64_t bytes = std::uint64_t(row.bytesPerChannel) * row.channels;
    for (const unsigned factor : {width, height, depth}) {
        bytes *= factor;
        if (bytes > limit) {
            VEK_THROW_INTERNAL("Texture::SizeInBytes byte count of " << width << " x " << height
                                                                     << " x " << depth
                                                                     << " texels exceeds 32 bits");
        }
    }
    return static_cast<unsigned>(bytes);
}

void Texture::CheckByteAlignment(unsigned byteAlignment) {
    internal::CheckRowAlignment(__FILE__, __LINE__, byteAlignment);
}

void Texture::PushAndSetTransferByteAlignment(unsigned byteAlignment) {
    CheckByteAlignment(byteAlignment);
    internal::PixelStoreScope saved;
    VEK_GL(PixelStorei)(GL_UNPACK_ALIGNMENT, static_cast<GLint>(byteAlignment));
    saved.keep();
}

void Texture::PushAndSetReadbackByteAlignment(unsigned byteAlignment) {
    CheckByteAlignment(byteAlignment);
    internal::PixelStoreScope saved;
    VEK_GL(PixelStorei)(GL_PACK_ALIGNMENT, static_cast<GLint>(byteAlignment));
    saved.keep();
}

void Texture::PopPixelTransferModes() {
    internal::PopPixelStore();
}

unsigned Texture::CheckPowerOfTwo(unsigned size, bool anySizeWithRectangles, const char* refusal) {
    if ((size & (size - 1)) == 0 || ExtensionManager::Instance()->supportsNonPowerOfTwoTextures() ||
        (anySizeWithRectangles && IsTargetSupported(GL_TEXTURE_RECTANGLE))) {
        return size;
    }
    VEK_THROW_INTERNAL(refusal);
}

bool Texture::SupportsClampToEdge() {
    return ExtensionManager::Instance()->isSupported(OGLEXT_VERSION_1_2);
}

}  // namespace OGL
}  // namespace VEK
