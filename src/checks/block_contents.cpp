#include "checks/block_contents.h"

#include <algorithm>

#include "checks/config_text.h"
#include "image/memory_image.h"
#include "image/settings_fields.h"

namespace varel {

namespace {

// Bytes of a block of the radio link.
constexpr int kBlockBytes = 16;
constexpr int kVfoRecordsFirst = 0x720;
constexpr int kVfoRecordsEnd = 0x740;
constexpr int kModelTagFirst = 0x710;
constexpr int kModelTagEnd = 0x716;

std::string SettingByteLabel(const SettingField& f, Language lang) {
    if (f.section == SettingSection::TuningA || f.section == SettingSection::TuningB)
        return PowerTuningLabel(lang);
    if (f.offset >= kVfoRecordsFirst && f.offset < kVfoRecordsEnd)
        return Section(f.section).caption.in(lang);
    return SettingLabel(f, lang);
}

void AddOnce(std::vector<std::string>& labels, std::string label) {
    if (std::find(labels.begin(), labels.end(), label) == labels.end())
        labels.push_back(std::move(label));
}

void AddSettingLabels(int offset, Language lang, std::vector<std::string>& labels) {
    bool named = false;
    for (const SettingField& f : SettingFields()) {
        if (!ListedSetting(f) || offset < f.offset || offset >= f.offset + f.size) continue;
        AddOnce(labels, SettingByteLabel(f, lang));
        named = true;
    }
    if (named) return;
    const bool tag = offset >= kModelTagFirst && offset < kModelTagEnd;
    AddOnce(labels, HiddenRegionLabel(tag ? HiddenRegion::ModelTag : HiddenRegion::Unused, lang));
}

void AddByteLabels(int offset, Language lang, std::vector<std::string>& labels) {
    const auto at = static_cast<std::size_t>(offset);
    if (offset < 0 || at > kSpareByte) {
        AddOnce(labels, HiddenRegionLabel(HiddenRegion::PastImage, lang));
    } else if (at < kFillRegion) {
        AddOnce(labels, ChannelLabel(static_cast<int>(at / kChannelRecordSize) + 1, lang));
    } else if (at < kFillRegionEnd) {
        AddOnce(labels, HiddenRegionLabel(HiddenRegion::Unused, lang));
    } else if (at < kSettingsRegionEnd) {
        AddSettingLabels(offset, lang, labels);
    } else if (at < kSpareByte) {
        AddOnce(labels,
                ChannelNameLabel(static_cast<int>((at - kNameRegion) / kNameSize) + 1, lang));
    } else {
        AddOnce(labels, HiddenRegionLabel(HiddenRegion::Spare, lang));
    }
}

}  // namespace

std::vector<std::string> ByteContents(const std::vector<int>& offsets, Language lang) {
    std::vector<std::string> labels;
    for (int offset : offsets) AddByteLabels(offset, lang, labels);
    return labels;
}

std::vector<std::string> BlockContents(int address, Language lang) {
    std::vector<int> offsets;
    for (int k = 0; k < kBlockBytes; ++k) offsets.push_back(address + k);
    return ByteContents(offsets, lang);
}

}  // namespace varel
