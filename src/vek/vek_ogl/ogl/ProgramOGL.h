#pragma once

#include "vek/Export.h"
#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/ogl/Shader.h"
#include "vek/vek_ogl/ogl/UniformSetters.h"

namespace VEK {
namespace OGL {

/// The operations of one program object, behind the Program facade. The uniform setters exist
/// by name and by location, checked and "_Unsafe" (the rows of UniformSetters.h):
/// - checked: the program must be current ("Program must be enabled to set uniform parameter"),
///   counts must be positive and value pointers non-null, and the location form hands the
///   uniform's OpenGL type to assertActiveUniformType;
/// - _Unsafe: no check at all; a location of -1 makes no OpenGL call.
///
/// The setters: setUniform (1 to 4 bool, unsigned char, int or float values, or an int or float
/// array), setUniform2/3/4 (int or float vector arrays), setUniformSampler1D/2D/2DRECT/3D (a
/// texture unit), setUniformMatrix2/3/4 (one matrix) and setUniformMatrices2/3/4 (count
/// matrices), each also with the _Unsafe suffix. A checked setter throws InternalException when
/// the program is not current, for a non-positive count or null values, or as
/// assertActiveUniformType; every setter throws ExceptionOGL on a GL error and InternalException
/// without a current context.
class VEK_EXPORT ProgramImpl {
public:
    /// Deletes the OpenGL program; failures are dropped. Throws nothing.
    virtual ~ProgramImpl();
    /// Attaches shader, which must be loaded; the program does not own it. Throws InternalException
    /// for a null, foreign or unloaded shader; ExceptionOGL on a GL error, InternalException
    /// without a current context.
    virtual void attach(Shader* shader) = 0;
    /// Compile (errors surface at link) and attach a vertex shader made from the strings. Throws as
    /// Shader's load and attach().
    virtual void loadVertexShader(unsigned count, const char** strings, int* lengths) = 0;
    /// The same for a fragment shader. Throws as loadVertexShader.
    virtual void loadFragmentShader(unsigned count, const char** strings, int* lengths) = 0;
    /// Detaches shader. Throws InternalException for a null or foreign shader; ExceptionOGL on a GL
    /// error, InternalException without a current context.
    virtual void detach(const Shader* shader) = 0;
    /// Detaches every attached vertex shader. Throws ExceptionOGL on a GL error, InternalException
    /// without a current context.
    virtual void detachAllVertexShaders() = 0;
    /// Detaches every attached fragment shader. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context.
    virtual void detachAllFragmentShaders() = 0;
    /// Detaches every attached shader. Throws ExceptionOGL on a GL error, InternalException without
    /// a current context.
    virtual void detachAllShaders() = 0;
    /// With throwOnError a failed link, or a link the driver says will run in software, throws
    /// an InternalException carrying the driver's log. Throws also ExceptionOGL on a GL error,
    /// InternalException without a current context.
    virtual void link(bool throwOnError) = 0;
    /// Work after a link; nothing for the OpenGL program. Throws nothing.
    virtual void postLinkInit() = 0;
    /// Whether the last link succeeded. Throws ExceptionOGL on a GL error, InternalException
    /// without a current context.
    virtual bool isLinked() const = 0;
    /// Makes the linked program current. Throws InternalException when it is not linked;
    /// ExceptionOGL on a GL error, InternalException without a current context.
    virtual void enable() = 0;
    /// Whether the program can run in the current state (glValidateProgram). Throws ExceptionOGL on
    /// a GL error, InternalException without a current context.
    virtual bool validate() const = 0;
    /// Whether this program is the current one. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context.
    virtual bool isEnabled() const = 0;
    /// Makes no program current. Throws ExceptionOGL on a GL error, InternalException without a
    /// current context.
    virtual void disable() = 0;
    /// Binds attribute name to index, effective at the next link. Throws InternalException for a
    /// null name; ExceptionOGL on a GL error, InternalException without a current context.
    virtual void setAttributeLocation(unsigned index, const char* name) = 0;
    /// The location of attribute name, -1 when it is not active. Throws InternalException for a
    /// null name; ExceptionOGL on a GL error, InternalException without a current context.
    virtual int getAttributeLocation(const char* name) = 0;
    /// Number of active uniforms. Throws InternalException when the program is not linked;
    /// ExceptionOGL on a GL error, InternalException without a current context.
    virtual unsigned getActiveUniformCount() const = 0;
    /// Length of the longest active uniform name with its terminating zero. Throws as
    /// getActiveUniformCount.
    virtual int getMaxUniformStringLength() const = 0;
    /// Size, type and name (up to bufSize characters) of active uniform index. Throws
    /// InternalException for null size or type, a null name with a positive bufSize or a program
    /// not linked; ExceptionOGL on a GL error, InternalException without a current context.
    virtual void getActiveUniform(unsigned index, int bufSize, int* size, unsigned* type,
                                  char* name) const = 0;
    /// The location of uniform name; -1 when name is not an active uniform. Throws
    /// InternalException for a null name; ExceptionOGL on a GL error, InternalException without a
    /// current context.
    virtual int getUniformLocation(const char* name) const = 0;

#define VEK_UNIFORM_DECLARATION_PREFIX_ virtual
#define VEK_UNIFORM_DECLARATION_SUFFIX_ = 0
    VEK_UNIFORM_DECLARE_ALL
#undef VEK_UNIFORM_DECLARATION_PREFIX_
#undef VEK_UNIFORM_DECLARATION_SUFFIX_

    /// Called by the checked location setters with the OpenGL type of the value they set; a
    /// hook for checking implementations, which throw InternalException on a mismatch.
    virtual void assertActiveUniformType(int location, unsigned glType, unsigned count) const = 0;
    /// Length of the link log with its terminating zero. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context.
    virtual int getInfoLogLength() const = 0;
    /// Copies up to maxLength characters of the link log to log. Throws InternalException for a
    /// null log with a positive maxLength; ExceptionOGL on a GL error, InternalException without a
    /// current context.
    virtual void getInfoLog(int maxLength, char* log) = 0;

protected:
    /// For the implementations. Throws nothing.
    ProgramImpl() = default;
    ProgramImpl(const ProgramImpl&) = delete;
    ProgramImpl& operator=(const ProgramImpl&) = delete;
};

/// A GLSL program object. It owns its implementation (and through it the OpenGL program), not
/// the shaders attached to it. Copies are refused; moves hand the implementation over, leaving
/// the moved-from program without one (its operations then throw).
///
///   Program program;                                  // needs OpenGL 2.0
///   program.loadVertexShader(1, &vertexSource, nullptr);
///   program.loadFragmentShader(1, &fragmentSource, nullptr);
///   program.setAttributeLocation(0, "position");
///   program.link(true);                               // a failure throws with the log
///   program.enable();
///   program.setUniform("tint", 1.f, 0.5f, 0.f, 1.f);
///
/// The uniform setters (setUniform, setUniform2/3/4, setUniformSampler1D/2D/2DRECT/3D,
/// setUniformMatrix2/3/4, setUniformMatrices2/3/4, by name and by location, and their _Unsafe
/// forms) forward to ProgramImpl's of the same name and parameters and throw as those do;
/// InternalException after a move.
class VEK_EXPORT Program {
public:
    /// Creates the OpenGL program. Throws InternalException "Neither OpenGL core Program nor
    /// Program ARB extensions supported" without OpenGL 2.0; ExceptionOGL on a GL error,
    /// InternalException without a current context.
    Program();
    /// Deletes the implementation and its OpenGL program. Throws nothing.
    ~Program();
    /// Takes other's implementation; other is left without one. Throws nothing.
    Program(Program&& other) noexcept;
    /// Deletes this program's implementation and takes other's. Throws nothing.
    Program& operator=(Program&& other) noexcept;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    /// Whether the current context offers programs (OpenGL 2.0). Throws as
    /// ExtensionManager::CurrentTable when the context is met for the first time.
    static bool IsSupported();
    /// IsSupported(). Throws as IsSupported.
    bool isSupported() const { return IsSupported(); }

    /// Attaches a loaded shader. Throws as ProgramImpl's; InternalException after a move.
    void attach(Shader* shader);
    /// Compiles and attaches a vertex shader made from the strings. Throws as ProgramImpl's;
    /// InternalException after a move.
    void loadVertexShader(unsigned count, const char** strings, int* lengths);
    /// Compiles and attaches a fragment shader made from the strings. Throws as ProgramImpl's;
    /// InternalException after a move.
    void loadFragmentShader(unsigned count, const char** strings, int* lengths);
    /// Detaches shader. Throws as ProgramImpl's; InternalException after a move.
    void detach(const Shader* shader);
    /// Detaches every vertex shader. Throws as ProgramImpl's; InternalException after a move.
    void detachAllVertexShaders();
    /// Detaches every fragment shader. Throws as ProgramImpl's; InternalException after a move.
    void detachAllFragmentShaders();
    /// Detaches every shader. Throws as ProgramImpl's; InternalException after a move.
    void detachAllShaders();
    /// Links; throwOnError makes a failure throw with the driver's log. Throws as ProgramImpl's;
    /// InternalException after a move.
    void link(bool throwOnError);
    /// Work after a link. Throws as ProgramImpl's; InternalException after a move.
    void postLinkInit();
    /// Whether the last link succeeded. Throws as ProgramImpl's; InternalException after a move.
    bool isLinked() const;
    /// Makes the linked program current. Throws as ProgramImpl's; InternalException after a move.
    void enable();
    /// Whether the program can run in the current state. Throws as ProgramImpl's; InternalException
    /// after a move.
    bool validate() const;
    /// Whether this program is current. Throws as ProgramImpl's; InternalException after a move.
    bool isEnabled() const;
    /// Makes no program current. Throws as ProgramImpl's; InternalException after a move.
    void disable();
    /// Binds attribute name to index for the next link. Throws as ProgramImpl's; InternalException
    /// after a move.
    void setAttributeLocation(unsigned index, const char* name);
    /// The location of attribute name, -1 when not active. Throws as ProgramImpl's;
    /// InternalException after a move.
    int getAttributeLocation(const char* name);
    /// Number of active uniforms of the linked program. Throws as ProgramImpl's; InternalException
    /// after a move.
    unsigned getActiveUniformCount() const;
    /// Length of the longest active uniform name. Throws as ProgramImpl's; InternalException after
    /// a move.
    int getMaxUniformStringLength() const;
    /// Size, type and name of active uniform index. Throws as ProgramImpl's; InternalException
    /// after a move.
    void getActiveUniform(unsigned index, int bufSize, int* size, unsigned* type, char* name) const;
    /// The location of uniform name, -1 when not active. Throws as ProgramImpl's; InternalException
    /// after a move.
    int getUniformLocation(const char* name) const;

    // The setters forward inline: a call costs the implementation's virtual call only.
#define VEK_PROGRAM_FORWARD_SCALAR_(SAFETY, setter, ADDRESS, T, arity, glCall, hookType)        \
    void VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_SCALAR_PARAMS(ADDRESS, T, arity)) {     \
        checked()->VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_SCALAR_ARGS(ADDRESS, arity)); \
    }
#define VEK_PROGRAM_FORWARD_ARRAY_(SAFETY, setter, ADDRESS, T, glCall)                  \
    void VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_ARRAY_PARAMS(ADDRESS, T)) {     \
        checked()->VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_ARRAY_ARGS(ADDRESS)); \
    }
#define VEK_PROGRAM_FORWARD_MATRICES_(SAFETY, setter, ADDRESS, glCall, hookType)           \
    void VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_MATRICES_PARAMS(ADDRESS)) {        \
        checked()->VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_MATRICES_ARGS(ADDRESS)); \
    }
#define VEK_PROGRAM_FORWARD_MATRIX_(SAFETY, setter, ADDRESS, many)                       \
    void VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_MATRIX_PARAMS(ADDRESS)) {        \
        checked()->VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_MATRIX_ARGS(ADDRESS)); \
    }
    /// \cond
    VEK_UNIFORM_SETTERS(VEK_PROGRAM_FORWARD_SCALAR_, VEK_PROGRAM_FORWARD_ARRAY_,
                        VEK_PROGRAM_FORWARD_MATRICES_, VEK_PROGRAM_FORWARD_MATRIX_)
#undef VEK_PROGRAM_FORWARD_SCALAR_
#undef VEK_PROGRAM_FORWARD_ARRAY_
#undef VEK_PROGRAM_FORWARD_MATRICES_
#undef VEK_PROGRAM_FORWARD_MATRIX_
    /// \endcond

    /// The implementation's uniform type hook. Throws as ProgramImpl's; InternalException after a
    /// move.
    void assertActiveUniformType(int location, unsigned glType, unsigned count) const;
    /// Length of the link log with its terminating zero. Throws as ProgramImpl's; InternalException
    /// after a move.
    int getInfoLogLength() const;
    /// Copies up to maxLength characters of the link log to log. Throws as ProgramImpl's;
    /// InternalException after a move.
    void getInfoLog(int maxLength, char* log);

    /// The implementation; null after a move. Throws nothing.
    ProgramImpl* implementation() const {
        return actualProgram_;
    }

private:
    ProgramImpl* checked() const {
        VEK_ENFORCE(actualProgram_ != NULL);
        return actualProgram_;
    }

    ProgramImpl* actualProgram_ = nullptr;
};

}  // namespace OGL
}  // namespace VEK
