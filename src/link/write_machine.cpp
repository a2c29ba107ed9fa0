#include "link/write_machine.h"

#include "link/frames.h"

namespace varel::link {

namespace {

constexpr int kFirstBlockStep = 3;
constexpr int kLastLowBlockStep = 126;  // block 0x7B0
constexpr int kTuningStep1 = 127;       // block 0x7E0
constexpr int kTuningStep2 = 128;       // block 0x7F0
constexpr unsigned kTuningBlock1 = 0x7E0;
constexpr unsigned kTuningBlock2 = 0x7F0;

// The step before the last sends the last block; the radio knows a write is whole by it.
static_assert(static_cast<unsigned>(kLastStep - 2) * kBlockSize == kLastWriteAddress);

}  // namespace

std::optional<unsigned> ScheduledBlock(int step, const WriteOptions& options) {
    if (step < kFirstBlockStep || step >= kLastStep) return std::nullopt;
    if (step <= kLastLowBlockStep)
        return static_cast<unsigned>(step - kFirstBlockStep) * kBlockSize;
    if (step == kTuningStep1 || step == kTuningStep2) {
        if (!options.debugMode) return std::nullopt;
        return step == kTuningStep1 ? kTuningBlock1 : kTuningBlock2;
    }
    return static_cast<unsigned>(step - 1) * kBlockSize;
}

std::vector<unsigned> WriteSchedule(const WriteOptions& options) {
    std::vector<unsigned> blocks;
    for (int step = kFirstBlockStep; step < kLastStep; ++step)
        if (const auto block = ScheduledBlock(step, options)) blocks.push_back(*block);
    return blocks;
}

WriteMachine::WriteMachine(const MemoryImage& out, WriteOptions options)
    : m_image(out), m_options(options) {}

void WriteMachine::sendScheduledFrame(Actions& actions) const {
    // The power tuning blocks only go out in debug mode; otherwise a bare acknowledge keeps the
    // lock-step going.
    if (const auto block = ScheduledBlock(m_step, m_options))
        SendWriteBlock(actions, *block, m_image);
    else
        SendByte(actions, kAck);
}

void WriteMachine::checkIdentification(Actions& actions) {
    if (!m_text.isIdentification()) return;
    const auto band = m_text.bandDigit();
    if (band && *band == m_options.band) {
        accept();
        SendByte(actions, kAck);
        m_step = kFirstBlockStep;
        actions.firstBlockAhead = true;
    } else if (m_options.forceWriteMode) {
        // The user decides; the reply timer stands still until the answer.
        m_timer.disable();
        m_questionOpen = true;
        actions.askBandMismatch = true;
    } else {
        SendByte(actions, kEnd);
        accept();
        finish(actions, Outcome::BandRefused);
    }
}

void WriteMachine::onReply(Actions& actions) {
    // While the band question is open nothing is matched; whatever arrives meanwhile is
    // dropped with the identification when the answer accepts it.
    if (m_questionOpen) return;

    if (m_step == 2) {
        checkIdentification(actions);
    } else if (m_text.containsAck()) {
        accept();
        if (m_step < kLastStep) {
            sendScheduledFrame(actions);
            ++m_step;
        } else {
            SendByte(actions, kEnd);
            finish(actions, Outcome::Success);
        }
    }
}

Actions WriteMachine::answerBandQuestion(bool ok) {
    Actions actions;
    if (!running() || !m_questionOpen) return actions;
    m_questionOpen = false;
    accept();
    if (ok) {
        m_timer.enable();
        SendByte(actions, kAck);
        m_step = kFirstBlockStep;
        actions.firstBlockAhead = true;
    } else {
        SendByte(actions, kEnd);
        finish(actions, Outcome::Cancelled);
    }
    return actions;
}

}  // namespace varel::link
