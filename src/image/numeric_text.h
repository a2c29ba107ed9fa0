#pragma once
// Reading numbers out of texts the way the editors and the codec do: the leading numeric part
// of a text counts, the rest is ignored, and a text without one reads as 0.
#include <string>

namespace varel {

/// Value of the leading numeric part of a text (blanks, an optional sign, digits, an optional
/// point and digits); 0 when the text has none.
double LeadingNumber(const std::string& text);

/// True when the whole text (blanks around it aside) is one decimal number.
bool IsNumeric(const std::string& text);

/// The value written with at least intDigits integer digits and exactly decimals decimals,
/// rounded half away from zero ("010.00000" for 10 with 3 and 5).
std::string FormatFixed(double value, int intDigits, int decimals);

/// A typed number with its leading zeros dropped (one stays before the point), so that a
/// frequency typed as "0145.5" keeps its digits in place: "145.5".
std::string WithoutLeadingZeros(const std::string& typed);

/// The value in its shortest decimal form, at most five decimals ("10" for 10.0, "5.125").
std::string FormatShortest(double value);

}  // namespace varel
