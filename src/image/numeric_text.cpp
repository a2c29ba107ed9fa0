#include "image/numeric_text.h"

#include <cmath>

namespace varel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Length of the leading numeric part starting at `start` (sign, digits, point, digits).
std::size_t NumericSpan(const std::string& text, std::size_t start, bool* hasDigits) {
    std::size_t i = start;
    *hasDigits = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
        *hasDigits = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            *hasDigits = true;
        }
    }
    return i - start;
}

}  // namespace

double LeadingNumber(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    bool digits = false;
    const std::size_t len = NumericSpan(text, start, &digits);
    if (!digits) return 0;
    // Parsed by hand: the C library's conversions follow the locale's decimal separator.
    std::size_t i = start;
    const bool negative = text[i] == '-';
    if (text[i] == '+' || text[i] == '-') ++i;
    double value = 0;
    for (; i < start + len && text[i] != '.'; ++i) value = value * 10 + (text[i] - '0');
    double scale = 1;
    for (++i; i < start + len; ++i) {
        scale *= 10;
        value += (text[i] - '0') / scale;
    }
    return negative ? -value : value;
}

bool IsNumeric(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    bool digits = false;
    std::size_t end = start + NumericSpan(text, start, &digits);
    while (end < text.size() && IsBlank(text[end])) ++end;
    return digits && end == text.size();
}

std::string FormatFixed(double value, int intDigits, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::round(std::fabs(value) * scale);
    if (!(scaled < 9e15)) return value < 0 ? "-0" : "0";  // out of range or not a number
    const auto units = static_cast<long long>(scaled);
    const auto divisor = static_cast<long long>(scale);
    auto padded = [](long long v, int digits) {
        std::string t = std::to_string(v);
        if (static_cast<int>(t.size()) < digits) t.insert(0, digits - t.size(), '0');
        return t;
    };
    std::string s = (value < 0 && units != 0) ? "-" : "";
    s += padded(units / divisor, intDigits);
    if (decimals > 0) s += "." + padded(units % divisor, decimals);
    return s;
}

std::string WithoutLeadingZeros(const std::string& typed) {
    std::size_t first = 0;
    while (first + 1 < typed.size() && typed[first] == '0' && typed[first + 1] != '.') ++first;
    return typed.substr(first);
}

std::string FormatShortest(double value) {
    std::string s = FormatFixed(value, 1, 5);
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s;
}

}  // namespace varel
