#pragma once

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace OGL {
namespace internal {

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
