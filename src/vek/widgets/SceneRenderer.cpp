#include "vek/widgets/SceneRenderer.h"

#include <cmath>

#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/BlendScope.h"
#include "vek/vek_ogl/ogl/LineScope.h"
#include "vek/vek_ogl/ogl/VertexBufferOGL.h"
#include "vek/vek_ogl/ogl/internal/RestoreGuard.h"

namespace VEK {
namespace WIDGETS {

namespace {

const char* const kVertexSource =
    "#version 120\n"
    "attribute vec2 widgetPosition;\n"
    "uniform mat4 widgetTransform;\n"
    "void main() { gl_Position = widgetTransform * vec4(widgetPosition, 0.0, 1.0); }\n";

const char* const kFragmentSource =
    "#version 120\n"
    "uniform vec4 widgetColor;\n"
    "void main() { gl_FragColor = widgetColor; }\n";

// The state a draw changes beyond what its scopes keep: the current program, the vertex-array
// binding, and the stipple factor and pattern (the stipple scope puts them back only when
// stippling was on). Each is read before it is first changed and put back on every way out; a
// failure while putting back is dropped, as the scopes drop theirs, and the rest is still put back.
class HostState {
public:
    HostState() = default;
    HostState(const HostState&) = delete;
    HostState& operator=(const HostState&) = delete;
    ~HostState() {
        // A failure is dropped, as a destructor cannot report it; the rest is still put back.
        OGL::internal::RestoreGuard restoring;
        if (stippleSaved_) {
            restoring([&] {
                VEK_GL(LineStipple)(stippleFactor_, static_cast<GLushort>(stipplePattern_));
            });
        }
        if (vertexArraySaved_) {
            restoring([&] { VEK_GL(BindVertexArray)(static_cast<GLuint>(vertexArray_)); });
        }
        if (programSaved_) {
            restoring([&] { VEK_GL(UseProgram)(static_cast<GLuint>(program_)); });
        }
    }

    void saveProgram() { Save(programSaved_, GL_CURRENT_PROGRAM, program_); }
    void saveVertexArray() { Save(vertexArraySaved_, GL_VERTEX_ARRAY_BINDING, vertexArray_); }
    void saveStipple() {
        if (!stippleSaved_) {
            VEK_GL(GetIntegerv)(GL_LINE_STIPPLE_REPEAT, &stippleFactor_);
            VEK_GL(GetIntegerv)(GL_LINE_STIPPLE_PATTERN, &stipplePattern_);
            stippleSaved_ = true;
        }
    }

private:
    static void Save(bool& saved, GLenum name, GLint& value) {
        if (!saved) {
            VEK_GL(GetIntegerv)(name, &value);
            saved = true;
        }
    }

    bool programSaved_ = false;
    bool vertexArraySaved_ = false;
    bool stippleSaved_ = false;
    GLint program_ = 0;
    GLint vertexArray_ = 0;
    GLint stippleFactor_ = 1;
    GLint stipplePattern_ = 0xFFFF;
};

}  // namespace

const char* const SceneRenderer::kPositionAttribute = "widgetPosition";
const char* const SceneRenderer::kTransformUniform = "widgetTransform";
const char* const SceneRenderer::kColorUniform = "widgetColor";

SceneRenderer::SceneRenderer() {
    const char* vertex = kVertexSource;
    const char* fragment = kFragmentSource;
    program_.loadVertexShader(1, &vertex, nullptr);
    program_.loadFragmentShader(1, &fragment, nullptr);
    program_.link(true);
}

float4x4 SceneRenderer::Placement(const Widget& widget) {
    const double angle = widget.rotation();
    const float c = static_cast<float>(std::cos(angle));
    const float s = static_cast<float>(std::sin(angle));
    // Column-major: entry (i, j) is column i, row j.
    float4x4 m;
    m(0, 0) = widget.scale()[0] * c;
    m(0, 1) = widget.scale()[0] * s;
    m(1, 0) = -widget.scale()[1] * s;
    m(1, 1) = widget.scale()[1] * c;
    m(2, 2) = 1.f;
    m(3, 0) = widget.origin()[0];
    m(3, 1) = widget.origin()[1];
    m(3, 3) = 1.f;
    return m;
}

void SceneRenderer::draw(WidgetScene& scene) {
    HostState host;
    for (const boost::shared_ptr<Widget>& w : scene.widgets()) {
        OGL::VertexBuffer* vertices = w->vertices();
        OGL::Program* program = w->drawProgram();
        if (vertices == nullptr || program == nullptr || !(w->fade() > 0.f)) {
            continue;
        }
        host.saveProgram();
        program->enable();
        const float4& color = w->color();
        program->setUniform(kColorUniform, color[0], color[1], color[2], color[3] * w->fade());
        program->setUniformMatrix4(kTransformUniform, Placement(*w).data(), 0);
        if (w->areLinesDashed()) {
            host.saveStipple();
        }
        host.saveVertexArray();
        OGL::TemporaryAlphaBlendScope blend;
        OGL::TemporaryLineStippleScope dashes(w->areLinesDashed() ? 1 : 0, kDashFactor,
                                              kDashPattern);
        OGL::TemporaryLineWidthScope width(w->useWideLines() ? w->lineWidth() : 1.f);
        vertices->drawPrimitives(vertices->vertexCount());
    }
    scene.setIsDirty(false);
}

}  // namespace WIDGETS
}  // namespace VEK
