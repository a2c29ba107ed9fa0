#include "link/read_machine.h"

#include <gtest/gtest.h>

#include <optional>

#include "link/link_test_util.h"
#include "link/radio_link.h"

namespace varel::link::test {
namespace {

const Bytes kWake(kWakeUp.begin(), kWakeUp.end());

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

MemoryImage PatternImage() {
    MemoryImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image.set(i, static_cast<std::uint8_t>(i * 7 + 3 + i / 256));
    }
    return image;
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

struct RuleRow {
    const char* name;
    int step;
    Bytes reply;
    Bytes sent;
    int stepAfter;
    std::optional<int> threshold;
    Outcome outcome;
};

TEST(ReadMachine, RuleRows) {
    auto glued = [](Bytes b) {
        b.push_back(0x00);
        return b;
    };
    // clang-format off
    const RuleRow rows[] = {
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryImage image;
        ReadMachine machine(image);
        AdvanceTo(machine, row.step);
        const Actions actions = Feed(machine, row.reply);
        EXPECT_EQ(Sent(actions), row.sent);
        EXPECT_EQ(actions.progress, row.step);
        EXPECT_EQ(actions.threshold, row.threshold);
        EXPECT_EQ(machine.step(), row.stepAfter);
        EXPECT_EQ(actions.outcome, row.outcome);
        EXPECT_EQ(machine.outcome(), row.outcome);
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

struct FaultRow {
    const char* name;
    sim::RadioOptions faults;
    Outcome outcome;
    std::optional<Bytes> sentAfterWakeUp;  // the whole stream after the wake-up, if checked
};

TEST(ReadMachine, RadioFaults) {
    // clang-format off
    const FaultRow rows[] = {
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
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MemoryImage image;
        ReadMachine machine(image);
        Radio radio(row.faults);
        Link<ReadMachine> link(machine, radio);
        EXPECT_EQ(link.run(), row.outcome);
        if (row.outcome == Outcome::CommunicationError) {
            EXPECT_EQ(link.log.ticks, 12);  // not 11
            EXPECT_EQ(link.log.writes.back(), Bytes{kEnd});
        }
        if (row.sentAfterWakeUp) {
            Bytes expected = kWake;
            expected.insert(expected.end(), row.sentAfterWakeUp->begin(),
                            row.sentAfterWakeUp->end());
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

}  // namespace
}  // namespace varel::link::test
