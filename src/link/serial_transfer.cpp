#include "link/serial_transfer.h"

#include <QByteArray>

#include "link/port_probe.h"

namespace varel::link {

SerialTransfer::SerialTransfer(QObject* parent) : QObject(parent) {
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &SerialTransfer::onTick);
    connect(&m_port, &QSerialPort::readyRead, this, &SerialTransfer::onReadyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialTransfer::onError);
}

SerialTransfer::~SerialTransfer() {
    m_timer.stop();
    m_machine = nullptr;
    if (m_port.isOpen()) m_port.close();
}

bool SerialTransfer::start(const QString& device, TransferMachine& machine) {
    return open(device) && begin(machine);
}

bool SerialTransfer::open(const QString& device) {
    return m_machine == nullptr && OpenComDevice(m_port, device, &m_openProblem);
}

bool SerialTransfer::begin(TransferMachine& machine) {
    if (m_machine != nullptr || !m_port.isOpen()) return false;
    m_machine = &machine;
    m_threshold = 1;
    m_traced = 0;
    m_timer.start();
    apply(machine.start());
    return true;
}

void SerialTransfer::answerBandQuestion(bool ok) {
    if (m_machine != nullptr) apply(m_machine->answerBandQuestion(ok));
}

void SerialTransfer::interrupt() {
    if (m_machine != nullptr) apply(m_machine->interrupt());
}

void SerialTransfer::onReadyRead() {
    if (m_machine == nullptr) {
        m_port.clear(QSerialPort::Input);
        return;
    }
    if (m_trace != nullptr && m_port.bytesAvailable() > m_traced) {
        // Peeking leaves the bytes where they are, for the threshold to decide on.
        const QByteArray buffered = m_port.peek(m_port.bytesAvailable());
        m_trace->received(reinterpret_cast<const std::uint8_t*>(buffered.constData()) + m_traced,
                          static_cast<std::size_t>(buffered.size() - m_traced));
        m_traced = buffered.size();
    }
    if (m_port.bytesAvailable() < m_threshold) return;
    const QByteArray data = m_port.readAll();
    m_traced = 0;
    apply(m_machine->received(reinterpret_cast<const std::uint8_t*>(data.constData()),
                              static_cast<std::size_t>(data.size())));
}

void SerialTransfer::onTick() {
    if (m_machine != nullptr) apply(m_machine->tick());
}

void SerialTransfer::onError(QSerialPort::SerialPortError error) {
    // A vanished device raises these on every attempt to read; stop reading and let the reply
    // timeout end the transfer.
    if ((error == QSerialPort::ReadError || error == QSerialPort::ResourceError) &&
        m_port.isOpen()) {
        m_port.close();
    }
}

void SerialTransfer::apply(const Actions& actions) {
    if (actions.threshold) m_threshold = *actions.threshold;
    if (!actions.writes.empty() && m_port.isOpen()) {
        for (const auto& call : actions.writes) {
            m_port.write(reinterpret_cast<const char*>(call.data()),
                         static_cast<qint64>(call.size()));
            if (m_trace != nullptr) m_trace->sent(call.data(), call.size());
        }
        m_port.flush();
    }
    if (actions.progress) emit progressChanged(*actions.progress);
    if (actions.firstBlockAhead) emit firstBlockAhead();
    if (actions.outcome != Outcome::Pending) {
        m_timer.stop();
        m_machine = nullptr;
        if (m_port.isOpen()) {
            // The last frame (an End) must leave before the port closes. Waiting when nothing
            // is left would block until the timeout.
            if (m_port.bytesToWrite() > 0) m_port.waitForBytesWritten(kTickMs);
            m_port.close();
        }
        emit finished(actions.outcome);
        return;
    }
    // Last, because the answer may be given at once from within the signal.
    if (actions.askBandMismatch) emit bandQuestion();
}

}  // namespace varel::link
