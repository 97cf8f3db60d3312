#pragma once

#include <atomic>
#include <cstdint>

#include "vek/core/utility/Tls.h"
#include "vek/platform/System.h"
#include "vek/vek_ogl/extensionator/FunctionTable.h"

#if defined(_WIN32)
#include <winternl.h>
#endif

namespace VEK {
namespace OGL {
namespace internal {

// What the calling thread's OpenGL calls need to know of its current context, so that a
// checked call outside a glBegin/glEnd pair compares one thread-local word with the current
// context and tests nothing else:
//  - shortWay: the table of the context named by wayKey while no pair is open; kNoTable (every
//    position null, so a table call takes the full way and looks its table up) while no pair
//    is open and the table is not known yet; null without a current context or with a pair
//    open.
//  - wayKey: the complement of the context shortWay was settled for while shortWay is set, 0
//    otherwise. Zero, also its value before the first call, matches no context and not the
//    lack of one, so the key alone tells whether the short way holds.
//  - table: the table of tableContext once looked up, or null.
//  - pairContext: the context current at the glBegin of the open pair, or null.
// Each table is kept with the context it belongs to and holds only while that context is
// still the current one: the host may change the current context without the library seeing
// it (by calling the platform directly), so nothing relies on being told. The words change on
// their own thread, except that a registry change clears the tables of every thread (leaving
// a set shortWay set) and a deleted context ends its pairs on every thread; hence atomics,
// plain moves on the usual processors. wayKey and tableContext only ever change on their own
// thread. Plain __thread: no initialisation guard on the call path.
struct ThreadCalls {
    std::atomic<const FunctionTable*> shortWay{nullptr};
    std::uintptr_t wayKey = 0;
    std::atomic<const FunctionTable*> table{nullptr};
    HGLRC tableContext = nullptr;
    std::atomic<HGLRC> pairContext{nullptr};
};
extern __thread ThreadCalls tThreadCalls VEK_INITIAL_EXEC_TLS;

#if defined(_WIN32)
// mingw-w64's GCC emulates __thread with a function call on every access, which costs the
// checked call more than the rest of its way: the address of each thread's words is also kept
// in one of the 64 native TLS slots, read straight from the thread's TEB. kNoCallsSlot before
// the library is loaded, after it is unloaded, or when no such slot was free: then every access
// takes the emulated way.
constexpr unsigned long kNoCallsSlot = 64;
extern unsigned long gCallsSlot;
// Keeps the address of the calling thread's words in the slot and returns them.
ThreadCalls& KeepCallsInSlot();
#endif

// The calling thread's words; inlined, since a checked call asks for them twice.
__attribute__((always_inline)) inline ThreadCalls& Calls() {
#if defined(_WIN32)
    const unsigned long slot = gCallsSlot;
    if (slot < kNoCallsSlot) {
        // NtCurrentTeb() as an asm of its own: the compiler reads mingw-w64's, inlined, as an
        // access out of bounds.
#if defined(__x86_64__)
        const TEB* teb;
        __asm__("movq %%gs:0x30, %0" : "=r"(teb));
#else
        const TEB* const teb = NtCurrentTeb();
#endif
        void* const kept = teb->TlsSlots[slot];
        return kept != nullptr ? *static_cast<ThreadCalls*>(kept) : KeepCallsInSlot();
    }
#endif
    return tThreadCalls;
}

inline std::uintptr_t WayKey(HGLRC context) {
    return ~reinterpret_cast<std::uintptr_t>(context);
}

// Whether a checked call may take the short way: its table, ShortWayTable(), was settled for
// the context current now. Both take the thread's words, which a call asks for once.
__attribute__((always_inline)) inline bool OnShortWay(const ThreadCalls& calls) {
    return calls.wayKey == WayKey(Platform::CurrentContext());
}
__attribute__((always_inline)) inline const FunctionTable& ShortWayTable(const ThreadCalls& calls) {
    return *calls.shortWay.load(std::memory_order_relaxed);
}

// The table kept for the current context, or null.
inline const FunctionTable* KeptTable() {
    const ThreadCalls& calls = Calls();
    const FunctionTable* table = calls.table.load(std::memory_order_relaxed);
    return calls.tableContext == Platform::CurrentContext() ? table : nullptr;
}

// The table without any entry point, for no context and for a table not yet looked up.
extern const FunctionTable kNoTable;

// Counts registry changes; read before a lookup, so that a table kept from it is dropped when
// the registry changed meanwhile.
unsigned long TablesGeneration();
// Keeps the table of context (the current one), looked up at the generation given.
void KeepTable(const FunctionTable* table, HGLRC context, unsigned long generation);
// Sends every thread back to the registry for its next table.
void ForgetTables();
// Sets shortWay from the other words and the current context.
void Settle();

// The thread's pair opens on the context, or closes.
void OpenPair(HGLRC context);
void ClosePair();
// Ends the pair open on the context on every thread.
void EndPairsOn(HGLRC context);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
