#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>

namespace VEKTest {

// Pushed onto the process-wide OpenGL chain for its lifetime: records every call the library
// makes (entry point, caller's file and line) and forwards it unchanged. Pop order is the
// chain's: destroy recorders in the reverse order of their construction.
class RecordingDecorator : public VEK::OGL::OpenGLCallObserver {
public:
    struct Call {
        std::string file;
        unsigned line;
        std::string entryPoint;
    };

    RecordingDecorator();
    ~RecordingDecorator() override;

    const std::vector<Call>& calls() const { return calls_; }
    // The entry points in call order, "glBindTexture".
    std::vector<std::string> entryPoints() const;
    std::size_t count(const std::string& entryPoint) const;
    // The calls other than those named: what is left when the harmless queries are taken out.
    std::vector<std::string> callsExcept(const std::vector<std::string>& ignored) const;
    void clear() { calls_.clear(); }

protected:
    void observe(char const* file, unsigned line, char const* entryPoint) override;

private:
    std::vector<Call> calls_;
};

}  // namespace VEKTest
