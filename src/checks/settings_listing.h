#pragma once
// The settings as a listing shows them, in the editors' groups: window by window (the optional
// features, the band strip, the FM broadcast channels, the power tuning), each window's
// sections with their captions, and in each section the settings the dump lists, caption and
// value. The FM channels form a table of their own (channel, frequency). The dump prints it as
// text, the paper lays it out on a page.
#include <string>
#include <vector>

#include "image/language.h"
#include "image/settings_model.h"

namespace varel {

/// One setting of a listing.
struct ListedValue {
    std::string caption;  ///< the control's caption, colon included ("Squelch Level:")
    std::string value;    ///< the value as the editor shows it, printable
};

/// A section of a window: its caption (empty: none) and its settings.
struct ListedSection {
    std::string caption;
    std::vector<ListedValue> values;
};

/// One window's settings.
struct ListedWindow {
    std::string title;  ///< the window's caption; empty for the main window
    std::vector<ListedSection> sections;
    /// The FM channels: a header row (channel, frequency column) and a row per channel, with
    /// the channel's number and frequency (empty for an unused channel); empty for the others.
    std::vector<std::vector<std::string>> fmChannels;
};

/// The settings of the model in a language, in the order of the settings table.
std::vector<ListedWindow> ListSettings(const SettingsModel& settings, Language lang);

}  // namespace varel
