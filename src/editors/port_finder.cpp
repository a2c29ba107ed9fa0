#include "editors/port_finder.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <utility>

#include "link/serial_devices.h"
#include "session/message_boxes.h"

namespace varel {

PortFinder::PortFinder(MessageBoxes& boxes, Look look, QWidget* parent)
    : QDialog(parent), m_boxes(boxes), m_look(std::move(look)) {
    setObjectName("PortFinder");
    auto* layout = new QVBoxLayout(this);
    m_text = new QLabel(this);
    m_text->setObjectName("FinderStep");
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(320);
    layout->addWidget(m_text);
    auto* buttons = new QDialogButtonBox(this);
    m_next = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    m_next->setObjectName("FinderNext");
    m_next->setDefault(true);  // Enter presses Next, Escape cancels
    m_cancel = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName("FinderCancel");
    layout->addWidget(buttons);
    connect(m_next, &QPushButton::clicked, this, &PortFinder::next);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
    restart();
}

void PortFinder::restart() {
    m_before.clear();
    showStep(0);
}

void PortFinder::retranslate() {
    setWindowTitle(tr("Find Port"));
    m_next->setText(tr("&Next"));
    m_cancel->setText(tr("Cancel"));
    showStep(m_step);
}

void PortFinder::showStep(int step) {
    m_step = step;
    m_text->setText(step == 0 ? tr("1. Unplug the programming cable from the computer.\n"
                                   "2. Press Next.")
                              : tr("3. Plug the cable in and wait a few seconds.\n"
                                   "4. Press Next."));
    m_next->setFocus();
}

void PortFinder::next() {
    if (m_step == 0) {
        m_before = m_look();
        showStep(1);
    } else {
        compareLooks();
    }
}

void PortFinder::compareLooks() {
    const std::vector<std::string> appeared = link::AppearedDevices(m_before, m_look());
    const QString title = windowTitle();
    if (appeared.empty()) {
        // The cable may still be settling: the next press looks again against the same first look.
        m_boxes.LocalMsgBox(tr("No new serial device appeared. Check that the cable is plugged in "
                               "fully, wait a few seconds and press Next again."),
                            MsgStyle::Exclamation, title);
        return;
    }
    if (appeared.size() > 1) {
        // Which of them is the cable cannot be told: nothing is chosen.
        QStringList names;
        for (const std::string& device : appeared) {
            const int port = link::PortOfDevice(device);
            const QString name = QString::fromStdString(device);
            names << (port == 0 ? name : QString("%1 (Com%2)").arg(name, QString::number(port)));
        }
        m_boxes.LocalMsgBox(tr("Several serial devices appeared: %1. Unplug the other devices "
                               "and start again.")
                                .arg(names.join(", ")),
                            MsgStyle::Exclamation, title);
        restart();
        return;
    }
    const QString device = QString::fromStdString(appeared.front());
    const int port = link::PortOfDevice(appeared.front());
    if (port == 0) {
        m_boxes.LocalMsgBox(tr("The cable is %1, which is none of Com1 to Com20. To use it as a "
                               "port, start the program with the variable VAREL_COM<n> naming "
                               "it, for example VAREL_COM1=%1, and choose Com<n>.")
                                .arg(device),
                            MsgStyle::Exclamation, title);
        reject();
        return;
    }
    emit portFound(port);
    m_boxes.LocalMsgBox(
        tr("The cable is %1, port Com%2; Com%2 is chosen.").arg(device, QString::number(port)),
        MsgStyle::Information, title);
    accept();
}

}  // namespace varel
