#include "editors/port_window.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

#include "editors/port_finder.h"
#include "link/serial_devices.h"
#include "session/session.h"
#include "ui/twips.h"

namespace varel {

namespace {

constexpr int kColumns = 5;

}  // namespace

PortWindow::PortWindow(Session& session, MessageBoxes& boxes)
    : QWidget(nullptr), m_session(session), m_boxes(boxes) {
    setObjectName("Form6");
    m_group = new QButtonGroup(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(0);
    for (int n = link::kFirstPort; n <= link::kLastPort; ++n) {
        const QString name = QString("Com%1").arg(n);
        auto* button = new QRadioButton(name, this);
        button->setObjectName(name);
        m_group->addButton(button, n);
        grid->addWidget(button, (n - 1) / kColumns, (n - 1) % kColumns);
    }
    // Only the user's click chooses a port; prepareToShow() selects by program.
    connect(m_group, &QButtonGroup::idClicked, this, &PortWindow::portChosen);
    // Below the ports, on the right: the port finder and the connection doctor.
    auto* tools = new QHBoxLayout;
    tools->addStretch();
    m_findPort = new QPushButton(this);
    m_findPort->setObjectName("FindPort");
    tools->addWidget(m_findPort);
    m_diagnose = new QPushButton(this);
    m_diagnose->setObjectName("Diagnose");
    tools->addWidget(m_diagnose);
    grid->addLayout(tools, (link::kLastPort - 1) / kColumns + 1, 0, 1, kColumns);
    connect(m_findPort, &QPushButton::clicked, this, &PortWindow::findPort);
    connect(m_diagnose, &QPushButton::clicked, this, &PortWindow::diagnoseRequested);
    retranslate();
}

void PortWindow::findPort() {
    if (m_finder == nullptr) {
        m_finder = new PortFinder(
            m_boxes, [this] { return link::ListSerialDevices(m_deviceRoot); }, this);
        connect(m_finder, &PortFinder::portFound, this, &PortWindow::choosePort);
    }
    m_finder->retranslate();
    m_finder->restart();
    m_finder->show();
    m_finder->raise();
    m_finder->activateWindow();
}

void PortWindow::choosePort(int port) {
    // The device has just appeared, so the probe before it may have found the port missing.
    QRadioButton* button = option(port);
    button->setEnabled(true);
    button->setChecked(true);
    emit portChosen(port);
}

QRadioButton* PortWindow::option(int port) const {
    return qobject_cast<QRadioButton*>(m_group->button(port));
}

void PortWindow::setProbeResults(const link::PortAvailability& ports) {
    m_ports = ports;
    for (int n = link::kFirstPort; n <= link::kLastPort; ++n)
        option(n)->setEnabled(m_ports[static_cast<std::size_t>(n - 1)].openable);
    writeTooltips();
}

void PortWindow::prepareToShow(int port) {
    if (QRadioButton* button = option(port)) button->setChecked(true);
}

void PortWindow::retranslate() {
    setWindowTitle("ComPort");
    m_findPort->setText(tr("Find Port..."));
    if (m_finder != nullptr) m_finder->retranslate();
    m_diagnose->setText(tr("Diagnose Connection..."));
    writeTooltips();
}

void PortWindow::writeTooltips() {
    // Which device each option stands for, and for one the probe could not open, why.
    const Language language = m_session.language();
    for (int n = link::kFirstPort; n <= link::kLastPort; ++n) {
        const link::PortStatus& status = m_ports[static_cast<std::size_t>(n - 1)];
        const QString device = QString::fromStdString(status.device);
        const std::string reason = link::PortProblemText(status.problem, language);
        option(n)->setToolTip(status.openable || reason.empty()
                                  ? device
                                  : tr("%1: %2").arg(device, QString::fromStdString(reason)));
    }
}

QSize PortWindow::outerSize() {
    return {TwipsToPixels(kWidthTwips), TwipsToPixels(kHeightTwips)};
}

}  // namespace varel
