#pragma once
// The values of a configuration that the radio would get other than the editors show them, or
// that the program cannot show as what they should be. One set of rules for every place that
// tells of them: the flags of the channel table, the status bar, `varel-cli read` and the check
// before a write.
//
//   NotAFrequency           a receive, transmit or VFO frequency with digits A-F (as a radio
//                           or a file may hold it): shown and written exactly as read
//   OutOfBand               a receive or transmit frequency outside the selected band
//   TransmitWithoutReceive  a transmit frequency on a channel without a receive frequency: the
//                           channel does not exist, so it is written empty and the transmit
//                           frequency is lost (the grid takes a transmit frequency typed into
//                           an empty row; a decoded image never has one, since an empty record
//                           clears the whole channel)
//   UnlistedTone            a tone cell showing a tone the tone list lacks: it holds list
//                           position 0 and is written as off (an image can carry any tone code)
//   VfoOutOfBand            a VFO frequency outside the band
//   AllEmpty                no channel holds a frequency (the check before a write only: such
//                           a write empties the radio's channels)
//
// The band rule is VfoFrequencyInBand, whatever the language: the channel editor's typing rule
// keeps its language-dependent upper edge, but a stored value is judged the same in both.
#include <string>
#include <vector>

#include "image/channel_model.h"
#include "image/image_codec.h"
#include "image/language.h"
#include "image/settings_model.h"

namespace varel {

/// One value that would reach the radio other than shown, or that is doubtful as it is.
struct WriteProblem {
    /// What is wrong.
    enum class Kind {
        OutOfBand,
        TransmitWithoutReceive,
        UnlistedTone,
        VfoOutOfBand,
        NotAFrequency,
        AllEmpty
    };
    Kind kind = Kind::OutOfBand;  ///< what is wrong
    int channel = 0;              ///< channel 1 to 128; 0 for a VFO and for AllEmpty
    std::string column;           ///< the English header of the channel column ("RXFreq"), or
                                  ///< the VFO frequency's English label ("A Group VFO / Frequency")
    std::string value;            ///< the value as shown
    bool operator==(const WriteProblem& o) const {
        return kind == o.kind && channel == o.channel && column == o.column && value == o.value;
    }
};

/// The doubtful values of the channels and the VFOs, channel by channel (receive frequency,
/// transmit frequency, tones), then VFO A and B, judged against the band of settings.
std::vector<WriteProblem> CheckValues(const ChannelModel& channels, const SettingsModel& settings);

/// The check before a write: CheckValues, then AllEmpty when no channel holds a frequency.
std::vector<WriteProblem> CheckBeforeWrite(const ChannelModel& channels,
                                           const SettingsModel& settings);

/// CheckBeforeWrite of a whole configuration.
std::vector<WriteProblem> CheckBeforeWrite(const Configuration& cfg);

/// The grid column (1 to 10) of a channel's problem; 0 for a VFO and for AllEmpty.
int ProblemColumn(const WriteProblem& problem);

/// One line describing a problem: "channel 5: RXFreq 180.00000 is outside the band".
std::string WriteProblemText(const WriteProblem& problem, Language lang);

}  // namespace varel
