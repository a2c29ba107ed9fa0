#pragma once
// The two conversions between a memory image and everything the editors hold.
#include "image/channel_model.h"
#include "image/language.h"
#include "image/memory_image.h"
#include "image/settings_model.h"

namespace varel {

/// What the editors hold: the channel model and the settings model (band position included).
struct Configuration {
    ChannelModel channels;
    SettingsModel settings;
    bool operator==(const Configuration& o) const {
        return channels == o.channels && settings == o.settings;
    }
};

/// Decodes image bytes 0x000-0xBFF into the configuration; texts of list cells follow lang.
void DecodeImage(const MemoryImage& in, Configuration& cfg, Language lang);

/// Encodes the configuration into image bytes 0x000-0xBFF; never clears the buffer first,
/// never writes 0x792-0x79F nor the spare byte 0xC00.
void EncodeImage(const Configuration& cfg, MemoryImage& out);

}  // namespace varel
