#pragma once
// Finding and opening the serial ports 1 to 20 (port numbers map to devices in port_map.h).
//
// Every open goes to the resolved device (symbolic links followed), so that one device has one
// lock file whatever name it is reached by, and is refused while a running process holds a
// lock on it; lock files of processes that are gone are removed first (port_lock.h).
#include <QSerialPort>
#include <QString>
#include <array>
#include <string>

#include "link/port_map.h"
#include "link/port_problem.h"

namespace varel::link {

/// What the probe found out about one port.
struct PortStatus {
    bool openable = false;                    ///< the port could be opened
    std::string device;                       ///< its device path (overrides included)
    PortProblem problem = PortProblem::None;  ///< why it could not be opened
};

/// The status of every port, index 0 for port 1.
using PortAvailability = std::array<PortStatus, kLastPort>;

/// FindCom: tries to open each of the ports 1 to 20 in turn and closes it again. A port that
/// does not exist or is held by another program counts as not openable, with the reason. No
/// port is left open.
PortAvailability FindCom();

/// Opens a device for a transfer: closes the port if it is open, then opens the device
/// read-write at 9600 bit/s, 8 data bits, no parity, one stop bit, no flow control, and
/// discards whatever an earlier session left in the input. True when the port is open;
/// otherwise problem (when given) receives the reason.
bool OpenComDevice(QSerialPort& port, const QString& device, PortProblem* problem = nullptr);

/// OpenCom: OpenComDevice on the device of a port number; false (NoSuchDevice) for a number
/// outside 1-20.
bool OpenCom(QSerialPort& port, int portNumber, PortProblem* problem = nullptr);

}  // namespace varel::link
