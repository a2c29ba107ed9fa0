#pragma once
// Reading and writing the radio from the program: StartRead, StartWrite, the progress window,
// every ending and the re-enable timer Timer1. The serial adapter's signals and timers drive a
// transfer; nothing here waits or blocks.
#include <QObject>
#include <QTimer>
#include <memory>

#include "image/messages.h"
#include "link/serial_transfer.h"

namespace varel {

class MessageBoxes;
class ProgressWindow;
class ServiceModes;
class Session;

/// Runs the radio transfers of the main window.
class TransferController : public QObject {
    Q_OBJECT

public:
    /// Interval of Timer1 in milliseconds.
    static constexpr int kReenableMs = 100;
    /// Ticks of Timer1 that pass before the read and write commands return on the next one.
    static constexpr int kReenableSilentTicks = 11;

    /// Transfers of the session's images through the port of its PortNumber; messages go
    /// through boxes, the progress window is shown over window.
    TransferController(Session& session, MessageBoxes& boxes, const ServiceModes& modes,
                       QWidget& window);
    ~TransferController() override;

    /// StartRead: opens the port of PortNumber, takes over a pending frequency edit, and reads
    /// the radio's memory into InImage; a successful read is decoded into the editors.
    void StartRead();
    /// StartWrite: opens the port of PortNumber and writes the editors, encoded into OutImage
    /// right after the wake-up frame, to the radio.
    void StartWrite();
    /// Texts of the progress window, when it exists.
    void retranslate();

    /// True from the start of a transfer until its ending has been handled.
    bool isRunning() const { return m_direction != Direction::None; }
    /// The progress window FrmWriting; null until the first transfer.
    ProgressWindow* progressWindow() const { return m_progress; }
    /// Timer1: started when a success message is closed, it brings the commands back.
    QTimer& reenableTimer() { return m_reenable; }
    /// OnReenableTimerTick: the 12th tick enables the read and write commands and stops Timer1.
    void OnReenableTimerTick();

signals:
    /// The read and write commands are to be enabled or disabled.
    void commandsEnabled(bool enabled);
    /// A transfer's ending has been handled (its message closed).
    void transferEnded();

private:
    enum class Direction { None, Read, Write };

    bool openPort();
    bool begin(Direction direction, std::unique_ptr<link::TransferMachine> machine);
    void showProgress(const QString& caption, const QString& label);
    void askBandQuestion();
    void finish(link::Outcome outcome);
    void reportInvalidPort();
    QString text(Message message) const;
    int message(const QString& text, int style, const QString& title);

    Session& m_session;
    MessageBoxes& m_boxes;
    const ServiceModes& m_modes;
    QWidget& m_window;
    link::SerialTransfer m_transfer;
    std::unique_ptr<link::TransferMachine> m_machine;
    ProgressWindow* m_progress = nullptr;
    QTimer m_reenable;
    int m_reenableTicks = 0;
    Direction m_direction = Direction::None;
};

}  // namespace varel
