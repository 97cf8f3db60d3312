#include "vek/vek_ogl/ogl/internal/PixelStore.h"

#include <array>
#include <exception>
#include <vector>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/ogl/BufferOGL.h"
#include "vek/vek_ogl/ogl/PixelUnpackParameters.h"
#include "vek/vek_ogl/ogl/internal/DriverPaths.h"
#include "vek/vek_ogl/ogl/internal/TextureChecks.h"

namespace VEK {
namespace OGL {
namespace internal {

namespace {

OpenGLInterceptor* GL() {
    return OpenGLInterceptor::Instance();
}

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

}  // namespace

bool HasClientAttribStack() {
    return CurrentDriverPaths().clientAttribStack;
}

void PushPixelStore() {
    const DriverPaths& paths = CurrentDriverPaths();
    SavedPixelStore saved{paths.clientAttribStack, {}, {}};
    for (std::size_t i = 0; i < paths.extensionPackCount; ++i) {
        GL()->cgmGetIntegerv(__FILE__, __LINE__, paths.extensionPack[i], &saved.extensionValues[i]);
    }
    if (saved.onAttribStack) {
        GL()->cgmPushClientAttrib(__FILE__, __LINE__, GL_CLIENT_PIXEL_STORE_BIT);
    } else {
        for (std::size_t i = 0; i < kParameterCount; ++i) {
            GL()->cgmGetIntegerv(__FILE__, __LINE__, kPixelStoreParameters[i], &saved.values[i]);
        }
    }
    try {
        tSavedPixelStores.push_back(saved);
    } catch (...) {
        if (saved.onAttribStack) {
            GL()->cgmPopClientAttrib(__FILE__, __LINE__);
        }
        throw;
    }
}

void PopPixelStore() {
    VEK_ASSERT(!tSavedPixelStores.empty());
    const SavedPixelStore saved = tSavedPixelStores.back();
    tSavedPixelStores.pop_back();
    if (saved.onAttribStack) {
        GL()->cgmPopClientAttrib(__FILE__, __LINE__);
    } else {
        for (std::size_t i = 0; i < kParameterCount; ++i) {
            GL()->cgmPixelStorei(__FILE__, __LINE__, kPixelStoreParameters[i], saved.values[i]);
        }
    }
    const DriverPaths& paths = CurrentDriverPaths();
    for (std::size_t i = 0; i < paths.extensionPackCount; ++i) {
        GL()->cgmPixelStorei(__FILE__, __LINE__, paths.extensionPack[i], saved.extensionValues[i]);
    }
}

PixelStoreChange::~PixelStoreChange() {
    try {
        restore();
    } catch (...) {
        // The transfer's own exception is on its way; it is the one to report.
    }
}

void PixelStoreChange::set(unsigned parameter, int value) {
    GLint current = 0;
    GL()->cgmGetIntegerv(__FILE__, __LINE__, parameter, &current);
    if (current == value) {
        return;
    }
    VEK_ASSERT(count_ < kMaxSaved);
    // Remembered first: a set that fails half-way is put back too.
    saved_[count_++] = Saved{parameter, current};
    GL()->cgmPixelStorei(__FILE__, __LINE__, parameter, value);
}

void PixelStoreChange::restore() {
    std::exception_ptr first;
    while (count_ != 0) {
        const Saved& saved = saved_[--count_];
        try {
            GL()->cgmPixelStorei(__FILE__, __LINE__, saved.parameter, saved.value);
        } catch (...) {
            if (!first) {
                first = std::current_exception();
            }
        }
    }
    if (first) {
        std::rethrow_exception(first);
    }
}

void SetUnpackState(PixelStoreChange& change, const PixelUnpackParameters& parameters,
                    unsigned dimensions, unsigned glType) {
    if (Swappable(glType)) {
        change.set(GL_UNPACK_SWAP_BYTES, parameters.swapBytes() ? 1 : 0);
    }
    if (glType == GL_BITMAP) {
        change.set(GL_UNPACK_LSB_FIRST, parameters.isFirstLSB() ? 1 : 0);
    }
    change.set(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(parameters.rowLength()));
    change.set(GL_UNPACK_SKIP_PIXELS, static_cast<GLint>(parameters.skipPixels()));
    change.set(GL_UNPACK_SKIP_ROWS, static_cast<GLint>(parameters.skipRows()));
    if (dimensions == 3 && CurrentDriverPaths().imageParameters) {
        change.set(GL_UNPACK_IMAGE_HEIGHT, static_cast<GLint>(parameters.imageHeight()));
        change.set(GL_UNPACK_SKIP_IMAGES, static_cast<GLint>(parameters.skipImages()));
    }
    change.set(GL_UNPACK_ALIGNMENT,
               UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment()));
}

void SetTightPackState(PixelStoreChange& change, unsigned alignment, unsigned dimensions,
                       unsigned glType) {
    const DriverPaths& paths = CurrentDriverPaths();
    if (Swappable(glType)) {
        change.set(GL_PACK_SWAP_BYTES, 0);
    }
    if (glType == GL_BITMAP) {
        change.set(GL_PACK_LSB_FIRST, 0);
    }
    change.set(GL_PACK_ROW_LENGTH, 0);
    change.set(GL_PACK_SKIP_PIXELS, 0);
    change.set(GL_PACK_SKIP_ROWS, 0);
    if (dimensions == 3 && paths.imageParameters) {
        change.set(GL_PACK_IMAGE_HEIGHT, 0);
        change.set(GL_PACK_SKIP_IMAGES, 0);
    }
    change.set(GL_PACK_ALIGNMENT, static_cast<GLint>(alignment));
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
        try {
            PopPixelStore();
        } catch (...) {
            // The transfer's own exception is on its way; it is the one to report.
        }
    }
}

void PixelStoreScope::pop() {
    pushed_ = false;
    PopPixelStore();
}

BindingScope::~BindingScope() {
    if (active_) {
        try {
            bind();
        } catch (...) {
            // The transfer's own exception is on its way; it is the one to report.
        }
    }
}

void BindingScope::restore() {
    active_ = false;
    bind();
}

void BindingScope::bind() const {
    if (kind_ == kTexture) {
        GL()->cgmBindTexture(__FILE__, __LINE__, target_, previous_);
    } else {
        GL()->cgmBindBuffer(__FILE__, __LINE__, target_, previous_);
    }
}

ClientMemoryScope::ClientMemoryScope(bool pack)
    : target_(pack ? GL_PIXEL_PACK_BUFFER : GL_PIXEL_UNPACK_BUFFER), previous_(0) {
    if (!CurrentDriverPaths().pixelBuffers) {
        return;
    }
    GLint bound = 0;
    GL()->cgmGetIntegerv(__FILE__, __LINE__,
                         pack ? GL_PIXEL_PACK_BUFFER_BINDING : GL_PIXEL_UNPACK_BUFFER_BINDING,
                         &bound);
    if (bound != 0) {
        GL()->cgmBindBuffer(__FILE__, __LINE__, target_, 0);
        previous_ = static_cast<unsigned>(bound);
    }
}

ClientMemoryScope::~ClientMemoryScope() {
    if (previous_ != 0) {
        try {
            restore();
        } catch (...) {
            // The transfer's own exception is on its way; it is the one to report.
        }
    }
}

void ClientMemoryScope::restore() {
    const unsigned previous = previous_;
    previous_ = 0;
    if (previous != 0) {
        GL()->cgmBindBuffer(__FILE__, __LINE__, target_, previous);
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

void ReadTexImage(const char* file, int line, unsigned target, unsigned dimensions, int level,
                  unsigned format, unsigned type, unsigned alignment, void* data) {
    PixelStoreChange change;
    SetTightPackState(change, alignment, dimensions, type);
    ClientMemoryScope noBuffer(true);
    GL()->cgmGetTexImage(file, line, target, level, format, type, data);
    noBuffer.restore();
    change.restore();
}

void ReadTexImage(const char* file, int line, unsigned target, unsigned dimensions, int level,
                  unsigned format, unsigned type, unsigned alignment, Buffer* pbo,
                  std::uintptr_t offset) {
    BufferTransferScope transfer(pbo, BufferTransferScope::kPack);
    SetTightPackState(transfer.pixelStore(), alignment, dimensions, type);
    transfer.bindBuffer();
    GL()->cgmGetTexImage(file, line, target, level, format, type, BufferOffset(offset));
    transfer.finish();
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
