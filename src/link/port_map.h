#pragma once
// Serial port numbers 1 to 20 and the device files that stand for them.
//
//   Com1  - Com8   /dev/ttyUSB0 - /dev/ttyUSB7   (USB serial adapters)
//   Com9  - Com12  /dev/ttyACM0 - /dev/ttyACM3   (USB modem-class adapters)
//   Com13 - Com20  /dev/ttyS0   - /dev/ttyS7     (built-in serial ports)
//
// The environment variable VAREL_COM<n> (for example VAREL_COM1=/dev/pts/5) replaces the
// device of port n; that is how a virtual radio on a pseudo-terminal is attached.
#include <functional>
#include <optional>
#include <string>

namespace varel::link {

constexpr int kFirstPort = 1;  ///< lowest port number
constexpr int kLastPort = 20;  ///< highest port number

/// Looks up an environment variable; empty optional when it is not set.
using EnvLookup = std::function<std::optional<std::string>(const std::string& name)>;

/// The process environment as an EnvLookup.
EnvLookup ProcessEnvironment();

/// The built-in device path of port n; empty for a number outside 1-20.
std::string DefaultPortDevice(int port);

/// Name of the environment variable that overrides port n ("VAREL_COM7").
std::string PortOverrideVariable(int port);

/// Device path of port n: the override variable when it is set and not empty, else the
/// built-in path. Empty for a number outside 1-20.
std::string PortDevice(int port, const EnvLookup& env);

/// PortDevice with the process environment.
std::string PortDevice(int port);

/// What a --port argument names.
struct PortArgument {
    bool valid = false;  ///< false: no port name, no number 1-20 and no existing path
    std::string device;  ///< the device path to open
};

/// Reads a port argument: a port name "Com1" to "Com20" in any case or a number 1-20 (both
/// mapped through PortDevice), or the path of an existing file.
PortArgument ResolvePortArgument(const std::string& text, const EnvLookup& env);

/// ResolvePortArgument with the process environment.
PortArgument ResolvePortArgument(const std::string& text);

}  // namespace varel::link
