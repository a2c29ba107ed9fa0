#pragma once
// The program's own clipboard format for channels: each copied row exactly as the channel table
// holds it (both frequency texts, the text and list position of every list cell, the name and
// the name cell), so that a copy and paste inside the program loses nothing the exchange text
// beside it cannot carry (busy lock, odd tones, long names, values the band refuses).
//
//   wavesmith-channels 1 <language 0|1> <rows>
//   <one line per row: 18 tab-separated fields, each string as lower-case hex of its bytes>
//     rx  tx  (position text) x 7 for columns 3 to 9  name  name-cell
//   end <FNV-1a 32-bit checksum of every byte before "end", 8 hex digits>
//
// Reading is strict: a payload that differs in any way from what the writer makes (another
// version, a wrong count, a bad field, a failed checksum, an empty channel holding more than a
// name) is refused whole, and nothing is pasted.
#include <optional>
#include <string>
#include <vector>

#include "image/channel_table.h"
#include "image/language.h"
#include "lists/channel_commands.h"
#include "lists/channel_csv.h"

namespace varel {

/// The MIME type of the program's own channel format on the clipboard.
constexpr const char* kChannelClipMime = "application/x-wavesmith-channels";

/// Largest payload that is read (bytes).
constexpr std::size_t kMaxChannelClipSize = 512 * 1024;

/// Copied rows as the table held them, and the language their cell texts are in.
struct ChannelClip {
    Language language = Language::Chinese;  ///< language of the cell texts
    std::vector<ChannelRowState> rows;      ///< first copied channel first
};

/// The payload of the range's rows, texts in lang.
std::string EncodeChannelClip(const ChannelTable& table, ChannelRange range, Language lang);

/// The rows of a payload; empty when it is damaged or foreign.
std::optional<ChannelClip> DecodeChannelClip(const std::string& payload);

/// Puts the rows into channel first onward exactly as they were copied; rows past channel 128
/// are dropped and reported. Texts copied in another language than lang take lang's, as after a
/// language change (see ChannelTable::RefreshRow). Throws std::out_of_range for a first outside
/// 1 to 128.
CsvImport PasteChannelClip(const ChannelClip& clip, int first, ChannelTable& table, Language lang);

}  // namespace varel
