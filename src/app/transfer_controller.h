#pragma once
// Reading and writing the radio from the program: StartRead, StartWrite, the progress window,
// every ending and the re-enable timer Timer1. The serial adapter's signals and timers drive a
// transfer; nothing here waits or blocks.
//
// Around the plain transfers, whose frames stay exactly as they are: a backup of the image
// after every read. A write is the shared write procedure (link/write_procedure.h), driven by
// the event loop: the check before the wake-up frame, the backup, and, when asked for, the
// read-back that compares every byte the write sent. A read and a read-back can be cancelled
// from the progress window; a write cannot.
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "image/memory_image.h"
#include "image/messages.h"
#include "link/serial_transfer.h"
#include "link/write_procedure.h"

namespace varel {

class MessageBoxes;
class ProgressWindow;
class ServiceModes;
class Session;
enum class BackupKind;
struct DataFileResult;

/// Runs the radio transfers of the main window.
class TransferController : public QObject {
    Q_OBJECT

public:
    /// Interval of Timer1 in milliseconds.
    static constexpr int kReenableMs = 100;
    /// Ticks of Timer1 that pass before the read and write commands return on the next one.
    static constexpr int kReenableSilentTicks = 11;

    /// Transfers of the session's images through the port of PortNumber, asked of portNumber
    /// as each transfer opens it; messages go through boxes, the progress window is shown over
    /// window, backups go to backupFolder.
    TransferController(Session& session, MessageBoxes& boxes, const ServiceModes& modes,
                       QWidget& window, const QString& backupFolder,
                       std::function<int()> portNumber);
    ~TransferController() override;

    /// StartRead: opens the port of PortNumber, takes over a pending frequency edit, and reads
    /// the radio's memory into InImage; a successful read is saved as a backup and decoded
    /// into the editors.
    void StartRead();
    /// StartWrite: checks the configuration (a problem is shown and may stop the write), opens
    /// the port of PortNumber, saves what is to be sent as a backup and writes the editors,
    /// encoded into OutImage, to the radio; with verify it reads the radio back and compares.
    void StartWrite();
    /// The program is about to end (SIGTERM or SIGINT): a running transfer is ended at once,
    /// End sent and the port closed; nothing is reported, decoded or saved afterwards.
    void stopForExit();
    /// The check before writing: the problems of the configuration are shown and the user
    /// chooses; true to write on (also when there is none).
    bool checkBeforeWrite();
    /// Texts of the progress window, when it exists.
    void retranslate();

    /// Whether a successful write is read back and compared.
    void setVerifyAfterWrite(bool on) { m_verify = on; }
    /// The wait before the read-back (tests shorten it).
    void setSettleMs(int ms) { m_settle.setInterval(ms); }

    /// True from the start of a transfer until its ending has been handled.
    bool isRunning() const { return m_direction != Direction::None || m_write != nullptr; }
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
    /// Something to say once in the status bar (a backup that failed).
    void notice(const QString& text);

private:
    enum class Direction { None, Read, Write, ReadBack };

    void drive(link::WriteNext next);
    bool openPort();
    bool begin(Direction direction, std::unique_ptr<link::TransferMachine> machine);
    void showProgress(const QString& caption, const QString& label, bool cancellable);
    void askBandQuestion();
    void cancel();
    void finish(link::Outcome outcome);
    void failed(link::Outcome outcome);
    void readSucceeded();
    void reportWrite(const link::WriteResult& result);
    void coolDown();
    bool backup(BackupKind kind, const MemoryImage& image);
    void keepTrace();
    void noticeFailure(const QString& what, const DataFileResult& result);
    void reportInvalidPort();
    QString text(Message message) const;
    int message(const QString& text, int style, const QString& title);

    Session& m_session;
    MessageBoxes& m_boxes;
    const ServiceModes& m_modes;
    QWidget& m_window;
    QString m_backupFolder;
    std::function<int()> m_portNumber;
    link::SerialTransfer m_transfer;
    link::TraceRecorder m_trace;  // the last transfer (a write and its read-back are one)
    std::unique_ptr<link::TransferMachine> m_machine;
    std::unique_ptr<link::WriteProcedure> m_write;  // the write under way, until it is told
    ProgressWindow* m_progress = nullptr;
    QTimer m_reenable;
    int m_reenableTicks = 0;
    Direction m_direction = Direction::None;
    bool m_verify = false;
    bool m_backupFailed = false;  // said in the status bar during this transfer
    MemoryImage m_received;       // a read's blocks over InImage; InImage when the read ends
    QTimer m_settle;              // the radio's moment to settle before a read-back
    std::string m_device;         // the device of the port the transfer opened
    std::string m_invalidDevice;  // the port that could not be opened, and why
    link::PortProblem m_invalidProblem = link::PortProblem::None;
};

}  // namespace varel
