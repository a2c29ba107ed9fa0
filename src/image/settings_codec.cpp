#include "image/settings_codec.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "image/encodings.h"
#include "image/latin1.h"
#include "image/numeric_text.h"
#include "image/settings_fields.h"

namespace varel {

namespace {

constexpr int kBlockSize = kSettingsEnd - kSettingsFirst;
// The largest FM word that still lies at or below 108.0 MHz.
constexpr int kHighestFmWord = 210;
// 87.0 MHz in tenths of a megahertz, the frequency of word 0.
constexpr int kFmBaseTenths = 870;

unsigned Mask(int bits) {
    return bits >= 8 ? 0xFFu : (1u << bits) - 1u;
}

// ---- decoding -------------------------------------------------------------------------------

// Text of an FM word: empty for FF FF and above 108 MHz. Computed in whole tenths so that no
// binary fraction can push a value onto the wrong 50 kHz step.
std::string FmText(std::uint8_t high, std::uint8_t low) {
    if (high == 0xFF && low == 0xFF) return std::string();
    const int word = high * 256 + low;
    if (word > kHighestFmWord) return std::string();
    const int tenths = kFmBaseTenths + word;
    return SnapFmFrequency(std::to_string(tenths / 10) + "." + std::to_string(tenths % 10));
}

void DecodeField(const SettingField& f, const MemoryImage& in, SettingsModel& s) {
    if (f.offset < 0 || !f.decoded) return;
    std::array<std::uint8_t, 8> b{};
    for (int k = 0; k < f.size && k < static_cast<int>(b.size()); ++k)
        b[static_cast<std::size_t>(k)] = in.at(static_cast<std::size_t>(f.offset + k));

    switch (f.kind) {
        case FieldKind::List: {
            auto raw = static_cast<int>((b[0] >> f.bit) & Mask(f.bits));
            if (f.decodeLimit >= 0 && raw >= f.decodeLimit) raw = f.decodeDefault;
            if (raw < static_cast<int>(f.decodeMap.size()))
                raw = f.decodeMap[static_cast<std::size_t>(raw)];
            s.setIndex(f.id, raw);  // a position the list lacks keeps the previous selection
            break;
        }
        case FieldKind::Tone:
            // Only the Off text depends on the language, and it maps to position 0 in either.
            s.setIndex(f.id,
                       ToneIndex(DecodeTone(b[0], b[1], Language::English), Language::English));
            break;
        case FieldKind::Check:
            s.setChecked(f.id, ((b[0] >> f.bit) & 1u) != 0);
            break;
        case FieldKind::ChannelNumber:
            s.setText(f.id, b[0] <= kChannelCount ? std::to_string(b[0]) : std::string());
            break;
        case FieldKind::Text:
            s.setText(f.id, TextFromBytes(b.data(), static_cast<std::size_t>(f.size)));
            break;
        case FieldKind::Frequency:
            s.setText(f.id, DecodeFrequency({b[0], b[1], b[2], b[3]}));
            break;
        case FieldKind::Offset:
            // deliberate: an unprogrammed offset (four 0xFF bytes, "FFF.FFFFF") reads as the
            // number 0 and shows as "0.00000": users know an unprogrammed VFO this way.
            s.setText(f.id,
                      FormatFixed(LeadingNumber(DecodeFrequency({b[0], b[1], b[2], b[3]})), 1, 5));
            break;
        case FieldKind::FmFrequency:
            s.setText(f.id, FmText(b[0], b[1]));
            break;
        case FieldKind::Number:
            s.setNumber(f.id, b[0]);
            break;
    }
}

enum class Stage { BeforeBand, Band, AfterBand };

void DecodeStage(const MemoryImage& in, SettingsModel& settings, Stage stage) {
    for (const SettingField& f : SettingFields()) {
        if (f.offset < 0) continue;
        const Stage fieldStage = f.offset < kBandOffset    ? Stage::BeforeBand
                                 : f.offset == kBandOffset ? Stage::Band
                                                           : Stage::AfterBand;
        if (fieldStage == stage) DecodeField(f, in, settings);
    }
}

// ---- encoding -------------------------------------------------------------------------------

// Collects the bytes of the block from the fields that share them. A byte that any of its
// fields cannot produce is not written at all, so it keeps what the image held.
class BlockComposer {
public:
    void put(int offset, unsigned value, int bit = 0, int bits = 8) {
        const std::size_t i = Index(offset);
        if (value > Mask(bits)) {
            m_failed[i] = true;
            return;
        }
        m_touched[i] = true;
        m_value[i] = (m_value[i] & ~(Mask(bits) << bit)) | (value << bit);
    }
    void put(int offset, std::optional<std::uint8_t> value) {
        if (value)
            put(offset, *value);
        else
            fail(offset);
    }
    void fail(int offset) { m_failed[Index(offset)] = true; }

    void writeTo(MemoryImage& out) const {
        for (std::size_t i = 0; i < m_value.size(); ++i)
            if (m_touched[i] && !m_failed[i])
                out.set(kSettingsFirst + i, static_cast<std::uint8_t>(m_value[i] & 0xFFu));
    }

private:
    static std::size_t Index(int offset) {
        return static_cast<std::size_t>(offset - kSettingsFirst);
    }

    std::array<unsigned, kBlockSize> m_value{};
    std::array<bool, kBlockSize> m_touched{};
    std::array<bool, kBlockSize> m_failed{};
};

// The byte of a typed whole number, when the text is a number that fits a byte.
std::optional<std::uint8_t> ByteOfNumber(const std::string& text) {
    if (!IsNumeric(text)) return std::nullopt;
    const double value = std::round(LeadingNumber(text));
    if (!(value >= 0 && value <= 255)) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

// The FM word of a frequency text: (f - 87.0) x 10 rounded to a whole step, computed from the
// text's digits so that no binary fraction intervenes. A value half-way between two steps
// (an odd 50 kHz point such as 88.15) goes to the higher step. Empty when the word would be
// negative or would not fit 16 bits.
std::optional<unsigned> FmWord(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long whole = 0;
    int wholeDigits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (++wholeDigits > 6) return std::nullopt;  // far beyond any 16-bit word
        whole = whole * 10 + (text[i] - '0');
    }
    int tenth = 0;
    bool roundUp = false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (i < text.size() && text[i] >= '0' && text[i] <= '9') tenth = text[i++] - '0';
        if (i < text.size() && text[i] >= '0' && text[i] <= '9') roundUp = text[i] >= '5';
    }
    if (negative) return std::nullopt;  // below 87 MHz whatever the digits
    const long word = whole * 10 + tenth - kFmBaseTenths + (roundUp ? 1 : 0);
    if (word < 0 || word > 0xFFFF) return std::nullopt;
    return static_cast<unsigned>(word);
}

void EncodeFrequencyText(const std::string& text, int offset, BlockComposer& block) {
    const auto field = FrequencyField(text);
    for (int k = 0; k < 4; ++k) block.put(offset + k, field[static_cast<std::size_t>(k)]);
}

void EncodeField(const SettingField& f, const SettingsModel& s, BlockComposer& block) {
    if (f.offset < 0) return;
    switch (f.kind) {
        case FieldKind::List:
            block.put(f.offset,
                      static_cast<unsigned>(f.writtenAs >= 0 ? f.writtenAs : s.index(f.id)), f.bit,
                      f.bits);
            break;
        case FieldKind::Check:
            block.put(
                f.offset,
                f.writtenAs >= 0 ? static_cast<unsigned>(f.writtenAs) : (s.checked(f.id) ? 1u : 0u),
                f.bit, f.bits);
            break;
        case FieldKind::Tone: {
            const int position = s.index(f.id);
            if (position <= 0) {
                block.put(f.offset, 0xFF);
                block.put(f.offset + 1, 0xFF);
                break;
            }
            const auto field = ToneField(f.entry(position, Language::English));
            block.put(f.offset, field[0]);
            block.put(f.offset + 1, field[1]);
            break;
        }
        case FieldKind::ChannelNumber: {
            const std::string& t = s.text(f.id);
            if (t.empty())
                block.put(f.offset, static_cast<unsigned>(f.emptyByte));
            else
                block.put(f.offset, ByteOfNumber(t));
            break;
        }
        case FieldKind::Text: {
            const auto chars = CodePoints(s.text(f.id));
            const std::size_t used = std::min(chars.size(), static_cast<std::size_t>(f.maxLength));
            for (int k = 0; k < f.size; ++k) {
                const auto i = static_cast<std::size_t>(k);
                block.put(f.offset + k, i < used ? Latin1Byte(chars[i]) : 0xFFu);
            }
            break;
        }
        case FieldKind::Frequency:
            EncodeFrequencyText(s.text(f.id), f.offset, block);
            break;
        case FieldKind::Offset:
            EncodeFrequencyText(FormatFixed(LeadingNumber(s.text(f.id)), 3, 5), f.offset, block);
            break;
        case FieldKind::FmFrequency: {
            const std::string& t = s.text(f.id);
            if (t.empty() || (f.zeroIsEmpty && LeadingNumber(t) == 0)) {
                block.put(f.offset, 0xFF);
                block.put(f.offset + 1, 0xFF);
                break;
            }
            const auto word = FmWord(t);
            if (!word) {
                block.fail(f.offset);
                block.fail(f.offset + 1);
                break;
            }
            block.put(f.offset, *word >> 8);
            block.put(f.offset + 1, *word & 0xFFu);
            break;
        }
        case FieldKind::Number: {
            const int v = s.number(f.id);
            if (v < 0 || v > 255)
                block.fail(f.offset);
            else
                block.put(f.offset, static_cast<unsigned>(v));
            break;
        }
    }
}

}  // namespace

void DecodeSettingsBeforeBand(const MemoryImage& in, SettingsModel& settings) {
    DecodeStage(in, settings, Stage::BeforeBand);
}

void DecodeBand(const MemoryImage& in, SettingsModel& settings) {
    DecodeStage(in, settings, Stage::Band);
}

void DecodeSettingsAfterBand(const MemoryImage& in, SettingsModel& settings) {
    DecodeStage(in, settings, Stage::AfterBand);
}

void EncodeSettings(const SettingsModel& settings, MemoryImage& out) {
    BlockComposer block;
    for (const FixedContent& c : FixedContents()) {
        for (int k = 0; k < c.count; ++k) {
            const unsigned v = c.text != nullptr ? static_cast<unsigned char>(c.text[k]) : c.value;
            block.put(c.offset + k, v, c.bit, c.bits);
        }
    }
    for (const SettingField& f : SettingFields()) EncodeField(f, settings, block);
    block.writeTo(out);
}

}  // namespace varel
