#pragma once
// A memory image of seeded random bytes: a block stored in the wrong place shows.
#include <random>

#include "image/memory_image.h"

namespace varel::test {

inline MemoryImage PatternImage(std::uint32_t seed = 1) {
    std::mt19937 rng(seed);
    MemoryImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) image.set(i, static_cast<std::uint8_t>(rng()));
    return image;
}

}  // namespace varel::test
