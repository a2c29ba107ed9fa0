#pragma once
// The face of a transfer state machine as a transport sees it, and the lock-step core that the
// read and the write machine share: the received text, the reply timer, the step and the
// single outcome.
#include <cstddef>
#include <cstdint>

#include "link/receive_text.h"
#include "link/reply_timer.h"
#include "link/transfer_actions.h"

namespace varel::link {

/// A transfer state machine as a transport sees it.
class TransferMachine {
public:
    virtual ~TransferMachine() = default;
    /// Starts the transfer.
    virtual Actions start() = 0;
    /// Bytes received from the radio (all that the port had buffered).
    virtual Actions received(const std::uint8_t* data, std::size_t size) = 0;
    /// One 50 ms reply-timer tick.
    virtual Actions tick() = 0;
    /// The answer to the band-mismatch question: true for OK, false for Cancel.
    virtual Actions answerBandQuestion(bool ok) = 0;
    /// Ends a running transfer at once, as the reply timeout does, with Outcome::Interrupted.
    virtual Actions interrupt() = 0;
    /// The outcome so far (Pending while running).
    virtual Outcome outcome() const = 0;
};

/// What the read and the write machine have in common. Before start() and after the outcome
/// every input is ignored (empty Actions).
class LockStepMachine : public TransferMachine {
public:
    /// Starts a transfer from a clean state (nothing left over from an earlier attempt):
    /// threshold 1, then the wake-up frame.
    Actions start() final;
    /// Appends the bytes to the received text, reports the step as progress and applies the
    /// rule of the step: step 1 (shared) asks for the identification once the wake-up frame is
    /// acknowledged; later steps are the derived machine's.
    Actions received(const std::uint8_t* data, std::size_t size) final;
    /// One reply-timer tick; the 12th tick since the start or the last accepted reply sends
    /// End (threshold 1) and ends the transfer with the communication error.
    Actions tick() final;
    /// Ends a running transfer as the reply timeout does (End sent, threshold 1), but with
    /// Outcome::Interrupted; empty Actions when nothing runs.
    Actions interrupt() final;
    /// Only a write asks the band question; the read ignores the answer.
    Actions answerBandQuestion(bool) override { return {}; }
    Outcome outcome() const final { return m_outcome; }
    /// The step of the machine, 1 to 196.
    int step() const { return m_step; }

protected:
    /// Resets what a derived machine keeps beyond the shared state; called by start().
    virtual void restart() {}
    /// Applies the rule of the current step (2 and later) to the received text.
    virtual void onReply(Actions& actions) = 0;
    bool running() const { return m_started && m_outcome == Outcome::Pending; }
    /// Accepts a reply: the reply timer counts from zero and the received text is cleared.
    void accept();
    /// Ends the transfer with the outcome and stops the reply timer.
    void finish(Actions& actions, Outcome outcome);

    ReceiveText m_text;
    ReplyTimer m_timer;
    int m_step = 1;

private:
    /// Sends End at threshold 1 and ends the transfer with the outcome.
    Actions abandon(Outcome outcome);

    bool m_started = false;
    Outcome m_outcome = Outcome::Pending;
};

}  // namespace varel::link
