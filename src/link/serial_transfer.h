#pragma once
// Runs a transfer machine over a serial port: the port, the 50 ms reply timer, the receive
// threshold, and the one ending.
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include "link/port_problem.h"
#include "link/transfer_actions.h"
#include "link/transfer_machine.h"
#include "link/transfer_trace.h"

namespace varel::link {

/// Drives one transfer machine at a time over a QSerialPort.
///
/// Received bytes reach the machine only once at least the receive threshold is buffered, and
/// then all buffered bytes at once. Every output call of the machine is one write on the port.
/// The trace, when one is set, sees each piece as it arrives, also below the threshold.
/// A read or resource error of the port (an unplugged cable) closes the port; the transfer then
/// ends through the machine's reply timeout. After finished() the port is closed.
class SerialTransfer : public QObject {
    Q_OBJECT

public:
    /// Interval of the reply timer in milliseconds.
    static constexpr int kTickMs = 50;

    /// An idle transfer.
    explicit SerialTransfer(QObject* parent = nullptr);
    ~SerialTransfer() override;

    /// Opens the device and starts the machine, which must stay alive until finished() (or
    /// until this object is destroyed). False, and nothing started, when the port cannot be
    /// opened (see openProblem()) or a transfer is already running.
    bool start(const QString& device, TransferMachine& machine);

    /// The first half of start(): opens the device, so that the caller can finish its own
    /// preparations before the first frame leaves. False when the port cannot be opened or a
    /// transfer is already running.
    bool open(const QString& device);
    /// The second half of start(): starts the machine on the port that open() opened. False,
    /// and nothing started, when the port is not open or a transfer is already running.
    bool begin(TransferMachine& machine);

    /// Gives the machine the answer to the band question (after bandQuestion()).
    void answerBandQuestion(bool ok);

    /// Ends a running transfer at once as the reply timeout does: End is sent, the port
    /// closed, and finished() reports Outcome::Interrupted. Does nothing when none runs.
    void interrupt();

    /// Why the last start() could not open the port (None after a successful open).
    PortProblem openProblem() const { return m_openProblem; }

    /// True from a successful start() until finished().
    bool isRunning() const { return m_machine != nullptr; }

    /// Taps the transfers: every output call and every piece received, as it arrives, goes to
    /// recorder as well (nullptr: none). The recorder must outlive the transfers it taps; it
    /// changes nothing of what is sent or received.
    void setTrace(TraceRecorder* recorder) { m_trace = recorder; }

    /// The port (for its state; the transfer owns it).
    const QSerialPort& port() const { return m_port; }

signals:
    /// The progress bar's new value, 1 to 196.
    void progressChanged(int value);
    /// The radio's band differs and the user must be asked; answer with answerBandQuestion().
    /// The reply timer stands still meanwhile.
    void bandQuestion();
    /// The radio accepted a write and its first block goes on the next reply; a direct
    /// connection runs before that reply can be handled.
    void firstBlockAhead();
    /// The transfer ended; the port is already closed. Emitted once per started transfer.
    void finished(varel::link::Outcome outcome);

private:
    void onReadyRead();
    void onTick();
    void onError(QSerialPort::SerialPortError error);
    void apply(const Actions& actions);

    QSerialPort m_port;
    QTimer m_timer;
    TransferMachine* m_machine = nullptr;
    TraceRecorder* m_trace = nullptr;
    qint64 m_traced = 0;  // bytes of the port's buffer already given to the trace
    int m_threshold = 1;
    PortProblem m_openProblem = PortProblem::None;
};

}  // namespace varel::link
