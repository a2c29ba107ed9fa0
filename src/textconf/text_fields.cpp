#include "textconf/text_fields.h"

#include <array>
#include <cctype>

#include "image/encodings.h"
#include "image/latin1.h"

namespace varel::textconf {

namespace {

constexpr std::uint8_t kFill = 0xFF;
// The FM word counts 100 kHz steps from 87.0 MHz; 108.0 MHz is the highest a decode shows.
constexpr int kFmBaseTenths = 870;
constexpr int kFmHighestStep = 210;
constexpr int kHighestChannel = 128;

bool AllFill(const Raw& raw) {
    for (std::uint8_t b : raw)
        if (b != kFill) return false;
    return true;
}

bool IsDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A whole decimal number of at most three digits.
std::optional<int> SmallNumber(const std::string& text) {
    if (!IsDigits(text) || text.size() > 3) return std::nullopt;
    return std::stoi(text);
}

bool SameWord(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool IsUpperHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// "ddd.ddddd" of a frequency as typed: 1 to 3 integer digits, up to 5 decimals (0-9, A-F).
std::optional<std::string> FullFrequency(const std::string& text) {
    const std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string decimals = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (whole.empty() || whole.size() > 3 || decimals.size() > 5) return std::nullopt;
    for (char c : whole + decimals)
        if (!IsUpperHex(c)) return std::nullopt;
    return std::string(3 - whole.size(), '0') + whole + "." + decimals +
           std::string(5 - decimals.size(), '0');
}

std::optional<Raw> FrequencyRaw(const std::string& words) {
    if (words.empty()) return Raw(4, kFill);
    const auto text = FullFrequency(words);
    if (!text) return std::nullopt;
    Raw raw;
    for (const auto& b : FrequencyField(*text)) {
        if (!b) return std::nullopt;
        raw.push_back(*b);
    }
    return raw;
}

std::string FrequencyWords(const Raw& raw) {
    if (AllFill(raw)) return std::string();
    return DecodeFrequency({raw[0], raw[1], raw[2], raw[3]});
}

std::optional<Raw> ToneRaw(const std::string& words) {
    if (SameWord(words, OffText(Language::English))) return Raw{kFill, kFill};
    if (ToneIndex(words, Language::English) <= 0) return std::nullopt;
    const auto field = ToneField(words);
    if (!field[0] || !field[1]) return std::nullopt;
    return Raw{*field[0], *field[1]};
}

std::string ToneWords(const Raw& raw) {
    if (raw[0] == kFill && raw[1] == kFill) return OffText(Language::English);
    return DecodeTone(raw[0], raw[1], Language::English);
}

std::optional<Raw> FmRaw(const std::string& words, WordProblem& problem) {
    if (words.empty()) return Raw{kFill, kFill};
    problem = WordProblem::NotFmStep;
    const std::size_t point = words.find('.');
    const std::string whole = words.substr(0, point);
    const std::string decimals = point == std::string::npos ? "0" : words.substr(point + 1);
    if (!IsDigits(whole) || whole.size() > 3 || !IsDigits(decimals) || decimals.size() > 2)
        return std::nullopt;
    if (decimals.size() == 2 && decimals[1] != '0') return std::nullopt;
    const int tenths = std::stoi(whole) * 10 + (decimals[0] - '0');
    if (tenths < kFmBaseTenths || tenths > kFmBaseTenths + kFmHighestStep) return std::nullopt;
    return Raw{0, static_cast<std::uint8_t>(tenths - kFmBaseTenths)};
}

std::string FmWords(const Raw& raw) {
    if (raw[0] == kFill && raw[1] == kFill) return std::string();
    const int tenths = kFmBaseTenths + raw[1];
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "0";
}

// A text of single-byte characters: the characters' bytes, then fill.
std::optional<Raw> TextRaw(const TextField& field, const std::string& words, WordProblem& problem) {
    Raw raw;
    for (char32_t cp : CodePoints(words)) {
        if (cp > 0xFF) {
            problem = WordProblem::NotCodePage;
            return std::nullopt;
        }
        raw.push_back(static_cast<std::uint8_t>(cp));
    }
    if (raw.size() > static_cast<std::size_t>(field.size)) {
        problem = WordProblem::TooLong;
        return std::nullopt;
    }
    raw.resize(static_cast<std::size_t>(field.size), kFill);
    return raw;
}

std::string TextWords(const Raw& raw) {
    std::string text;
    for (std::uint8_t b : raw) {
        if (b == kFill) break;
        text += Utf8(b);
    }
    return text;
}

std::optional<Raw> ListRaw(const TextField& field, const std::string& words) {
    for (std::size_t p = 0; p < field.entries.size(); ++p)
        if (SameWord(words, field.entries[p]) && p < (1u << field.bits))
            return Raw{static_cast<std::uint8_t>(p)};
    return std::nullopt;
}

std::optional<Raw> ChannelNumberRaw(const TextField& field, const std::string& words) {
    if (words.empty()) return Raw{static_cast<std::uint8_t>(field.emptyByte)};
    const auto n = SmallNumber(words);
    if (!n || *n < 1 || *n > kHighestChannel) return std::nullopt;
    return Raw{static_cast<std::uint8_t>(*n)};
}

std::string ChannelNumberWords(const TextField& field, const Raw& raw) {
    return raw[0] == field.emptyByte ? std::string() : std::to_string(raw[0]);
}

// The words of a raw value, whether or not they read back as it.
std::optional<std::string> AnyWords(const TextField& field, const Raw& raw) {
    switch (field.kind) {
        case ValueKind::Frequency:
            return FrequencyWords(raw);
        case ValueKind::Tone:
            return ToneWords(raw);
        case ValueKind::List:
            if (raw[0] >= field.entries.size()) return std::nullopt;
            return field.entries[raw[0]];
        case ValueKind::Check:
            return std::string(raw[0] ? "Yes" : "No");
        case ValueKind::ChannelNumber:
            return ChannelNumberWords(field, raw);
        case ValueKind::Text:
            return TextWords(raw);
        case ValueKind::FmWord:
            return FmWords(raw);
        case ValueKind::Number:
            return std::to_string(raw[0]);
        case ValueKind::Hex:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::uint8_t FieldMask(const TextField& field) {
    return static_cast<std::uint8_t>(((1u << field.bits) - 1u) << field.bit);
}

Raw ReadRaw(const TextField& field, const std::uint8_t* image) {
    if (!field.wholeBytes())
        return Raw{
            static_cast<std::uint8_t>((image[field.offset] & FieldMask(field)) >> field.bit)};
    return Raw(image + field.offset, image + field.offset + field.size);
}

void WriteRaw(const TextField& field, const Raw& raw, std::uint8_t* image) {
    if (field.wholeBytes()) {
        for (int k = 0; k < field.size; ++k)
            image[field.offset + k] = raw[static_cast<std::size_t>(k)];
        return;
    }
    const std::uint8_t mask = FieldMask(field);
    std::uint8_t& byte = image[field.offset];
    byte = static_cast<std::uint8_t>((byte & ~mask) | ((raw[0] << field.bit) & mask));
}

std::optional<Raw> ParseWords(const TextField& field, const std::string& words,
                              WordProblem& problem) {
    problem = WordProblem::None;
    std::optional<Raw> raw;
    switch (field.kind) {
        case ValueKind::Frequency:
            raw = FrequencyRaw(words);
            if (!raw) problem = WordProblem::NotFrequency;
            return raw;
        case ValueKind::Tone:
            raw = ToneRaw(words);
            if (!raw) problem = WordProblem::NotTone;
            return raw;
        case ValueKind::List:
            raw = ListRaw(field, words);
            if (!raw) problem = WordProblem::NotInList;
            return raw;
        case ValueKind::Check:
            if (SameWord(words, "No")) return Raw{0};
            if (SameWord(words, "Yes")) return Raw{1};
            problem = WordProblem::NotInList;
            return std::nullopt;
        case ValueKind::ChannelNumber:
            raw = ChannelNumberRaw(field, words);
            if (!raw) problem = WordProblem::NotNumber;
            return raw;
        case ValueKind::Text:
            return TextRaw(field, words, problem);
        case ValueKind::FmWord:
            return FmRaw(words, problem);
        case ValueKind::Number: {
            const auto n = SmallNumber(words);
            if (n && *n <= 0xFF) return Raw{static_cast<std::uint8_t>(*n)};
            problem = WordProblem::NotNumber;
            return std::nullopt;
        }
        case ValueKind::Hex:
            break;
    }
    problem = WordProblem::HexOnly;
    return std::nullopt;
}

std::optional<std::string> Words(const TextField& field, const Raw& raw) {
    const auto words = AnyWords(field, raw);
    if (!words) return std::nullopt;
    WordProblem problem = WordProblem::None;
    const auto back = ParseWords(field, *words, problem);
    if (!back || *back != raw) return std::nullopt;
    return words;
}

std::string HexWords(const TextField& field, const Raw& raw) {
    if (!field.wholeBytes()) return "0x" + Hex(raw[0]);
    std::string text = "0x";
    for (std::uint8_t b : raw) text += Hex2(b);
    return text;
}

bool LooksHex(const std::string& text) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
    for (std::size_t i = 2; i < text.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

std::optional<Raw> ParseHex(const TextField& field, const std::string& text) {
    if (!LooksHex(text)) return std::nullopt;
    const std::string digits = text.substr(2);
    if (!field.wholeBytes()) {
        if (digits.size() > 2) return std::nullopt;
        const auto value = HexByte(digits);
        if (!value || *value >= (1u << field.bits)) return std::nullopt;
        return Raw{*value};
    }
    if (digits.size() != 2 * static_cast<std::size_t>(field.size)) return std::nullopt;
    Raw raw;
    for (std::size_t i = 0; i < digits.size(); i += 2) raw.push_back(*HexByte(digits.substr(i, 2)));
    return raw;
}

}  // namespace varel::textconf
