// varel-cli export-text and import-text: files, standard input and output, refusals with their
// line in both languages, and the warnings of an import.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

const std::string kExample = VAREL_TEST_DATA "/../../docs/example.dat";

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class TextVerbs : public ::testing::Test {
protected:
    static ProgramResult cli(const std::vector<std::string>& args) {
        return RunProgram(VAREL_CLI, args);
    }
    static ProgramResult shell(const std::string& command) {
        return RunProgram("/bin/sh", {"-c", command});
    }
    TempDir dir;
};

TEST_F(TextVerbs, ExportAndImportGiveBackTheFileThroughFilesAndPipes) {
    const std::string text = dir.file("a.yaml");
    ASSERT_EQ(cli({"export-text", kExample, text}).exitCode, 0);
    const auto out = cli({"export-text", kExample});
    EXPECT_EQ(out.exitCode, 0) << out.err;
    EXPECT_EQ(out.out, Contents(text));
    EXPECT_EQ(cli({"export-text", kExample, "-"}).out, Contents(text));

    const auto back = cli({"import-text", text, dir.file("b.dat")});
    EXPECT_EQ(back.exitCode, 0) << back.err;
    EXPECT_TRUE(back.err.empty()) << back.err;
    EXPECT_EQ(Contents(dir.file("b.dat")), Contents(kExample));

    const std::string cliPath = VAREL_CLI;
    const auto piped = shell("cat '" + kExample + "' | '" + cliPath + "' export-text - | '" +
                             cliPath + "' import-text - - > '" + dir.file("c.dat") + "'");
    EXPECT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(Contents(dir.file("c.dat")), Contents(kExample));
}

TEST_F(TextVerbs, ExportSaysWhenItLeavesBytesPastTheConfigurationOut) {
    Write(dir.file("long.dat"), Contents(kExample) + "tail");
    const auto r = cli({"export-text", dir.file("long.dat")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(Has(r.err,
                    "long.dat: the bytes past the first 3,120 are not part of a "
                    "configuration and were left out of the text"))
        << r.err;
    EXPECT_EQ(r.out, cli({"export-text", kExample}).out);
}

TEST_F(TextVerbs, ARefusedTextNamesItsLineInTheLanguageAskedForAndSavesNothing) {
    std::string text = cli({"export-text", kExample}).out;
    text.replace(text.find("  Beep: On"), 10, "  Beep: Loud");
    Write(dir.file("bad.yaml"), text);
    Write(dir.file("kept.dat"), "kept");
    const auto en = cli({"import-text", dir.file("bad.yaml"), dir.file("out.dat")});
    EXPECT_EQ(en.exitCode, 1);
    EXPECT_EQ(en.err, dir.file("bad.yaml") +
                          ":26: Function Set / Beep: \"Loud\" is not one of its values\n");
    EXPECT_FALSE(std::ifstream(dir.file("out.dat")).good());
    const auto zh =
        cli({"import-text", "--lang", "zh", dir.file("bad.yaml"), dir.file("kept.dat")});
    EXPECT_EQ(zh.exitCode, 1);
    EXPECT_EQ(zh.err, dir.file("bad.yaml") + ":26: Function Set / Beep：“Loud”不是它的可选值\n");
    EXPECT_EQ(Contents(dir.file("kept.dat")), "kept");
}

TEST_F(TextVerbs, ImportKeepsValuesTheProgramFlagsAndWarnsOfThem) {
    std::string text = cli({"export-text", kExample}).out;
    text.replace(text.find("1: [145.12500"), 13, "1: [449.5F625");
    Write(dir.file("odd.yaml"), text);
    const auto r = cli({"import-text", dir.file("odd.yaml"), dir.file("odd.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.err, "varel-cli: warning: channel 1: RXFreq 449.5F625 is not a frequency"))
        << r.err;
    EXPECT_EQ(cli({"export-text", dir.file("odd.dat")}).out, text);
}

TEST_F(TextVerbs, CommandLineErrorsExitWithTheUsage) {
    // clang-format off
    const std::vector<std::vector<std::string>> wrong = {
        {"export-text"}, {"export-text", kExample, "a", "b"}, {"export-text", ""},
        {"import-text", "a.yaml"}, {"import-text", "--lang", "fr", "a.yaml", "b.dat"},
        {"import-text", "a.yaml", ""}};
    // clang-format on
    for (const auto& args : wrong) {
        const auto r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.size();
        EXPECT_TRUE(Has(r.err, "usage: varel-cli " + args[0])) << r.err;
    }
    EXPECT_EQ(cli({"import-text", dir.file("none.yaml"), dir.file("x.dat")}).exitCode, 1);
    EXPECT_EQ(cli({"export-text", dir.file("none.dat")}).exitCode, 1);
}

}  // namespace
}  // namespace varel::test
