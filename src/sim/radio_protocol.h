#pragma once
// The radio's side of the link, byte by byte, without I/O: what it answers to each frame of
// the tool and how it stores written blocks.
//
//   tool                         radio
//   "PROGRAM"              ->    06
//   02                     ->    identification: 5-byte model, 00, band (low nibble), 00
//   06                     ->    06                 (after the identification, a block, or
//                                                    as a bare frame in a write)
//   R hi lo 10             ->    W hi lo 10 + 16 memory bytes (00 beyond offset 0xC00)
//   W hi lo 10 + 16 bytes  ->    06 (bytes stored, offsets up to 0xC00 only; the
//                                      corrupt-write fault stores one of them inverted)
//   E                      ->    06 only after the last block of a read (the tool waits for
//                                it); otherwise no answer, and the session ends
//
// Between sessions the radio waits for "PROGRAM" and ignores everything else.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/frames.h"
#include "sim/radio_memory.h"

namespace varel::sim {

/// How the radio identifies itself and which faults it shows.
struct RadioOptions {
    /// First 5 bytes of the identification.
    std::string model = std::string(link::kModelId.begin(), link::kModelId.end());
    int band = 0;               ///< low nibble of identification byte 7, 0 to 15
    bool silent = false;        ///< never answers
    int stopAfter = -1;         ///< silent once this many blocks were answered (negative: never)
    bool garbage = false;       ///< one stray byte after the reply to the 96th block
    int strayBeforeReply = -1;  ///< one stray byte, a write of its own, before reply number n of
                                ///< a session (0: the acknowledge of the wake-up frame;
                                ///< negative: never)
    bool splitIdent = false;    ///< the identification goes out in two writes, 3 bytes then
                                ///< the rest
    bool longIdent = false;     ///< the identification has a 9th byte (kExtraByte)
    bool gluedAck = false;      ///< every acknowledge comes with kExtraByte in the same write
    int exitAfter = -1;         ///< unplug once this many blocks were answered (0: on the wake-up
                                ///< frame, before any reply; negative: never)
    int corruptWrite = -1;      ///< the image byte at this offset is stored XOR 0xFF whenever a
                                ///< write block carries it (negative: never)
};

/// Byte sent as the stray byte of the garbage and stray-before-reply faults.
constexpr std::uint8_t kStrayByte = 0x55;
/// Block whose reply the stray byte of the garbage fault follows.
constexpr int kStrayAfterBlock = 96;
/// Byte glued to an acknowledge, and the 9th byte of a long identification.
constexpr std::uint8_t kExtraByte = 0x00;

/// One output call of the radio.
using Chunk = std::vector<std::uint8_t>;

/// The radio's answer to one received byte: the output calls (often none) and the log lines.
struct Response {
    std::vector<Chunk> writes;     ///< output calls in order
    std::vector<std::string> log;  ///< one line per frame received or sent
    /// Empty, or for each write the nanoseconds it waits after the byte that caused it (the
    /// first) or after the write before it (the others): the timing of a replayed radio.
    std::vector<std::int64_t> delaysNs;
};

/// The radio's protocol state; feed it every byte the tool sends.
class RadioProtocol {
public:
    /// The radio answers from and stores into memory, which must outlive the protocol.
    RadioProtocol(RadioMemory& memory, RadioOptions options);

    /// Handles one received byte.
    Response feed(std::uint8_t byte);
    /// Forgets a half-received session (the tool went away without End): back to waiting for
    /// the wake-up frame.
    void reset();

    /// True while a session runs (between the wake-up frame and its End).
    bool inSession() const { return m_state != State::Idle; }
    /// True once after a write session ended with End after its last block; cleared by the call.
    bool takeCompletedWrite();
    /// True once the unplug fault is due: the radio must disappear now.
    bool unplugDue() const { return m_unplug; }
    /// Blocks answered in the current (or last) session.
    int blocks() const { return m_blocks; }
    /// Ends seen since start (the log of the End frame as a counter, for tests).
    int endsReceived() const { return m_ends; }

private:
    enum class State { Idle, AwaitIdentify, Session, ReadEnded };
    enum class Flow { None, Read, Write };

    bool quiet() const;
    void handleFrameByte(std::uint8_t byte, Response& r);
    void handleRead(Response& r);
    void handleWrite(Response& r);
    void handleEnd(Response& r);
    void ack(Response& r);
    void identify(Response& r);
    void beginReply(Response& r);
    void sendStray(Response& r);
    void afterBlock(Response& r);
    void startSession();

    RadioMemory& m_memory;
    RadioOptions m_options;
    State m_state = State::Idle;
    Flow m_flow = Flow::None;
    std::vector<std::uint8_t> m_window;  // last bytes seen while idle, for the wake-up frame
    std::vector<std::uint8_t> m_frame;   // R or W frame being received
    int m_blocks = 0;
    int m_replies = 0;  // replies begun in this session
    int m_ends = 0;
    bool m_readComplete = false;   // the last block of a read was sent in this read
    bool m_writeComplete = false;  // the last block of a write was stored in this write
    bool m_completedWrite = false;
    bool m_unplug = false;
};

/// Hex text of bytes, upper case, no separators ("5006").
std::string HexText(const std::uint8_t* data, std::size_t size);

}  // namespace varel::sim
