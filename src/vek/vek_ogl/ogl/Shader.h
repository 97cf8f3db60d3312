#pragma once

#include <string>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// The operations of one shader object, behind the Shader facade.
class VEK_EXPORT ShaderImpl {
public:
    virtual ~ShaderImpl();
    /// Compiles the loaded source; with throwOnError a failure throws an InternalException
    /// carrying the driver's log.
    virtual void compile(bool throwOnError) = 0;
    virtual void getInfoLog(int maxLength, char* log) = 0;
    virtual int getInfoLogLength() const = 0;
    virtual bool isCompiled() const = 0;
    /// Whether a non-empty source is set.
    virtual bool isLoaded() const = 0;
    virtual void load(const std::string& source) = 0;
    /// count strings, each of lengths[i] characters (null lengths, or a negative length: up to
    /// its terminating zero). No strings or only empty ones make the source empty: the shader
    /// is then not loaded.
    virtual void load(unsigned count, const char** strings, int* lengths) = 0;

protected:
    ShaderImpl() = default;
    ShaderImpl(const ShaderImpl&) = delete;
    ShaderImpl& operator=(const ShaderImpl&) = delete;
};

/// A GLSL shader object of one type. It owns its implementation (and through it the OpenGL
/// shader); copies are refused and moves hand the implementation over, leaving the moved-from
/// shader without one (its operations then throw).
class VEK_EXPORT Shader {
public:
    enum ShaderType {
        kFragmentShader = 0,
        kVertexShader = 1,
        kTessellationControlShader = 2,
        kTessellationEvaluationShader = 3,
        kGeometryShader = 4,
        kComputeShader = 5
    };

    /// Creates the shader object on the current context; a type the context lacks throws
    /// "Unsupported shader type".
    explicit Shader(ShaderType type);
    ~Shader();
    Shader(Shader&& other) noexcept;
    Shader& operator=(Shader&& other) noexcept;
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    /// Whether the current context offers shaders of this type.
    static bool IsSupported(ShaderType type);

    void compile(bool throwOnError);
    void getInfoLog(int maxLength, char* log);
    int getInfoLogLength() const;
    bool isCompiled() const;
    bool isLoaded() const;
    void load(unsigned count, const char** strings, int* lengths);
    void load(const std::string& source);

    /// The implementation, for the program implementations that attach it; null after a move.
    ShaderImpl* implementation() const { return actualShader_; }

private:
    ShaderImpl* checked() const;

    ShaderImpl* actualShader_ = nullptr;
};

class VEK_EXPORT VertexShader : public Shader {
public:
    VertexShader() : Shader(kVertexShader) {}
};

class VEK_EXPORT FragmentShader : public Shader {
public:
    FragmentShader() : Shader(kFragmentShader) {}
};

class VEK_EXPORT GeometryShader : public Shader {
public:
    GeometryShader() : Shader(kGeometryShader) {}
};

class VEK_EXPORT TessellationControlShader : public Shader {
public:
    TessellationControlShader() : Shader(kTessellationControlShader) {}
};

class VEK_EXPORT TessellationEvaluationShader : public Shader {
public:
    TessellationEvaluationShader() : Shader(kTessellationEvaluationShader) {}
};

/// Never supported: constructing one throws "Unsupported shader type".
class VEK_EXPORT ComputeShader : public Shader {
public:
    ComputeShader() : Shader(kComputeShader) {}
};

}  // namespace OGL
}  // namespace VEK
