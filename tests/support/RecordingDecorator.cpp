#include "support/RecordingDecorator.h"

#include <algorithm>

namespace VEKTest {

RecordingDecorator::RecordingDecorator() {
    VEK::OGL::OpenGLInterceptor::Instance()->addInterceptor(this);
}

RecordingDecorator::~RecordingDecorator() {
    VEK::OGL::OpenGLInterceptor::Instance()->popInterceptor();
}

std::size_t RecordingDecorator::count(const std::string& entryPoint) const {
    return static_cast<std::size_t>(std::count(calls_.begin(), calls_.end(), entryPoint));
}

void RecordingDecorator::observe(char const*, unsigned, char const* entryPoint) {
    calls_.push_back(entryPoint);
}

}  // namespace VEKTest
