#pragma once
// The commands of the channel grid that act on whole channels: copy and paste as a channel list,
// clear, insert, delete, move, sort and a pick applied to many channels. Each is one edit of the
// channel table; a row moves whole (frequencies, picks, name and grid texts). Pasted channels
// are entered with the channel editor's rules, as the channel list import enters them.
#include <string>

#include "image/channel_model.h"
#include "image/channel_table.h"
#include "image/frequency_band.h"
#include "image/language.h"
#include "lists/channel_csv.h"

namespace varel {

/// Whole channels first to last, 1 <= first <= last <= 128; the commands throw
/// std::out_of_range for any other range or channel number.
struct ChannelRange {
    int first = 1;  ///< first channel
    int last = 1;   ///< last channel
};

/// The clipboard text of a range: a header line and one line per channel, tab-separated, in the
/// columns and value formats of the channel list export; an empty channel is a line with its
/// Location and an empty Frequency. It does not depend on the language.
std::string CopyChannels(const ChannelModel& model, ChannelRange range);

/// Pastes a channel list text (tab- or comma-separated, told by the header line, which is
/// required) from channel first downward with the import's rules: Location is ignored, row i
/// goes to channel first + i, a row with an empty Frequency empties its channel, rows past 128
/// are dropped; everything skipped or changed is reported as the import reports it.
CsvImport PasteChannels(const std::string& text, int first, ChannelTable& table,
                        const FrequencyBand& band, Language lang);

/// Pastes a text at cell (row, column): a channel list (IsChannelListText) with PasteChannels
/// from channel row downward, any other text as values with PasteCells.
CsvImport PasteText(const std::string& text, int row, int column, ChannelTable& table,
                    const FrequencyBand& band, Language lang);

/// Empties every channel of the range, names included.
void ClearChannels(ChannelTable& table, ChannelRange range);

/// Inserts an empty channel at row; rows row to 127 move down one. False, and nothing changed,
/// when row 128 holds anything (a frequency or a name), which would be lost.
bool InsertChannel(ChannelTable& table, int row);

/// Deletes the channels of the range; the following channels move up, and as many channels at
/// the end become empty.
void DeleteChannels(ChannelTable& table, ChannelRange range);

/// Moves the range one channel up (step -1) or down (step +1), the channel it passes taking its
/// other side. False, and nothing changed, at the edge or for any other step.
bool MoveChannels(ChannelTable& table, ChannelRange range, int step);

/// Sorts all 128 rows by receive frequency, lowest first; rows with equal frequencies keep
/// their order, channels whose frequency text is not a frequency follow, and empty rows (with
/// any names they hold) come last.
void SortByReceiveFrequency(ChannelTable& table);

/// Applies the pick of position in the list of column 3 to 9 to every existing channel of the
/// range, as a pick in its cell would; returns how many channels changed (0 for another column
/// or a position the list lacks).
int BulkPick(ChannelTable& table, ChannelRange range, int column, int position, Language lang);

}  // namespace varel
