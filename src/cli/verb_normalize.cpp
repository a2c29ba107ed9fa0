// PLACEHOLDER: being written.
#include <iostream>

#include "verbs.h"

namespace varel::cli {

int RunNormalize(const Args&) {
    std::cerr << "varel-cli: normalize is not available yet\n";
    return kFailure;
}

}  // namespace varel::cli
