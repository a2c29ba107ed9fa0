#pragma once
// An in-memory radio that answers the tool's frames as the radio side of the link, with faults
// to order, and a link that connects it with a read or write machine the way the serial
// adapter does (threshold first, then the writes; delivery once the threshold is buffered).
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <type_traits>
#include <vector>

#include "link/frames.h"
#include "link/read_machine.h"
#include "link/transfer_actions.h"
#include "link/write_machine.h"

namespace varel::link::test {

using Bytes = std::vector<std::uint8_t>;

/// Misbehaviour of the virtual radio.
struct RadioFaults {
    bool silent = false;               ///< never answers anything
    int stopAfterBlocks = -1;          ///< answers this many read requests or write blocks, then
                                       ///< nothing more (negative: never stops)
    int strayBeforeReply = -1;         ///< a stray byte arrives on its own before reply number n
                                       ///< (counted from 0 over all replies)
    std::uint8_t strayByte = 0xAA;     ///< the stray byte
    bool splitIdentification = false;  ///< the identification arrives as 3 bytes, then 5
    bool gluedAck = false;             ///< every acknowledge comes with one more byte (0x00)
    bool longIdentification = false;   ///< the identification has a 9th byte
    bool wrongModel = false;           ///< the model identifier reads "PW-K5"
    std::uint8_t bandDigit = 0;        ///< low nibble of identification byte 7 (0 to 15)
};

/// Faults with one change made by set, for tables of fault cases.
template <typename Set>
RadioFaults Faults(Set set) {
    RadioFaults f;
    set(f);
    return f;
}

/// The radio side of the link, with a 4 KiB memory.
class VirtualRadio {
public:
    static constexpr std::size_t kMemorySize = 0x1000;

    explicit VirtualRadio(RadioFaults faults = {});
    /// Bytes of one output call of the tool.
    void receive(const Bytes& bytes);
    /// A reply piece is waiting.
    bool hasReply() const { return !m_replies.empty(); }
    /// The next reply piece (one arrival at the tool's port).
    Bytes takeReply();

    /// The radio's memory; tests fill and inspect it.
    std::vector<std::uint8_t> memory;
    /// Addresses of the write blocks received.
    std::set<unsigned> writtenBlocks;
    /// Addresses of the read requests received, in order.
    std::vector<unsigned> requestedBlocks;

private:
    void handle(std::uint8_t byte);
    void reply(Bytes piece);
    void replyAck();

    RadioFaults m_faults;
    bool m_awake = false;
    Bytes m_pending;  // bytes of the frame being received
    int m_blocksAnswered = 0;
    int m_repliesSent = 0;
    std::deque<Bytes> m_replies;
};

/// What the tool did during a transfer, as seen by its transport.
struct TransferLog {
    /// Every output call, in order.
    std::vector<Bytes> writes;
    /// Every piece delivered to the machine with the threshold in force when it was delivered.
    std::vector<std::pair<int, Bytes>> deliveries;
    /// Every progress value set.
    std::vector<int> progress;
    /// How often the band question was asked.
    int questions = 0;
    /// Reply-timer ticks given to the machine.
    int ticks = 0;
    /// All bytes the tool sent, in order.
    Bytes stream() const;
};

/// Connects a machine with a virtual radio: replies are delivered as soon as the receive
/// threshold is buffered; when nothing is left to deliver the reply timer ticks.
template <typename Machine>
class Link {
public:
    Link(Machine& machine, VirtualRadio& radio) : m_machine(machine), m_radio(radio) {}

    /// The answer given to a band question (none: the question stays open).
    std::optional<bool> bandAnswer;

    /// Starts the machine and runs until it ends or maxTicks ticks have passed.
    Outcome run(int maxTicks = 100) {
        apply(m_machine.start());
        while (m_machine.outcome() == Outcome::Pending && log.ticks < maxTicks) {
            if (!m_buffer.empty() && static_cast<int>(m_buffer.size()) >= m_threshold) {
                log.deliveries.emplace_back(m_threshold, m_buffer);
                const Bytes piece = std::move(m_buffer);
                m_buffer.clear();
                apply(m_machine.received(piece.data(), piece.size()));
            } else if (m_radio.hasReply()) {
                const Bytes piece = m_radio.takeReply();
                m_buffer.insert(m_buffer.end(), piece.begin(), piece.end());
            } else {
                ++log.ticks;
                apply(m_machine.tick());
            }
        }
        return m_machine.outcome();
    }

    TransferLog log;

private:
    void apply(const Actions& actions) {
        if (actions.threshold) m_threshold = *actions.threshold;
        for (const Bytes& call : actions.writes) {
            log.writes.push_back(call);
            m_radio.receive(call);
        }
        if (actions.progress) log.progress.push_back(*actions.progress);
        if (actions.askBandMismatch) {
            ++log.questions;
            if constexpr (std::is_same_v<Machine, WriteMachine>) {
                if (bandAnswer) apply(m_machine.answerBandQuestion(*bandAnswer));
            }
        }
    }

    Machine& m_machine;
    VirtualRadio& m_radio;
    Bytes m_buffer;
    int m_threshold = 1;
};

}  // namespace varel::link::test
