#include "checks/config_diff.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "checks/config_text.h"
#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/image_codec.h"
#include "image/settings_fields.h"

namespace varel {

namespace {

// The bits of each byte that a reported field reads.
using Coverage = std::array<std::uint8_t, kConfigSize>;

// Where a channel column lives in the channel's record: first byte, byte count, bits.
struct Place {
    std::size_t offset;
    std::size_t count;
    std::uint8_t mask;
};

Place ColumnPlace(int column) {
    switch (column) {
        case kRxFreqColumn:
            return {0, 4, 0xFF};
        case kTxFreqColumn:
            return {4, 4, 0xFF};
        case kRxToneColumn:
            return {8, 2, 0xFF};
        case kTxToneColumn:
            return {10, 2, 0xFF};
        case kPowerColumn:
            return {12, 1, 0x03};
        default:  // the one-bit flags of columns 6 to 9: bits 2 to 5
            return {12, 1, static_cast<std::uint8_t>(1u << (column - kBusyLockColumn + 2))};
    }
}

std::uint8_t FieldMask(const SettingField& f) {
    if (f.kind != FieldKind::List && f.kind != FieldKind::Check) return 0xFF;
    const unsigned bits = f.bits >= 8 ? 0xFFu : (1u << f.bits) - 1u;
    return static_cast<std::uint8_t>((bits << f.bit) & 0xFFu);
}

void Cover(Coverage& shown, std::size_t offset, std::size_t count, std::uint8_t mask) {
    for (std::size_t i = offset; i < offset + count && i < shown.size(); ++i) shown[i] |= mask;
}

std::string Change(const std::string& label, const std::string& from, const std::string& to,
                   Language lang) {
    return label + ": " + ShownValue(from, lang) + " -> " + ShownValue(to, lang);
}

const std::string& CellText(const Channel& ch, int column) {
    return column <= kTxFreqColumn ? ch.freq[static_cast<std::size_t>(column - kRxFreqColumn)]
                                   : ch.text(column);
}

void DiffChannels(const ChannelModel& a, const ChannelModel& b, Language lang, Coverage& shown,
                  std::vector<std::string>& lines) {
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        const Channel& x = a.channel(n);
        const Channel& y = b.channel(n);
        for (int column = kRxFreqColumn; column <= kLastListColumn; ++column) {
            const std::string& from = CellText(x, column);
            const std::string& to = CellText(y, column);
            if (from == to) continue;
            lines.push_back(Change(ChannelColumnLabel(n, column, lang), from, to, lang));
            const Place place = ColumnPlace(column);
            Cover(shown, ChannelRecordOffset(n) + place.offset, place.count, place.mask);
        }
        if (x.name != y.name) {
            lines.push_back(Change(ChannelColumnLabel(n, kNameColumn, lang), x.name, y.name, lang));
            Cover(shown, ChannelNameOffset(n), kNameSize, 0xFF);
        }
    }
}

void DiffSettings(const SettingsModel& a, const SettingsModel& b, Language lang, Coverage& shown,
                  std::vector<std::string>& lines) {
    for (const SettingField& f : SettingFields()) {
        if (!ListedSetting(f)) continue;
        const std::string from = a.displayText(f.id, lang);
        const std::string to = b.displayText(f.id, lang);
        if (from == to) continue;
        lines.push_back(Change(SettingLabel(f, lang), from, to, lang));
        Cover(shown, static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.size),
              FieldMask(f));
    }
}

std::string HexByteText(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

}  // namespace

std::vector<std::string> DiffConfigurations(const MemoryImage& a, const MemoryImage& b,
                                            Language lang) {
    Configuration ca;
    Configuration cb;
    DecodeImage(a, ca, lang);
    DecodeImage(b, cb, lang);
    std::vector<std::string> lines;
    Coverage shown{};
    DiffChannels(ca.channels, cb.channels, lang, shown, lines);
    DiffSettings(ca.settings, cb.settings, lang, shown, lines);
    static const Bilingual byteLine{"byte %1: %2 -> %3", "字节 %1: %2 -> %3"};
    for (std::size_t i = 0; i < kConfigSize; ++i) {
        const auto changed = static_cast<std::uint8_t>(a.at(i) ^ b.at(i));
        if ((changed & ~shown[i]) == 0) continue;
        lines.push_back(byteLine.format(lang, {HexByteText(static_cast<unsigned>(i), 3),
                                               HexByteText(a.at(i), 2), HexByteText(b.at(i), 2)}));
    }
    return lines;
}

}  // namespace varel
