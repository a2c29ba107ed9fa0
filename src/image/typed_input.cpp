#include "image/typed_input.h"

#include "image/latin1.h"

namespace varel {

namespace {

bool Between(char32_t c, char32_t low, char32_t high) {
    return c >= low && c <= high;
}

char32_t Upper(char32_t c) {
    return Between(c, U'a', U'z') ? c - U'a' + U'A' : c;
}

}  // namespace

std::optional<char32_t> FilterKey(KeySet keys, char32_t typed) {
    switch (keys) {
        case KeySet::Decimal:
            if (Between(typed, U'0', U'9') || typed == U'.') return typed;
            return std::nullopt;
        case KeySet::Digits:
            if (Between(typed, U'0', U'9')) return typed;
            return std::nullopt;
        case KeySet::ChannelName: {
            const char32_t c = Upper(typed);
            if (Between(c, 35, 122)) return c;
            return std::nullopt;
        }
        case KeySet::DisplayCharacter: {
            const char32_t c = Upper(typed);
            if (Between(c, U'0', U'9') || Between(c, U'A', U'Z') || c == U'*' || c == U'#' ||
                c == U'-')
                return c;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string FilterTyped(KeySet keys, const std::string& text, int maxLength) {
    std::string out;
    int length = 0;
    for (char32_t typed : CodePoints(text)) {
        if (maxLength > 0 && length >= maxLength) break;
        if (const auto c = FilterKey(keys, typed)) {
            out += Utf8(*c);
            ++length;
        }
    }
    return out;
}

}  // namespace varel
