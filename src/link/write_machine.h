#pragma once
// The write state machine: sends an image to the radio, without any I/O.
#include <cstddef>
#include <cstdint>

#include "memory_image.h"
#include "receive_text.h"
#include "reply_timer.h"
#include "transfer_actions.h"

namespace varel::link {

/// Options of a write that come from the program's state.
struct WriteOptions {
    int band = 0;                 ///< band selector position compared with the radio's band digit
    bool debugMode = false;       ///< send the power tuning blocks 0x7E0 and 0x7F0
    bool forceWriteMode = false;  ///< ask instead of refusing on a band mismatch
};

/// Writes an image to the radio, one lock-step exchange at a time, without I/O.
///
/// Steps: 1 waits for the acknowledge of the wake-up frame; 2 checks the identification and
/// the band; 3 to 195 each send one frame of the block schedule on the radio's acknowledge;
/// 196 sends End on the last acknowledge. The schedule by step:
///
///   3 - 126    block (step - 3) * 16         0x000 - 0x7B0
///   127, 128   block 0x7E0 / 0x7F0 in debug mode, else a bare 0x06
///   129 - 195  block (step - 1) * 16         0x800 - 0xC20
///
/// The blocks 0x7C0 and 0x7D0 are never written.
class WriteMachine {
public:
    /// The machine sends blocks of `out` (OutImage); it must outlive the machine.
    WriteMachine(const MemoryImage& out, WriteOptions options);
    /// Starts a transfer: clears the received text, sends the wake-up frame, threshold 1.
    Actions start();
    /// Bytes received from the radio (all that the port had buffered).
    Actions received(const std::uint8_t* data, std::size_t size);
    /// One 50 ms reply-timer tick; does nothing while the band question is open.
    Actions tick();
    /// The answer to the band-mismatch question: true for OK (write on), false for Cancel.
    Actions answerBandQuestion(bool ok);
    /// The outcome so far (Pending while running).
    Outcome outcome() const;
    /// The step of the machine, 1 to 196.
    int step() const;

private:
    bool running() const { return m_started && m_outcome == Outcome::Pending; }
    void accept();
    void checkIdentification(Actions& actions);
    void sendScheduledFrame(Actions& actions) const;

    const MemoryImage& m_image;
    WriteOptions m_options;
    ReceiveText m_text;
    ReplyTimer m_timer;
    int m_step = 1;
    bool m_started = false;
    bool m_questionOpen = false;
    Outcome m_outcome = Outcome::Pending;
};

}  // namespace varel::link
