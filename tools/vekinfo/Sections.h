#pragma once

#include <iosfwd>
#include <string>

namespace VEK {
namespace OCL {
class Device;
}
}  // namespace VEK

// What vekinfo prints, one section per layer of the library.
namespace vekinfo {

struct Options {
    bool trace = false;                   // --trace: trace the small drawing
    std::string pngPath = "vekinfo.png";  // --png PATH: where the drawing is written
    bool brief = false;                   // --brief: a one-screen summary instead
};

void PrintCore(std::ostream& out, const Options& options);
void PrintDisplays(std::ostream& out, const Options& options);
void PrintOpenGL(std::ostream& out, const Options& options);
void PrintOcl(std::ostream& out, const Options& options);
// The one-screen summary of --brief.
void PrintBrief(std::ostream& out, const Options& options);

// Shared by the sections and the summary.
// Draws a red triangle on blue in a size x size frame of the current context, writes it as a
// PNG and reports both to out; true when the centre pixel is as drawn.
bool Draw(std::ostream& out, int size, const std::string& pngPath);
// Starts the OpenCL layer (and the core where needed) for its lifetime.
struct OclSession {
    OclSession();
    ~OclSession();
    OclSession(const OclSession&) = delete;
    OclSession& operator=(const OclSession&) = delete;

    bool coreWasRunning_;
};
// y = 2 x + y over a million elements on device, checked on the host; throws when it differs.
void RunSaxpy(std::ostream& out, const VEK::OCL::Device& device);

}  // namespace vekinfo
