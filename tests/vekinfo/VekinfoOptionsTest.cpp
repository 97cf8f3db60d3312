// vekinfo's options: the help names every option, the summary fits a screen and says what the
// full report checks.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/GLTestContext.h"

namespace {

// Runs vekinfo with arguments and returns what it printed on standard output; status gets the
// exit status.
std::string Output(const std::string& arguments, int& status) {
    const std::string command = "ASAN_OPTIONS=detect_leaks=0 " + std::string(VEKINFO_PROGRAM) +
                                " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return "";
    }
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof(buffer), pipe)) > 0;) {
        text.append(buffer, n);
    }
    status = pclose(pipe);
    return text;
}

std::size_t Lines(const std::string& text) {
    std::size_t lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

}  // namespace

TEST(Vekinfo, HelpDocumentsEveryOption) {
    int status = 0;
    const std::string help = Output("--help", status);
    EXPECT_EQ(status, 0);
    for (const char* option : {"--brief", "--json", "--trace", "--png PATH", "--help"}) {
        EXPECT_NE(help.find(std::string("  ") + option), std::string::npos) << option;
    }
    Output("--no-such-option", status);
    EXPECT_NE(status, 0);
    Output("--brief --json", status);
    EXPECT_NE(status, 0);
}

TEST(Vekinfo, BriefSummaryFitsAScreen) {
    const std::string path = testing::TempDir() + "vekinfo-brief.png";
    std::remove(path.c_str());
    int status = 0;
    const std::string summary = Output("--brief --png " + path, status);
    EXPECT_EQ(status, 0) << summary;
    EXPECT_LE(Lines(summary), 24u) << summary;
    VEKTest::DriverReport driver;
    {
        VEKTest::GLTestContext context;
        driver = VEKTest::CurrentDriverReport();
    }
    EXPECT_NE(summary.find("OpenGL renderer:   " + driver.renderer + "\n"), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("(read as " + driver.keptVersion() + ")"), std::string::npos) << summary;
    EXPECT_NE(summary.find(" from the driver, "), std::string::npos) << summary;
    EXPECT_NE(summary.find("drawing:           as drawn, written to " + path), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("SAXPY:             verified on the host"), std::string::npos)
        << summary;
    FILE* png = std::fopen(path.c_str(), "rb");
    EXPECT_NE(png, nullptr) << "no drawing at " << path;
    if (png != nullptr) {
        std::fclose(png);
    }
    std::remove(path.c_str());
}

TEST(Vekinfo, TraceShowsTheDriversWordsUnderTheErrorProvokedOnPurpose) {
    const std::string path = testing::TempDir() + "vekinfo-trace.png";
    int status = 0;
    const std::string report = Output("--trace --png " + path, status);
    std::remove(path.c_str());
    EXPECT_EQ(status, 0) << report;
    EXPECT_NE(report.find("error provoked on purpose, glEnable(0x1234): invalid enumerant "
                          "(GL_INVALID_ENUM in glEnable(0x1234))\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find(": glEnable(Unknown Token)\n        driver: GL_INVALID_ENUM in "
                          "glEnable(0x1234)\n"),
              std::string::npos)
        << report;
}
