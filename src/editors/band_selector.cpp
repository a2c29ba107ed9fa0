#include "band_selector.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "main_window.h"
#include "session.h"
#include "settings_fields.h"

namespace varel {

BandSelector::BandSelector(MainWindow& main) : QWidget(&main), m_main(main) {
    setObjectName("BandSelector");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    m_label = new QLabel(this);
    m_label->setObjectName("Label1");
    m_combo = new QComboBox(this);
    m_combo->setObjectName("Combo1");
    for (const Bilingual& entry : Field(SettingId::Band).entries)
        m_combo->addItem(QString::fromStdString(entry.en));
    m_label->setBuddy(m_combo);
    layout->addWidget(m_label);
    layout->addWidget(m_combo);
    layout->addStretch(1);
}

void BandSelector::selectByProgram(int position) {
    if (position >= 0 && position < m_combo->count()) m_combo->setCurrentIndex(position);
}

void BandSelector::retranslate() {
    m_label->setText(
        QString::fromStdString(Field(SettingId::Band).caption.in(m_main.session().language())));
}

}  // namespace varel
