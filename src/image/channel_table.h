#pragma once
// The channel table as the channel editor holds it: the channel model (what the encoder reads)
// and the grid's view of it. Columns 1 to 9 show the model's frequencies and cell texts; only
// the name cell is held apart, because a name reaches the model on every key the user types
// but its cell only on commit.
//
// Every edit rule of the channel table lives here, free of any toolkit, so that the program's
// grid, its undo history and the channel list import all apply the same rules.
#include <array>
#include <string>

#include "image/channel_model.h"
#include "image/frequency_band.h"
#include "image/language.h"

namespace varel {

/// One row of the table: its channel and the text of its name cell.
struct ChannelRowState {
    Channel channel;
    std::string nameCell;
    bool operator==(const ChannelRowState& o) const {
        return channel == o.channel && nameCell == o.nameCell;
    }
    bool operator!=(const ChannelRowState& o) const { return !(*this == o); }
};

/// How a typed frequency was taken.
enum class FrequencyCommit {
    Unchanged,  ///< empty transmit text, or not a number: nothing changed
    Cleared,    ///< empty receive text: the whole channel was cleared
    Accepted,   ///< in band: snapped into the cell (and a new channel got its defaults)
    OutOfBand,  ///< outside the band: nothing changed, the user is told
};

/// The 128 channels with their name cells; rows 1 to 128, columns 1 to 10.
class ChannelTable {
public:
    /// The channel model, which the encoder reads and the decoder fills.
    const ChannelModel& model() const { return m_model; }
    /// The model for the decoder; call SetGrid() afterwards.
    ChannelModel& model() { return m_model; }

    /// Grid text of row 1-128, column 1-10: the channel's frequency (1, 2), its cell text
    /// (3 to 9) or the name cell (10); throws std::out_of_range for other numbers.
    const std::string& cell(int row, int column) const;

    /// The whole state of a row.
    ChannelRowState row(int row) const;
    /// Replaces the whole state of a row.
    void setRow(int row, const ChannelRowState& state);

    /// The grid side of a decode (SetGrid, then the names): every name cell shows the model's
    /// name.
    void SetGrid();

    /// ClearNO: empties row n's channel and its name cell.
    void ClearNO(int row);
    /// ClearGrid: ClearNO for every row.
    void ClearGrid();

    /// RefreshGrid after a language change: empty channels are emptied (their names and name
    /// cells are kept); a tone at list position 0 (Off, or a tone the list lacks) and the five
    /// flag cells take the texts of the new language; names and listed tones stay.
    void RefreshGrid(Language lang);
    /// RefreshGrid for one row.
    void RefreshRow(int row, Language lang);

    /// Opening the frequency editor on column 1 or 2: nothing to take, as the frequency cells
    /// show the model's frequencies.
    void TakeFrequencyCell(int, int) {}
    /// Opening the name editor: the model takes the name cell's text.
    void TakeNameCell(int row);

    /// Commits a frequency typed into column 1 or 2. An accepted text is snapped to the
    /// channel raster; a receive frequency typed into a row whose receive tone cell is empty
    /// makes a new channel, which takes the transmit frequency and the column defaults (texts
    /// in lang).
    FrequencyCommit CommitFrequency(int row, int column, const std::string& typed,
                                    const FrequencyBand& band, Language lang);
    /// The name editor's text changed: the model's name follows at once (fill characters
    /// dropped); the cell follows on commit.
    void TypeName(int row, const std::string& text);
    /// Commits the name editor's text into the model and the name cell.
    void CommitName(int row, const std::string& text);
    /// Commits a pick from the list of column 3 to 9; false (nothing changed) for a position
    /// the list lacks.
    bool CommitChoice(int row, int column, int position, Language lang);

    bool operator==(const ChannelTable& o) const {
        return m_model == o.m_model && m_nameCells == o.m_nameCells;
    }

private:
    std::string& nameCell(int row);

    ChannelModel m_model;
    std::array<std::string, kChannelCount> m_nameCells{};
};

}  // namespace varel
