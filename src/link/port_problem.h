#pragma once
// Why a serial port cannot be opened, and how that is said in either language. The command
// line and the program's port window share these reasons.
#include <string>

#include "image/language.h"

namespace varel::link {

/// Why a serial device cannot be opened.
enum class PortProblem {
    None,          ///< nothing stands in the way (it can be opened)
    NoSuchDevice,  ///< the path or the hardware behind it does not exist
    Busy,          ///< another program (or this one) holds the port
    NoPermission,  ///< the user may not open the device
    NotSerial,     ///< the path is not a serial device
};

/// Finds out why device cannot be opened, by looking at the path, its lock files and a trial
/// open. Changes nothing (a stale lock is left in place).
PortProblem DiagnosePort(const std::string& device);

/// The reason as one clause in the language ("busy in another program"); empty for None.
std::string PortProblemText(PortProblem problem, Language lang);

}  // namespace varel::link
