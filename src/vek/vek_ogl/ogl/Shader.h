#pragma once

#include <string>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// The operations of one shader object, behind the Shader facade.
class VEK_EXPORT ShaderImpl {
public:
    /// Deletes the OpenGL shader; failures are dropped. Throws nothing.
    virtual ~ShaderImpl();
    /// Compiles the loaded source; with throwOnError a failure throws an InternalException
    /// carrying the driver's log. Throws also ExceptionOGL on a GL error, InternalException without
    /// a current context.
    virtual void compile(bool throwOnError) = 0;
    /// Copies up to maxLength characters of the compile log, zero-terminated, to log. Throws
    /// InternalException for a null log with a positive maxLength; ExceptionOGL on a GL error,
    /// InternalException without a current context.
    virtual void getInfoLog(int maxLength, char* log) = 0;
    /// Length of the compile log with its terminating zero, 0 when empty. Throws ExceptionOGL on a
    /// GL error, InternalException without a current context.
    virtual int getInfoLogLength() const = 0;
    /// Whether the last compile succeeded. Throws ExceptionOGL on a GL error, InternalException
    /// without a current context.
    virtual bool isCompiled() const = 0;
    /// Whether a non-empty source is set. Throws ExceptionOGL on a GL error, InternalException
    /// without a current context.
    virtual bool isLoaded() const = 0;
    /// Sets source as the shader's source. Throws ExceptionOGL on a GL error, InternalException
    /// without a current context.
    virtual void load(const std::string& source) = 0;
    /// count strings, each of lengths[i] characters (null lengths, or a negative length: up to
    /// its terminating zero). No strings or only empty ones make the source empty: the shader
    /// is then not loaded. Throws InternalException for null strings; ExceptionOGL on a GL error,
    /// InternalException without a current context.
    virtual void load(unsigned count, const char** strings, int* lengths) = 0;

protected:
    /// For the implementations. Throws nothing.
    ShaderImpl() = default;
    ShaderImpl(const ShaderImpl&) = delete;
    ShaderImpl& operator=(const ShaderImpl&) = delete;
};

/// A GLSL shader object of one type. It owns its implementation (and through it the OpenGL
/// shader); copies are refused and moves hand the implementation over, leaving the moved-from
/// shader without one (its operations then throw).
class VEK_EXPORT Shader {
public:
    /// The pipeline stage of a shader.
    enum ShaderType {
        kFragmentShader = 0,                ///< GL_FRAGMENT_SHADER
        kVertexShader = 1,                  ///< GL_VERTEX_SHADER
        kTessellationControlShader = 2,     ///< GL_TESS_CONTROL_SHADER
        kTessellationEvaluationShader = 3,  ///< GL_TESS_EVALUATION_SHADER
        kGeometryShader = 4,                ///< GL_GEOMETRY_SHADER
        kComputeShader = 5                  ///< never supported
    };

    /// Creates the shader object on the current context; a type the context lacks throws
    /// "Unsupported shader type" (InternalException). Throws also ExceptionOGL on a GL error,
    /// InternalException without a current context.
    explicit Shader(ShaderType type);
    /// Deletes the implementation and its OpenGL shader. Throws nothing.
    ~Shader();
    /// Takes other's implementation; other is left without one. Throws nothing.
    Shader(Shader&& other) noexcept;
    /// Deletes this shader's implementation and takes other's. Throws nothing.
    Shader& operator=(Shader&& other) noexcept;
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    /// Whether the current context offers shaders of this type. Throws as
    /// ExtensionManager::CurrentTable when the context is met for the first time.
    static bool IsSupported(ShaderType type);

    /// Compiles the loaded source; throwOnError makes a failure throw with the driver's log. Throws
    /// as ShaderImpl's; InternalException after a move.
    void compile(bool throwOnError);
    /// Copies up to maxLength characters of the compile log to log. Throws as ShaderImpl's;
    /// InternalException after a move.
    void getInfoLog(int maxLength, char* log);
    /// Length of the compile log with its terminating zero. Throws as ShaderImpl's;
    /// InternalException after a move.
    int getInfoLogLength() const;
    /// Whether the last compile succeeded. Throws as ShaderImpl's; InternalException after a move.
    bool isCompiled() const;
    /// Whether a non-empty source is set. Throws as ShaderImpl's; InternalException after a move.
    bool isLoaded() const;
    /// Sets the source from count strings (see ShaderImpl::load). Throws as ShaderImpl's;
    /// InternalException after a move.
    void load(unsigned count, const char** strings, int* lengths);
    /// Sets source as the shader's source. Throws as ShaderImpl's; InternalException after a move.
    void load(const std::string& source);

    /// The implementation, for the program implementations that attach it; null after a move.
    /// Throws nothing.
    ShaderImpl* implementation() const { return actualShader_; }

private:
    ShaderImpl* checked() const;

    ShaderImpl* actualShader_ = nullptr;
};

/// A vertex shader.
class VEK_EXPORT VertexShader : public Shader {
public:
    /// Throws as Shader::Shader.
    VertexShader() : Shader(kVertexShader) {}
};

/// A fragment shader.
class VEK_EXPORT FragmentShader : public Shader {
public:
    /// Throws as Shader::Shader.
    FragmentShader() : Shader(kFragmentShader) {}
};

/// A geometry shader.
class VEK_EXPORT GeometryShader : public Shader {
public:
    /// Throws as Shader::Shader.
    GeometryShader() : Shader(kGeometryShader) {}
};

/// A tessellation control shader.
class VEK_EXPORT TessellationControlShader : public Shader {
public:
    /// Throws as Shader::Shader.
    TessellationControlShader() : Shader(kTessellationControlShader) {}
};

/// A tessellation evaluation shader.
class VEK_EXPORT TessellationEvaluationShader : public Shader {
public:
    /// Throws as Shader::Shader.
    TessellationEvaluationShader() : Shader(kTessellationEvaluationShader) {}
};

/// Never supported: constructing one throws "Unsupported shader type".
class VEK_EXPORT ComputeShader : public Shader {
public:
    /// Throws InternalException ("Unsupported shader type").
    ComputeShader() : Shader(kComputeShader) {}
};

}  // namespace OGL
}  // namespace VEK
