#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace VEK {
namespace OGL {
class Buffer;
class PixelUnpackParameters;

namespace internal {

// Saves the pack and unpack pixel-store state of the current context: with
// glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT) where the context has the stack, else by reading
// every pack and unpack parameter onto a per-thread stack.
void PushPixelStore();
// Puts back the state of the matching PushPixelStore.
void PopPixelStore();

// The pixel-store values one transfer needs, written only where the context's value differs
// and put back afterwards: a transfer costs a read per parameter that can move its pixels, and
// a write and a restore per parameter the caller left otherwise.
class PixelStoreChange {
public:
    PixelStoreChange() = default;
    // Puts back what restore() did not, dropping failures (the transfer's own is on its way).
    ~PixelStoreChange();
    PixelStoreChange(const PixelStoreChange&) = delete;
    PixelStoreChange& operator=(const PixelStoreChange&) = delete;

    // Reads parameter; where it is not value, sets it and remembers the caller's value.
    void set(unsigned parameter, int value);
    // Puts back every changed parameter, last changed first. Each is put back even when one
    // fails; the first failure is then thrown.
    void restore();

private:
    struct Saved {
        unsigned parameter;
        int value;
    };
    static constexpr std::size_t kMaxSaved = 12;
    Saved saved_[kMaxSaved] = {};
    std::size_t count_ = 0;
};

// The pixels of one transfer as the pixel store sees them: its dimensions (1, 2 or 3; only a
// three-dimensional one reads the image height and skipped images), OpenGL format and type,
// and the pixels of a row.
struct PixelLayout {
    unsigned dimensions;
    unsigned format;
    unsigned type;
    unsigned width;
};

// The unpack state of an upload laid out as parameters say. Only what can move the pixels is
// read: byte swapping moves elements wider than a byte, bit order only bitmaps, and the row
// alignment nothing when every row is a whole number of 8-byte words.
void SetUnpackState(PixelStoreChange& change, const PixelUnpackParameters& parameters,
                    const PixelLayout& layout);
// The pack state of a read-back into memory sized for the image alone: rows of the image's own
// width, nothing skipped, swapped or reversed, rows aligned to alignment bytes. Whatever the
// caller left in the pack state would otherwise move the image or write past its end.
void SetTightPackState(PixelStoreChange& change, unsigned alignment, const PixelLayout& layout);

// PushPixelStore on construction; pop() restores, and the destructor restores when pop() was
// not reached (a transfer that threw), swallowing what a second failure would report.
class PixelStoreScope {
public:
    PixelStoreScope();
    ~PixelStoreScope();
    PixelStoreScope(const PixelStoreScope&) = delete;
    PixelStoreScope& operator=(const PixelStoreScope&) = delete;

    void pop();
    // Leaves the saved state for a later PopPixelStore.
    void keep() { pushed_ = false; }

private:
    bool pushed_;
};

// While a transfer reads or writes client memory, no buffer is bound to the pixel pack or unpack
// target, so that the pointer is never taken for an offset into a buffer the caller left bound.
class ClientMemoryScope {
public:
    // pack: the read-back target, else the upload target.
    explicit ClientMemoryScope(bool pack);
    ~ClientMemoryScope();
    ClientMemoryScope(const ClientMemoryScope&) = delete;
    ClientMemoryScope& operator=(const ClientMemoryScope&) = delete;

    void restore();

private:
    unsigned target_;
    unsigned previous_;
};

// Remembers what is bound to a texture or buffer target and binds it again on restore() or,
// when a transfer threw, on destruction.
class BindingScope {
public:
    enum Kind { kTexture, kBuffer };
    BindingScope(Kind kind, unsigned target, unsigned previous)
        : kind_(kind), target_(target), previous_(previous), active_(true) {}
    ~BindingScope();
    BindingScope(const BindingScope&) = delete;
    BindingScope& operator=(const BindingScope&) = delete;

    void restore();

private:
    void bind() const;

    Kind kind_;
    unsigned target_;
    unsigned previous_;
    bool active_;
};

// A transfer through a pixel buffer: the constructor gives the buffer the transfer's role (a
// refused role change leaves nothing saved or bound) and saves the pixel-store state; the caller
// sets the transfer's pixel-store state, then bindBuffer() binds the buffer. finish() puts the
// binding and the pixel-store state back; the destructor does when the transfer threw.
// The transfer's pixel-store state is set through pixelStore().
class BufferTransferScope {
public:
    enum Role { kUnpack, kPack };
    BufferTransferScope(Buffer* pbo, Role role);
    BufferTransferScope(const BufferTransferScope&) = delete;
    BufferTransferScope& operator=(const BufferTransferScope&) = delete;

    PixelStoreChange& pixelStore() { return saved_; }
    void bindBuffer();
    void finish();

private:
    static Buffer* WithRole(Buffer* pbo, Role role);

    Buffer* pbo_;
    PixelStoreChange saved_;
    std::optional<BindingScope> binding_;
};

// A byte offset into the buffer bound to a pixel transfer's target, as GL takes it.
inline void* BufferOffset(std::uintptr_t offset) {
    return reinterpret_cast<void*>(offset);
}

// Reads a level of the texture bound to target back with rows
// aligned to alignment bytes: into client memory (nothing else skipped or swapped, no pack
// buffer bound), or into the buffer at the offset. The caller's pixel-store state and bindings
// come back, also when the read threw. file and line name the read itself.
void ReadTexImage(const char* file, int line, unsigned target, int level, const PixelLayout& layout,
                  unsigned alignment, void* data);
void ReadTexImage(const char* file, int line, unsigned target, int level, const PixelLayout& layout,
                  unsigned alignment, Buffer* pbo, std::uintptr_t offset);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
