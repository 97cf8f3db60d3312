#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The value after "total " in the digest file the build writes.
std::string TotalDigest(const std::string& digestFile) {
    const std::string key = "total ";
    const std::size_t at = digestFile.rfind(key);
    if (at == std::string::npos) {
        return "";
    }
    return digestFile.substr(at + key.size(), 64);
}

std::string FirstWord(const std::string& text) {
    std::istringstream in(text);
    std::string word;
    in >> word;
    return word;
}

// Output and exit status of a shell command.
std::pair<std::string, int> RunShell(const std::string& command) {
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return {"popen failed", -1};
    }
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof(buffer), pipe) != nullptr) {
        output += buffer;
    }
    return {output, ::pclose(pipe)};
}

}  // namespace

// The generated entry-point code is the same on every machine: it depends only on the pinned
// registry and the committed lists. A change to either (or to the generator) changes the digest,
// and the new one is committed only after reading the change.
TEST(GeneratedOutput, DigestIsTheCommittedOne) {
    const std::string digests = ReadFile(VEK_GLGEN_DIGEST_FILE);
    ASSERT_FALSE(digests.empty()) << VEK_GLGEN_DIGEST_FILE << " is missing: build vek first";
    const std::string total = TotalDigest(digests);
    ASSERT_EQ(total.size(), 64u) << digests;
    const std::string expected = FirstWord(ReadFile(VEK_GLGEN_EXPECTED_DIGEST_FILE));
    EXPECT_EQ(total, expected)
        << "The generated entry-point code changed (digest of each file in "
        << VEK_GLGEN_DIGEST_FILE << "):\n"
        << digests << "If the change is meant (a new registry, list or generator), check the "
        << "generated files, then write " << total << " into " << VEK_GLGEN_EXPECTED_DIGEST_FILE;
}

// A registry or list that would change the interface stops the generator with a message that
// names each count that differs.
TEST(GeneratedOutput, GeneratorNamesEveryCountThatDiffers) {
    const std::string scratch = ::testing::TempDir() + "glgen_lists";
    const std::string lists = std::string(VEK_GLGEN_DIR) + "/lists";
    // Drop glAccum from the OpenGL 1.1 list and the last group from the table.
    const std::string prepare = "rm -rf '" + scratch + "' && cp -r '" + lists + "' '" + scratch +
                                "' && sed -i '/^glAccum$/d' '" + scratch +
                                "/gl11.txt' && sed -i '$d' '" + scratch + "/table_groups.txt'";
    ASSERT_EQ(RunShell(prepare).second, 0);
    const auto result = RunShell(
        std::string(VEK_PYTHON) + " '" + VEK_GLGEN_DIR + "/glgen.py' --registry '" + VEK_GLGEN_DIR +
        "/registry' --lists '" + scratch + "' --out '" + scratch + "/out'");
    EXPECT_NE(result.second, 0);
    EXPECT_NE(result.first.find("OpenGL 1.1 entry points: 335, expected 336"), std::string::npos)
        << result.first;
    EXPECT_NE(result.first.find("function table groups: 61, expected 62"), std::string::npos)
        << result.first;
    EXPECT_NE(result.first.find("interceptor operations:"), std::string::npos) << result.first;
    EXPECT_EQ(result.first.find("WGL"), std::string::npos) << "only what differs is named";
    RunShell("rm -rf '" + scratch + "'");
}
