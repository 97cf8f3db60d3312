#include "vek/vek_ogl/extensionator/internal/ThreadCalls.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace VEK {
namespace OGL {
namespace internal {

__thread ThreadCalls tThreadCalls VEK_INITIAL_EXEC_TLS;

#if defined(_WIN32)
unsigned long gCallsSlot = kNoCallsSlot;

namespace {

// The slot lives while the library is loaded.
struct CallsSlot {
    DWORD index = TlsAlloc();
    CallsSlot() {
        if (index < kNoCallsSlot) {
            gCallsSlot = index;
        }
    }
    ~CallsSlot() {
        gCallsSlot = kNoCallsSlot;
        if (index != TLS_OUT_OF_INDEXES) {
            TlsFree(index);
        }
    }
    CallsSlot(const CallsSlot&) = delete;
    CallsSlot& operator=(const CallsSlot&) = delete;
} gCallsSlotOwner;

// Empties the thread's slot as the thread ends, before the emulation frees the words.
struct SlotEmptier {
    ~SlotEmptier() {
        if (gCallsSlot < kNoCallsSlot) {
            TlsSetValue(gCallsSlot, nullptr);
        }
    }
};

}  // namespace

ThreadCalls& KeepCallsInSlot() {
    static thread_local SlotEmptier emptier;
    static_cast<void>(emptier);
    ThreadCalls& calls = tThreadCalls;
    TlsSetValue(gCallsSlot, &calls);
    return calls;
}
#endif

const FunctionTable kNoTable{};

namespace {

// The words of every live thread that has kept a table or opened a pair, for the changes
// made from other threads.
std::mutex gThreadsMutex;
std::vector<ThreadCalls*> gThreads;
std::atomic<unsigned long> gGeneration{0};

// Lists the thread's words from the first time it needs them until the thread ends.
struct ListedThread {
    ListedThread() {
        std::lock_guard<std::mutex> lock(gThreadsMutex);
        gThreads.push_back(&Calls());
    }
    ~ListedThread() {
        std::lock_guard<std::mutex> lock(gThreadsMutex);
        gThreads.erase(std::remove(gThreads.begin(), gThreads.end(), &Calls()), gThreads.end());
    }
    ListedThread(const ListedThread&) = delete;
    ListedThread& operator=(const ListedThread&) = delete;
};

void ListThread() {
    static thread_local ListedThread listed;
    static_cast<void>(listed);
}

}  // namespace

unsigned long TablesGeneration() {
    return gGeneration.load();
}

void Settle() {
    ThreadCalls& calls = Calls();
    // A registry change between reading the table and publishing it either shows in the
    // generation here or finds the published table in its walk.
    for (;;) {
        const unsigned long generation = gGeneration.load();
        const HGLRC current = Platform::CurrentContext();
        const FunctionTable* way = nullptr;
        if (calls.pairContext.load() == nullptr && current != nullptr) {
            const FunctionTable* table = calls.table.load();
            way = table != nullptr && calls.tableContext == current ? table : &kNoTable;
        }
        if (way == nullptr) {
            calls.wayKey = 0;
            calls.shortWay.store(nullptr);
        } else {
            calls.shortWay.store(way);
            calls.wayKey = WayKey(current);
        }
        if (gGeneration.load() == generation) {
            return;
        }
    }
}

void KeepTable(const FunctionTable* table, HGLRC context, unsigned long generation) {
    ListThread();
    ThreadCalls& calls = Calls();
    calls.tableContext = context;
    calls.table.store(table);
    if (gGeneration.load() != generation) {
        // Looked up before the registry changed: stale, so not kept.
        calls.table.compare_exchange_strong(table, nullptr);
    }
    Settle();
}

void ForgetTables() {
    gGeneration.fetch_add(1);
    std::lock_guard<std::mutex> lock(gThreadsMutex);
    for (ThreadCalls* calls : gThreads) {
        calls->table.store(nullptr);
        const FunctionTable* way = calls->shortWay.load();
        while (way != nullptr && way != &kNoTable &&
               !calls->shortWay.compare_exchange_weak(way, &kNoTable)) {
        }
    }
}

void OpenPair(HGLRC context) {
    ListThread();
    ThreadCalls& calls = Calls();
    calls.pairContext.store(context);
    calls.wayKey = 0;
    calls.shortWay.store(nullptr);
}

void ClosePair() {
    Calls().pairContext.store(nullptr);
    Settle();
}

void EndPairsOn(HGLRC context) {
    if (context == nullptr) {
        return;
    }
    // A context current on a thread is deleted on that thread only, so no pair can be opened
    // on it meanwhile; the exchange leaves a pair on any other context alone. The thread finds
    // its pair over on its next call, which takes the full way while its pair is open.
    std::lock_guard<std::mutex> lock(gThreadsMutex);
    for (ThreadCalls* calls : gThreads) {
        HGLRC expected = context;
        calls->pairContext.compare_exchange_strong(expected, nullptr);
    }
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
