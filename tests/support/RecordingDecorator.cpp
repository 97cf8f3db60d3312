#include "support/RecordingDecorator.h"

#include <algorithm>

namespace VEKTest {

RecordingDecorator::RecordingDecorator() {
    VEK::OGL::OpenGLInterceptor::Instance()->addInterceptor(this);
}

RecordingDecorator::~RecordingDecorator() {
    if (VEK::OGL::OpenGLInterceptor::Instance() == this) {
        popInterceptor();
    }
}

std::vector<std::string> RecordingDecorator::entryPoints() const {
    std::vector<std::string> names;
    for (const Call& call : calls_) {
        names.push_back(call.entryPoint);
    }
    return names;
}

std::size_t RecordingDecorator::count(const std::string& entryPoint) const {
    return static_cast<std::size_t>(
        std::count_if(calls_.begin(), calls_.end(),
                      [&](const Call& call) { return call.entryPoint == entryPoint; }));
}

std::vector<std::string> RecordingDecorator::callsExcept(
    const std::vector<std::string>& ignored) const {
    std::vector<std::string> names;
    for (const Call& call : calls_) {
        if (std::find(ignored.begin(), ignored.end(), call.entryPoint) == ignored.end()) {
            names.push_back(call.entryPoint);
        }
    }
    return names;
}

void RecordingDecorator::observe(char const* file, unsigned line, char const* entryPoint) {
    calls_.push_back({file, line, entryPoint});
}

}  // namespace VEKTest
