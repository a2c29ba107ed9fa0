// PLACEHOLDER: being written.
#include <iostream>

#include "verbs.h"

namespace varel::cli {

int RunDump(const Args&) {
    std::cerr << "varel-cli: dump is not available yet\n";
    return kFailure;
}

}  // namespace varel::cli
