#pragma once

#include "vek/Export.h"
#include "vek/core/math/Matrix.h"
#include "vek/vek_ogl/ogl/ProgramOGL.h"
#include "vek/widgets/WidgetScene.h"

namespace VEK {
namespace WIDGETS {

/// Draws a widget scene on the current context. Each widget is drawn with its own vertex buffer
/// and program; the program takes the widget's vertices as a vec2 attribute named
/// kPositionAttribute, its placement as a mat4 uniform kTransformUniform (origin, rotation and
/// scale applied to the vertices, in clip space) and its colour, with the alpha multiplied by the
/// fade, as a vec4 uniform kColorUniform. program() is such a program, ready for widgets to use.
/// Needs a compatibility context: dashed lines are line stippling.
class VEK_EXPORT SceneRenderer {
public:
    /// The vec2 vertex attribute a widget program reads its vertices from: "widgetPosition".
    static const char* const kPositionAttribute;
    /// The mat4 uniform that receives the widget's placement: "widgetTransform".
    static const char* const kTransformUniform;
    /// The vec4 uniform that receives the widget's colour, alpha times fade: "widgetColor".
    static const char* const kColorUniform;
    /// Dashes: 8 pixels on, 8 off, starting on.
    static constexpr unsigned short kDashPattern = 0x00FF;
    /// Line stipple repeat factor for dashes: each pattern bit covers one pixel.
    static constexpr int kDashFactor = 1;

    /// Builds program() on the current context. Throws InternalException when the context lacks
    /// programs (OpenGL 2.0) or the shaders fail to compile or link; ExceptionOGL on a GL error.
    SceneRenderer();
    /// Not copyable: it owns a GL program.
    SceneRenderer(const SceneRenderer&) = delete;
    /// Not assignable: it owns a GL program.
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    /// The built-in widget program, owned by this renderer. Throws nothing.
    OGL::Program* program() { return &program_; }

    /// Draws every widget with vertices, a program and a visible fade, in scene order, blended
    /// over what is there; dashes and wide lines as the widget asks. Every piece of state it
    /// changes (blending, line stippling with its factor and pattern, the line width, the current
    /// program, the vertex-array binding) is put back afterwards, also when a call fails part way.
    /// Clears the scene's dirty flag once every widget is drawn. Needs a current context.
    /// Throws ExceptionOGL on a GL error and InternalException from the widget's program or
    /// vertex buffer (an unlinked program, say); the dirty flag is then left as it was.
    void draw(WidgetScene& scene);

    /// The widget's placement matrix: scale, then rotation about z (radians), then translation
    /// to the origin. Throws nothing.
    static float4x4 Placement(const Widget& widget);

private:
    OGL::Program program_;
};

}  // namespace WIDGETS
}  // namespace VEK
