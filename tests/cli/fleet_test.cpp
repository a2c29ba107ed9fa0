// varel-cli write to several radios at once, against several virtual radios: every radio gets
// the same bytes but its own display text, a faulty radio fails alone and is named, and the
// signals follow the rule of the write to one radio.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cli/sim_process.h"
#include "files/backups.h"
#include "files/data_file.h"
#include "image/memory_image.h"
#include "link/write_fingerprint.h"
#include "sim/radio_memory.h"
#include "support/pattern_image.h"
#include "support/run_program.h"

namespace varel::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

constexpr int kExitUsage = 2;
constexpr int kExitStrict = 7;
constexpr int kExitSomeFailed = 9;
constexpr std::size_t kDisplayAt = 0x718;  // the six bytes of the Display Character
constexpr std::size_t kDisplaySize = 6;

Bytes FileOf(const MemoryImage& image) {
    const auto bytes = BuildDataFile(image);
    return Bytes(bytes.begin(), bytes.end());
}

class FleetWrite : public ::testing::Test {
protected:
    void SetUp() override {
        sampleFile = dir.file("sample.dat");
        ASSERT_TRUE(WriteFileBytes(sampleFile, FileOf(sim::SampleImage())));
    }

    // Starts a radio with args whose memory (the pattern) is saved after each write.
    SimProcess& Radio(std::vector<std::string> args = {}) {
        const std::string memory = dir.file("radio" + std::to_string(radios.size()) + ".dat");
        EXPECT_TRUE(WriteFileBytes(memory, FileOf(PatternImage())));
        memories.push_back(memory);
        args.insert(args.end(), {"--memory", memory, "--save"});
        radios.push_back(std::make_unique<SimProcess>());
        EXPECT_TRUE(radios.back()->start(args));
        return *radios.back();
    }

    std::vector<std::string> WriteArgs(const std::vector<std::string>& extra) const {
        std::vector<std::string> args = {"write"};
        for (const auto& radio : radios) args.insert(args.end(), {"--port", radio->device()});
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(sampleFile);
        return args;
    }

    std::vector<std::string> Env() const {
        return {"XDG_DATA_HOME=" + dir.file("data"), "VAREL_SETTLE_MS=0"};
    }

    ProgramResult Write(const std::vector<std::string>& extra = {}) {
        return RunProgram(VAREL_CLI, WriteArgs(extra), 30000, Env());
    }

    // What radio i holds once it has stopped (its memory file).
    Bytes Memory(std::size_t i) {
        radios[i]->stop();
        return ReadFileBytes(memories[i]);
    }

    std::size_t Backups() const {
        std::size_t count = 0;
        const fs::path folder = dir.path() / "data/Varel/Wavesmith/backups";
        if (fs::is_directory(folder))
            for (const auto& entry : fs::directory_iterator(folder))
                count += entry.path().filename() != kBackupIndexName;
        return count;
    }

    TempDir dir;
    std::string sampleFile;
    std::vector<std::unique_ptr<SimProcess>> radios;
    std::vector<std::string> memories;
};

TEST_F(FleetWrite, EveryRadioIsWrittenVerifiedBackedUpAndTraced) {
    for (int i = 0; i < 3; ++i) Radio();
    const auto r = Write({"--verify", "--trace", dir.file("run.trace")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Bytes first = Memory(0);
    // Each summary names the fingerprint of what the radio now holds, as a printed sheet does.
    MemoryImage held;
    ASSERT_TRUE(ParseDataFile(first, held).ok());
    const std::string fingerprint = link::WriteFingerprint(held);
    for (std::size_t i = 0; i < radios.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string& device = radios[i]->device();
        EXPECT_TRUE(Has(r.out, device + ": written, verified (Fingerprint: " + fingerprint + ")\n"))
            << r.out;
        EXPECT_EQ(radios[i]->count("rx Write"), 191);
        EXPECT_EQ(radios[i]->count("rx Read"), 193);  // the read-back
        EXPECT_EQ(Memory(i), first);
        std::string name = device.substr(5);  // "pts-3" of "/dev/pts/3"
        std::replace(name.begin(), name.end(), '/', '-');
        const Bytes trace = ReadFileBytes(dir.file("run-" + name + ".trace"));
        EXPECT_TRUE(Has(std::string(trace.begin(), trace.end()), device)) << name;
    }
    EXPECT_EQ(Backups(), 3u);
    EXPECT_FALSE(fs::exists(dir.file("run.trace")));
}

// A radio that fails in any way fails alone: the others are written, and it is named.
TEST_F(FleetWrite, AFaultyRadioFailsAloneAndIsNamed) {
    const struct {
        const char* name;
        std::vector<std::string> fault;
        const char* said;
    } cases[] = {
        {"silent", {"--silent"}, "failed: Communication error"},
        {"unplugged mid-write", {"--exit-after", "40"}, "failed: Communication error"},
        {"another model", {"--model", "XX-99"}, "failed: Communication error"},
        {"another band", {"--band", "2"}, "failed: The frequency band is not accorded with"},
        {"corrupting",
         {"--corrupt-write", "0x020"},
         "failed: the radio does not hold what was written (1 block differs: 0x020)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        radios.clear();
        memories.clear();
        Radio();
        SimProcess& faulty = Radio(c.fault);
        Radio();
        const auto r = Write({"--verify"});
        EXPECT_EQ(r.exitCode, kExitSomeFailed) << r.err;
        EXPECT_TRUE(Has(r.out, faulty.device() + ": " + c.said)) << r.out;
        EXPECT_TRUE(Has(r.err, "varel-cli: 1 of 3 radios failed: " + faulty.device() + "\n"))
            << r.err;
        for (std::size_t i : {0u, 2u})
            EXPECT_TRUE(Has(r.out, radios[i]->device() + ": written, verified (Fingerprint: "))
                << r.out;
    }
}

// Each radio gets its own display text, typed as the box takes it; every other byte is the
// same for all radios.
TEST_F(FleetWrite, DisplayTextIsPerRadioAndNothingElseDiffers) {
    Radio();
    Radio();
    Radio();
    const auto r = Write({"--display", radios[0]->device() + "=club01", "--display",
                          radios[1]->device() + "=CLUB02"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Bytes memory[] = {Memory(0), Memory(1), Memory(2)};
    const std::string expected[] = {"CLUB01", "CLUB02"};
    for (std::size_t radio = 0; radio < 2; ++radio)
        EXPECT_EQ(
            std::string(memory[radio].begin() + kDataFileHeaderSize + kDisplayAt,
                        memory[radio].begin() + kDataFileHeaderSize + kDisplayAt + kDisplaySize),
            expected[radio]);
    for (std::size_t i = 0; i < memory[0].size(); ++i) {
        const bool display = i >= kDataFileHeaderSize + kDisplayAt &&
                             i < kDataFileHeaderSize + kDisplayAt + kDisplaySize;
        if (display) continue;
        ASSERT_EQ(memory[0][i], memory[1][i]) << "offset " << i;
        ASSERT_EQ(memory[0][i], memory[2][i]) << "offset " << i;
    }
}

// Wrong ports and display texts are refused before any radio hears a byte; the check before
// writing runs once and --strict stops every radio.
TEST_F(FleetWrite, RefusalsComeBeforeAnyRadioIsWoken) {
    Radio();
    Radio();
    const std::string a = radios[0]->device();
    const std::string b = radios[1]->device();
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* said;
    } cases[] = {
        {{"--port", a}, kExitUsage, "are the same device"},
        {{"--display", a}, kExitUsage, "--display needs PORT=TEXT"},
        {{"--display", "/dev/null=A"}, kExitUsage, "no --port names /dev/null"},
        {{"--display", a + "=CLUB001"}, kExitUsage, "up to 6 of 0-9, A-Z"},
        {{"--display", a + "=CLUB 1"}, kExitUsage, "up to 6 of 0-9, A-Z"},
        {{"--display", a + "=CLÜB"}, kExitUsage, "up to 6 of 0-9, A-Z"},
        {{"--display", a + "=A", "--display", a + "=B"}, kExitUsage, "two texts"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        const auto r = Write(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_TRUE(Has(r.err, c.said)) << r.err;
    }
    const auto r = RunProgram(VAREL_CLI,
                              {"write", "--port", a, "--port", b, "--strict",
                               VAREL_TEST_DATA "/sample.dat"},  // a file with problems
                              30000, Env());
    EXPECT_EQ(r.exitCode, kExitStrict) << r.err;
    const std::string stopped = "varel-cli: nothing was written: --strict";
    EXPECT_EQ(r.err.find(stopped), r.err.rfind(stopped)) << r.err;  // one check for all radios
    EXPECT_NE(r.err.find(stopped), std::string::npos) << r.err;
    EXPECT_EQ(radios[0]->count("rx PROGRAM") + radios[1]->count("rx PROGRAM"), 0);
    EXPECT_EQ(Backups(), 0u);
}

// A first Ctrl-C lets every write whose blocks go finish; SIGTERM stops them all and says which
// radios are partly written.
TEST_F(FleetWrite, SignalsFinishOrStopEveryRadio) {
    const struct {
        int signo;
        int exitCode;
        const char* said;
        int blocks;  // blocks each radio received: all, or fewer
    } cases[] = {
        {SIGINT, 130, ": written (finished after Ctrl-C); the verify did not run\n", 191},
        {SIGTERM, 143, ": partly written: blocks 0x000 to 0x", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signo);
        radios.clear();
        memories.clear();
        Radio({"--latency", "5"});
        Radio({"--latency", "5"});
        RunningProgram cli;
        ASSERT_TRUE(cli.start(VAREL_CLI, WriteArgs({"--verify"}), Env()));
        for (const auto& radio : radios) ASSERT_TRUE(radio->waitForLog("rx Write 0x100"));
        cli.signal(c.signo);
        const auto r = cli.finish(15000);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        for (const auto& radio : radios) {
            EXPECT_TRUE(Has(r.out, radio->device() + c.said)) << r.out;
            EXPECT_TRUE(radio->waitForLog("rx End"));
            EXPECT_EQ(radio->count("rx Read"), 0);  // no verify after a signal
            if (c.blocks > 0) {
                EXPECT_EQ(radio->count("rx Write"), c.blocks);
            } else {
                EXPECT_LT(radio->count("rx Write"), 191);
            }
        }
        EXPECT_EQ(Has(r.err, "finishing the writes under way"), c.signo == SIGINT) << r.err;
    }
}

}  // namespace
}  // namespace varel::test
