#include "textconf/text_layout.h"

#include "checks/config_text.h"
#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/settings_fields.h"

namespace varel::textconf {

namespace {

std::vector<std::string> EnglishEntries(const Entries& entries) {
    std::vector<std::string> out;
    for (const Bilingual& e : entries) out.push_back(e.en);
    return out;
}

TextField ChannelColumnField(int column, ValueKind kind, int offset, int size) {
    TextField f;
    f.key = ChannelColumnAt(column).header.en;
    f.kind = kind;
    f.offset = offset;
    f.size = size;
    return f;
}

TextField FlagField(int column, int offset, int bit, int bits) {
    TextField f = ChannelColumnField(column, ValueKind::List, offset, 1);
    f.bit = bit;
    f.bits = bits;
    f.entries = EnglishEntries(ChannelColumnAt(column).entries);
    return f;
}

std::vector<TextField> BuildChannel(int n) {
    const int a = static_cast<int>(ChannelRecordOffset(n));
    const int flags = a + static_cast<int>(kRecordFlags);
    auto at = [a](std::size_t field) { return a + static_cast<int>(field); };
    std::vector<TextField> fields = {
        ChannelColumnField(kRxFreqColumn, ValueKind::Frequency, at(kRecordRxFreq), 4),
        ChannelColumnField(kTxFreqColumn, ValueKind::Frequency, at(kRecordTxFreq), 4),
        ChannelColumnField(kRxToneColumn, ValueKind::Tone, at(kRecordRxTone), 2),
        ChannelColumnField(kTxToneColumn, ValueKind::Tone, at(kRecordTxTone), 2),
        FlagField(kPowerColumn, flags, 0, 2),
        FlagField(kBusyLockColumn, flags, 2, 1),
        FlagField(kAddScanColumn, flags, 3, 1),
        FlagField(kBandColumn, flags, 4, 1),
        FlagField(kTxProhibitColumn, flags, 5, 1),
        ChannelColumnField(kNameColumn, ValueKind::Text, static_cast<int>(ChannelNameOffset(n)),
                           static_cast<int>(kNameSize)),
    };
    TextField unread;
    unread.key = "flag bits 6-7";
    unread.kind = ValueKind::Hex;
    unread.offset = flags;
    unread.bit = 6;
    unread.bits = 2;
    fields.push_back(unread);
    return fields;
}

ValueKind KindOf(FieldKind kind) {
    switch (kind) {
        case FieldKind::List:
            return ValueKind::List;
        case FieldKind::Tone:
            return ValueKind::Tone;
        case FieldKind::Check:
            return ValueKind::Check;
        case FieldKind::ChannelNumber:
            return ValueKind::ChannelNumber;
        case FieldKind::Text:
            return ValueKind::Text;
        case FieldKind::Frequency:
        case FieldKind::Offset:
            return ValueKind::Frequency;
        case FieldKind::FmFrequency:
            return ValueKind::FmWord;
        case FieldKind::Number:
            break;
    }
    return ValueKind::Number;
}

std::string GroupName(SettingSection section) {
    const SectionInfo& info = Section(section);
    return info.caption.en.empty() ? info.windowTitle.en : info.caption.en;
}

// The dump's label without the group's name in front of it.
std::string KeyOf(const SettingField& s, const std::string& group) {
    std::string label = SettingLabel(s, Language::English);
    const std::string prefix = group + " / ";
    if (label.compare(0, prefix.size(), prefix) == 0) label.erase(0, prefix.size());
    return label;
}

TextField FromSetting(const SettingField& s, const std::string& group) {
    TextField f;
    f.key = KeyOf(s, group);
    f.kind = KindOf(s.kind);
    f.offset = s.offset;
    f.size = s.size;
    f.bit = s.size == 1 ? s.bit : 0;
    f.bits = s.size == 1 ? s.bits : 8;
    f.entries = EnglishEntries(s.entries);
    f.emptyByte = s.emptyByte;
    return f;
}

std::vector<TextGroup> BuildGroups() {
    std::vector<TextGroup> groups;
    for (const SettingField& s : SettingFields()) {
        if (!ListedSetting(s)) continue;
        const std::string name = GroupName(s.section);
        if (groups.empty() || groups.back().name != name) groups.push_back({name, {}});
        TextField f = FromSetting(s, name);
        // Two values of a group may share a caption (the password switch and the password):
        // the later one is told apart as the text it holds.
        for (const TextField& other : groups.back().fields)
            if (other.key == f.key) f.key += " Text";
        groups.back().fields.push_back(std::move(f));
    }
    return groups;
}

void Cover(const TextField& f, std::array<std::uint8_t, kConfigSize>& bits) {
    for (int k = 0; k < f.size; ++k) {
        auto& b = bits[static_cast<std::size_t>(f.offset + k)];
        b = static_cast<std::uint8_t>(b & ~FieldMask(f));
    }
}

std::array<std::uint8_t, kConfigSize> BuildUnshown() {
    std::array<std::uint8_t, kConfigSize> bits;
    bits.fill(0xFF);
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n)
        for (const TextField& f : ChannelFields(n)) Cover(f, bits);
    for (const TextGroup& g : SettingGroups())
        for (const TextField& f : g.fields) Cover(f, bits);
    return bits;
}

}  // namespace

const std::vector<TextField>& ChannelFields(int channel) {
    static const std::vector<std::vector<TextField>> channels = [] {
        std::vector<std::vector<TextField>> all;
        for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) all.push_back(BuildChannel(n));
        return all;
    }();
    return channels.at(static_cast<std::size_t>(channel - 1));
}

const std::vector<TextGroup>& SettingGroups() {
    static const std::vector<TextGroup> groups = BuildGroups();
    return groups;
}

const std::array<std::uint8_t, kConfigSize>& UnshownBits() {
    static const std::array<std::uint8_t, kConfigSize> bits = BuildUnshown();
    return bits;
}

}  // namespace varel::textconf
