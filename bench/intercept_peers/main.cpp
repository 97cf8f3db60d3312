// A checked call through the library's interceptor chain against the same call made raw, through
// a chain of the same shape that tests nothing (the floor), through glbinding and through
// libepoxy (where the system has them: Linux), all on one context. The contenders run in slices of
// calls in rotation over many rounds, so that the machine's drift falls on all of them alike; each
// reports its median time per call, the ratio to the raw call followed by glGetError, and the heap
// allocations it makes per call.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>

#include "Peers.h"
#include "support/GLTestContext.h"
#include "support/HeapCounter.h"
#include "support/Interleaved.h"

namespace {

using VEK::OGL::OpenGLInterceptor;
using namespace VEKBench;

}  // namespace

int main(int argc, char** argv) {
    const int rounds = static_cast<int>(ParseArgument(argc, argv, "--rounds", 500));
    const long calls = ParseArgument(argc, argv, "--slice", 10000);

    VEK::Core::AutoInitializer core;
    VEKTest::GLTestContext context;
    VEK::OGL::AutoInitializer ogl;
    GLuint texture = 0;
    GLuint buffer = 0;
    glGenTextures(1, &texture);
    VEK::OGL::ExtensionManager::CurrentTable().glGenBuffers(1, &buffer);

    OpenGLInterceptor* const chain = OpenGLInterceptor::Instance();
    // The raw caller looks its pointer up once, as an application with its own loader would.
    const auto bindBuffer = VEK::OGL::ExtensionManager::CurrentTable().glBindBuffer;
    long rawErrors = 0;
    peers::FloorCalls& floor = peers::Floor(bindBuffer);

    std::vector<Contender> textures;
    textures.push_back(MakeContender("raw", [&](long n) {
        for (long i = 0; i < n; ++i) {
            glBindTexture(GL_TEXTURE_2D, texture);
        }
    }));
    textures.push_back(MakeContender("raw + glGetError", [&](long n) {
        for (long i = 0; i < n; ++i) {
            glBindTexture(GL_TEXTURE_2D, texture);
            rawErrors += glGetError() != GL_NO_ERROR;
        }
    }));
    textures.push_back(MakeContender("vek checked", [&](long n) {
        for (long i = 0; i < n; ++i) {
            chain->cgmBindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
        }
    }));
    textures.push_back(MakeContender("chain floor", [&](long n) {
        for (long i = 0; i < n; ++i) {
            floor.bindTexture(__FILE__, __LINE__, GL_TEXTURE_2D, texture);
        }
    }));

    std::vector<Contender> buffers;
    buffers.push_back(MakeContender("raw", [&](long n) {
        for (long i = 0; i < n; ++i) {
            bindBuffer(GL_ARRAY_BUFFER, buffer);
        }
    }));
    buffers.push_back(MakeContender("raw + glGetError", [&](long n) {
        for (long i = 0; i < n; ++i) {
            bindBuffer(GL_ARRAY_BUFFER, buffer);
            rawErrors += glGetError() != GL_NO_ERROR;
        }
    }));
    buffers.push_back(MakeContender("vek checked", [&](long n) {
        for (long i = 0; i < n; ++i) {
            chain->cgmBindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER, buffer);
        }
    }));
    buffers.push_back(MakeContender("chain floor", [&](long n) {
        for (long i = 0; i < n; ++i) {
            floor.bindBuffer(__FILE__, __LINE__, GL_ARRAY_BUFFER, buffer);
        }
    }));
    peers::AddLoaderContenders(textures, buffers, texture, buffer);

    std::printf("%d rounds of %ld calls per contender, interleaved; medians over rounds\n", rounds,
                calls);
    RunInterleaved(textures, rounds, calls);
    RunInterleaved(buffers, rounds, calls);
    PrintInterleaved("glBindTexture (OpenGL 1.1)", textures, "raw + glGetError");
    PrintInterleaved("glBindBuffer (function table)", buffers, "raw + glGetError");

    const long errors = rawErrors + peers::LoaderErrors();
    if (errors != 0) {
        std::fprintf(stderr, "%ld calls raised a GL error: the figures are not valid\n", errors);
        return 1;
    }
    return 0;
}
