// The 136 uniform setters, table-driven: every kind sets what glGetUniform reads back, by name
// and by location, checked and _Unsafe; the enabled check, the type hook, the refusals and the
// calls each form makes.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/ogl/ProgramOGL.h>
#include <vek/vek_ogl/ogl/internal/ProgramImplCore.h>

#include "support/GLLayer.h"
#include "support/InternalMessage.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using VEKTest::InternalMessageOf;
using VEKTest::RawGL;

namespace {

const char* const kVertex =
    "#version 330\n"
    "void main() { gl_Position = vec4(0.0); }\n";

// Every uniform is used, each array element included, so that all are active.
const char* const kFragment = R"(#version 330
uniform bool b1; uniform bvec2 b2; uniform bvec3 b3; uniform bvec4 b4;
uniform int i1; uniform ivec2 i2; uniform ivec3 i3; uniform ivec4 i4;
uniform float f1; uniform vec2 f2; uniform vec3 f3; uniform vec4 f4;
uniform sampler1D s1; uniform sampler2D s2; uniform sampler2DRect sr; uniform sampler3D s3;
uniform int ia1[3]; uniform float fa1[3];
uniform ivec2 ia2[2]; uniform vec2 fa2[2];
uniform ivec3 ia3[2]; uniform vec3 fa3[2];
uniform ivec4 ia4[2]; uniform vec4 fa4[2];
uniform mat2 m2; uniform mat3 m3; uniform mat4 m4;
uniform mat2 m2a[2]; uniform mat3 m3a[2]; uniform mat4 m4a[2];
out vec4 colour;
void main() {
    vec4 t = vec4(b1) + vec4(vec2(b2), 0.0, 0.0) + vec4(vec3(b3), 0.0) + vec4(b4);
    t += vec4(float(i1)) + vec4(vec2(i2), 0.0, 0.0) + vec4(vec3(i3), 0.0) + vec4(i4);
    t += vec4(f1) + vec4(f2, 0.0, 0.0) + vec4(f3, 0.0) + f4;
    t += texture(s1, 0.5) + texture(s2, vec2(0.5)) + texture(sr, vec2(0.5)) +
         texture(s3, vec3(0.5));
    t.x += float(ia1[0] + ia1[1] + ia1[2]) + fa1[0] + fa1[1] + fa1[2];
    t.xy += vec2(ia2[0] + ia2[1]) + fa2[0] + fa2[1];
    t.xyz += vec3(ia3[0] + ia3[1]) + fa3[0] + fa3[1];
    t += vec4(ia4[0] + ia4[1]) + fa4[0] + fa4[1];
    t.xy += m2 * vec2(1.0) + m2a[0] * vec2(1.0) + m2a[1] * vec2(1.0);
    t.xyz += m3 * vec3(1.0) + m3a[0] * vec3(1.0) + m3a[1] * vec3(1.0);
    t += m4 * vec4(1.0) + m4a[0] * vec4(1.0) + m4a[1] * vec4(1.0);
    colour = t;
}
)";

enum Form { kCheckedName, kCheckedLocation, kUnsafeName, kUnsafeLocation };
const char* const kFormNames[] = {"checked by name", "checked by location", "_Unsafe by name",
                                  "_Unsafe by location"};

// The values form k sets: each form sets other values than the form before it.
bool BoolAt(int k, int i) {
    return (k + i) % 2 == 0;
}
unsigned char UCharAt(int k, int i) {
    return BoolAt(k, i) ? 200 : 0;
}
int IntAt(int k, int i) {
    return 100 * k + i + 1;
}
float FloatAt(int k, int i) {
    return 100.f * k + i + 0.25f;
}
template <class T>
std::vector<T> Seq(int k, int n) {
    std::vector<T> values;
    for (int i = 0; i < n; ++i) {
        values.push_back(std::is_same_v<T, int> ? T(IntAt(k, i)) : T(FloatAt(k, i)));
    }
    return values;
}

template <class P>
struct Row {
    const char* uniform;
    bool floats;        // read with glGetUniformfv, else glGetUniformiv
    int elements;       // array elements read as "uniform[i]"; 0: a single uniform
    int components;     // values per element
    unsigned hookType;  // 0: the setter calls no type hook
    unsigned hookCount;
    std::function<void(P&, const char*, int, Form, int)> set;
    std::function<std::vector<double>(int)> expected;
};

// One setter in the four forms, with the value arguments args (which may use k).
#define FORMS(prelude, setter, ...)                 \
    [](P& p, const char* n, int l, Form f, int k) { \
        (void)k;                                    \
        prelude;                                    \
        switch (f) {                                \
            case kCheckedName:                      \
                p.setter(n, __VA_ARGS__);           \
                break;                              \
            case kCheckedLocation:                  \
                p.setter(l, __VA_ARGS__);           \
                break;                              \
            case kUnsafeName:                       \
                p.setter##_Unsafe(n, __VA_ARGS__);  \
                break;                              \
            case kUnsafeLocation:                   \
                p.setter##_Unsafe(l, __VA_ARGS__);  \
                break;                              \
        }                                           \
    }

std::function<std::vector<double>(int)> Bools(int n) {
    return [n](int k) {
        std::vector<double> v;
        for (int i = 0; i < n; ++i) {
            v.push_back(BoolAt(k, i) ? 1 : 0);
        }
        return v;
    };
}
std::function<std::vector<double>(int)> Ints(int n) {
    return [n](int k) {
        std::vector<double> v;
        for (int i = 0; i < n; ++i) {
            v.push_back(IntAt(k, i));
        }
        return v;
    };
}
std::function<std::vector<double>(int)> Floats(int n) {
    return [n](int k) {
        std::vector<double> v;
        for (int i = 0; i < n; ++i) {
            v.push_back(FloatAt(k, i));
        }
        return v;
    };
}
std::function<std::vector<double>(int)> Unit() {
    return [](int k) { return std::vector<double>{double(k + 1)}; };
}
// count column-major d x d matrices from Seq, transposed when form k sets transpose (odd k).
std::function<std::vector<double>(int)> Matrices(int d, int count) {
    return [d, count](int k) {
        std::vector<double> v;
        for (int m = 0; m < count; ++m) {
            for (int c = 0; c < d; ++c) {
                for (int r = 0; r < d; ++r) {
                    const int source = k % 2 ? r * d + c : c * d + r;
                    v.push_back(FloatAt(k, m * d * d + source));
                }
            }
        }
        return v;
    };
}

#define B(k, i) BoolAt(k, i)
#define U(k, i) UCharAt(k, i)
#define I(k, i) IntAt(k, i)
#define F(k, i) FloatAt(k, i)

// The table: 34 rows of four forms each, the 136 setters.
template <class P>
std::vector<Row<P>> Rows() {
    const unsigned none = 0;
    return {
        {"ia1", false, 3, 1, none, 0, FORMS(auto v = Seq<int>(k, 3), setUniform, 3, v.data()),
         Ints(3)},
        {"fa1", true, 3, 1, none, 0, FORMS(auto v = Seq<float>(k, 3), setUniform, 3, v.data()),
         Floats(3)},
        {"b4", false, 0, 4, GL_BOOL_VEC4, 1,
         FORMS(, setUniform, B(k, 0), B(k, 1), B(k, 2), B(k, 3)), Bools(4)},
        {"b3", false, 0, 3, GL_BOOL_VEC3, 1, FORMS(, setUniform, B(k, 0), B(k, 1), B(k, 2)),
         Bools(3)},
        {"b2", false, 0, 2, GL_BOOL_VEC2, 1, FORMS(, setUniform, B(k, 0), B(k, 1)), Bools(2)},
        {"b1", false, 0, 1, GL_BOOL, 1, FORMS(, setUniform, B(k, 0)), Bools(1)},
        {"b4", false, 0, 4, GL_BOOL_VEC4, 1,
         FORMS(, setUniform, U(k, 0), U(k, 1), U(k, 2), U(k, 3)), Bools(4)},
        {"b3", false, 0, 3, GL_BOOL_VEC3, 1, FORMS(, setUniform, U(k, 0), U(k, 1), U(k, 2)),
         Bools(3)},
        {"b2", false, 0, 2, GL_BOOL_VEC2, 1, FORMS(, setUniform, U(k, 0), U(k, 1)), Bools(2)},
        {"b1", false, 0, 1, GL_BOOL, 1, FORMS(, setUniform, U(k, 0)), Bools(1)},
        {"i4", false, 0, 4, GL_INT_VEC4, 1, FORMS(, setUniform, I(k, 0), I(k, 1), I(k, 2), I(k, 3)),
         Ints(4)},
        {"i3", false, 0, 3, GL_INT_VEC3, 1, FORMS(, setUniform, I(k, 0), I(k, 1), I(k, 2)),
         Ints(3)},
        {"i2", false, 0, 2, GL_INT_VEC2, 1, FORMS(, setUniform, I(k, 0), I(k, 1)), Ints(2)},
        {"i1", false, 0, 1, GL_INT, 1, FORMS(, setUniform, I(k, 0)), Ints(1)},
        {"f4", true, 0, 4, GL_FLOAT_VEC4, 1,
         FORMS(, setUniform, F(k, 0), F(k, 1), F(k, 2), F(k, 3)), Floats(4)},
        {"f3", true, 0, 3, GL_FLOAT_VEC3, 1, FORMS(, setUniform, F(k, 0), F(k, 1), F(k, 2)),
         Floats(3)},
        {"f2", true, 0, 2, GL_FLOAT_VEC2, 1, FORMS(, setUniform, F(k, 0), F(k, 1)), Floats(2)},
        {"f1", true, 0, 1, GL_FLOAT, 1, FORMS(, setUniform, F(k, 0)), Floats(1)},
        {"s1", false, 0, 1, GL_SAMPLER_1D, 1, FORMS(, setUniformSampler1D, k + 1), Unit()},
        {"s2", false, 0, 1, GL_SAMPLER_2D, 1, FORMS(, setUniformSampler2D, k + 1), Unit()},
        {"sr", false, 0, 1, GL_SAMPLER_2D_RECT, 1, FORMS(, setUniformSampler2DRECT, k + 1), Unit()},
        {"s3", false, 0, 1, GL_SAMPLER_3D, 1, FORMS(, setUniformSampler3D, k + 1), Unit()},
        {"ia2", false, 2, 2, none, 0, FORMS(auto v = Seq<int>(k, 4), setUniform2, 2, v.data()),
         Ints(4)},
        {"fa2", true, 2, 2, none, 0, FORMS(auto v = Seq<float>(k, 4), setUniform2, 2, v.data()),
         Floats(4)},
        {"ia3", false, 2, 3, none, 0, FORMS(auto v = Seq<int>(k, 6), setUniform3, 2, v.data()),
         Ints(6)},
        {"fa3", true, 2, 3, none, 0, FORMS(auto v = Seq<float>(k, 6), setUniform3, 2, v.data()),
         Floats(6)},
        {"ia4", false, 2, 4, none, 0, FORMS(auto v = Seq<int>(k, 8), setUniform4, 2, v.data()),
         Ints(8)},
        {"fa4", true, 2, 4, none, 0, FORMS(auto v = Seq<float>(k, 8), setUniform4, 2, v.data()),
         Floats(8)},
        {"m2", true, 0, 4, GL_FLOAT_MAT2, 1,
         FORMS(auto v = Seq<float>(k, 4), setUniformMatrix2, v.data(), k % 2), Matrices(2, 1)},
        {"m2a", true, 2, 4, GL_FLOAT_MAT2, 2,
         FORMS(auto v = Seq<float>(k, 8), setUniformMatrices2, 2, v.data(), k % 2), Matrices(2, 2)},
        {"m3", true, 0, 9, GL_FLOAT_MAT3, 1,
         FORMS(auto v = Seq<float>(k, 9), setUniformMatrix3, v.data(), k % 2), Matrices(3, 1)},
        {"m3a", true, 2, 9, GL_FLOAT_MAT3, 2,
         FORMS(auto v = Seq<float>(k, 18), setUniformMatrices3, 2, v.data(), k % 2),
         Matrices(3, 2)},
        {"m4", true, 0, 16, GL_FLOAT_MAT4, 1,
         FORMS(auto v = Seq<float>(k, 16), setUniformMatrix4, v.data(), k % 2), Matrices(4, 1)},
        {"m4a", true, 2, 16, GL_FLOAT_MAT4, 2,
         FORMS(auto v = Seq<float>(k, 32), setUniformMatrices4, 2, v.data(), k % 2),
         Matrices(4, 2)},
    };
}

// What the driver holds for a row's uniform.
template <class P>
std::vector<double> ReadBack(GLuint program, const Row<P>& row) {
    std::vector<double> values;
    const int elements = row.elements == 0 ? 1 : row.elements;
    for (int e = 0; e < elements; ++e) {
        const std::string name = row.elements == 0
                                     ? row.uniform
                                     : std::string(row.uniform) + "[" + std::to_string(e) + "]";
        const GLint location = RawGL().glGetUniformLocation(program, name.c_str());
        EXPECT_GE(location, 0) << name;
        if (row.floats) {
            GLfloat read[16] = {};
            RawGL().glGetUniformfv(program, location, read);
            values.insert(values.end(), read, read + row.components);
        } else {
            GLint read[16] = {};
            RawGL().glGetUniformiv(program, location, read);
            values.insert(values.end(), read, read + row.components);
        }
    }
    return values;
}

template <class P>
void Link(P& program) {
    const char* vertex[] = {kVertex};
    const char* fragment[] = {kFragment};
    program.loadVertexShader(1, vertex, nullptr);
    program.loadFragmentShader(1, fragment, nullptr);
    program.link(true);
}

GLuint IdOf(const Program& program) {
    return dynamic_cast<const ProgramImplCore&>(*program.implementation()).programID();
}

// Records the type hook's arguments.
struct HookRecorder : ProgramImplCore {
    mutable std::vector<std::array<unsigned, 3>> hooks;
    void assertActiveUniformType(int location, unsigned glType, unsigned count) const override {
        hooks.push_back({static_cast<unsigned>(location), glType, count});
    }
};

class UniformSetters : public ::testing::TestWithParam<bool> {
protected:
    VEKTest::GLLayer layer{GetParam()};
};

}  // namespace

TEST_P(UniformSetters, EveryFormSetsWhatTheDriverReadsBack) {
    Program program;
    Link(program);
    program.enable();
    const std::vector<Row<Program>> rows = Rows<Program>();
    ASSERT_EQ(rows.size() * 4, 136u);
    for (const Row<Program>& row : rows) {
        const GLint location = RawGL().glGetUniformLocation(IdOf(program), row.uniform);
        ASSERT_GE(location, 0) << row.uniform;
        for (int k = 0; k < 4; ++k) {
            row.set(program, row.uniform, location, Form(k), k);
            EXPECT_EQ(ReadBack(IdOf(program), row), row.expected(k))
                << row.uniform << " " << kFormNames[k];
        }
    }
}

TEST_P(UniformSetters, CheckedFormsNeedTheProgramCurrentAndCallTheTypeHook) {
    HookRecorder program;
    Link(program);
    Program other;
    Link(other);
    const std::vector<Row<ProgramImpl>> rows = Rows<ProgramImpl>();
    for (const Row<ProgramImpl>& row : rows) {
        const GLint location = RawGL().glGetUniformLocation(program.programID(), row.uniform);
        program.enable();
        for (int k = 0; k < 4; ++k) {
            program.hooks.clear();
            row.set(program, row.uniform, location, Form(k), k);
            const bool hooked = row.hookType != 0 && (k == kCheckedName || k == kCheckedLocation);
            if (hooked) {
                ASSERT_EQ(program.hooks.size(), 1u) << row.uniform << " " << kFormNames[k];
                EXPECT_EQ(program.hooks[0], (std::array<unsigned, 3>{unsigned(location),
                                                                     row.hookType, row.hookCount}))
                    << row.uniform << " " << kFormNames[k];
            } else {
                EXPECT_TRUE(program.hooks.empty()) << row.uniform << " " << kFormNames[k];
            }
        }
        // Another program current: both checked forms refuse and change nothing.
        other.enable();
        const std::vector<double> before = ReadBack(program.programID(), row);
        for (Form form : {kCheckedName, kCheckedLocation}) {
            EXPECT_EQ(InternalMessageOf([&] { row.set(program, row.uniform, location, form, 1); }),
                      "Program must be enabled to set uniform parameter")
                << row.uniform << " " << kFormNames[form];
        }
        EXPECT_EQ(ReadBack(program.programID(), row), before) << row.uniform;
    }
}

TEST_P(UniformSetters, UnsafeFormsCallOnlyOpenGL) {
    Program program;
    Link(program);
    Program other;
    Link(other);
    other.enable();
    const GLint location = RawGL().glGetUniformLocation(IdOf(program), "f1");
    {
        VEKTest::RecordingDecorator recorder;
        // No program-current check: the call goes to OpenGL (where it meets the current
        // program, which has its own uniform at that location or none).
        try {
            program.setUniform_Unsafe(location, 1.f);
        } catch (const VEK::OGL::ExceptionOGL&) {
        }
        EXPECT_EQ(recorder.entryPoints(), std::vector<std::string>{"glUniform1f"});
        recorder.clear();
        // Location -1: no call at all, for every location form of the family.
        for (const Row<Program>& row : Rows<Program>()) {
            row.set(program, row.uniform, -1, kUnsafeLocation, 0);
        }
        EXPECT_TRUE(recorder.entryPoints().empty()) << recorder.entryPoints().front();
        program.setUniform_Unsafe("absent", 1.f);
        EXPECT_EQ(recorder.entryPoints(), std::vector<std::string>{"glGetUniformLocation"});
        recorder.clear();
        EXPECT_EQ(InternalMessageOf([&] { program.setUniform(location, 1.f); }),
                  "Program must be enabled to set uniform parameter");
        EXPECT_EQ(recorder.entryPoints(), std::vector<std::string>{"glGetIntegerv"});
    }
}

TEST_P(UniformSetters, CountsAndValuesAreRefusedBeforeAnyCall) {
    Program program;
    Link(program);
    program.enable();
    const GLint location = RawGL().glGetUniformLocation(IdOf(program), "fa4");
    float values[32] = {};
    int ints[8] = {};
    VEKTest::RecordingDecorator recorder;
    EXPECT_EQ(InternalMessageOf([&] { program.setUniform4(location, 0, values); }), "count > 0");
    EXPECT_EQ(InternalMessageOf([&] { program.setUniform4("fa4", -1, values); }), "count > 0");
    EXPECT_EQ(InternalMessageOf([&] { program.setUniform("ia1", 0, ints); }), "count > 0");
    EXPECT_EQ(InternalMessageOf([&] { program.setUniformMatrices3("m3a", 0, values, 0); }),
              "count > 0");
    EXPECT_EQ(InternalMessageOf([&] { program.setUniformMatrices4(location, -2, values, 0); }),
              "count > 0");
    EXPECT_EQ(
        InternalMessageOf([&] { program.setUniform2(location, 1, static_cast<int*>(nullptr)); }),
        "values != nullptr");
    EXPECT_EQ(InternalMessageOf([&] { program.setUniformMatrix2("m2", nullptr, 0); }),
              "values != nullptr");
    EXPECT_EQ(
        InternalMessageOf([&] { program.setUniform(static_cast<const char*>(nullptr), 1.f); }),
        "name != nullptr");
    EXPECT_TRUE(recorder.entryPoints().empty());
    // Two vec4 elements through glUniform4fv.
    const float two[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    program.setUniform4(location, 2, const_cast<float*>(two));
    EXPECT_EQ(recorder.entryPoints(), (std::vector<std::string>{"glGetIntegerv", "glUniform4fv"}));
    GLfloat read[4];
    RawGL().glGetUniformfv(IdOf(program), RawGL().glGetUniformLocation(IdOf(program), "fa4[1]"),
                           read);
    EXPECT_EQ(read[3], 8.f);
}

INSTANTIATE_TEST_SUITE_P(Contexts, UniformSetters, ::testing::Values(false, true),
                         VEKTest::GLLayer::Name);
