// The link: the received text's checks, the read and the write machine step by step, whole
// transfers against the virtual radio's protocol core with the faults a radio or a line can have,
// and the verification of a write.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "link/radio_link.h"
#include "link/read_machine.h"
#include "link/receive_text.h"
#include "link/verify.h"
#include "link/write_machine.h"
#include "sim/radio_memory.h"
#include "support/pattern_image.h"

namespace varel::link::test {
namespace {

using varel::test::PatternImage;

using Pieces = std::vector<std::vector<std::uint8_t>>;

ReceiveText TextOf(const Pieces& pieces) {
    ReceiveText text;
    for (const auto& piece : pieces) text.append(piece.data(), piece.size());
    return text;
}

TEST(ReceiveText, AcknowledgeChecks) {
    const std::tuple<const char*, Pieces, bool, bool> cases[] = {
        {"bare", {{0x06}}, true, true},
        {"glued to a byte", {{0x06, 0x00}}, true, false},
        {"after a byte", {{0x15}, {0x06}}, true, false},
        {"straddles 60 6A", {{0x60}, {0x6A}}, true, false},
        {"straddles 00 60", {{0x00, 0x60}}, true, false},
        {"inside 0x06 digits of other bytes", {{0x20, 0x61}}, true, false},
        {"no 06", {{0x16, 0x60}}, false, false},
        {"empty", {}, false, false},
    };
    for (const auto& [name, pieces, contains, equals] : cases) {
        const ReceiveText text = TextOf(pieces);
        EXPECT_EQ(text.containsAck(), contains) << name;
        EXPECT_EQ(text.equalsAck(), equals) << name;
    }
}

TEST(ReceiveText, IdentificationAndBandDigit) {
    std::vector<std::uint8_t> nine = Identification();
    nine.push_back(0x00);
    std::vector<std::uint8_t> wrongModel = Identification();
    wrongModel[4] = '5';
    const std::vector<std::uint8_t> id = Identification(0x42);
    const std::tuple<const char*, Pieces, bool, std::optional<int>> cases[] = {
        {"whole", {Identification(0x40)}, true, 0},
        {"band 2 with a high nibble", {Identification(0xF2)}, true, 2},
        {"band 9", {Identification(0x09)}, true, 9},
        {"band A is no number", {Identification(0x4A)}, true, std::nullopt},
        {"band F is no number", {Identification(0x0F)}, true, std::nullopt},
        {"3 then 5 bytes", {{id.begin(), id.begin() + 3}, {id.begin() + 3, id.end()}}, true, 2},
        {"9 bytes", {nine}, false, std::nullopt},
        {"7 bytes", {{id.begin(), id.end() - 1}}, false, std::nullopt},
        {"wrong model", {wrongModel}, false, std::nullopt},
        {"ack ahead", {{0x06}, id}, false, std::nullopt},
    };
    for (const auto& [name, pieces, matches, band] : cases) {
        const ReceiveText text = TextOf(pieces);
        EXPECT_EQ(text.isIdentification(), matches) << name;
        EXPECT_EQ(text.bandDigit(), band) << name;
    }
}

TEST(ReceiveText, DataBlock) {
    const auto block = DataBlock(0x7F0, 0xF8);
    EXPECT_TRUE(TextOf({block}).isDataBlock());
    // Address and length are not examined: a block for another address still counts.
    auto other = block;
    other[1] = 0x0C;
    other[3] = 0x99;
    EXPECT_TRUE(TextOf({other}).isDataBlock());
    EXPECT_TRUE(TextOf({{block.begin(), block.begin() + 7}, {block.begin() + 7, block.end()}})
                    .isDataBlock());

    auto longer = block;
    longer.push_back(0x06);
    auto wrongStart = block;
    wrongStart[0] = 0x52;
    EXPECT_FALSE(TextOf({longer}).isDataBlock());
    EXPECT_FALSE(TextOf({{block.begin(), block.end() - 1}}).isDataBlock());
    EXPECT_FALSE(TextOf({wrongStart}).isDataBlock());
    EXPECT_FALSE(TextOf({{0xAA}, block}).isDataBlock());

    const ReceiveText text = TextOf({block});
    EXPECT_EQ(text.dataByte(0), 0xF8);
    EXPECT_EQ(text.dataByte(7), 0xFF);
    EXPECT_EQ(text.dataByte(8), 0x00);  // wraps past 0xFF
    EXPECT_EQ(text.dataByte(15), 0x07);
}

// Brings a freshly started read machine to `step` through the regular exchange.
void AdvanceTo(ReadMachine& machine, int step) {
    machine.start();
    if (step >= 2) Feed(machine, {kAck});
    if (step >= 3) {
        Feed(machine, Identification());
        Feed(machine, {kAck});
    }
    for (int s = 3; s < step; ++s) {
        Feed(machine, DataBlock(static_cast<unsigned>(s - 3) * 16, 0));
        Feed(machine, {kAck});
    }
    ASSERT_EQ(machine.step(), step);
}

TEST(ReadMachine, FullReadCopiesTheRadioAndSendsTheExpectedStream) {
    MemoryImage image;
    ReadMachine machine(image);
    Radio radio({}, PatternImage());
    Link<ReadMachine> link(machine, radio);

    ASSERT_EQ(link.run(), Outcome::Success);
    EXPECT_EQ(link.log.ticks, 0);
    for (std::size_t i = 0; i < kImageSize; ++i) {
        ASSERT_EQ(image.at(i), radio.memory.image().at(i)) << "offset " << i;
    }

    Bytes expected = kWake;
    expected.insert(expected.end(), {kIdentify, kAck});
    for (unsigned address = 0; address <= 0xC00; address += 16) {
        expected.insert(expected.end(), {kReadCommand, static_cast<std::uint8_t>(address >> 8),
                                         static_cast<std::uint8_t>(address & 0xFF), 0x10, kAck});
    }
    expected.insert(expected.end(), {kEnd, kEnd});
    EXPECT_EQ(link.log.stream(), expected);
    EXPECT_EQ(link.log.radioLines("rx Read"), 193);
    // The radio answered the first End; the second one, unanswered, closed its session.
    EXPECT_EQ(radio.protocol.endsReceived(), 2);
    EXPECT_EQ(link.log.radio.back(), "rx End");
    EXPECT_FALSE(radio.protocol.inSession());

    // The wake-up frame is one call, every other frame goes out one byte per call.
    ASSERT_EQ(link.log.writes.front(), kWake);
    for (std::size_t i = 1; i < link.log.writes.size(); ++i) {
        ASSERT_EQ(link.log.writes[i].size(), 1u) << "call " << i;
    }

    // Data blocks are awaited with threshold 20, every other reply with 1.
    for (const auto& [threshold, piece] : link.log.deliveries) {
        EXPECT_EQ(threshold, piece.size() == 20 ? 20 : 1);
    }

    // The progress bar shows the step as it stood when each reply came in.
    std::vector<int> progress = {1, 2, 2};
    for (int s = 3; s <= 195; ++s) progress.insert(progress.end(), {s, s});
    progress.push_back(196);
    EXPECT_EQ(link.log.progress, progress);
}

TEST(ReadMachine, RuleRows) {
    auto glued = [](Bytes b) {
        b.push_back(0x00);
        return b;
    };
    // clang-format off
    const std::tuple<const char*, int, Bytes, Bytes, int, std::optional<int>, Outcome> rows[] = {
        {"1: ack", 1, {kAck}, {kIdentify}, 2, std::nullopt, Outcome::Pending},
        {"1: glued ack contains 06", 1, {kAck, 0x33}, {kIdentify}, 2, std::nullopt,
         Outcome::Pending},
        {"1: 06 across two bytes", 1, {0x60, 0x6A}, {kIdentify}, 2, std::nullopt,
         Outcome::Pending},
        {"1: other byte", 1, {0x15}, {}, 1, std::nullopt, Outcome::Pending},
        {"2: identification acked, step kept", 2, Identification(), {kAck}, 2, std::nullopt,
         Outcome::Pending},
        {"2: bare ack requests 0x000", 2, {kAck}, {0x52, 0x00, 0x00, 0x10}, 3, 20,
         Outcome::Pending},
        {"2: glued ack is not equal", 2, {kAck, 0x00}, {}, 2, std::nullopt, Outcome::Pending},
        {"2: 9-byte identification", 2, glued(Identification()), {}, 2, std::nullopt,
         Outcome::Pending},
        {"3: data block", 3, DataBlock(0, 1), {kAck}, 3, 1, Outcome::Pending},
        {"3: ack requests 0x010", 3, {kAck}, {0x52, 0x00, 0x10, 0x10}, 4, 20, Outcome::Pending},
        {"3: 21-byte block", 3, glued(DataBlock(0, 1)), {}, 3, std::nullopt, Outcome::Pending},
        {"3: glued ack", 3, {kAck, 0x00}, {}, 3, std::nullopt, Outcome::Pending},
        {"100: ack requests 0x620", 100, {kAck}, {0x52, 0x06, 0x20, 0x10}, 101, 20,
         Outcome::Pending},
        {"194: ack requests 0xC00", 194, {kAck}, {0x52, 0x0C, 0x00, 0x10}, 195, 20,
         Outcome::Pending},
        {"195: data block", 195, DataBlock(0xC00, 1), {kAck}, 195, 1, Outcome::Pending},
        {"195: ack sends End", 195, {kAck}, {kEnd}, 196, std::nullopt, Outcome::Pending},
        {"196: ack sends End again", 196, {kAck}, {kEnd}, 196, std::nullopt, Outcome::Success},
        {"196: glued ack", 196, {kAck, 0x00}, {}, 196, std::nullopt, Outcome::Pending},
    };
    // clang-format on
    for (const auto& [name, step, reply, sent, stepAfter, threshold, outcome] : rows) {
        SCOPED_TRACE(name);
        MemoryImage image;
        ReadMachine machine(image);
        AdvanceTo(machine, step);
        const Actions actions = Feed(machine, reply);
        EXPECT_EQ(Sent(actions), sent);
        EXPECT_EQ(actions.progress, step);
        EXPECT_EQ(actions.threshold, threshold);
        EXPECT_EQ(machine.step(), stepAfter);
        EXPECT_EQ(actions.outcome, outcome);
        EXPECT_EQ(machine.outcome(), outcome);
    }
}

TEST(ReadMachine, StoresBlocksAtTheStepsAddressAndDropsBytesPastTheImage) {
    MemoryImage image;
    image.fill(0xEE);
    ReadMachine machine(image);
    AdvanceTo(machine, 10);
    Feed(machine, DataBlock(0x999, 0x10));  // the address in the reply is not used
    for (std::size_t k = 0; k < 16; ++k) EXPECT_EQ(image.at(0x070 + k), 0x10 + k);
    EXPECT_EQ(image.at(0x06F), 0x0F);  // last byte of the block before
    EXPECT_EQ(image.at(0x080), 0xEE);

    AdvanceTo(machine, 195);
    image.set(0xC00, 0xEE);
    Feed(machine, DataBlock(0xC00, 0x5A));
    EXPECT_EQ(image.at(0xC00), 0x5A);
    EXPECT_EQ(machine.outcome(), Outcome::Pending);
}

TEST(ReadMachine, ReplyTimeoutCountsTwelveSilentTicksFromTheLastAccept) {
    MemoryImage image;
    ReadMachine machine(image);
    machine.start();
    for (int i = 0; i < 11; ++i) ASSERT_TRUE(Sent(machine.tick()).empty());
    Feed(machine, {kAck});  // accepted: counting starts again
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(Sent(machine.tick()).empty());
    Feed(machine, {0x15});  // not accepted: counting goes on
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(Sent(machine.tick()).empty());
    ASSERT_EQ(machine.outcome(), Outcome::Pending);
    const Actions last = machine.tick();
    EXPECT_EQ(Sent(last), Bytes{kEnd});
    EXPECT_EQ(last.threshold, 1);
    EXPECT_EQ(last.outcome, Outcome::CommunicationError);
}

TEST(ReadMachine, RadioFaults) {
    // clang-format off
    // sentAfterWakeUp: the whole stream after the wake-up, if checked
    const std::tuple<const char*, sim::RadioOptions, Outcome, std::optional<Bytes>> rows[] = {
        {"split identification", Faults([](auto& f) { f.splitIdent = true; }),
         Outcome::Success, std::nullopt},
        // Step 1 only needs to contain 06.
        {"stray byte before an ack", Faults([](auto& f) { f.strayBeforeReply = 0; }),
         Outcome::Success, std::nullopt},
        {"band digit F is not looked at", Faults([](auto& f) { f.band = 0xF; }),
         Outcome::Success, std::nullopt},
        {"9-byte identification", Faults([](auto& f) { f.longIdent = true; }),
         Outcome::CommunicationError, Bytes{kIdentify, kEnd}},
        {"wrong model is never answered", Faults([](auto& f) { f.model = "PW-K5"; }),
         Outcome::CommunicationError, Bytes{kIdentify, kEnd}},
        {"glued acknowledge", Faults([](auto& f) { f.gluedAck = true; }),
         Outcome::CommunicationError, Bytes{kIdentify, kAck, kEnd}},
        // Replies 0 to 2 open the session, 3 is block 0x000 and 9 block 0x030.
        {"stray byte before a data block", Faults([](auto& f) { f.strayBeforeReply = 9; }),
         Outcome::CommunicationError, std::nullopt},
        // The stray byte after a data block spoils the "equals 06" of the ack that follows.
        {"stray byte after a data block", Faults([](auto& f) { f.garbage = true; }),
         Outcome::CommunicationError, std::nullopt},
        {"silent", Faults([](auto& f) { f.silent = true; }),
         Outcome::CommunicationError, Bytes{kEnd}},
    };
    // clang-format on
    for (const auto& [name, faults, outcome, sentAfterWakeUp] : rows) {
        SCOPED_TRACE(name);
        MemoryImage image;
        ReadMachine machine(image);
        Radio radio(faults);
        Link<ReadMachine> link(machine, radio);
        EXPECT_EQ(link.run(), outcome);
        if (outcome == Outcome::CommunicationError) {
            EXPECT_EQ(link.log.ticks, 12);  // not 11
            EXPECT_EQ(link.log.writes.back(), Bytes{kEnd});
        }
        if (sentAfterWakeUp) {
            Bytes expected = kWake;
            expected.insert(expected.end(), sentAfterWakeUp->begin(), sentAfterWakeUp->end());
            EXPECT_EQ(link.log.stream(), expected);
        }
    }
}

// The radio falls silent after its fifth block: the acknowledge of that block never comes.
TEST(ReadMachine, TimeoutMidReadKeepsTheBlocksAlreadyRead) {
    MemoryImage image;
    ReadMachine machine(image);
    MemoryImage sevens;
    sevens.fill(0x77);
    Radio radio(Faults([](auto& f) { f.stopAfter = 5; }), sevens);
    Link<ReadMachine> link(machine, radio);
    EXPECT_EQ(link.run(), Outcome::CommunicationError);
    EXPECT_EQ(machine.step(), 7);
    for (std::size_t i = 0; i < kImageSize; ++i) {
        ASSERT_EQ(image.at(i), i < 5 * 16 ? 0x77 : 0x00) << "offset " << i;
    }
}

TEST(ReadMachine, NewStartForgetsBytesLeftFromAFailedAttempt) {
    MemoryImage image;
    ReadMachine machine(image);
    machine.start();
    Feed(machine, {0x60});
    for (int i = 0; i < 12; ++i) machine.tick();
    ASSERT_EQ(machine.outcome(), Outcome::CommunicationError);

    const Actions wake = machine.start();
    EXPECT_EQ(wake.threshold, 1);
    EXPECT_EQ(wake.writes, std::vector<Bytes>{kWake});
    EXPECT_EQ(machine.outcome(), Outcome::Pending);
    // "60" left over + "6A" would read as an acknowledge.
    EXPECT_TRUE(Sent(Feed(machine, {0x6A})).empty());
    EXPECT_EQ(machine.step(), 1);

    // And a whole read after the failure works.
    Radio radio({}, PatternImage());
    Link<ReadMachine> link(machine, radio);
    EXPECT_EQ(link.run(), Outcome::Success);
    EXPECT_TRUE(image == radio.memory.image());
}

TEST(ReadMachine, IgnoresInputBeforeStartAndAfterTheOutcome) {
    MemoryImage image;
    ReadMachine machine(image);
    EXPECT_TRUE(Feed(machine, {kAck}).writes.empty());
    EXPECT_FALSE(Feed(machine, {kAck}).progress);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(machine.tick().writes.empty());
    EXPECT_EQ(machine.outcome(), Outcome::Pending);

    AdvanceTo(machine, 196);
    Feed(machine, {kAck});
    ASSERT_EQ(machine.outcome(), Outcome::Success);
    const Actions after = Feed(machine, {kAck});
    EXPECT_TRUE(after.writes.empty());
    EXPECT_FALSE(after.progress);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(machine.tick().writes.empty());
    EXPECT_EQ(machine.outcome(), Outcome::Success);
}

// Brings a freshly started write machine to `step` through the regular exchange.
void AdvanceTo(WriteMachine& machine, int step, int band = 0) {
    machine.start();
    if (step >= 2) Feed(machine, {kAck});
    if (step >= 3) Feed(machine, Identification(static_cast<std::uint8_t>(0x40 | band)));
    for (int s = 3; s < step; ++s) Feed(machine, {kAck});
    ASSERT_EQ(machine.step(), step);
}

Bytes WriteFrame(unsigned address, const MemoryImage& image) {
    Bytes frame = {kWriteCommand, static_cast<std::uint8_t>(address >> 8),
                   static_cast<std::uint8_t>(address & 0xFF), 0x10};
    for (unsigned k = 0; k < 16; ++k) frame.push_back(image.bytes()[address + k]);
    return frame;
}

class FullWrite : public ::testing::TestWithParam<bool> {};

TEST_P(FullWrite, SendsTheScheduleAndLeavesTheUnsentBlocksAlone) {
    const bool debug = GetParam();
    const MemoryImage image = PatternImage();
    WriteMachine machine(image, WriteOptions{0, debug, false});
    MemoryImage before;
    before.fill(0xEE);
    Radio radio({}, before);
    Link<WriteMachine> link(machine, radio);

    ASSERT_EQ(link.run(), Outcome::Success);
    EXPECT_EQ(link.log.ticks, 0);

    for (unsigned i = 0; i < kImageSize; ++i) {
        std::uint8_t expected = image.at(i);
        if (i >= 0x7C0 && i < 0x7E0) expected = 0xEE;            // never written
        if (i >= 0x7E0 && i < 0x800 && !debug) expected = 0xEE;  // tuning values
        ASSERT_EQ(radio.memory.image().at(i), expected) << "offset " << i;
    }
    EXPECT_EQ(link.log.radioLines("rx Write"), debug ? 193 : 191);
    EXPECT_EQ(link.log.radioLines("rx Write 0x7C0") + link.log.radioLines("rx Write 0x7D0"), 0);
    // The radio took the write for a whole one: its last block came before the End.
    EXPECT_TRUE(radio.protocol.takeCompletedWrite());

    // Expected stream: the schedule with bare acknowledges in place of the tuning blocks.
    Bytes expected = kWake;
    expected.insert(expected.end(), {kIdentify, kAck});
    for (unsigned address = 0; address <= 0xC20; address += 16) {
        if (address == 0x7C0 || address == 0x7D0) continue;
        if (!debug && (address == 0x7E0 || address == 0x7F0)) {
            expected.push_back(kAck);
            continue;
        }
        Bytes frame = {kWriteCommand, static_cast<std::uint8_t>(address >> 8),
                       static_cast<std::uint8_t>(address & 0xFF), 0x10};
        for (unsigned k = 0; k < 16; ++k) {
            frame.push_back(address + k < kImageSize ? image.at(address + k) : 0x00);
        }
        expected.insert(expected.end(), frame.begin(), frame.end());
    }
    expected.push_back(kEnd);
    EXPECT_EQ(link.log.stream(), expected);

    ASSERT_EQ(link.log.writes.front(), kWake);
    for (std::size_t i = 1; i < link.log.writes.size(); ++i) {
        ASSERT_EQ(link.log.writes[i].size(), 1u) << "call " << i;
    }
    for (const auto& delivery : link.log.deliveries) EXPECT_EQ(delivery.first, 1);

    std::vector<int> progress;
    for (int s = 1; s <= 196; ++s) progress.push_back(s);
    EXPECT_EQ(link.log.progress, progress);
}

INSTANTIATE_TEST_SUITE_P(DebugMode, FullWrite, ::testing::Bool());

TEST(WriteMachine, RuleRows) {
    const MemoryImage image = PatternImage();
    // clang-format off
    // block: the write block expected, else `sent`
    const std::tuple<const char*, int, bool, Bytes, std::optional<unsigned>, Bytes, int, Outcome> rows[] = {
        {"1: ack", 1, false, {kAck}, std::nullopt, {kIdentify}, 2, Outcome::Pending},
        {"1: 06 across two bytes", 1, false, {0x60, 0x6A}, std::nullopt, {kIdentify}, 2,
         Outcome::Pending},
        {"1: other byte", 1, false, {0x15}, std::nullopt, {}, 1, Outcome::Pending},
        {"2: identification, band 0", 2, false, Identification(0x40), std::nullopt, {kAck}, 3,
         Outcome::Pending},
        {"2: a bare ack is no identification", 2, false, {kAck}, std::nullopt, {}, 2,
         Outcome::Pending},
        {"3: glued ack sends 0x000", 3, false, {kAck, 0x00}, 0x000, {}, 4, Outcome::Pending},
        {"3: 06 across two bytes", 3, false, {0x20, 0x61}, 0x000, {}, 4, Outcome::Pending},
        {"3: other byte", 3, false, {0x15}, std::nullopt, {}, 3, Outcome::Pending},
        {"126: sends 0x7B0", 126, false, {kAck}, 0x7B0, {}, 127, Outcome::Pending},
        {"127: bare ack without debug", 127, false, {kAck}, std::nullopt, {kAck}, 128,
         Outcome::Pending},
        {"128: bare ack without debug", 128, false, {kAck}, std::nullopt, {kAck}, 129,
         Outcome::Pending},
        {"127: 0x7E0 in debug", 127, true, {kAck}, 0x7E0, {}, 128, Outcome::Pending},
        {"128: 0x7F0 in debug", 128, true, {kAck}, 0x7F0, {}, 129, Outcome::Pending},
        {"129: sends 0x800", 129, false, {kAck}, 0x800, {}, 130, Outcome::Pending},
        {"196: End", 196, false, {kAck, 0x00}, std::nullopt, {kEnd}, 196, Outcome::Success},
    };
    // clang-format on
    for (const auto& [name, step, debug, reply, block, sent, stepAfter, outcome] : rows) {
        SCOPED_TRACE(name);
        WriteMachine machine(image, WriteOptions{0, debug, false});
        AdvanceTo(machine, step);
        const Actions actions = Feed(machine, reply);
        EXPECT_EQ(Sent(actions), block ? WriteFrame(*block, image) : sent);
        EXPECT_EQ(actions.progress, step);
        EXPECT_FALSE(actions.threshold);
        EXPECT_EQ(machine.step(), stepAfter);
        EXPECT_EQ(actions.outcome, outcome);
    }
}

TEST(WriteMachine, BandCheckAgainstEveryDigit) {
    const MemoryImage image;
    for (int band = 0; band <= 2; ++band) {
        for (int digit = 0; digit <= 0xF; ++digit) {
            for (bool force : {false, true}) {
                SCOPED_TRACE(::testing::Message()
                             << "band " << band << " digit " << digit << " force " << force);
                WriteMachine machine(image, WriteOptions{band, false, force});
                AdvanceTo(machine, 2);
                const Actions actions =
                    Feed(machine, Identification(static_cast<std::uint8_t>(0x30 | digit)));
                if (digit == band) {
                    EXPECT_EQ(Sent(actions), Bytes{kAck});
                    EXPECT_EQ(machine.step(), 3);
                    EXPECT_FALSE(actions.askBandMismatch);
                } else if (force) {
                    EXPECT_TRUE(Sent(actions).empty());
                    EXPECT_TRUE(actions.askBandMismatch);
                    EXPECT_EQ(machine.outcome(), Outcome::Pending);
                } else {
                    EXPECT_EQ(Sent(actions), Bytes{kEnd});
                    EXPECT_FALSE(actions.askBandMismatch);
                    EXPECT_EQ(actions.outcome, Outcome::BandRefused);
                }
            }
        }
    }
}

TEST(WriteMachine, BandQuestionHoldsTheTimerUntilAnsweredOrInterrupted) {
    const MemoryImage image = PatternImage();
    WriteMachine machine(image, WriteOptions{1, false, true});
    AdvanceTo(machine, 2);
    for (int i = 0; i < 5; ++i) machine.tick();  // ticks before the question still count
    ASSERT_TRUE(Feed(machine, Identification(0x42)).askBandMismatch);
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(machine.tick().writes.empty());
    // Bytes arriving meanwhile are neither matched nor kept.
    const Actions stray = Feed(machine, {kAck});
    EXPECT_TRUE(stray.writes.empty());
    EXPECT_FALSE(stray.askBandMismatch);
    ASSERT_EQ(machine.outcome(), Outcome::Pending);

    const Actions ok = machine.answerBandQuestion(true);
    EXPECT_EQ(Sent(ok), Bytes{kAck});
    EXPECT_EQ(machine.step(), 3);
    EXPECT_TRUE(machine.answerBandQuestion(true).writes.empty());  // only one answer counts
    // The timer runs again from zero.
    for (int i = 0; i < 11; ++i) ASSERT_TRUE(machine.tick().writes.empty());
    EXPECT_EQ(machine.tick().outcome, Outcome::CommunicationError);

    // An interruption ends the transfer as the reply timeout does, also with the question
    // open; after the end it does nothing.
    AdvanceTo(machine, 2);
    ASSERT_TRUE(Feed(machine, Identification(0x42)).askBandMismatch);
    const Actions stop = machine.interrupt();
    EXPECT_EQ(Sent(stop), Bytes{kEnd});
    EXPECT_EQ(stop.threshold, 1);
    EXPECT_EQ(stop.outcome, Outcome::Interrupted);
    EXPECT_TRUE(Sent(machine.interrupt()).empty());
    EXPECT_TRUE(Sent(machine.answerBandQuestion(true)).empty());
}

// The moment a write's backup is kept: once, with the acknowledge that accepts the radio (by
// its band or by the answer OK), before the first block; never when the radio is refused.
TEST(WriteMachine, FirstBlockAheadComesOnceWhenTheRadioIsAccepted) {
    const MemoryImage image = PatternImage();
    // Band of the write, force-write mode, band digit of the radio, answer; flagged or not.
    const std::tuple<int, bool, std::uint8_t, bool, bool> rows[] = {
        {0, false, 0x40, false, true},   // the band matches
        {1, true, 0x42, true, true},     // a mismatch answered OK
        {1, true, 0x42, false, false},   // answered Cancel
        {1, false, 0x42, false, false},  // refused
    };
    for (const auto& [band, force, digit, answer, flagged] : rows) {
        SCOPED_TRACE(static_cast<int>(digit) * 10 + answer);
        WriteMachine machine(image, WriteOptions{band, false, force});
        AdvanceTo(machine, 2);
        std::vector<Actions> all = {Feed(machine, Identification(digit))};
        if (all.back().askBandMismatch) all.push_back(machine.answerBandQuestion(answer));
        EXPECT_EQ(all.back().firstBlockAhead, flagged);
        if (flagged) {
            EXPECT_EQ(Sent(all.back()), Bytes{kAck});  // the frames are as ever
            all.push_back(Feed(machine, {kAck}));
            EXPECT_EQ(Sent(all.back()), WriteFrame(0x000, image));
        }
        while (machine.outcome() == Outcome::Pending) all.push_back(Feed(machine, {kAck}));
        int flags = 0;
        for (const Actions& actions : all) flags += actions.firstBlockAhead;
        EXPECT_EQ(flags, flagged ? 1 : 0);
    }
}

TEST(WriteMachine, ForcedWriteThroughTheRadio) {
    for (bool answer : {true, false}) {
        SCOPED_TRACE(answer);
        const MemoryImage image = PatternImage();
        WriteMachine machine(image, WriteOptions{0, false, true});
        Radio radio(Faults([](auto& f) { f.band = 0xA; }));  // a digit A-F matches no band
        Link<WriteMachine> link(machine, radio);
        link.bandAnswer = answer;
        EXPECT_EQ(link.run(), answer ? Outcome::Success : Outcome::Cancelled);
        EXPECT_EQ(link.log.questions, 1);
        EXPECT_EQ(link.log.radioLines("rx Write"), answer ? 191 : 0);
        EXPECT_EQ(link.log.writes.back(), Bytes{kEnd});
        if (!answer) {
            Bytes expected = kWake;
            expected.insert(expected.end(), {kIdentify, kEnd});
            EXPECT_EQ(link.log.stream(), expected);
        }
    }
}

TEST(WriteMachine, RadioFaults) {
    // clang-format off
    const std::tuple<const char*, sim::RadioOptions, Outcome> rows[] = {
        {"split identification", Faults([](auto& f) { f.splitIdent = true; }),
         Outcome::Success},
        {"glued acknowledge passes contains 06", Faults([](auto& f) { f.gluedAck = true; }),
         Outcome::Success},
        {"stray byte before an ack", Faults([](auto& f) { f.strayBeforeReply = 50; }),
         Outcome::Success},
        {"stray byte after an ack", Faults([](auto& f) { f.garbage = true; }),
         Outcome::Success},
        {"band 2 refused", Faults([](auto& f) { f.band = 2; }), Outcome::BandRefused},
        {"9-byte identification", Faults([](auto& f) { f.longIdent = true; }),
         Outcome::CommunicationError},
        {"wrong model", Faults([](auto& f) { f.model = "PW-K5"; }),
         Outcome::CommunicationError},
        {"stops after 100 blocks", Faults([](auto& f) { f.stopAfter = 100; }),
         Outcome::CommunicationError},
        {"silent", Faults([](auto& f) { f.silent = true; }), Outcome::CommunicationError},
    };
    // clang-format on
    for (const auto& [name, faults, outcome] : rows) {
        SCOPED_TRACE(name);
        const MemoryImage image = PatternImage();
        WriteMachine machine(image, WriteOptions{});
        Radio radio(faults);
        Link<WriteMachine> link(machine, radio);
        EXPECT_EQ(link.run(), outcome);
        EXPECT_EQ(link.log.writes.back(), Bytes{kEnd});
        EXPECT_EQ(link.log.questions, 0);
        if (outcome == Outcome::CommunicationError) {
            EXPECT_EQ(link.log.ticks, 12);
        }
    }
}

std::string WriteLine(unsigned address) {
    char text[32];
    std::snprintf(text, sizeof text, "rx Write 0x%03X", address);
    return text;
}

// The schedule is the one the radio receives, and a changed byte counts exactly when a write
// carries it and a read brings it back.
TEST(Verify, ComparesEveryByteThatIsBothWrittenAndRead) {
    const MemoryImage sent = sim::SampleImage();
    for (bool debug : {false, true}) {
        SCOPED_TRACE(debug ? "debug mode" : "normal mode");
        const WriteOptions options{0, debug, false};
        WriteMachine machine(sent, options);
        Radio radio;
        Link<WriteMachine> link(machine, radio);
        ASSERT_EQ(link.run(), Outcome::Success);
        std::vector<std::string> received;
        for (const std::string& line : link.log.radio)
            if (line.rfind("rx Write", 0) == 0) received.push_back(line);
        std::vector<std::string> scheduled;
        for (unsigned address : WriteSchedule(options)) scheduled.push_back(WriteLine(address));
        EXPECT_EQ(received, scheduled);

        for (std::size_t i = 0; i < kImageSize; ++i) {
            MemoryImage back = sent;
            back.set(i, static_cast<std::uint8_t>(sent.at(i) ^ 0xFF));
            const bool neverWritten = i >= 0x7C0 && i < 0x7E0;
            const bool tuning = i >= 0x7E0 && i < 0x800;
            const bool compared = !neverWritten && (debug || !tuning);
            const auto differences = CompareWrittenBlocks(sent, back, options, Language::English);
            ASSERT_EQ(differences.size(), compared ? 1u : 0u) << "offset " << i;
            if (compared) {
                ASSERT_EQ(differences[0].address, static_cast<int>(i & ~0xFu));
            }
        }
    }
}

TEST(Verify, AByteStoredWrongIsNamedByWhatItHolds) {
    const std::tuple<int, bool, Language, std::vector<BlockDifference>> cases[] = {
        {0x05A, false, Language::English, {{0x050, {"channel 7"}}}},
        {0x704, false, Language::Chinese, {{0x700, {"静噪等级"}}}},
        {0x7E1, true, Language::English, {{0x7E0, {"power tuning"}}}},
        {0x7E1, false, Language::English, {}},  // not written, so not stored wrong either
        {0xC00, false, Language::English, {{0xC00, {"spare byte"}}}},
    };
    const MemoryImage sent = sim::SampleImage();
    for (const auto& [corrupt, debug, lang, expected] : cases) {
        SCOPED_TRACE(corrupt);
        sim::RadioOptions faults;
        faults.corruptWrite = corrupt;
        Radio radio(faults);
        const WriteOptions options{0, debug, false};
        WriteMachine writer(sent, options);
        Link<WriteMachine> write(writer, radio);
        ASSERT_EQ(write.run(), Outcome::Success);
        MemoryImage back;
        ReadMachine reader(back);
        Link<ReadMachine> read(reader, radio);
        ASSERT_EQ(read.run(), Outcome::Success);
        EXPECT_EQ(CompareWrittenBlocks(sent, back, options, lang), expected);
    }
}

}  // namespace
}  // namespace varel::link::test
