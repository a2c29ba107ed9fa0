#include "port_probe.h"

namespace varel::link {

PortAvailability FindCom() {
    PortAvailability available{};
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        QSerialPort port;
        port.setPortName(QString::fromStdString(PortDevice(n)));
        available[static_cast<std::size_t>(n - 1)] = port.open(QIODevice::ReadWrite);
        port.close();
    }
    return available;
}

bool OpenComDevice(QSerialPort& port, const QString& device) {
    if (port.isOpen()) port.close();
    if (device.isEmpty()) return false;
    port.setPortName(device);
    if (!port.open(QIODevice::ReadWrite)) return false;
    const bool configured =
        port.setBaudRate(QSerialPort::Baud9600) && port.setDataBits(QSerialPort::Data8) &&
        port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop) &&
        port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        port.close();
        return false;
    }
    // Some cables draw their power from the modem-control lines; a line that cannot be set
    // (a pseudo-terminal has none) does no harm.
    port.setDataTerminalReady(true);
    port.setRequestToSend(true);
    port.clearError();
    // Bytes left over from an earlier session must not be taken for replies.
    port.clear(QSerialPort::Input);
    return true;
}

bool OpenCom(QSerialPort& port, int portNumber) {
    const std::string device = PortDevice(portNumber);
    if (device.empty()) {
        if (port.isOpen()) port.close();
        return false;
    }
    return OpenComDevice(port, QString::fromStdString(device));
}

}  // namespace varel::link
