#pragma once

#include <string>
#include <vector>

#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>

namespace VEKTest {

// Records the name of every OpenGL call the library makes while it heads the interceptor
// chain (pushed by the constructor, popped by the destructor), and forwards each unchanged.
class RecordingDecorator : public VEK::OGL::OpenGLCallObserver {
public:
    RecordingDecorator();
    ~RecordingDecorator() override;
    RecordingDecorator(const RecordingDecorator&) = delete;
    RecordingDecorator& operator=(const RecordingDecorator&) = delete;

    const std::vector<std::string>& calls() const { return calls_; }
    void clear() { calls_.clear(); }
    // How many recorded calls have this entry point's name ("glUniform1f").
    std::size_t count(const std::string& entryPoint) const;

protected:
    void observe(char const* file, unsigned line, char const* entryPoint) override;

private:
    std::vector<std::string> calls_;
};

}  // namespace VEKTest
