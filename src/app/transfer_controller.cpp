#include "app/transfer_controller.h"

#include <ctime>

#include "app/write_safety.h"
#include "checks/write_check.h"
#include "files/backups.h"
#include "link/frames.h"
#include "link/port_map.h"
#include "link/port_problem.h"
#include "link/read_machine.h"
#include "link/verify.h"
#include "session/message_boxes.h"
#include "session/message_titles.h"
#include "session/service_modes.h"
#include "session/session.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"

namespace varel {

namespace {

// A read-back that finds no answer is tried once more.
constexpr int kReadBackTries = 2;

}  // namespace

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
    m_reenable.setObjectName("Timer1");
    m_reenable.setInterval(kReenableMs);
    connect(&m_reenable, &QTimer::timeout, this, &TransferController::OnReenableTimerTick);
    m_settle.setSingleShot(true);
    m_settle.setInterval(link::kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &TransferController::startReadBack);
    connect(&m_transfer, &link::SerialTransfer::progressChanged, this, [this](int step) {
        if (m_progress != nullptr) m_progress->setStep(step);
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
    if (isRunning() || m_reenable.isActive() || !openPort()) return;
    // A frequency still being typed is taken over before the first frame leaves.
    m_session.commitPendingFrequency();
    m_received = m_session.InImage();
    if (!begin(Direction::Read, std::make_unique<link::ReadMachine>(m_received))) return;
    showProgress(tr("Reading……"), text(Message::ReadingData), true);
}

void TransferController::StartWrite() {
    if (isRunning() || m_reenable.isActive()) return;
    // Edits still being typed are committed before anything else: a message about one must
    // not hold up a running transfer while the radio is being sent blocks.
    m_session.commitPendingEdits();
    if (!checkBeforeWrite() || !openPort()) return;
    m_written = link::WriteOptions{};
    m_written.band = m_session.settings().band();
    m_written.debugMode = m_modes.DebugMode();
    m_written.forceWriteMode = m_modes.ForceWriteMode();
    // What is about to be sent is kept before the wake-up frame leaves; the encode after the
    // frame gives the same bytes.
    m_session.encode();
    backup(BackupKind::Write, m_session.OutImage());
    if (!begin(Direction::Write,
               std::make_unique<link::WriteMachine>(m_session.OutImage(), m_written)))
        return;
    // Right after the wake-up frame; the first block leaves only after the radio's replies.
    m_session.encode();
    showProgress(tr("Writing……"), text(Message::WritingData), false);
}

bool TransferController::checkBeforeWrite() {
    const Language lang = m_session.language();
    const std::vector<WriteProblem> problems =
        CheckBeforeWrite(m_session.channels().model(), m_session.settings(), lang);
    if (problems.empty()) return true;
    const WriteCheckText shown = DescribeWriteProblems(problems, lang);
    return m_boxes.Confirm(shown.text, shown.details, tr("Check before writing"),
                           tr("Write anyway"));
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
    const std::string device = link::PortDevice(m_portNumber());
    if (m_transfer.open(QString::fromStdString(device))) return true;
    reportInvalidPort(device, m_transfer.openProblem());
    return false;
}

bool TransferController::begin(Direction direction,
                               std::unique_ptr<link::TransferMachine> machine) {
    // The port may have gone away while a pending edit was being committed.
    if (!m_transfer.begin(*machine)) {
        const std::string device = link::PortDevice(m_portNumber());
        reportInvalidPort(device, link::DiagnosePort(device));
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
    // Only a read stops half-way: End is sent, the port closed, nothing is decoded.
    if (m_direction == Direction::Verify && m_settle.isActive()) {
        m_settle.stop();
        m_readBackTries = kReadBackTries;
        finishReadBack(link::Outcome::Interrupted);
    } else if (m_direction == Direction::Read || m_direction == Direction::Verify) {
        m_transfer.interrupt();
    }
}

void TransferController::finish(link::Outcome outcome) {
    const Direction direction = m_direction;
    m_direction = Direction::None;
    m_machine.reset();
    if (direction == Direction::Verify) return finishReadBack(outcome);
    // What a read received stays in InImage also when the read broke off.
    if (direction == Direction::Read) m_session.loadImage(m_received);
    switch (outcome) {
        case link::Outcome::Success:
            return succeeded(direction);
        case link::Outcome::BandRefused:
            message(text(Message::BandRefused), MsgStyle::OkOnly | MsgStyle::Exclamation,
                    MsgTitle::Mistake());
            m_progress->hide();
            break;
        case link::Outcome::CommunicationError:
            m_progress->hide();
            message(text(Message::CommunicationError), MsgStyle::OkOnly | MsgStyle::Critical,
                    MsgTitle::Mistake());
            break;
        default:  // the band question answered Cancel, or a read cancelled: no message
            m_progress->hide();
            break;
    }
    emit commandsEnabled(true);
    emit transferEnded();
}

void TransferController::succeeded(Direction direction) {
    if (direction == Direction::Write && m_verify) {
        // The write is read back before its ending is told.
        m_readBackTries = 0;
        m_direction = Direction::Verify;
        m_progress->begin(tr("Verifying……"), tr("Reading the radio back to compare, please wait."),
                          true);
        m_settle.start();
        return;
    }
    m_progress->hide();
    if (direction == Direction::Read) {
        backup(BackupKind::Read, m_session.InImage());
        m_session.decode();
    }
    message(text(direction == Direction::Read ? Message::ReadSucceeded : Message::WriteSucceeded),
            MsgStyle::OkOnly, MsgTitle::Tip());
    m_reenableTicks = 0;
    m_reenable.start();
    emit transferEnded();
}

void TransferController::startReadBack() {
    ++m_readBackTries;
    m_readBack = MemoryImage{};
    const std::string device = link::PortDevice(m_portNumber());
    auto machine = std::make_unique<link::ReadMachine>(m_readBack);
    if (!m_transfer.start(QString::fromStdString(device), *machine)) {
        finishReadBack(link::Outcome::CommunicationError);
        return;
    }
    m_machine = std::move(machine);
}

void TransferController::finishReadBack(link::Outcome outcome) {
    m_machine.reset();
    if (outcome == link::Outcome::CommunicationError && m_readBackTries < kReadBackTries) {
        m_direction = Direction::Verify;
        m_settle.start();
        return;
    }
    m_direction = Direction::None;
    m_progress->hide();
    const Language lang = m_session.language();
    if (outcome == link::Outcome::Success) {
        const auto differences =
            link::CompareWrittenBlocks(m_session.OutImage(), m_readBack, m_written, lang);
        if (differences.empty())
            message(text(Message::WriteSucceeded) + "\n" +
                        tr("Verified: the radio holds every "
                           "byte that was written."),
                    MsgStyle::OkOnly, MsgTitle::Tip());
        else
            message(DescribeDifferences(differences), MsgStyle::OkOnly | MsgStyle::Critical,
                    MsgTitle::Mistake());
    } else {
        message(tr("The write ended, but the radio could not be read back: it is not verified."),
                MsgStyle::OkOnly | MsgStyle::Exclamation, MsgTitle::Mistake());
    }
    m_reenableTicks = 0;
    m_reenable.start();
    emit transferEnded();
}

void TransferController::backup(BackupKind kind, const MemoryImage& image) {
    const BackupResult saved =
        SaveBackup(image, kind, m_backupFolder.toStdString(), std::time(nullptr));
    if (saved.result.ok()) return;
    const Language lang = m_session.language();
    QString reason = QtText(DataFileMessage(saved.result.error, lang));
    const std::string system = ReasonText(saved.result, lang);
    if (!system.empty()) reason += " " + QtText(system);
    emit notice(tr("The backup could not be saved: %1").arg(reason));
}

void TransferController::reportInvalidPort(const std::string& device, link::PortProblem problem) {
    // The message keeps its text; a second line names the device and why it cannot be used.
    const Language lang = m_session.language();
    const std::string reason = link::PortProblemText(problem, lang);
    QString second = device.empty() ? tr("No port is chosen.") : QtText(device);
    if (!device.empty() && !reason.empty()) second += ": " + QtText(reason);
    message(text(Message::PortInvalid) + "\n" + second, MsgStyle::OkOnly, QString());
}

QString TransferController::text(Message message) const {
    return QtText(message, m_session.language());
}

int TransferController::message(const QString& text, int style, const QString& title) {
    return m_boxes.LocalMsgBox(text, style, title);
}

}  // namespace varel
