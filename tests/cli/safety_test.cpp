// End-to-end tests of what keeps a configuration from being lost: backups of reads and writes,
// the check before a write, the verification after it, and diff.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "cli/sim_process.h"
#include "image/data_file.h"
#include "sim/radio_memory.h"
#include "support/run_program.h"

namespace varel::test {
namespace {

namespace fs = std::filesystem;

constexpr int kExitDifferent = 1;
constexpr int kExitUsage = 2;
constexpr int kExitCommunication = 4;
constexpr int kExitCheckRefused = 7;
constexpr int kExitNotVerified = 8;

const std::string kSampleFile = VAREL_TEST_DATA "/sample.dat";  // band 1, with problems

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class Safety : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        cleanFile = dir.file("clean.dat");
        const auto bytes = BuildDataFile(sim::SampleImage());
        ASSERT_TRUE(WriteFileBytes(cleanFile, {bytes.begin(), bytes.end()}));
    }

    ProgramResult Cli(const std::vector<std::string>& args,
                      const std::string& dataHome = std::string()) {
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
    std::string cleanFile;  // the virtual radio's sample: no problem for the check
};

TEST_F(Safety, ReadKeepsABackupOfWhatItReadUnlessTold) {
    SimProcess sim;
    ASSERT_TRUE(sim.start({"--memory", kSampleFile}));
    const auto r = Cli({"read", "--port", sim.device(), dir.file("out.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_EQ(Backups()[0].filename().string().rfind("read-", 0), 0u);
    EXPECT_EQ(ReadFileBytes(Backups()[0].string()), ReadFileBytes(kSampleFile));
    const auto again = Cli({"read", "--port", sim.device(), "--no-backup", dir.file("out.dat")});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(Backups().size(), 1u);
}

// A backup folder that is a file, or one the user may not write: said once, the transfer goes on.
TEST_F(Safety, ABackupThatCannotBeSavedIsOnlyAWarning) {
    const std::string file = dir.file("plain");
    ASSERT_TRUE(WriteFileBytes(file, {1}));
    const std::string locked = dir.file("locked");
    fs::create_directories(locked + "/Varel/Wavesmith/backups");
    ::chmod((locked + "/Varel/Wavesmith/backups").c_str(), 0555);
    const bool root = ::geteuid() == 0;  // root writes into any folder
    for (const std::string& home : {file, locked}) {
        if (home == locked && root) continue;
        for (const char* verb : {"read", "write"}) {
            SCOPED_TRACE(std::string(verb) + " " + home);
            SimProcess sim;
            ASSERT_TRUE(sim.start({}));
            const std::string data = dir.file(std::string(verb) + ".dat");
            if (std::string(verb) == "write") {
                ASSERT_TRUE(fs::copy_file(cleanFile, data));
            }
            const auto r = Cli({verb, "--port", sim.device(), data}, home);
            EXPECT_EQ(r.exitCode, 0) << r.err;
            EXPECT_EQ(Count(r.err, "warning: no backup was saved"), 1) << r.err;
            EXPECT_TRUE(Has(r.err, home)) << r.err;
            EXPECT_EQ(ReadFileBytes(data), ReadFileBytes(cleanFile));
        }
    }
}

TEST_F(Safety, CheckWarnsAndStrictSendsNothing) {
    SimProcess sim;
    ASSERT_TRUE(sim.start({"--band", "1"}));
    const auto strict = Cli({"write", "--port", sim.device(), "--strict", kSampleFile});
    EXPECT_EQ(strict.exitCode, kExitCheckRefused);
    EXPECT_TRUE(Has(strict.err,
                    "varel-cli: warning: channel 5: QT/DQT Dec 100.3 is not in the "
                    "tone list and is written as Off"))
        << strict.err;
    EXPECT_TRUE(Has(strict.err, "warning: A Group VFO / Frequency FFF.FFFFF is outside the band"));
    EXPECT_TRUE(Backups().empty());

    const auto lenient = Cli({"write", "--port", sim.device(), kSampleFile});
    EXPECT_EQ(lenient.exitCode, 0) << lenient.err;
    EXPECT_EQ(Count(lenient.err, "warning: channel 5:"), 3) << lenient.err;
    sim.stop();
    EXPECT_EQ(sim.count("rx PROGRAM"), 1);  // only the second write reached the radio
    EXPECT_EQ(Backups().size(), 1u);
}

TEST_F(Safety, VerifyReadsBackAndNamesWhatDiffers) {
    const struct {
        std::vector<std::string> faults;
        int exitCode;
        const char* said;
    } cases[] = {
        {{}, 0, "verified"},
        {{"--corrupt-write", "0x05A"},
         kExitNotVerified,
         "varel-cli: block 0x050 is not as written: channel 7\n"},
        {{"--corrupt-write", "2116"},
         kExitNotVerified,
         "block 0x840 is not as written: channel 9 name"},
        // The write is answered in full, every read stops two blocks short.
        {{"--stop-after", "191"}, kExitCommunication, "trying once more"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exitCode);
        SimProcess sim;
        ASSERT_TRUE(sim.start(c.faults));
        const auto r = Cli({"write", "--port", sim.device(), "--verify", cleanFile});
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_TRUE(Has(r.out + r.err, c.said)) << r.out << r.err;
        if (c.exitCode == kExitNotVerified) {
            EXPECT_TRUE(Has(r.err, "write again")) << r.err;
        }
        sim.stop();
        EXPECT_EQ(sim.count("rx PROGRAM"), c.exitCode == kExitCommunication ? 3 : 2);
        EXPECT_EQ(sim.count("rx Write"), 191);
    }
}

TEST_F(Safety, DiffSaysEqualDifferentOrWhichFileFailed) {
    const std::string changed = dir.file("changed.dat");
    auto bytes = ReadFileBytes(cleanFile);
    bytes[kDataFileHeaderSize + 0x704] = 8;
    ASSERT_TRUE(WriteFileBytes(changed, bytes));
    const std::string other = dir.file("other.txt");
    ASSERT_TRUE(WriteFileBytes(other, std::vector<std::uint8_t>(kDataFileSize, 'x')));
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* out;
        const char* err;
    } cases[] = {
        {{cleanFile, cleanFile}, 0, "", ""},
        {{cleanFile, changed}, kExitDifferent, "Squelch Level: 5 -> 8\n", ""},
        {{"--lang", "zh", cleanFile, changed}, kExitDifferent, "静噪等级: 5 -> 8\n", ""},
        {{cleanFile, dir.file("missing.dat")},
         kExitUsage,
         "",
         "missing.dat: Cannot open the file!"},
        {{other, cleanFile}, kExitUsage, "", "other.txt: File type is incorrect!"},
        {{cleanFile}, kExitUsage, "", "two data files"},
        {{"--lang", "fr", cleanFile, changed}, kExitUsage, "", "--lang"},
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

// A command-line tool waits for the writer of a named pipe, as cat does.
TEST_F(Safety, DumpWaitsForTheWriterOfANamedPipe) {
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    RunningProgram dump;
    ASSERT_TRUE(dump.start(VAREL_CLI, {"dump", fifo}));
    std::thread writer([&] {
        const int fd = ::open(fifo.c_str(), O_WRONLY);  // waits for the dump to open it
        if (fd < 0) return;
        const auto bytes = ReadFileBytes(cleanFile);
        EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    });
    const auto r = dump.finish(20000);
    const int release = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // a writer left waiting
    writer.join();
    ::close(release);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "CALL2M")) << r.out;
}

}  // namespace
}  // namespace varel::test
