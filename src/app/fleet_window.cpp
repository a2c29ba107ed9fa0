#include "app/fleet_window.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <ctime>

#include "files/backups.h"
#include "image/image_codec.h"
#include "image/settings_input.h"
#include "image/typed_input.h"
#include "link/frames.h"
#include "link/transfer_trace.h"
#include "link/verify.h"
#include "link/write_fingerprint.h"
#include "lists/csv_text.h"
#include "session/message_boxes.h"
#include "session/message_titles.h"
#include "session/port_scanner.h"
#include "session/session.h"
#include "ui/qt_text.h"

namespace varel {

struct FleetWindow::Row {
    int port = 0;
    std::string device;
    link::TraceRecorder trace;  // the bytes both ways of the last write, and its read-back's
    std::unique_ptr<link::RadioWrite> write;  // the last write of this radio (taps trace)
    QDateTime ended;
    bool failed = false;
    std::string fingerprint;  // of the image the last write sends, as a printed sheet shows it
};

FleetWindow::FleetWindow(Session& session, MessageBoxes& boxes, PortScanner& ports,
                         std::function<bool()> checkBeforeWrite, const QString& backupFolder,
                         QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_session(session),
      m_boxes(boxes),
      m_ports(ports),
      m_checkBeforeWrite(std::move(checkBeforeWrite)),
      m_backupFolder(backupFolder),
      m_settleMs(link::kSettleMs) {
    setObjectName("FormFleet");
    m_intro = new QLabel(this);
    m_intro->setWordWrap(true);
    m_table = new QTableWidget(0, 5, this);
    m_table->setObjectName("FleetTable");
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    // A Display Character is taken as the optional features window's box takes typing.
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != DisplayColumn) return;
        const SettingField& field = Field(SettingId::DisplayCharacter);
        const QString taken =
            QtText(FilterTyped(field.keys, item->text().toStdString(), field.maxLength));
        if (taken != item->text()) item->setText(taken);
    });
    m_verify = new QCheckBox(this);
    m_verify->setObjectName("FleetVerify");
    m_fill = new QPushButton(this);
    m_fill->setObjectName("FleetFillDown");
    m_start = new QPushButton(this);
    m_start->setObjectName("FleetStart");
    m_retry = new QPushButton(this);
    m_retry->setObjectName("FleetRetry");
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName("FleetCancel");
    m_report = new QLabel(this);
    m_report->setObjectName("FleetReport");
    m_report->setWordWrap(true);
    m_report->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(m_fill, &QPushButton::clicked, this, [this] { fillDown(); });
    connect(m_start, &QPushButton::clicked, this, [this] { start(); });
    connect(m_retry, &QPushButton::clicked, this, [this] { retryFailed(); });
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_verify);
    buttons->addStretch();
    for (QPushButton* button : {m_fill, m_start, m_retry, m_cancel}) buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_intro);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_report);
    resize(640, 360);
    retranslate();
    updateButtons();
}

FleetWindow::~FleetWindow() = default;

void FleetWindow::refreshPorts() {
    if (isRunning()) return;
    m_rows.clear();
    m_table->setRowCount(0);
    const link::PortAvailability ports = m_ports.FindCom();
    for (std::size_t i = 0; i < ports.size(); ++i) {
        if (!ports[i].openable) continue;
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        auto* port = new QTableWidgetItem(QString("Com%1").arg(i + 1));
        port->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        port->setCheckState(Qt::Checked);
        m_table->setItem(row, PortColumn, port);
        auto* device = new QTableWidgetItem(QtText(ports[i].device));
        device->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(row, DeviceColumn, device);
        m_table->setItem(row, DisplayColumn, new QTableWidgetItem);
        auto* progress = new QProgressBar;
        progress->setRange(0, link::kLastStep);
        progress->setValue(0);
        m_table->setCellWidget(row, ProgressColumn, progress);
        auto* result = new QTableWidgetItem;
        result->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(row, ResultColumn, result);
        Row entry;
        entry.port = static_cast<int>(i) + 1;
        entry.device = ports[i].device;
        m_rows.push_back(std::move(entry));
    }
    m_table->resizeColumnsToContents();
    updateButtons();
}

void FleetWindow::setVerify(bool on) {
    m_verify->setChecked(on);
}

void FleetWindow::setStartAllowed(bool allowed) {
    m_startAllowed = allowed;
    updateButtons();
}

bool FleetWindow::start() {
    std::vector<int> rows;
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, PortColumn)->checkState() == Qt::Checked) rows.push_back(row);
    return startRows(rows);
}

bool FleetWindow::retryFailed() {
    std::vector<int> rows;
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const bool failed = m_rows[static_cast<std::size_t>(row)].failed;
        m_table->item(row, PortColumn)->setCheckState(failed ? Qt::Checked : Qt::Unchecked);
        if (failed) rows.push_back(row);
    }
    return startRows(rows);
}

bool FleetWindow::fillDown() {
    std::vector<int> rows;
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, PortColumn)->checkState() == Qt::Checked) rows.push_back(row);
    if (rows.empty()) return false;
    QString first = m_table->item(rows[0], DisplayColumn)->text();
    if (first.isEmpty()) first = "CLUB01";
    const std::vector<std::string> texts =
        NumberedDisplayTexts(first.toStdString(), static_cast<int>(rows.size()));
    if (texts.empty()) {
        m_boxes.LocalMsgBox(tr("%1 cannot be numbered on for %n radio(s): the Display Character "
                               "holds up to 6 characters.",
                               nullptr, static_cast<int>(rows.size()))
                                .arg(first),
                            MsgStyle::OkOnly | MsgStyle::Exclamation, MsgTitle::Mistake());
        return false;
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        m_table->item(rows[i], DisplayColumn)->setText(QtText(texts[i]));
    return true;
}

void FleetWindow::stopForExit() {
    for (Row& row : m_rows)
        if (row.write) row.write->stop();
}

bool FleetWindow::startRows(const std::vector<int>& rows) {
    if (isRunning() || !m_startAllowed) return false;
    if (rows.empty()) {
        m_boxes.LocalMsgBox(tr("Tick the radios to write."), MsgStyle::OkOnly, MsgTitle::Tip());
        return false;
    }
    // One check and one encode for every radio; each radio then differs only in its own
    // Display Character.
    m_session.commitPendingEdits();
    if (!m_checkBeforeWrite()) return false;
    m_session.encode();
    const Configuration cfg{m_session.channels().model(), m_session.settings()};
    link::WriteRequest request;
    request.options.band = m_session.settings().band();
    request.verify = m_verify->isChecked();
    request.lang = m_session.language();
    const std::string folder = m_backupFolder.toStdString();

    m_running = static_cast<int>(rows.size());
    m_reportPath.clear();
    m_reportError = DataFileError::None;
    showReport();
    updateButtons();
    emit runningChanged(true);
    for (int row : rows) {
        Row& entry = m_rows[static_cast<std::size_t>(row)];
        MemoryImage image = m_session.OutImage();
        const QString display = m_table->item(row, DisplayColumn)->text();
        if (!display.isEmpty()) {
            Configuration own = cfg;
            own.settings.setText(SettingId::DisplayCharacter, display.toStdString());
            EncodeImage(own, image);
        }
        entry.failed = false;
        entry.fingerprint = link::WriteFingerprint(image);
        entry.write = std::make_unique<link::RadioWrite>(entry.device, image, request);
        link::RadioWrite* write = entry.write.get();
        write->setSettleMs(m_settleMs);
        entry.trace.start("write", entry.device);
        write->setTrace(&entry.trace);
        write->setBackup([folder](const MemoryImage& sent) {
            return SaveBackup(sent, BackupKind::Write, folder, std::time(nullptr)).result.ok();
        });
        auto* progress = static_cast<QProgressBar*>(m_table->cellWidget(row, ProgressColumn));
        progress->setValue(0);
        connect(write, &link::RadioWrite::progressChanged, progress, &QProgressBar::setValue);
        connect(write, &link::RadioWrite::stageChanged, this,
                [this, row](link::RadioStage stage) { showStage(row, stage); });
        connect(write, &link::RadioWrite::ended, this, [this, row] { radioEnded(row); });
        setResult(row, tr("Waiting"));
    }
    for (int row : rows) m_rows[static_cast<std::size_t>(row)].write->start();
    return true;
}

void FleetWindow::showStage(int row, link::RadioStage stage) {
    switch (stage) {
        case link::RadioStage::Connecting:
            return setResult(row, tr("Connecting"));
        case link::RadioStage::Writing:
            return setResult(row, tr("Writing"));
        case link::RadioStage::Settling:
        case link::RadioStage::ReadingBack:
            return setResult(row, tr("Verifying"));
        case link::RadioStage::Idle:
        case link::RadioStage::Ended:
            return;
    }
}

void FleetWindow::radioEnded(int row) {
    Row& entry = m_rows[static_cast<std::size_t>(row)];
    entry.ended = QDateTime::currentDateTime();
    const link::WriteEnd end = entry.write->result().end;
    entry.failed = end != link::WriteEnd::Written && end != link::WriteEnd::Verified;
    setResult(row, resultText(entry));
    // Each radio's trace is kept as the main window keeps the last transfer's; one that cannot
    // be saved stops nothing.
    SaveBesideBackups(link::TraceText(entry.trace.trace()), m_backupFolder.toStdString(),
                      "last-transfer-Com" + std::to_string(entry.port) + ".trace");
    if (--m_running > 0) return;
    saveReport();
    updateButtons();
    emit runningChanged(false);
}

QString FleetWindow::resultText(const Row& row) const {
    const Language lang = m_session.language();
    const link::WriteResult& result = row.write->result();
    switch (result.end) {
        case link::WriteEnd::Written:
            return tr("Written");
        case link::WriteEnd::Verified:
            return tr("Written and verified");
        case link::WriteEnd::Differs:
            return tr("Failed: %n block(s) not as written", nullptr,
                      static_cast<int>(result.differences.size()));
        case link::WriteEnd::NotVerified:
            return tr("Failed: written, but the radio could not be read back");
        default:
            return tr("Failed: %1").arg(QtText(link::WriteFailureText(*row.write, lang)));
    }
}

void FleetWindow::setResult(int row, const QString& text) {
    m_table->item(row, ResultColumn)->setText(text);
}

void FleetWindow::saveReport() {
    std::string text = CsvLine({"port", "device", "time", "result", "verify", "fingerprint"});
    for (const Row& row : m_rows) {
        if (!row.write || !row.ended.isValid()) continue;
        const link::WriteResult& result = row.write->result();
        std::string outcome = "written";
        if (const std::string why = link::WriteFailureText(*row.write, Language::English);
            !why.empty())
            outcome = "failed: " + why;
        std::string verify = "not asked";
        if (result.end == link::WriteEnd::Verified) verify = "verified";
        if (result.end == link::WriteEnd::Differs)
            verify = std::to_string(result.differences.size()) + " blocks differ";
        if (result.end == link::WriteEnd::NotVerified) verify = "not read back";
        if (result.end == link::WriteEnd::Failed || result.end == link::WriteEnd::PortInvalid)
            verify = "";
        // The fingerprint of a radio that holds the whole image, to match it with its paper.
        const bool holdsImage =
            result.end == link::WriteEnd::Written || result.end == link::WriteEnd::Verified;
        text += CsvLine({"Com" + std::to_string(row.port), row.device,
                         row.ended.toString("yyyy-MM-dd HH:mm:ss").toStdString(), outcome, verify,
                         holdsImage ? row.fingerprint : ""});
    }
    const std::string name =
        "fleet-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toStdString() + ".csv";
    const BackupResult saved = SaveBesideBackups(text, m_backupFolder.toStdString(), name);
    if (saved.result.ok())
        m_reportPath = QtText(saved.path);
    else
        m_reportError = saved.result.error;
    showReport();
}

void FleetWindow::showReport() {
    if (!m_reportPath.isEmpty())
        m_report->setText(tr("Report saved: %1").arg(m_reportPath));
    else if (m_reportError != DataFileError::None)
        m_report->setText(tr("The report could not be saved: %1")
                              .arg(QtText(DataFileMessage(m_reportError, m_session.language()))));
    else
        m_report->clear();
}

void FleetWindow::updateButtons() {
    const bool idle = !isRunning();
    bool anyFailed = false;
    for (const Row& row : m_rows) anyFailed = anyFailed || row.failed;
    m_start->setEnabled(idle && m_startAllowed && !m_rows.empty());
    m_retry->setEnabled(idle && m_startAllowed && anyFailed);
    m_fill->setEnabled(idle);
    m_verify->setEnabled(idle);
    // Once the writes have started they run to their end: stopping half-way would leave
    // radios partly written.
    m_cancel->setEnabled(idle);
    m_table->setEnabled(idle);
}

void FleetWindow::retranslate() {
    setWindowTitle(tr("Write to Several Radios"));
    m_intro->setText(
        tr("The configuration of the editors is written to every ticked radio at the same time, "
           "each on its own port, each with its own backup. A radio given a Display Character "
           "gets it as its own power-on text; every other byte is the same."));
    m_table->setHorizontalHeaderLabels(
        {tr("Port"), tr("Device"), tr("Display Character"), tr("Progress"), tr("Result")});
    m_verify->setText(tr("Verify after write"));
    m_fill->setText(tr("Number Down"));
    m_fill->setToolTip(
        tr("Numbers the Display Character of the ticked radios on from the first: CLUB01, "
           "CLUB02 ..."));
    m_start->setText(tr("Start"));
    m_retry->setText(tr("Retry Failed"));
    m_cancel->setText(tr("Cancel"));
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const Row& entry = m_rows[static_cast<std::size_t>(row)];
        if (entry.write && entry.ended.isValid()) setResult(row, resultText(entry));
    }
    showReport();
}

}  // namespace varel
