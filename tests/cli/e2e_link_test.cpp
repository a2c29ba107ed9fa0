// End-to-end tests of varel-cli against the virtual radio on a pseudo-terminal: read and write
// with every fault, and what keeps a configuration from being lost: backups of reads and writes,
// the check before a write, the verification after it, and diff.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "cli/sim_process.h"
#include "files/backups.h"
#include "files/data_file.h"
#include "image/channel_codec.h"
#include "image/image_codec.h"
#include "image/memory_image.h"
#include "sim/radio_memory.h"
#include "support/pattern_image.h"
#include "support/run_program.h"

namespace varel::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const std::string kProblemFile = VAREL_TEST_DATA "/sample.dat";  // band 1, with problems
const char kCommunicationText[] =
    "Communication error, check the line and the serial connection selection!";
const char kBandRefusedText[] = "The frequency band is not accorded with, can't write into!";
const char kPortInvalidText[] = "The serial port is invalid";

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitPortInvalid = 3;
constexpr int kExitCommunication = 4;
constexpr int kExitBandRefused = 5;

Bytes FileOf(const MemoryImage& image) {
    const auto bytes = BuildDataFile(image);
    return Bytes(bytes.begin(), bytes.end());
}

// The image byte at offset i of a data file's bytes.
unsigned char ImageByte(const Bytes& file, std::size_t i) {
    return file.at(kDataFileHeaderSize + i);
}

class LinkEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        patternFile = dir.file("pattern.dat");
        sampleFile = dir.file("sample.dat");
        ASSERT_TRUE(WriteFileBytes(patternFile, FileOf(PatternImage())));
        ASSERT_TRUE(WriteFileBytes(sampleFile, FileOf(sim::SampleImage())));
    }

    void StartSim(std::vector<std::string> args) { ASSERT_TRUE(sim.start(args)); }

    // Backups go to the test's folder (or dataHome), never to the user's.
    ProgramResult Cli(const std::vector<std::string>& args, std::vector<std::string> env = {},
                      const std::string& dataHome = "") {
        env.push_back("XDG_DATA_HOME=" + (dataHome.empty() ? dir.file("data") : dataHome));
        env.push_back("VAREL_SETTLE_MS=0");
        return RunProgram(VAREL_CLI, args, 30000, env);
    }

    ProgramResult Read(const std::string& out) {
        return Cli({"read", "--port", sim.device(), out});
    }

    ProgramResult Write(const std::string& in, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"write", "--port", sim.device()};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(in);
        return Cli(args);
    }

    std::vector<fs::path> Backups() const {
        std::vector<fs::path> files;
        const fs::path folder = dir.path() / "data/Varel/Wavesmith/backups";
        if (fs::is_directory(folder))
            for (const auto& entry : fs::directory_iterator(folder))
                if (entry.path().filename() != kBackupIndexName) files.push_back(entry.path());
        return files;
    }

    TempDir dir;
    SimProcess sim;
    std::string patternFile;
    std::string sampleFile;  // the virtual radio's sample: nothing for the check to find
};

TEST_F(LinkEndToEnd, ReadIsByteExactWithTheRadioMemory) {
    StartSim({"--memory", patternFile});
    const std::string out = dir.file("out.dat");
    const auto r = Read(out);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    sim.stop();
    EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(patternFile));
    EXPECT_EQ(sim.count("rx Read"), 193);
    EXPECT_EQ(sim.count("rx Read 0xC00"), 1);
    EXPECT_EQ(sim.count("rx End"), 2);  // a read ends with two End frames
}

// Two reads in a row from one radio that sends its identification in two pieces, the second
// read through a port number and its override.
TEST_F(LinkEndToEnd, ReadsTheBuiltInSampleTwiceInARow) {
    StartSim({"--split-ident"});
    auto r = Read(dir.file("first.dat"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.file("first.dat")), FileOf(sim::SampleImage()));
    r = Cli({"read", "--port", "7", dir.file("second.dat")}, {"VAREL_COM7=" + sim.device()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(dir.file("second.dat")), FileOf(sim::SampleImage()));
}

// A write of a normalized file replaces every block but 0x7C0 and 0x7D0, and 0x7E0/0x7F0 only
// in debug mode; the radio saves the file's header; the read that follows gives back exactly
// what the radio holds.
TEST_F(LinkEndToEnd, WriteThenReadBackFollowsTheBlockSchedule) {
    const std::string normalized = dir.file("normalized.dat");
    const Bytes written = NormalizedFile(VAREL_CLI, sampleFile);
    ASSERT_TRUE(WriteFileBytes(normalized, written));
    const Bytes before = ReadFileBytes(patternFile);
    for (bool debug : {false, true}) {
        SCOPED_TRACE(debug ? "debug mode" : "normal mode");
        const std::string radio = dir.file(debug ? "radio-debug.dat" : "radio.dat");
        ASSERT_TRUE(WriteFileBytes(radio, before));
        SimProcess radioSim;
        ASSERT_TRUE(radioSim.start({"--memory", radio, "--save"}));
        std::vector<std::string> args = {"write", "--port", radioSim.device()};
        if (debug) args.push_back("--debug-mode");
        args.push_back(normalized);
        const auto w = Cli(args);
        ASSERT_EQ(w.exitCode, 0) << w.err;

        const std::string back = dir.file("back.dat");
        const auto r = Cli({"read", "--port", radioSim.device(), back});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        radioSim.stop();

        const Bytes saved = ReadFileBytes(radio);
        ASSERT_EQ(saved.size(), kDataFileSize);
        EXPECT_TRUE(
            std::equal(written.begin(), written.begin() + kDataFileHeaderSize, saved.begin()));
        for (std::size_t i = 0; i < kConfigSize; ++i) {
            const bool neverWritten = i >= 0x7C0 && i < 0x7E0;
            const bool tuning = i >= 0x7E0 && i < 0x800;
            const bool keeps = neverWritten || (tuning && !debug);
            ASSERT_EQ(ImageByte(saved, i), keeps ? ImageByte(before, i) : ImageByte(written, i))
                << "offset " << i;
        }
        EXPECT_EQ(ReadFileBytes(back), saved);
        EXPECT_EQ(radioSim.count("rx Write 0x7E0"), debug ? 1 : 0);
        EXPECT_EQ(radioSim.count("rx Write 0x7F0"), debug ? 1 : 0);
        EXPECT_EQ(radioSim.count("rx Write 0x7C0"), 0);
        EXPECT_EQ(radioSim.count("rx Write 0x7D0"), 0);
        EXPECT_EQ(radioSim.count("rx Write 0xC20"), 1);
        EXPECT_EQ(radioSim.count("rx Write"), debug ? 193 : 191);
    }
}

// A silent radio, one that falls silent or is unplugged mid-read, another radio and broken
// replies all end in the communication error and leave the file untouched. A silent radio hears
// the wake-up frame and End only, after twelve reply-timer ticks of 50 ms.
TEST_F(LinkEndToEnd, FailedTransfersAreCommunicationErrorsAndLeaveTheFileUntouched) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"read", {"--silent"}},           {"write", {"--silent"}},
        {"read", {"--stop-after", "20"}},  // the radio falls silent mid-read
        {"read", {"--exit-after", "50"}},  // the cable is pulled mid-read
        {"read", {"--garbage"}},           // a stray byte breaks an "equals 06" test
        {"read", {"--model", "PW-K5"}},    // another radio: never answered after the identification
        {"read", {"--long-ident"}},        // a 9th byte: no identification either
        {"read", {"--glued-ack"}},         // an acknowledge with one more byte is not "equal to 06"
    };
    for (const auto& [verb, fault] : cases) {
        SCOPED_TRACE(verb + " " + fault[0]);
        const std::string file = verb == "read" ? dir.file("out.dat") : sampleFile;
        const Bytes before = verb == "read" ? Bytes{'o', 'l', 'd'} : ReadFileBytes(sampleFile);
        ASSERT_TRUE(WriteFileBytes(file, before));
        SimProcess faulty;
        ASSERT_TRUE(faulty.start(fault));
        const auto begin = std::chrono::steady_clock::now();
        const auto r = Cli({verb, "--port", faulty.device(), file});
        const auto elapsed = std::chrono::steady_clock::now() - begin;
        EXPECT_EQ(r.exitCode, kExitCommunication) << r.err;
        EXPECT_TRUE(Has(r.err, kCommunicationText)) << r.err;
        EXPECT_EQ(ReadFileBytes(file), before);
        if (fault[0] != "--silent") continue;
        EXPECT_GE(elapsed, std::chrono::milliseconds(500));
        faulty.stop();
        EXPECT_EQ(faulty.count("rx PROGRAM"), 1);
        EXPECT_EQ(faulty.count("rx End"), 1);
        EXPECT_EQ(faulty.count("tx "), 0);
    }
    // A radio that never accepted a write leaves no backup of it.
    EXPECT_TRUE(Backups().empty());
}

TEST_F(LinkEndToEnd, UnpluggedRadioMidWriteIsACommunicationError) {
    StartSim({"--exit-after", "50"});
    const auto r = Write(sampleFile);
    EXPECT_EQ(r.exitCode, kExitCommunication) << r.err;
    EXPECT_EQ(sim.waitExit(10000), 0);
    EXPECT_EQ(sim.count("rx Write"), 50);
}

TEST_F(LinkEndToEnd, WriteToleratesAStrayByteBesideAnAcknowledge) {
    const std::string radio = dir.file("radio.dat");
    ASSERT_TRUE(WriteFileBytes(radio, ReadFileBytes(patternFile)));
    StartSim({"--garbage", "--memory", radio, "--save"});
    const auto r = Write(sampleFile);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    sim.stop();
    EXPECT_EQ(sim.count("tx stray"), 1);
    EXPECT_EQ(sim.count("memory saved"), 1);
}

// Forcing does not change the band: the file's own (0) is written; --band is encoded too.
TEST_F(LinkEndToEnd, BandMismatchIsRefusedUnlessForced) {
    const std::string radio = dir.file("radio.dat");
    const std::tuple<std::vector<std::string>, int, const char*, int, int> cases[] = {
        {{}, kExitBandRefused, kBandRefusedText, 0, -1},
        {{"--force-write"}, 0, "whether write into by force?", 191, 0},
        {{"--band", "1"}, 0, "", 191, 1},
    };
    for (const auto& [options, exitCode, said, writes, band] : cases) {
        ASSERT_TRUE(WriteFileBytes(radio, ReadFileBytes(patternFile)));
        SimProcess other;
        ASSERT_TRUE(other.start({"--band", "1", "--memory", radio, "--save"}));
        std::vector<std::string> args = {"write", "--port", other.device()};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(sampleFile);
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, exitCode) << r.err;
        EXPECT_TRUE(Has(r.err, said)) << r.err;
        other.stop();
        EXPECT_EQ(other.count("rx Write"), writes);
        EXPECT_EQ(other.count("rx End"), 1);
        if (band < 0) {
            EXPECT_EQ(ReadFileBytes(radio), ReadFileBytes(patternFile));
        } else {
            EXPECT_EQ(ImageByte(ReadFileBytes(radio), 0x716), band);
        }
    }
}

// A port that exists but cannot be opened is invalid, with the reason after the device.
TEST_F(LinkEndToEnd, AnInvalidPortSaysWhy) {
    const std::string missing = "/nonexistent/ttyVAREL";
    const auto r = Cli({"read", "--port", "com5", dir.file("out.dat")}, {"VAREL_COM5=" + missing});
    EXPECT_EQ(r.exitCode, kExitPortInvalid);
    EXPECT_TRUE(Has(r.err, std::string(kPortInvalidText) + " (" + missing + "): no such device"))
        << r.err;
    EXPECT_FALSE(fs::exists(dir.file("out.dat")));
}

// Ctrl-C or SIGTERM during a transfer: End reaches the radio, nothing is saved, and the radio
// takes the next transfer at once (without End it would ignore the tool for a second).
TEST_F(LinkEndToEnd, InterruptedTransfersEndLikeATimeout) {
    StartSim({"--pace", "--memory", patternFile});
    const std::string out = dir.file("out.dat");
    const Bytes old = {'o', 'l', 'd'};
    ASSERT_TRUE(WriteFileBytes(out, old));
    const std::tuple<const char*, std::string, const char*, int, int> cases[] = {
        {"read", out, "rx Read 0x100", SIGINT, 130},
        {"write", sampleFile, "rx Write 0x100", SIGTERM, 143},
        {"read", out, "rx Read 0x100", SIGINT, 130},
    };
    int ends = 0;
    for (const auto& [verb, file, blockSeen, signo, exitCode] : cases) {
        SCOPED_TRACE(verb);
        const int seen = sim.count(blockSeen);
        RunningProgram cli;
        ASSERT_TRUE(cli.start(VAREL_CLI, {verb, "--port", sim.device(), file},
                              {"XDG_DATA_HOME=" + dir.file("data")}));
        ASSERT_TRUE(sim.waitForLog(blockSeen, seen + 1));
        cli.signal(signo);
        const auto r = cli.finish(10000);
        EXPECT_EQ(r.exitCode, exitCode) << r.err;
        EXPECT_TRUE(sim.waitForLog("rx End", ++ends));
    }
    EXPECT_EQ(sim.count("rx PROGRAM"), 3);
    EXPECT_EQ(ReadFileBytes(out), old);
    EXPECT_EQ(ReadFileBytes(sampleFile), FileOf(sim::SampleImage()));
}

// Ctrl-C while the blocks go lets the write finish and stops before the verify; a second one,
// or SIGTERM, stops at once and says which blocks went; a signal in the settle time ends only
// the verify. `sent`: blocks the radio must have received, all of them or fewer.
TEST_F(LinkEndToEnd, SignalsDuringAWriteSayWhatTheRadioHolds) {
    StartSim({"--pace", "--memory", patternFile, "--save"});
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, int>> signals;  // log line to wait for, signal
        std::string settleMs;
        int exitCode;
        std::vector<std::string> said;
        bool whole;  // the radio received every block
    };
    const Case cases[] = {
        {"one Ctrl-C",
         {{"rx Write 0x100", SIGINT}},
         "0",
         130,
         {"varel-cli: finishing the write; Ctrl-C again stops now and leaves the radio partly "
          "written\n",
          "varel-cli: interrupted after the write finished: the radio holds the whole new "
          "configuration; the verify did not run\n"},
         true},
        {"two",
         {{"rx Write 0x100", SIGINT}, {"rx Write 0x200", SIGINT}},
         "0",
         130,
         {"finishing the write", "varel-cli: the radio is partly written: blocks 0x000 to 0x",
          " were sent, the others hold what they held before; write again\n"},
         false},
        {"SIGTERM",
         {{"rx Write 0x100", SIGTERM}},
         "0",
         143,
         {"varel-cli: interrupted; the radio was sent End and the port closed\n",
          "the radio is partly written: blocks 0x000 to 0x"},
         false},
        {"Ctrl-C in the settle time",
         {{"rx End", SIGINT}},
         "60000",
         130,
         {"the verify did not run\n"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int sessions = sim.count("rx PROGRAM");
        const int blocks = sim.count("rx Write");
        RunningProgram cli;
        ASSERT_TRUE(
            cli.start(VAREL_CLI, {"write", "--verify", "--port", sim.device(), sampleFile},
                      {"XDG_DATA_HOME=" + dir.file("data"), "VAREL_SETTLE_MS=" + c.settleMs}));
        for (const auto& [line, signo] : c.signals) {
            ASSERT_TRUE(sim.waitForLog(line, sim.count(line) + 1, 30000));
            cli.signal(signo);
        }
        const auto r = cli.finish(30000);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        for (const std::string& part : c.said) EXPECT_TRUE(Has(r.err, part)) << r.err;
        ASSERT_TRUE(sim.waitForLog("rx End", sessions + 1));
        // No read-back: one session, one End.
        EXPECT_EQ(sim.count("rx PROGRAM"), sessions + 1);
        EXPECT_EQ(sim.count("rx End"), sessions + 1);
        const int sent = sim.count("rx Write") - blocks;
        if (c.whole)
            EXPECT_EQ(sent, 191);
        else
            EXPECT_LT(sent, 191);
    }
    // Every write, whole or not, left its backup.
    EXPECT_EQ(Backups().size(), 4u);
}

// Command-line and file errors end the verb before anything reaches the radio; a --port value
// that names no port and no existing file is a usage error.
TEST_F(LinkEndToEnd, UsageAndFileErrorsSendNothing) {
    StartSim({});
    const std::string port = sim.device();
    // named: what the message must name
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"read", "--port", port}, kExitUsage, "one data file"},
        {{"read", "--port", "21", dir.file("out.dat")}, kExitUsage, "not '21'"},
        {{"read", "--port", "Com21", dir.file("out.dat")}, kExitUsage, "not 'Com21'"},
        {{"read", "--port", "/nonexistent/tty", dir.file("out.dat")}, kExitUsage, "'/nonexistent"},
        {{"read", "--port", port, ""}, kExitUsage, "empty"},
        {{"read", "--help=x", "--port", port, dir.file("out.dat")}, kExitUsage, "'--help'"},
        {{"write", "--port", port, "--band", "3", sampleFile}, kExitUsage, "--band"},
        {{"write", "--port", port, "--band", sampleFile}, kExitUsage, "--band"},
        {{"write", "--band", "--port", port, sampleFile}, kExitUsage, "--band"},
        {{"write", "--port", port, "--bogus", sampleFile}, kExitUsage, "--bogus"},
        {{"write", "--port", port, dir.file("missing.dat")}, kExitFailure, "missing.dat"},
        {{"read", "--port", port, dir.file("no/such/dir/out.dat")}, kExitFailure, "out.dat"},
        {{"read", "--port", port, dir.path().string()}, kExitFailure, "Is a directory"},
    };
    for (const auto& [args, exitCode, named] : cases) {
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, exitCode) << r.err;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
    }
    sim.stop();
    EXPECT_EQ(sim.count("rx PROGRAM"), 0);
    EXPECT_FALSE(fs::exists(dir.file("out.dat")));
}

// A pipe would hang the virtual radio's open, a file would be read as the tool's bytes.
TEST_F(LinkEndToEnd, TheVirtualRadioServesOnlyACharacterDevice) {
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto r = RunProgram(VAREL_SIM, {"--device", fifo}, 10000);
    EXPECT_EQ(r.exitCode, kExitFailure);
    EXPECT_NE(r.err.find("not a character device"), std::string::npos) << r.err;
}

// A backup folder that is a file is said once, and the transfer goes on.
TEST_F(LinkEndToEnd, ReadsAndWritesAreBackedUpUnlessToldOrImpossible) {
    StartSim({"--memory", kProblemFile});
    const std::string out = dir.file("out.dat");
    ASSERT_EQ(Read(out).exitCode, 0);
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_EQ(Backups()[0].filename().string().rfind("read-", 0), 0u);
    EXPECT_EQ(ReadFileBytes(Backups()[0].string()), ReadFileBytes(kProblemFile));
    ASSERT_EQ(Cli({"read", "--port", sim.device(), "--no-backup", out}).exitCode, 0);
    EXPECT_EQ(Backups().size(), 1u);

    const std::string file = dir.file("plain");
    ASSERT_TRUE(WriteFileBytes(file, {1}));
    for (const std::string verb : {"read", "write"}) {
        const auto r =
            Cli({verb, "--port", sim.device(), verb == "read" ? out : sampleFile}, {}, file);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        // A read goes on to warn of the doubtful values it brought.
        const std::string warning = "varel-cli: warning: no backup was saved: " + file +
                                    "/Varel/Wavesmith/backups" +
                                    ": Cannot open the file! (Not a directory)\n";
        EXPECT_EQ(verb == "read" ? r.err.substr(0, warning.size()) : r.err, warning);
    }
    sim.stop();
    EXPECT_EQ(sim.count("rx Write"), 191);
}

// A read warns of each value the program would flag and saves it exactly as received; a write
// of a configuration without any channel is said, and refused with --strict.
TEST_F(LinkEndToEnd, ReadWarnsOfDoubtfulValuesAndAnEmptyWriteIsSaid) {
    MemoryImage memory = sim::SampleImage();
    const std::size_t record = ChannelRecordOffset(7);
    const unsigned char field[] = {0x25, 0xF6, 0x95, 0x44};  // 449.5F625
    for (std::size_t k = 0; k < 4; ++k) memory.set(record + k, field[k]);
    const std::string memoryFile = dir.file("odd.dat");
    ASSERT_TRUE(WriteFileBytes(memoryFile, FileOf(memory)));
    StartSim({"--memory", memoryFile});
    const std::string out = dir.file("read.dat");
    const auto read = Read(out);
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_TRUE(
        Has(read.err, "varel-cli: warning: channel 7: RXFreq 449.5F625 is not a frequency\n"))
        << read.err;
    EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(memoryFile));

    const std::string empty = dir.file("empty.dat");
    MemoryImage fresh;  // as a fresh start saves it
    EncodeImage(Configuration{}, fresh);
    ASSERT_TRUE(WriteFileBytes(empty, FileOf(fresh)));
    for (const bool strict : {true, false}) {
        SCOPED_TRACE(strict);
        const auto r = Write(
            empty, strict ? std::vector<std::string>{"--strict"} : std::vector<std::string>{});
        EXPECT_EQ(r.exitCode, strict ? 7 : 0) << r.err;
        EXPECT_TRUE(Has(r.err,
                        "varel-cli: warning: every channel is empty: the radio's "
                        "channels are erased\n"))
            << r.err;
    }
    sim.stop();
    EXPECT_EQ(sim.count("rx Write"), 191);  // the lenient write only
}

TEST_F(LinkEndToEnd, CheckWarnsAndStrictSendsNothing) {
    StartSim({"--band", "1"});
    const auto strict = Write(kProblemFile, {"--strict"});
    EXPECT_EQ(strict.exitCode, 7);
    EXPECT_TRUE(Has(strict.err,
                    "varel-cli: warning: channel 5: QT/DQT Dec 100.3 is not in the "
                    "tone list and is written as Off\n"))
        << strict.err;
    EXPECT_TRUE(Has(strict.err, "warning: A Group VFO / Frequency FFF.FFFFF is not a frequency"));
    EXPECT_TRUE(Backups().empty());

    const auto lenient = Write(kProblemFile);
    EXPECT_EQ(lenient.exitCode, 0) << lenient.err;
    EXPECT_TRUE(Has(lenient.err, "warning: channel 5: RXFreq 462.56250 is outside the band"));
    sim.stop();
    EXPECT_EQ(sim.count("rx PROGRAM"), 1);  // only the second write reached the radio
}

TEST_F(LinkEndToEnd, VerifyReadsBackAndNamesWhatDiffers) {
    const std::tuple<std::vector<std::string>, int, const char*, int> cases[] = {
        {{}, 0, "Verified: the radio holds every byte that was written.\n", 2},
        {{"--corrupt-write", "0x05A"},
         8,
         "varel-cli: block 0x050 is not as written: channel 7\n",
         2},
        // The write is answered in full, every read stops two blocks short.
        {{"--stop-after", "191"}, 4, "trying once more", 3},
    };
    for (const auto& [faults, exitCode, said, sessions] : cases) {
        SCOPED_TRACE(said);
        SimProcess radio;
        ASSERT_TRUE(radio.start(faults));
        const auto r = Cli({"write", "--port", radio.device(), "--verify", sampleFile});
        EXPECT_EQ(r.exitCode, exitCode) << r.err;
        EXPECT_TRUE(Has(r.out + r.err, said)) << r.out << r.err;
        EXPECT_EQ(Has(r.err, "write again"), exitCode == 8) << r.err;
        radio.stop();
        EXPECT_EQ(radio.count("rx PROGRAM"), sessions);
        EXPECT_EQ(radio.count("rx Write"), 191);
    }
}

TEST_F(LinkEndToEnd, DiffSaysEqualDifferentOrWhichFileFailed) {
    const std::string changed = dir.file("changed.dat");
    auto bytes = ReadFileBytes(sampleFile);
    bytes[kDataFileHeaderSize + 0x704] = 8;
    ASSERT_TRUE(WriteFileBytes(changed, bytes));
    // Only the header differs; only the length does (12 bytes more); both, and the image too.
    const std::string header = dir.file("header.dat");
    auto headerBytes = ReadFileBytes(sampleFile);
    headerBytes[0x2A] = 0x00;
    ASSERT_TRUE(WriteFileBytes(header, headerBytes));
    const std::string longer = dir.file("longer.dat");
    auto longerBytes = ReadFileBytes(sampleFile);
    longerBytes.insert(longerBytes.end(), 12, 0x00);
    ASSERT_TRUE(WriteFileBytes(longer, longerBytes));
    const std::string all = dir.file("all.dat");
    auto allBytes = bytes;
    allBytes[0x06] = 0x41;
    allBytes.push_back(0xFF);
    ASSERT_TRUE(WriteFileBytes(all, allBytes));
    const std::string longerWarning =
        ": The file is longer than a configuration: only its first 3,120 bytes were read.";
    const std::tuple<std::vector<std::string>, int, std::string, std::string> cases[] = {
        {{sampleFile, sampleFile}, 0, "", ""},
        {{"--lang", "zh", sampleFile, changed}, 1, "静噪等级: 5 -> 8\n", ""},
        {{sampleFile, header}, 1, "header byte 0x2A: 0xFF -> 0x00\n", ""},
        {{sampleFile, longer},
         1,
         "B is 12 bytes longer\n",
         "varel-cli: warning: " + longer + longerWarning},
        {{longer, sampleFile}, 1, "A is 12 bytes longer\n", longerWarning},
        {{longer, longer}, 0, "", longerWarning},
        {{all, sampleFile},
         1,
         "Squelch Level: 8 -> 5\nheader byte 0x06: 0x41 -> 0xFF\nA is 1 byte longer\n",
         ""},
        {{"--lang", "zh", sampleFile, header}, 1, "文件头字节 0x2A: 0xFF -> 0x00\n", ""},
        {{sampleFile, dir.file("missing.dat")}, 2, "", "missing.dat: Cannot open the file!"},
        {{"/dev/null", sampleFile}, 2, "", "/dev/null: File type is incorrect!"},
        {{sampleFile}, 2, "", "two data files"},
    };
    for (const auto& [files, exitCode, out, err] : cases) {
        std::vector<std::string> args = {"diff"};
        args.insert(args.end(), files.begin(), files.end());
        const auto r = Cli(args);
        EXPECT_EQ(r.exitCode, exitCode) << r.err;
        EXPECT_EQ(r.out, out);
        EXPECT_TRUE(Has(r.err, err)) << r.err;
    }
}

}  // namespace
}  // namespace varel::test
