#pragma once

#include <atomic>

#include "vek/core/utility/Tls.h"
#include "vek/platform/WGL.h"
#include "vek/vek_ogl/extensionator/FunctionTable.h"

namespace VEK {
namespace OGL {
namespace internal {

// What the calling thread's OpenGL calls need to know of its current context, so that a
// checked call outside a glBegin/glEnd pair reads two thread-local words and the current
// context, and tests nothing else:
//  - shortWay: the table of wayContext while no pair is open; kNoTable (every position null,
//    so a table call takes the full way and looks its table up) while no pair is open and the
//    table is not known yet; null without a current context or with a pair open.
//  - table: the table of tableContext once looked up, or null.
//  - pairContext: the context current at the glBegin of the open pair, or null.
// Each table is kept with the context it belongs to and holds only while that context is
// still the current one: the host may change the current context without the library seeing
// it (by calling the platform directly), so nothing relies on being told. The words change on
// their own thread, except that a registry change clears the tables of every thread and a
// deleted context ends its pairs on every thread (hence atomics: plain moves on the usual
// processors); the two context words are only ever touched by their own thread. Plain
// __thread: no initialisation guard on the call path.
struct ThreadCalls {
    std::atomic<const FunctionTable*> shortWay{nullptr};
    HGLRC wayContext = nullptr;
    std::atomic<const FunctionTable*> table{nullptr};
    HGLRC tableContext = nullptr;
    std::atomic<HGLRC> pairContext{nullptr};
};
extern __thread ThreadCalls tThreadCalls VEK_INITIAL_EXEC_TLS;

// The table a checked call may take without looking anything up, or null for the full way.
inline const FunctionTable* ShortWay() {
    const ThreadCalls& calls = tThreadCalls;
    const FunctionTable* way = calls.shortWay.load(std::memory_order_relaxed);
    return calls.wayContext == Platform::CurrentContext() ? way : nullptr;
}

// The table kept for the current context, or null.
inline const FunctionTable* KeptTable() {
    const ThreadCalls& calls = tThreadCalls;
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
