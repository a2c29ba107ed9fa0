#pragma once
// The channel model: what the channel grid shows of the 128 memory channels, kept between the
// image and the grid. The encoder reads only this model.
//
// Grid columns: 1 receive frequency, 2 transmit frequency, 3 receive tone, 4 transmit tone,
// 5 power, 6 busy lock, 7 add scan, 8 bandwidth, 9 TX prohibit, 10 name.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/language.h"
#include "image/memory_image.h"

namespace varel {

constexpr int kFirstListColumn = 3;  ///< first grid column with a list position (receive tone)
constexpr int kLastListColumn = 9;   ///< last grid column with a list position (TX prohibit)
constexpr int kListColumns = kLastListColumn - kFirstListColumn + 1;

/// One memory channel as the grid shows it.
struct Channel {
    /// ChannelFreq: [0] receive, [1] transmit frequency text; empty text = absent.
    std::array<std::string, 2> freq;
    /// ChannelCellText: the texts grid columns 3 to 9 show, at [column - 3].
    std::array<std::string, kListColumns> cellText;
    /// ChannelCellIndex of grid columns 3 to 9, at [column - 3]: tone position or flag value.
    std::array<std::int16_t, kListColumns> cellIndex{};
    /// ChannelName.
    std::string name;

    /// A channel exists exactly when its receive frequency text is not empty.
    bool exists() const { return !freq[0].empty(); }
    std::string& text(int column) { return cellText.at(column - kFirstListColumn); }
    const std::string& text(int column) const { return cellText.at(column - kFirstListColumn); }
    std::int16_t& index(int column) { return cellIndex.at(column - kFirstListColumn); }
    std::int16_t index(int column) const { return cellIndex.at(column - kFirstListColumn); }
};

/// The 128 channels, numbered 1 to 128.
class ChannelModel {
public:
    /// Channel n (1 to 128); throws std::out_of_range for other numbers.
    Channel& channel(int n) { return m_channels.at(static_cast<std::size_t>(n - 1)); }
    const Channel& channel(int n) const { return m_channels.at(static_cast<std::size_t>(n - 1)); }

    /// ClearNO: empties channel n: both frequencies, cell texts, list positions (0) and name.
    void ClearNO(int n) { channel(n) = Channel{}; }

    bool operator==(const ChannelModel& o) const;
    bool operator!=(const ChannelModel& o) const { return !(*this == o); }

private:
    std::array<Channel, kChannelCount> m_channels{};
};

inline bool operator==(const Channel& a, const Channel& b) {
    return a.freq == b.freq && a.cellText == b.cellText && a.cellIndex == b.cellIndex &&
           a.name == b.name;
}
inline bool ChannelModel::operator==(const ChannelModel& o) const {
    return m_channels == o.m_channels;
}

/// The choice list of grid column 3 to 9 in a language: ToneList for 3 and 4, the flag texts
/// for 5 to 9 (power "Low", "High", "Middle"; busy lock "Carry", "Off"; add scan "Off", "On";
/// bandwidth "Narror", "wide"; TX prohibit "On", "Off").
const std::vector<std::string>& ChannelColumnList(int column, Language lang);

}  // namespace varel
