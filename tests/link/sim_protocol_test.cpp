// The virtual radio's protocol and memory, driven byte by byte without a line or a machine.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "image/image_codec.h"
#include "link/radio_link.h"
#include "sim/radio_memory.h"
#include "sim/radio_protocol.h"

namespace varel::link::test {
namespace {

using namespace varel::sim;

const std::vector<Chunk> kAckReply = {{0x06}};
const std::vector<Chunk> kNoReply = {};

MemoryImage Counting() {
    MemoryImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) image.set(i, static_cast<std::uint8_t>(i));
    return image;
}

TEST(SimProtocol, WakesOnlyOnTheWholeWakeUpFrameAmidNoise) {
    Radio radio;
    EXPECT_EQ(radio.send({'P', 'R', 'O', 'G', 'R', 'A', 'X'}), kNoReply);
    EXPECT_EQ(radio.send({0x02, 0x06, 'R', 0, 0, 0x10}), kNoReply);  // asleep: nothing answers
    EXPECT_FALSE(radio.protocol.inSession());
    EXPECT_EQ(radio.send({'x', 'P', 'P', 'R', 'O', 'G', 'R', 'A', 'M'}), kAckReply);
    EXPECT_TRUE(radio.protocol.inSession());
}

TEST(SimProtocol, IdentificationCarriesModelAndBandDigit) {
    const std::tuple<RadioOptions, std::vector<Chunk>> cases[] = {
        {{}, {{'P', 'W', '-', 'K', '4', 0x00, 0x00, 0x00}}},
        {Faults([](RadioOptions& o) { o.band = 0x0C; }),
         {{'P', 'W', '-', 'K', '4', 0x00, 0x0C, 0x00}}},
        {Faults([](RadioOptions& o) { o.model = "AB-CD"; }),
         {{'A', 'B', '-', 'C', 'D', 0x00, 0x00, 0x00}}},
        {Faults([](RadioOptions& o) {
             o.splitIdent = true;
             o.band = 2;
         }),
         {{'P', 'W', '-'}, {'K', '4', 0x00, 0x02, 0x00}}},
        {Faults([](RadioOptions& o) {
             o.splitIdent = o.longIdent = true;
             o.band = 2;
         }),
         {{'P', 'W', '-'}, {'K', '4', 0x00, 0x02, 0x00, kExtraByte}}},
    };
    for (const auto& [options, expected] : cases) {
        Radio radio(options);
        ASSERT_EQ(radio.send(kWake), kAckReply);
        EXPECT_EQ(radio.send({0x02}), expected);
        EXPECT_EQ(radio.send({0x06}), kAckReply);
    }
}

TEST(SimProtocol, ReadRequestsAnswerWithTheMemoryAndZerosPastTheEnd) {
    MemoryImage image = Counting();
    image.set(kSpareByte, 0x5A);
    Radio radio({}, image);
    radio.open();
    const auto first = radio.read(0x010);
    ASSERT_EQ(first.size(), 1u);
    Chunk expected = {'W', 0x00, 0x10, 0x10};
    for (int k = 0; k < 16; ++k) expected.push_back(static_cast<std::uint8_t>(0x10 + k));
    EXPECT_EQ(first[0], expected);

    // The block at 0xC00 carries the spare byte and 15 zeros; 0xC10 is all zeros.
    const auto last = radio.read(0xC00);
    ASSERT_EQ(last.size(), 1u);
    expected = {'W', 0x0C, 0x00, 0x10, 0x5A};
    expected.resize(20, 0x00);
    EXPECT_EQ(last[0], expected);
    EXPECT_EQ(radio.read(0xC10)[0],
              (Chunk{'W', 0x0C, 0x10, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SimProtocol, WriteBlocksAreStoredUpToTheSpareByteOnly) {
    Radio radio({}, Counting());
    radio.open();
    EXPECT_EQ(radio.write(0x100, 0xAB), kAckReply);
    EXPECT_EQ(radio.write(0xBF8, 0xCD), kAckReply);  // straddles the end of the image
    EXPECT_EQ(radio.write(0xC20, 0xEF), kAckReply);  // wholly beyond it: dropped
    const MemoryImage& image = radio.memory.image();
    for (std::size_t i = 0x100; i < 0x110; ++i) EXPECT_EQ(image.at(i), 0xAB);
    EXPECT_EQ(image.at(0x0FF), 0xFF);
    EXPECT_EQ(image.at(0x110), 0x10);
    for (std::size_t i = 0xBF8; i <= 0xC00; ++i) EXPECT_EQ(image.at(i), 0xCD);
    EXPECT_EQ(radio.send({0x06}), kAckReply);  // a bare acknowledge in a write
}

// Only the first End of a complete read is answered; an End nobody waits for (after a read that
// stopped early, or of a write) is not; an End byte inside a frame is data. A write is complete
// when its last block preceded the End, and reported once. Each session is ready for the next,
// and a reset forgets a half-received frame.
TEST(SimProtocol, EndsSessionsAndCompleteWrites) {
    Radio radio;
    ASSERT_TRUE(radio.open());
    radio.read(0xC00);
    EXPECT_EQ(radio.send({0x06}), kAckReply);
    EXPECT_EQ(radio.send({'E'}), kAckReply);
    EXPECT_EQ(radio.send({'E'}), kNoReply);
    EXPECT_FALSE(radio.protocol.inSession());
    EXPECT_EQ(radio.protocol.endsReceived(), 2);

    ASSERT_TRUE(radio.open());
    radio.read(0x000);
    EXPECT_EQ(radio.send({'E'}), kNoReply);
    EXPECT_FALSE(radio.protocol.inSession());

    ASSERT_TRUE(radio.open());
    EXPECT_EQ(radio.write(0x000, 'E'), kAckReply);
    EXPECT_TRUE(radio.protocol.inSession());
    EXPECT_EQ(radio.memory.image().at(0x00F), 'E');
    EXPECT_EQ(radio.send({'E'}), kNoReply);
    EXPECT_FALSE(radio.protocol.takeCompletedWrite());

    ASSERT_TRUE(radio.open());
    radio.write(0xC20, 0x00);
    EXPECT_FALSE(radio.protocol.takeCompletedWrite());
    radio.send({'E'});
    EXPECT_TRUE(radio.protocol.takeCompletedWrite());
    EXPECT_FALSE(radio.protocol.takeCompletedWrite());

    ASSERT_TRUE(radio.open());
    radio.send({'W', 0x00, 0x00});
    radio.protocol.reset();
    EXPECT_FALSE(radio.protocol.inSession());
    EXPECT_EQ(radio.send(kWake), kAckReply);
}

TEST(SimProtocol, SilentAndStopAfterFaults) {
    Radio quiet(Faults([](RadioOptions& o) { o.silent = true; }));
    EXPECT_EQ(quiet.send(kWake), kNoReply);
    EXPECT_EQ(quiet.send({0x02, 'E'}), kNoReply);
    EXPECT_EQ(quiet.protocol.endsReceived(), 1);

    Radio tired(Faults([](RadioOptions& o) { o.stopAfter = 2; }));
    tired.open();
    EXPECT_EQ(tired.read(0x000).size(), 1u);
    EXPECT_EQ(tired.send({0x06}), kAckReply);
    EXPECT_EQ(tired.read(0x010).size(), 1u);
    EXPECT_EQ(tired.send({0x06}), kNoReply);  // silent after the second block
    EXPECT_EQ(tired.read(0x020), kNoReply);
}

TEST(SimProtocol, GarbageFollowsTheReplyToTheMiddleBlockOnce) {
    Radio radio(Faults([](RadioOptions& o) { o.garbage = true; }));
    radio.open();
    int strays = 0;
    for (int n = 1; n <= 193; ++n) {
        const auto writes = radio.write(static_cast<unsigned>(n - 1) * 16, 0);
        if (n == kStrayAfterBlock) {
            EXPECT_EQ(writes, (std::vector<Chunk>{{0x06}, {kStrayByte}}));
        }
        for (const auto& w : writes) strays += w == Chunk{kStrayByte};
    }
    EXPECT_EQ(strays, 1);
}

TEST(SimProtocol, GluedAcknowledgesCarryTheExtraByteEverywhere) {
    Radio radio(Faults([](RadioOptions& o) { o.gluedAck = true; }));
    const std::vector<Chunk> glued = {{0x06, kExtraByte}};
    EXPECT_EQ(radio.send(kWake), glued);
    EXPECT_EQ(radio.send({0x02}).size(), 1u);
    EXPECT_EQ(radio.send({0x06}), glued);
    EXPECT_EQ(radio.write(0x000, 0x11), glued);
    EXPECT_EQ(radio.read(0xC00).size(), 1u);  // data blocks stay as they are
    EXPECT_EQ(radio.send({0x06}), glued);
    EXPECT_EQ(radio.send({'E'}), glued);
}

// Replies count from the acknowledge of the wake-up frame, anew in every session; the stray
// byte is an output call of its own.
TEST(SimProtocol, StrayByteGoesOutBeforeTheGivenReplyOfEachSession) {
    RadioOptions options;
    options.strayBeforeReply = 3;
    Radio radio(options);
    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE(session);
        radio.open();  // replies 0 to 2
        const auto first = radio.read(0x000);
        ASSERT_EQ(first.size(), 2u);
        EXPECT_EQ(first[0], Chunk{kStrayByte});
        EXPECT_EQ(first[1].size(), 20u);
        EXPECT_EQ(radio.send({0x06}), kAckReply);
        EXPECT_EQ(radio.read(0x010).size(), 1u);
        radio.send({'E'});
    }

    options.strayBeforeReply = 0;
    Radio early(options);
    EXPECT_EQ(early.send(kWake), (std::vector<Chunk>{{kStrayByte}, {0x06}}));
}

TEST(SimProtocol, UnplugIsDueAfterTheGivenBlocks) {
    RadioOptions options;
    options.exitAfter = 3;
    Radio radio(options);
    radio.open();
    for (unsigned a = 0; a < 0x30; a += 0x10) {
        EXPECT_FALSE(radio.protocol.unplugDue());
        EXPECT_EQ(radio.read(a).size(), 1u);  // the last block is still answered
    }
    EXPECT_TRUE(radio.protocol.unplugDue());

    options.exitAfter = 0;  // gone on the wake-up frame, before any reply
    Radio early(options);
    EXPECT_EQ(early.send(kWake), kNoReply);
    EXPECT_TRUE(early.protocol.unplugDue());
}

// What a fresh program encodes from the decoded sample is the sample itself.
TEST(SimMemory, SampleIsWhatAFreshProgramSaves) {
    Configuration cfg;
    DecodeImage(SampleImage(), cfg, Language::English);
    EXPECT_EQ(cfg.settings.band(), 0);
    MemoryImage encoded;
    EncodeImage(cfg, encoded);
    const MemoryImage sample = SampleImage();
    for (std::size_t i = 0; i < kConfigSize; ++i)
        ASSERT_EQ(encoded.at(i), sample.at(i)) << "offset " << i;
}

}  // namespace
}  // namespace varel::link::test
