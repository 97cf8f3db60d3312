#pragma once

#include <sstream>

#include "vek/Export.h"
#include "vek/core/exceptions/LogicalException.h"

namespace VEK {

/// A broken invariant or failed check inside the library.
class VEK_EXPORT InternalException : public LogicalException {
public:
    InternalException();
    InternalException(const char* file, int line, const char* message);
    InternalException(const InternalException& other);
    InternalException& operator=(const InternalException& other);
    ~InternalException() override;

    ExceptionBase* clone() const override;
};

}  // namespace VEK

// Checks stay active in every build. The message is the condition's source text.
#define VEK_ASSERT(condition)                                               \
    do {                                                                    \
        if (!(condition)) {                                                 \
            throw ::VEK::InternalException(__FILE__, __LINE__, #condition); \
        }                                                                   \
    } while (false)

// For a pointer the code has just obtained (a cast, a look-up, a creation).
#define VEK_ENFORCE(condition)                                                         \
    do {                                                                               \
        if (!(condition)) {                                                            \
            throw ::VEK::InternalException(__FILE__, __LINE__, "Enforce " #condition); \
        }                                                                              \
    } while (false)

// Throws an InternalException whose message is composed with stream insertions:
// VEK_THROW_INTERNAL("Context " << name << " failed");
#define VEK_THROW_INTERNAL(streamed)                                                       \
    do {                                                                                   \
        std::ostringstream vekThrowStream_;                                                \
        vekThrowStream_ << streamed;                                                       \
        throw ::VEK::InternalException(__FILE__, __LINE__, vekThrowStream_.str().c_str()); \
    } while (false)
