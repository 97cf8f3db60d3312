#pragma once
// The virtual-table slot of a member function, for tests that pin the interceptor's and the
// program's slot order (Itanium C++ ABI compilers only: VEK_TEST_HAS_VTABLE_SLOT says so).
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__GNUC__) && !defined(_WIN32)
#define VEK_TEST_HAS_VTABLE_SLOT 1
namespace VEKTest {

// Itanium C++ ABI: a pointer to a virtual member function holds 1 + its byte offset in the
// vtable.
template <class M>
std::ptrdiff_t Slot(M member) {
    struct Representation {
        std::uintptr_t pointer;
        std::ptrdiff_t adjustment;
    } r;
    static_assert(sizeof(M) == sizeof(Representation), "unexpected member pointer size");
    std::memcpy(&r, &member, sizeof(r));
    return static_cast<std::ptrdiff_t>((r.pointer - 1) / sizeof(void*));
}

}  // namespace VEKTest
#endif
