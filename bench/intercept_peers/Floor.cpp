#include <GL/gl.h>

#include <stdexcept>
#include <string>

#include "Peers.h"

namespace peers {

namespace {

[[noreturn, gnu::noinline, gnu::cold]] void Throw(const char* file, unsigned line, GLenum code) {
    throw std::runtime_error(std::string(file) + ":" + std::to_string(line) + ": GL error " +
                             std::to_string(code));
}

class FloorChain final : public FloorCalls {
public:
    explicit FloorChain(void (*entry)(unsigned, unsigned)) : bindBuffer_(entry) {}

    void bindTexture(const char* file, unsigned line, unsigned target, unsigned name) override {
        glBindTexture(target, name);
        check(file, line);
    }
    void bindBuffer(const char* file, unsigned line, unsigned target, unsigned name) override {
        bindBuffer_(target, name);
        check(file, line);
    }

private:
    static void check(const char* file, unsigned line) {
        if (const GLenum code = glGetError(); code != GL_NO_ERROR) {
            Throw(file, line, code);
        }
    }

    void (*bindBuffer_)(unsigned, unsigned);
};

}  // namespace

FloorCalls& Floor(void (*bindBuffer)(unsigned, unsigned)) {
    static FloorChain floor(bindBuffer);
    return floor;
}

}  // namespace peers
