#include "vek/vek_ogl/ogl/internal/ProgramImplCore.h"

#include <string>
#include <vector>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/extensionator/internal/GLErrors.h"
#include "vek/vek_ogl/ogl/internal/CurrentSupport.h"
#include "vek/vek_ogl/ogl/internal/ShaderImplCore.h"

namespace VEK {
namespace OGL {

namespace {

// Values as the OpenGL call takes them: bool and unsigned char through the integer calls.
inline GLint ToGL(bool value) {
    return value ? 1 : 0;
}
inline GLint ToGL(unsigned char value) {
    return value;
}
inline GLint ToGL(int value) {
    return value;
}
inline GLfloat ToGL(float value) {
    return value;
}

const ShaderImplCore* CoreShaderOf(const Shader* shader) {
    VEK_ENFORCE(shader != NULL);
    const ShaderImplCore* coreShader =
        dynamic_cast<const ShaderImplCore*>(shader->implementation());
    VEK_ENFORCE(coreShader != NULL);
    return coreShader;
}

std::string ReadLog(ProgramImplCore& program, int length) {
    std::vector<char> log(static_cast<std::size_t>(length) + 1, '\0');
    program.getInfoLog(length, log.data());
    return log.data();
}

const char* ShaderKindOf(GLint type) {
    switch (type) {
        case GL_VERTEX_SHADER:
            return "vertex shader";
        case GL_FRAGMENT_SHADER:
            return "fragment shader";
        case GL_GEOMETRY_SHADER:
            return "geometry shader";
        case GL_TESS_CONTROL_SHADER:
            return "tessellation control shader";
        case GL_TESS_EVALUATION_SHADER:
            return "tessellation evaluation shader";
        default:
            return "shader";
    }
}

// The compiler's log of every shader attached to the program that did not compile, each after
// a line naming its kind: a failed link says only that a shader was not compiled, and
// loadVertexShader and loadFragmentShader leave compile errors to the link.
std::string CompileErrorsOfAttached(GLuint program) {
    GLint attached = 0;
    VEK_GL(GetProgramiv)(program, GL_ATTACHED_SHADERS, &attached);
    if (attached < 1) {
        return {};
    }
    std::vector<GLuint> names(static_cast<std::size_t>(attached));
    GLsizei count = 0;
    VEK_GL(GetAttachedShaders)(program, attached, &count, names.data());
    std::string errors;
    for (GLsizei i = 0; i < count; ++i) {
        GLint compiled = 0;
        VEK_GL(GetShaderiv)(names[i], GL_COMPILE_STATUS, &compiled);
        if (compiled != 0) {
            continue;
        }
        GLint type = 0;
        GLint length = 0;
        VEK_GL(GetShaderiv)(names[i], GL_SHADER_TYPE, &type);
        VEK_GL(GetShaderiv)(names[i], GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
        if (length > 1) {
            VEK_GL(GetShaderInfoLog)(names[i], length, nullptr, log.data());
        }
        errors += std::string("\nProgram Compile Error (") + ShaderKindOf(type) + "): \n" +
                  (log[0] != '\0' ? log.data() : "Unknown Compile Error.");
    }
    return errors;
}

// A checked setter's values: a count below 1 or no values is refused before any OpenGL call.
template <class T>
void RequireValues(int count, T* values) {
    VEK_ASSERT(count > 0);
    VEK_ASSERT(values != nullptr);
}

}  // namespace

ProgramImpl::~ProgramImpl() = default;

bool ProgramImplCore::IsSupported() {
    return internal::CurrentContextSupports(OGLEXT_VERSION_2_0);
}

ProgramImplCore::ProgramImplCore() {
    VEK_ASSERT(IsSupported());
    internal::ThrowPendingGLError(__FILE__, __LINE__);
    programID_ = VEK_GL(CreateProgram)();
    VEK_ASSERT(programID_ != 0);
}

ProgramImplCore::~ProgramImplCore() {
    // Construction guarantees a name; a destructor cannot report, so an OpenGL error here (the
    // current context does not know the name) is dropped rather than ending the process.
    if (programID_ != 0) {
        try {
            VEK_GL(DeleteProgram)(programID_);
        } catch (...) {
        }
    }
}

void ProgramImplCore::attach(Shader* shader) {
    const ShaderImplCore* coreShader = CoreShaderOf(shader);
    if (!coreShader->isLoaded()) {
        VEK_THROW_INTERNAL("Shader must be loaded before attaching");
    }
    VEK_GL(AttachShader)(programID_, coreShader->shaderID());
}

void ProgramImplCore::detach(const Shader* shader) {
    const ShaderImplCore* coreShader = CoreShaderOf(shader);
    VEK_GL(DetachShader)(programID_, coreShader->shaderID());
}

void ProgramImplCore::loadShader(Shader::ShaderType type, unsigned count, const char** strings,
                                 int* lengths) {
    // OpenGL keeps the shader object while it stays attached; compile errors show at link.
    Shader shader(type);
    shader.load(count, strings, lengths);
    shader.compile(false);
    attach(&shader);
}

void ProgramImplCore::loadVertexShader(unsigned count, const char** strings, int* lengths) {
    loadShader(Shader::kVertexShader, count, strings, lengths);
}

void ProgramImplCore::loadFragmentShader(unsigned count, const char** strings, int* lengths) {
    loadShader(Shader::kFragmentShader, count, strings, lengths);
}

void ProgramImplCore::detachAllShaders() {
    for (;;) {
        GLuint names[64];
        GLsizei count = 0;
        VEK_GL(GetAttachedShaders)(programID_, 64, &count, names);
        if (count < 1) {
            break;
        }
        for (GLsizei i = 0; i < count; ++i) {
            VEK_GL(DetachShader)(programID_, names[i]);
        }
    }
}

void ProgramImplCore::detachAllOfType(unsigned glType) {
    // Every attached name at once: shaders of the other types stay attached, so reading a
    // fixed number of names again would find the same ones and miss those after them.
    const GLint attached = programParameter(GL_ATTACHED_SHADERS);
    if (attached < 1) {
        return;
    }
    std::vector<GLuint> names(static_cast<std::size_t>(attached));
    GLsizei count = 0;
    VEK_GL(GetAttachedShaders)(programID_, attached, &count, names.data());
    for (GLsizei i = 0; i < count; ++i) {
        GLint type = 0;
        VEK_GL(GetShaderiv)(names[i], GL_SHADER_TYPE, &type);
        if (static_cast<unsigned>(type) == glType) {
            VEK_GL(DetachShader)(programID_, names[i]);
        }
    }
}

void ProgramImplCore::detachAllVertexShaders() {
    detachAllOfType(GL_VERTEX_SHADER);
}

void ProgramImplCore::detachAllFragmentShaders() {
    detachAllOfType(GL_FRAGMENT_SHADER);
}

void ProgramImplCore::link(bool throwOnError) {
    VEK_GL(LinkProgram)(programID_);
    if (!throwOnError) {
        return;
    }
    if (!isLinked()) {
        const int length = getInfoLogLength();
        if (length <= 1) {
            const std::string message =
                "Unknown Program Link Error\n" + CompileErrorsOfAttached(programID_);
            VEK_THROW_INTERNAL(message);
        }
        const std::string message =
            "Program Link Error: \n" + ReadLog(*this, length) + CompileErrorsOfAttached(programID_);
        VEK_THROW_INTERNAL(message);
    }
    const int length = getInfoLogLength();
    if (length > 1) {
        // Some drivers link what they can only run in software, and say so only in the log.
        const std::string log = ReadLog(*this, length);
        if (log.find("run in software") != std::string::npos) {
            const std::string message = "Program Link Error(Falling to Software): \n" + log;
            VEK_THROW_INTERNAL(message);
        }
    }
}

void ProgramImplCore::postLinkInit() {}

int ProgramImplCore::programParameter(unsigned pname) const {
    GLint value = 0;
    VEK_GL(GetProgramiv)(programID_, pname, &value);
    return value;
}

bool ProgramImplCore::isLinked() const {
    return programParameter(GL_LINK_STATUS) != 0;
}

bool ProgramImplCore::validate() const {
    VEK_GL(ValidateProgram)(programID_);
    return programParameter(GL_VALIDATE_STATUS) != 0;
}

int ProgramImplCore::getInfoLogLength() const {
    return programParameter(GL_INFO_LOG_LENGTH);
}

void ProgramImplCore::getInfoLog(int maxLength, char* log) {
    VEK_ASSERT(maxLength <= 0 || log != nullptr);
    VEK_GL(GetProgramInfoLog)(programID_, maxLength, nullptr, log);
}

void ProgramImplCore::enable() {
    if (!isLinked()) {
        VEK_THROW_INTERNAL("Program must be linked before being enabled");
    }
    VEK_GL(UseProgram)(programID_);
}

void ProgramImplCore::disable() {
    VEK_GL(UseProgram)(0);
}

bool ProgramImplCore::isEnabled() const {
    GLint current = 0;
    VEK_GL(GetIntegerv)(GL_CURRENT_PROGRAM, &current);
    return static_cast<unsigned>(current) == programID_;
}

void ProgramImplCore::setAttributeLocation(unsigned index, const char* name) {
    VEK_ASSERT(name != nullptr);
    VEK_GL(BindAttribLocation)(programID_, index, name);
}

int ProgramImplCore::getAttributeLocation(const char* name) {
    VEK_ASSERT(name != nullptr);
    return VEK_GL(GetAttribLocation)(programID_, name);
}

void ProgramImplCore::requireLinkedForUniformQueries() const {
    if (!isLinked()) {
        VEK_THROW_INTERNAL("Program must be linked to get active uniform count");
    }
}

unsigned ProgramImplCore::getActiveUniformCount() const {
    requireLinkedForUniformQueries();
    return static_cast<unsigned>(programParameter(GL_ACTIVE_UNIFORMS));
}

int ProgramImplCore::getMaxUniformStringLength() const {
    requireLinkedForUniformQueries();
    return programParameter(GL_ACTIVE_UNIFORM_MAX_LENGTH);
}

void ProgramImplCore::getActiveUniform(unsigned index, int bufSize, int* size, unsigned* type,
                                       char* name) const {
    VEK_ASSERT(size != nullptr && type != nullptr);
    VEK_ASSERT(bufSize <= 0 || name != nullptr);
    requireLinkedForUniformQueries();
    VEK_GL(GetActiveUniform)(programID_, index, bufSize, nullptr, size, type, name);
}

int ProgramImplCore::getUniformLocation(const char* name) const {
    VEK_ASSERT(name != nullptr);
    return VEK_GL(GetUniformLocation)(programID_, name);
}

void ProgramImplCore::assertActiveUniformType(int, unsigned, unsigned) const {}

void ProgramImplCore::requireEnabled() const {
    if (!isEnabled()) {
        VEK_THROW_INTERNAL("Program must be enabled to set uniform parameter");
    }
}

// The rules of the family. Checked: values first (no OpenGL call for a refused count), then
// the program must be current, since glUniform acts on the current program whatever location
// it is given; the location forms of typed setters then call the type hook. _Unsafe: nothing
// is checked, and a location of -1 (no such uniform) is not passed on.

template <ProgramImplCore::Safety S, class Call, class... Values>
void ProgramImplCore::setScalar(int location, unsigned hookType, Call call, Values... values) {
    if constexpr (S == kChecked) {
        requireEnabled();
        assertActiveUniformType(location, hookType, 1);
    } else {
        (void)hookType;
        if (location == -1) {
            return;
        }
    }
    internal::MakeGLCall(call, __FILE__, __LINE__)(location, ToGL(values)...);
}

template <ProgramImplCore::Safety S, class Call, class... Values>
void ProgramImplCore::setScalar(const char* name, unsigned hookType, Call call, Values... values) {
    setScalar<S>(getUniformLocation(name), hookType, call, values...);
}

template <ProgramImplCore::Safety S, class T, class Call>
void ProgramImplCore::setArray(int location, int count, T* values, Call call) {
    if constexpr (S == kChecked) {
        RequireValues(count, values);
        requireEnabled();
    } else {
        if (location == -1) {
            return;
        }
    }
    internal::MakeGLCall(call, __FILE__, __LINE__)(location, count, values);
}

// By name the arrays go straight to OpenGL with the location found, -1 included.
template <ProgramImplCore::Safety S, class T, class Call>
void ProgramImplCore::setArray(const char* name, int count, T* values, Call call) {
    if constexpr (S == kChecked) {
        RequireValues(count, values);
        requireEnabled();
    }
    const int location = getUniformLocation(name);
    internal::MakeGLCall(call, __FILE__, __LINE__)(location, count, values);
}

template <ProgramImplCore::Safety S, class Call>
void ProgramImplCore::setMatrices(int location, int count, const float* values,
                                  unsigned char transpose, unsigned hookType, Call call) {
    if constexpr (S == kChecked) {
        RequireValues(count, values);
        requireEnabled();
        assertActiveUniformType(location, hookType, static_cast<unsigned>(count));
    } else {
        (void)hookType;
        if (location == -1) {
            return;
        }
    }
    internal::MakeGLCall(call, __FILE__, __LINE__)(location, count, transpose, values);
}

template <ProgramImplCore::Safety S, class Call>
void ProgramImplCore::setMatrices(const char* name, int count, const float* values,
                                  unsigned char transpose, unsigned hookType, Call call) {
    if constexpr (S == kChecked) {
        RequireValues(count, values);
    }
    setMatrices<S>(getUniformLocation(name), count, values, transpose, hookType, call);
}

// The 136 setters, one per row.
#define VEK_SAFETY_CHECKED kChecked
#define VEK_SAFETY_UNSAFE kUnsafe

#define VEK_DEFINE_SCALAR(SAFETY, setter, ADDRESS, T, arity, glCall, hookType)      \
    void ProgramImplCore::VEK_UNIFORM_SETTER(                                       \
        SAFETY, setter)(VEK_UNIFORM_SCALAR_PARAMS(ADDRESS, T, arity)) {             \
        setScalar<VEK_SAFETY_##SAFETY>(VEK_UNIFORM_ADDRESS_ARG_##ADDRESS, hookType, \
                                       &OpenGLInterceptor::cgm##glCall,             \
                                       VEK_UNIFORM_VALUE_ARGS_##arity);             \
    }
#define VEK_DEFINE_ARRAY(SAFETY, setter, ADDRESS, T, glCall)                                 \
    void ProgramImplCore::VEK_UNIFORM_SETTER(SAFETY,                                         \
                                             setter)(VEK_UNIFORM_ARRAY_PARAMS(ADDRESS, T)) { \
        setArray<VEK_SAFETY_##SAFETY>(VEK_UNIFORM_ARRAY_ARGS(ADDRESS),                       \
                                      &OpenGLInterceptor::cgm##glCall);                      \
    }
#define VEK_DEFINE_MATRICES(SAFETY, setter, ADDRESS, glCall, hookType)                       \
    void ProgramImplCore::VEK_UNIFORM_SETTER(SAFETY,                                         \
                                             setter)(VEK_UNIFORM_MATRICES_PARAMS(ADDRESS)) { \
        setMatrices<VEK_SAFETY_##SAFETY>(VEK_UNIFORM_MATRICES_ARGS(ADDRESS), hookType,       \
                                         &OpenGLInterceptor::cgm##glCall);                   \
    }
#define VEK_DEFINE_MATRIX(SAFETY, setter, ADDRESS, many)                                           \
    void ProgramImplCore::VEK_UNIFORM_SETTER(SAFETY, setter)(VEK_UNIFORM_MATRIX_PARAMS(ADDRESS)) { \
        ProgramImplCore::VEK_UNIFORM_SETTER(SAFETY, many)(VEK_UNIFORM_ADDRESS_ARG_##ADDRESS, 1,    \
                                                          values, transpose);                      \
    }

VEK_UNIFORM_SETTERS(VEK_DEFINE_SCALAR, VEK_DEFINE_ARRAY, VEK_DEFINE_MATRICES, VEK_DEFINE_MATRIX)

}  // namespace OGL
}  // namespace VEK
