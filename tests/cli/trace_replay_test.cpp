// End-to-end tests of the transfer trace: varel-cli read and write --trace against the virtual
// radio, and varel-sim --replay answering the same transfers again from the trace.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/sim_process.h"
#include "files/data_file.h"
#include "link/frames.h"
#include "link/transfer_trace.h"
#include "sim/radio_memory.h"
#include "support/pattern_image.h"
#include "support/run_program.h"

namespace varel::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitCommunication = 4;

// The bytes of a trace's lines, without their times: what both sides said, piece by piece.
std::vector<std::pair<bool, Bytes>> Exchange(const link::Trace& trace) {
    std::vector<std::pair<bool, Bytes>> lines;
    for (const auto& event : trace.events) lines.emplace_back(event.sent, event.bytes);
    return lines;
}

class TraceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        patternFile = dir.file("pattern.dat");
        const auto bytes = BuildDataFile(PatternImage());
        ASSERT_TRUE(WriteFileBytes(patternFile, Bytes(bytes.begin(), bytes.end())));
    }

    ProgramResult Cli(const std::vector<std::string>& args) {
        return RunProgram(VAREL_CLI, args, 30000,
                          {"XDG_DATA_HOME=" + dir.file("data"), "VAREL_SETTLE_MS=0"});
    }

    link::Trace LoadTrace(const std::string& path) {
        const Bytes bytes = ReadFileBytes(path);
        link::Trace trace;
        std::string problem;
        EXPECT_TRUE(link::ParseTrace(std::string(bytes.begin(), bytes.end()), trace, problem))
            << problem;
        return trace;
    }

    TempDir dir;
    std::string patternFile;
};

// A read traced against the radio and read again from the replay of its trace gives the same
// image, and the second trace holds the very same exchange, piece by piece.
TEST_F(TraceEndToEnd, AReadReplayedFromItsTraceGivesTheSameImage) {
    SimProcess radio;
    ASSERT_TRUE(radio.start({"--memory", patternFile, "--split-ident"}));
    const std::string first = dir.file("first.dat");
    const std::string trace = dir.file("read.trace");
    auto r = Cli({"read", "--port", radio.device(), "--trace", trace, first});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    radio.stop();
    const link::Trace recorded = LoadTrace(trace);
    EXPECT_EQ(recorded.direction, "read");
    EXPECT_EQ(recorded.port, radio.device());
    ASSERT_GE(recorded.events.size(), 4u);
    EXPECT_EQ(recorded.events[0].bytes, Bytes(link::kWakeUp.begin(), link::kWakeUp.end()));
    EXPECT_EQ(recorded.events[1].bytes, Bytes{link::kAck});
    EXPECT_EQ(recorded.events[2].bytes, Bytes{link::kIdentify});
    EXPECT_EQ(recorded.events[3].bytes.size(), 3u);  // the split identification, as it arrived

    SimProcess replay;
    ASSERT_TRUE(replay.start({"--replay", trace}));
    const std::string second = dir.file("second.dat");
    const std::string again = dir.file("again.trace");
    r = Cli({"read", "--port", replay.device(), "--trace", again, second});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(patternFile));
    EXPECT_EQ(Exchange(LoadTrace(again)), Exchange(recorded));
    // The trace used up, the replay answers the next read from its beginning.
    r = Cli({"read", "--port", replay.device(), dir.file("third.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(replay.count("replay: the program sent"), 0);
}

// A write and its read-back are one trace; the replay takes the same write again, and a write
// of other data leaves the recorded transfer: the radio says where and falls silent.
TEST_F(TraceEndToEnd, AWriteTraceReplaysTheWriteAndItsReadBack) {
    SimProcess radio;
    ASSERT_TRUE(radio.start({}));
    const std::string sample = dir.file("sample.dat");
    const auto bytes = BuildDataFile(sim::SampleImage());
    ASSERT_TRUE(WriteFileBytes(sample, Bytes(bytes.begin(), bytes.end())));
    const std::string trace = dir.file("write.trace");
    auto r = Cli({"write", "--port", radio.device(), "--verify", "--trace", trace, sample});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    radio.stop();
    const link::Trace recorded = LoadTrace(trace);
    EXPECT_EQ(recorded.direction, "write");
    int wakeUps = 0;
    for (const auto& event : recorded.events)
        wakeUps += event.bytes == Bytes(link::kWakeUp.begin(), link::kWakeUp.end());
    EXPECT_EQ(wakeUps, 2);  // the write, then the read-back

    SimProcess replay;
    ASSERT_TRUE(replay.start({"--replay", trace}));
    r = Cli({"write", "--port", replay.device(), "--verify", sample});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "Verified")) << r.out;
    r = Cli({"write", "--port", replay.device(), patternFile});
    EXPECT_EQ(r.exitCode, kExitCommunication) << r.err;
    EXPECT_TRUE(replay.waitForLog("replay: the program sent")) << replay.log();
}

// A silent radio's trace holds only what the program sent, and its replay is as silent.
TEST_F(TraceEndToEnd, ASilentTransferReplaysAsSilent) {
    SimProcess radio;
    ASSERT_TRUE(radio.start({"--silent"}));
    const std::string trace = dir.file("silent.trace");
    auto r = Cli({"read", "--port", radio.device(), "--trace", trace, dir.file("out.dat")});
    ASSERT_EQ(r.exitCode, kExitCommunication) << r.err;
    radio.stop();
    const link::Trace recorded = LoadTrace(trace);
    ASSERT_EQ(recorded.events.size(), 2u);
    EXPECT_TRUE(recorded.events[0].sent && recorded.events[1].sent);
    EXPECT_EQ(recorded.events[1].bytes, Bytes{link::kEnd});
    EXPECT_GE(recorded.events[1].seconds, 0.5);  // the End of the reply timeout

    SimProcess replay;
    ASSERT_TRUE(replay.start({"--replay", trace}));
    r = Cli({"read", "--port", replay.device(), dir.file("out.dat")});
    EXPECT_EQ(r.exitCode, kExitCommunication) << r.err;
    replay.stop();
    EXPECT_EQ(replay.count("tx line"), 0) << replay.log();
    EXPECT_EQ(replay.count("rx line"), 2) << replay.log();
}

TEST_F(TraceEndToEnd, BadTracesAndTraceFilesAreRefusedBeforeAnythingIsSent) {
    const std::string damaged = dir.file("damaged.trace");
    const std::string text = "varel-trace 1 direction=read port=x\n+0.1 > 5";
    ASSERT_TRUE(WriteFileBytes(damaged, Bytes(text.begin(), text.end())));
    const std::pair<std::vector<std::string>, std::pair<int, std::string>> cases[] = {
        {{"--replay", damaged}, {kExitFailure, "damaged.trace: line 2: '5' is not a byte"}},
        {{"--replay", dir.file("none.trace")}, {kExitFailure, "No such file"}},
        {{"--replay", damaged, "--silent"}, {kExitUsage, "takes no --silent"}},
        {{"--replay"}, {kExitUsage, "--replay needs a file"}},
    };
    for (const auto& [args, expected] : cases) {
        SCOPED_TRACE(args[0] + " " + (args.size() > 1 ? args[1] : ""));
        const ProgramResult r = RunProgram(VAREL_SIM, args, 10000);
        EXPECT_EQ(r.exitCode, expected.first) << r.err;
        EXPECT_TRUE(Has(r.err, expected.second)) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;  // no device was offered
    }
    // A trace that cannot be saved stops the verb before the radio hears anything.
    SimProcess radio;
    ASSERT_TRUE(radio.start({}));
    const ProgramResult r =
        Cli({"read", "--port", radio.device(), "--trace", dir.path().string(), dir.file("o.dat")});
    EXPECT_EQ(r.exitCode, kExitFailure) << r.err;
    radio.stop();
    EXPECT_EQ(radio.count("rx PROGRAM"), 0);
}

}  // namespace
}  // namespace varel::test
