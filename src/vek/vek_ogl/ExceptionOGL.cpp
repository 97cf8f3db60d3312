#include "vek/vek_ogl/ExceptionOGL.h"

#include <utility>

#include "vek/core/memory/VEKMemory.h"

namespace VEK {
namespace OGL {

ExceptionOGL::ExceptionOGL(char const* file, unsigned line, char const* message,
                           unsigned errorNumber)
    : LogicalException(file, static_cast<int>(line), message), errorNumber_(errorNumber) {}

namespace {

std::string WithDriverMessage(char const* message, std::string const& driverMessage) {
    std::string text = message != nullptr ? message : "Undefined";
    if (!driverMessage.empty()) {
        text += " (" + driverMessage + ")";
    }
    return text;
}

}  // namespace

ExceptionOGL::ExceptionOGL(char const* file, unsigned line, char const* message,
                           unsigned errorNumber, std::string driverMessage)
    : LogicalException(file, static_cast<int>(line),
                       WithDriverMessage(message, driverMessage).c_str()),
      errorNumber_(errorNumber),
      driverMessage_(std::move(driverMessage)) {}

ExceptionOGL::ExceptionOGL(const ExceptionOGL& other) = default;

ExceptionOGL& ExceptionOGL::operator=(const ExceptionOGL& other) = default;

ExceptionOGL::~ExceptionOGL() = default;

ExceptionBase* ExceptionOGL::clone() const {
    return VEK_NEW(ExceptionOGL)(*this);
}

}  // namespace OGL
}  // namespace VEK
