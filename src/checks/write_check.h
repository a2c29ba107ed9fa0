#pragma once
// The check before a write: what the radio would get other than the editors show it.
//
//   OutOfBand               a receive or transmit frequency outside the selected band, by the
//                           channel editor's rule (ChannelFrequencyInBand, whose upper bound
//                           depends on the language); a frequency with digits A-F is outside
//   TransmitWithoutReceive  a transmit frequency on a channel without a receive frequency: the
//                           channel does not exist, so it is written empty and the transmit
//                           frequency is lost (the grid takes a transmit frequency typed into
//                           an empty row; a decoded image never has one, since an empty record
//                           clears the whole channel)
//   UnlistedTone            a tone cell showing a tone the tone list lacks: it holds list
//                           position 0 and is written as off (an image can carry any tone code)
//   VfoOutOfBand            a VFO frequency outside the band, by the VFO boxes' rule
//                           (VfoFrequencyInBand)
#include <string>
#include <vector>

#include "image/channel_model.h"
#include "image/image_codec.h"
#include "image/language.h"
#include "image/settings_model.h"

namespace varel {

/// One thing that would reach the radio other than shown.
struct WriteProblem {
    /// What is wrong.
    enum class Kind { OutOfBand, TransmitWithoutReceive, UnlistedTone, VfoOutOfBand };
    Kind kind = Kind::OutOfBand;  ///< what is wrong
    int channel = 0;              ///< channel 1 to 128; 0 for a VFO
    std::string column;           ///< the English header of the channel column ("RXFreq"), or
                                  ///< the VFO frequency's English label ("A Group VFO / Frequency")
    std::string value;            ///< the value as shown
    bool operator==(const WriteProblem& o) const {
        return kind == o.kind && channel == o.channel && column == o.column && value == o.value;
    }
};

/// The problems of the channels and the VFOs, channel by channel (receive frequency, transmit
/// frequency, tones), then VFO A and B. Frequencies are checked against the band of settings;
/// lang is the language the channel table is edited in (the channel editor's upper bound).
std::vector<WriteProblem> CheckBeforeWrite(const ChannelModel& channels,
                                           const SettingsModel& settings, Language lang);

/// CheckBeforeWrite of a whole configuration.
std::vector<WriteProblem> CheckBeforeWrite(const Configuration& cfg, Language lang);

/// One line describing a problem: "channel 5: RXFreq 180.00000 is outside the band".
std::string WriteProblemText(const WriteProblem& problem, Language lang);

}  // namespace varel
