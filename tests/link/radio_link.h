#pragma once
// Radio replies made by hand and feeding them to a machine; and the virtual radio's protocol
// core connected with a read or write machine the way the serial adapter connects the machine
// with a port: the threshold is set first, then the writes go out; what the radio sends is
// delivered once the threshold is buffered.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "link/frames.h"
#include "link/read_machine.h"
#include "link/transfer_actions.h"
#include "link/write_machine.h"
#include "sim/radio_memory.h"
#include "sim/radio_protocol.h"

namespace varel::link::test {

using Bytes = std::vector<std::uint8_t>;

/// An identification with the given byte 7 (its low nibble is the band digit). Bytes 6 and 8
/// are not the radio's zeros, and byte 7 has a high nibble: the tool must not look at them.
inline Bytes Identification(std::uint8_t byte7 = 0x40) {
    Bytes id(kModelId.begin(), kModelId.end());
    id.insert(id.end(), {0x31, byte7, 0x20});
    return id;
}

/// A data block for address whose data bytes are first, first + 1, ...
inline Bytes DataBlock(unsigned address, std::uint8_t first) {
    Bytes block = {kWriteCommand, static_cast<std::uint8_t>(address >> 8),
                   static_cast<std::uint8_t>(address & 0xFF), kBlockLengthByte};
    for (unsigned k = 0; k < kBlockSize; ++k) block.push_back(static_cast<std::uint8_t>(first + k));
    return block;
}

/// Feeds bytes to a machine as one receive event.
template <typename Machine>
Actions Feed(Machine& machine, const Bytes& bytes) {
    return machine.received(bytes.data(), bytes.size());
}

/// All bytes of the output calls of one Actions.
inline Bytes Sent(const Actions& actions) {
    Bytes all;
    for (const auto& call : actions.writes) all.insert(all.end(), call.begin(), call.end());
    return all;
}

/// Radio options with one change made by set, for tables of fault cases.
template <typename Set>
sim::RadioOptions Faults(Set set) {
    sim::RadioOptions options;
    set(options);
    return options;
}

/// The wake-up frame as the tool sends it.
inline const Bytes kWake(kWakeUp.begin(), kWakeUp.end());

/// The virtual radio: its memory and the protocol that answers from it, which a test may also
/// drive byte by byte without a machine.
struct Radio {
    explicit Radio(sim::RadioOptions options = {}, const MemoryImage& image = MemoryImage())
        : memory(image), protocol(memory, std::move(options)) {}
    Radio(const Radio&) = delete;
    Radio& operator=(const Radio&) = delete;

    /// Feeds bytes; every output call they caused.
    std::vector<sim::Chunk> send(const Bytes& bytes) {
        std::vector<sim::Chunk> writes;
        for (auto b : bytes) {
            sim::Response r = protocol.feed(b);
            writes.insert(writes.end(), r.writes.begin(), r.writes.end());
        }
        return writes;
    }
    /// Wake-up and identification, as both transfers begin; false when the wake-up frame was
    /// not acknowledged alone.
    bool open() {
        const bool acknowledged = send(kWake) == std::vector<sim::Chunk>{{kAck}};
        send({kIdentify});
        send({kAck});
        return acknowledged;
    }
    /// A read request, and a write frame of one byte value.
    std::vector<sim::Chunk> read(unsigned address) {
        return send({kReadCommand, static_cast<std::uint8_t>(address >> 8),
                     static_cast<std::uint8_t>(address & 0xFF), kBlockLengthByte});
    }
    std::vector<sim::Chunk> write(unsigned address, std::uint8_t fill) {
        Bytes frame = DataBlock(address, 0);
        std::fill(frame.begin() + 4, frame.end(), fill);
        return send(frame);
    }

    sim::RadioMemory memory;
    sim::RadioProtocol protocol;
};

/// What happened during a transfer, as the tool's transport and the radio saw it.
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
    /// The radio's log lines ("rx Read 0x010", "tx Ack", ...).
    std::vector<std::string> radio;

    /// All bytes the tool sent, in order.
    Bytes stream() const {
        Bytes all;
        for (const Bytes& call : writes) all.insert(all.end(), call.begin(), call.end());
        return all;
    }
    /// The radio's log lines that begin with prefix.
    int radioLines(const std::string& prefix) const {
        int n = 0;
        for (const std::string& line : radio) n += line.compare(0, prefix.size(), prefix) == 0;
        return n;
    }
};

/// Connects a machine with the radio. Each output call of the radio arrives at the port on its
/// own; the buffered bytes are delivered as soon as they reach the receive threshold; when
/// nothing is left to deliver the reply timer ticks.
template <typename Machine>
class Link {
public:
    Link(Machine& machine, Radio& radio) : m_machine(machine), m_radio(radio) {}

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
            } else if (!m_arrivals.empty()) {
                const Bytes& piece = m_arrivals.front();
                m_buffer.insert(m_buffer.end(), piece.begin(), piece.end());
                m_arrivals.pop_front();
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
            for (std::uint8_t byte : call) {
                sim::Response response = m_radio.protocol.feed(byte);
                for (auto& chunk : response.writes) m_arrivals.push_back(std::move(chunk));
                for (auto& line : response.log) log.radio.push_back(std::move(line));
            }
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
    Radio& m_radio;
    std::deque<Bytes> m_arrivals;
    Bytes m_buffer;
    int m_threshold = 1;
};

}  // namespace varel::link::test
