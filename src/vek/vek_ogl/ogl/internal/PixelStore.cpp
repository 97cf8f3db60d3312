#include "vek/vek_ogl/ogl/internal/PixelStore.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/ogl/BufferOGL.h"

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

#ifndef GL_PACK_REVERSE_ROW_ORDER_ANGLE
#define GL_PACK_REVERSE_ROW_ORDER_ANGLE 0x93A4
#endif

// Pack parameters that extensions add, each 0 by default: a read-back sets them to 0 where the
// context offers them, since a caller's non-zero value reorders the rows it writes.
struct ExtensionPackParameter {
    const char* extension;
    GLenum parameter;
};
const ExtensionPackParameter kExtensionPackParameters[] = {
    {"GL_MESA_pack_invert", GL_PACK_INVERT_MESA},
    {"GL_ANGLE_pack_reverse_row_order", GL_PACK_REVERSE_ROW_ORDER_ANGLE},
};
constexpr std::size_t kExtensionParameterCount =
    sizeof(kExtensionPackParameters) / sizeof(ExtensionPackParameter);

bool Offers(const char* extension) {
    const std::vector<std::string>& names = ExtensionManager::Instance()->supportedExtensionNames();
    return std::find(names.begin(), names.end(), extension) != names.end();
}

// One entry per PushPixelStore of this thread: either a push of the client attribute stack or
// the saved values. The extensions' pack parameters are saved by value either way: the
// attribute stack is not bound to hold state its extension does not list.
struct SavedPixelStore {
    bool onAttribStack;
    std::array<GLint, kParameterCount> values;
    std::array<bool, kExtensionParameterCount> extensionOffered;
    std::array<GLint, kExtensionParameterCount> extensionValues;
};

thread_local std::vector<SavedPixelStore> tSavedPixelStores;

}  // namespace

bool HasClientAttribStack() {
    const ExtensionManager* manager = ExtensionManager::Instance();
    const unsigned major = manager->majorVersion();
    const unsigned minor = manager->minorVersion();
    if (major < 3) {
        return true;
    }
    GLint flags = 0;
    GL()->cgmGetIntegerv(__FILE__, __LINE__, GL_CONTEXT_FLAGS, &flags);
    if ((flags & GL_CONTEXT_FLAG_FORWARD_COMPATIBLE_BIT) != 0) {
        return false;
    }
    if (major == 3 && minor < 2) {
        return true;
    }
    GLint profile = 0;
    GL()->cgmGetIntegerv(__FILE__, __LINE__, GL_CONTEXT_PROFILE_MASK, &profile);
    return (profile & GL_CONTEXT_CORE_PROFILE_BIT) == 0;
}

void PushPixelStore() {
    SavedPixelStore saved{HasClientAttribStack(), {}, {}, {}};
    for (std::size_t i = 0; i < kExtensionParameterCount; ++i) {
        saved.extensionOffered[i] = Offers(kExtensionPackParameters[i].extension);
        if (saved.extensionOffered[i]) {
            GL()->cgmGetIntegerv(__FILE__, __LINE__, kExtensionPackParameters[i].parameter,
                                 &saved.extensionValues[i]);
        }
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
    for (std::size_t i = 0; i < kExtensionParameterCount; ++i) {
        if (saved.extensionOffered[i]) {
            GL()->cgmPixelStorei(__FILE__, __LINE__, kExtensionPackParameters[i].parameter,
                                 saved.extensionValues[i]);
        }
    }
}

void SetTightPackState(unsigned alignment) {
    OpenGLInterceptor* gl = GL();
    gl->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_SWAP_BYTES, 0);
    gl->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_LSB_FIRST, 0);
    gl->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_ROW_LENGTH, 0);
    gl->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_SKIP_PIXELS, 0);
    gl->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_SKIP_ROWS, 0);
    const ExtensionManager* manager = ExtensionManager::Instance();
    if (manager->isSupported(OGLEXT_VERSION_1_2) || manager->isSupported(OGLEXT_EXT_texture3D)) {
        gl->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_IMAGE_HEIGHT, 0);
        gl->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_SKIP_IMAGES, 0);
    }
    gl->cgmPixelStorei(__FILE__, __LINE__, GL_PACK_ALIGNMENT, static_cast<GLint>(alignment));
    for (const ExtensionPackParameter& extra : kExtensionPackParameters) {
        if (Offers(extra.extension)) {
            gl->cgmPixelStorei(__FILE__, __LINE__, extra.parameter, 0);
        }
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
    if (!ExtensionManager::Instance()->isSupported(OGLEXT_ARB_pixel_buffer_object)) {
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
    saved_.pop();
}

void ReadTexImage(unsigned target, int level, unsigned format, unsigned type, unsigned alignment,
                  void* data) {
    PixelStoreScope saved;
    SetTightPackState(alignment);
    ClientMemoryScope noBuffer(true);
    GL()->cgmGetTexImage(__FILE__, __LINE__, target, level, format, type, data);
    noBuffer.restore();
    saved.pop();
}

void ReadTexImage(unsigned target, int level, unsigned format, unsigned type, unsigned alignment,
                  Buffer* pbo, std::uintptr_t offset) {
    BufferTransferScope transfer(pbo, BufferTransferScope::kPack);
    SetTightPackState(alignment);
    transfer.bindBuffer();
    GL()->cgmGetTexImage(__FILE__, __LINE__, target, level, format, type, BufferOffset(offset));
    transfer.finish();
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
