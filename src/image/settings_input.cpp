#include "image/settings_input.h"

#include <algorithm>
#include <cmath>

#include "image/encodings.h"
#include "image/memory_image.h"
#include "image/numeric_text.h"
#include "image/typed_input.h"

namespace varel {

namespace {

constexpr int kHighestChannel = static_cast<int>(kChannelCount);
constexpr double kHighestOffset = 99.995;
const char kHighestOffsetText[] = "99.995";

// A typed frequency with five decimals on the 5 kHz / 6.25 kHz raster. Leading zeros are
// dropped first so that the digits stay in their places in the frequency field; a text that is
// not one number (two points) counts as its leading number, so no stray digit is ever stored.
std::string Snapped(const std::string& typed) {
    const std::string basis =
        IsNumeric(typed) ? WithoutLeadingZeros(typed) : FormatFixed(LeadingNumber(typed), 1, 5);
    return SnapFrequency(basis).value_or(basis);
}

}  // namespace

std::string TypedChannelNumber(const std::string& text) {
    return LeadingNumber(text) > kHighestChannel ? std::to_string(kHighestChannel) : text;
}

std::string LeaveCheck(const SettingField& field, const std::string& text,
                       const FrequencyBand& band) {
    switch (field.kind) {
        case FieldKind::ChannelNumber: {
            const double whole = std::floor(LeadingNumber(text));
            if (whole < 1) return std::string();
            if (whole > kHighestChannel) return std::to_string(kHighestChannel);
            return std::to_string(static_cast<int>(whole));
        }
        case FieldKind::Frequency:
            return VfoFrequencyInBand(LeadingNumber(text), band) ? Snapped(text) : field.startText;
        case FieldKind::Offset: {
            const std::string capped =
                LeadingNumber(text) > kHighestOffset ? kHighestOffsetText : text;
            return FormatShortest(LeadingNumber(Snapped(capped)));
        }
        default:
            return text;
    }
}

FmCheck CheckFmEntry(const std::string& typed) {
    if (typed.empty()) return {FmEntry::Empty, {}};
    if (!IsNumeric(typed)) return {FmEntry::NotNumber, {}};
    const double mhz = LeadingNumber(typed);
    if (mhz < kLowestFm || mhz > kHighestFm) return {FmEntry::OutOfRange, {}};
    return {FmEntry::Accepted, SnapFmFrequency(typed)};
}

std::optional<std::string> DisplayCharacterText(const std::string& text) {
    const SettingField& field = Field(SettingId::DisplayCharacter);
    const std::string typed = FilterTyped(field.keys, text);
    // Every character the box takes is one byte, so a refused one shortens the text.
    if (typed.size() != text.size() || static_cast<int>(typed.size()) > field.maxLength)
        return std::nullopt;
    return typed;
}

std::vector<std::string> NumberedDisplayTexts(const std::string& first, int count) {
    const std::optional<std::string> text = DisplayCharacterText(first);
    if (!text || count < 1) return {};
    std::size_t digitsAt = text->size();
    while (digitsAt > 0 && (*text)[digitsAt - 1] >= '0' && (*text)[digitsAt - 1] <= '9') --digitsAt;
    const std::string prefix = text->substr(0, digitsAt);
    const std::string digits = text->substr(digitsAt);
    const long start = digits.empty() ? 1 : std::stol(digits);
    // Trailing digits keep their width (R08, R09, R10; A9, A10); added ones are at least two.
    const std::size_t width =
        digits.empty() ? std::max<std::size_t>(2, std::to_string(count).size()) : digits.size();
    std::vector<std::string> texts;
    for (long n = start; n < start + count; ++n) {
        std::string number = std::to_string(n);
        if (number.size() < width) number.insert(0, width - number.size(), '0');
        if (!DisplayCharacterText(prefix + number)) return {};
        texts.push_back(prefix + number);
    }
    return texts;
}

}  // namespace varel
