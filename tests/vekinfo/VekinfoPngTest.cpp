// vekinfo's picture: drawn in an off-screen context and written where --png says.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
constexpr const char* kNull = "NUL";

// cmd.exe runs the command; vekinfo.exe is the program beside this one (a Windows build keeps its
// programs in one folder).
std::string VekinfoCommand() {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return "\"" + own.substr(0, own.find_last_of("\\/") + 1) + "vekinfo.exe\"";
}
#else
constexpr const char* kNull = "/dev/null";

// vekinfo also starts and stops the OpenCL layer, and the system's ICD loader loses its own
// records when it is closed; in a sanitizer build that would fail the run for a leak that is not
// the library's (the OpenCL tests keep the loader open to check the library's own leaks).
std::string VekinfoCommand() {
    return "ASAN_OPTIONS=detect_leaks=0 " + std::string(VEKINFO_PROGRAM);
}
#endif

struct Image {
    int width = 0;
    int height = 0;
    std::vector<png_byte> rgba;  // top row first
    const png_byte* at(int x, int y) const {
        return rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
    }
};

bool ReadPng(const std::string& path, Image& image) {
    png_image reader{};
    reader.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&reader, path.c_str())) {
        return false;
    }
    reader.format = PNG_FORMAT_RGBA;
    image.width = static_cast<int>(reader.width);
    image.height = static_cast<int>(reader.height);
    image.rgba.resize(PNG_IMAGE_SIZE(reader));
    return png_image_finish_read(&reader, nullptr, image.rgba.data(), 0, nullptr) != 0;
}

int RunVekinfo(const std::string& arguments) {
    return std::system((VekinfoCommand() + " " + arguments + " >" + kNull).c_str());
}

}  // namespace

TEST(Vekinfo, WritesTheDrawingAsPngWhereAsked) {
    const std::string path = testing::TempDir() + "vekinfo-test.png";
    std::remove(path.c_str());
    ASSERT_EQ(RunVekinfo("--png " + path), 0);
    Image image;
    ASSERT_TRUE(ReadPng(path, image));
    ASSERT_EQ(image.width, 256);
    ASSERT_EQ(image.height, 256);
    // A triangle with its apex at the top, on dark blue, shaded from its red (bottom left),
    // green (bottom right) and blue (apex) corners: a quarter red and green and half blue at
    // the centre.
    const png_byte* centre = image.at(128, 128);
    EXPECT_NEAR(centre[0], 64, 3);
    EXPECT_NEAR(centre[1], 64, 3);
    EXPECT_NEAR(centre[2], 128, 3);
    const png_byte* topLeft = image.at(4, 4);
    EXPECT_EQ(topLeft[0], 0);
    EXPECT_EQ(topLeft[1], 0);
    EXPECT_NEAR(topLeft[2], 64, 1);
    const png_byte* nearApex = image.at(128, 8);
    EXPECT_GT(nearApex[2], 240);
    EXPECT_LT(nearApex[0], 10);
    const png_byte* bottomLeft = image.at(4, 252);
    EXPECT_GT(bottomLeft[0], 240);
    EXPECT_LT(bottomLeft[1], 10);
    const png_byte* bottomRight = image.at(251, 252);
    EXPECT_GT(bottomRight[1], 240);
    EXPECT_LT(bottomRight[0], 10);
    // Over it: a 4x4 checkered texture at the top left (white texel first), and a white widget
    // at half fade at the top right, blended over the background.
    const png_byte* whiteTexel = image.at(20, 20);
    const png_byte* blackTexel = image.at(36, 20);
    EXPECT_GT(whiteTexel[0], 250);
    EXPECT_GT(whiteTexel[2], 250);
    EXPECT_LT(blackTexel[0], 5);
    EXPECT_LT(blackTexel[2], 5);
    const png_byte* widget = image.at(224, 32);
    EXPECT_NEAR(widget[0], 128, 2);
    EXPECT_NEAR(widget[2], 160, 2);
    std::remove(path.c_str());

    // A path that cannot be written is a failure, not a silent success.
    EXPECT_NE(RunVekinfo("--png /nonexistent-directory/x.png 2>" + std::string(kNull)), 0);
    EXPECT_NE(RunVekinfo("--png 2>" + std::string(kNull)), 0);
}
