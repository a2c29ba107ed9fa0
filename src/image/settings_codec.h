#pragma once
// Conversions between the settings block (image bytes 0x700 to 0x7FF) and the settings model.
#include "image/memory_image.h"
#include "image/settings_model.h"

namespace varel {

/// Decodes the settings fields stored before the band byte (offsets below 0x716).
void DecodeSettingsBeforeBand(const MemoryImage& in, SettingsModel& settings);
/// Decodes the band byte 0x716; a value outside 0-2 leaves the band as it was.
void DecodeBand(const MemoryImage& in, SettingsModel& settings);
/// Decodes the settings fields stored after the band byte.
void DecodeSettingsAfterBand(const MemoryImage& in, SettingsModel& settings);
/// Encodes the settings model into bytes 0x700 to 0x7FF, except 0x792-0x79F which it never writes.
void EncodeSettings(const SettingsModel& settings, MemoryImage& out);

}  // namespace varel
