#include "textconf/text_writer.h"

#include <algorithm>
#include <sstream>

#include "files/data_file.h"
#include "image/channel_codec.h"
#include "image/encodings.h"
#include "image/latin1.h"
#include "textconf/text_file.h"
#include "textconf/text_layout.h"

namespace varel::textconf {

const char* const kFormatName = "wavesmith-configuration";

namespace {

constexpr int kBytesPerLine = 16;

bool Printable(char32_t cp) {
    return cp >= 0x20 && cp != 0x7F && !(cp >= 0x80 && cp <= 0xA0) && cp != 0xAD;
}

bool PlainCharacter(char32_t cp) {
    if (cp >= 0x100) return true;
    if ((cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z') || (cp >= '0' && cp <= '9'))
        return true;
    for (char c : std::string(" .+-()&/_"))
        if (cp == static_cast<char32_t>(c)) return true;
    return false;
}

std::string Header(const std::uint8_t* file) {
    const std::vector<std::uint8_t> standard = StandardHeader();
    if (std::equal(standard.begin(), standard.end(), file)) return "standard";
    std::string hex = "0x";
    for (std::size_t i = 0; i < kDataFileHeaderSize; ++i) hex += Hex2(file[i]);
    return hex;
}

// Names and texts are always quoted, so that an empty or spaced one shows as it is.
std::string Value(const TextField& f, const std::uint8_t* image) {
    const Raw raw = ReadRaw(f, image);
    const auto words = Words(f, raw);
    if (!words) return HexWords(f, raw);
    return f.kind == ValueKind::Text ? YamlQuoted(*words) : YamlScalar(*words);
}

// An empty channel: its record and its name all 0xFF.
bool EmptyChannel(int n, const std::uint8_t* image) {
    const auto fill = [&](std::size_t from, std::size_t count) {
        return std::all_of(image + from, image + from + count,
                           [](std::uint8_t b) { return b == 0xFF; });
    };
    return fill(ChannelRecordOffset(n), kChannelRecordSize) &&
           fill(ChannelNameOffset(n), kNameSize);
}

void WriteChannels(std::ostream& out, const std::uint8_t* image) {
    std::string header = "  # Channel: [";
    const auto& first = ChannelFields(1);
    for (int c = 0; c < kChannelValues; ++c)
        header += (c ? ", " : "") + first[static_cast<std::size_t>(c)].key;
    std::ostringstream lines;
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        if (EmptyChannel(n, image)) continue;
        const auto& fields = ChannelFields(n);
        lines << "  " << n << ": [";
        for (int c = 0; c < kChannelValues; ++c)
            lines << (c ? ", " : "") << Value(fields[static_cast<std::size_t>(c)], image);
        const TextField& unread = fields[kChannelValues];
        if (ReadRaw(unread, image)[0] != kStandardFlagBits)
            lines << ", " << HexWords(unread, ReadRaw(unread, image));
        lines << "]\n";
    }
    const std::string body = lines.str();
    out << "channels:" << (body.empty() ? " {}\n" : "\n" + header + "]\n" + body);
}

void WriteGroups(std::ostream& out, const std::uint8_t* image) {
    for (const TextGroup& g : SettingGroups()) {
        const std::string indent = g.name.empty() ? "" : "  ";
        if (!g.name.empty()) out << YamlScalar(g.name) << ":\n";
        for (const TextField& f : g.fields)
            out << indent << YamlScalar(f.key) << ": " << Value(f, image) << "\n";
    }
}

// Runs of bytes with unshown bits, cut at every 16-byte boundary.
void WriteBytes(std::ostream& out, const std::uint8_t* image) {
    out << "# The bits no value above holds, as hex by address (a value's own bits are 0 here).\n"
           "bytes:\n";
    const auto& unshown = UnshownBits();
    std::size_t i = 0;
    while (i < kConfigSize) {
        if (!unshown[i]) {
            ++i;
            continue;
        }
        out << "  0x" << Hex(static_cast<unsigned>(i)) << ":";
        do {
            out << " " << Hex2(static_cast<std::uint8_t>(image[i] & unshown[i]));
            ++i;
        } while (i < kConfigSize && unshown[i] && i % kBytesPerLine != 0);
        out << "\n";
    }
}

}  // namespace

std::string YamlQuoted(const std::string& text) {
    std::string out = "\"";
    for (char32_t cp : CodePoints(text)) {
        if (cp == '"' || cp == '\\')
            out += std::string("\\") + static_cast<char>(cp);
        else if (!Printable(cp))
            out += "\\x" + Hex2(static_cast<std::uint8_t>(cp));
        else
            out += Utf8(cp);
    }
    return out + "\"";
}

std::string YamlScalar(const std::string& text) {
    if (text.empty() || text.front() == ' ' || text.back() == ' ' || text.front() == '-' ||
        text.front() == '&' || text.front() == '(' || LooksHex(text))
        return YamlQuoted(text);
    for (char32_t cp : CodePoints(text))
        if (!PlainCharacter(cp)) return YamlQuoted(text);
    return text;
}

std::string ExportText(const std::vector<std::uint8_t>& file) {
    const std::uint8_t* image = file.data() + kDataFileHeaderSize;
    std::ostringstream out;
    out << "# A radio configuration as text (varel-cli export-text); comments are ignored.\n"
        << "format: " << kFormatName << "\n"
        << "version: " << kFormatVersion << "\n"
        << "header: " << Header(file.data()) << "\n";
    WriteChannels(out, image);
    WriteGroups(out, image);
    WriteBytes(out, image);
    return out.str();
}

}  // namespace varel::textconf
