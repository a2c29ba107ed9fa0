#pragma once
// Channel lists in the 21-column CSV exchange format that radio programming tools and
// spreadsheets share. Export writes every existing channel of the model; import applies rows
// to a channel table with the channel editor's own rules.
//
//   Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,
//   RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE
//
//   Location   channel number 1 to 128
//   Frequency  receive frequency in MHz, six decimals (145.125000)
//   Duplex     ""  transmit = receive (Offset 0.000000)
//              + - transmit in the same range (both below or both above 300 MHz), Offset is
//                  the difference
//              split  transmit in the other range, Offset is the transmit frequency
//              off    no transmit frequency, or TX Prohibit On; imported as TX Prohibit On
//                     with transmit = receive, which the channel editor can show and edit
//   Tone       transmit / receive tone pair:  ""  off / off      Tone  CTCSS a / off
//              TSQL  a / a (both rToneFreq and cToneFreq)  DTCS  DCS c / DCS c (both codes)
//              Cross  every other pair, CrossMode "Tone->Tone", "Tone->DTCS", "DTCS->Tone",
//                     "DTCS->DTCS", "->Tone", "->DTCS" or "DTCS->" (transmit side first);
//                     rToneFreq and DtcsCode hold the transmit side, cToneFreq and RxDtcsCode
//                     the receive side
//              CTCSS in Hz with one decimal (88.5), DCS as three octal digits (023);
//              DtcsPolarity is the transmit letter then the receive letter, N normal, R
//              inverted; unused tone columns hold 88.5, 023, NN and Tone->Tone
//   Mode       FM wide, NFM narrow           TStep  5.00, or 6.25 off the 5 kHz raster
//   Skip       "" Add Scan On, S Off          Power  5.0W High, 2.0W Middle, 1.0W Low
//   Name       up to 8 characters as the radio holds them, control characters left out;
//              import filters and upper-cases a name as the name editor would, keeping 8
//              characters where typing stops at 6
//   Comment and the four D-STAR columns are written empty and not read. Busy Lock has no
//   column: import keeps the channel's own (the default for a channel that was empty).
//
// Export writes UTF-8 without a byte-order mark, LF line ends, one row per existing channel in
// channel order. Import reads columns by header name (any order, any case); a missing column
// reads as the value export writes for an unused one (Location and Frequency are required),
// unknown columns are reported once. Each row is applied whole or skipped whole: a row whose
// Location, frequencies, duplex or tones cannot be taken exactly as written (after snapping to
// the channel raster) is skipped, so that no channel transmits or listens other than the list
// says; name, power, mode and scan fall back to what the editor would take, and every such
// change is reported.
//
// The clipboard carries the same list with tabs for commas (see CsvWriteOptions and
// CsvReadOptions): a copied range lists every channel, an empty one by its Location alone, and a
// pasted list fills channels one after another from where it is pasted.
#include <string>
#include <vector>

#include "files/data_file.h"
#include "image/channel_model.h"
#include "image/channel_table.h"
#include "image/frequency_band.h"
#include "image/language.h"

namespace varel {

/// Largest channel list file that is read (bytes).
constexpr std::size_t kMaxChannelCsvSize = 4 * 1024 * 1024;

/// What a report line says.
enum class CsvIssueKind {
    // The file as a whole; nothing was imported.
    EmptyFile,       ///< no header line
    NotText,         ///< a control character: not a text file
    OpenQuote,       ///< a quote that is never closed
    TextAfterQuote,  ///< more text after a closing quote in the same field
    MissingColumn,   ///< the header lacks Location or Frequency
    // The header; the column is ignored.
    UnknownColumn,   ///< a column the format does not have
    RepeatedColumn,  ///< a column named twice; the first one counts
    NoRows,          ///< a header and no rows: nothing imported
    // A row that was skipped; its channel is unchanged.
    BadNumber,          ///< not a number (Location, Frequency, Offset)
    NoFrequency,        ///< empty Frequency
    OutOfBand,          ///< receive or transmit frequency outside the band
    UnknownTone,        ///< a CTCSS tone or DCS code the radio does not have
    UnknownValue,       ///< Duplex, Tone, CrossMode or DtcsPolarity not understood
    LocationRange,      ///< Location outside 1 to 128
    DuplicateLocation,  ///< a Location an earlier row already named
    PastLastChannel,    ///< pasted rows beyond channel 128 (detail: how many), dropped
    // A row that was taken with a change.
    Adjusted,   ///< value taken as detail (raster, name filter, nearest power level)
    Defaulted,  ///< value not understood; detail (the editor's default) taken
    // Rows taken with a value of a column the header lacks (one line per column).
    Assumed,  ///< value taken for the column by the channels of detail ("36, 40, 44")
    // Export: a channel the format cannot carry whole.
    LeftOut,          ///< a frequency text that is not a frequency: channel not written
    ToneNotListed,    ///< a tone text outside the tone list, written as off
    TransmitDropped,  ///< TX Prohibit On with its own transmit frequency, written as off
};

/// One line of a report: "line N: column: reason" (import) or "channel N: column: reason"
/// (export).
struct CsvIssue {
    int line = 0;         ///< file line (import; 0 for the file as a whole)
    int channel = 0;      ///< channel number (export)
    std::string column;   ///< the format's column name
    CsvIssueKind kind{};  ///< what happened
    std::string value;    ///< the value concerned, as written
    std::string detail;   ///< what was taken instead, or the earlier line of a duplicate
};

/// The text of one report line in a language.
std::string CsvIssueText(const CsvIssue& issue, Language lang);

/// Outcome of an export.
struct CsvExport {
    std::string text;              ///< the file's contents
    int rows = 0;                  ///< channels written
    std::vector<CsvIssue> issues;  ///< channels left out or written with less than they hold
    /// True when some channel was left out.
    bool leftOut() const;
};

/// What a channel list holds and how it is written.
struct CsvWriteOptions {
    char separator = ',';  ///< ',' for a file, '\t' for the clipboard
    int first = 1;         ///< first channel written
    int last = 128;        ///< last channel written
    /// Every channel of first to last gets a row: an empty one its Location alone, and one whose
    /// frequency texts are not frequencies those texts as they are (read back, such a row is
    /// refused, and its channel kept, rather than emptied). Otherwise only existing channels that
    /// the list can carry are written.
    bool everyChannel = false;
};

/// Writes channels of the model as a channel list.
CsvExport WriteChannelList(const ChannelModel& model, const CsvWriteOptions& options);

/// Writes every existing channel of the model as a channel list file.
CsvExport ExportChannelCsv(const ChannelModel& model);

/// Outcome of an import.
struct CsvImport {
    bool refused = false;          ///< the file is malformed: nothing was applied
    int taken = 0;                 ///< rows applied (changed ones included)
    int changed = 0;               ///< rows applied with reported changes
    int skipped = 0;               ///< rows skipped
    std::vector<int> channels;     ///< channels replaced (or emptied by a paste), in file order
    std::vector<CsvIssue> issues;  ///< every skip, change and header note, in file order
};

/// Where the rows of a channel list go and how its text is split.
struct CsvReadOptions {
    /// 0: a file; each row goes to the channel its Location names (a required column).
    /// 1 to 128: a pasted list; the separator is taken from the header line (tab or comma),
    /// Location is ignored, row i after the header goes to channel startChannel + i (blank rows
    /// and rows starting with '#' count), rows past channel 128 are dropped and reported, and a
    /// row with an empty Frequency empties its channel.
    int startChannel = 0;
};

/// Applies a channel list to the table as the channel editor would (see ImportChannelCsv);
/// throws std::out_of_range for a startChannel outside 0 to 128.
CsvImport ReadChannelList(const std::string& text, const CsvReadOptions& options,
                          ChannelTable& table, const FrequencyBand& band, Language lang);

/// Applies a channel list to the table as the channel editor would: each taken row clears its
/// channel and enters it anew (frequencies checked against band in lang and snapped, new-channel
/// defaults, picks, typed name); Busy Lock stays as the channel had it. Other channels are
/// untouched. The texts of the cells follow lang.
CsvImport ImportChannelCsv(const std::string& text, ChannelTable& table, const FrequencyBand& band,
                           Language lang);

/// The report: one line per issue, then a summary line (import).
std::string CsvReportText(const CsvImport& result, Language lang);

/// The report: one line per issue (export).
std::string CsvReportText(const CsvExport& result, Language lang);

/// Reads a channel list file of at most kMaxChannelCsvSize bytes; a larger file is refused as
/// WrongType. A named pipe is opened as `pipe` says (see ReadFilePrefix).
DataFileResult LoadChannelCsv(const std::string& path, std::string& text,
                              PipeOpen pipe = PipeOpen::NoWait);

/// Writes a channel list file atomically (see ReplaceFile).
DataFileResult SaveChannelCsv(const std::string& path, const std::string& text);

}  // namespace varel
