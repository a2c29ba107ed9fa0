#pragma once
// Window and control sizes are given in twips; the screen has 15 twips to a pixel.

namespace varel {

/// Twips per pixel.
constexpr int kTwipsPerPixel = 15;

/// A size in twips as whole pixels, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

}  // namespace varel
