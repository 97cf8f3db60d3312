#pragma once

#include <exception>
#include <iosfwd>
#include <string>

#include "vek/Export.h"

namespace VEK {

/// Root of every exception the library throws. Carries a short kind text, returned by what().
class VEK_EXPORT ExceptionBase : public std::exception {
public:
    /// Kind text "VEK exception". Throws only std::bad_alloc.
    ExceptionBase();
    /// Kind text as given (not null). Throws only std::bad_alloc.
    explicit ExceptionBase(const char* text);
    /// Copies the kind text. Throws only std::bad_alloc.
    ExceptionBase(const ExceptionBase& other);
    /// Copies the kind text; assignment to itself does nothing. Throws only std::bad_alloc.
    ExceptionBase& operator=(const ExceptionBase& other);
    /// Throws nothing.
    ~ExceptionBase() override;

    /// The kind text, such as "VEK Internal exception". Throws nothing.
    const char* what() const noexcept override;
    /// A heap copy of the same dynamic class made through the allocation hook; null when the
    /// hook gives no memory. Destroy it with VEK_DELETE. Throws only std::bad_alloc.
    virtual ExceptionBase* clone() const;
    /// Writes the kind text to stream. Throws only what the stream throws.
    virtual void write(std::ostream& stream) const;

protected:
    /// Replaces the kind text; for the constructors of derived kinds. Throws only std::bad_alloc.
    void setKindText(const char* text) { kindText_ = text; }

private:
    std::string kindText_;
};

/// Writes exception to stream through its virtual write(). Throws only what the stream throws.
VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const ExceptionBase& exception);

}  // namespace VEK
