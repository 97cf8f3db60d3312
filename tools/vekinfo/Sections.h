#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace VEK {
namespace OCL {
class Device;
class Platform;
}  // namespace OCL
}  // namespace VEK

// What vekinfo prints, one section per layer of the library.
namespace vekinfo {

class JsonWriter;

struct Options {
    bool trace = false;                   // --trace: trace the small drawing
    std::string pngPath = "vekinfo.png";  // --png PATH: where the drawing is written
    bool brief = false;                   // --brief: a one-screen summary instead
    bool json = false;                    // --json: the full report as one JSON document
};

void PrintCore(std::ostream& out, const Options& options);
void PrintDisplays(std::ostream& out, const Options& options);
void PrintOpenGL(std::ostream& out, const Options& options);
void PrintOcl(std::ostream& out, const Options& options);
// The one-screen summary of --brief.
void PrintBrief(std::ostream& out, const Options& options);

// The same sections as members of the --json document (docs/vekinfo.schema.json).
void WriteCore(JsonWriter& json, const Options& options);
void WriteDisplays(JsonWriter& json, const Options& options);
void WriteOpenGL(JsonWriter& json, const Options& options);
void WriteOcl(JsonWriter& json, const Options& options);

// Shared by the sections and the summary.

// What the small drawing's check found.
struct Drawing {
    int size = 0;
    std::array<int, 4> centre{};  // RGBA of the centre pixel
    bool centreAsDrawn = false;
    bool overlayAsDrawn = false;  // the checkered texture and the widgets at their fades
    std::string pngPath;
    std::string provokedError;  // with a trace: the exception of an error made on purpose
    bool asDrawn() const { return centreAsDrawn && overlayAsDrawn; }
};
// Draws a red triangle on blue with an overlay in a size x size frame of the current context,
// checks it and writes it as a PNG.
Drawing Draw(int size, const std::string& pngPath);
void PrintDrawing(std::ostream& out, const Drawing& drawing);

// Starts the OpenCL layer (and the core where needed) for its lifetime.
struct OclSession {
    OclSession();
    ~OclSession();
    OclSession(const OclSession&) = delete;
    OclSession& operator=(const OclSession&) = delete;

    bool coreWasRunning_;
};

struct Saxpy {
    std::uint64_t elements = 0;
    std::string device;
    long long checksum = 0;
    std::uint64_t wrong = 0;  // elements that differ from the host's result
    bool verified = false;    // no element differs and the checksums match
    double milliseconds = 0;  // launch and read-back
};
// y = 2 x + y over a million elements on device, checked on the host.
Saxpy RunSaxpy(const VEK::OCL::Device& device);
void PrintSaxpy(std::ostream& out, const Saxpy& saxpy);
// The first device of the first platform that has one; throws when there is none.
VEK::OCL::Device FirstDevice(const std::vector<VEK::OCL::Platform>& platforms);
// Throws when the device's result differs from the host's.
void CheckSaxpy(const Saxpy& saxpy);

// Words of a space-separated list (extension strings).
std::vector<std::string> Words(const std::string& text);

}  // namespace vekinfo
