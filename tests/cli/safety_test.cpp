// End-to-end tests of what keeps a configuration from being lost: backups of reads and writes,
// the check before a write, the verification after it, and diff.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/sim_process.h"
#include "image/data_file.h"
#include "sim/radio_memory.h"
#include "support/run_program.h"

namespace varel::test {
namespace {

namespace fs = std::filesystem;

const std::string kSampleFile = VAREL_TEST_DATA "/sample.dat";  // band 1, with problems

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class Safety : public ::testing::Test {
protected:
    void SetUp() override {
        cleanFile = dir.file("clean.dat");
        const auto bytes = BuildDataFile(sim::SampleImage());
        ASSERT_TRUE(WriteFileBytes(cleanFile, {bytes.begin(), bytes.end()}));
    }

    ProgramResult Cli(const std::vector<std::string>& args, const std::string& dataHome = "") {
        return RunProgram(VAREL_CLI, args, 30000,
                          {"XDG_DATA_HOME=" + (dataHome.empty() ? dir.file("data") : dataHome),
                           "VAREL_SETTLE_MS=0"});
    }

    std::vector<fs::path> Backups() const {
        std::vector<fs::path> files;
        const fs::path folder = dir.path() / "data/Varel/Wavesmith/backups";
        if (fs::is_directory(folder))
            for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
        return files;
    }

    TempDir dir;
    std::string cleanFile;  // the virtual radio's sample: nothing for the check to find
};

// A backup folder that is a file is said once, and the transfer goes on.
TEST_F(Safety, ReadsAndWritesAreBackedUpUnlessToldOrImpossible) {
    SimProcess sim;
    ASSERT_TRUE(sim.start({"--memory", kSampleFile}));
    const std::string out = dir.file("out.dat");
    ASSERT_EQ(Cli({"read", "--port", sim.device(), out}).exitCode, 0);
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_EQ(Backups()[0].filename().string().rfind("read-", 0), 0u);
    EXPECT_EQ(ReadFileBytes(Backups()[0].string()), ReadFileBytes(kSampleFile));
    ASSERT_EQ(Cli({"read", "--port", sim.device(), "--no-backup", out}).exitCode, 0);
    EXPECT_EQ(Backups().size(), 1u);

    const std::string file = dir.file("plain");
    ASSERT_TRUE(WriteFileBytes(file, {1}));
    for (const std::string verb : {"read", "write"}) {
        const auto r = Cli({verb, "--port", sim.device(), verb == "read" ? out : cleanFile}, file);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "varel-cli: warning: no backup was saved: " + file +
                             "/Varel/Wavesmith/backups" +
                             ": Cannot open the file! (Not a directory)\n");
    }
    sim.stop();
    EXPECT_EQ(sim.count("rx Write"), 191);
}

TEST_F(Safety, CheckWarnsAndStrictSendsNothing) {
    SimProcess sim;
    ASSERT_TRUE(sim.start({"--band", "1"}));
    const auto strict = Cli({"write", "--port", sim.device(), "--strict", kSampleFile});
    EXPECT_EQ(strict.exitCode, 7);
    EXPECT_TRUE(Has(strict.err,
                    "varel-cli: warning: channel 5: QT/DQT Dec 100.3 is not in the "
                    "tone list and is written as Off\n"))
        << strict.err;
    EXPECT_TRUE(Has(strict.err, "warning: A Group VFO / Frequency FFF.FFFFF is outside the band"));
    EXPECT_TRUE(Backups().empty());

    const auto lenient = Cli({"write", "--port", sim.device(), kSampleFile});
    EXPECT_EQ(lenient.exitCode, 0) << lenient.err;
    EXPECT_TRUE(Has(lenient.err, "warning: channel 5: RXFreq 462.56250 is outside the band"));
    sim.stop();
    EXPECT_EQ(sim.count("rx PROGRAM"), 1);  // only the second write reached the radio
}

TEST_F(Safety, VerifyReadsBackAndNamesWhatDiffers) {
    const struct {
        std::vector<std::string> faults;
        int exitCode;
        const char* said;
        int sessions;
    } cases[] = {
        {{}, 0, "verified", 2},
        {{"--corrupt-write", "0x05A"},
         8,
         "varel-cli: block 0x050 is not as written: channel 7\n",
         2},
        // The write is answered in full, every read stops two blocks short.
        {{"--stop-after", "191"}, 4, "trying once more", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        SimProcess sim;
        ASSERT_TRUE(sim.start(c.faults));
        const auto r = Cli({"write", "--port", sim.device(), "--verify", cleanFile});
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_TRUE(Has(r.out + r.err, c.said)) << r.out << r.err;
        EXPECT_EQ(Has(r.err, "write again"), c.exitCode == 8) << r.err;
        sim.stop();
        EXPECT_EQ(sim.count("rx PROGRAM"), c.sessions);
        EXPECT_EQ(sim.count("rx Write"), 191);
    }
}

TEST_F(Safety, DiffSaysEqualDifferentOrWhichFileFailed) {
    const std::string changed = dir.file("changed.dat");
    auto bytes = ReadFileBytes(cleanFile);
    bytes[kDataFileHeaderSize + 0x704] = 8;
    ASSERT_TRUE(WriteFileBytes(changed, bytes));
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* out;
        const char* err;
    } cases[] = {
        {{cleanFile, cleanFile}, 0, "", ""},
        {{"--lang", "zh", cleanFile, changed}, 1, "静噪等级: 5 -> 8\n", ""},
        {{cleanFile, dir.file("missing.dat")}, 2, "", "missing.dat: Cannot open the file!"},
        {{"/dev/null", cleanFile}, 2, "", "/dev/null: File type is incorrect!"},
        {{cleanFile}, 2, "", "two data files"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"diff"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_TRUE(Has(r.err, c.err)) << r.err;
    }
}

}  // namespace
}  // namespace varel::test
