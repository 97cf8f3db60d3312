#include "support/RecordingDecorator.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>

namespace VEKTest {

RecordingDecorator::RecordingDecorator() : tracer_(trace_) {
    VEK::OGL::OpenGLInterceptor* head = VEK::OGL::OpenGLInterceptor::Instance();
    if (head == nullptr) {
        throw std::runtime_error("no OpenGL interceptor chain");
    }
    head->addInterceptor(&tracer_);
    head->addInterceptor(this);
}

RecordingDecorator::~RecordingDecorator() {
    VEK::OGL::OpenGLInterceptor* head = VEK::OGL::OpenGLInterceptor::Instance();
    if (head == this) {
        popInterceptor();
        if (VEK::OGL::OpenGLInterceptor::Instance() == &tracer_) {
            tracer_.popInterceptor();
        }
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
    return static_cast<std::size_t>(std::count_if(
        calls_.begin(), calls_.end(), [&](const Call& c) { return c.entryPoint == entryPoint; }));
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

std::vector<std::string> RecordingDecorator::traced() const {
    std::vector<std::string> lines;
    std::istringstream in(trace_.str());
    for (std::string line; std::getline(in, line);) {
        // "file:line: glName(arguments)": the call starts after the first ": " that follows
        // the line number.
        const std::size_t at = line.find(": gl");
        lines.push_back(at == std::string::npos ? line : line.substr(at + 2));
    }
    return lines;
}

void RecordingDecorator::clear() {
    calls_.clear();
    trace_.str(std::string());
}

void RecordingDecorator::failOn(const std::string& entryPoint, Thrower thrower,
                                std::size_t occurrence) {
    failEntryPoint_ = entryPoint;
    thrower_ = std::move(thrower);
    failCountdown_ = occurrence;
}

void RecordingDecorator::observe(char const* file, unsigned line, char const* entryPoint) {
    calls_.push_back(Call{file, line, entryPoint});
    if (failCountdown_ != 0 && failEntryPoint_ == entryPoint && --failCountdown_ == 0) {
        thrower_(file, line);
    }
}

}  // namespace VEKTest
