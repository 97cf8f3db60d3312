#pragma once

#include <iosfwd>
#include <string>

// What vekinfo prints, one section per layer of the library.
namespace vekinfo {

struct Options {
    bool trace = false;                   // --trace: trace the small drawing
    std::string pngPath = "vekinfo.png";  // --png PATH: where the drawing is written
};

void PrintCore(std::ostream& out, const Options& options);
void PrintDisplays(std::ostream& out, const Options& options);
void PrintOpenGL(std::ostream& out, const Options& options);
void PrintOcl(std::ostream& out, const Options& options);

}  // namespace vekinfo
