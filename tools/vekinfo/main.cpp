// vekinfo: prints what the library sees on this machine, layer by layer.
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/ExceptionBase.h>

#include "JsonWriter.h"
#include "Sections.h"

namespace {

void Usage(std::ostream& out) {
    out << "usage: vekinfo [--brief | --json] [--trace] [--png PATH] [--help]\n"
        << "Prints what the VEK library sees: the core, the displays, the OpenGL layer (extension\n"
        << "manager dump, a small drawing written as a PNG) and OpenCL (platforms, devices, a\n"
        << "SAXPY check). Exits 1 when a section fails, 2 for a wrong option.\n"
        << "  --brief     one screen: renderer, versions, extension and device counts, the\n"
        << "              SAXPY check and where the drawing went\n"
        << "  --json      the full report as one JSON document (schema: "
           "docs/vekinfo.schema.json);\n"
        << "              a section that fails carries an \"error\" member\n"
        << "  --trace     write every OpenGL call of the small drawing, with its source line,\n"
        << "              and an error provoked on purpose with the driver's words\n"
        << "  --png PATH  write the drawing there (default vekinfo.png in this directory)\n"
        << "  --help      this text\n";
}

// What a section's failure says.
std::string Message(const std::exception& e) {
    if (auto* vek = dynamic_cast<const VEK::ExceptionBase*>(&e)) {
        std::ostringstream text;
        text << *vek;
        return text.str();
    }
    return e.what();
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
        if (std::strcmp(argv[i], "--json") == 0) {
            options.json = true;
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
    if (options.brief && options.json) {
        std::cerr << "vekinfo: --brief and --json exclude each other\n";
        Usage(std::cerr);
        return 2;
    }
    int status = 0;
    // Each section reports its own failure and the others still run.
    const auto failed = [&status](const std::exception& e) {
        std::cout << std::flush;
        std::cerr << "vekinfo: " << Message(e) << "\n";
        status = 1;
        return Message(e);
    };
    if (options.json) {
        using Section = void (*)(vekinfo::JsonWriter&, const vekinfo::Options&);
        const std::pair<const char*, Section> sections[] = {
            {"core", &vekinfo::WriteCore},
            {"displays", &vekinfo::WriteDisplays},
            {"opengl", &vekinfo::WriteOpenGL},
            {"opencl", &vekinfo::WriteOcl},
        };
        vekinfo::JsonWriter json(std::cout);
        json.beginObject();
        json.member("version", VEK::VersionString());
        for (const auto& section : sections) {
            json.key(section.first);
            json.beginObject();
            const std::size_t depth = json.depth();
            try {
                section.second(json, options);
            } catch (const std::exception& e) {
                json.closeTo(depth);
                json.member("error", failed(e));
            }
            json.endObject();
        }
        json.endObject();
        json.finish();
        return status;
    }
    using Section = void (*)(std::ostream&, const vekinfo::Options&);
    const auto run = [&](Section section) {
        try {
            section(std::cout, options);
        } catch (const std::exception& e) {
            failed(e);
        }
    };
    if (options.brief) {
        run(&vekinfo::PrintBrief);
        return status;
    }
    for (Section section : {&vekinfo::PrintCore, &vekinfo::PrintDisplays, &vekinfo::PrintOpenGL,
                            &vekinfo::PrintOcl}) {
        run(section);
        std::cout << "\n";
    }
    return status;
}
