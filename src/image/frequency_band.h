#pragma once
// The frequency band variants of the radio. The band selector's position (0 to 2, stored in
// the settings block) picks one VHF and one UHF range that every channel frequency and every
// VFO frequency must fall into. The entry texts live with the band field of the settings table.
//
//   pos  VhfLow  VhfHigh     UhfLow  UhfHigh
//    0   136     173.99501   400     469.99501
//    1   144     146         430     440
//    2   136     174.99501   400     479.99501
//
// The upper bounds of rows 0 and 2 lie 0.00001 MHz above the last 5 kHz channel of each range.
#include <optional>

#include "image/language.h"

namespace varel {

/// Number of band selector positions.
constexpr int kBandCount = 3;

/// The four bounds of a band, in MHz.
struct FrequencyBand {
    double VhfLow = 136;
    double VhfHigh = 173.99501;
    double UhfLow = 400;
    double UhfHigh = 469.99501;
};

/// The bounds of band position 0 to 2; empty for any other position.
std::optional<FrequencyBand> BandBounds(int position);

/// The channel editor's check: lower bounds inclusive; upper bounds inclusive in English and
/// exclusive in Chinese (the language the channel table is being edited in).
bool ChannelFrequencyInBand(double mhz, const FrequencyBand& band, Language lang);

/// The VFO boxes' check, and the one rule by which stored values are judged (the flags of the
/// channel table and the check before a write) whatever the language: both bounds inclusive.
bool VfoFrequencyInBand(double mhz, const FrequencyBand& band);

}  // namespace varel
