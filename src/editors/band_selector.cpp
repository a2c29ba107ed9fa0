#include "editors/band_selector.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

#include "image/settings_fields.h"
#include "session/message_boxes.h"
#include "session/session.h"
#include "ui/qt_text.h"

namespace varel {

BandSelector::BandSelector(Session& session, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent), m_session(session), m_boxes(boxes) {
    setObjectName("BandSelector");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    m_label = new QLabel(this);
    m_label->setObjectName("Label1");
    m_combo = new QComboBox(this);
    m_combo->setObjectName("Combo1");
    for (const Bilingual& entry : Field(SettingId::Band).entries)
        m_combo->addItem(QtText(entry.en));
    m_label->setBuddy(m_combo);
    layout->addWidget(m_label);
    layout->addWidget(m_combo);
    layout->addStretch(1);

    // Opening the list arms the question for the first change made in it.
    m_combo->view()->parentWidget()->installEventFilter(this);
    connect(m_combo, &QComboBox::activated, this, &BandSelector::userChanged);
    connect(&m_session, &Session::documentReplaced, this, &BandSelector::disarmPrompt);
    connect(&m_session, &Session::settingsChanged, this, [this](const QVector<SettingId>& ids) {
        if (ids.contains(SettingId::Band)) showModelBand();
    });
}

bool BandSelector::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched == m_combo->view()->parentWidget()) {
        m_indexBeforeDrop = m_combo->currentIndex();
        m_promptArmed = true;
    }
    return QWidget::eventFilter(watched, event);
}

void BandSelector::selectByProgram(int position) {
    disarmPrompt();
    if (position < 0 || position >= m_combo->count()) return;
    m_session.edit(Field(SettingId::Band).caption,
                   [position](Document& d) { d.settings.setBand(position); });
    showModelBand();
}

void BandSelector::userChanged(int position) {
    if (m_promptArmed && position != m_indexBeforeDrop) {
        const int answer = m_boxes.LocalMsgBox(
            tr("Changing the frequency band will remove the channel tabulation, confirm?"),
            MsgStyle::Confirmation, tr("Be careful!"));
        if (answer == MsgResult::Ok) {
            m_session.edit(Field(SettingId::Band).caption, [position](Document& d) {
                d.settings.setBand(position);
                d.channels.ClearGrid();
            });
        } else {
            showModelBand();
        }
    } else {
        m_session.edit(Field(SettingId::Band).caption,
                       [position](Document& d) { d.settings.setBand(position); });
    }
    disarmPrompt();
}

void BandSelector::showModelBand() {
    const int band = m_session.settings().band();
    if (m_combo->currentIndex() == band) return;
    disarmPrompt();
    m_combo->setCurrentIndex(band);
}

void BandSelector::retranslate() {
    m_label->setText(QtText(Field(SettingId::Band).caption, m_session.language()));
}

}  // namespace varel
