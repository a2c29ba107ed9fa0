#pragma once
// Values pasted onto the channel grid as a spreadsheet pastes them: a block of tab-separated
// rows with no header, laid out like the grid (receive, transmit, receive tone, transmit tone,
// power, busy lock, scan, bandwidth, TX prohibit, name). Each value goes through its cell's own
// entry rules: a frequency or a name as if typed, a list cell takes the entry whose text matches
// (either language, case ignored) as a pick would. A block as wide as the grid fills whole
// channels from the receive frequency on; a narrower one starts at the cell pasted on, so one
// value changes one cell and a column of values fills its column downward.
#include <string>

#include "image/channel_table.h"
#include "image/frequency_band.h"
#include "image/language.h"
#include "lists/channel_csv.h"

namespace varel {

/// Values in a row of a block laid out like the grid (columns 1 to 10).
constexpr int kGridLaidColumns = 10;

/// True when a pasted text is a channel list: its first line that is neither blank nor a
/// comment names the Frequency or Location column.
bool IsChannelListText(const std::string& text);

/// True when a pasted text holds more than one value: a tab, or more than one line (a line end
/// at its end aside).
bool HoldsSeveralCells(const std::string& text);

/// Pastes a block of values onto the table from cell (row 1-128, column 0-10; column 0 counts
/// as 1). Row i of the block goes to channel row + i; rows past channel 128 and values past the
/// name column are dropped and reported. Blanks around a value are ignored; an empty value
/// changes nothing except in the receive column, where it empties the channel as emptying the
/// cell would. A row is applied whole or skipped whole: a value its cell refuses (not a number,
/// outside the band, no matching entry, or a value for a channel without a receive frequency)
/// skips the row, its channel unchanged. A name is taken with the name editor's filter, 8
/// characters long; a change other than upper case is reported. Throws std::out_of_range for a
/// row or column outside the grid.
CsvImport PasteCells(const std::string& text, int row, int column, ChannelTable& table,
                     const FrequencyBand& band, Language lang);

}  // namespace varel
