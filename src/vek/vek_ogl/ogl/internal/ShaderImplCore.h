#pragma once

#include <string>

#include "vek/vek_ogl/ogl/Shader.h"

namespace VEK {
namespace OGL {

// A shader object of the OpenGL 2.0 shader interface.
class VEK_EXPORT ShaderImplCore : public ShaderImpl {
public:
    // Requires IsSupported(type) and creates the shader object.
    explicit ShaderImplCore(Shader::ShaderType eShaderType);
    ~ShaderImplCore() override;

    // Fragment and vertex shaders with OpenGL 2.0, tessellation shaders with
    // GL_ARB_tessellation_shader, geometry shaders with OpenGL 3.2, compute shaders never.
    static bool IsSupported(Shader::ShaderType type);
    // The OpenGL shader type of a type and back; anything outside the table throws.
    static unsigned ShaderType2GL(Shader::ShaderType type);
    static Shader::ShaderType GL2ShaderType(unsigned glType);

    void compile(bool throwOnError) override;
    void getInfoLog(int maxLength, char* log) override;
    int getInfoLogLength() const override;
    bool isCompiled() const override;
    bool isLoaded() const override;
    void load(const std::string& source) override;
    void load(unsigned count, const char** strings, int* lengths) override;

    unsigned shaderID() const { return shaderID_; }

private:
    int shaderParameter(unsigned pname) const;

    unsigned shaderID_ = 0;
};

}  // namespace OGL
}  // namespace VEK
