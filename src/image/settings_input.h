#pragma once
// What the text boxes of the optional features editor make of what the user typed: the rule
// applied as each character arrives and the check run when the user leaves a box (or presses
// Enter, or an encode takes the box's text).
#include <string>

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

}  // namespace varel
