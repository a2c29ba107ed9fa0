#pragma once
// The serial devices present on the system, and which of them appeared between two looks: the
// port finder asks the user to unplug the cable, looks, has it plugged in, looks again, and
// names the device that appeared with its port number.
#include <string>
#include <vector>

#include "link/port_map.h"

namespace varel::link {

/// The serial devices under root (normally "/"): /dev/ttyUSB*, /dev/ttyACM* and /dev/ttyS*,
/// and every path a VAREL_COM<n> variable names that exists under root. Each as its path on
/// the system (root left off), sorted, without repeats. An unreadable /dev gives only the
/// named paths that exist.
std::vector<std::string> ListSerialDevices(const std::string& root, const EnvLookup& env);

/// The devices in after that were not in before (both sorted, as ListSerialDevices gives them).
std::vector<std::string> AppearedDevices(const std::vector<std::string>& before,
                                         const std::vector<std::string>& after);

/// The port number (1 to 20) whose device is device, through PortDevice; 0 when none is.
int PortOfDevice(const std::string& device, const EnvLookup& env);

/// PortOfDevice with the process environment.
int PortOfDevice(const std::string& device);

/// ListSerialDevices with the process environment.
std::vector<std::string> ListSerialDevices(const std::string& root);

}  // namespace varel::link
