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
    static const char* const kPositionAttribute;
    static const char* const kTransformUniform;
    static const char* const kColorUniform;
    /// Dashes: 8 pixels on, 8 off, starting on.
    static constexpr unsigned short kDashPattern = 0x00FF;
    static constexpr int kDashFactor = 1;

    /// Builds program() on the current context.
    SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    OGL::Program* program() { return &program_; }

    /// Draws every widget with vertices, a program and a visible fade, in scene order, blended
    /// over what is there; dashes and wide lines as the widget asks. Every piece of state it
    /// changes (blending, line stippling with its factor and pattern, the line width, the current
    /// program, the vertex-array binding) is put back afterwards, also when a call fails part way.
    /// Clears the scene's dirty flag once every widget is drawn.
    void draw(WidgetScene& scene);

    /// Scale, then rotation about z (radians), then translation to the origin.
    static float4x4 Placement(const Widget& widget);

private:
    OGL::Program program_;
};

}  // namespace WIDGETS
}  // namespace VEK
