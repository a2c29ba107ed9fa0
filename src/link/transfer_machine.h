#pragma once
// The common face of the read and write machines, so that one transport can drive either.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "transfer_actions.h"

namespace varel::link {

/// A transfer state machine as a transport sees it.
class TransferMachine {
public:
    virtual ~TransferMachine() = default;
    /// Starts the transfer.
    virtual Actions start() = 0;
    /// Bytes received from the radio.
    virtual Actions received(const std::uint8_t* data, std::size_t size) = 0;
    /// One 50 ms reply-timer tick.
    virtual Actions tick() = 0;
    /// The answer to the band-mismatch question (only a write asks it).
    virtual Actions answerBandQuestion(bool ok) = 0;
    /// The outcome so far.
    virtual Outcome outcome() const = 0;
};

/// Wraps a ReadMachine or WriteMachine (built from the given arguments) as a TransferMachine.
template <typename Machine>
class MachineDriver final : public TransferMachine {
public:
    template <typename... Args>
    explicit MachineDriver(Args&&... args) : m_machine(std::forward<Args>(args)...) {}

    Actions start() override { return m_machine.start(); }
    Actions received(const std::uint8_t* data, std::size_t size) override {
        return m_machine.received(data, size);
    }
    Actions tick() override { return m_machine.tick(); }
    Actions answerBandQuestion(bool ok) override { return Answer(m_machine, ok, 0); }
    Outcome outcome() const override { return m_machine.outcome(); }

    /// The machine itself.
    Machine& machine() { return m_machine; }

private:
    // Machines without a band question ignore the answer.
    template <typename M>
    static auto Answer(M& m, bool ok, int) -> decltype(m.answerBandQuestion(ok)) {
        return m.answerBandQuestion(ok);
    }
    template <typename M>
    static Actions Answer(M&, bool, long) {
        return {};
    }

    Machine m_machine;
};

}  // namespace varel::link
