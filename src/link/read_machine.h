#pragma once
// The read state machine: fetches the radio's memory into an image, without any I/O.
#include <cstddef>
#include <cstdint>
#include <string>

#include "memory_image.h"
#include "receive_text.h"
#include "reply_timer.h"
#include "transfer_actions.h"

namespace varel::link {

/// Reads the radio's memory into an image, one lock-step exchange at a time, without I/O.
///
/// Steps: 1 waits for the acknowledge of the wake-up frame; 2 acknowledges the identification
/// and waits for the radio's bare acknowledge; 3 to 195 fetch the blocks 0x000 to 0xC00 (each
/// step stores the data block of its request, acknowledges it, and on the radio's acknowledge
/// requests the next block); 196 sends the second End after the radio acknowledged the first.
class ReadMachine {
public:
    /// The machine stores received blocks into `in` (InImage); it must outlive the machine.
    explicit ReadMachine(MemoryImage& in);
    /// Starts a transfer: clears the received text, sends the wake-up frame, threshold 1.
    Actions start();
    /// Bytes received from the radio (all that the port had buffered).
    Actions received(const std::uint8_t* data, std::size_t size);
    /// One 50 ms reply-timer tick.
    Actions tick();
    /// The outcome so far (Pending while running).
    Outcome outcome() const;
    /// The step of the machine, 1 to 196.
    int step() const;

private:
    bool running() const { return m_started && m_outcome == Outcome::Pending; }
    void accept();
    void storeBlock();

    MemoryImage& m_image;
    ReceiveText m_text;
    ReplyTimer m_timer;
    int m_step = 1;
    bool m_started = false;
    Outcome m_outcome = Outcome::Pending;
};

}  // namespace varel::link
