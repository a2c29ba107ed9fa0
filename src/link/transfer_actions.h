#pragma once
// What a transfer state machine asks of its transport after each input.
#include <cstdint>
#include <optional>
#include <vector>

namespace varel::link {

/// How a transfer ended.
enum class Outcome {
    Pending,             ///< still running
    Success,             ///< all blocks moved and the End frame(s) sent
    CommunicationError,  ///< no acceptable reply within 12 reply-timer ticks
    BandRefused,         ///< the radio's band differs and force-write mode is off
    Cancelled,           ///< the band-mismatch question was answered Cancel
    Interrupted,         ///< ended from outside (the user stopped it); End was sent
    PortInvalid,         ///< the transport could not open the port: no machine ran, nothing sent
};

/// The transport applies these in field order: threshold, then writes, then the rest.
struct Actions {
    /// New receive threshold in bytes, set before the writes are made.
    std::optional<int> threshold;
    /// Output calls in order; each element is written with one call.
    std::vector<std::vector<std::uint8_t>> writes;
    /// New value of the progress bar (1 to 196).
    std::optional<int> progress;
    /// The band-mismatch question must be put to the user (write only); answer it with
    /// WriteMachine::answerBandQuestion.
    bool askBandMismatch = false;
    /// The radio has accepted the write (identification and band): the next frame is the first
    /// block. Set once per write, with the acknowledge that leads to it.
    bool firstBlockAhead = false;
    /// Set once, when the transfer ends; the transport then closes the port.
    Outcome outcome = Outcome::Pending;
};

}  // namespace varel::link
