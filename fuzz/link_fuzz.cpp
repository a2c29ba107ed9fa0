// A script of radio replies, reply-timer ticks, band answers and restarts, played to a read
// machine and a write machine at once. Neither may crash, every frame after the wake-up goes
// out one byte per call, each transfer ends in exactly one outcome, nothing happens after it,
// and once the script is over every transfer ends within 12 ticks.
//
// Script: byte 0 holds the write options (bits 0-1 band, bit 2 debug mode, bit 3 force-write
// mode); then each byte is an op (low 3 bits) with an argument (high 5 bits):
//   0 feed the next arg + 1 bytes as they are     4 feed an identification, byte 7 = arg
//   1 tick arg % 4 + 1 times                      5 feed a data block, data from the next 16
//   2 answer the band question, OK when arg odd   6 restart: bit 0 the read, bit 1 the write
//   3 feed a bare acknowledge                     7 feed an acknowledge glued to the byte arg
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <type_traits>
#include <vector>

#include "image/memory_image.h"
#include "link/frames.h"
#include "link/read_machine.h"
#include "link/write_machine.h"

namespace {

using varel::link::Actions;
using varel::link::Outcome;
using Bytes = std::vector<std::uint8_t>;

bool IsEmpty(const Actions& a) {
    return !a.threshold && a.writes.empty() && !a.progress && !a.askBandMismatch &&
           a.outcome == Outcome::Pending;
}

/// Drives one machine and checks what it answers.
template <typename Machine>
class Watched {
public:
    explicit Watched(Machine& machine) : m_machine(machine) {}

    void start() {
        const Actions a = m_machine.start();
        const Bytes wake(varel::link::kWakeUp.begin(), varel::link::kWakeUp.end());
        if (a.threshold != 1 || a.writes.size() != 1 || a.writes[0] != wake) std::abort();
        if (m_machine.outcome() != Outcome::Pending || m_machine.step() != 1) std::abort();
        m_ended = false;
        m_questionOpen = false;
    }
    void feed(const Bytes& bytes) { check(m_machine.received(bytes.data(), bytes.size())); }
    void tick() { check(m_machine.tick()); }
    void answer(bool ok) {
        if constexpr (std::is_same_v<Machine, varel::link::WriteMachine>) {
            const Actions a = m_machine.answerBandQuestion(ok);
            if (!m_questionOpen && !IsEmpty(a)) std::abort();
            m_questionOpen = false;
            check(a);
        }
    }
    /// After the script: answers an open question, then the reply timer must end the transfer.
    void finish() {
        if (m_questionOpen) answer(true);
        for (int i = 0; i < 12 && !m_ended; ++i) tick();
        if (!m_ended) std::abort();
    }

private:
    void check(const Actions& a) {
        if (m_ended) {
            if (!IsEmpty(a)) std::abort();
            return;
        }
        if (a.threshold && *a.threshold != 1 && *a.threshold != 20) std::abort();
        for (const Bytes& call : a.writes) {
            if (call.size() != 1) std::abort();
        }
        if (a.progress && (*a.progress < 1 || *a.progress > 196)) std::abort();
        if (m_machine.step() < 1 || m_machine.step() > 196) std::abort();
        if (a.askBandMismatch) {
            if (m_questionOpen) std::abort();
            m_questionOpen = true;
        }
        if (a.outcome != m_machine.outcome()) std::abort();
        if (a.outcome != Outcome::Pending) {
            if (a.writes.empty() || a.writes.back() != Bytes{varel::link::kEnd}) std::abort();
            if (a.outcome == Outcome::Success && m_machine.step() != 196) std::abort();
            m_ended = true;
        }
    }

    Machine& m_machine;
    bool m_ended = false;
    bool m_questionOpen = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    varel::link::WriteOptions options;
    options.band = data[0] & 3;
    options.debugMode = (data[0] & 4) != 0;
    options.forceWriteMode = (data[0] & 8) != 0;

    varel::MemoryImage in;
    varel::MemoryImage out;
    for (std::size_t i = 0; i < varel::kImageSize; ++i) {
        out.set(i, static_cast<std::uint8_t>(i));
    }
    varel::link::ReadMachine reader(in);
    varel::link::WriteMachine writer(out, options);
    Watched<varel::link::ReadMachine> read(reader);
    Watched<varel::link::WriteMachine> write(writer);
    read.start();
    write.start();

    auto feedBoth = [&](const Bytes& bytes) {
        read.feed(bytes);
        write.feed(bytes);
    };
    std::size_t pos = 1;
    while (pos < size) {
        const std::uint8_t op = data[pos] & 7;
        const std::uint8_t arg = data[pos] >> 3;
        ++pos;
        switch (op) {
            case 0: {
                const std::size_t n = std::min<std::size_t>(arg + 1u, size - pos);
                feedBoth(Bytes(data + pos, data + pos + n));
                pos += n;
                break;
            }
            case 1:
                for (int i = 0; i <= arg % 4; ++i) {
                    read.tick();
                    write.tick();
                }
                break;
            case 2:
                write.answer((arg & 1) != 0);
                break;
            case 3:
                feedBoth({varel::link::kAck});
                break;
            case 4: {
                Bytes id(varel::link::kModelId.begin(), varel::link::kModelId.end());
                id.insert(id.end(), {0x31, arg, 0x20});
                feedBoth(id);
                break;
            }
            case 5: {
                Bytes block = {varel::link::kWriteCommand, 0x00, 0x00, 0x10};
                for (int k = 0; k < 16; ++k) block.push_back(pos < size ? data[pos++] : 0);
                feedBoth(block);
                break;
            }
            case 6:
                if (arg & 1) read.start();
                if (arg & 2) write.start();
                break;
            default:
                feedBoth({varel::link::kAck, arg});
                break;
        }
    }
    read.finish();
    write.finish();
    return 0;
}
