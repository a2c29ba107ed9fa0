#pragma once
// The words the configuration is described in wherever it is listed rather than edited: the
// dump, the comparison of two configurations, the check before a write and the verification
// after it. One vocabulary, so that a line of one can be looked up in another.
//
//   channel n                    a channel record ("channel 5"), and "channel 5: RXFreq" for
//                                one of its columns (the grid's column headers)
//   channel n name               a channel's name field
//   Squelch Level                a setting: its caption without the colon
//   A Group VFO / Frequency      a setting whose caption repeats in another section
//   FM channel n                 an FM broadcast channel
//   power tuning                 the power tuning values
#include <string>

#include "image/language.h"
#include "image/settings_fields.h"

namespace varel {

/// The text with control characters (C0, DEL, C1) written as \xNN, so that a text from a file
/// cannot drive a terminal.
std::string PrintableText(const std::string& text);

/// True for the settings the dump lists: stored in the image and read back by the decoder.
bool ListedSetting(const SettingField& field);

/// "channel 5" / "频道 5".
std::string ChannelLabel(int channel, Language lang);

/// "channel 5 name" / "频道 5 名称": the channel's name field.
std::string ChannelNameLabel(int channel, Language lang);

/// "channel 5: RXFreq" for grid column 1 to 10 of channel 5 (the column's header).
std::string ChannelColumnLabel(int channel, int column, Language lang);

/// The name of a setting: its caption without the colon ("Squelch Level"); "FM channel 3" for
/// an FM channel; the section caption first for the VFO and power tuning values, whose
/// captions repeat ("A Group VFO / Frequency", "B Power Grades / Low Power Grades").
std::string SettingLabel(const SettingField& field, Language lang);

/// The label of a region the dump does not show.
enum class HiddenRegion {
    Unused,     ///< bytes nothing is stored in (fill, reserved settings bytes)
    ModelTag,   ///< the model tag of the settings block
    Spare,      ///< the spare byte 0xC00
    PastImage,  ///< offsets past the image, which a write sends as zeros
};

/// "unused", "model tag", "spare byte", "past the memory" in a language.
std::string HiddenRegionLabel(HiddenRegion region, Language lang);

/// "FM channel 3" / "FM频道 3".
std::string FmChannelLabel(int channel, Language lang);

/// "power tuning" / "功率调试".
std::string PowerTuningLabel(Language lang);

/// A value as a listing shows it: printable, and "(empty)" / "(空)" for an empty text.
std::string ShownValue(const std::string& value, Language lang);

}  // namespace varel
