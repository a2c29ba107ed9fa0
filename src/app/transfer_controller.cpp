#include "app/transfer_controller.h"

#include <ctime>

#include "app/write_safety.h"
#include "checks/write_check.h"
#include "files/backups.h"
#include "link/frames.h"
#include "link/port_map.h"
#include "link/port_problem.h"
#include "link/read_machine.h"
#include "link/write_fingerprint.h"
#include "session/message_boxes.h"
#include "session/message_titles.h"
#include "session/service_modes.h"
#include "session/session.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"

namespace varel {

TransferController::TransferController(Session& session, MessageBoxes& boxes,
                                       const ServiceModes& modes, QWidget& window,
                                       const QString& backupFolder, std::function<int()> portNumber)
    : QObject(&window),
      m_session(session),
      m_boxes(boxes),
      m_modes(modes),
      m_window(window),
      m_backupFolder(backupFolder),
      m_portNumber(std::move(portNumber)) {
    m_transfer.setTrace(&m_trace);
    m_reenable.setObjectName("Timer1");
    m_reenable.setInterval(kReenableMs);
    connect(&m_reenable, &QTimer::timeout, this, &TransferController::OnReenableTimerTick);
    m_settle.setSingleShot(true);
    m_settle.setInterval(link::kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (m_write != nullptr) drive(m_write->settleElapsed());
    });
    connect(&m_transfer, &link::SerialTransfer::progressChanged, this, [this](int step) {
        if (m_progress != nullptr) m_progress->setStep(step);
    });
    // The backup of a write is saved before the radio's next reply can send the first block.
    connect(&m_transfer, &link::SerialTransfer::firstBlockAhead, this, [this] {
        if (m_write != nullptr && m_write->firstBlockAhead().task == link::WriteTask::BackUp)
            m_write->backupEnded(backup(BackupKind::Write, m_session.OutImage()));
    });
    // Questions and endings run from the event loop, never inside the adapter's handling of
    // a byte or a tick, so that a message box cannot re-enter it.
    connect(&m_transfer, &link::SerialTransfer::bandQuestion, this,
            &TransferController::askBandQuestion, Qt::QueuedConnection);
    connect(&m_transfer, &link::SerialTransfer::finished, this, &TransferController::finish,
            Qt::QueuedConnection);
}

TransferController::~TransferController() = default;

void TransferController::StartRead() {
    if (isRunning() || m_reenable.isActive()) return;
    if (!openPort()) return reportInvalidPort();
    // A frequency still being typed is taken over before the first frame leaves.
    m_session.commitPendingFrequency();
    m_received = m_session.InImage();
    if (!begin(Direction::Read, std::make_unique<link::ReadMachine>(m_received)))
        return reportInvalidPort();
    showProgress(tr("Reading……"), text(Message::ReadingData), true);
}

void TransferController::StartWrite() {
    if (isRunning() || m_reenable.isActive()) return;
    // Edits still being typed are committed before anything else: a message about one must
    // not hold up a running transfer while the radio is being sent blocks.
    m_session.commitPendingEdits();
    link::WriteRequest request;
    request.options.band = m_session.settings().band();
    request.options.debugMode = m_modes.DebugMode();
    request.options.forceWriteMode = m_modes.ForceWriteMode();
    request.verify = m_verify;
    request.lang = m_session.language();
    m_write = std::make_unique<link::WriteProcedure>(m_session.OutImage(), request);
    drive(m_write->start());
}

void TransferController::drive(link::WriteNext next) {
    // The tasks that take no time are done at once; a transfer and the settle time return to
    // the event loop, whose signals bring the next event.
    for (;;) {
        switch (next.task) {
            case link::WriteTask::Check:
                next = m_write->checkAnswered(checkBeforeWrite());
                break;
            case link::WriteTask::OpenPort:
                next = m_write->portOpened(openPort());
                break;
            case link::WriteTask::BackUp:  // asked for from within the write (firstBlockAhead)
                return;
            case link::WriteTask::Write:
                if (!begin(Direction::Write,
                           std::make_unique<link::WriteMachine>(m_session.OutImage(),
                                                                m_write->request().options))) {
                    next = m_write->writeEnded(link::Outcome::PortInvalid);
                    break;
                }
                // Right after the wake-up frame; the first block leaves only after the radio's
                // replies, and the encode gives the bytes it and the backup hold.
                m_session.encode();
                showProgress(tr("Writing……"), text(Message::WritingData), false);
                return;
            case link::WriteTask::Settle:
                if (!next.retry)
                    m_progress->begin(tr("Verifying……"),
                                      tr("Reading the radio back to compare, please wait."), true);
                m_settle.start();
                return;
            case link::WriteTask::ReadBack:
                if (openPort() && begin(Direction::ReadBack, std::make_unique<link::ReadMachine>(
                                                                 m_write->readBackImage())))
                    return;
                next = m_write->readBackEnded(link::Outcome::PortInvalid);
                break;
            case link::WriteTask::Report: {
                // Told with the procedure gone, as every ending is told with nothing running.
                const std::unique_ptr<link::WriteProcedure> write = std::move(m_write);
                return reportWrite(write->result());
            }
            case link::WriteTask::None:
                return;
        }
    }
}

bool TransferController::checkBeforeWrite() {
    const Language lang = m_session.language();
    const std::vector<WriteProblem> problems =
        CheckBeforeWrite(m_session.channels().model(), m_session.settings());
    if (problems.empty()) return true;
    const WriteCheckText shown = DescribeWriteProblems(problems, lang);
    return m_boxes.Confirm(shown.text, shown.details, tr("Check before writing"),
                           tr("Write anyway"));
}

void TransferController::stopForExit() {
    m_settle.stop();
    // The ending that interrupt() reports must not be told or decoded any more.
    disconnect(&m_transfer, &link::SerialTransfer::finished, this, nullptr);
    const bool running = m_transfer.isRunning();
    m_transfer.interrupt();
    // The trace of a transfer cut short by the exit, its End included, is kept all the same.
    if (running) keepTrace();
}

void TransferController::retranslate() {
    if (m_progress != nullptr) m_progress->retranslate();
}

void TransferController::OnReenableTimerTick() {
    if (++m_reenableTicks <= kReenableSilentTicks) return;
    m_reenableTicks = 0;
    m_reenable.stop();
    emit commandsEnabled(true);
}

bool TransferController::openPort() {
    m_device = link::PortDevice(m_portNumber());
    if (m_transfer.open(QString::fromStdString(m_device))) return true;
    m_invalidDevice = m_device;
    m_invalidProblem = m_transfer.openProblem();
    return false;
}

bool TransferController::begin(Direction direction,
                               std::unique_ptr<link::TransferMachine> machine) {
    // A read-back goes on in the trace of its write.
    if (direction != Direction::ReadBack) {
        m_trace.start(direction == Direction::Read ? "read" : "write", m_device);
        m_backupFailed = false;
    }
    // The port may have gone away while a pending edit was being committed.
    if (!m_transfer.begin(*machine)) {
        m_invalidDevice = link::PortDevice(m_portNumber());
        m_invalidProblem = link::DiagnosePort(m_invalidDevice);
        return false;
    }
    m_machine = std::move(machine);
    m_direction = direction;
    return true;
}

void TransferController::showProgress(const QString& caption, const QString& label,
                                      bool cancellable) {
    if (m_progress == nullptr) {
        m_progress = new ProgressWindow(m_window, link::kLastStep);
        connect(m_progress, &ProgressWindow::cancelRequested, this, &TransferController::cancel);
    }
    m_progress->begin(caption, label, cancellable);
    emit commandsEnabled(false);
}

void TransferController::askBandQuestion() {
    const int answer = message(
        text(Message::BandQuestion),
        MsgStyle::OkCancel | MsgStyle::Question | MsgStyle::DefaultButton2 | MsgStyle::SystemModal,
        MsgTitle::Careful());
    m_transfer.answerBandQuestion(answer == MsgResult::Ok);
}

void TransferController::cancel() {
    // A read and a read-back stop half-way: End is sent, the port closed, nothing is decoded.
    if (m_write != nullptr && m_settle.isActive()) {
        m_settle.stop();
        drive(m_write->cancel());
    } else if (m_direction == Direction::Read || m_direction == Direction::ReadBack) {
        m_transfer.interrupt();
    }
}

void TransferController::finish(link::Outcome outcome) {
    const Direction direction = m_direction;
    m_direction = Direction::None;
    m_machine.reset();
    keepTrace();
    // What a read received stays in InImage also when the read broke off.
    if (direction == Direction::Read) m_session.loadImage(m_received);
    switch (direction) {
        case Direction::Read:
            return outcome == link::Outcome::Success ? readSucceeded() : failed(outcome);
        case Direction::Write:
            return drive(m_write->writeEnded(outcome));
        case Direction::ReadBack:
            return drive(m_write->readBackEnded(outcome));
        case Direction::None:
            break;
    }
}

void TransferController::failed(link::Outcome outcome) {
    switch (outcome) {
        case link::Outcome::BandRefused:
            message(text(Message::BandRefused), MsgStyle::OkOnly | MsgStyle::Exclamation,
                    MsgTitle::Mistake());
            m_progress->hide();
            break;
        case link::Outcome::CommunicationError:
            m_progress->hide();
            // The sentence as it stands, then the device of the port the transfer used.
            message(text(Message::CommunicationError) + "\n" + QtText(m_device),
                    MsgStyle::OkOnly | MsgStyle::Critical, MsgTitle::Mistake());
            emit notice(
                tr("Programming > Diagnose Connection... looks for why the radio did "
                   "not answer"));
            break;
        default:  // the band question answered Cancel, or a read cancelled: no message
            m_progress->hide();
            break;
    }
    emit commandsEnabled(true);
    emit transferEnded();
}

void TransferController::readSucceeded() {
    m_progress->hide();
    backup(BackupKind::Read, m_session.InImage());
    m_session.decode(QT_TRANSLATE_NOOP("varel::EditLabel", "Read"));
    message(text(Message::ReadSucceeded), MsgStyle::OkOnly, MsgTitle::Tip());
    coolDown();
}

void TransferController::reportWrite(const link::WriteResult& result) {
    switch (result.end) {
        case link::WriteEnd::Stopped:  // the check's question was answered Cancel
            return;
        case link::WriteEnd::PortInvalid:
            return reportInvalidPort();
        case link::WriteEnd::Failed:
            return failed(result.write);
        case link::WriteEnd::Written:
            m_progress->hide();
            message(text(*result.message), MsgStyle::OkOnly, MsgTitle::Tip());
            break;
        case link::WriteEnd::Verified:
            m_progress->hide();
            message(text(Message::WriteSucceeded) + "\n" + text(*result.message) + "\n" +
                        QtText(link::FingerprintLine(link::WriteFingerprint(m_session.OutImage()),
                                                     m_session.language())),
                    MsgStyle::OkOnly, MsgTitle::Tip());
            break;
        case link::WriteEnd::Differs:
            m_progress->hide();
            message(DescribeDifferences(result.differences), MsgStyle::OkOnly | MsgStyle::Critical,
                    MsgTitle::Mistake());
            break;
        case link::WriteEnd::NotVerified:
            m_progress->hide();
            message(
                tr("The write ended, but the radio could not be read back: it is not verified."),
                MsgStyle::OkOnly | MsgStyle::Exclamation, MsgTitle::Mistake());
            break;
    }
    coolDown();
}

void TransferController::coolDown() {
    // Timer1 brings the commands back about 1.2 s after the ending's message was closed.
    m_reenableTicks = 0;
    m_reenable.start();
    emit transferEnded();
}

bool TransferController::backup(BackupKind kind, const MemoryImage& image) {
    const BackupResult saved =
        SaveBackup(image, kind, m_backupFolder.toStdString(), std::time(nullptr));
    if (saved.result.ok()) return true;
    m_backupFailed = true;
    noticeFailure(tr("The backup could not be saved: %1"), saved.result);
    return false;
}

void TransferController::keepTrace() {
    // Saved before the ending's message, so that it is there while the user reads it. A trace
    // that cannot be saved is only said, unless the backup's failure was said already: that
    // one matters more, and the folder is the same.
    const BackupResult saved = SaveBesideBackups(link::TraceText(m_trace.trace()),
                                                 m_backupFolder.toStdString(), kLastTraceName);
    if (!saved.result.ok() && !m_backupFailed)
        noticeFailure(tr("The trace of the transfer could not be saved: %1"), saved.result);
}

void TransferController::noticeFailure(const QString& what, const DataFileResult& result) {
    const Language lang = m_session.language();
    QString reason = QtText(DataFileMessage(result.error, lang));
    const std::string system = ReasonText(result, lang);
    if (!system.empty()) reason += " " + QtText(system);
    emit notice(what.arg(reason));
}

void TransferController::reportInvalidPort() {
    // The message keeps its text; a second line names the device and why it cannot be used.
    const Language lang = m_session.language();
    const std::string reason = link::PortProblemText(m_invalidProblem, lang);
    QString second = m_invalidDevice.empty() ? tr("No port is chosen.") : QtText(m_invalidDevice);
    if (!m_invalidDevice.empty() && !reason.empty()) second += ": " + QtText(reason);
    message(text(Message::PortInvalid) + "\n" + second, MsgStyle::OkOnly, QString());
}

QString TransferController::text(Message message) const {
    return QtText(message, m_session.language());
}

int TransferController::message(const QString& text, int style, const QString& title) {
    return m_boxes.LocalMsgBox(text, style, title);
}

}  // namespace varel
