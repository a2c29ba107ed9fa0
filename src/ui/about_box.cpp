#include "ui/about_box.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/application_title.h"
#include "ui/toolbar_icons.h"

namespace varel {

AboutBox::AboutBox(QWidget& parent, const QIcon& icon) : QDialog(&parent) {
    setObjectName("FrmAbout");
    setModal(true);
    setWindowTitle(tr("Help"));
    setWindowIcon(icon);

    auto* logo = new QLabel(this);
    logo->setObjectName("picIcon");
    logo->setPixmap(ToolbarIcon("Program").pixmap(64, 64));
    auto* title = new QLabel(ApplicationTitle(), this);
    title->setObjectName("lblTitle");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(tr("English edition V1.20"), this);
    version->setObjectName("lblVersion");
    auto* program = new QLabel(tr("Program version %1").arg(VAREL_VERSION), this);
    program->setObjectName("lblProgramVersion");

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addWidget(program);
    texts->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 24, 32, 24);
    layout->setSpacing(20);
    layout->addWidget(logo, 0, Qt::AlignTop);
    layout->addLayout(texts);
    setFixedSize(sizeHint());
}

void AboutBox::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    accept();
}

}  // namespace varel
