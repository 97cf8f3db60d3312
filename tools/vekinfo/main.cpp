// vekinfo: prints what the library sees on this machine, layer by layer.
#include <cstring>
#include <iostream>

#include <vek/core/exceptions/ExceptionBase.h>

#include "Sections.h"

namespace {

void Usage(std::ostream& out) {
    out << "usage: vekinfo [--brief] [--trace] [--png PATH] [--help]\n"
        << "Prints what the VEK library sees: the core, the displays, the OpenGL layer (extension\n"
        << "manager dump, a small drawing written as a PNG) and OpenCL (platforms, devices, a\n"
        << "SAXPY check). Exits 1 when a section fails, 2 for a wrong option.\n"
        << "  --brief     one screen: renderer, versions, extension and device counts, the\n"
        << "              SAXPY check and where the drawing went\n"
        << "  --trace     write every OpenGL call of the small drawing, with its source line,\n"
        << "              and an error provoked on purpose with the driver's words\n"
        << "  --png PATH  write the drawing there (default vekinfo.png in this directory)\n"
        << "  --help      this text\n";
}

}  // namespace

int main(int argc, char** argv) {
    vekinfo::Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            Usage(std::cout);
            return 0;
        }
        if (std::strcmp(argv[i], "--brief") == 0) {
            options.brief = true;
            continue;
        }
        if (std::strcmp(argv[i], "--trace") == 0) {
            options.trace = true;
            continue;
        }
        if (std::strcmp(argv[i], "--png") == 0) {
            if (i + 1 == argc || argv[i + 1][0] == '\0') {
                std::cerr << "vekinfo: --png needs a path\n";
                Usage(std::cerr);
                return 2;
            }
            options.pngPath = argv[++i];
            continue;
        }
        std::cerr << "vekinfo: unknown option " << argv[i] << "\n";
        Usage(std::cerr);
        return 2;
    }
    // Each section reports its own failure and the others still run.
    using Section = void (*)(std::ostream&, const vekinfo::Options&);
    const Section full[] = {
        &vekinfo::PrintCore,
        &vekinfo::PrintDisplays,
        &vekinfo::PrintOpenGL,
        &vekinfo::PrintOcl,
    };
    int status = 0;
    const auto run = [&status, &options](Section section) {
        try {
            section(std::cout, options);
        } catch (const std::exception& e) {
            std::cout << std::flush;
            std::cerr << "vekinfo: ";
            if (auto* vek = dynamic_cast<const VEK::ExceptionBase*>(&e)) {
                std::cerr << *vek << "\n";
            } else {
                std::cerr << e.what() << "\n";
            }
            status = 1;
        }
    };
    if (options.brief) {
        run(&vekinfo::PrintBrief);
        return status;
    }
    for (Section section : full) {
        run(section);
        std::cout << "\n";
    }
    return status;
}
