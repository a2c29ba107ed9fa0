#include "ui/progress_window.h"

#include <QLabel>
#include <QProgressBar>
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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 20);
    layout->setSpacing(12);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    setFixedSize(360, sizeHint().height());
}

void ProgressWindow::begin(const QString& caption, const QString& label) {
    setWindowTitle(caption);
    m_label->setText(label);
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
}

}  // namespace varel
