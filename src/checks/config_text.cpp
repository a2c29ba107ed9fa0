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
    return Pick(lang, "频道 ", "channel ") + std::to_string(channel);
}

std::string ChannelNameLabel(int channel, Language lang) {
    return ChannelLabel(channel, lang) + Pick(lang, " 名称", " name");
}

std::string ChannelColumnLabel(int channel, int column, Language lang) {
    return ChannelLabel(channel, lang) + ": " + ChannelColumnAt(column).header.in(lang);
}

std::string FmChannelLabel(int channel, Language lang) {
    return Pick(lang, "FM频道 ", "FM channel ") + std::to_string(channel);
}

std::string PowerTuningLabel(Language lang) {
    return Pick(lang, "功率调试", "power tuning");
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
    switch (region) {
        case HiddenRegion::Unused:
            break;
        case HiddenRegion::ModelTag:
            return Pick(lang, "型号标记", "model tag");
        case HiddenRegion::Spare:
            return Pick(lang, "备用字节", "spare byte");
        case HiddenRegion::PastImage:
            return Pick(lang, "存储区之外", "past the memory");
    }
    return Pick(lang, "未用", "unused");
}

std::string ShownValue(const std::string& value, Language lang) {
    return value.empty() ? std::string(Pick(lang, "(空)", "(empty)")) : PrintableText(value);
}

}  // namespace varel
