// Shaders and programs on llvmpipe, on a core-profile 3.3 context and on the compatibility
// context: compile and link results with the driver's log, attachment, lifetime, refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/ogl/ProgramOGL.h>
#include <vek/vek_ogl/ogl/Shader.h>
#include <vek/vek_ogl/ogl/internal/ProgramImplCore.h>
#include <vek/vek_ogl/ogl/internal/ShaderImplCore.h>

#include "support/CountingHooks.h"
#include "support/GLLayer.h"
#include "support/InternalMessage.h"
#include "support/MesaOverride.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using VEKTest::InternalMessageOf;
using VEKTest::RawGL;

static_assert(!std::is_copy_constructible_v<Shader> && !std::is_copy_assignable_v<Shader>);
static_assert(!std::is_copy_constructible_v<Program> && !std::is_copy_assignable_v<Program>);
static_assert(std::is_nothrow_move_constructible_v<Program>);
static_assert(!std::is_copy_constructible_v<VertexShader>);

namespace {

const char* const kVertex =
    "#version 330\n"
    "in vec2 position;\n"
    "void main() { gl_Position = vec4(position, 0.0, 1.0); }\n";
const char* const kFragment =
    "#version 330\n"
    "uniform vec4 tint;\n"
    "out vec4 colour;\n"
    "void main() { colour = tint; }\n";
// Compiles, but a program with it has no fragment main to link.
const char* const kFragmentWithoutMain =
    "#version 330\n"
    "out vec4 colour;\n"
    "void helper() { colour = vec4(1.0); }\n";
const char* const kBrokenVertex =
    "#version 330\n"
    "void main() { gl_Position = undeclared_name; }\n";

GLuint IdOf(const Shader& shader) {
    return dynamic_cast<const ShaderImplCore&>(*shader.implementation()).shaderID();
}

GLuint IdOf(const Program& program) {
    return dynamic_cast<const ProgramImplCore&>(*program.implementation()).programID();
}

std::vector<GLuint> Attached(const Program& program) {
    GLuint names[16];
    GLsizei count = 0;
    RawGL().glGetAttachedShaders(IdOf(program), 16, &count, names);
    return std::vector<GLuint>(names, names + count);
}

GLuint ProgramName() {
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    return static_cast<GLuint>(current);
}

std::string ShaderLog(Shader& shader) {
    std::vector<char> log(static_cast<std::size_t>(shader.getInfoLogLength()) + 1, '\0');
    shader.getInfoLog(static_cast<int>(log.size()), log.data());
    return log.data();
}

std::string ProgramLog(Program& program) {
    std::vector<char> log(static_cast<std::size_t>(program.getInfoLogLength()) + 1, '\0');
    program.getInfoLog(static_cast<int>(log.size()), log.data());
    return log.data();
}

Shader Compiled(Shader::ShaderType type, const char* source) {
    Shader shader(type);
    shader.load(source);
    shader.compile(true);
    return shader;
}

// Answers the program info-log queries with a log of the test's choosing (and the link status
// when told to): what a driver that falls back to software says, which llvmpipe never does.
class InfoLogAnswer : public OpenGLCallObserver {
public:
    std::string log;
    int linkStatus = -1;  // -1: the driver's

    InfoLogAnswer() { OpenGLInterceptor::Instance()->addInterceptor(this); }
    ~InfoLogAnswer() override { OpenGLInterceptor::Instance()->popInterceptor(); }

    void cgmGetProgramiv(char const* file, unsigned line, GLuint program, GLenum pname,
                         GLint* params) override {
        if (pname == GL_INFO_LOG_LENGTH) {
            *params = log.empty() ? 0 : static_cast<GLint>(log.size()) + 1;
        } else if (pname == GL_LINK_STATUS && linkStatus >= 0) {
            *params = linkStatus;
        } else {
            OpenGLCallObserver::cgmGetProgramiv(file, line, program, pname, params);
        }
    }
    void cgmGetProgramInfoLog(char const*, unsigned, GLuint, GLsizei bufSize, GLsizei* length,
                              GLchar* infoLog) override {
        const std::size_t n = std::min(log.size(), static_cast<std::size_t>(bufSize - 1));
        log.copy(infoLog, n);
        infoLog[n] = '\0';
        if (length != nullptr) {
            *length = static_cast<GLsizei>(n);
        }
    }

protected:
    void observe(char const*, unsigned, char const*) override {}
};

// Makes the creation calls return no name, as a driver may when it has none left.
class NoNames : public OpenGLCallObserver {
public:
    NoNames() { OpenGLInterceptor::Instance()->addInterceptor(this); }
    ~NoNames() override { OpenGLInterceptor::Instance()->popInterceptor(); }
    GLuint cgmCreateProgram(char const*, unsigned) override { return 0; }
    GLuint cgmCreateShader(char const*, unsigned, GLenum) override { return 0; }

protected:
    void observe(char const*, unsigned, char const*) override {}
};

class Shaders : public ::testing::TestWithParam<bool> {
protected:
    VEKTest::GLLayer layer{GetParam()};
};

}  // namespace

TEST_P(Shaders, TypesTheContextOffers) {
    EXPECT_EQ(InternalMessageOf([] { ComputeShader shader; }), "Unsupported shader type");
    EXPECT_FALSE(Shader::IsSupported(Shader::kComputeShader));
    EXPECT_FALSE(Shader::IsSupported(static_cast<Shader::ShaderType>(9)));
    VertexShader vertex;
    FragmentShader fragment;
    GeometryShader geometry;  // llvmpipe offers OpenGL 3.2 on both contexts
    EXPECT_NE(IdOf(vertex), 0u);
    EXPECT_NE(IdOf(fragment), IdOf(vertex));
    GLint type = 0;
    RawGL().glGetShaderiv(IdOf(geometry), GL_SHADER_TYPE, &type);
    EXPECT_EQ(type, GL_GEOMETRY_SHADER);
    const bool tessellation =
        VEK::OGL::ExtensionManager::Instance()->isSupported(OGLEXT_ARB_tessellation_shader);
    EXPECT_EQ(Shader::IsSupported(Shader::kTessellationControlShader), tessellation);
    if (tessellation) {
        TessellationControlShader control;
        TessellationEvaluationShader evaluation;
        RawGL().glGetShaderiv(IdOf(evaluation), GL_SHADER_TYPE, &type);
        EXPECT_EQ(type, GL_TESS_EVALUATION_SHADER);
    }
    // A fresh shader has no source: it is not loaded and cannot be attached.
    Program program;
    EXPECT_FALSE(vertex.isLoaded());
    EXPECT_EQ(InternalMessageOf([&] { program.attach(&vertex); }),
              "Shader must be loaded before attaching");
    EXPECT_EQ(InternalMessageOf([&] { program.attach(nullptr); }), "Enforce shader != NULL");
    EXPECT_EQ(InternalMessageOf([&] { program.detach(nullptr); }), "Enforce shader != NULL");
}

TEST(ShadersOnOtherContexts, GeometryNeedsOpenGL32AndEverythingNeedsAContext) {
    if (!VEKTest::SetMesaOverride("MESA_GL_VERSION_OVERRIDE", "3.1")) {
        GTEST_SKIP() << "Mesa's version override cannot be set here";
    }
    VEKTest::GLLayer layer(false);
    EXPECT_TRUE(Shader::IsSupported(Shader::kVertexShader));
    EXPECT_EQ(InternalMessageOf([] { GeometryShader shader; }), "Unsupported shader type");
    VEKTest::SetMesaOverride("MESA_GL_VERSION_OVERRIDE", nullptr);

    wglMakeCurrent(nullptr, nullptr);
    EXPECT_FALSE(Program::IsSupported());
    EXPECT_EQ(InternalMessageOf([] { Program program; }),
              "Neither OpenGL core Program nor Program ARB extensions supported");
    EXPECT_EQ(InternalMessageOf([] { VertexShader shader; }), "Unsupported shader type");
    layer.context.makeCurrent();
}

TEST_P(Shaders, CompileFailureCarriesTheDriversLog) {
    Shader broken(Shader::kVertexShader);
    broken.load(kBrokenVertex);
    EXPECT_TRUE(broken.isLoaded());
    broken.compile(false);  // silent
    EXPECT_FALSE(broken.isCompiled());
    const std::string log = ShaderLog(broken);
    ASSERT_NE(log.find("undeclared_name"), std::string::npos) << log;
    EXPECT_EQ(InternalMessageOf([&] { broken.compile(true); }), "Program Compile Error: \n" + log);

    // Several strings, with and without lengths.
    const char* parts[] = {"#version 330\nin vec2 position;\n",
                           "void main() { gl_Position = vec4(position, 0.0, 1.0); }\nTRAILING"};
    int lengths[] = {-1, static_cast<int>(std::string(parts[1]).find("TRAILING"))};
    Shader pieced(Shader::kVertexShader);
    pieced.load(2, parts, lengths);
    pieced.compile(true);
    EXPECT_TRUE(pieced.isCompiled());
}

TEST_P(Shaders, BadSourcesAreRefusedBeforeAnyCall) {
    VertexShader shader;
    VEKTest::RecordingDecorator recorder;
    const char* withNull[] = {kVertex, nullptr};
    EXPECT_EQ(InternalMessageOf([&] { shader.load(1, nullptr, nullptr); }),
              "Enforce strings != NULL");
    EXPECT_EQ(InternalMessageOf([&] { shader.load(0, nullptr, nullptr); }),
              "Enforce strings != NULL");
    EXPECT_EQ(InternalMessageOf([&] { shader.load(2, withNull, nullptr); }),
              "strings[i] != nullptr");
    EXPECT_EQ(InternalMessageOf([&] { shader.getInfoLog(8, nullptr); }),
              "maxLength <= 0 || log != nullptr");
    EXPECT_TRUE(recorder.entryPoints().empty());
}

TEST_P(Shaders, EmptySourcesClearTheSource) {
    // Each way of giving no text: the source becomes empty, and the shader is no longer loaded.
    const char* empty[] = {"", ""};
    int zeroLengths[] = {0, 0};
    const char* good[] = {kVertex};
    const std::vector<std::function<void(Shader&)>> clears = {
        [](Shader& s) { s.load(std::string()); },
        [&](Shader& s) { s.load(2, empty, nullptr); },
        [&](Shader& s) { s.load(1, good, zeroLengths); },
        [&](Shader& s) { s.load(0, good, nullptr); },
    };
    Program program;
    for (std::size_t i = 0; i < clears.size(); ++i) {
        SCOPED_TRACE(i);
        VertexShader shader;
        shader.load(kVertex);
        ASSERT_TRUE(shader.isLoaded());
        clears[i](shader);
        EXPECT_FALSE(shader.isLoaded());
        GLint length = -1;
        RawGL().glGetShaderiv(IdOf(shader), GL_SHADER_SOURCE_LENGTH, &length);
        EXPECT_LE(length, 1);
        EXPECT_EQ(InternalMessageOf([&] { program.attach(&shader); }),
                  "Shader must be loaded before attaching");
    }
    EXPECT_TRUE(Attached(program).empty());
}

TEST_P(Shaders, LinkFailureCarriesTheDriversLogAndLinkingGates) {
    Program program;
    const char* vertex[] = {kVertex};
    const char* fragment[] = {kFragmentWithoutMain};
    program.loadVertexShader(1, vertex, nullptr);
    program.loadFragmentShader(1, fragment, nullptr);
    EXPECT_EQ(Attached(program).size(), 2u);

    EXPECT_EQ(InternalMessageOf([&] { program.enable(); }),
              "Program must be linked before being enabled");
    const char* unlinked = "Program must be linked to get active uniform count";
    EXPECT_EQ(InternalMessageOf([&] { program.getActiveUniformCount(); }), unlinked);
    EXPECT_EQ(InternalMessageOf([&] { program.getMaxUniformStringLength(); }), unlinked);
    int size = 0;
    unsigned type = 0;
    char name[32];
    EXPECT_EQ(InternalMessageOf([&] { program.getActiveUniform(0, 32, &size, &type, name); }),
              unlinked);

    program.link(false);  // silent
    EXPECT_FALSE(program.isLinked());
    const std::string log = ProgramLog(program);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(InternalMessageOf([&] { program.link(true); }), "Program Link Error: \n" + log);
    EXPECT_EQ(ProgramName(), 0u);

    // Built the same way from a vertex shader that does not compile: the link's log says no
    // more than that, so the compiler's log of that shader follows it (not of the other).
    {
        Program broken;
        const char* brokenVertex[] = {kBrokenVertex};
        const char* goodFragment[] = {kFragment};
        broken.loadVertexShader(1, brokenVertex, nullptr);
        broken.loadFragmentShader(1, goodFragment, nullptr);
        const std::string message = InternalMessageOf([&] { broken.link(true); });
        EXPECT_EQ(message.rfind("Program Link Error: \n", 0), 0u) << message;
        EXPECT_NE(message.find("\nProgram Compile Error (vertex shader): \n"), std::string::npos)
            << message;
        EXPECT_NE(message.find("undeclared_name' undeclared"), std::string::npos) << message;
        EXPECT_EQ(message.find("fragment shader"), std::string::npos) << message;
    }

    // Mended: the fragment shader is replaced and the program links.
    program.detachAllFragmentShaders();
    const char* good[] = {kFragment};
    program.loadFragmentShader(1, good, nullptr);
    program.link(true);
    EXPECT_TRUE(program.isLinked());
    EXPECT_FALSE(program.isEnabled());
    program.enable();
    EXPECT_TRUE(program.isEnabled());
    EXPECT_EQ(ProgramName(), IdOf(program));
    EXPECT_TRUE(program.validate());
    EXPECT_EQ(program.getActiveUniformCount(), 1u);
    EXPECT_EQ(program.getMaxUniformStringLength(), 5);  // "tint" and its zero
    program.getActiveUniform(0, 32, &size, &type, name);
    EXPECT_STREQ(name, "tint");
    EXPECT_EQ(type, static_cast<unsigned>(GL_FLOAT_VEC4));
    EXPECT_EQ(size, 1);
    EXPECT_EQ(program.getUniformLocation("tint"),
              RawGL().glGetUniformLocation(IdOf(program), "tint"));
    EXPECT_EQ(program.getUniformLocation("absent"), -1);
    program.disable();
    EXPECT_FALSE(program.isEnabled());
    EXPECT_EQ(ProgramName(), 0u);
}

TEST_P(Shaders, AttributeLocationsTakeEffectAtTheNextLink) {
    Program program;
    const char* vertex[] = {kVertex};
    const char* fragment[] = {kFragment};
    program.loadVertexShader(1, vertex, nullptr);
    program.loadFragmentShader(1, fragment, nullptr);
    program.setAttributeLocation(5, "position");
    EXPECT_EQ(InternalMessageOf([&] { program.setAttributeLocation(1, nullptr); }),
              "name != nullptr");
    program.link(true);
    EXPECT_EQ(program.getAttributeLocation("position"), 5);
    program.setAttributeLocation(2, "position");
    EXPECT_EQ(program.getAttributeLocation("position"), 5);
    program.link(true);
    EXPECT_EQ(program.getAttributeLocation("position"), 2);
    EXPECT_EQ(program.getAttributeLocation("absent"), -1);
}

TEST_P(Shaders, DetachingByTypeAndAll) {
    Shader v1 = Compiled(Shader::kVertexShader, kVertex);
    Shader v2 = Compiled(Shader::kVertexShader, kVertex);
    Shader f = Compiled(Shader::kFragmentShader, kFragment);
    Program program;
    program.attach(&v1);
    program.attach(&v2);
    program.attach(&f);
    program.detachAllFragmentShaders();
    EXPECT_EQ(Attached(program), (std::vector<GLuint>{IdOf(v1), IdOf(v2)}));
    program.attach(&f);
    program.detach(&v1);
    EXPECT_EQ(Attached(program), (std::vector<GLuint>{IdOf(v2), IdOf(f)}));
    program.detachAllVertexShaders();
    EXPECT_EQ(Attached(program), (std::vector<GLuint>{IdOf(f)}));
    program.attach(&v1);
    program.attach(&v2);
    program.detachAllShaders();
    EXPECT_TRUE(Attached(program).empty());

    // More shaders than one read of 64 names: every one of the type goes, wherever it stands.
    for (Shader::ShaderType type : {Shader::kVertexShader, Shader::kFragmentShader}) {
        SCOPED_TRACE(type);
        const Shader::ShaderType other =
            type == Shader::kVertexShader ? Shader::kFragmentShader : Shader::kVertexShader;
        std::vector<Shader> many;
        for (int i = 0; i < 70; ++i) {
            many.emplace_back(i < 66 ? other : type);
            many.back().load(i < 66 ? "void main() {}" : kVertex);
            program.attach(&many.back());
        }
        if (type == Shader::kVertexShader) {
            program.detachAllVertexShaders();
        } else {
            program.detachAllFragmentShaders();
        }
        GLint attached = 0;
        RawGL().glGetProgramiv(IdOf(program), GL_ATTACHED_SHADERS, &attached);
        EXPECT_EQ(attached, 66);
        program.detachAllShaders();
    }

    // The shaders that loadVertexShader makes live only while attached.
    const char* vertex[] = {kVertex};
    program.loadVertexShader(1, vertex, nullptr);
    const std::vector<GLuint> made = Attached(program);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_TRUE(RawGL().glIsShader(made[0]));
    program.detachAllShaders();
    EXPECT_FALSE(RawGL().glIsShader(made[0]));
}

TEST_P(Shaders, OwnersDeleteTheirObjectsAndMovesHandThemOver) {
    GLuint programId = 0;
    GLuint shaderId = 0;
    {
        Shader shader = Compiled(Shader::kFragmentShader, kFragment);
        shaderId = IdOf(shader);
        Shader moved(std::move(shader));
        EXPECT_EQ(IdOf(moved), shaderId);
        EXPECT_EQ(shader.implementation(), nullptr);
        EXPECT_EQ(InternalMessageOf([&] { shader.isLoaded(); }), "Enforce actualShader_ != NULL");

        Program program;
        programId = IdOf(program);
        Program other;
        const GLuint otherId = IdOf(other);
        other = std::move(program);  // other's own program goes
        EXPECT_FALSE(RawGL().glIsProgram(otherId));
        EXPECT_EQ(IdOf(other), programId);
        EXPECT_EQ(InternalMessageOf([&] { program.link(true); }), "Enforce actualProgram_ != NULL");
        EXPECT_EQ(InternalMessageOf([&] { program.setUniform_Unsafe(-1, 1.f); }),
                  "Enforce actualProgram_ != NULL");
        other.attach(&moved);
        const char* vertex[] = {kVertex};
        other.loadVertexShader(1, vertex, nullptr);
        other.link(true);
        other.enable();  // destroyed while current
    }
    // A current program is only flagged for deletion, and keeps its attached shaders; both go
    // once it stops being current.
    EXPECT_TRUE(RawGL().glIsProgram(programId));
    EXPECT_TRUE(RawGL().glIsShader(shaderId));
    RawGL().glUseProgram(0);
    EXPECT_FALSE(RawGL().glIsProgram(programId));
    EXPECT_FALSE(RawGL().glIsShader(shaderId));
}

INSTANTIATE_TEST_SUITE_P(Contexts, Shaders, ::testing::Values(false, true), VEKTest::GLLayer::Name);

TEST_P(Shaders, SoftwareFallbackAndSilentFailuresThroughTheLog) {
    Program program;
    const char* vertex[] = {kVertex};
    const char* fragment[] = {kFragment};
    program.loadVertexShader(1, vertex, nullptr);
    program.loadFragmentShader(1, fragment, nullptr);
    {
        InfoLogAnswer answer;
        answer.log = "warning: unused varying\n";  // any other log of a linked program is fine
        program.link(true);
        answer.log = "Fragment shader will run in software - unsupported feature\n";
        program.link(false);  // never throws
        EXPECT_EQ(InternalMessageOf([&] { program.link(true); }),
                  "Program Link Error(Falling to Software): \n" + answer.log);
        EXPECT_TRUE(program.isLinked());
        answer.log.clear();
        answer.linkStatus = 0;
        EXPECT_EQ(InternalMessageOf([&] { program.link(true); }), "Unknown Program Link Error\n");
    }
    program.link(true);
    EXPECT_TRUE(program.isLinked());
}

TEST(ShadersWithHooks, NothingLeaksWhenConstructionFails) {
    VEKTest::CountingHooks::Install();
    VEKTest::GLLayer layer(true);
    {
        Program warmUp;  // the chain's checker and the context's manager are made once
        VertexShader shader;
    }
    const std::size_t outstanding = VEKTest::CountingHooks::Outstanding();
    {
        NoNames noNames;
        EXPECT_EQ(InternalMessageOf([] { Program program; }), "programID_ != 0");
        EXPECT_EQ(InternalMessageOf([] { VertexShader shader; }), "shaderID_ != 0");
    }
    EXPECT_EQ(VEKTest::CountingHooks::Outstanding(), outstanding);
    VEKTest::CountingHooks::SetRefuse(true);
    EXPECT_EQ(InternalMessageOf([] { Program program; }), "Enforce actualProgram_ != NULL");
    EXPECT_EQ(InternalMessageOf([] { FragmentShader shader; }), "Enforce actualShader_ != NULL");
    VEKTest::CountingHooks::SetRefuse(false);
    EXPECT_EQ(VEKTest::CountingHooks::Outstanding(), outstanding);
}
