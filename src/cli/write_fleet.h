#pragma once
// varel-cli write with several --port options: one configuration written to every radio at the
// same time, each port its own transfer of the shared write procedure, each radio with its own
// backup, band check, verify, trace and, with --display, its own "Display Character:" text.
// The check before writing runs once, before any port is opened.
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "image/image_codec.h"

namespace varel::cli {

/// One radio of a write: its port as given, the device, and its own display text if any.
struct FleetRadio {
    std::string label;                   ///< the --port argument as given ("Com1" for "1")
    std::string device;                  ///< the device path
    std::optional<std::string> display;  ///< the radio's "Display Character:" text
};

/// The radios of the --port and --display options. False with problem set for a port that is
/// no port, a device named twice, or a --display that is not PORT=TEXT, names no --port or
/// holds a text the "Display Character:" box refuses.
bool FleetRadios(const ParsedArgs& parsed, std::vector<FleetRadio>& radios, std::string& problem);

/// The configuration as written to one radio: cfg, with the radio's own display text.
Configuration RadioConfiguration(const Configuration& cfg, const FleetRadio& radio);

/// The trace file of one radio: the port's name added to the name before its extension
/// ("run.trace" and Com2 give "run-Com2.trace", /dev/pts/3 gives "run-pts-3.trace").
std::string RadioTracePath(const std::string& path, const FleetRadio& radio);

/// Writes cfg to every radio at once and returns the exit code: 0 when every radio succeeded,
/// kSomeRadiosFailed naming the others, 7 when --strict stopped it, 128 + the signal after an
/// interrupt.
int WriteFleet(const ParsedArgs& parsed, const Configuration& cfg,
               const std::vector<FleetRadio>& radios);

}  // namespace varel::cli
