#include "image/channel_codec.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "image/channel_columns.h"
#include "image/encodings.h"

namespace varel {

namespace {

constexpr std::uint8_t kAbsent = 0xFF;

std::array<std::uint8_t, 4> FieldAt(const MemoryImage& in, std::size_t offset) {
    return {in.at(offset), in.at(offset + 1), in.at(offset + 2), in.at(offset + 3)};
}

void SetListCell(Channel& ch, int column, std::int16_t index, Language lang) {
    ch.index(column) = index;
    ch.text(column) = ChannelColumnList(column, lang).at(static_cast<std::size_t>(index));
}

void DecodeToneCell(const MemoryImage& in, std::size_t offset, Channel& ch, int column,
                    Language lang) {
    const std::uint8_t low = in.at(offset);
    if (low == kAbsent) {
        ch.text(column) = OffText(lang);
        ch.index(column) = 0;
        return;
    }
    const std::string tone = DecodeTone(low, in.at(offset + 1), lang);
    ch.text(column) = tone;
    ch.index(column) = static_cast<std::int16_t>(ToneIndex(tone, lang));
}

void SetIfFormed(MemoryImage& out, std::size_t offset, std::optional<std::uint8_t> value) {
    if (value) out.set(offset, *value);
}

void FillAbsent(MemoryImage& out, std::size_t offset, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) out.set(offset + i, kAbsent);
}

void EncodeFrequency(const std::string& text, MemoryImage& out, std::size_t offset) {
    const auto field = FrequencyField(text);
    for (std::size_t k = 0; k < field.size(); ++k) SetIfFormed(out, offset + k, field[k]);
}

// The decision rests on the list position: position 0 is off whatever the text says.
void EncodeToneCell(const Channel& ch, int column, MemoryImage& out, std::size_t offset) {
    if (ch.index(column) == 0) {
        FillAbsent(out, offset, 2);
        return;
    }
    const auto field = ToneField(ch.text(column));
    SetIfFormed(out, offset, field[0]);
    SetIfFormed(out, offset + 1, field[1]);
}

void EncodeFlags(const Channel& ch, MemoryImage& out, std::size_t offset) {
    const int value = 0xC0 + ch.index(kPowerColumn) + 4 * ch.index(kBusyLockColumn) +
                      8 * ch.index(kAddScanColumn) + 16 * ch.index(kBandColumn) +
                      32 * ch.index(kTxProhibitColumn);
    if (value >= 0 && value <= 0xFF) out.set(offset, static_cast<std::uint8_t>(value));
}

}  // namespace

void SetNumOf(const MemoryImage& in, ChannelModel& model, Language lang) {
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        const std::size_t a = ChannelRecordOffset(n);
        if (in.at(a + kRecordRxFreq) == kAbsent) {
            model.ClearNO(n);
            continue;
        }
        Channel& ch = model.channel(n);
        ch.freq[0] = DecodeFrequency(FieldAt(in, a + kRecordRxFreq));
        ch.freq[1] = in.at(a + kRecordTxFreq) == kAbsent
                         ? std::string()
                         : DecodeFrequency(FieldAt(in, a + kRecordTxFreq));
        DecodeToneCell(in, a + kRecordRxTone, ch, kRxToneColumn, lang);
        DecodeToneCell(in, a + kRecordTxTone, ch, kTxToneColumn, lang);
        const std::uint8_t f = in.at(a + kRecordFlags);
        SetListCell(ch, kPowerColumn, static_cast<std::int16_t>(PowerPosition(f)), lang);
        for (int column = kBusyLockColumn, bit = 2; column <= kLastListColumn; ++column, ++bit)
            SetListCell(ch, column, static_cast<std::int16_t>((f >> bit) & 1), lang);
    }
}

void EncodeChannels(const ChannelModel& model, MemoryImage& out) {
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        const std::size_t a = ChannelRecordOffset(n);
        const Channel& ch = model.channel(n);
        if (!ch.exists()) {
            FillAbsent(out, a, kChannelRecordSize);
            continue;
        }
        EncodeFrequency(ch.freq[0], out, a + kRecordRxFreq);
        if (ch.freq[1].empty())
            FillAbsent(out, a + kRecordTxFreq, 4);
        else
            EncodeFrequency(ch.freq[1], out, a + kRecordTxFreq);
        EncodeToneCell(ch, kRxToneColumn, out, a + kRecordRxTone);
        EncodeToneCell(ch, kTxToneColumn, out, a + kRecordTxTone);
        EncodeFlags(ch, out, a + kRecordFlags);
    }
}

void DecodeNames(const MemoryImage& in, ChannelModel& model) {
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        std::array<std::uint8_t, kNameSize> field{};
        for (std::size_t j = 0; j < kNameSize; ++j) field[j] = in.at(ChannelNameOffset(n) + j);
        model.channel(n).name = TextFromBytes(field.data(), field.size());
    }
}

void EncodeNames(const ChannelModel& model, MemoryImage& out) {
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        const std::string code = ChannelCode(model.channel(n).name);
        for (std::size_t j = 0; j < kNameSize; ++j) {
            const std::string pair = 2 * j < code.size() ? code.substr(2 * j, 2) : std::string();
            SetIfFormed(out, ChannelNameOffset(n) + j, HexByte(pair));
        }
    }
}

}  // namespace varel
