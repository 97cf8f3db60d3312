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
class VEK_EXPORT ProgramImpl {
public:
    virtual ~ProgramImpl();
    /// shader must be loaded; the program does not own it.
    virtual void attach(Shader* shader) = 0;
    /// Compile (errors surface at link) and attach a shader made from the strings.
    virtual void loadVertexShader(unsigned count, const char** strings, int* lengths) = 0;
    virtual void loadFragmentShader(unsigned count, const char** strings, int* lengths) = 0;
    virtual void detach(const Shader* shader) = 0;
    virtual void detachAllVertexShaders() = 0;
    virtual void detachAllFragmentShaders() = 0;
    virtual void detachAllShaders() = 0;
    /// With throwOnError a failed link, or a link the driver says will run in software, throws
    /// an InternalException carrying the driver's log.
    virtual void link(bool throwOnError) = 0;
    virtual void postLinkInit() = 0;
    virtual bool isLinked() const = 0;
    /// Makes the linked program current.
    virtual void enable() = 0;
    virtual bool validate() const = 0;
    virtual bool isEnabled() const = 0;
    virtual void disable() = 0;
    virtual void setAttributeLocation(unsigned index, const char* name) = 0;
    virtual int getAttributeLocation(const char* name) = 0;
    virtual unsigned getActiveUniformCount() const = 0;
    virtual int getMaxUniformStringLength() const = 0;
    virtual void getActiveUniform(unsigned index, int bufSize, int* size, unsigned* type,
                                  char* name) const = 0;
    /// -1 when name is not an active uniform.
    virtual int getUniformLocation(const char* name) const = 0;

#define VEK_UNIFORM_DECLARATION_PREFIX_ virtual
#define VEK_UNIFORM_DECLARATION_SUFFIX_ = 0
    VEK_UNIFORM_DECLARE_ALL
#undef VEK_UNIFORM_DECLARATION_PREFIX_
#undef VEK_UNIFORM_DECLARATION_SUFFIX_

    /// Called by the checked location setters with the OpenGL type of the value they set.
    virtual void assertActiveUniformType(int location, unsigned glType, unsigned count) const = 0;
    virtual int getInfoLogLength() const = 0;
    virtual void getInfoLog(int maxLength, char* log) = 0;

protected:
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
class VEK_EXPORT Program {
public:
    /// "Neither OpenGL core Program nor Program ARB extensions supported" without OpenGL 2.0.
    Program();
    ~Program();
    Program(Program&& other) noexcept;
    Program& operator=(Program&& other) noexcept;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    /// Whether the current context offers programs (OpenGL 2.0).
    static bool IsSupported();
    bool isSupported() const { return IsSupported(); }

    void attach(Shader* shader);
    void loadVertexShader(unsigned count, const char** strings, int* lengths);
    void loadFragmentShader(unsigned count, const char** strings, int* lengths);
    void detach(const Shader* shader);
    void detachAllVertexShaders();
    void detachAllFragmentShaders();
    void detachAllShaders();
    void link(bool throwOnError);
    void postLinkInit();
    bool isLinked() const;
    void enable();
    bool validate() const;
    bool isEnabled() const;
    void disable();
    void setAttributeLocation(unsigned index, const char* name);
    int getAttributeLocation(const char* name);
    unsigned getActiveUniformCount() const;
    int getMaxUniformStringLength() const;
    void getActiveUniform(unsigned index, int bufSize, int* size, unsigned* type, char* name) const;
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
    VEK_UNIFORM_SETTERS(VEK_PROGRAM_FORWARD_SCALAR_, VEK_PROGRAM_FORWARD_ARRAY_,
                        VEK_PROGRAM_FORWARD_MATRICES_, VEK_PROGRAM_FORWARD_MATRIX_)
#undef VEK_PROGRAM_FORWARD_SCALAR_
#undef VEK_PROGRAM_FORWARD_ARRAY_
#undef VEK_PROGRAM_FORWARD_MATRICES_
#undef VEK_PROGRAM_FORWARD_MATRIX_

    void assertActiveUniformType(int location, unsigned glType, unsigned count) const;
    int getInfoLogLength() const;
    void getInfoLog(int maxLength, char* log);

    /// The implementation; null after a move.
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
