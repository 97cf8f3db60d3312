#pragma once

#include <mutex>

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"

namespace VEK {
namespace OGL {
namespace internal {

// The chain's head, made on first use by whichever thread comes first: contexts are made on
// several threads at once and each reaches the chain. Once made, the head is read without a lock.
// Pushing, popping and destroying remain single-threaded.
template <class Checker, class Interceptor>
Interceptor* MadeHead(Interceptor*& head, const char* noMemory) {
    Interceptor* made = __atomic_load_n(&head, __ATOMIC_ACQUIRE);
    if (made != nullptr) {
        return made;
    }
    static std::mutex creation;
    std::lock_guard<std::mutex> lock(creation);
    made = __atomic_load_n(&head, __ATOMIC_RELAXED);
    if (made == nullptr) {
        made = VEK_NEW(Checker)();
        // Every call site dereferences the head at once: no memory must be an exception.
        if (made == nullptr) {
            VEK_THROW_INTERNAL(noMemory);
        }
        __atomic_store_n(&head, made, __ATOMIC_RELEASE);
    }
    return made;
}

// The stack discipline shared by the OpenGL and WGL chains: a pushed decorator forwards to the
// old head; popping unlinks the head only when it is a decorator (the checker stays).
template <class Interceptor, class Decorator>
void PushDecorator(Interceptor*& head, Decorator* decorator) {
    VEK_ASSERT(decorator != NULL);
    VEK_ASSERT(decorator != head);
    // A decorator further down would close a cycle: every call would go round for ever.
    for (Interceptor* link = head; link != nullptr;) {
        auto* linked = dynamic_cast<Decorator*>(link);
        if (linked == nullptr) {
            break;
        }
        if (linked == decorator) {
            VEK_THROW_INTERNAL("The decorator is already in the interceptor chain");
        }
        link = linked->interceptor();
    }
    decorator->setInterceptor(head);
    head = decorator;
}

template <class Decorator, class Interceptor>
Decorator* PopDecorator(Interceptor*& head) {
    auto* decorator = dynamic_cast<Decorator*>(head);
    if (decorator != nullptr) {
        head = decorator->interceptor();
    }
    return decorator;
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
