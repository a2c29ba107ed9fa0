#pragma once
// PLACEHOLDER: the settings model is being written; only the band position exists so far.
namespace varel {

/// Everything the feature, FM and power tuning editors and the band selector hold.
class SettingsModel {
public:
    /// Band selector position, 0 to 2.
    int band() const { return m_band; }
    void setBand(int band) { m_band = band; }
    bool operator==(const SettingsModel& o) const { return m_band == o.m_band; }

private:
    int m_band = 0;
};

}  // namespace varel
