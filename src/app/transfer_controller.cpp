#include "app/transfer_controller.h"

#include "link/frames.h"
#include "link/port_map.h"
#include "link/read_machine.h"
#include "link/write_machine.h"
#include "session/message_boxes.h"
#include "session/service_modes.h"
#include "session/session.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"

namespace varel {

TransferController::TransferController(Session& session, MessageBoxes& boxes,
                                       const ServiceModes& modes, QWidget& window)
    : QObject(&window), m_session(session), m_boxes(boxes), m_modes(modes), m_window(window) {
    m_reenable.setObjectName("Timer1");
    m_reenable.setInterval(kReenableMs);
    connect(&m_reenable, &QTimer::timeout, this, &TransferController::OnReenableTimerTick);
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
    if (!begin(Direction::Read, std::make_unique<link::ReadMachine>(m_session.InImage()))) return;
    showProgress(tr("Reading……"), text(Message::ReadingData));
}

void TransferController::StartWrite() {
    if (isRunning() || m_reenable.isActive() || !openPort()) return;
    // Edits still being typed are committed before the first frame leaves: a message about
    // one must not hold up a running transfer while the radio is being sent blocks.
    m_session.commitPendingEdits();
    link::WriteOptions options;
    options.band = m_session.settings().band();
    options.debugMode = m_modes.DebugMode();
    options.forceWriteMode = m_modes.ForceWriteMode();
    if (!begin(Direction::Write,
               std::make_unique<link::WriteMachine>(m_session.OutImage(), options)))
        return;
    // Right after the wake-up frame; the first block leaves only after the radio's replies.
    m_session.encode();
    showProgress(tr("Writing……"), text(Message::WritingData));
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
    const std::string device = link::PortDevice(m_session.portNumber());
    if (m_transfer.open(QString::fromStdString(device))) return true;
    reportInvalidPort();
    return false;
}

bool TransferController::begin(Direction direction,
                               std::unique_ptr<link::TransferMachine> machine) {
    // The port may have gone away while a pending edit was being committed.
    if (!m_transfer.begin(*machine)) {
        reportInvalidPort();
        return false;
    }
    m_machine = std::move(machine);
    m_direction = direction;
    return true;
}

void TransferController::showProgress(const QString& caption, const QString& label) {
    if (m_progress == nullptr) m_progress = new ProgressWindow(m_window, link::kLastStep);
    m_progress->begin(caption, label);
    emit commandsEnabled(false);
}

void TransferController::askBandQuestion() {
    const int answer = message(
        text(Message::BandQuestion),
        MsgStyle::OkCancel | MsgStyle::Question | MsgStyle::DefaultButton2 | MsgStyle::SystemModal,
        tr("Be careful"));
    m_transfer.answerBandQuestion(answer == MsgResult::Ok);
}

void TransferController::finish(link::Outcome outcome) {
    const Direction direction = m_direction;
    m_direction = Direction::None;
    m_machine.reset();
    switch (outcome) {
        case link::Outcome::Success:
            m_progress->hide();
            if (direction == Direction::Read) m_session.decode();
            message(text(direction == Direction::Read ? Message::ReadSucceeded
                                                      : Message::WriteSucceeded),
                    MsgStyle::OkOnly, tr("Tip"));
            m_reenableTicks = 0;
            m_reenable.start();
            emit transferEnded();
            return;
        case link::Outcome::BandRefused:
            message(text(Message::BandRefused), MsgStyle::OkOnly | MsgStyle::Exclamation,
                    tr("Mistake"));
            m_progress->hide();
            break;
        case link::Outcome::CommunicationError:
            m_progress->hide();
            message(text(Message::CommunicationError), MsgStyle::OkOnly | MsgStyle::Critical,
                    tr("Mistake"));
            break;
        default:  // the band question answered Cancel (or a stop from outside): no message
            m_progress->hide();
            break;
    }
    emit commandsEnabled(true);
    emit transferEnded();
}

void TransferController::reportInvalidPort() {
    message(text(Message::PortInvalid), MsgStyle::OkOnly, QString());
}

QString TransferController::text(Message message) const {
    return QtText(message, m_session.language());
}

int TransferController::message(const QString& text, int style, const QString& title) {
    return m_boxes.LocalMsgBox(text, style, title);
}

}  // namespace varel
