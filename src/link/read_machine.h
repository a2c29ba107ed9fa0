#pragma once
// PLACEHOLDER interface of the read state machine; the implementation is being written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "memory_image.h"
#include "transfer_actions.h"

namespace varel::link {

/// Reads the radio's memory into an image, one lock-step exchange at a time, without I/O.
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
};

}  // namespace varel::link
