#pragma once

namespace VEKTest {

// Heap allocations made since the program started: malloc, calloc, realloc and the aligned
// allocations, which operator new reaches too, whichever library makes them. A program that
// uses these replaces the C library's allocator entry points with counting ones, so it should be
// a program of its own. Under AddressSanitizer or ThreadSanitizer, which own the allocator, and on
// Windows, nothing is replaced and nothing is counted.
struct HeapCounter {
    static bool Available();
    // By every thread of the process.
    static long Process();
    // By the calling thread alone: the driver's own threads do not count.
    static long Thread();
};

}  // namespace VEKTest
