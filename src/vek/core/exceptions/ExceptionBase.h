#pragma once

#include <exception>
#include <iosfwd>
#include <string>

#include "vek/Export.h"

namespace VEK {

/// Root of every exception the library throws. Carries a short kind text, returned by what().
class VEK_EXPORT ExceptionBase : public std::exception {
public:
    ExceptionBase();
    explicit ExceptionBase(const char* text);
    ExceptionBase(const ExceptionBase& other);
    ExceptionBase& operator=(const ExceptionBase& other);
    ~ExceptionBase() override;

    const char* what() const noexcept override;
    /// A heap copy of the same dynamic class made through the allocation hook; null when the
    /// hook gives no memory. Destroy it with VEK_DELETE.
    virtual ExceptionBase* clone() const;
    virtual void write(std::ostream& stream) const;

protected:
    void setKindText(const char* text) { kindText_ = text; }

private:
    std::string kindText_;
};

VEK_EXPORT std::ostream& operator<<(std::ostream& stream, const ExceptionBase& exception);

}  // namespace VEK
