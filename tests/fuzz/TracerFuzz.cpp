// The tracer's line for calls whose arguments cover every way it writes a parameter (token names,
// truth values, numbers of each width, characters, floats with their bits, doubles, handles,
// input names, pointers), against the line format written out from its rules. The call behind
// the tracer is stopped by an observer before it reaches OpenGL, so no context is needed, and
// the line must already be there when it stops: the tracer writes before it forwards.
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>

#include <cstring>
#include <sstream>

#include "FuzzInput.h"

using namespace VEK::OGL;

namespace {

struct Stopped {};

// The end of the chain: records what reached it and goes no further.
class Stop : public OpenGLCallObserver {
public:
    std::string file, entryPoint;
    unsigned line = 0;

protected:
    void observe(char const* f, unsigned l, char const* name) override {
        file = f;
        line = l;
        entryPoint = name;
        throw Stopped();
    }
};

// The expected line, one argument at a time.
class Line {
public:
    Line(const std::string& file, unsigned line, const char* call) {
        text_ << file << ':' << line << ": " << call;
    }
    Line& e(GLenum v) {
        const std::string name = VEKOGLTokenName(v);
        VEK_FUZZ_CHECK(
            name == "Unknown Token" || (name.size() > 3 && name.compare(0, 3, "GL_") == 0),
            "token name " + name);
        next() << name;
        return *this;
    }
    Line& b(GLboolean v) {
        next() << ((v & 0xFF) ? "GL_TRUE" : "GL_FALSE");
        return *this;
    }
    template <class Number>
    Line& n(Number v) {
        next() << v;
        return *this;
    }
    Line& c(char v) {
        next() << v;
        return *this;
    }
    Line& f(GLfloat v) {
        std::int32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        next() << "makeFloat(" << bits << ") /* " << v << " */";
        return *this;
    }
    Line& h(GLhandleARB v) {
        next() << "(GLhandleARB)" << v;
        return *this;
    }
    Line& s(const char* v) {
        next() << v;
        return *this;
    }
    Line& p(const void* v) {
        next() << v;
        return *this;
    }
    std::string str() const { return text_.str() + ")\n"; }

private:
    std::ostream& next() {
        if (count_++ > 0) {
            text_ << ", ";
        }
        return text_;
    }
    std::ostringstream text_;
    int count_ = 0;
};

const void* PointerFrom(VEKFuzz::Input& in) {
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(in.u64()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VEKFuzz::Input in(data, size);
    Stop stop;
    std::ostringstream trace;
    OpenGLTracer tracer(trace, &stop);
    std::string expected;
    for (int calls = 0; calls < 32 && !in.empty(); ++calls) {
        const unsigned op = in.byte() % 13;
        const std::string file = in.text(24);
        const unsigned line = in.u32();
        const char* f = file.c_str();
        const std::size_t before = trace.str().size();
        std::string entryPoint;
        std::string want;
        try {
            switch (op) {
                case 0: {
                    const GLenum a = in.u32();
                    const GLfloat v = in.f32();
                    entryPoint = "glAccum";
                    want = Line(file, line, "glAccum(").e(a).f(v).str();
                    tracer.cgmAccum(f, line, a, v);
                    break;
                }
                case 1: {
                    const GLbyte r = static_cast<GLbyte>(in.byte()),
                                 g = static_cast<GLbyte>(in.byte()),
                                 b = static_cast<GLbyte>(in.byte()),
                                 a = static_cast<GLbyte>(in.byte());
                    entryPoint = "glColor4b";
                    want = Line(file, line, "glColor4b(").c(r).c(g).c(b).c(a).str();
                    tracer.cgmColor4b(f, line, r, g, b, a);
                    break;
                }
                case 2: {
                    const GLubyte r = in.byte(), g = in.byte(), b = in.byte(), a = in.byte();
                    entryPoint = "glColor4ub";
                    want = Line(file, line, "glColor4ub(")
                               .c(static_cast<char>(r))
                               .c(static_cast<char>(g))
                               .c(static_cast<char>(b))
                               .c(static_cast<char>(a))
                               .str();
                    tracer.cgmColor4ub(f, line, r, g, b, a);
                    break;
                }
                case 3: {
                    const GLboolean r = in.byte(), g = in.byte(), b = in.byte(), a = in.byte();
                    entryPoint = "glColorMask";
                    want = Line(file, line, "glColorMask(").b(r).b(g).b(b).b(a).str();
                    tracer.cgmColorMask(f, line, r, g, b, a);
                    break;
                }
                case 4: {
                    const GLdouble d = in.f64();
                    entryPoint = "glClearDepth";
                    want = Line(file, line, "glClearDepth(").n(d).str();
                    tracer.cgmClearDepth(f, line, d);
                    break;
                }
                case 5: {
                    const GLenum target = in.u32(), format = in.u32(), type = in.u32();
                    const GLint level = in.i32(), internal = in.i32(), border = in.i32();
                    const GLsizei w = in.i32(), h = in.i32();
                    const void* pixels = PointerFrom(in);
                    entryPoint = "glTexImage2D";
                    want = Line(file, line, "glTexImage2D(")
                               .e(target)
                               .n(level)
                               .n(internal)
                               .n(w)
                               .n(h)
                               .n(border)
                               .e(format)
                               .e(type)
                               .p(pixels)
                               .str();
                    tracer.cgmTexImage2D(f, line, target, level, internal, w, h, border, format,
                                         type, pixels);
                    break;
                }
                case 6: {
                    const GLuint program = in.u32();
                    const std::string name = in.text(40);
                    entryPoint = "glGetUniformLocation";
                    want =
                        Line(file, line, "glGetUniformLocation(").n(program).s(name.c_str()).str();
                    tracer.cgmGetUniformLocation(f, line, program, name.c_str());
                    break;
                }
                case 7: {
                    const GLuint program = in.u32(), index = in.u32();
                    const bool null = in.byte() & 1;
                    const std::string name = in.text(40);
                    const char* text = null ? nullptr : name.c_str();
                    entryPoint = "glBindAttribLocation";
                    Line l(file, line, "glBindAttribLocation(");
                    l.n(program).n(index);
                    if (null) {
                        l.p(nullptr);  // a null name is written as the null pointer it is
                    } else {
                        l.s(text);
                    }
                    want = l.str();
                    tracer.cgmBindAttribLocation(f, line, program, index, text);
                    break;
                }
                case 8: {
                    const GLhandleARB a = in.u32(), b = in.u32();
                    entryPoint = "glAttachObjectARB";
                    want = Line(file, line, "glAttachObjectARB(").h(a).h(b).str();
                    tracer.cgmAttachObjectARB(f, line, a, b);
                    break;
                }
                case 9: {
                    const GLenum target = in.u32(), usage = in.u32();
                    const GLsizeiptr bytes = static_cast<GLsizeiptr>(in.u64());
                    const void* source = PointerFrom(in);
                    entryPoint = "glBufferData";
                    want = Line(file, line, "glBufferData(")
                               .e(target)
                               .n(bytes)
                               .p(source)
                               .e(usage)
                               .str();
                    tracer.cgmBufferData(f, line, target, bytes, source, usage);
                    break;
                }
                case 10: {
                    const GLsync sync =
                        reinterpret_cast<GLsync>(const_cast<void*>(PointerFrom(in)));
                    const GLbitfield flags = in.u32();
                    const GLuint64 timeout = in.u64();
                    entryPoint = "glWaitSync";
                    want = Line(file, line, "glWaitSync(").p(sync).n(flags).n(timeout).str();
                    tracer.cgmWaitSync(f, line, sync, flags, timeout);
                    break;
                }
                case 11: {
                    const GLuint index = in.u32();
                    const GLshort x = static_cast<GLshort>(in.u16()),
                                  y = static_cast<GLshort>(in.u16()),
                                  z = static_cast<GLshort>(in.u16()),
                                  w = static_cast<GLshort>(in.u16());
                    entryPoint = "glVertexAttrib4s";
                    want = Line(file, line, "glVertexAttrib4s(").n(index).n(x).n(y).n(z).n(w).str();
                    tracer.cgmVertexAttrib4s(f, line, index, x, y, z, w);
                    break;
                }
                default:
                    entryPoint = "glGetError";
                    want = Line(file, line, "glGetError(").str();
                    tracer.cgmGetError(f, line);
                    break;
            }
            VEK_FUZZ_CHECK(false, entryPoint + " went past the end of the chain");
        } catch (const Stopped&) {
        }
        const std::string written = trace.str().substr(before);
        VEK_FUZZ_CHECK(written == want, "traced \"" + written + "\", expected \"" + want + "\"");
        VEK_FUZZ_CHECK(stop.file == file && stop.line == line && stop.entryPoint == entryPoint,
                       entryPoint + " was forwarded as " + stop.entryPoint + " from " + stop.file);
        expected += want;
    }
    VEK_FUZZ_CHECK(trace.str() == expected, "the trace is not the sum of its lines");
    return 0;
}
