#include "vek/vek_ogl/ogl/Shader.h"

#include <utility>

#include "vek/core/exceptions/InternalException.h"
#include "vek/core/memory/VEKMemory.h"
#include "vek/vek_ogl/ogl/internal/ShaderImplCore.h"

namespace VEK {
namespace OGL {

Shader::Shader(ShaderType type) {
    if (!IsSupported(type)) {
        VEK_THROW_INTERNAL("Unsupported shader type");
    }
    // A throwing constructor gives its block back through the placement deallocation.
    actualShader_ = VEK_NEW(ShaderImplCore)(type);
    VEK_ENFORCE(actualShader_ != NULL);
}

Shader::~Shader() {
    VEK_DELETE(actualShader_);
}

Shader::Shader(Shader&& other) noexcept
    : actualShader_(std::exchange(other.actualShader_, nullptr)) {}

Shader& Shader::operator=(Shader&& other) noexcept {
    if (this != &other) {
        VEK_DELETE(actualShader_);
        actualShader_ = std::exchange(other.actualShader_, nullptr);
    }
    return *this;
}

bool Shader::IsSupported(ShaderType type) {
    return ShaderImplCore::IsSupported(type);
}

ShaderImpl* Shader::checked() const {
    VEK_ENFORCE(actualShader_ != NULL);
    return actualShader_;
}

void Shader::compile(bool throwOnError) {
    checked()->compile(throwOnError);
}

void Shader::getInfoLog(int maxLength, char* log) {
    checked()->getInfoLog(maxLength, log);
}

int Shader::getInfoLogLength() const {
    return checked()->getInfoLogLength();
}

bool Shader::isCompiled() const {
    return checked()->isCompiled();
}

bool Shader::isLoaded() const {
    return checked()->isLoaded();
}

void Shader::load(unsigned count, const char** strings, int* lengths) {
    checked()->load(count, strings, lengths);
}

void Shader::load(const std::string& source) {
    checked()->load(source);
}

}  // namespace OGL
}  // namespace VEK
