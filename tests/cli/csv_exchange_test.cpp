// varel-cli export-csv and import-csv: exit codes, the report on standard error and what is
// saved.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

const std::string kSample = VAREL_TEST_DATA "/sample.dat";

std::string ReadAll(const std::string& path) {
    const std::vector<std::uint8_t> bytes = varel::test::ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

class CsvExchange : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.ok()); }
    std::string file(const std::string& name) const { return m_dir.file(name); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(file(name), std::ios::binary) << text;
    }
    static varel::test::ProgramResult run(const std::vector<std::string>& args) {
        return varel::test::RunProgram(VAREL_CLI, args);
    }

private:
    varel::test::TempDir m_dir;
};

TEST_F(CsvExchange, ExportThenImportKeepsTheChannels) {
    const auto exported = run({"export-csv", kSample, file("list.csv")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string list = ReadAll(file("list.csv"));
    EXPECT_EQ(list.rfind("Location,Name,Frequency,Duplex,", 0), 0u);
    EXPECT_NE(list.find("\n1,CALL,145.125000,+,0.600000,Cross,88.5,67.0,023,NN,023,DTCS->Tone,FM"),
              std::string::npos);

    // Band 0 holds every channel of the sample; a name with a non-ASCII letter changes, one of
    // all eight characters the radio holds stays whole.
    const auto imported =
        run({"import-csv", "--band", "0", kSample, file("list.csv"), file("out.dat")});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.err,
              "line 3: Name: \"RPT-\xC3\x84\" taken as \"RPT-\"\n"
              "4 rows taken (1 with changes), 0 skipped\n");
    ASSERT_EQ(run({"export-csv", file("out.dat"), file("again.csv")}).exitCode, 0);
    std::string expected = list;
    expected.replace(expected.find("RPT-\xC3\x84"), 6, "RPT-");
    EXPECT_EQ(ReadAll(file("again.csv")), expected);
}

TEST_F(CsvExchange, ExitCodesOfTheImport) {
    write("skips.csv", "Location,Frequency\n1,145.5\n2,500\n");
    write("broken.csv", "Location,Frequency\n1,\"145.5\n");
    write("kept.dat", "old");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* err;  // expected in standard error
        bool saved;
    } cases[] = {
        {{kSample, file("skips.csv"), file("out.dat")},
         6,
         "1 row taken (0 with changes), 1 skipped",
         true},
        {{kSample, file("broken.csv"), file("kept.dat")}, 1, "quote never closed", false},
        {{kSample, file("missing.csv"), file("kept.dat")}, 1, "Cannot open the file!", false},
        {{"--band", "3", kSample, file("skips.csv"), file("kept.dat")}, 2, "--band needs", false},
        {{kSample, file("skips.csv")}, 2, "usage: varel-cli import-csv", false},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "import-csv");
        const auto result = run(args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
        if (c.saved) {
            EXPECT_EQ(ReadAll(file("out.dat")).size(), 3120u);
        }
    }
    EXPECT_EQ(ReadAll(file("kept.dat")), "old");
    EXPECT_EQ(run({"import-csv", "--help"}).exitCode, 0);
    EXPECT_EQ(run({"export-csv", kSample}).exitCode, 2);
}

}  // namespace
