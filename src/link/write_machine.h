#pragma once
// PLACEHOLDER interface of the write state machine; the implementation is being written.
#include <cstddef>
#include <cstdint>

#include "memory_image.h"
#include "transfer_actions.h"

namespace varel::link {

/// Options of a write that come from the program's state.
struct WriteOptions {
    int band = 0;                 ///< band selector position compared with the radio's band digit
    bool debugMode = false;       ///< send the power tuning blocks 0x7E0 and 0x7F0
    bool forceWriteMode = false;  ///< ask instead of refusing on a band mismatch
};

/// Writes an image to the radio, one lock-step exchange at a time, without I/O.
class WriteMachine {
public:
    /// The machine sends blocks of `out` (OutImage); it must outlive the machine.
    WriteMachine(const MemoryImage& out, WriteOptions options);
    Actions start();
    Actions received(const std::uint8_t* data, std::size_t size);
    Actions tick();
    /// The answer to the band-mismatch question: true for OK (write on), false for Cancel.
    Actions answerBandQuestion(bool ok);
    Outcome outcome() const;
    int step() const;
};

}  // namespace varel::link
