#include "link/radio_write.h"

#include "image/messages.h"
#include "link/port_problem.h"
#include "link/read_machine.h"
#include "link/verify.h"
#include "link/write_machine.h"

namespace varel::link {

RadioWrite::RadioWrite(std::string device, const MemoryImage& image, WriteRequest request,
                       QObject* parent)
    : QObject(parent), m_device(std::move(device)), m_image(image), m_procedure(m_image, request) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] { drive(m_procedure.settleElapsed()); });
    connect(&m_transfer, &SerialTransfer::progressChanged, this, &RadioWrite::progressChanged);
    // The backup is saved before the radio's next reply can send the first block.
    connect(&m_transfer, &SerialTransfer::firstBlockAhead, this, [this] {
        setStage(RadioStage::Writing);
        if (m_procedure.firstBlockAhead().task == WriteTask::BackUp)
            m_procedure.backupEnded(m_backup && m_backup(m_image));
    });
    connect(&m_transfer, &SerialTransfer::bandQuestion, this,
            [this] { m_transfer.answerBandQuestion(m_answerBandOk); });
    // The ending is handled from the event loop, outside the adapter's handling of a byte.
    connect(&m_transfer, &SerialTransfer::finished, this, &RadioWrite::finish,
            Qt::QueuedConnection);
}

RadioWrite::~RadioWrite() = default;

void RadioWrite::start() {
    if (m_stage == RadioStage::Idle) drive(m_procedure.start());
}

void RadioWrite::finishOrStop() {
    if (m_stage == RadioStage::Writing) {
        m_letFinish = true;
        return;
    }
    stop();
}

void RadioWrite::stop() {
    if (m_settle.isActive()) {
        m_settle.stop();
        drive(m_procedure.cancel());
        return;
    }
    m_transfer.interrupt();
}

void RadioWrite::drive(WriteNext next) {
    for (;;) {
        switch (next.task) {
            case WriteTask::Check:  // the caller checked the configuration for every radio
                next = m_procedure.checkAnswered(true);
                break;
            case WriteTask::OpenPort:
                next = m_procedure.portOpened(openPort());
                break;
            case WriteTask::Write: {
                auto machine =
                    std::make_unique<WriteMachine>(m_image, m_procedure.request().options);
                if (begin(std::move(machine), RadioStage::Connecting)) return;
                next = m_procedure.writeEnded(Outcome::PortInvalid);
                break;
            }
            case WriteTask::Settle:
                // A write let finish by finishOrStop() is not read back.
                if (m_letFinish) {
                    next = m_procedure.cancel();
                    break;
                }
                setStage(RadioStage::Settling);
                m_settle.start();
                return;
            case WriteTask::ReadBack:
                if (openPort() && begin(std::make_unique<ReadMachine>(m_procedure.readBackImage()),
                                        RadioStage::ReadingBack))
                    return;
                next = m_procedure.readBackEnded(Outcome::PortInvalid);
                break;
            case WriteTask::Report:
                setStage(RadioStage::Ended);
                emit ended();
                return;
            case WriteTask::BackUp:  // asked for from within the write (firstBlockAhead)
            case WriteTask::None:
                return;
        }
    }
}

bool RadioWrite::openPort() {
    if (m_transfer.open(QString::fromStdString(m_device))) return true;
    m_portProblem = m_transfer.openProblem();
    return false;
}

bool RadioWrite::begin(std::unique_ptr<TransferMachine> machine, RadioStage stage) {
    if (!m_transfer.begin(*machine)) return false;
    m_machine = std::move(machine);
    setStage(stage);
    return true;
}

void RadioWrite::finish(Outcome outcome) {
    const RadioStage stage = m_stage;
    if (auto* write = dynamic_cast<WriteMachine*>(m_machine.get())) m_writeStep = write->step();
    m_machine.reset();
    if (stage == RadioStage::ReadingBack) return drive(m_procedure.readBackEnded(outcome));
    // Only a write whose blocks went to the end was let finish.
    if (outcome != Outcome::Success) m_letFinish = false;
    drive(m_procedure.writeEnded(outcome));
}

void RadioWrite::setStage(RadioStage stage) {
    if (m_stage == stage) return;
    m_stage = stage;
    emit stageChanged(stage);
}

std::string WriteFailureText(const RadioWrite& write, Language lang) {
    const WriteResult& result = write.result();
    auto portInvalid = [&] {
        const std::string reason = PortProblemText(write.portProblem(), lang);
        return MessageText(Message::PortInvalid, lang) + (reason.empty() ? "" : ": " + reason);
    };
    switch (result.end) {
        case WriteEnd::PortInvalid:
        case WriteEnd::Stopped:
            return portInvalid();
        case WriteEnd::Failed:
            if (result.write == Outcome::PortInvalid) return portInvalid();
            if (result.write == Outcome::BandRefused || result.write == Outcome::Cancelled)
                return MessageText(Message::BandRefused, lang);
            return MessageText(Message::CommunicationError, lang);
        default:
            return "";
    }
}

}  // namespace varel::link
