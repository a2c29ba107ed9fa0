#pragma once
// The columns of the channel table, described once: header texts, widths, the editor of each
// column, the choice lists and the defaults a new channel takes, and the window's caption. The
// codec's lists, the dump verb, the channel grid and the channel list import all read this table.
//
//   col  header (en / zh)            width  editor        list                      new channel
//    0   Channel / 频道                900   none          -                         number
//    1   RXFreq / 接收频率            1000   frequency     -                         typed, snapped
//    2   TXFreq / 发射频率            1000   frequency     -                         copy of RX
//    3   QT/DQT Dec / 接收亚音频      1200   tone list     ToneList                  Off, 0
//    4   QT/DQT Enc / 发射亚音频      1200   tone list     ToneList                  Off, 0
//    5   Power / 功率                  700   choice list   Low High Middle           High, 1
//    6   Busy Lock / 繁忙信道锁定     1300   choice list   Carry Off                 Off, 1
//    7   Add Scan / 扫描添加           950   choice list   Off On                    On, 1
//    8   Band / 宽窄带                 700   choice list   Narror wide               Wide, 1
//    9   TX Prohibit / 发射禁止       1250   choice list   On Off                    Off, 1
//   10   Channel Name / 频道名称      1400   name          -                         empty
//
// Widths are in twips (15 twips are one pixel). The English default of column 8 is "Wide"
// while its list entry reads "wide"; each is shown as written.
#include <vector>

#include "image/language.h"
#include "image/vocabulary.h"

namespace varel {

constexpr int kChannelColumnCount = 11;  ///< columns 0 (channel number) to 10 (name)
constexpr int kRxFreqColumn = 1;
constexpr int kTxFreqColumn = 2;
constexpr int kRxToneColumn = 3;
constexpr int kTxToneColumn = 4;
constexpr int kPowerColumn = 5;
constexpr int kBusyLockColumn = 6;
constexpr int kAddScanColumn = 7;
constexpr int kBandColumn = 8;
constexpr int kTxProhibitColumn = 9;
constexpr int kNameColumn = 10;

/// Characters of a channel name the name editor lets the user type.
constexpr int kTypedNameLength = 6;

/// How a column's cells are edited.
enum class ColumnEditor { None, Frequency, ToneList, ChoiceList, Name };

/// One column of the channel table.
struct ChannelColumn {
    Bilingual header;         ///< header cell text
    int widthTwips = 0;       ///< column width in twips
    ColumnEditor editor{};    ///< the cell editor
    Entries entries;          ///< list entries in position order (tone and choice lists)
    Bilingual defaultText;    ///< text a new channel shows (tone and choice lists)
    int defaultPosition = 0;  ///< list position a new channel takes (tone and choice lists)
};

/// The column table, index = column 0 to 10.
const std::vector<ChannelColumn>& ChannelColumns();

/// Column 0 to 10 of the table; throws std::out_of_range for other numbers.
const ChannelColumn& ChannelColumnAt(int column);

/// The caption of the channel table's window, "Channel Edit" / "信道编辑" (the menu item that
/// shows the window has a caption of its own).
const Bilingual& ChannelWindowTitle();

}  // namespace varel
