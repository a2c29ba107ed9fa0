// The transfer trace: its text form both ways, the recorder's times, and the replay of the
// radio's side in step with what the program sends.
#include "link/transfer_trace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/frames.h"
#include "sim/trace_replay.h"

namespace varel::link {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kHeader = "varel-trace 1 direction=read port=/dev/ttyUSB0\n";

Trace Sample() {
    return {"read",
            "/dev/ttyUSB0",
            {{0.0, true, {0x50, 0x52, 0x4F}},
             {0.0123456, false, {0x06}},
             {0.5, true, {0x02}},
             {12.25, false, {0x50, 0x57, 0x2D}},
             {12.3, false, {0x00, 0xFF}}}};
}

TEST(TransferTrace, TextIsTheDocumentedFormatAndReadsBackTheSame) {
    const std::string text = TraceText(Sample());
    EXPECT_EQ(text, kHeader +
                        "+0.000000 > 50 52 4F\n"
                        "+0.012346 < 06\n"
                        "+0.500000 > 02\n"
                        "+12.250000 < 50 57 2D\n"
                        "+12.300000 < 00 FF\n");
    Trace back;
    std::string problem;
    ASSERT_TRUE(ParseTrace(text, back, problem)) << problem;
    EXPECT_EQ(back.direction, "read");
    EXPECT_EQ(back.port, "/dev/ttyUSB0");
    ASSERT_EQ(back.events.size(), 5u);
    EXPECT_TRUE(back.events[2].sent);
    EXPECT_FALSE(back.events[3].sent);
    EXPECT_EQ(back.events[4].bytes, (Bytes{0x00, 0xFF}));
    EXPECT_DOUBLE_EQ(back.events[1].seconds, 0.012346);
    EXPECT_EQ(TraceText(back), text);
}

TEST(TransferTrace, HeaderOnlyAndOddButValidFormsAreRead) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"varel-trace 1 direction=write port=/dev/pts/3 with space", 0},  // no final newline
        {kHeader, 0},
        {kHeader + "+1 > 45\n", 1},                // whole seconds
        {kHeader + "+0.5 < 0a ff\n+0.5 > 02", 2},  // lower case, equal times, no final newline
    };
    for (const auto& [text, events] : cases) {
        SCOPED_TRACE(text);
        Trace trace;
        std::string problem;
        ASSERT_TRUE(ParseTrace(text, trace, problem)) << problem;
        EXPECT_EQ(trace.events.size(), events);
    }
    Trace trace;
    std::string problem;
    ASSERT_TRUE(
        ParseTrace("varel-trace 1 direction=write port=/dev/pts/3 with space", trace, problem));
    EXPECT_EQ(trace.port, "/dev/pts/3 with space");
}

TEST(TransferTrace, ADamagedTraceIsRefusedWithItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "the trace is empty"},
        {"hello\n", "line 1: not a transfer trace"},
        {"varel-trace 2 direction=read port=x\n", "line 1: version '2' is not known"},
        {"varel-trace 1 direction=sideways port=x\n", "line 1: the first line needs"},
        {"varel-trace 1 port=x\n", "line 1: the first line needs"},
        {kHeader + "+0.1 > 50\n\n", "line 3: an event needs"},  // a blank line
        {kHeader + "+0.1 >\n", "line 2: an event needs"},       // no byte
        {kHeader + "+0.1 > 5", "line 2: '5' is not a byte"},    // cut off mid-byte
        {kHeader + "+0.1 > 5G\n", "line 2: '5G' is not a byte"},
        {kHeader + "+0.1 > 505\n", "line 2: '505' is not a byte"},
        {kHeader + "+0.1  > 50\n", "line 2: an event needs"},  // two spaces
        {kHeader + "+0.1 = 50\n", "line 2: '=' is neither"},
        {kHeader + "0.1 > 50\n", "line 2: '0.1' is not a time"},
        {kHeader + "+0,1 > 50\n", "line 2: '+0,1' is not a time"},
        {kHeader + "+0. > 50\n", "line 2: '+0.' is not a time"},
        {kHeader + "+0.1234567 > 50\n", "line 2: '+0.1234567' is not a time"},
        {kHeader + "+99999999999999 > 50\n", "line 2: '+99999999999999' is not a time"},
        {kHeader + "+0.2 > 50\n+0.1 < 06\n", "line 3: the time runs back"},
        {kHeader + "+0.1 > 50\r\n", "line 2: '50\r' is not a byte"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        Trace trace = Sample();
        std::string problem;
        EXPECT_FALSE(ParseTrace(text, trace, problem));
        EXPECT_EQ(problem.rfind(expected, 0), 0u) << problem;
        EXPECT_EQ(trace.events.size(), Sample().events.size());  // left unchanged
    }
}

TEST(TransferTrace, RecorderTimesCountFromStartAndNeverRunBack) {
    double now = 100.0;
    TraceRecorder recorder([&] { return now; });
    const Bytes wake(kWakeUp.begin(), kWakeUp.end());
    recorder.sent(wake.data(), wake.size());  // before a start: dropped by it
    recorder.start("write", "/dev/ttyUSB1");
    now = 100.25;
    recorder.sent(wake.data(), wake.size());
    now = 100.2;  // a clock that steps back
    recorder.received(&kAck, 1);
    recorder.received(&kAck, 0);  // nothing arrived: no line
    const Trace& trace = recorder.trace();
    EXPECT_EQ(trace.direction, "write");
    EXPECT_EQ(trace.port, "/dev/ttyUSB1");
    ASSERT_EQ(trace.events.size(), 2u);
    EXPECT_DOUBLE_EQ(trace.events[0].seconds, 0.25);
    EXPECT_TRUE(trace.events[0].sent);
    EXPECT_EQ(trace.events[0].bytes, wake);
    EXPECT_DOUBLE_EQ(trace.events[1].seconds, 0.25);
    EXPECT_FALSE(trace.events[1].sent);
    Trace back;
    std::string problem;
    EXPECT_TRUE(ParseTrace(TraceText(trace), back, problem)) << problem;
}

TEST(TransferTrace, LineBreakInThePortCannotSplitTheHeader) {
    Trace trace = Sample();
    trace.port = "/dev/odd\nname";
    Trace back;
    std::string problem;
    ASSERT_TRUE(ParseTrace(TraceText(trace), back, problem)) << problem;
    EXPECT_EQ(back.port, "/dev/odd?name");
}

// What the replay sends for each byte fed.
struct Step {
    Bytes fed;
    std::vector<sim::Chunk> replies;
    std::vector<std::int64_t> delaysNs;
};

std::vector<sim::Chunk> FeedAll(sim::TraceReplay& replay, const Bytes& bytes,
                                std::vector<std::int64_t>* delays = nullptr) {
    std::vector<sim::Chunk> all;
    for (const std::uint8_t b : bytes) {
        const sim::Response r = replay.feed(b);
        all.insert(all.end(), r.writes.begin(), r.writes.end());
        if (delays != nullptr) delays->insert(delays->end(), r.delaysNs.begin(), r.delaysNs.end());
    }
    return all;
}

TEST(TraceReplay, AnswersEachSentLineOnceItIsCompleteWithTheRecordedDelays) {
    sim::TraceReplay replay(Sample());
    std::vector<std::int64_t> delays;
    // The first two bytes of the three-byte line get nothing yet.
    EXPECT_TRUE(FeedAll(replay, {0x50, 0x52}).empty());
    EXPECT_EQ(FeedAll(replay, {0x4F}, &delays), (std::vector<sim::Chunk>{{0x06}}));
    EXPECT_EQ(FeedAll(replay, {0x02}, &delays),
              (std::vector<sim::Chunk>{{0x50, 0x57, 0x2D}, {0x00, 0xFF}}));
    EXPECT_EQ(delays, (std::vector<std::int64_t>{12345600, 11750000000, 50000000}));
    EXPECT_TRUE(replay.finished());
    EXPECT_FALSE(replay.diverged());
    // Used up: the next transfer is answered from the beginning again.
    EXPECT_EQ(FeedAll(replay, {0x50, 0x52, 0x4F}), (std::vector<sim::Chunk>{{0x06}}));
}

TEST(TraceReplay, ASilentRadioStaysSilentAndADivergenceIsSaid) {
    // A silent radio: the wake-up, then the End of the timeout, never an answer.
    const Trace silent{"read", "p", {{0, true, {0x50, 0x52}}, {0.6, true, {0x45}}}};
    sim::TraceReplay quiet(silent);
    EXPECT_TRUE(FeedAll(quiet, {0x50, 0x52, 0x45}).empty());
    EXPECT_FALSE(quiet.diverged());

    sim::TraceReplay replay(Sample());
    EXPECT_TRUE(FeedAll(replay, {0x50, 0x52, 0x4F, 0x03}).size() == 1u);  // 06, then 03 not 02
    EXPECT_TRUE(replay.diverged());
    EXPECT_EQ(replay.divergence(),
              "the program sent 03 where line 4 of the trace has 02; silent from here");
    EXPECT_TRUE(FeedAll(replay, {0x02, 0x50, 0x52, 0x4F}).empty());  // silent until reset
    replay.reset();
    EXPECT_FALSE(replay.diverged());
    EXPECT_EQ(FeedAll(replay, {0x50, 0x52, 0x4F}), (std::vector<sim::Chunk>{{0x06}}));
}

TEST(TraceReplay, PiecesBeforeTheFirstSentLineGoOutOnTheFirstByte) {
    // (A line without bytes, which no reader lets through, is nothing to wait for.)
    const Trace early{
        "read",
        "p",
        {{0, false, {0x55}}, {0.05, true, {}}, {0.1, true, {0x50}}, {0.2, false, {0x06}}}};
    sim::TraceReplay replay(early);
    EXPECT_EQ(FeedAll(replay, {0x50}), (std::vector<sim::Chunk>{{0x55}, {0x06}}));
    sim::TraceReplay empty(Trace{"read", "p", {}});
    EXPECT_TRUE(FeedAll(empty, {0x50, 0x52}).empty());
}

}  // namespace
}  // namespace varel::link
