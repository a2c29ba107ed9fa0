// The write procedure: each row is a course of events as a front end reports them, the task
// the procedure asks for after each event, and how the write ends.
#include "link/write_procedure.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/pattern_image.h"

namespace varel::link::test {
namespace {

using varel::test::PatternImage;

/// One event: its name in a failure's trace and what it does to the procedure.
struct Event {
    std::string name;
    std::function<WriteNext(WriteProcedure&, const MemoryImage& sent)> apply;
};
using Events = std::vector<Event>;

Event Start() {
    return {"start", [](WriteProcedure& p, const MemoryImage&) { return p.start(); }};
}
Event Check(bool writeOn) {
    return {writeOn ? "check: write anyway" : "check: cancel",
            [=](WriteProcedure& p, const MemoryImage&) { return p.checkAnswered(writeOn); }};
}
Event Port(bool open) {
    return {open ? "port open" : "port invalid",
            [=](WriteProcedure& p, const MemoryImage&) { return p.portOpened(open); }};
}
Event FirstBlock() {
    return {"first block ahead",
            [](WriteProcedure& p, const MemoryImage&) { return p.firstBlockAhead(); }};
}
Event Backup(bool saved) {
    return {saved ? "backup saved" : "backup failed",
            [=](WriteProcedure& p, const MemoryImage&) { return p.backupEnded(saved); }};
}
Event Wrote(Outcome outcome) {
    return {"write ended " + std::to_string(static_cast<int>(outcome)),
            [=](WriteProcedure& p, const MemoryImage&) { return p.writeEnded(outcome); }};
}
Event Settled() {
    return {"settled", [](WriteProcedure& p, const MemoryImage&) { return p.settleElapsed(); }};
}
Event Cancel() {
    return {"cancel", [](WriteProcedure& p, const MemoryImage&) { return p.cancel(); }};
}
// A read-back that ended without an image.
Event ReadBack(Outcome outcome) {
    return {"read-back ended " + std::to_string(static_cast<int>(outcome)),
            [=](WriteProcedure& p, const MemoryImage&) { return p.readBackEnded(outcome); }};
}
// A read-back that brought what was sent, with the byte at corrupt (if any) stored inverted.
Event ReadBackAs(std::optional<std::size_t> corrupt = std::nullopt) {
    return {"read back", [=](WriteProcedure& p, const MemoryImage& sent) {
                p.readBackImage() = sent;
                if (corrupt)
                    p.readBackImage().set(*corrupt, static_cast<std::uint8_t>(~sent.at(*corrupt)));
                return p.readBackEnded(Outcome::Success);
            }};
}

// The course up to a write the radio never accepted, and the tasks it brings.
Events Unanswered(std::initializer_list<Event> then) {
    Events events = {Start(), Check(true), Port(true)};
    events.insert(events.end(), then.begin(), then.end());
    return events;
}
const std::string kUnanswered = "Check OpenPort Write ";

// The regular course: the radio accepted the write and the backup was kept before block one.
Events UpToWrite(std::initializer_list<Event> then) {
    Events events = {Start(), Check(true), Port(true), FirstBlock(), Backup(true)};
    events.insert(events.end(), then.begin(), then.end());
    return events;
}
const std::string kUpToWrite = kUnanswered + "BackUp None ";

std::string TaskName(const WriteNext& next) {
    switch (next.task) {
        case WriteTask::None:
            return "None";
        case WriteTask::Check:
            return "Check";
        case WriteTask::OpenPort:
            return "OpenPort";
        case WriteTask::BackUp:
            return "BackUp";
        case WriteTask::Write:
            return "Write";
        case WriteTask::Settle:
            return next.retry ? "Settle+" : "Settle";
        case WriteTask::ReadBack:
            return "ReadBack";
        case WriteTask::Report:
            return "Report";
    }
    return "?";
}

WriteRequest Request(bool verify, bool debug = false, Language lang = Language::English) {
    WriteRequest request;
    request.options.debugMode = debug;
    request.verify = verify;
    request.lang = lang;
    return request;
}
const WriteRequest kPlain = Request(false);
const WriteRequest kVerify = Request(true);

struct Row {
    const char* name;
    WriteRequest request;
    Events events;
    std::string tasks;  ///< the task after each event, separated by spaces
    WriteEnd end;
    std::optional<Message> message;
    Outcome readBack;  ///< how the last read-back ended
    int readBacks;
    std::vector<BlockDifference> differences;
};

TEST(WriteProcedure, RuleRows) {
    const auto none = std::nullopt;
    const Outcome pending = Outcome::Pending;
    // clang-format off
    const Row rows[] = {
        {"written", kPlain, UpToWrite({Wrote(Outcome::Success)}), kUpToWrite + "Report",
         WriteEnd::Written, Message::WriteSucceeded, pending, 0, {}},
        {"a backup that fails does not stop the write",
         kPlain, {Start(), Check(true), Port(true), FirstBlock(), Backup(false),
                  Wrote(Outcome::Success)},
         kUpToWrite + "Report", WriteEnd::Written, Message::WriteSucceeded, pending, 0, {}},
        {"the check answered Cancel: nothing opened, kept or sent",
         kVerify, {Start(), Check(false)}, "Check Report",
         WriteEnd::Stopped, none, pending, 0, {}},
        {"an invalid port: nothing kept or sent",
         kVerify, {Start(), Check(true), Port(false)}, "Check OpenPort Report",
         WriteEnd::PortInvalid, Message::PortInvalid, pending, 0, {}},
        {"the port went away before the first frame",
         kVerify, Unanswered({Wrote(Outcome::PortInvalid)}), kUnanswered + "Report",
         WriteEnd::PortInvalid, Message::PortInvalid, pending, 0, {}},
        {"band refused: not read back",
         kVerify, Unanswered({Wrote(Outcome::BandRefused)}), kUnanswered + "Report",
         WriteEnd::Failed, Message::BandRefused, pending, 0, {}},
        {"no answer to the write: not read back",
         kVerify, Unanswered({Wrote(Outcome::CommunicationError)}), kUnanswered + "Report",
         WriteEnd::Failed, Message::CommunicationError, pending, 0, {}},
        {"the band question answered Cancel: no message",
         kVerify, UpToWrite({Wrote(Outcome::Cancelled)}), kUpToWrite + "Report",
         WriteEnd::Failed, none, pending, 0, {}},
        {"the write interrupted: no message, not read back",
         kVerify, UpToWrite({Wrote(Outcome::Interrupted)}), kUpToWrite + "Report",
         WriteEnd::Failed, none, pending, 0, {}},
        {"verified", kVerify, UpToWrite({Wrote(Outcome::Success), Settled(), ReadBackAs()}),
         kUpToWrite + "Settle ReadBack Report",
         WriteEnd::Verified, Message::WriteVerified, Outcome::Success, 1, {}},
        {"a byte stored wrong names its block",
         kVerify, UpToWrite({Wrote(Outcome::Success), Settled(), ReadBackAs(0x05A)}),
         kUpToWrite + "Settle ReadBack Report",
         WriteEnd::Differs, none, Outcome::Success, 1, {{0x050, {"channel 7"}}}},
        {"what differs is said in the request's language",
         Request(true, false, Language::Chinese),
         UpToWrite({Wrote(Outcome::Success), Settled(), ReadBackAs(0x704)}),
         kUpToWrite + "Settle ReadBack Report",
         WriteEnd::Differs, none, Outcome::Success, 1, {{0x700, {"静噪等级"}}}},
        {"the tuning blocks are compared in debug mode",
         Request(true, true), UpToWrite({Wrote(Outcome::Success), Settled(), ReadBackAs(0x7E1)}),
         kUpToWrite + "Settle ReadBack Report",
         WriteEnd::Differs, none, Outcome::Success, 1, {{0x7E0, {"power tuning"}}}},
        {"and not without it, as they were not written",
         kVerify, UpToWrite({Wrote(Outcome::Success), Settled(), ReadBackAs(0x7E1)}),
         kUpToWrite + "Settle ReadBack Report",
         WriteEnd::Verified, Message::WriteVerified, Outcome::Success, 1, {}},
        {"no answer once: settled and read again",
         kVerify, UpToWrite({Wrote(Outcome::Success), Settled(),
                             ReadBack(Outcome::CommunicationError), Settled(), ReadBackAs()}),
         kUpToWrite + "Settle ReadBack Settle+ ReadBack Report",
         WriteEnd::Verified, Message::WriteVerified, Outcome::Success, 2, {}},
        {"the second read-back finds the difference",
         kVerify, UpToWrite({Wrote(Outcome::Success), Settled(),
                             ReadBack(Outcome::CommunicationError), Settled(),
                             ReadBackAs(0xC00)}),
         kUpToWrite + "Settle ReadBack Settle+ ReadBack Report",
         WriteEnd::Differs, none, Outcome::Success, 2, {{0xC00, {"spare byte"}}}},
        {"no answer twice: not verified",
         kVerify, UpToWrite({Wrote(Outcome::Success), Settled(),
                             ReadBack(Outcome::CommunicationError), Settled(),
                             ReadBack(Outcome::CommunicationError)}),
         kUpToWrite + "Settle ReadBack Settle+ ReadBack Report",
         WriteEnd::NotVerified, none, Outcome::CommunicationError, 2, {}},
        {"a port that cannot be opened for the read-back is not tried again",
         kVerify, UpToWrite({Wrote(Outcome::Success), Settled(),
                             ReadBack(Outcome::PortInvalid)}),
         kUpToWrite + "Settle ReadBack Report",
         WriteEnd::NotVerified, none, Outcome::PortInvalid, 1, {}},
        {"an interrupted read-back is not tried again",
         kVerify, UpToWrite({Wrote(Outcome::Success), Settled(),
                             ReadBack(Outcome::Interrupted)}),
         kUpToWrite + "Settle ReadBack Report",
         WriteEnd::NotVerified, none, Outcome::Interrupted, 1, {}},
        {"cancelled while the radio settles",
         kVerify, UpToWrite({Wrote(Outcome::Success), Cancel(), Settled()}),
         kUpToWrite + "Settle Report None",
         WriteEnd::NotVerified, none, Outcome::Interrupted, 0, {}},
        {"a cancel during the write is the transfer's to handle",
         kPlain, UpToWrite({Cancel(), Wrote(Outcome::Success)}), kUpToWrite + "None Report",
         WriteEnd::Written, Message::WriteSucceeded, pending, 0, {}},
        {"the backup is asked for once, and only once the radio accepted the write",
         kPlain, {Start(), Check(true), Port(true), Backup(true), FirstBlock(), FirstBlock(),
                  Backup(true), Backup(true), Wrote(Outcome::Interrupted), FirstBlock()},
         kUnanswered + "None BackUp None None None Report None",
         WriteEnd::Failed, none, pending, 0, {}},
        {"events out of turn change nothing",
         kVerify, {Wrote(Outcome::Success), FirstBlock(), Start(), Start(), Port(true),
                   Backup(true), Check(true), Settled(), FirstBlock(), Backup(true), Port(true),
                   Backup(true), ReadBack(Outcome::Success), Wrote(Outcome::Pending),
                   Wrote(Outcome::Success), FirstBlock(), Settled(), ReadBack(Outcome::Pending),
                   ReadBackAs()},
         "None None Check None None None OpenPort None None None Write None None None Settle "
         "None ReadBack None Report",
         WriteEnd::Verified, Message::WriteVerified, Outcome::Success, 1, {}},
        {"nothing moves after the end",
         kVerify, {Start(), Check(false), Start(), Check(true), Port(true), Cancel()},
         "Check Report None None None None", WriteEnd::Stopped, none, pending, 0, {}},
    };
    // clang-format on
    const MemoryImage sent = PatternImage();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WriteProcedure procedure(sent, row.request);
        std::string tasks;
        for (const Event& event : row.events) {
            SCOPED_TRACE(event.name);
            tasks += (tasks.empty() ? "" : " ") + TaskName(event.apply(procedure, sent));
        }
        EXPECT_EQ(tasks, row.tasks);
        ASSERT_TRUE(procedure.ended());
        const WriteResult& result = procedure.result();
        EXPECT_EQ(result.end, row.end);
        EXPECT_EQ(result.message, row.message);
        EXPECT_EQ(result.readBack, row.readBack);
        EXPECT_EQ(result.readBacks, row.readBacks);
        EXPECT_EQ(result.differences, row.differences);
    }
}

// The write outcome and the backup are kept for the front ends' words and exit codes, and each
// read-back starts from a zeroed image, so that a short read cannot pass for the radio's memory.
TEST(WriteProcedure, ResultKeepsTheWriteAndEachReadBackStartsAfresh) {
    const MemoryImage sent = PatternImage();
    WriteProcedure procedure(sent, kVerify);
    for (const Event& event : {Start(), Check(true), Port(true), FirstBlock(), Backup(false)})
        event.apply(procedure, sent);
    procedure.writeEnded(Outcome::Success);
    EXPECT_EQ(procedure.request().verify, true);

    procedure.readBackImage() = sent;
    ASSERT_EQ(procedure.settleElapsed().task, WriteTask::ReadBack);
    EXPECT_TRUE(procedure.readBackImage() == MemoryImage());
    procedure.readBackImage() = sent;
    ASSERT_EQ(procedure.readBackEnded(Outcome::CommunicationError).task, WriteTask::Settle);
    procedure.settleElapsed();
    EXPECT_TRUE(procedure.readBackImage() == MemoryImage());
    // A read-back that ended without a reply for every block is not compared.
    ASSERT_EQ(procedure.readBackEnded(Outcome::CommunicationError).task, WriteTask::Report);

    const WriteResult& result = procedure.result();
    EXPECT_EQ(result.write, Outcome::Success);
    EXPECT_FALSE(result.backedUp);
    EXPECT_EQ(result.end, WriteEnd::NotVerified);
    EXPECT_TRUE(result.differences.empty());
}

}  // namespace
}  // namespace varel::link::test
