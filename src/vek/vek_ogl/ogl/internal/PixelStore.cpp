#include "vek/vek_ogl/ogl/internal/PixelStore.h"

#include <array>
#include <cstdint>
#include <exception>
#include <vector>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/BufferOGL.h"
#include "vek/vek_ogl/ogl/PixelUnpackParameters.h"
#include "vek/vek_ogl/ogl/internal/DriverPaths.h"
#include "vek/vek_ogl/ogl/internal/RestoreGuard.h"
#include "vek/vek_ogl/ogl/internal/TextureChecks.h"

namespace VEK {
namespace OGL {
namespace internal {

namespace {

const GLenum kPixelStoreParameters[] = {
    GL_PACK_SWAP_BYTES,    GL_PACK_LSB_FIRST,   GL_PACK_ROW_LENGTH,    GL_PACK_IMAGE_HEIGHT,
    GL_PACK_SKIP_PIXELS,   GL_PACK_SKIP_ROWS,   GL_PACK_SKIP_IMAGES,   GL_PACK_ALIGNMENT,
    GL_UNPACK_SWAP_BYTES,  GL_UNPACK_LSB_FIRST, GL_UNPACK_ROW_LENGTH,  GL_UNPACK_IMAGE_HEIGHT,
    GL_UNPACK_SKIP_PIXELS, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_IMAGES, GL_UNPACK_ALIGNMENT,
};
constexpr std::size_t kParameterCount = sizeof(kPixelStoreParameters) / sizeof(GLenum);

// One entry per PushPixelStore of this thread: either a push of the client attribute stack or
// the saved values. The extensions' pack parameters are saved by value either way: the
// attribute stack is not bound to hold state its extension does not list.
struct SavedPixelStore {
    bool onAttribStack;
    std::array<GLint, kParameterCount> values;
    std::array<GLint, DriverPaths::kMaxExtensionPack> extensionValues;
};

thread_local std::vector<SavedPixelStore> tSavedPixelStores;

// Whether byte swapping can move an element of the type: it is wider than a byte (unknown
// types are taken to be).
bool Swappable(GLenum type) {
    switch (type) {
        case GL_UNSIGNED_BYTE:
        case GL_BYTE:
        case GL_UNSIGNED_BYTE_3_3_2:
        case GL_UNSIGNED_BYTE_2_3_3_REV:
        case GL_BITMAP:
            return false;
        default:
            return true;
    }
}

// Bytes of one pixel of the format and type; 0 where unknown (bitmaps included).
unsigned PixelBytes(GLenum format, GLenum type) {
    unsigned components = 0;
    switch (format) {
        case GL_RED:
        case GL_GREEN:
        case GL_BLUE:
        case GL_ALPHA:
        case GL_LUMINANCE:
        case GL_COLOR_INDEX:
            components = 1;
            break;
        case GL_RG:
        case GL_LUMINANCE_ALPHA:
            components = 2;
            break;
        case GL_RGB:
        case GL_BGR:
            components = 3;
            break;
        case GL_RGBA:
        case GL_BGRA:
            components = 4;
            break;
        default:
            return 0;
    }
    switch (type) {
        case GL_UNSIGNED_BYTE:
        case GL_BYTE:
            return components;
        case GL_UNSIGNED_SHORT:
        case GL_SHORT:
        case GL_HALF_FLOAT:
            return components * 2;
        case GL_UNSIGNED_INT:
        case GL_INT:
        case GL_FLOAT:
            return components * 4;
        case GL_UNSIGNED_BYTE_3_3_2:
        case GL_UNSIGNED_BYTE_2_3_3_REV:
            return 1;
        case GL_UNSIGNED_SHORT_5_6_5:
        case GL_UNSIGNED_SHORT_5_6_5_REV:
        case GL_UNSIGNED_SHORT_4_4_4_4:
        case GL_UNSIGNED_SHORT_4_4_4_4_REV:
        case GL_UNSIGNED_SHORT_5_5_5_1:
        case GL_UNSIGNED_SHORT_1_5_5_5_REV:
            return 2;
        case GL_UNSIGNED_INT_8_8_8_8:
        case GL_UNSIGNED_INT_8_8_8_8_REV:
        case GL_UNSIGNED_INT_10_10_10_2:
        case GL_UNSIGNED_INT_2_10_10_10_REV:
            return 4;
        default:
            return 0;
    }
}

// Whether rows of rowPixels pixels are whole 8-byte words, so that no row alignment (1, 2, 4
// or 8) moves them and the alignment need not be read or set.
bool WholeWords(const PixelLayout& layout, unsigned rowPixels) {
    const std::uint64_t rowBytes =
        std::uint64_t(PixelBytes(layout.format, layout.type)) * rowPixels;
    return rowBytes != 0 && rowBytes % 8 == 0;
}

}  // namespace

void PushPixelStore() {
    const DriverPaths& paths = CurrentDriverPaths();
    SavedPixelStore saved{paths.clientAttribStack, {}, {}};
    for (std::size_t i = 0; i < paths.extensionPackCount; ++i) {
        VEK_GL(GetIntegerv)(paths.extensionPack[i], &saved.extensionValues[i]);
    }
    if (saved.onAttribStack) {
        VEK_GL(PushClientAttrib)(GL_CLIENT_PIXEL_STORE_BIT);
    } else {
        for (std::size_t i = 0; i < kParameterCount; ++i) {
            VEK_GL(GetIntegerv)(kPixelStoreParameters[i], &saved.values[i]);
        }
    }
    try {
        tSavedPixelStores.push_back(saved);
    } catch (...) {
        if (saved.onAttribStack) {
            VEK_GL(PopClientAttrib)();
        }
        throw;
    }
}

void PopPixelStore() {
    VEK_ASSERT(!tSavedPixelStores.empty());
    const SavedPixelStore saved = tSavedPixelStores.back();
    tSavedPixelStores.pop_back();
    if (saved.onAttribStack) {
        VEK_GL(PopClientAttrib)();
    } else {
        for (std::size_t i = 0; i < kParameterCount; ++i) {
            VEK_GL(PixelStorei)(kPixelStoreParameters[i], saved.values[i]);
        }
    }
    const DriverPaths& paths = CurrentDriverPaths();
    for (std::size_t i = 0; i < paths.extensionPackCount; ++i) {
        VEK_GL(PixelStorei)(paths.extensionPack[i], saved.extensionValues[i]);
    }
}

PixelStoreChange::~PixelStoreChange() {
    // The transfer's own exception is on its way; it is the one to report.
    RestoreGuard()([&] { restore(); });
}

void PixelStoreChange::set(unsigned parameter, int value) {
    GLint current = 0;
    VEK_GL(GetIntegerv)(parameter, &current);
    if (current == value) {
        return;
    }
    VEK_ASSERT(count_ < kMaxSaved);
    // Remembered first: a set that fails half-way is put back too.
    saved_[count_++] = Saved{parameter, current};
    VEK_GL(PixelStorei)(parameter, value);
}

void PixelStoreChange::restore() {
    RestoreGuard restoring;
    while (count_ != 0) {
        const Saved& saved = saved_[--count_];
        restoring([&] { VEK_GL(PixelStorei)(saved.parameter, saved.value); });
    }
    restoring.throwFirstFailure();
}

void SetUnpackState(PixelStoreChange& change, const PixelUnpackParameters& parameters,
                    const PixelLayout& layout) {
    if (Swappable(layout.type)) {
        change.set(GL_UNPACK_SWAP_BYTES, parameters.swapBytes() ? 1 : 0);
    }
    if (layout.type == GL_BITMAP) {
        change.set(GL_UNPACK_LSB_FIRST, parameters.isFirstLSB() ? 1 : 0);
    }
    change.set(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(parameters.rowLength()));
    change.set(GL_UNPACK_SKIP_PIXELS, static_cast<GLint>(parameters.skipPixels()));
    change.set(GL_UNPACK_SKIP_ROWS, static_cast<GLint>(parameters.skipRows()));
    if (layout.dimensions == 3 && CurrentDriverPaths().imageParameters) {
        change.set(GL_UNPACK_IMAGE_HEIGHT, static_cast<GLint>(parameters.imageHeight()));
        change.set(GL_UNPACK_SKIP_IMAGES, static_cast<GLint>(parameters.skipImages()));
    }
    const GLint alignment = UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment());
    const unsigned rowPixels = parameters.rowLength() != 0 ? parameters.rowLength() : layout.width;
    if (!WholeWords(layout, rowPixels)) {
        change.set(GL_UNPACK_ALIGNMENT, alignment);
    }
}

void SetTightPackState(PixelStoreChange& change, unsigned alignment, const PixelLayout& layout) {
    const DriverPaths& paths = CurrentDriverPaths();
    if (Swappable(layout.type)) {
        change.set(GL_PACK_SWAP_BYTES, 0);
    }
    if (layout.type == GL_BITMAP) {
        change.set(GL_PACK_LSB_FIRST, 0);
    }
    change.set(GL_PACK_ROW_LENGTH, 0);
    change.set(GL_PACK_SKIP_PIXELS, 0);
    change.set(GL_PACK_SKIP_ROWS, 0);
    if (layout.dimensions == 3 && paths.imageParameters) {
        change.set(GL_PACK_IMAGE_HEIGHT, 0);
        change.set(GL_PACK_SKIP_IMAGES, 0);
    }
    if (!WholeWords(layout, layout.width)) {
        change.set(GL_PACK_ALIGNMENT, static_cast<GLint>(alignment));
    }
    for (std::size_t i = 0; i < paths.extensionPackCount; ++i) {
        change.set(paths.extensionPack[i], 0);
    }
}

PixelStoreScope::PixelStoreScope() : pushed_(false) {
    PushPixelStore();
    pushed_ = true;
}

PixelStoreScope::~PixelStoreScope() {
    if (pushed_) {
        // The transfer's own exception is on its way; it is the one to report.
        RestoreGuard()([] { PopPixelStore(); });
    }
}

void PixelStoreScope::pop() {
    pushed_ = false;
    PopPixelStore();
}

BindingScope::~BindingScope() {
    if (active_) {
        // The transfer's own exception is on its way; it is the one to report.
        RestoreGuard()([&] { bind(); });
    }
}

void BindingScope::restore() {
    active_ = false;
    bind();
}

void BindingScope::bind() const {
    if (kind_ == kTexture) {
        VEK_GL(BindTexture)(target_, previous_);
    } else {
        VEK_GL(BindBuffer)(target_, previous_);
    }
}

ClientMemoryScope::ClientMemoryScope(bool pack)
    : target_(pack ? GL_PIXEL_PACK_BUFFER : GL_PIXEL_UNPACK_BUFFER), previous_(0) {
    if (!CurrentDriverPaths().pixelBuffers) {
        return;
    }
    GLint bound = 0;
    VEK_GL(GetIntegerv)
    (pack ? GL_PIXEL_PACK_BUFFER_BINDING : GL_PIXEL_UNPACK_BUFFER_BINDING, &bound);
    if (bound != 0) {
        VEK_GL(BindBuffer)(target_, 0);
        previous_ = static_cast<unsigned>(bound);
    }
}

ClientMemoryScope::~ClientMemoryScope() {
    if (previous_ != 0) {
        // The transfer's own exception is on its way; it is the one to report.
        RestoreGuard()([&] { restore(); });
    }
}

void ClientMemoryScope::restore() {
    const unsigned previous = previous_;
    previous_ = 0;
    if (previous != 0) {
        VEK_GL(BindBuffer)(target_, previous);
    }
}

Buffer* BufferTransferScope::WithRole(Buffer* pbo, Role role) {
    if (role == kUnpack && !pbo->isUnpackBuffer()) {
        pbo->convertToUnpackBuffer();
    } else if (role == kPack && !pbo->isPackBuffer()) {
        pbo->convertToPackBuffer();
    }
    return pbo;
}

// The role is changed while the members are initialised, before saved_ pushes anything.
BufferTransferScope::BufferTransferScope(Buffer* pbo, Role role) : pbo_(WithRole(pbo, role)) {}

void BufferTransferScope::bindBuffer() {
    binding_.emplace(BindingScope::kBuffer, pbo_->target(), pbo_->getBoundID());
    pbo_->bind();
}

void BufferTransferScope::finish() {
    if (binding_) {
        binding_->restore();
    }
    saved_.restore();
}

void ReadTexImage(const char* file, int line, unsigned target, int level, const PixelLayout& layout,
                  unsigned alignment, void* data) {
    const unsigned format = layout.format;
    const unsigned type = layout.type;
    PixelStoreChange change;
    SetTightPackState(change, alignment, layout);
    ClientMemoryScope noBuffer(true);
    VEK_GL_AT(GetTexImage, file, line)(target, level, format, type, data);
    noBuffer.restore();
    change.restore();
}

void ReadTexImage(const char* file, int line, unsigned target, int level, const PixelLayout& layout,
                  unsigned alignment, Buffer* pbo, std::uintptr_t offset) {
    const unsigned format = layout.format;
    const unsigned type = layout.type;
    BufferTransferScope transfer(pbo, BufferTransferScope::kPack);
    SetTightPackState(transfer.pixelStore(), alignment, layout);
    transfer.bindBuffer();
    VEK_GL_AT(GetTexImage, file, line)(target, level, format, type, BufferOffset(offset));
    transfer.finish();
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
