#pragma once

#include "vek/vek_ogl/ogl/ProgramOGL.h"

namespace VEK {
namespace OGL {

// A program object of the OpenGL 2.0 shader interface. Every uniform setter is one row of
// UniformSetters.h made into a call of one of the four templates below, which hold the rules
// of the family.
class VEK_EXPORT ProgramImplCore : public ProgramImpl {
public:
    // Requires IsSupported() and creates the program object.
    ProgramImplCore();
    ~ProgramImplCore() override;

    // OpenGL 2.0.
    static bool IsSupported();

    void attach(Shader* shader) override;
    void loadVertexShader(unsigned count, const char** strings, int* lengths) override;
    void loadFragmentShader(unsigned count, const char** strings, int* lengths) override;
    void detach(const Shader* shader) override;
    void detachAllVertexShaders() override;
    void detachAllFragmentShaders() override;
    void detachAllShaders() override;
    void link(bool throwOnError) override;
    void postLinkInit() override;
    bool isLinked() const override;
    void enable() override;
    bool validate() const override;
    bool isEnabled() const override;
    void disable() override;
    void setAttributeLocation(unsigned index, const char* name) override;
    int getAttributeLocation(const char* name) override;
    unsigned getActiveUniformCount() const override;
    int getMaxUniformStringLength() const override;
    void getActiveUniform(unsigned index, int bufSize, int* size, unsigned* type,
                          char* name) const override;
    int getUniformLocation(const char* name) const override;

#define VEK_UNIFORM_DECLARATION_PREFIX_
#define VEK_UNIFORM_DECLARATION_SUFFIX_ override
    VEK_UNIFORM_DECLARE_ALL
#undef VEK_UNIFORM_DECLARATION_PREFIX_
#undef VEK_UNIFORM_DECLARATION_SUFFIX_

    void assertActiveUniformType(int location, unsigned glType, unsigned count) const override;
    int getInfoLogLength() const override;
    void getInfoLog(int maxLength, char* log) override;

    unsigned programID() const {
        return programID_;
    }

private:
    enum Safety { kChecked, kUnsafe };

    template <Safety S, class Call, class... Values>
    void setScalar(int location, unsigned hookType, Call call, Values... values);
    template <Safety S, class Call, class... Values>
    void setScalar(const char* name, unsigned hookType, Call call, Values... values);
    template <Safety S, class T, class Call>
    void setArray(int location, int count, T* values, Call call);
    template <Safety S, class T, class Call>
    void setArray(const char* name, int count, T* values, Call call);
    template <Safety S, class Call>
    void setMatrices(int location, int count, const float* values, unsigned char transpose,
                     unsigned hookType, Call call);
    template <Safety S, class Call>
    void setMatrices(const char* name, int count, const float* values, unsigned char transpose,
                     unsigned hookType, Call call);

    void requireEnabled() const;
    int programParameter(unsigned pname) const;
    void requireLinkedForUniformQueries() const;
    void loadShader(Shader::ShaderType type, unsigned count, const char** strings, int* lengths);
    void detachAllOfType(unsigned glType);

    unsigned programID_ = 0;
};

}  // namespace OGL
}  // namespace VEK
