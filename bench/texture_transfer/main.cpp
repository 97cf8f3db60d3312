// A 2048 x 2048 RGBA8 image uploaded and read back through Texture2D and through Buffer pixel
// buffers, against the same OpenGL calls made directly on the same context in one run, each
// followed by glGetError as the library's error checker does. A memcpy of the same size shows
// the limit of the machine's memory.
#include <cstdint>
#include <cstring>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/Texture2.h>

#include "support/GLTestContext.h"
#include "support/RatioReporter.h"

namespace {

using VEK::OGL::Buffer;
using VEK::OGL::ExtensionManager;
using VEK::OGL::FunctionTable;
using VEK::OGL::PixelUnpackParameters;
using VEK::OGL::Texture;
using VEK::OGL::Texture2D;

constexpr unsigned kSide = 2048;
constexpr int kBytes = kSide * kSide * 4;

struct Setup {
    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    VEK::OGL::AutoInitializer ogl;
    const FunctionTable& gl = ExtensionManager::CurrentTable();
    std::vector<std::uint8_t> image = std::vector<std::uint8_t>(kBytes);
    std::vector<std::uint8_t> back = std::vector<std::uint8_t>(kBytes);
    Texture2D texture{Texture::kRGBA8, kSide, kSide, false, nullptr, Texture::kTypeDefault};
    Buffer unpack{kBytes, Buffer::kUnpackBuffer, Buffer::kStreamDraw, nullptr};
    Buffer pack{kBytes, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr};
    GLuint rawTexture = 0;
    GLuint rawUnpack = 0;
    GLuint rawPack = 0;

    Setup() {
        for (std::size_t i = 0; i < image.size(); ++i) {
            image[i] = static_cast<std::uint8_t>(i * 31 + (i >> 12));
        }
        glGenTextures(1, &rawTexture);
        glBindTexture(GL_TEXTURE_2D, rawTexture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSide, kSide, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                     nullptr);
        gl.glGenBuffers(1, &rawUnpack);
        gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, rawUnpack);
        gl.glBufferData(GL_PIXEL_UNPACK_BUFFER, kBytes, nullptr, GL_STREAM_DRAW);
        gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
        gl.glGenBuffers(1, &rawPack);
        gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, rawPack);
        gl.glBufferData(GL_PIXEL_PACK_BUFFER, kBytes, nullptr, GL_STREAM_READ);
        gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        // The raw calls run with the state the library sets for its transfers.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
};

Setup& S() {
    static Setup setup;
    return setup;
}

void Bytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBytes);
}

void RawUpload(benchmark::State& state) {
    Setup& s = S();
    glBindTexture(GL_TEXTURE_2D, s.rawTexture);
    for (auto _ : state) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE,
                        s.image.data());
        benchmark::DoNotOptimize(glGetError());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    Bytes(state);
}

void LibraryUpload(benchmark::State& state) {
    Setup& s = S();
    const PixelUnpackParameters tight;
    glBindTexture(GL_TEXTURE_2D, s.texture.objectID());
    for (auto _ : state) {
        s.texture.subImage(0, 0, 0, kSide, kSide, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                           s.image.data(), tight);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    Bytes(state);
}

void RawReadBack(benchmark::State& state) {
    Setup& s = S();
    glBindTexture(GL_TEXTURE_2D, s.rawTexture);
    for (auto _ : state) {
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, s.back.data());
        benchmark::DoNotOptimize(glGetError());
        benchmark::ClobberMemory();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    Bytes(state);
}

void LibraryReadBack(benchmark::State& state) {
    Setup& s = S();
    glBindTexture(GL_TEXTURE_2D, s.texture.objectID());
    for (auto _ : state) {
        s.texture.getPixelData(s.back.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                               4);
        benchmark::ClobberMemory();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    Bytes(state);
}

// Client memory into the unpack buffer, then the buffer into the texture.
void RawUploadThroughBuffer(benchmark::State& state) {
    Setup& s = S();
    glBindTexture(GL_TEXTURE_2D, s.rawTexture);
    for (auto _ : state) {
        s.gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, s.rawUnpack);
        benchmark::DoNotOptimize(glGetError());
        s.gl.glBufferSubData(GL_PIXEL_UNPACK_BUFFER, 0, kBytes, s.image.data());
        benchmark::DoNotOptimize(glGetError());
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kSide, kSide, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        benchmark::DoNotOptimize(glGetError());
        s.gl.glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
        benchmark::DoNotOptimize(glGetError());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    Bytes(state);
}

void LibraryUploadThroughBuffer(benchmark::State& state) {
    Setup& s = S();
    const PixelUnpackParameters tight;
    glBindTexture(GL_TEXTURE_2D, s.texture.objectID());
    for (auto _ : state) {
        s.unpack.bind();
        s.unpack.subData(0, kBytes, s.image.data());
        Buffer::BindDefaultUnpackBuffer();
        s.texture.subImage(0, 0, 0, kSide, kSide, Texture::kFormatRGBA, Texture::kTypeUnsignedByte,
                           &s.unpack, 0, tight);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    Bytes(state);
}

// The texture into the pack buffer, then the buffer into client memory.
void RawReadBackThroughBuffer(benchmark::State& state) {
    Setup& s = S();
    glBindTexture(GL_TEXTURE_2D, s.rawTexture);
    for (auto _ : state) {
        s.gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, s.rawPack);
        benchmark::DoNotOptimize(glGetError());
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        benchmark::DoNotOptimize(glGetError());
        s.gl.glGetBufferSubData(GL_PIXEL_PACK_BUFFER, 0, kBytes, s.back.data());
        benchmark::DoNotOptimize(glGetError());
        s.gl.glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        benchmark::DoNotOptimize(glGetError());
        benchmark::ClobberMemory();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    Bytes(state);
}

void LibraryReadBackThroughBuffer(benchmark::State& state) {
    Setup& s = S();
    glBindTexture(GL_TEXTURE_2D, s.texture.objectID());
    for (auto _ : state) {
        s.texture.getPixelData(&s.pack, 0, 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
        s.pack.bind();
        s.pack.getSubData(0, kBytes, s.back.data());
        Buffer::BindDefaultPackBuffer();
        benchmark::ClobberMemory();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    Bytes(state);
}

void Memcpy(benchmark::State& state) {
    Setup& s = S();
    for (auto _ : state) {
        std::memcpy(s.back.data(), s.image.data(), kBytes);
        benchmark::ClobberMemory();
    }
    Bytes(state);
}

}  // namespace

BENCHMARK(Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawUpload)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LibraryUpload)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawReadBack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LibraryReadBack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawUploadThroughBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LibraryUploadThroughBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawReadBackThroughBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LibraryReadBackThroughBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    return vekbench::RunWithRatios(argc, argv,
                                   {{"LibraryUpload", "RawUpload"},
                                    {"LibraryReadBack", "RawReadBack"},
                                    {"LibraryUploadThroughBuffer", "RawUploadThroughBuffer"},
                                    {"LibraryReadBackThroughBuffer", "RawReadBackThroughBuffer"},
                                    {"RawUpload", "Memcpy"},
                                    {"RawReadBack", "Memcpy"}});
}
