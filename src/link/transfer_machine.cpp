#include "link/transfer_machine.h"

#include "link/frames.h"

namespace varel::link {

Actions LockStepMachine::start() {
    m_text.clear();
    m_timer.start();
    m_step = 1;
    m_started = true;
    m_outcome = Outcome::Pending;
    restart();

    Actions actions;
    actions.threshold = kByteThreshold;
    SendWakeUp(actions);
    return actions;
}

Actions LockStepMachine::received(const std::uint8_t* data, std::size_t size) {
    Actions actions;
    if (!running()) return actions;
    m_text.append(data, size);
    actions.progress = m_step;
    if (m_step != 1) {
        onReply(actions);
    } else if (m_text.containsAck()) {
        accept();
        SendByte(actions, kIdentify);
        m_step = 2;
    }
    return actions;
}

Actions LockStepMachine::tick() {
    if (!running() || !m_timer.tick()) return {};
    return abandon(Outcome::CommunicationError);
}

Actions LockStepMachine::interrupt() {
    if (!running()) return {};
    return abandon(Outcome::Interrupted);
}

Actions LockStepMachine::abandon(Outcome outcome) {
    Actions actions;
    actions.threshold = kByteThreshold;
    SendByte(actions, kEnd);
    finish(actions, outcome);
    return actions;
}

void LockStepMachine::accept() {
    m_timer.reset();
    m_text.clear();
}

void LockStepMachine::finish(Actions& actions, Outcome outcome) {
    m_timer.disable();
    m_outcome = outcome;
    actions.outcome = outcome;
}

}  // namespace varel::link
