// PLACEHOLDER: being written.
#include <iostream>

#include "verbs.h"

namespace varel::cli {

int RunRead(const Args&) {
    std::cerr << "varel-cli: read is not available yet\n";
    return kFailure;
}

}  // namespace varel::cli
