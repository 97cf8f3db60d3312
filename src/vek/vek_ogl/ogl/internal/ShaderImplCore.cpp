#include "vek/vek_ogl/ogl/internal/ShaderImplCore.h"

#include <climits>
#include <cstring>
#include <vector>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/extensionator/internal/GLErrors.h"
#include "vek/vek_ogl/ogl/internal/CurrentSupport.h"

namespace VEK {
namespace OGL {

namespace {

struct TypeRow {
    Shader::ShaderType type;
    GLenum glType;
};

// Compute shaders have no row: the library never makes one.
constexpr TypeRow kTypes[] = {
    {Shader::kFragmentShader, GL_FRAGMENT_SHADER},
    {Shader::kVertexShader, GL_VERTEX_SHADER},
    {Shader::kTessellationControlShader, GL_TESS_CONTROL_SHADER},
    {Shader::kTessellationEvaluationShader, GL_TESS_EVALUATION_SHADER},
    {Shader::kGeometryShader, GL_GEOMETRY_SHADER},
};

}  // namespace

ShaderImpl::~ShaderImpl() = default;

bool ShaderImplCore::IsSupported(Shader::ShaderType type) {
    switch (type) {
        case Shader::kFragmentShader:
        case Shader::kVertexShader:
            return internal::CurrentContextSupports(OGLEXT_VERSION_2_0);
        case Shader::kTessellationControlShader:
        case Shader::kTessellationEvaluationShader:
            return internal::CurrentContextSupports(OGLEXT_ARB_tessellation_shader);
        case Shader::kGeometryShader:
            return internal::CurrentContextSupports(OGLEXT_VERSION_3_2);
        case Shader::kComputeShader:
            return false;
    }
    return false;
}

unsigned ShaderImplCore::ShaderType2GL(Shader::ShaderType type) {
    for (const TypeRow& row : kTypes) {
        if (row.type == type) {
            return row.glType;
        }
    }
    VEK_THROW_INTERNAL("No OpenGL shader type for shader type " << static_cast<int>(type));
}

Shader::ShaderType ShaderImplCore::GL2ShaderType(unsigned glType) {
    for (const TypeRow& row : kTypes) {
        if (row.glType == glType) {
            return row.type;
        }
    }
    VEK_THROW_INTERNAL("No shader type for OpenGL shader type 0x" << std::hex << glType);
}

ShaderImplCore::ShaderImplCore(Shader::ShaderType eShaderType) {
    VEK_ASSERT(IsSupported(eShaderType));
    internal::ThrowPendingGLError(__FILE__, __LINE__);
    shaderID_ = VEK_GL(CreateShader)(ShaderType2GL(eShaderType));
    VEK_ASSERT(shaderID_ != 0);
}

ShaderImplCore::~ShaderImplCore() {
    // Construction guarantees a name; a destructor cannot report, so an OpenGL error here (the
    // current context does not know the name) is dropped rather than ending the process.
    if (shaderID_ != 0) {
        try {
            VEK_GL(DeleteShader)(shaderID_);
        } catch (...) {
        }
    }
}

int ShaderImplCore::shaderParameter(unsigned pname) const {
    GLint value = 0;
    VEK_GL(GetShaderiv)(shaderID_, pname, &value);
    return value;
}

void ShaderImplCore::load(unsigned count, const char** strings, int* lengths) {
    // No strings, or only empty ones, is a source too: the shader's source becomes empty and it
    // is no longer loaded. That is how a caller clears a source.
    VEK_ASSERT(count <= INT_MAX);
    VEK_ENFORCE(strings != NULL);
    for (unsigned i = 0; i < count; ++i) {
        VEK_ASSERT(strings[i] != nullptr);
    }
    if (count == 0) {
        // Some drivers keep the old source for no strings at all: one empty string clears it.
        const GLchar* none = "";
        VEK_GL(ShaderSource)(shaderID_, 1, &none, nullptr);
        return;
    }
    VEK_GL(ShaderSource)(shaderID_, static_cast<GLsizei>(count), strings, lengths);
}

void ShaderImplCore::load(const std::string& source) {
    VEK_ASSERT(source.size() <= INT_MAX);
    const GLchar* text = source.c_str();
    const GLint length = static_cast<GLint>(source.size());
    VEK_GL(ShaderSource)(shaderID_, 1, &text, &length);
}

bool ShaderImplCore::isLoaded() const {
    // The length counts the terminating zero.
    return shaderParameter(GL_SHADER_SOURCE_LENGTH) > 1;
}

bool ShaderImplCore::isCompiled() const {
    return shaderParameter(GL_COMPILE_STATUS) != 0;
}

int ShaderImplCore::getInfoLogLength() const {
    return shaderParameter(GL_INFO_LOG_LENGTH);
}

void ShaderImplCore::getInfoLog(int maxLength, char* log) {
    VEK_ASSERT(maxLength <= 0 || log != nullptr);
    VEK_GL(GetShaderInfoLog)(shaderID_, maxLength, nullptr, log);
}

void ShaderImplCore::compile(bool throwOnError) {
    VEK_GL(CompileShader)(shaderID_);
    if (!throwOnError || isCompiled()) {
        return;
    }
    const int length = getInfoLogLength();
    if (length == 0) {
        VEK_THROW_INTERNAL("Unknown Compile Error.");
    }
    std::vector<char> log(static_cast<std::size_t>(length) + 1, '\0');
    getInfoLog(length, log.data());
    const std::string message = std::string("Program Compile Error: \n") + log.data();
    VEK_THROW_INTERNAL(message);
}

}  // namespace OGL
}  // namespace VEK
