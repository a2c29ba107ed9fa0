#pragma once
// The write state machine: sends an image to the radio, without any I/O.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "image/memory_image.h"
#include "link/transfer_machine.h"

namespace varel::link {

/// Options of a write that come from the program's state.
struct WriteOptions {
    int band = 0;                 ///< band selector position compared with the radio's band digit
    bool debugMode = false;       ///< send the power tuning blocks 0x7E0 and 0x7F0
    bool forceWriteMode = false;  ///< ask instead of refusing on a band mismatch
};

/// The block that the frame of a write step (3 to 195) carries; empty when the step sends a bare
/// acknowledge instead (the tuning steps outside debug mode) or is no block step.
std::optional<unsigned> ScheduledBlock(int step, const WriteOptions& options);

/// The addresses of the blocks a write sends, in the order it sends them.
std::vector<unsigned> WriteSchedule(const WriteOptions& options);

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
class WriteMachine final : public LockStepMachine {
public:
    /// The machine sends blocks of `out` (OutImage); it must outlive the machine.
    WriteMachine(const MemoryImage& out, WriteOptions options);
    /// The answer to the band-mismatch question: true for OK (write on), false for Cancel.
    /// The reply timer stands still while the question is open.
    Actions answerBandQuestion(bool ok) override;

private:
    void onReply(Actions& actions) override;
    void restart() override { m_questionOpen = false; }
    void checkIdentification(Actions& actions);
    void sendScheduledFrame(Actions& actions) const;

    const MemoryImage& m_image;
    WriteOptions m_options;
    bool m_questionOpen = false;
};

}  // namespace varel::link
