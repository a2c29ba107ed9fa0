#include "checks/config_text.h"

#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/latin1.h"

namespace varel {

namespace {

std::string WithoutColon(std::string caption) {
    static const std::string kWideColon = "\xEF\xBC\x9A";  // U+FF1A
    if (caption.size() >= kWideColon.size() &&
        caption.compare(caption.size() - kWideColon.size(), kWideColon.size(), kWideColon) == 0)
        caption.resize(caption.size() - kWideColon.size());
    else if (!caption.empty() && caption.back() == ':')
        caption.pop_back();
    return caption;
}

bool CaptionRepeats(SettingSection section) {
    switch (section) {
        case SettingSection::VfoA:
        case SettingSection::VfoB:
        case SettingSection::TuningA:
        case SettingSection::TuningB:
            return true;
        default:
            return false;
    }
}

Bilingual RegionLabel(HiddenRegion region) {
    switch (region) {
        case HiddenRegion::Unused:
            break;
        case HiddenRegion::ModelTag:
            return {"model tag", "型号标记"};
        case HiddenRegion::Spare:
            return {"spare byte", "备用字节"};
        case HiddenRegion::PastImage:
            return {"past the memory", "存储区之外"};
    }
    return {"unused", "未用"};
}

}  // namespace

std::string PrintableText(const std::string& text) {
    std::string out;
    for (char32_t cp : CodePoints(text)) {
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0))
            out += "\\x" + Hex2(static_cast<std::uint8_t>(cp));
        else
            out += Utf8(cp);
    }
    return out;
}

bool ListedSetting(const SettingField& field) {
    return field.offset >= 0 && field.decoded;
}

std::string ChannelLabel(int channel, Language lang) {
    static const Bilingual label{"channel %1", "频道 %1"};
    return label.format(lang, {std::to_string(channel)});
}

std::string ChannelNameLabel(int channel, Language lang) {
    static const Bilingual label{"channel %1 name", "频道 %1 名称"};
    return label.format(lang, {std::to_string(channel)});
}

std::string ChannelColumnLabel(int channel, int column, Language lang) {
    return ChannelLabel(channel, lang) + ": " + ChannelColumnAt(column).header.in(lang);
}

std::string FmChannelLabel(int channel, Language lang) {
    static const Bilingual label{"FM channel %1", "FM频道 %1"};
    return label.format(lang, {std::to_string(channel)});
}

std::string PowerTuningLabel(Language lang) {
    static const Bilingual label{"power tuning", "功率调试"};
    return label.in(lang);
}

std::string SettingLabel(const SettingField& field, Language lang) {
    if (field.kind == FieldKind::FmFrequency && field.slot > 0)
        return FmChannelLabel(field.slot, lang);
    std::string label = WithoutColon(field.caption.in(lang));
    if (CaptionRepeats(field.section))
        label = Section(field.section).caption.in(lang) + " / " + label;
    return label;
}

std::string HiddenRegionLabel(HiddenRegion region, Language lang) {
    return RegionLabel(region).in(lang);
}

std::string ShownValue(const std::string& value, Language lang) {
    static const Bilingual empty{"(empty)", "(空)"};
    return value.empty() ? empty.in(lang) : PrintableText(value);
}

}  // namespace varel
