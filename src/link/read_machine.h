#pragma once
// The read state machine: fetches the radio's memory into an image, without any I/O.
#include <cstddef>
#include <cstdint>

#include "image/memory_image.h"
#include "link/transfer_machine.h"

namespace varel::link {

/// Reads the radio's memory into an image, one lock-step exchange at a time, without I/O.
///
/// Steps: 1 waits for the acknowledge of the wake-up frame; 2 acknowledges the identification
/// and waits for the radio's bare acknowledge; 3 to 195 fetch the blocks 0x000 to 0xC00 (each
/// step stores the data block of its request, acknowledges it, and on the radio's acknowledge
/// requests the next block); 196 sends the second End after the radio acknowledged the first.
class ReadMachine final : public LockStepMachine {
public:
    /// The machine stores received blocks into `in` (InImage); it must outlive the machine.
    explicit ReadMachine(MemoryImage& in);

private:
    void onReply(Actions& actions) override;
    void storeBlock();

    MemoryImage& m_image;
};

}  // namespace varel::link
