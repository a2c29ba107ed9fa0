#include "link/write_machine.h"

#include <gtest/gtest.h>

#include <optional>

#include "link/link_test_util.h"
#include "link/radio_link.h"

namespace varel::link::test {
namespace {

const Bytes kWake(kWakeUp.begin(), kWakeUp.end());

MemoryImage PatternImage() {
    MemoryImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image.set(i, static_cast<std::uint8_t>(i * 13 + 5 + i / 256));
    }
    return image;
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

struct RuleRow {
    const char* name;
    int step;
    bool debug;
    Bytes reply;
    std::optional<unsigned> block;  // the write block expected, else `sent`
    Bytes sent;
    int stepAfter;
    Outcome outcome;
};

TEST(WriteMachine, RuleRows) {
    const MemoryImage image = PatternImage();
    // clang-format off
    const RuleRow rows[] = {
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteMachine machine(image, WriteOptions{0, row.debug, false});
        AdvanceTo(machine, row.step);
        const Actions actions = Feed(machine, row.reply);
        EXPECT_EQ(Sent(actions), row.block ? WriteFrame(*row.block, image) : row.sent);
        EXPECT_EQ(actions.progress, row.step);
        EXPECT_FALSE(actions.threshold);
        EXPECT_EQ(machine.step(), row.stepAfter);
        EXPECT_EQ(actions.outcome, row.outcome);
    }
}

TEST(WriteMachine, BlocksPastTheImageCarryZeros) {
    MemoryImage image;
    image.fill(0xA5);
    WriteMachine machine(image, WriteOptions{});
    AdvanceTo(machine, 193);
    Bytes c00 = {kWriteCommand, 0x0C, 0x00, 0x10, 0xA5};
    c00.resize(20, 0x00);
    EXPECT_EQ(Sent(Feed(machine, {kAck})), c00);
    Bytes c10 = {kWriteCommand, 0x0C, 0x10, 0x10};
    c10.resize(20, 0x00);
    EXPECT_EQ(Sent(Feed(machine, {kAck})), c10);
    Bytes c20 = {kWriteCommand, 0x0C, 0x20, 0x10};
    c20.resize(20, 0x00);
    EXPECT_EQ(Sent(Feed(machine, {kAck})), c20);
    EXPECT_EQ(machine.step(), 196);
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

TEST(WriteMachine, BandQuestionHoldsTheTimerUntilAnswered) {
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
}

// An interruption ends the transfer as the reply timeout does, also with the band question
// open; after the end it does nothing.
TEST(WriteMachine, InterruptSendsEndOnce) {
    const MemoryImage image = PatternImage();
    WriteMachine machine(image, WriteOptions{1, false, true});
    AdvanceTo(machine, 2);
    ASSERT_TRUE(Feed(machine, Identification(0x42)).askBandMismatch);
    const Actions stop = machine.interrupt();
    EXPECT_EQ(Sent(stop), Bytes{kEnd});
    EXPECT_EQ(stop.threshold, 1);
    EXPECT_EQ(stop.outcome, Outcome::Interrupted);
    EXPECT_TRUE(Sent(machine.interrupt()).empty());
    EXPECT_TRUE(Sent(machine.answerBandQuestion(true)).empty());
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

struct FaultRow {
    const char* name;
    sim::RadioOptions faults;
    Outcome outcome;
};

TEST(WriteMachine, RadioFaults) {
    // clang-format off
    const FaultRow rows[] = {
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const MemoryImage image = PatternImage();
        WriteMachine machine(image, WriteOptions{});
        Radio radio(row.faults);
        Link<WriteMachine> link(machine, radio);
        EXPECT_EQ(link.run(), row.outcome);
        EXPECT_EQ(link.log.writes.back(), Bytes{kEnd});
        EXPECT_EQ(link.log.questions, 0);
        if (row.outcome == Outcome::CommunicationError) {
            EXPECT_EQ(link.log.ticks, 12);
        }
    }
}

TEST(WriteMachine, NewStartForgetsBytesLeftFromAFailedAttempt) {
    const MemoryImage image = PatternImage();
    WriteMachine machine(image, WriteOptions{});
    AdvanceTo(machine, 2);
    Feed(machine, {0x60});
    for (int i = 0; i < 12; ++i) machine.tick();
    ASSERT_EQ(machine.outcome(), Outcome::CommunicationError);
    EXPECT_TRUE(machine.tick().writes.empty());

    machine.start();
    EXPECT_EQ(machine.step(), 1);
    EXPECT_TRUE(Sent(Feed(machine, {0x6A})).empty());
    EXPECT_EQ(Sent(Feed(machine, {kAck})), Bytes{kIdentify});
}

}  // namespace
}  // namespace varel::link::test
