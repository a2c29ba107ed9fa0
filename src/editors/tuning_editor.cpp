#include "editors/tuning_editor.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "image/settings_fields.h"
#include "image/vocabulary.h"
#include "session/service_modes.h"
#include "session/session.h"
#include "ui/qt_text.h"

namespace varel {

namespace {

// Undo merge keys of the sliders: kMergeKey + slider index.
constexpr int kMergeKey = 4600;
constexpr int kSlidersPerTab = 3;

}  // namespace

TuningEditor::TuningEditor(Session& session, ServiceModes& modes)
    : QWidget(nullptr), m_session(session) {
    setObjectName("Form4");
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("SSTab1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);

    for (int tab = 0; tab < 2; ++tab) {
        auto* page = new QWidget(m_tabs);
        auto* column = new QVBoxLayout(page);
        for (int level = 0; level < kSlidersPerTab; ++level) {
            const int i = tab * kSlidersPerTab + level;
            auto* frame = new QGroupBox(page);
            frame->setObjectName(QString("Frame1(%1)").arg(i));
            auto* slider = new QSlider(Qt::Horizontal, frame);
            slider->setObjectName(QString("Slider1(%1)").arg(i));
            slider->setRange(Field(TuningId(i)).minNumber, Field(TuningId(i)).maxNumber);
            slider->setSingleStep(1);
            slider->setPageStep(5);
            slider->setFocusPolicy(Qt::StrongFocus);
            slider->installEventFilter(this);
            auto* low = new QLabel(frame);
            low->setObjectName("Label1");
            auto* high = new QLabel(frame);
            high->setObjectName("Label2");
            auto* value = new QLabel(frame);
            value->setObjectName(QString("Label3(%1)").arg(i));
            value->setMinimumWidth(30);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

            auto* row = new QHBoxLayout(frame);
            row->addWidget(low);
            row->addWidget(slider, 1);
            row->addWidget(high);
            row->addSpacing(8);
            row->addWidget(value);
            column->addWidget(frame);

            // The label follows the slider at once, while it is dragged too.
            connect(slider, &QSlider::valueChanged, value, [value](int v) { value->setNum(v); });
            // Only a user's action moves the value in the model.
            connect(slider, &QSlider::actionTriggered, this, [this, i] { sliderActed(i); });
            m_sliders[i] = slider;
            m_frames[i] = frame;
            m_valueLabels[i] = value;
            m_lowLabels[i] = low;
            m_highLabels[i] = high;
        }
        column->addStretch(1);
        m_tabs->addTab(page, QString());
    }

    connect(&m_session, &Session::settingsChanged, this, [this](const QVector<SettingId>& ids) {
        for (int i = 0; i < kTuningCount; ++i)
            if (ids.contains(TuningId(i))) return loadFromModel();
    });
    connect(&modes, &ServiceModes::modeChanged, this, [this](ServiceMode mode, bool on) {
        if (mode == ServiceMode::Debug) setSlidersEnabled(on);
    });
    loadFromModel();
    setSlidersEnabled(modes.DebugMode());
    setMinimumWidth(380);
}

void TuningEditor::retranslate() {
    const Language lang = m_session.language();
    setWindowTitle(QtText(Section(SettingSection::TuningA).windowTitle, lang));
    m_tabs->setTabText(0, QtText(Section(SettingSection::TuningA).caption, lang));
    m_tabs->setTabText(1, QtText(Section(SettingSection::TuningB).caption, lang));
    for (int i = 0; i < kTuningCount; ++i) {
        m_frames[i]->setTitle(QtText(Field(TuningId(i)).caption, lang));
        // The ends read as the power list's lowest and highest levels.
        m_lowLabels[i]->setText(QtText(PowerEntries()[0], lang));
        m_highLabels[i]->setText(QtText(PowerEntries()[1], lang));
    }
}

void TuningEditor::setSlidersEnabled(bool enabled) {
    for (QSlider* slider : m_sliders) slider->setEnabled(enabled);
}

void TuningEditor::loadFromModel() {
    const SettingsModel& settings = m_session.settings();
    for (int i = 0; i < kTuningCount; ++i) {
        m_sliders[i]->setValue(settings.tuning(i));
        m_valueLabels[i]->setNum(settings.tuning(i));
    }
}

void TuningEditor::sliderActed(int slider) {
    // The action has moved the slider's position; its value follows after this returns.
    const int value = m_sliders[slider]->sliderPosition();
    m_session.edit(
        Field(TuningId(slider)).caption,
        [slider, value](Document& d) { d.settings.setTuning(slider, value); }, kMergeKey + slider,
        !m_moving[slider]);
    if (m_moving[slider]) m_pending[slider] = true;
}

void TuningEditor::endMove(int slider) {
    m_moving[slider] = false;
    if (!m_pending[slider]) return;
    m_pending[slider] = false;
    m_session.edit(
        Field(TuningId(slider)).caption, [](Document&) {}, kMergeKey + slider, true);
}

bool TuningEditor::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < kTuningCount; ++i) {
        if (watched != m_sliders[i]) continue;
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::KeyPress:
                // Every position a drag or a held key passes belongs to one undo step.
                m_moving[i] = true;
                break;
            case QEvent::KeyRelease:
                if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) endMove(i);
                break;
            case QEvent::MouseButtonRelease:
            case QEvent::FocusOut:
                endMove(i);
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace varel
