#include "image/frequency_band.h"

namespace varel {

std::optional<FrequencyBand> BandBounds(int position) {
    static const FrequencyBand kBands[kBandCount] = {
        {136, 173.99501, 400, 469.99501},
        {144, 146, 430, 440},
        {136, 174.99501, 400, 479.99501},
    };
    if (position < 0 || position >= kBandCount) return std::nullopt;
    return kBands[position];
}

bool ChannelFrequencyInBand(double mhz, const FrequencyBand& band, Language lang) {
    // deliberate: in English a frequency exactly on a band's upper bound is inside the band, in
    // Chinese it is outside. Users of either language rely on what their version accepts, so
    // the bound depends on the language.
    const bool inclusive = lang == Language::English;
    auto below = [inclusive](double v, double bound) { return inclusive ? v <= bound : v < bound; };
    return (mhz >= band.VhfLow && below(mhz, band.VhfHigh)) ||
           (mhz >= band.UhfLow && below(mhz, band.UhfHigh));
}

bool VfoFrequencyInBand(double mhz, const FrequencyBand& band) {
    return (mhz >= band.VhfLow && mhz <= band.VhfHigh) ||
           (mhz >= band.UhfLow && mhz <= band.UhfHigh);
}

}  // namespace varel
