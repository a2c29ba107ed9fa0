#include "editors/doctor_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "link/port_map.h"
#include "session/session.h"

namespace varel {

namespace {

QIcon SeverityIcon(const QWidget* w, link::Severity severity) {
    switch (severity) {
        case link::Severity::Ok:
            return w->style()->standardIcon(QStyle::SP_DialogApplyButton);
        case link::Severity::Note:
            return w->style()->standardIcon(QStyle::SP_MessageBoxInformation);
        case link::Severity::Warning:
            return w->style()->standardIcon(QStyle::SP_MessageBoxWarning);
        case link::Severity::Problem:
            break;
    }
    return w->style()->standardIcon(QStyle::SP_MessageBoxCritical);
}

}  // namespace

DoctorWindow::DoctorWindow(Session& session) : QWidget(nullptr), m_session(session) {
    setObjectName("FormDoctor");
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName("Heading");
    m_list = new QListWidget(this);
    m_list->setObjectName("Findings");
    m_list->setWordWrap(true);
    m_list->setTextElideMode(Qt::ElideNone);
    m_again = new QPushButton(this);
    m_again->setObjectName("RunAgain");
    layout->addWidget(m_heading);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_again, 0, Qt::AlignRight);
    connect(m_again, &QPushButton::clicked, this, [this] { run(m_port); });
    connect(&m_transfer, &link::SerialTransfer::finished, this, &DoctorWindow::exchangeEnded);
    resize(560, 380);
    retranslate();
}

void DoctorWindow::run(int port) {
    if (m_transfer.isRunning()) return;
    m_port = port;
    m_device = link::PortDevice(port);
    if (m_device.empty()) {
        std::vector<std::string> devices;
        for (int n = link::kFirstPort; n <= link::kLastPort; ++n)
            devices.push_back(link::PortDevice(n));
        m_findings = link::CheckPorts(m_system, devices);
        m_findings.push_back({link::FindingKind::ExchangeNotRun, link::Severity::Note, "", {}});
        showFindings();
        emit finished();
        return;
    }
    m_findings = link::CheckPort(m_system, m_device);
    if (!m_transfer.open(QString::fromStdString(m_device))) {
        link::ExchangeResult result;
        result.problem = m_transfer.openProblem();
        result.outcome = link::Outcome::PortInvalid;
        m_findings.push_back(link::ExchangeFinding(m_device, result));
        showFindings();
        emit finished();
        return;
    }
    m_again->setEnabled(false);
    showFindings();
    m_transfer.begin(m_machine);
}

void DoctorWindow::exchangeEnded() {
    m_findings.push_back(link::ExchangeFinding(m_device, m_machine.result()));
    m_again->setEnabled(true);
    showFindings();
    emit finished();
}

void DoctorWindow::retranslate() {
    setWindowTitle(tr("Diagnose Connection"));
    m_again->setText(tr("Run Again"));
    showFindings();
}

void DoctorWindow::showFindings() {
    const Language lang = m_session.language();
    m_heading->setText(m_port == 0
                           ? tr("Every serial port that exists")
                           : tr("Com%1: %2").arg(m_port).arg(QString::fromStdString(m_device)));
    m_list->clear();
    for (const link::Finding& f : m_findings) {
        const QString device = f.device.empty() || f.device == m_device
                                   ? QString()
                                   : QString::fromStdString(f.device) + ": ";
        auto* item = new QListWidgetItem(
            SeverityIcon(this, f.severity),
            device + QString::fromStdString(link::FindingText(f).in(lang)), m_list);
        item->setToolTip(QString::fromStdString(link::SeverityText(f.severity).in(lang)));
    }
    if (m_transfer.isRunning()) new QListWidgetItem(tr("Asking the radio..."), m_list);
}

}  // namespace varel
