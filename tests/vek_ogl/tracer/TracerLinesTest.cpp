#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <string>

#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/extensionator/OpenGLTracer.h>

using namespace VEK::OGL;

namespace {

struct Stopped : std::exception {};

// Stops every call after the tracer, so that any argument can be traced without a driver.
struct Stop : OpenGLCallObserver {
    void observe(char const*, unsigned, char const*) override { throw Stopped(); }
};

template <class T>
T* Address(std::uintptr_t value) {
    return reinterpret_cast<T*>(value);
}

// A broad set of calls covering every kind of argument and the values that are hard to write.
void TraceEveryKind(OpenGLInterceptor& gl) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const double dnan = std::numeric_limits<double>::quiet_NaN();
    const double dinf = std::numeric_limits<double>::infinity();
    const auto call = [](auto&& make) {
        try {
            make();
            ADD_FAILURE() << "the call was not stopped";
        } catch (const Stopped&) {
        }
    };
    // Enumerants, unsigned and signed numbers, bit fields.
    call([&] { gl.cgmBindTexture("k.cpp", 1, GL_TEXTURE_2D, 5); });
    call([&] { gl.cgmBindTexture("k.cpp", 2, 0xFFFF, 4294967295u); });
    call([&] { gl.cgmTexParameteri("k.cpp", 3, GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, INT32_MIN); });
    call([&] { gl.cgmTexParameteri("k.cpp", 4, 0, 0x0DE1, INT32_MAX); });
    call([&] { gl.cgmClear("k.cpp", 5, 0xFFFFFFFFu); });
    call([&] { gl.cgmClear("k.cpp", 6, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); });
    call([&] { gl.cgmVertex2s("k.cpp", 7, -32768, 32767); });
    call([&] { gl.cgmColor3us("k.cpp", 8, 0, 65535, 1234); });
    call([&] { gl.cgmColor3hNV("k.cpp", 9, 0x3C00, 0, 65535); });
    call([&] {
        gl.cgmBufferSubData("k.cpp", 10, GL_ARRAY_BUFFER, -1, GLsizeiptr(1) << 40,
                            Address<const void>(0x1234abcd));
    });
    call([&] {
        gl.cgmBindBufferRange("k.cpp", 11, GL_UNIFORM_BUFFER, 0, 3,
                              std::numeric_limits<GLintptr>::min(),
                              std::numeric_limits<GLsizeiptr>::max());
    });
    call([&] {
        gl.cgmClientWaitSync("k.cpp", 12, Address<__GLsync>(0x1000), GL_SYNC_FLUSH_COMMANDS_BIT,
                             UINT64_MAX);
    });
    call([&] { gl.cgmWaitSync("k.cpp", 13, nullptr, 0, 0); });
    // Bytes as characters, booleans by their low byte.
    call([&] { gl.cgmColor3b("k.cpp", 14, 65, -1, 0); });
    call([&] { gl.cgmColor3ub("k.cpp", 15, 200, 10, 32); });
    call([&] { gl.cgmColorMask("k.cpp", 16, 1, 0, 2, 255); });
    // Floats: the bits, then the value.
    call([&] { gl.cgmClearColor("k.cpp", 17, 0.1f, 1e-7f, 1e20f, -0.f); });
    call([&] { gl.cgmClearColor("k.cpp", 18, nan, -nan, inf, -inf); });
    call([&] { gl.cgmClearColor("k.cpp", 19, FLT_MIN, FLT_TRUE_MIN, FLT_MAX, -FLT_MAX); });
    call([&] { gl.cgmClearColor("k.cpp", 20, 123456789.f, 0.000123456f, 1234567.f, 100000.f); });
    call([&] { gl.cgmClearColor("k.cpp", 21, 999999.5f, 0.0001f, 0.00001f, 1.f / 3.f); });
    call([&] { gl.cgmClearColor("k.cpp", 22, 16777216.f, 1e10f, 2.5e-6f, 999999.4f); });
    call([&] { gl.cgmClearColor("k.cpp", 23, 0.5f, 0.25f, 0.75f, 1.f); });
    call([&] { gl.cgmClearColor("k.cpp", 24, 3.14159274f, 2.71828175f, -1.5e-30f, 6.5e35f); });
    call([&] { gl.cgmClearColor("k.cpp", 25, 1234565.f, 0.000999999f, 9.999995e-5f, 99999.95f); });
    call([&] { gl.cgmAccum("k.cpp", 26, GL_ACCUM, 0.5f); });
    // Doubles: the value.
    call([&] { gl.cgmClearDepth("k.cpp", 27, 0.1); });
    call([&] { gl.cgmClearDepth("k.cpp", 28, 1e-300); });
    call([&] { gl.cgmClearDepth("k.cpp", 29, DBL_MAX); });
    call([&] { gl.cgmClearDepth("k.cpp", 30, -0.0); });
    call([&] { gl.cgmClearDepth("k.cpp", 31, dnan); });
    call([&] { gl.cgmClearDepth("k.cpp", 32, -dinf); });
    call([&] { gl.cgmClearDepth("k.cpp", 33, DBL_TRUE_MIN); });
    call([&] { gl.cgmColor3d("k.cpp", 34, 1.0 / 3.0, 123456.5, 0.000125); });
    call([&] { gl.cgmColor3d("k.cpp", 35, 2.5, 1e15, 1e16); });
    call([&] { gl.cgmOrtho("k.cpp", 36, -1, 1, -640.5, 480.25, 0.0001, 1e100); });
    // Handles, names, pointers.
    call([&] { gl.cgmAttachObjectARB("k.cpp", 37, 0, 4294967295u); });
    call([&] { gl.cgmGetUniformLocation("k.cpp", 38, 7, "diffuse"); });
    call([&] { gl.cgmGetUniformLocation("k.cpp", 39, 7, nullptr); });
    call([&] { gl.cgmGetUniformLocation("k.cpp", 40, 7, ""); });
    call([&] { gl.cgmBindAttribLocation("k.cpp", 41, 1, 2, "a name, with commas"); });
    call([&] {
        gl.cgmTexImage2D("k.cpp", 42, GL_TEXTURE_2D, 0, GL_RGBA8, 640, 480, 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, Address<const void>(0xdeadbeef0));
    });
    call([&] {
        gl.cgmShaderSource("k.cpp", 43, 3, 1, Address<const GLchar* const>(0x10), nullptr);
    });
    call([&] { gl.cgmGetIntegerv("k.cpp", 44, GL_VIEWPORT, Address<GLint>(UINTPTR_MAX)); });
    call([&] { gl.cgmGetPolygonStipple("k.cpp", 45, Address<GLubyte>(0xabcdef)); });
    // Return values are not written.
    call([&] { gl.cgmGetError("k.cpp", 46); });
    call([&] { gl.cgmGetString("k.cpp", 47, GL_VENDOR); });
    call([&] { gl.cgmIsSync("k.cpp", 48, Address<__GLsync>(0x20)); });
    call([&] { gl.cgmBegin("k.cpp", 49, GL_QUADS); });
    call([&] { gl.cgmEnd("k.cpp", 50); });
    // The caller's file and line as they come.
    call([&] { gl.cgmFlush("", 0); });
    call([&] { gl.cgmFlush("dir/some file.cpp", 4294967295u); });
}

// The lines as the tracer has always written them (the stream's default formats, "C" locale);
// bytes that are not printable are escaped in octal.
const char kEveryKind[] =
    "k.cpp:1: glBindTexture(GL_TEXTURE_2D, 5)\n"
    "k.cpp:2: glBindTexture(Unknown Token, 4294967295)\n"
    "k.cpp:3: glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, -2147483648)\n"
    "k.cpp:4: glTexParameteri(GL_POINTS, GL_TEXTURE_2D, 2147483647)\n"
    "k.cpp:5: glClear(4294967295)\n"
    "k.cpp:6: glClear(16640)\n"
    "k.cpp:7: glVertex2s(-32768, 32767)\n"
    "k.cpp:8: glColor3us(0, 65535, 1234)\n"
    "k.cpp:9: glColor3hNV(15360, 0, 65535)\n"
    "k.cpp:10: glBufferSubData(GL_ARRAY_BUFFER, -1, 1099511627776, 0x1234abcd)\n"
    "k.cpp:11: glBindBufferRange(GL_UNIFORM_BUFFER, 0, 3, -9223372036854775808, "
    "9223372036854775807)\n"
    "k.cpp:12: glClientWaitSync(0x1000, 1, 18446744073709551615)\n"
    "k.cpp:13: glWaitSync(0, 0, 0)\n"
    "k.cpp:14: glColor3b(A, \377, \000)\n"
    "k.cpp:15: glColor3ub(\310, \n,  )\n"
    "k.cpp:16: glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_TRUE)\n"
    "k.cpp:17: glClearColor(makeFloat(1036831949) /* 0.1 */, makeFloat(869711765) /* 1e-07 */, "
    "makeFloat(1621981420) /* 1e+20 */, makeFloat(-2147483648) /* -0 */)\n"
    "k.cpp:18: glClearColor(makeFloat(2143289344) /* nan */, makeFloat(-4194304) /* -nan */, "
    "makeFloat(2139095040) /* inf */, makeFloat(-8388608) /* -inf */)\n"
    "k.cpp:19: glClearColor(makeFloat(8388608) /* 1.17549e-38 */, makeFloat(1) /* 1.4013e-45 */, "
    "makeFloat(2139095039) /* 3.40282e+38 */, makeFloat(-8388609) /* -3.40282e+38 */)\n"
    "k.cpp:20: glClearColor(makeFloat(1290500515) /* 1.23457e+08 */, makeFloat(956396536) /* "
    "0.000123456 */, makeFloat(1234613304) /* 1.23457e+06 */, makeFloat(1203982336) /* 100000 */)\n"
    "k.cpp:21: glClearColor(makeFloat(1232348152) /* 1e+06 */, makeFloat(953267991) /* 0.0001 */, "
    "makeFloat(925353388) /* 1e-05 */, makeFloat(1051372203) /* 0.333333 */)\n"
    "k.cpp:22: glClearColor(makeFloat(1266679808) /* 1.67772e+07 */, makeFloat(1343554297) /* "
    "1e+10 */, makeFloat(908576172) /* 2.5e-06 */, makeFloat(1232348150) /* 999999 */)\n"
    "k.cpp:23: glClearColor(makeFloat(1056964608) /* 0.5 */, makeFloat(1048576000) /* 0.25 */, "
    "makeFloat(1061158912) /* 0.75 */, makeFloat(1065353216) /* 1 */)\n"
    "k.cpp:24: glClearColor(makeFloat(1078530011) /* 3.14159 */, makeFloat(1076754516) /* 2.71828 "
    "*/, makeFloat(-1913429104) /* -1.5e-30 */, makeFloat(2063228659) /* 6.5e+35 */)\n"
    "k.cpp:25: glClearColor(makeFloat(1234613288) /* 1.23456e+06 */, makeFloat(981668454) /* "
    "0.000999999 */, makeFloat(953267984) /* 9.99999e-05 */, makeFloat(1203982330) /* 100000 */)\n"
    "k.cpp:26: glAccum(GL_ACCUM, makeFloat(1056964608) /* 0.5 */)\n"
    "k.cpp:27: glClearDepth(0.1)\n"
    "k.cpp:28: glClearDepth(1e-300)\n"
    "k.cpp:29: glClearDepth(1.79769e+308)\n"
    "k.cpp:30: glClearDepth(-0)\n"
    "k.cpp:31: glClearDepth(nan)\n"
    "k.cpp:32: glClearDepth(-inf)\n"
    "k.cpp:33: glClearDepth(4.94066e-324)\n"
    "k.cpp:34: glColor3d(0.333333, 123456, 0.000125)\n"
    "k.cpp:35: glColor3d(2.5, 1e+15, 1e+16)\n"
    "k.cpp:36: glOrtho(-1, 1, -640.5, 480.25, 0.0001, 1e+100)\n"
    "k.cpp:37: glAttachObjectARB((GLhandleARB)0, (GLhandleARB)4294967295)\n"
    "k.cpp:38: glGetUniformLocation(7, diffuse)\n"
    "k.cpp:39: glGetUniformLocation(7, 0)\n"
    "k.cpp:40: glGetUniformLocation(7, )\n"
    "k.cpp:41: glBindAttribLocation(1, 2, a name, with commas)\n"
    "k.cpp:42: glTexImage2D(GL_TEXTURE_2D, 0, 32856, 640, 480, 0, GL_RGBA, GL_UNSIGNED_BYTE, "
    "0xdeadbeef0)\n"
    "k.cpp:43: glShaderSource(3, 1, 0x10, 0)\n"
    "k.cpp:44: glGetIntegerv(GL_VIEWPORT, 0xffffffffffffffff)\n"
    "k.cpp:45: glGetPolygonStipple(0xabcdef)\n"
    "k.cpp:46: glGetError()\n"
    "k.cpp:47: glGetString(GL_VENDOR)\n"
    "k.cpp:48: glIsSync(0x20)\n"
    "k.cpp:49: glBegin(GL_QUADS)\n"
    "k.cpp:50: glEnd()\n"
    ":0: glFlush()\n"
    "dir/some file.cpp:4294967295: glFlush()\n";

std::string EveryKind() {
    return std::string(kEveryKind, sizeof(kEveryKind) - 1);
}

// A locale that writes numbers as much of Europe does: 1.234.567,5
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
    std::string do_truename() const override { return "wahr"; }
};

// Restores the global locale it found.
class GlobalLocale {
public:
    explicit GlobalLocale(const std::locale& locale) : before_(std::locale::global(locale)) {}
    ~GlobalLocale() { std::locale::global(before_); }
    GlobalLocale(const GlobalLocale&) = delete;
    GlobalLocale& operator=(const GlobalLocale&) = delete;

private:
    std::locale before_;
};

// Keeps what it is given and counts the pieces it comes in.
class Pieces : public std::streambuf {
public:
    std::string text;
    int writes = 0;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        ++writes;
        text.append(s, static_cast<std::size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override {
        ++writes;
        text.push_back(traits_type::to_char_type(c));
        return c;
    }
};

}  // namespace

TEST(TracerLines, EveryKindOfArgumentIsWrittenAsBefore) {
    std::ostringstream out;
    Stop stop;
    OpenGLTracer tracer(out, &stop);
    TraceEveryKind(tracer);
    EXPECT_EQ(out.str(), EveryKind());

    // A line longer than any buffer is written whole.
    out.str("");
    const std::string file = "src/" + std::string(700, 'd') + "/draw.cpp";
    const std::string name = std::string(3000, 'n') + "[7]";
    try {
        tracer.cgmGetUniformLocation(file.c_str(), 9, 7, name.c_str());
        ADD_FAILURE() << "the call was not stopped";
    } catch (const Stopped&) {
    }
    EXPECT_EQ(out.str(), file + ":9: glGetUniformLocation(7, " + name + ")\n");
}

// The host's stream may be set to any base, precision, width, sign or locale, and the process to
// any global locale: the lines stay as they are, and the stream keeps its settings.
TEST(TracerLines, TheStreamsSettingsAndTheGlobalLocaleChangeNothing) {
    const std::locale comma(std::locale::classic(), new CommaNumbers);
    Stop stop;
    {
        std::ostringstream out;
        out.imbue(comma);
        out << std::hex << std::uppercase << std::showbase << std::showpos << std::boolalpha
            << std::fixed << std::setprecision(10) << std::setw(30) << std::setfill('*');
        const std::ios_base::fmtflags flags = out.flags();
        OpenGLTracer tracer(out, &stop);
        TraceEveryKind(tracer);
        EXPECT_EQ(out.str(), EveryKind());
        EXPECT_EQ(out.flags(), flags);
        EXPECT_EQ(out.precision(), 10);
        EXPECT_EQ(out.fill(), '*');
        EXPECT_EQ(out.getloc().name(), comma.name());
    }
    {
        GlobalLocale global(comma);
        std::ostringstream out;  // takes the global locale
        ASSERT_EQ(std::use_facet<std::numpunct<char>>(out.getloc()).decimal_point(), ',');
        OpenGLTracer tracer(out, &stop);
        TraceEveryKind(tracer);
        EXPECT_EQ(out.str(), EveryKind());
    }
}

// A call without a file is traced all the same, and so are the calls after it.
TEST(TracerLines, ACallWithoutAFileIsTracedAndSoAreTheNext) {
    std::ostringstream out;
    Stop stop;
    OpenGLTracer tracer(out, &stop);
    for (const char* file : {static_cast<const char*>(nullptr), "n.cpp"}) {
        try {
            tracer.cgmBindTexture(file, 5, GL_TEXTURE_2D, 1);
            ADD_FAILURE() << "the call was not stopped";
        } catch (const Stopped&) {
        }
    }
    EXPECT_TRUE(out.good());
    EXPECT_EQ(out.str(),
              ":5: glBindTexture(GL_TEXTURE_2D, 1)\nn.cpp:5: glBindTexture(GL_TEXTURE_2D, 1)\n");
}

// Each line reaches the stream in one write, so that a stream that keeps writes whole keeps
// lines whole; a line longer than the tracer's buffer comes in several, but whole all the same.
TEST(TracerLines, EachLineReachesTheStreamInOneWrite) {
    Pieces pieces;
    std::ostream out(&pieces);
    out.setf(std::ios_base::unitbuf);  // as std::cerr: a flush after every write
    Stop stop;
    OpenGLTracer tracer(out, &stop);
    TraceEveryKind(tracer);
    EXPECT_EQ(pieces.text, EveryKind());
    EXPECT_EQ(pieces.writes, 52);  // the calls of TraceEveryKind

    pieces.text.clear();
    pieces.writes = 0;
    const std::string name(2000, 'n');
    try {
        tracer.cgmGetAttribLocation("w.cpp", 1, 7, name.c_str());
        ADD_FAILURE() << "the call was not stopped";
    } catch (const Stopped&) {
    }
    EXPECT_EQ(pieces.text, "w.cpp:1: glGetAttribLocation(7, " + name + ")\n");
    EXPECT_GT(pieces.writes, 1);
    EXPECT_LE(pieces.writes, 5);
}
