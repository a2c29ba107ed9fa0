#include "editors/band_selector.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

#include "app/main_window.h"
#include "image/settings_fields.h"
#include "session/message_boxes.h"
#include "session/session.h"
#include "ui/qt_text.h"

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
        m_combo->addItem(QtText(entry.en));
    m_label->setBuddy(m_combo);
    layout->addWidget(m_label);
    layout->addWidget(m_combo);
    layout->addStretch(1);

    // Opening the list arms the question for the first change made in it.
    m_combo->view()->parentWidget()->installEventFilter(this);
    connect(m_combo, &QComboBox::activated, this, &BandSelector::userChanged);
    Session& session = m_main.session();
    connect(&session, &Session::settingsChanged, this, &BandSelector::showModelBand);
    // A decode (an opened file, a read) is a change by the program even where it keeps the band.
    connect(&session, &Session::documentReplaced, this, [this] {
        disarmPrompt();
        showModelBand();
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
    m_promptArmed = false;
    if (position < 0 || position >= m_combo->count()) return;
    m_main.session().edit("band", [position](Document& d) { d.settings.setBand(position); });
    showModelBand();
}

void BandSelector::userChanged(int position) {
    Session& session = m_main.session();
    if (m_promptArmed && position != m_indexBeforeDrop) {
        const int answer = m_main.services().messageBoxes->LocalMsgBox(
            tr("Changing the frequency band will remove the channel tabulation, confirm?"),
            MsgStyle::Confirmation, tr("Be careful!"));
        if (answer == MsgResult::Ok) {
            session.edit("band and clear", [position](Document& d) {
                d.settings.setBand(position);
                d.channels.ClearGrid();
            });
        } else {
            showModelBand();
        }
    } else {
        session.edit("band", [position](Document& d) { d.settings.setBand(position); });
    }
    m_promptArmed = false;
}

void BandSelector::showModelBand() {
    const int band = m_main.session().settings().band();
    if (m_combo->currentIndex() == band) return;
    m_promptArmed = false;
    m_combo->setCurrentIndex(band);
}

void BandSelector::retranslate() {
    m_label->setText(QtText(Field(SettingId::Band).caption, m_main.session().language()));
}

}  // namespace varel
