#include "checks/settings_listing.h"

#include "checks/config_text.h"
#include "image/channel_columns.h"
#include "image/settings_fields.h"

namespace varel {

namespace {

// The FM channels are listed as a table of their own rather than as captioned values.
bool InFmTable(const SettingField& f) {
    return f.kind == FieldKind::FmFrequency && f.slot > 0;
}

}  // namespace

std::vector<ListedWindow> ListSettings(const SettingsModel& settings, Language lang) {
    std::vector<ListedWindow> windows;
    bool newWindow = true;
    SettingWindow window{};
    SettingSection section{};
    for (const SettingField& f : SettingFields()) {
        const SectionInfo& info = Section(f.section);
        if (windows.empty() || info.window != window) {
            window = info.window;
            windows.push_back({info.windowTitle.in(lang), {}, {}});
            newWindow = true;
        }
        if (!ListedSetting(f)) continue;
        ListedWindow& listed = windows.back();
        if (newWindow || f.section != section) {
            listed.sections.push_back({info.caption.in(lang), {}});
            newWindow = false;
            section = f.section;
        }
        const std::string value = PrintableText(settings.displayText(f.id, lang));
        if (InFmTable(f)) {
            if (listed.fmChannels.empty())
                listed.fmChannels.push_back(
                    {ChannelColumnAt(0).header.in(lang), f.caption.in(lang)});
            listed.fmChannels.push_back({std::to_string(f.slot), value});
            continue;
        }
        listed.sections.back().values.push_back({f.caption.in(lang), value});
    }
    return windows;
}

}  // namespace varel
