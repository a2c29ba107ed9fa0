#include "lists/channel_clip.h"

#include <cstdint>
#include <stdexcept>

#include "lists/channel_csv_format.h"

namespace varel {

namespace {

constexpr const char* kMagic = "wavesmith-channels";
constexpr const char* kVersion = "1";
constexpr const char* kEnd = "end ";
constexpr std::size_t kFieldsPerRow = 2 + 2 * kListColumns + 2;
constexpr std::size_t kMaxStringBytes = 64;  // far above any text the table holds
constexpr int kLastChannel = static_cast<int>(kChannelCount);

std::uint32_t Checksum(const std::string& bytes) {
    std::uint32_t hash = 2166136261U;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619U;
    }
    return hash;
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    return out;
}

std::string Hex8(std::uint32_t value) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return Hex(bytes);
}

int Nibble(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Unhex(const std::string& text) {
    if (text.size() % 2 != 0 || text.size() > 2 * kMaxStringBytes) return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = Nibble(text[i]);
        const int low = Nibble(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
    }
    return out;
}

// A decimal integer as the writer makes it: an optional '-', digits, no leading zeros.
std::optional<long> Integer(const std::string& text, long low, long high) {
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::string digits = text.substr(start);
    if (digits.empty() || digits.size() > 6 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    if (digits.size() > 1 && digits[0] == '0') return std::nullopt;
    const long value = (start == 1 ? -1 : 1) * std::stol(digits);
    if (value < low || value > high || (start == 1 && value == 0)) return std::nullopt;
    return value;
}

std::string RowLine(const ChannelRowState& state) {
    const Channel& ch = state.channel;
    std::string line = Hex(ch.freq[0]) + '\t' + Hex(ch.freq[1]);
    for (int c = kFirstListColumn; c <= kLastListColumn; ++c)
        line += '\t' + std::to_string(ch.index(c)) + '\t' + Hex(ch.text(c));
    return line + '\t' + Hex(ch.name) + '\t' + Hex(state.nameCell) + '\n';
}

std::optional<ChannelRowState> ReadRow(const std::string& line) {
    const std::vector<std::string> fields = SplitAt(line, '\t');
    if (fields.size() != kFieldsPerRow) return std::nullopt;
    ChannelRowState state;
    Channel& ch = state.channel;
    std::size_t at = 0;
    auto text = [&]() -> std::optional<std::string> { return Unhex(fields[at++]); };
    for (std::string& freq : ch.freq) {
        auto value = text();
        if (!value) return std::nullopt;
        freq = *value;
    }
    for (int c = kFirstListColumn; c <= kLastListColumn; ++c) {
        const auto position = Integer(fields[at++], INT16_MIN, INT16_MAX);
        auto value = text();
        if (!position || !value) return std::nullopt;
        ch.index(c) = static_cast<std::int16_t>(*position);
        ch.text(c) = *value;
    }
    auto name = text();
    auto cell = text();
    if (!name || !cell) return std::nullopt;
    ch.name = *name;
    state.nameCell = *cell;
    // The table never holds an empty channel with more than a name: such a row is not ours.
    if (!ch.exists()) {
        Channel bare;
        bare.name = ch.name;
        if (!(ch == bare)) return std::nullopt;
    }
    return state;
}

}  // namespace

std::string EncodeChannelClip(const ChannelTable& table, ChannelRange range, Language lang) {
    if (range.first < 1 || range.last > kLastChannel || range.first > range.last)
        throw std::out_of_range("channel range outside 1-128");
    std::string text = std::string(kMagic) + ' ' + kVersion + ' ' +
                       std::to_string(static_cast<int>(lang)) + ' ' +
                       std::to_string(range.last - range.first + 1) + '\n';
    for (int r = range.first; r <= range.last; ++r) text += RowLine(table.row(r));
    return text + kEnd + Hex8(Checksum(text)) + '\n';
}

std::optional<ChannelClip> DecodeChannelClip(const std::string& payload) {
    if (payload.size() > kMaxChannelClipSize || payload.empty() || payload.back() != '\n')
        return std::nullopt;
    std::vector<std::string> lines = SplitAt(payload.substr(0, payload.size() - 1), '\n');
    if (lines.size() < 3) return std::nullopt;
    const std::string& last = lines.back();
    const std::size_t bodySize = payload.size() - last.size() - 1;
    if (last != kEnd + Hex8(Checksum(payload.substr(0, bodySize)))) return std::nullopt;

    const std::vector<std::string> head = SplitAt(lines.front(), ' ');
    if (head.size() != 4 || head[0] != kMagic || head[1] != kVersion) return std::nullopt;
    const auto language = Integer(head[2], 0, 1);
    const auto count = Integer(head[3], 1, kLastChannel);
    if (!language || !count || static_cast<std::size_t>(*count) != lines.size() - 2)
        return std::nullopt;
    ChannelClip clip;
    clip.language = static_cast<Language>(*language);
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        auto row = ReadRow(lines[i]);
        if (!row) return std::nullopt;
        clip.rows.push_back(std::move(*row));
    }
    return clip;
}

CsvImport PasteChannelClip(const ChannelClip& clip, int first, ChannelTable& table, Language lang) {
    if (first < 1 || first > kLastChannel) throw std::out_of_range("channel outside 1-128");
    CsvImport out;
    for (std::size_t i = 0; i < clip.rows.size(); ++i) {
        const int row = first + static_cast<int>(i);
        if (row > kLastChannel) {
            const auto dropped = static_cast<int>(clip.rows.size() - i);
            CsvIssue past{static_cast<int>(i) + 1, 0, {}, CsvIssueKind::PastLastChannel, {}, {}};
            past.detail = std::to_string(dropped);
            out.issues.push_back(past);
            out.skipped += dropped;
            break;
        }
        table.setRow(row, clip.rows[i]);
        if (clip.language != lang) table.RefreshRow(row, lang);
        ++out.taken;
        out.channels.push_back(row);
    }
    return out;
}

}  // namespace varel
