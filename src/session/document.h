#pragma once
// What the user edits: the channel table and the settings model. The program keeps one
// document; it changes only through Session::edit and the decoder.
#include "image/channel_table.h"
#include "image/settings_model.h"

namespace varel {

/// The channel table (model and grid texts) and the settings model.
struct Document {
    ChannelTable channels;   ///< the 128 channels and what the grid shows of them
    SettingsModel settings;  ///< every value of the settings editors and the band position

    /// True when both hold the same channels, grid texts included, and the same settings.
    bool operator==(const Document& o) const {
        return channels == o.channels && settings == o.settings;
    }
    bool operator!=(const Document& o) const { return !(*this == o); }
};

}  // namespace varel
