#pragma once
// Finding and opening the serial ports 1 to 20 (port numbers map to devices in port_map.h).
#include <QSerialPort>
#include <QString>
#include <array>

#include "port_map.h"

namespace varel::link {

/// Which ports can be opened, index 0 for port 1.
using PortAvailability = std::array<bool, kLastPort>;

/// FindCom: tries to open each of the ports 1 to 20 in turn and closes it again. A port that
/// does not exist or is held by another program (lock file or exclusive mode) counts as not
/// openable. No port is left open.
PortAvailability FindCom();

/// Opens a device for a transfer: closes the port if it is open, then opens the device
/// read-write at 9600 bit/s, 8 data bits, no parity, one stop bit, no flow control, and
/// discards whatever an earlier session left in the input. True when the port is open.
bool OpenComDevice(QSerialPort& port, const QString& device);

/// OpenCom: OpenComDevice on the device of a port number; false for a number outside 1-20.
bool OpenCom(QSerialPort& port, int portNumber);

}  // namespace varel::link
