#include "ui/progress_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace varel {

ProgressWindow::ProgressWindow(QWidget& parent, int lastStep)
    : QDialog(&parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("FrmWriting");
    setWindowModality(Qt::ApplicationModal);
    m_label = new QLabel(this);
    m_label->setObjectName("Label1");
    m_bar = new QProgressBar(this);
    m_bar->setObjectName("ProgressBar1");
    m_bar->setRange(kFirstStep, lastStep);
    m_bar->setTextVisible(false);
    m_note = new QLabel(this);
    m_note->setObjectName("LabelNote");
    m_note->setWordWrap(true);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName("CmdCancel");
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::cancelRequested);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 20);
    layout->setSpacing(12);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(m_note);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(360);
    retranslate();
}

void ProgressWindow::begin(const QString& caption, const QString& label, bool cancellable) {
    setWindowTitle(caption);
    m_label->setText(label);
    m_cancel->setVisible(cancellable);
    m_note->setVisible(!cancellable);
    m_bar->setValue(kFirstStep);
    show();
    activateWindow();
}

void ProgressWindow::setStep(int step) {
    m_bar->setValue(step);
}

int ProgressWindow::step() const {
    return m_bar->value();
}

void ProgressWindow::retranslate() {
    m_label->clear();
    m_cancel->setText(tr("Cancel"));
    m_note->setText(
        tr("A write cannot be cancelled half-way: the radio would be left "
           "half-written."));
}

}  // namespace varel
