#pragma once

#include <sstream>

#include "vek/Export.h"
#include "vek/core/exceptions/LogicalException.h"

namespace VEK {

/// A broken invariant or failed check inside the library.
class VEK_EXPORT InternalException : public LogicalException {
public:
    /// Kind text "VEK Internal exception", file and message "Undefined", line 0. Throws only
    /// std::bad_alloc.
    InternalException();
    /// Kind text "VEK Internal exception"; a null file or message becomes "Undefined". Throws
    /// only std::bad_alloc.
    InternalException(const char* file, int line, const char* message);
    /// Copies kind text, file, line and message. Throws only std::bad_alloc.
    InternalException(const InternalException& other);
    /// Copies kind text, file, line and message. Throws only std::bad_alloc.
    InternalException& operator=(const InternalException& other);
    /// Throws nothing.
    ~InternalException() override;

    /// A heap InternalException with equal fields, made through the allocation hook; null when
    /// the hook gives no memory. Destroy it with VEK_DELETE. Throws only std::bad_alloc.
    ExceptionBase* clone() const override;
};

}  // namespace VEK

/// Throws InternalException when condition is false; the message is the condition's source
/// text. Checks stay active in every build.
#define VEK_ASSERT(condition)                                               \
    do {                                                                    \
        if (!(condition)) {                                                 \
            throw ::VEK::InternalException(__FILE__, __LINE__, #condition); \
        }                                                                   \
    } while (false)

/// As VEK_ASSERT with the message "Enforce " and the condition's text; for a pointer the code
/// has just obtained (a cast, a look-up, a creation).
#define VEK_ENFORCE(condition)                                                         \
    do {                                                                               \
        if (!(condition)) {                                                            \
            throw ::VEK::InternalException(__FILE__, __LINE__, "Enforce " #condition); \
        }                                                                              \
    } while (false)

/// Throws an InternalException whose message is composed with stream insertions:
/// VEK_THROW_INTERNAL("Context " << name << " failed");
#define VEK_THROW_INTERNAL(streamed)                                                       \
    do {                                                                                   \
        std::ostringstream vekThrowStream_;                                                \
        vekThrowStream_ << streamed;                                                       \
        throw ::VEK::InternalException(__FILE__, __LINE__, vekThrowStream_.str().c_str()); \
    } while (false)
