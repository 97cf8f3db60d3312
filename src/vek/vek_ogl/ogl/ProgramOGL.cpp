#include "vek/vek_ogl/ogl/ProgramOGL.h"

#include <utility>

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ogl/ogl/internal/ProgramImplCore.h"

namespace VEK {
namespace OGL {

Program::Program() {
    if (!ProgramImplCore::IsSupported()) {
        VEK_THROW_INTERNAL("Neither OpenGL core Program nor Program ARB extensions supported");
    }
    // A throwing constructor gives its block back through the placement deallocation.
    actualProgram_ = VEK_NEW(ProgramImplCore)();
    VEK_ENFORCE(actualProgram_ != NULL);
}

Program::~Program() {
    VEK_DELETE(actualProgram_);
}

Program::Program(Program&& other) noexcept
    : actualProgram_(std::exchange(other.actualProgram_, nullptr)) {}

Program& Program::operator=(Program&& other) noexcept {
    if (this != &other) {
        VEK_DELETE(actualProgram_);
        actualProgram_ = std::exchange(other.actualProgram_, nullptr);
    }
    return *this;
}

bool Program::IsSupported() {
    return ProgramImplCore::IsSupported();
}

void Program::attach(Shader* shader) {
    checked()->attach(shader);
}
void Program::loadVertexShader(unsigned count, const char** strings, int* lengths) {
    checked()->loadVertexShader(count, strings, lengths);
}
void Program::loadFragmentShader(unsigned count, const char** strings, int* lengths) {
    checked()->loadFragmentShader(count, strings, lengths);
}
void Program::detach(const Shader* shader) {
    checked()->detach(shader);
}
void Program::detachAllVertexShaders() {
    checked()->detachAllVertexShaders();
}
void Program::detachAllFragmentShaders() {
    checked()->detachAllFragmentShaders();
}
void Program::detachAllShaders() {
    checked()->detachAllShaders();
}
void Program::link(bool throwOnError) {
    checked()->link(throwOnError);
}
void Program::postLinkInit() {
    checked()->postLinkInit();
}
bool Program::isLinked() const {
    return checked()->isLinked();
}
void Program::enable() {
    checked()->enable();
}
bool Program::validate() const {
    return checked()->validate();
}
bool Program::isEnabled() const {
    return checked()->isEnabled();
}
void Program::disable() {
    checked()->disable();
}
void Program::setAttributeLocation(unsigned index, const char* name) {
    checked()->setAttributeLocation(index, name);
}
int Program::getAttributeLocation(const char* name) {
    return checked()->getAttributeLocation(name);
}
unsigned Program::getActiveUniformCount() const {
    return checked()->getActiveUniformCount();
}
int Program::getMaxUniformStringLength() const {
    return checked()->getMaxUniformStringLength();
}
void Program::getActiveUniform(unsigned index, int bufSize, int* size, unsigned* type,
                               char* name) const {
    checked()->getActiveUniform(index, bufSize, size, type, name);
}
int Program::getUniformLocation(const char* name) const {
    return checked()->getUniformLocation(name);
}
void Program::assertActiveUniformType(int location, unsigned glType, unsigned count) const {
    checked()->assertActiveUniformType(location, glType, count);
}
int Program::getInfoLogLength() const {
    return checked()->getInfoLogLength();
}
void Program::getInfoLog(int maxLength, char* log) {
    checked()->getInfoLog(maxLength, log);
}

}  // namespace OGL
}  // namespace VEK
