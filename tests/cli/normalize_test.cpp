// varel-cli normalize: open a data file as a freshly started program does and save it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kHeader = std::string("ZNO-7P\xFF\xFF\xFF\xFFV0100") + std::string(33, '\xFF');
const std::string kSample = VAREL_TEST_DATA "/sample.dat";

std::string ReadAll(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class Normalize : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.ok()); }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    varel::test::ProgramResult run(std::vector<std::string> args) const {
        args.insert(args.begin(), "normalize");
        return varel::test::RunProgram(VAREL_CLI, args);
    }

private:
    varel::test::TempDir m_dir;
};

TEST_F(Normalize, SampleFileComesBackWithItsChannelsInCanonicalForm) {
    const auto result = run({kSample, file("out.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string in = ReadAll(kSample).substr(48);
    const std::string out = ReadAll(file("out.dat"));
    ASSERT_EQ(out.size(), 3120u);
    EXPECT_EQ(out.substr(0, 48), kHeader);
    const std::string image = out.substr(48);

    // Channel 1 is canonical already; channel 2 drops its TX junk; channel 5 writes its
    // unlisted receive tone as off, its flags with bit 1 clear and its name without the fill
    // gap; the name of empty channel 3 and that of channel 128 stay as they were.
    EXPECT_EQ(image.substr(0, 13), in.substr(0, 13));
    EXPECT_EQ(image.substr(17, 4), std::string(4, '\xFF'));
    EXPECT_EQ(image.substr(52, 13), "\x50\x62\x25\x46\x50\x62\x75\x46\xFF\xFF\x41\x25\xFD");
    EXPECT_EQ(image.substr(0x820, 8), "AB" + std::string(6, '\xFF'));
    EXPECT_EQ(image.substr(0x810, 8), in.substr(0x810, 8));
    EXPECT_EQ(image.substr(0xBF8, 8), in.substr(0xBF8, 8));
    EXPECT_EQ(image[0x716], 1);

    ASSERT_EQ(run({file("out.dat"), file("again.dat")}).exitCode, 0);
    EXPECT_EQ(ReadAll(file("again.dat")), out);
}

TEST_F(Normalize, RandomImagesWithTheRightIdentifierNeverFail) {
    std::mt19937 rng(31);
    for (int round = 0; round < 3; ++round) {
        std::string bytes = kHeader;
        for (int i = 0; i < 3072; ++i) bytes += static_cast<char>(rng());
        WriteAll(file("in.dat"), bytes);
        const auto result = run({file("in.dat"), file("out.dat")});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::string out = ReadAll(file("out.dat"));
        EXPECT_EQ(out.size(), 3120u);
        EXPECT_EQ(out.substr(0, 48), kHeader);
    }
}

TEST_F(Normalize, RefusedOrMissingInputLeavesTheOutputAlone) {
    std::string bytes = ReadAll(kSample);
    WriteAll(file("short.dat"), bytes.substr(0, 3119));
    bytes[0] = 'z';
    WriteAll(file("wrong.dat"), bytes);
    WriteAll(file("kept.dat"), "old");
    const struct {
        const char* in;
        const char* out;
        const char* message;
    } cases[] = {{"wrong.dat", "out.dat", "File type is incorrect!"},
                 {"short.dat", "out.dat", "File type is incorrect!"},
                 {"missing.dat", "out.dat", "Cannot open the file!"},
                 {"wrong.dat", "kept.dat", "File type is incorrect!"}};
    for (const auto& c : cases) {
        const auto result = run({file(c.in), file(c.out)});
        EXPECT_EQ(result.exitCode, 1) << c.in;
        EXPECT_EQ(result.err.rfind("varel-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(file(c.in)), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(run({file("missing.dat"), file("out.dat")}).err,
              "varel-cli: " + file("missing.dat") +
                  ": Cannot open the file! (No such file or directory)\n");
    EXPECT_FALSE(fs::exists(file("out.dat")));
    EXPECT_EQ(ReadAll(file("kept.dat")), "old");
}

TEST_F(Normalize, CommandLineErrorsExitWithUsage) {
    const std::vector<std::vector<std::string>> wrong = {
        {},     {"a.dat"},     {"a.dat", "b.dat", "c.dat"},   {"--bogus", "a.dat", "b.dat"},
        {"-x"}, {"a.dat", ""}, {"--help=x", "a.dat", "b.dat"}};
    for (const auto& args : wrong) {
        const auto result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args.size();
        EXPECT_NE(result.err.find("usage: varel-cli normalize"), std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
    const auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: varel-cli normalize"), std::string::npos);
    EXPECT_TRUE(help.err.empty());
}

}  // namespace
