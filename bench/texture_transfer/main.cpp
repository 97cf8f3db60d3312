// RGBA8 images of 16x16, 64x64, 256x256 and 2048x2048 uploaded and read back through Texture2D
// (from and to client memory and pixel buffers), each against the OpenGL calls a careful host
// makes for the same transfer: it saves the row alignment it needs, sets it, transfers, puts the
// alignment (and a pixel buffer binding) back and asks glGetError once. Library and raw
// contenders run interleaved in slices on one context, first a compatibility one, then a 3.3
// core one. Beside each contender: the OpenGL calls it makes per transfer (the library's counted
// through its interceptor chain, glGetError of its checker not included).
//
//   bench_texture_transfer [--rounds=N] [--bytes=N]
// --rounds: slices per contender (default 60); --bytes: about how many bytes each slice moves
// (default 64 MiB), so that small images run many calls per slice.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLCallObserver.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture2.h>

#include "support/GLTestContext.h"
#include "support/Interleaved.h"

namespace {

using VEK::OGL::Buffer;
using VEK::OGL::ExtensionManager;
using VEK::OGL::FunctionTable;
using VEK::OGL::PixelUnpackParameters;
using VEK::OGL::Texture;
using VEK::OGL::Texture2D;
using VEKBench::Contender;
using VEKBench::MakeContender;

// Counts the library's calls while it heads the chain.
class CallCounter : public VEK::OGL::OpenGLCallObserver {
public:
    long calls = 0;

protected:
    void observe(char const*, unsigned, char const*) override { ++calls; }
};

// One image size: the library's texture and buffers and the raw ones, all bound as each
// contender needs them inside its slice.
struct Images {
    Images(const FunctionTable& table, unsigned imageSide)
        : gl(table),
          side(imageSide),
          bytes(static_cast<int>(imageSide * imageSide * 4)),
          image(static_cast<std::size_t>(bytes)),
          back(static_cast<std::size_t>(bytes)),
          texture(Texture::kRGBA8, imageSide, imageSide, false, nullptr, Texture::kTypeDefault),
          unpack(bytes, Buffer::kUnpackBuffer, Buffer::kStreamDraw, nullptr),
          pack(bytes, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr) {
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<std::uint8_t>(i * 31 + (i >> 12));
        }
        glGenTextures(1, &rawTexture);
        glBindTexture(GL_TEXTURE_2D, rawTexture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(side),
                     static_cast<GLsizei>(side), 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
        gl.glGenBuffers(1, &rawUnpack);
        gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, rawUnpack);
        gl.glBufferData(GL_PIXEL_UNPACK_BUFFER, bytes, image.data(), GL_STREAM_DRAW);
        gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
        gl.glGenBuffers(1, &rawPack);
        gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, rawPack);
        gl.glBufferData(GL_PIXEL_PACK_BUFFER, bytes, nullptr, GL_STREAM_READ);
        gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        unpack.bind();
        unpack.subData(0, bytes, image.data());
        Buffer::BindDefaultUnpackBuffer();
    }
    ~Images() {
        glDeleteTextures(1, &rawTexture);
        gl.glDeleteBuffers(1, &rawUnpack);
        gl.glDeleteBuffers(1, &rawPack);
    }
    Images(const Images&) = delete;
    Images& operator=(const Images&) = delete;

    GLsizei size() const { return static_cast<GLsizei>(side); }

    // The careful host: what it needs (rows of one byte) set and put back.
    void rawUpload(const void* data) {
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size(), size(), GL_RGBA, GL_UNSIGNED_BYTE, data);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    }
    void rawReadBack(void* data) {
        GLint alignment = 0;
        glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, data);
        glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    }

    const FunctionTable& gl;
    unsigned side;
    int bytes;
    std::vector<std::uint8_t> image;
    std::vector<std::uint8_t> back;
    Texture2D texture;
    Buffer unpack;
    Buffer pack;
    GLuint rawTexture = 0;
    GLuint rawUnpack = 0;
    GLuint rawPack = 0;
};

// A contender's slice with its texture bound around it.
Contender Bound(std::string name, GLuint texture, std::function<void()> transfer) {
    return MakeContender(
        std::move(name),
        [transfer](long calls) {
            for (long i = 0; i < calls; ++i) {
                transfer();
            }
        },
        [texture](bool on) { glBindTexture(GL_TEXTURE_2D, on ? texture : 0); });
}

long LibraryCalls(GLuint texture, const std::function<void()>& transfer) {
    glBindTexture(GL_TEXTURE_2D, texture);
    CallCounter counter;
    ExtensionManager::Instance()->addInterceptor(&counter);
    transfer();
    ExtensionManager::Instance()->popInterceptor();
    glBindTexture(GL_TEXTURE_2D, 0);
    return counter.calls;
}

void RunProfile(const char* profile, int rounds, long sliceBytes) {
    const FunctionTable& gl = ExtensionManager::CurrentTable();
    const PixelUnpackParameters tight;  // rows of one byte
    for (const unsigned side : {16u, 64u, 256u, 2048u}) {
        Images s(gl, side);
        const long calls = std::max(2L, sliceBytes / s.bytes);
        const std::string at = std::to_string(side) + "x" + std::to_string(side) + " ";
        const GLuint lib = s.texture.objectID();
        const GLuint raw = s.rawTexture;
        Images* const p = &s;

        struct Pair {
            const char* what;
            std::function<void()> library;
            std::function<void()> raw;
            long rawCalls;
        };
        const std::vector<Pair> pairs = {
            {"upload",
             [p, &tight] {
                 p->texture.subImage(0, 0, 0, p->side, p->side, Texture::kFormatRGBA,
                                     Texture::kTypeUnsignedByte, p->image.data(), tight);
             },
             [p] {
                 p->rawUpload(p->image.data());
                 glGetError();
             },
             5},
            {"read-back",
             [p] {
                 p->texture.getPixelData(p->back.data(), 0, Texture::kFormatRGBA,
                                         Texture::kTypeUnsignedByte, 1);
             },
             [p] {
                 p->rawReadBack(p->back.data());
                 glGetError();
             },
             5},
            {"upload from buffer",
             [p, &tight] {
                 p->texture.subImage(0, 0, 0, p->side, p->side, Texture::kFormatRGBA,
                                     Texture::kTypeUnsignedByte, &p->unpack, 0, tight);
             },
             [p] {
                 p->gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, p->rawUnpack);
                 p->rawUpload(nullptr);
                 p->gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
                 glGetError();
             },
             7},
            {"read-back to buffer",
             [p] {
                 p->texture.getPixelData(&p->pack, 0, 0, Texture::kFormatRGBA,
                                         Texture::kTypeUnsignedByte, 1);
             },
             [p] {
                 p->gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, p->rawPack);
                 p->rawReadBack(nullptr);
                 p->gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
                 glGetError();
             },
             7},
        };
        for (const Pair& pair : pairs) {
            std::vector<Contender> contenders;
            contenders.push_back(Bound(at + "raw " + pair.what, raw, pair.raw));
            contenders.push_back(Bound(at + "library " + pair.what, lib, pair.library));
            VEKBench::RunInterleaved(contenders, rounds, calls);
            const long libraryCalls = LibraryCalls(lib, pair.library);
            const std::string title = std::string(profile) + ", " + at + pair.what +
                                      " (calls per transfer: raw " + std::to_string(pair.rawCalls) +
                                      ", library " + std::to_string(libraryCalls) + ")";
            VEKBench::PrintInterleaved(title.c_str(), contenders, contenders.front().name);
        }
        if (glGetError() != GL_NO_ERROR) {
            std::fprintf(stderr, "an OpenGL error is pending after %s\n", at.c_str());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = static_cast<int>(VEKBench::ParseArgument(argc, argv, "--rounds", 60));
    const long sliceBytes = VEKBench::ParseArgument(argc, argv, "--bytes", 64L << 20);
    VEK::Core::AutoInitializer core;
    {
        VEKTest::GLTestContext compatibility;
        VEK::OGL::AutoInitializer ogl;
        RunProfile("compatibility", rounds, sliceBytes);
        VEKTest::GLTestContext::Options options;
        options.major = 3;
        options.minor = 3;
        options.core = true;
        VEKTest::GLTestContext coreContext(options);
        RunProfile("core 3.3", rounds, sliceBytes);
    }
    return 0;
}
