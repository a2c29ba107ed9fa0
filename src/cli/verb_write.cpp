// PLACEHOLDER: being written.
#include <iostream>

#include "verbs.h"

namespace varel::cli {

int RunWrite(const Args&) {
    std::cerr << "varel-cli: write is not available yet\n";
    return kFailure;
}

}  // namespace varel::cli
