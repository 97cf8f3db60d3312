#pragma once

#include <atomic>

#include "vek/core/utility/Tls.h"
#include "vek/platform/System.h"
#include "vek/vek_ogl/extensionator/FunctionTable.h"

namespace VEK {
namespace OGL {
namespace internal {

// What the calling thread's OpenGL calls need to know of its current context, so that a
// checked call outside a glBegin/glEnd pair reads one thread-local word and tests nothing else:
//  - shortWay: the current context's table while no pair is open; kNoTable (every position
//    null, so a table call takes the full way and looks its table up) while no pair is open
//    and the table is not known yet; null without a current context or with a pair open.
//  - table: the current context's table once looked up, or null.
//  - pairContext: the context current at the glBegin of the open pair, or null.
// The words change on their own thread, except that a registry change clears the tables of
// every thread and a deleted context ends its pairs on every thread (hence atomics: plain
// moves on the usual processors). Plain __thread: no initialisation guard on the call path.
struct ThreadCalls {
    std::atomic<const FunctionTable*> shortWay{nullptr};
    std::atomic<const FunctionTable*> table{nullptr};
    std::atomic<HGLRC> pairContext{nullptr};
};
extern __thread ThreadCalls tThreadCalls VEK_INITIAL_EXEC_TLS;

// The table without any entry point, for no context and for a table not yet looked up.
extern const FunctionTable kNoTable;

// Counts registry changes; read before a lookup, so that a table kept from it is dropped when
// the registry changed meanwhile.
unsigned long TablesGeneration();
// Keeps the current context's table, looked up at the generation given.
void KeepTable(const FunctionTable* table, unsigned long generation);
// Sends every thread back to the registry for its next table.
void ForgetTables();
// Sets shortWay from the other words and the current context.
void Settle();

// The platform's word that the thread's current context changed.
void CurrentContextChanged(HGLRC previous, HGLRC current);

// The thread's pair opens on the context, or closes.
void OpenPair(HGLRC context);
void ClosePair();
// Ends the pair open on the context on every thread.
void EndPairsOn(HGLRC context);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
