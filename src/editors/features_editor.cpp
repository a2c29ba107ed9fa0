#include "editors/features_editor.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <string>

#include "image/settings_input.h"
#include "session/service_modes.h"
#include "session/session.h"
#include "ui/leave_watcher.h"
#include "ui/qt_text.h"

namespace varel {

namespace {

// Where each section's frame sits and how many caption and control pairs a row of it holds.
// The two pages share the cells below the page buttons; the VOX frame stands beside both. Two
// pairs a row keep the window, with its longest English captions, inside the main window of
// the first start.
struct FramePlacement {
    SettingSection section;
    const char* name;
    int column;
    int columnSpan;
    int pairsPerRow;
};

const FramePlacement kFrames[] = {
    {SettingSection::FunctionSet, "Frame2", 0, 2, 2},
    {SettingSection::VfoA, "Frame3", 0, 1, 1},
    {SettingSection::VfoB, "Frame5", 1, 1, 1},
    {SettingSection::Vox, "Frame1", 2, 1, 1},
};

// The captions of the hidden service gestures: three per mode, clicked in any order.
struct GestureCaption {
    SettingId field;
    ServiceMode mode;
    int caption;
};

const GestureCaption kGestureCaptions[] = {
    {SettingId::AChannelNumber, ServiceMode::ForceWrite, 0},
    {SettingId::BChannelNumber, ServiceMode::ForceWrite, 1},
    {SettingId::MainChannel, ServiceMode::ForceWrite, 2},
    {SettingId::APower, ServiceMode::Debug, 0},
    {SettingId::BPower, ServiceMode::Debug, 1},
    {SettingId::VoxGainLevel, ServiceMode::Debug, 2},
    {SettingId::RadioMonitorsSignal, ServiceMode::FmService, 0},
    {SettingId::OpenDisplayMode, ServiceMode::FmService, 1},
    {SettingId::MemoryChannelDisplayMode, ServiceMode::FmService, 2},
};

// The lists the FM service mode enables, together with their captions.
const SettingId kFmServiceLists[] = {SettingId::PowerOnPassword, SettingId::RadioSearchMode,
                                     SettingId::RogerBeep};

// The captions of the pages Option1 and Option2 show.
const Bilingual& Page(int page) {
    return Section(page == 0 ? SettingSection::FunctionSet : SettingSection::VfoA).page;
}

}  // namespace

FeaturesEditor::FeaturesEditor(Session& session, ServiceModes& modes)
    : QWidget(nullptr), m_session(session), m_modes(modes) {
    setObjectName("Form3");
    build();
    connect(&m_session, &Session::settingsChanged, this, &FeaturesEditor::loadFromModel);
    connect(&m_session, &Session::aboutToEncode, this, &FeaturesEditor::commitTyping);
    connect(&m_modes, &ServiceModes::modeChanged, this, &FeaturesEditor::applyServiceMode);
    loadFromModel(AllSettings());
    showPage(0);
}

FeaturesEditor::~FeaturesEditor() {
    // No leave check may run while the window's controls are being taken down.
    for (FeatureControl& c : m_controls) delete c.leave;
}

void FeaturesEditor::build() {
    auto* grid = new QGridLayout(this);
    auto* pageButtons = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        m_pages[i] = new QRadioButton(this);
        m_pages[i]->setObjectName(i == 0 ? "Option1" : "Option2");
        pageButtons->addWidget(m_pages[i]);
    }
    pageButtons->addStretch();
    grid->addLayout(pageButtons, 0, 0, 1, 3);
    m_pages[0]->setChecked(true);
    connect(m_pages[0], &QRadioButton::clicked, this, [this] { showPage(0); });
    connect(m_pages[1], &QRadioButton::clicked, this, [this] {
        showPage(1);
        control(SettingId::AFrequency)->box->setFocus();
    });

    for (const FramePlacement& place : kFrames) {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(place.name);
        grid->addWidget(frame, 1, place.column, 1, place.columnSpan, Qt::AlignTop);
        m_frames.emplace_back(place.section, frame);
        auto* fields = new QGridLayout(frame);
        int placed = 0;
        for (const SettingField& f : SettingFields()) {
            if (f.section != place.section) continue;
            const FeatureControl c = FeatureControl::Create(f, frame);
            m_controls.push_back(c);
            if (f.hidden) continue;
            const int row = placed / place.pairsPerRow;
            const int column = 2 * (placed % place.pairsPerRow);
            ++placed;
            if (c.caption == nullptr) {
                fields->addWidget(c.widget(), row, column, 1, 2);
                continue;
            }
            fields->addWidget(c.caption, row, column);
            fields->addWidget(c.widget(), row, column + 1);
        }
    }
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(3, 1);
    for (std::size_t i = 0; i < m_controls.size(); ++i) wire(i);
    for (const GestureCaption& g : kGestureCaptions)
        control(g.field)->caption->installEventFilter(this);
}

void FeaturesEditor::wire(std::size_t i) {
    FeatureControl& c = m_controls[i];
    if (c.list != nullptr)
        connect(c.list, &QComboBox::activated, this,
                [this, i](int position) { pick(i, position); });
    if (c.box == nullptr) return;
    connect(c.box, &QLineEdit::textEdited, this, [this, i](const QString& text) {
        FeatureControl& typed = m_controls[i];
        typed.typing = true;
        if (typed.field->kind != FieldKind::ChannelNumber) return;
        const QString capped = QtText(TypedChannelNumber(text.toStdString()));
        if (capped != text) typed.box->setText(capped);
    });
    c.leave = LeaveWatcher::attach(c.box, [this, i] { leaveBox(i); });
    if (c.enterRunsLeaveCheck())
        connect(c.box, &QLineEdit::returnPressed, c.leave, &LeaveWatcher::runNow);
}

FeatureControl* FeaturesEditor::control(SettingId id) {
    for (FeatureControl& c : m_controls)
        if (c.field->id == id) return &c;
    return nullptr;
}

void FeaturesEditor::showPage(int page) {
    for (const auto& [section, frame] : m_frames) {
        const Bilingual& own = Section(section).page;
        const bool shown = own.en.empty() || own == Page(page);
        // The focus goes to the page's button, not to whatever control follows a hidden one.
        if (!shown && frame->isAncestorOf(focusWidget())) m_pages[page]->setFocus();
        // Showing a frame lays it out at once, even in a window never shown yet: a frame that
        // already is as wanted is left alone.
        if (frame->isVisibleTo(this) != shown) frame->setVisible(shown);
    }
    emit minimumSizeChanged();
}

void FeaturesEditor::pick(std::size_t i, int position) {
    const SettingField& f = *m_controls[i].field;
    m_session.edit(f.caption, [&f, position](Document& d) { d.settings.setIndex(f.id, position); });
}

void FeaturesEditor::leaveBox(std::size_t i) {
    FeatureControl& c = m_controls[i];
    const SettingField& f = *c.field;
    const std::string text = LeaveCheck(f, c.box->text().toStdString(), m_session.band());
    const QString checked = QtText(text);
    if (c.box->text() != checked) c.box->setText(checked);
    c.typing = false;
    m_session.edit(f.caption, [&f, &text](Document& d) { d.settings.setText(f.id, text); });
}

void FeaturesEditor::commitTyping() {
    for (FeatureControl& c : m_controls)
        if (c.typing) c.leave->runNow();
}

void FeaturesEditor::loadFromModel(const QVector<SettingId>& ids) {
    const SettingsModel& model = m_session.settings();
    for (FeatureControl& c : m_controls)
        if (ids.contains(c.field->id)) c.show(model);
}

void FeaturesEditor::applyServiceMode(ServiceMode mode, bool on) {
    // Switching the mode off leaves these everyday settings usable.
    if (mode != ServiceMode::FmService || !on) return;
    for (SettingId id : kFmServiceLists) {
        FeatureControl* c = control(id);
        c->caption->setEnabled(true);
        c->list->setEnabled(true);
    }
}

void FeaturesEditor::retranslate() {
    const Language lang = m_session.language();
    setWindowTitle(QtText(Section(SettingSection::FunctionSet).windowTitle, lang));
    for (int page = 0; page < 2; ++page) m_pages[page]->setText(QtText(Page(page), lang));
    for (const auto& [section, frame] : m_frames)
        frame->setTitle(QtText(Section(section).caption, lang));
    for (FeatureControl& c : m_controls) c.retranslate(lang);
    emit minimumSizeChanged();
}

void FeaturesEditor::renewSizeHints() {
    // The frames' hints first: no layout has run since their captions or the page changed.
    for (const auto& entry : m_frames) entry.second->updateGeometry();
    updateGeometry();
}

bool FeaturesEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease ||
        static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return false;
    for (const GestureCaption& g : kGestureCaptions)
        if (control(g.field)->caption == watched) m_modes.captionClicked(g.mode, g.caption);
    return false;
}

}  // namespace varel
