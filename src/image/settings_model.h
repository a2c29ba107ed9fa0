#pragma once
// What the optional features, FM broadcast and power tuning editors and the band selector hold
// between a decode and the next encode: list positions, texts, committed FM values, tuning
// values, one check box and the band position. Every value is one entry of the settings table
// (settings_fields.h), which fixes its kind, its list and its start value.
#include <array>
#include <string>

#include "image/language.h"
#include "image/settings_fields.h"

namespace varel {

/// The values of the settings editors, starting in the state the editors start in.
class SettingsModel {
public:
    /// Every value at its start value.
    SettingsModel();

    /// List position of a List or Tone value; -1 for a value of another kind.
    int index(SettingId id) const;
    /// Selects a list position; refused (false, the previous selection stays) when the value is
    /// not a list or its list has no such position.
    bool setIndex(SettingId id, int position);

    /// Text of a text value (channel numbers, frequencies, FM texts, display text, password);
    /// empty for a value of another kind.
    const std::string& text(SettingId id) const;
    /// Sets a text value as the editor holds it; refused (false) for a value of another kind.
    bool setText(SettingId id, const std::string& text);

    /// A Number value (FM present channel, tuning values); 0 for a value of another kind.
    int number(SettingId id) const;
    /// Sets a Number value; refused (false) outside the value's range or for another kind.
    bool setNumber(SettingId id, int value);

    /// State of a check box value.
    bool checked(SettingId id) const;
    /// Sets a check box value; refused (false) for a value of another kind.
    bool setChecked(SettingId id, bool on);

    /// Band selector position, 0 to 2.
    int band() const { return index(SettingId::Band); }
    /// Selects a band position; a position outside 0 to 2 is ignored.
    void setBand(int band) { setIndex(SettingId::Band, band); }

    /// Committed text of FM channel n (1 to 25); empty for an unused channel.
    const std::string& fmChannel(int n) const;
    /// Commits the text of FM channel n; refused (false) for n outside 1 to 25.
    bool setFmChannel(int n, const std::string& text);

    /// Tuning value of slider 0 to 5 (A high, middle, low, B high, middle, low); -1 outside.
    int tuning(int slider) const;
    /// Sets a tuning value; refused (false) for a slider outside 0-5 or a value outside 0-255.
    bool setTuning(int slider, int value);

    /// The text a value shows in its editor: the list entry in the language, the text, the
    /// number in decimal, or "Yes"/"No" ("是"/"否") for a check box.
    std::string displayText(SettingId id, Language lang) const;

    bool operator==(const SettingsModel& o) const {
        return m_values == o.m_values && m_texts == o.m_texts;
    }
    bool operator!=(const SettingsModel& o) const { return !(*this == o); }

private:
    void resetValue(const SettingField& field);

    std::array<int, kSettingCount> m_values{};         ///< positions, numbers, check states
    std::array<std::string, kSettingCount> m_texts{};  ///< texts of the text kinds
};

}  // namespace varel
