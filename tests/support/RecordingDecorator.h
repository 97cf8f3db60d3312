#pragma once

#include <cstddef>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>

namespace VEKTest {

// Heads the process-wide OpenGL chain from construction to destruction and records every call
// the library makes: its entry point and caller, and (through a tracer behind it) its arguments.
// A call can be made to fail before it reaches the driver, for faults a driver cannot produce.
// Pop order is the chain's: destroy recorders in the reverse order of their construction.
class RecordingDecorator : public VEK::OGL::OpenGLCallObserver {
public:
    struct Call {
        std::string file;
        unsigned line;
        std::string entryPoint;
    };
    using Thrower = std::function<void(char const* file, unsigned line)>;

    RecordingDecorator();
    ~RecordingDecorator() override;
    RecordingDecorator(const RecordingDecorator&) = delete;
    RecordingDecorator& operator=(const RecordingDecorator&) = delete;

    const std::vector<Call>& calls() const { return calls_; }
    // The recorded entry points in order, "glEnable", ...
    std::vector<std::string> entryPoints() const;
    std::size_t count(const std::string& entryPoint) const;
    // The calls other than those named: what is left when the harmless queries are taken out.
    std::vector<std::string> callsExcept(const std::vector<std::string>& ignored) const;
    // Each call that reached the driver as "glName(arguments)", enumerants by name, in order.
    std::vector<std::string> traced() const;
    void clear();

    // The occurrence-th call (1-based, counted from now) to entryPoint runs thrower instead of
    // being forwarded; thrower must throw.
    void failOn(const std::string& entryPoint, Thrower thrower, std::size_t occurrence = 1);

protected:
    void observe(char const* file, unsigned line, char const* entryPoint) override;

private:
    std::ostringstream trace_;
    VEK::OGL::OpenGLTracer tracer_;
    std::vector<Call> calls_;
    std::string failEntryPoint_;
    Thrower thrower_;
    std::size_t failCountdown_ = 0;
};

}  // namespace VEKTest
