#include "editors/fm_editor.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/numeric_text.h"
#include "image/settings_fields.h"
#include "image/settings_input.h"
#include "session/session.h"
#include "ui/char_filter.h"
#include "ui/leave_watcher.h"
#include "ui/qt_text.h"
#include "ui/twips.h"

namespace varel {

namespace {

// Window and grid geometry in twips.
constexpr int kWindowWidth = 8205;
constexpr int kWindowHeight = 4800;
constexpr int kColumnWidths[2] = {900, 2200};
constexpr int kRowHeight = 300;
constexpr int kGridHeight = 4440;
// The captions and lists on the right, one row each, and the two buttons.
constexpr int kCaptionLeft = 3750;
constexpr int kControlLeft = 6000;
constexpr int kControlWidth = 1950;
constexpr int kControlHeight = 390;
constexpr int kFirstRowTop = 900;
constexpr int kRowStep = 570;
constexpr int kButtonTop = 4000;
constexpr int kButtonWidth = 1500;
constexpr int kButtonHeight = 420;
constexpr int kMargin = 120;

// The ids of the committed values, in the order of the controls that show them.
constexpr SettingId kListIds[3] = {SettingId::FmPresentChannel, SettingId::FmDisplayMode,
                                   SettingId::FmStep};

// A place given in twips, in pixels.
QRect PixelRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// True for the committed values of this window.
bool IsFmValue(SettingId id) {
    return id >= SettingId::FmPresentChannel && id <= SettingId::FmChannel25;
}

}  // namespace

FmEditor::FmEditor(Session& session) : QWidget(nullptr), m_session(session) {
    setObjectName("Form5");
    buildGrid();
    buildControls();
    connect(&m_session, &Session::settingsChanged, this, &FmEditor::followSettings);
    loadFromModel();
    setFixedSize(TwipsToPixels(kWindowWidth), TwipsToPixels(kWindowHeight));
}

void FmEditor::buildGrid() {
    m_grid = new QTableWidget(kFmChannelCount, 2, this);
    m_grid->setObjectName("MSFGrid");
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(TwipsToPixels(kRowHeight));
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setFixedHeight(TwipsToPixels(kRowHeight));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (int column = 0; column < 2; ++column) {
        m_grid->setColumnWidth(column, TwipsToPixels(kColumnWidths[column]));
        m_grid->setHorizontalHeaderItem(column, new QTableWidgetItem());
    }
    for (int row = 0; row < kFmChannelCount; ++row) {
        for (int column = 0; column < 2; ++column) {
            auto* cell = new QTableWidgetItem(column == 0 ? QString::number(row + 1) : QString());
            cell->setTextAlignment(Qt::AlignCenter);
            m_grid->setItem(row, column, cell);
        }
    }
    const int width = TwipsToPixels(kColumnWidths[0] + kColumnWidths[1]) +
                      m_grid->verticalScrollBar()->sizeHint().width() + 2 * m_grid->frameWidth();
    m_grid->setGeometry(TwipsToPixels(kMargin), TwipsToPixels(kMargin), width,
                        TwipsToPixels(kGridHeight));

    m_cellEdit = new QLineEdit(m_grid->viewport());
    m_cellEdit->setObjectName("Text1");
    m_cellEdit->setAlignment(Qt::AlignCenter);
    m_cellEdit->hide();
    CharFilter::attach(m_cellEdit, KeySet::Decimal);
    m_cellLeave = LeaveWatcher::attach(m_cellEdit, [this] { leaveCell(); });
    // Enter and scrolling give the focus back to the grid, which ends the edit; Enter on the
    // grid opens the edit of the current row (see eventFilter).
    m_cellEdit->installEventFilter(this);
    m_grid->installEventFilter(this);
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (m_cellEdit->isVisible()) m_grid->setFocus();
    });
    connect(m_grid, &QTableWidget::cellClicked, this, [this](int row) { openCellEditor(row); });
}

void FmEditor::buildControls() {
    const char* const captionNames[4] = {"Label3", "Label0", "Label1", "Label4"};
    for (int i = 0; i < 4; ++i) {
        m_captions[i] = new QLabel(this);
        m_captions[i]->setObjectName(captionNames[i]);
        m_captions[i]->setGeometry(PixelRect(kCaptionLeft, kFirstRowTop + i * kRowStep,
                                             kControlLeft - kCaptionLeft, kControlHeight));
    }
    m_vfo = new QLineEdit(this);
    m_vfo->setObjectName("Text2");
    m_vfo->setGeometry(PixelRect(kControlLeft, kFirstRowTop, kControlWidth, kControlHeight));
    CharFilter::attach(m_vfo, KeySet::Decimal);
    LeaveWatcher::attach(m_vfo, [this] { leaveVfo(); });
    connect(m_vfo, &QLineEdit::returnPressed, m_grid, [this] { m_grid->setFocus(); });

    for (int i = 0; i < 3; ++i) {
        m_lists[i] = new QComboBox(this);
        m_lists[i]->setObjectName(QString("Combo1(%1)").arg(i));
        m_lists[i]->setGeometry(PixelRect(kControlLeft, kFirstRowTop + (i + 1) * kRowStep,
                                          kControlWidth, kControlHeight));
        for (int e = 0; e < Field(kListIds[i]).entryCount(); ++e) m_lists[i]->addItem(QString());
    }
    // The present channel is typed or picked; what it holds need not be one of its entries
    // (a decoded 255 is shown as it is).
    for (int n = 1; n <= kFmChannelCount; ++n) m_lists[0]->addItem(QString::number(n));
    m_lists[0]->setEditable(true);
    m_lists[0]->setInsertPolicy(QComboBox::NoInsert);
    CharFilter::attach(m_lists[0]->lineEdit(), KeySet::Digits);

    m_message = new QLabel(this);
    m_message->setObjectName("Label2");
    m_message->setWordWrap(true);
    m_message->setStyleSheet("color: #c00000; background: #fff8d0; border: 1px solid #c0a000;");
    m_message->hide();
    m_message->installEventFilter(this);

    m_ok = new QPushButton(this);
    m_ok->setObjectName("Command1");
    m_ok->setGeometry(PixelRect(kCaptionLeft + 600, kButtonTop, kButtonWidth, kButtonHeight));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName("Command2");
    m_cancel->setGeometry(PixelRect(kCaptionLeft + 2400, kButtonTop, kButtonWidth, kButtonHeight));
    connect(m_ok, &QPushButton::clicked, this, &FmEditor::commit);
    connect(m_cancel, &QPushButton::clicked, this, &FmEditor::hideWindow);
}

void FmEditor::retranslate() {
    const Language lang = m_session.language();
    setWindowTitle(QtText(Section(SettingSection::Fm).windowTitle, lang));
    m_captions[0]->setText(QtText(Field(SettingId::FmVfo).caption, lang));
    for (int i = 0; i < 3; ++i) {
        const SettingField& field = Field(kListIds[i]);
        m_captions[i + 1]->setText(QtText(field.caption, lang));
        for (int e = 0; e < field.entryCount(); ++e)
            m_lists[i]->setItemText(e, QtText(field.entry(e, lang)));
    }
    m_grid->horizontalHeaderItem(0)->setText(QtText(ChannelColumnAt(0).header, lang));
    m_grid->horizontalHeaderItem(1)->setText(QtText(Field(SettingId::FmChannel1).caption, lang));
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Cancel"));
}

void FmEditor::loadFromModel() {
    // An entry still open over a cell belongs to the values being replaced: it is dropped.
    m_editRow = -1;
    m_cellEdit->hide();
    m_message->hide();
    const SettingsModel& settings = m_session.settings();
    for (int n = 1; n <= kFmChannelCount; ++n)
        m_grid->item(n - 1, 1)->setText(QtText(settings.fmChannel(n)));
    m_vfo->setText(QtText(settings.text(SettingId::FmVfo)));
    const QString present = QString::number(settings.number(SettingId::FmPresentChannel));
    m_lists[0]->setCurrentIndex(m_lists[0]->findText(present));
    m_lists[0]->setEditText(present);
    for (int i = 1; i < 3; ++i) m_lists[i]->setCurrentIndex(settings.index(kListIds[i]));
}

void FmEditor::followSettings(const QVector<SettingId>& ids) {
    // Only a change of the committed values that "OK" did not make (a decode, an undo or redo
    // of a commit) rewrites the controls; other settings leave what the user typed alone.
    if (m_committing || !std::any_of(ids.begin(), ids.end(), IsFmValue)) return;
    loadFromModel();
}

void FmEditor::openCellEditor(int row) {
    // Always the frequency: a click on the channel number edits the frequency of its row.
    QTableWidgetItem* cell = m_grid->item(row, 1);
    if (cell == nullptr) return;
    m_editRow = row;
    m_grid->setCurrentCell(row, 1);
    const QRect rect = m_grid->visualItemRect(cell);
    m_cellEdit->setGeometry(rect);
    m_cellEdit->setText(cell->text());
    m_cellEdit->show();
    m_cellEdit->raise();
    m_cellEdit->setFocus();
}

void FmEditor::leaveCell() {
    m_cellEdit->hide();
    if (QTableWidgetItem* cell = m_grid->item(m_editRow, 1))
        checkEntry(m_cellEdit, [cell](const QString& text) { cell->setText(text); });
}

void FmEditor::leaveVfo() {
    checkEntry(m_vfo, [this](const QString& text) { m_vfo->setText(text); });
}

void FmEditor::checkEntry(QLineEdit* box, const std::function<void(const QString&)>& store) {
    const FmCheck check = CheckFmEntry(box->text().toStdString());
    switch (check.entry) {
        case FmEntry::Empty:
            store(QString());  // an emptied channel becomes unused
            break;
        case FmEntry::OutOfRange:
            showMessage();
            box->clear();
            break;
        case FmEntry::Accepted:
            store(QtText(check.text));
            m_message->hide();
            break;
        case FmEntry::NotNumber:
            break;
    }
}

void FmEditor::showMessage() {
    // Between the last list and the buttons, where it covers no control.
    m_message->setText(QtText(Message::FmOutOfRange, m_session.language()));
    const int top = m_lists[2]->geometry().bottom() + TwipsToPixels(kMargin) / 2;
    const int width = m_lists[2]->geometry().right() - m_captions[3]->x() + 1;
    m_message->setGeometry(m_captions[3]->x(), top, width,
                           qMin(m_message->heightForWidth(width), m_ok->y() - top - 2));
    m_message->show();
    m_message->raise();
}

void FmEditor::commit() {
    if (m_cellEdit->isVisible()) m_cellLeave->runNow();
    bool whole = false;
    const int present = m_lists[0]->currentText().trimmed().toInt(&whole);
    const int mode = m_lists[1]->currentIndex();
    const int step = m_lists[2]->currentIndex();
    const std::string vfo = m_vfo->text().toStdString();
    std::vector<std::string> channels;
    for (int row = 0; row < kFmChannelCount; ++row)
        channels.push_back(m_grid->item(row, 1)->text().toStdString());

    m_committing = true;
    m_session.edit(Section(SettingSection::Fm).windowTitle, [&](Document& d) {
        SettingsModel& s = d.settings;
        // A present channel that is not a whole number is not committed; the rest is.
        if (whole) s.setNumber(SettingId::FmPresentChannel, present);
        s.setIndex(SettingId::FmDisplayMode, mode);
        s.setIndex(SettingId::FmStep, step);
        s.setText(SettingId::FmVfo, vfo);
        for (int n = 1; n <= kFmChannelCount; ++n)
            s.setFmChannel(n, channels[static_cast<std::size_t>(n - 1)]);
    });
    m_committing = false;
    hideWindow();
}

void FmEditor::hideWindow() {
    // A window of its own hides itself; one held in another window asks it.
    if (isWindow())
        hide();
    else
        emit closeRequested();
}

bool FmEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == m_cellEdit || watched == m_grid)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_cellEdit)
                m_grid->setFocus();
            else if (m_grid->currentRow() >= 0)
                openCellEditor(m_grid->currentRow());
            return true;
        }
    }
    if (watched == m_message && event->type() == QEvent::MouseButtonPress) {
        m_message->hide();
        m_cellEdit->clear();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace varel
