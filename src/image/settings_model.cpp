#include "image/settings_model.h"

namespace varel {

namespace {

std::size_t Slot(SettingId id) {
    return static_cast<std::size_t>(id);
}

bool Valid(SettingId id) {
    const int i = static_cast<int>(id);
    return i >= 0 && i < kSettingCount;
}

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

}  // namespace

SettingsModel::SettingsModel() {
    for (const SettingField& field : SettingFields()) resetValue(field);
}

void SettingsModel::resetValue(const SettingField& field) {
    m_values[Slot(field.id)] = field.holdsText() ? 0 : field.start;
    m_texts[Slot(field.id)] = field.holdsText() ? field.startText : std::string();
}

int SettingsModel::index(SettingId id) const {
    if (!Valid(id) || !Field(id).holdsIndex()) return -1;
    return m_values[Slot(id)];
}

bool SettingsModel::setIndex(SettingId id, int position) {
    if (!Valid(id)) return false;
    const SettingField& field = Field(id);
    if (!field.holdsIndex() || position < 0 || position >= field.entryCount()) return false;
    m_values[Slot(id)] = position;
    return true;
}

const std::string& SettingsModel::text(SettingId id) const {
    if (!Valid(id) || !Field(id).holdsText()) return EmptyText();
    return m_texts[Slot(id)];
}

bool SettingsModel::setText(SettingId id, const std::string& text) {
    if (!Valid(id) || !Field(id).holdsText()) return false;
    m_texts[Slot(id)] = text;
    return true;
}

int SettingsModel::number(SettingId id) const {
    if (!Valid(id) || Field(id).kind != FieldKind::Number) return 0;
    return m_values[Slot(id)];
}

bool SettingsModel::setNumber(SettingId id, int value) {
    if (!Valid(id)) return false;
    const SettingField& field = Field(id);
    if (field.kind != FieldKind::Number || value < field.minNumber || value > field.maxNumber)
        return false;
    m_values[Slot(id)] = value;
    return true;
}

bool SettingsModel::checked(SettingId id) const {
    return Valid(id) && Field(id).kind == FieldKind::Check && m_values[Slot(id)] != 0;
}

bool SettingsModel::setChecked(SettingId id, bool on) {
    if (!Valid(id) || Field(id).kind != FieldKind::Check) return false;
    m_values[Slot(id)] = on ? 1 : 0;
    return true;
}

const std::string& SettingsModel::fmChannel(int n) const {
    if (n < 1 || n > kFmChannelCount) return EmptyText();
    return text(FmChannelId(n));
}

bool SettingsModel::setFmChannel(int n, const std::string& text) {
    return n >= 1 && n <= kFmChannelCount && setText(FmChannelId(n), text);
}

int SettingsModel::tuning(int slider) const {
    if (slider < 0 || slider >= kTuningCount) return -1;
    return number(TuningId(slider));
}

bool SettingsModel::setTuning(int slider, int value) {
    return slider >= 0 && slider < kTuningCount && setNumber(TuningId(slider), value);
}

std::string SettingsModel::displayText(SettingId id, Language lang) const {
    if (!Valid(id)) return std::string();
    const SettingField& field = Field(id);
    if (field.holdsIndex()) return field.entry(index(id), lang);
    if (field.holdsText()) return text(id);
    if (field.kind == FieldKind::Check) {
        static const Bilingual yes{"Yes", "是"};
        static const Bilingual no{"No", "否"};
        return (checked(id) ? yes : no).in(lang);
    }
    return std::to_string(number(id));
}

}  // namespace varel
