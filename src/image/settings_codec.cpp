// PLACEHOLDER: the settings block conversions are being written.
#include "settings_codec.h"

namespace varel {

void DecodeSettingsBeforeBand(const MemoryImage&, SettingsModel&) {}
void DecodeBand(const MemoryImage& in, SettingsModel& settings) {
    if (in.at(0x716) <= 2) settings.setBand(in.at(0x716));
}
void DecodeSettingsAfterBand(const MemoryImage&, SettingsModel&) {}
void EncodeSettings(const SettingsModel& settings, MemoryImage& out) {
    out.set(0x716, static_cast<std::uint8_t>(settings.band()));
}

}  // namespace varel
