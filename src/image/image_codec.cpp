#include "image/image_codec.h"

#include "image/channel_codec.h"
#include "image/settings_codec.h"

namespace varel {

void DecodeImage(const MemoryImage& in, Configuration& cfg, Language lang) {
    SetNumOf(in, cfg.channels, lang);
    DecodeSettingsBeforeBand(in, cfg.settings);
    // The band is applied after the records and before the rest of the settings; a band set
    // from the image never clears the channels just decoded.
    DecodeBand(in, cfg.settings);
    DecodeSettingsAfterBand(in, cfg.settings);
    DecodeNames(in, cfg.channels);
}

void EncodeImage(const Configuration& cfg, MemoryImage& out) {
    EncodeChannels(cfg.channels, out);
    for (std::size_t i = kFillRegion; i < kFillRegionEnd; ++i) out.set(i, 0xFF);
    EncodeSettings(cfg.settings, out);
    EncodeNames(cfg.channels, out);
}

}  // namespace varel
