#pragma once
// Where the fields of a configuration text are: the columns of a channel line, the settings in
// their groups, and the bits of the image that no field holds (written as hex by address).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/memory_image.h"
#include "textconf/text_fields.h"

namespace varel::textconf {

/// Values of a channel line: RXFreq, TXFreq, the two tones, Power, Busy Lock, Add Scan, Band,
/// TX Prohibit, Name. A line may carry one more value, the flags byte's bits 6-7, which are
/// written only when they are not both set (as the program writes them).
constexpr int kChannelValues = 10;

/// The fields of channel n's line (1 to 128): the kChannelValues columns, then the bits 6-7
/// of its flags byte.
const std::vector<TextField>& ChannelFields(int channel);

/// The raw value of the flags byte's bits 6-7 that the program writes.
constexpr std::uint8_t kStandardFlagBits = 3;

/// Settings as the editors group them: "Function Set", "VOX", "A Group VFO", "B Group VFO",
/// the band strip (no group name: its values stand at the top of the text), "FM Channel Set",
/// "A Power Grades", "B Power Grades". Keys are the captions the dump shows, without the colon.
struct TextGroup {
    std::string name;               ///< the group's key; empty for the values at the top
    std::vector<TextField> fields;  ///< its values in the editors' order
};

/// The settings groups in the order the text lists them.
const std::vector<TextGroup>& SettingGroups();

/// For each image byte 0x000 to 0xBFF, the bits that no field holds.
const std::array<std::uint8_t, kConfigSize>& UnshownBits();

}  // namespace varel::textconf
