#pragma once
// The whole write of a configuration to one radio, as one procedure without I/O: the program
// and varel-cli both drive it, each with its own way of asking, waiting and reporting.
//
//   Check     the check before writing; the front end asks the user or stops (--strict)
//   OpenPort  the port opens before anything is encoded or kept
//   Write     the image is encoded and the write machine runs over the open port
//   BackUp    during Write, once the radio has accepted the write and the first block is about
//             to go: the image being sent is kept as a backup (a failed backup never stops the
//             write); a radio that never answers leaves no backup
//   Settle    with verify, after a successful write only: the radio gets time to settle
//   ReadBack  the radio is read back in a session of its own into readBackImage(); a read-back
//             that gets no answer is tried once more, after another settle
//   Report    the result: how it ended, the shared message that says so, the blocks that
//             differ
//
// Events that do not fit the stage are ignored (WriteTask::None), so that a late or doubled
// event from a front end cannot move the procedure on.
#include <optional>
#include <vector>

#include "image/language.h"
#include "image/memory_image.h"
#include "image/messages.h"
#include "link/transfer_actions.h"
#include "link/verify.h"
#include "link/write_machine.h"

namespace varel::link {

/// What a write procedure asks its front end to do next.
enum class WriteTask {
    None,      ///< nothing: the event did not fit the stage and changed nothing
    Check,     ///< run the check before writing (it may ask or stop); answer checkAnswered()
    OpenPort,  ///< open the port of the write; answer portOpened()
    Write,     ///< encode, run a WriteMachine with request().options on the open port; writeEnded()
    BackUp,    ///< while Write runs: keep the image being sent as a backup; backupEnded()
    Settle,    ///< wait for the radio to settle; answer settleElapsed()
    ReadBack,  ///< open the port, read the radio into readBackImage(); answer readBackEnded()
    Report,    ///< the procedure has ended: tell result()
};

/// A task and what goes with it.
struct WriteNext {
    WriteTask task = WriteTask::None;  ///< what to do
    bool retry = false;  ///< Settle: the read-back before got no answer and is tried once more
    bool operator==(const WriteNext& o) const { return task == o.task && retry == o.retry; }
};

/// How a write procedure ended.
enum class WriteEnd {
    Stopped,      ///< the check before writing stopped it: nothing was sent
    PortInvalid,  ///< the port could not be opened: nothing was sent
    Failed,       ///< the write transfer did not succeed (WriteResult::write says how)
    Written,      ///< the write succeeded; no read-back was asked for
    Verified,     ///< read back: the radio holds every byte that was written
    Differs,      ///< read back: some blocks are not as written (WriteResult::differences)
    NotVerified,  ///< written, but the radio could not be read back (WriteResult::readBack)
};

/// What a write is asked to do.
struct WriteRequest {
    WriteOptions options;               ///< band, debug mode and force-write mode of the write
    bool verify = false;                ///< read back after a successful write and compare
    Language lang = Language::English;  ///< the language of what differing blocks hold
};

/// The end of a write procedure: everything a front end needs to tell it.
struct WriteResult {
    WriteEnd end = WriteEnd::Stopped;     ///< how it ended
    Outcome write = Outcome::Pending;     ///< how the write transfer ended; Pending when none ran
    Outcome readBack = Outcome::Pending;  ///< how the last read-back ended; Pending when none ran
    int readBacks = 0;                    ///< read-backs started
    bool backedUp = false;                ///< the front end kept a backup of the image sent
    std::vector<BlockDifference> differences;  ///< Differs: the blocks, in the order written
    std::optional<Message> message;            ///< the shared message that tells the end, if any
};

/// The write of one configuration to one radio: events in, tasks out, no I/O. One instance per
/// write and radio; the front end gives the port and does each task.
class WriteProcedure {
public:
    /// A read-back that gets no answer is tried this often in all.
    static constexpr int kReadBackTries = 2;

    /// A procedure that writes `sent` (the front end fills it at Write, before the machine
    /// starts); sent must outlive the procedure.
    WriteProcedure(const MemoryImage& sent, WriteRequest request);

    /// Starts the procedure: Check.
    WriteNext start();
    /// The check was answered: write on (OpenPort), or stop (Report, Stopped).
    WriteNext checkAnswered(bool writeOn);
    /// The port was opened (Write) or could not be (Report, PortInvalid).
    WriteNext portOpened(bool open);
    /// The running write machine reported Actions::firstBlockAhead: BackUp, once per write.
    WriteNext firstBlockAhead();
    /// The backup was saved or not; the write runs on either way (None: nothing new to do).
    WriteNext backupEnded(bool saved);
    /// The write transfer ended. Success goes on to Settle with verify, else Report;
    /// Outcome::PortInvalid (the port went away before the first frame) ends as PortInvalid.
    WriteNext writeEnded(Outcome outcome);
    /// The settle time has passed: ReadBack (into a zeroed readBackImage()).
    WriteNext settleElapsed();
    /// The read-back ended. No answer (CommunicationError) on the first try settles again;
    /// success compares what was sent with readBackImage(); anything else is NotVerified.
    WriteNext readBackEnded(Outcome outcome);
    /// The user stopped the procedure while the radio settles: Report, NotVerified with the
    /// read-back Interrupted. At any other stage nothing (the front end interrupts a running
    /// transfer, which then ends with Outcome::Interrupted).
    WriteNext cancel();

    /// What the procedure was asked to do.
    const WriteRequest& request() const { return m_request; }
    /// The image a read-back reads into; zeroed when a read-back is asked for.
    MemoryImage& readBackImage() { return m_readBack; }
    /// True once Report was asked for.
    bool ended() const { return m_stage == Stage::Ended; }
    /// The result; complete once ended().
    const WriteResult& result() const { return m_result; }

private:
    enum class Stage { Idle, Checking, Opening, Writing, Settling, ReadingBack, Ended };

    WriteNext next(Stage stage, WriteTask task, bool retry = false);
    WriteNext end(WriteEnd end);

    const MemoryImage& m_sent;
    WriteRequest m_request;
    MemoryImage m_readBack;
    Stage m_stage = Stage::Idle;
    bool m_backupAsked = false;
    WriteResult m_result;
};

}  // namespace varel::link
