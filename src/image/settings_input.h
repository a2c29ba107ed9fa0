#pragma once
// What the text boxes of the settings windows make of what the user typed: for the optional
// features window the rule applied as each character arrives and the check run when the user
// leaves a box (or presses Enter, or an encode takes the box's text); for the FM window the
// range check of a typed broadcast frequency.
#include <optional>
#include <string>
#include <vector>

#include "image/frequency_band.h"
#include "image/settings_fields.h"

namespace varel {

/// A channel-number box after a change by typing: a number above 128 becomes "128".
std::string TypedChannelNumber(const std::string& text);

/// The text a box of the field holds after its leave check:
/// - channel numbers: the whole number without leading zeros, "128" above 128, empty below 1;
/// - VFO frequencies: snapped to the raster when inside the band (both bounds included),
///   otherwise the field's start frequency;
/// - offsets: cut to 99.995, snapped, and written in the shortest form ("10", "5.125");
/// - every other text as it is.
std::string LeaveCheck(const SettingField& field, const std::string& text,
                       const FrequencyBand& band);

/// A "Display Character:" text given whole (a command line, a table cell) as the box takes
/// it: lower-case letters become capitals. Empty when it holds a character the box refuses or
/// is longer than the box holds.
std::optional<std::string> DisplayCharacterText(const std::string& text);

/// count "Display Character:" texts numbered on from first: "CLUB01" gives CLUB01, CLUB02 ...;
/// trailing digits keep their width as long as the numbers fit it ("A9" gives A9, A10); a text
/// without them gets as many as the highest number needs, at least two ("CLUB" gives CLUB01,
/// CLUB02 ...). Empty when first is no text the box takes or a numbered text would not fit.
std::vector<std::string> NumberedDisplayTexts(const std::string& first, int count);

/// The broadcast band an FM entry must lie in, in MHz, both bounds included.
constexpr double kLowestFm = 87;
constexpr double kHighestFm = 107.9;

/// What a frequency typed into the FM window amounts to.
enum class FmEntry {
    Empty,       ///< nothing typed: the channel becomes unused
    NotNumber,   ///< not one number: nothing is stored and the box keeps its text
    OutOfRange,  ///< outside kLowestFm to kHighestFm: refused (Message::FmOutOfRange)
    Accepted,    ///< stored as FmCheck::text
};

/// The outcome of an FM entry check.
struct FmCheck {
    FmEntry entry = FmEntry::Empty;
    std::string text;  ///< Accepted: the entry on the 50 kHz raster with two decimals
};

/// Checks a frequency typed into the FM window (a channel cell or the VFO box).
FmCheck CheckFmEntry(const std::string& typed);

}  // namespace varel
