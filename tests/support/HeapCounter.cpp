#include "support/HeapCounter.h"

#include <atomic>
#include <cstddef>

#include "vek/core/utility/Sanitizers.h"

// Windows programs and DLLs each call their C runtime's allocator, which no definition here
// replaces.
#if defined(VEK_ADDRESS_SANITIZER) || defined(VEK_THREAD_SANITIZER) || defined(_WIN32)
#define VEK_TEST_UNCOUNTED_HEAP 1
#endif

namespace {

std::atomic<long> gAllocations{0};
thread_local long tAllocations = 0;

}  // namespace

#ifndef VEK_TEST_UNCOUNTED_HEAP

namespace {

void Count() {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    ++tAllocations;
}

}  // namespace

// The executable's definitions come before the C library's for every shared object, so the
// library, the driver and the standard library all allocate through these.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);

void* malloc(std::size_t size) noexcept {
    Count();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) noexcept {
    Count();
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) noexcept {
    Count();
    return __libc_realloc(p, size);
}
void* memalign(std::size_t alignment, std::size_t size) noexcept {
    Count();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    Count();
    return __libc_memalign(alignment, size);
}
}

#endif

namespace VEKTest {

bool HeapCounter::Available() {
#ifdef VEK_TEST_UNCOUNTED_HEAP
    return false;
#else
    return true;
#endif
}

long HeapCounter::Process() {
    return gAllocations.load(std::memory_order_relaxed);
}

long HeapCounter::Thread() {
    return tAllocations;
}

}  // namespace VEKTest
