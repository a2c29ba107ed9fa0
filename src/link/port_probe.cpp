#include "link/port_probe.h"

#include "link/port_lock.h"

namespace varel::link {

namespace {

// Opens the resolved device after honouring and clearing its lock files; the reason when that
// fails.
PortProblem OpenLocked(QSerialPort& port, const std::string& device) {
    if (port.isOpen()) port.close();
    const std::string resolved = ResolveDevice(device);
    if (resolved.empty()) return DiagnosePort(device);
    if (IsPortLocked(device, true)) return PortProblem::Busy;
    port.setPortName(QString::fromStdString(resolved));
    if (port.open(QIODevice::ReadWrite)) return PortProblem::None;
    const PortProblem problem = DiagnosePort(resolved);
    if (problem != PortProblem::None) return problem;
    // The device opens on its own; what failed was Qt's lock file (no usable lock folder).
    return port.error() == QSerialPort::PermissionError ? PortProblem::NoPermission
                                                        : PortProblem::NoSuchDevice;
}

}  // namespace

PortAvailability FindCom() {
    PortAvailability ports{};
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        PortStatus& status = ports[static_cast<std::size_t>(n - 1)];
        status.device = PortDevice(n);
        // A device that does not even open by itself (missing, refused, a serial device node
        // with no hardware behind it) is told apart without the lock file of a real opening,
        // which is written through to the disk; only a device that opens is opened as a
        // transfer opens it.
        const std::string resolved = ResolveDevice(status.device);
        status.problem = DiagnosePort(resolved.empty() ? status.device : resolved);
        if (status.problem != PortProblem::None) continue;
        QSerialPort port;
        status.problem = OpenLocked(port, status.device);
        status.openable = port.isOpen();
        port.close();
    }
    return ports;
}

bool OpenComDevice(QSerialPort& port, const QString& device, PortProblem* problem) {
    PortProblem reason = OpenLocked(port, device.toStdString());
    if (reason == PortProblem::None) {
        const bool configured =
            port.setBaudRate(QSerialPort::Baud9600) && port.setDataBits(QSerialPort::Data8) &&
            port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
            port.setFlowControl(QSerialPort::NoFlowControl);
        if (!configured) {
            port.close();
            reason = PortProblem::NotSerial;
        }
    }
    if (problem != nullptr) *problem = reason;
    if (reason != PortProblem::None) return false;
    // Some cables draw their power from the modem-control lines; a line that cannot be set
    // (a pseudo-terminal has none) does no harm.
    port.setDataTerminalReady(true);
    port.setRequestToSend(true);
    port.clearError();
    // Bytes left over from an earlier session must not be taken for replies.
    port.clear(QSerialPort::Input);
    return true;
}

bool OpenCom(QSerialPort& port, int portNumber, PortProblem* problem) {
    return OpenComDevice(port, QString::fromStdString(PortDevice(portNumber)), problem);
}

}  // namespace varel::link
