#include "editors/channel_editor.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "editors/channel_actions.h"
#include "editors/channel_flags.h"
#include "editors/channel_grid.h"
#include "image/channel_columns.h"
#include "image/vocabulary.h"
#include "lists/channel_commands.h"
#include "session/message_boxes.h"
#include "session/session.h"
#include "ui/char_filter.h"
#include "ui/leave_watcher.h"
#include "ui/pick_list.h"
#include "ui/qt_text.h"
#include "ui/twips.h"

namespace varel {

namespace {

constexpr int kWindowWidthTwips = 12635;
constexpr int kWindowHeightTwips = 7200;
constexpr int kFrequencyLength = 9;  // what Text1 lets the user type
constexpr int kFewestRows = 4;       // rows the grid keeps before the window scrolls it
const QColor kEvenRowColour(192, 192, 255);
// The name's keystrokes and its commit form one undo step.
constexpr int kNameMergeKey = 1;

void FillList(PickList* list, const Entries& entries) {
    for (const Bilingual& entry : entries) list->addItem(QtText(entry.zh));
}

void NameList(PickList* list, const Entries& entries, Language lang, int count) {
    for (int i = 0; i < count; ++i) list->setItemText(i, QtText(entries[i], lang));
}

}  // namespace

ChannelEditor::ChannelEditor(Session& session, MessageBoxes& boxes)
    : QWidget(nullptr), m_session(session), m_boxes(boxes) {
    setObjectName("Form1");

    // picClient holds the grid, which is as wide as its columns and as high as the window; the
    // window scrolls picClient when it is narrower than the grid or lower than a few rows.
    auto* client = new QWidget;
    client->setObjectName("picClient");
    buildGrid(client);
    auto* clientLayout = new QHBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 2, 2);
    clientLayout->addWidget(m_grid);
    clientLayout->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("picClientArea");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // the keyboard belongs to the grid
    scroll->setWidgetResizable(true);
    scroll->setWidget(client);
    scroll->verticalScrollBar()->setSingleStep(2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    buildEditors();

    client->installEventFilter(this);
    scroll->viewport()->installEventFilter(this);
    connect(m_grid, &ChannelGrid::editRequested, this, &ChannelEditor::openEditor);
    connect(m_grid, &ChannelGrid::typed, this, &ChannelEditor::typeOnCell);
    m_flags = new ChannelFlags(m_session, *m_grid);
    m_actions = new ChannelActions(m_session, m_boxes, *m_grid, *m_flags);
    // An open text editor stays over its cell while the grid scrolls.
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        for (QLineEdit* edit : {m_text1, m_text2})
            if (edit->isVisible()) placeOver(edit, false);
    });
    connect(&m_session, &Session::channelRowsChanged, this, &ChannelEditor::showRows);
    connect(&m_session, &Session::documentReplaced, this, &ChannelEditor::discardEditors);
    connect(&m_session, &Session::aboutToEncode, this, &ChannelEditor::commitPendingEdits);
    connect(&m_session, &Session::pendingEditsDropped, this, &ChannelEditor::StartForm);
    connect(&m_session, &Session::aboutToRead, m_text1Leave, &LeaveWatcher::runNow);
    showRows(AllRows());
    m_grid->setCurrentCell(ChannelGrid::QtRow(1), kRxFreqColumn);
}

void ChannelEditor::takeKeyboard() {
    if (!m_grid->currentIndex().isValid())
        m_grid->setCurrentCell(ChannelGrid::QtRow(1), kRxFreqColumn);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void ChannelEditor::buildGrid(QWidget* client) {
    const auto& columns = ChannelColumns();
    m_grid = new ChannelGrid(static_cast<int>(kChannelCount), kChannelColumnCount, client);
    m_grid->setObjectName("Grid1");
    m_grid->verticalHeader()->hide();
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* header = m_grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    // A font in which a whole frequency fits its column.
    QFont font = m_grid->font();
    const int room = TwipsToPixels(ChannelColumnAt(kRxFreqColumn).widthTwips) - 8;
    while (QFontMetrics(font).horizontalAdvance("888.88888") > room && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    m_grid->setFont(font);
    const int rowHeight = QFontMetrics(font).height() + 6;
    m_grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);

    int width = 0;
    for (int c = 0; c < kChannelColumnCount; ++c) {
        auto* headerItem = new QTableWidgetItem;
        headerItem->setTextAlignment(Qt::AlignCenter);
        m_grid->setHorizontalHeaderItem(c, headerItem);
        const int columnWidth = TwipsToPixels(columns[static_cast<std::size_t>(c)].widthTwips);
        m_grid->setColumnWidth(c, columnWidth);
        width += columnWidth;
    }
    // Every cell is made once; later only the texts change.
    for (int r = 1; r <= static_cast<int>(kChannelCount); ++r) {
        for (int c = 0; c < kChannelColumnCount; ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? QString::number(r) : QString());
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (r % 2 == 0) item->setBackground(kEvenRowColour);
            m_grid->setItem(ChannelGrid::QtRow(r), c, item);
        }
    }

    // The grid is as wide as its columns; it grows and shrinks with the window, down to a few
    // rows.
    const int frame = 2 * m_grid->frameWidth();
    m_grid->setFixedWidth(width + frame + style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    m_grid->setMinimumHeight(header->sizeHint().height() + kFewestRows * rowHeight + frame);
    m_grid->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void ChannelEditor::buildEditors() {
    QWidget* cells = m_grid->viewport();
    auto makeText = [&](const char* name, KeySet keys, int length) {
        auto* edit = new QLineEdit(cells);
        edit->setObjectName(name);
        edit->setAlignment(Qt::AlignCenter);
        edit->hide();
        CharFilter::attach(edit, keys, length);
        edit->installEventFilter(this);  // Enter gives the focus back to the grid
        return edit;
    };
    m_text1 = makeText("Text1", KeySet::Decimal, kFrequencyLength);
    m_text2 = makeText("Text2", KeySet::ChannelName, kTypedNameLength);
    m_text1Leave = LeaveWatcher::attach(m_text1, [this] { leaveFrequency(); });
    m_text2Leave = LeaveWatcher::attach(m_text2, [this] { leaveName(); });
    connect(m_text2, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!m_text2->isVisible()) return;
        const int row = m_currentRow;
        m_session.edit(
            EditLabel::Cell(row, kNameColumn),
            [&](Document& d) { d.channels.TypeName(row, text.toStdString()); }, kNameMergeKey,
            false);
    });

    m_combo1 = new PickList(cells);
    m_combo1->setObjectName("Combo1");
    FillList(m_combo1, ToneEntries());
    m_combo1->setCurrentIndex(0);
    connect(m_combo1, &PickList::picked, this, &ChannelEditor::commitPick);
    connect(m_combo1, &PickList::closed, this, [this] { closeList(m_combo1); });
    const Entries switches[] = {OnOffEntries(), DisableEnableEntries()};
    for (int element = kPowerColumn; element <= 11; ++element) {
        auto* list = new PickList(cells);
        list->setObjectName(QString("Combo5(%1)").arg(element));
        FillList(list, element <= kLastListColumn ? ChannelColumnAt(element).entries
                                                  : switches[element - kLastListColumn - 1]);
        list->setCurrentIndex(1);
        connect(list, &PickList::picked, this, &ChannelEditor::commitPick);
        connect(list, &PickList::closed, this, [this, list] { closeList(list); });
        m_combo5[static_cast<std::size_t>(element)] = list;
    }
}

QSize ChannelEditor::outerSize() {
    return {TwipsToPixels(kWindowWidthTwips), TwipsToPixels(kWindowHeightTwips)};
}

void ChannelEditor::retranslate() {
    const Language lang = m_session.language();
    setWindowTitle(QtText(ChannelWindowTitle(), lang));
    m_actions->retranslate();
    const auto& columns = ChannelColumns();
    for (int c = 0; c < kChannelColumnCount; ++c)
        m_grid->horizontalHeaderItem(c)->setText(
            QtText(columns[static_cast<std::size_t>(c)].header, lang));
    // Of the tone list only the Off entry has a translation.
    NameList(m_combo1, ToneEntries(), lang, 1);
    for (int element = kPowerColumn; element <= kLastListColumn; ++element) {
        const Entries& entries = ChannelColumnAt(element).entries;
        NameList(m_combo5[static_cast<std::size_t>(element)], entries, lang,
                 static_cast<int>(entries.size()));
    }
    // The two spare lists: only the English texts rename the second one.
    NameList(m_combo5[10], OnOffEntries(), lang, 2);
    if (lang == Language::English) NameList(m_combo5[11], DisableEnableEntries(), lang, 2);
}

void ChannelEditor::showRows(const QVector<int>& rows) {
    const ChannelTable& table = m_session.channels();
    const bool many = rows.size() > 1;
    if (many) m_grid->setUpdatesEnabled(false);
    for (const int r : rows)
        for (int c = 1; c <= kNameColumn; ++c)
            m_grid->item(ChannelGrid::QtRow(r), c)->setText(QtText(table.cell(r, c)));
    if (many) m_grid->setUpdatesEnabled(true);
}

void ChannelEditor::openEditor() {
    const int qtRow = m_grid->currentRow();
    if (qtRow < 0) return;
    const int row = ChannelGrid::ChannelRow(qtRow);
    int column = m_grid->currentColumn();
    // On an empty channel every click edits the receive frequency first.
    if (m_session.channels().cell(row, kRxFreqColumn).empty() && column != kRxFreqColumn) {
        column = kRxFreqColumn;
        m_grid->setCurrentCell(qtRow, column);
    }
    m_currentRow = row;
    m_currentCol = column;

    const ColumnEditor kind = ChannelColumnAt(column).editor;
    if (kind == ColumnEditor::Frequency || kind == ColumnEditor::Name) {
        const bool name = kind == ColumnEditor::Name;
        if (name)
            m_session.edit(EditLabel::Cell(row, column),
                           [&](Document& d) { d.channels.TakeNameCell(row); });
        QLineEdit* edit = name ? m_text2 : m_text1;
        edit->setText(QtText(m_session.channels().cell(row, column)));
        if (name) m_nameAtOpen = m_session.channels().model().channel(row).name;
        edit->selectAll();  // typing replaces the cell's text
        placeOver(edit, false);
        edit->show();
        edit->raise();
        edit->setFocus(Qt::OtherFocusReason);
        editorShown(true);
    } else if (kind == ColumnEditor::ToneList || kind == ColumnEditor::ChoiceList) {
        PickList* list =
            kind == ColumnEditor::ToneList ? m_combo1 : m_combo5[static_cast<std::size_t>(column)];
        list->setCurrentIndex(m_session.channels().model().channel(row).index(column));
        placeOver(list, true);
        list->open();
        editorShown(true);
    }
}

void ChannelEditor::editorShown(bool open) {
    m_actions->setEditorOpen(open);
}

void ChannelEditor::typeOnCell(int key, const QString& text) {
    // A character typed on a frequency or name cell starts an entry with it, as if the cell had
    // been opened and the key typed into its editor (whose filter takes or drops it).
    const int row = m_grid->currentChannel();
    const bool empty = m_session.channels().cell(row, kRxFreqColumn).empty();
    const ColumnEditor kind =
        empty ? ColumnEditor::Frequency : ChannelColumnAt(m_grid->currentColumn()).editor;
    const bool digit = text.size() == 1 && (text.at(0).isDigit() || text.at(0) == '.');
    if (!(kind == ColumnEditor::Frequency && digit) && kind != ColumnEditor::Name) return;
    openEditor();
    QLineEdit* edit = m_text1->isVisible() ? m_text1 : m_text2;
    if (!edit->isVisible()) return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(edit, &press);
}

void ChannelEditor::cancelText(QLineEdit* editor) {
    // Escape: the editor closes and nothing it held is taken; a name typed so far is taken back.
    if (editor == m_text2) {
        const int row = m_currentRow;
        const std::string name = m_nameAtOpen;
        m_session.edit(
            EditLabel::Cell(row, kNameColumn), [&](Document& d) { d.channels.TypeName(row, name); },
            kNameMergeKey, true);
    }
    m_discarding = true;
    closeText(editor);
    m_discarding = false;
}

void ChannelEditor::placeOver(QWidget* editor, bool keepHeight) const {
    const QRect cell =
        m_grid->visualRect(m_grid->model()->index(ChannelGrid::QtRow(m_currentRow), m_currentCol));
    editor->setGeometry(cell.x(), cell.y(), cell.width(),
                        keepHeight ? editor->sizeHint().height() : cell.height());
}

void ChannelEditor::leaveFrequency() {
    if (m_text1->isHidden()) return;
    if (!m_discarding) {
        const int row = m_currentRow;
        const int column = m_currentCol;
        const std::string typed = m_text1->text().toStdString();
        const FrequencyBand band = m_session.band();
        const Language lang = m_session.language();
        FrequencyCommit result = FrequencyCommit::Unchanged;
        m_session.edit(EditLabel::Cell(row, column), [&](Document& d) {
            result = d.channels.CommitFrequency(row, column, typed, band, lang);
        });
        if (result == FrequencyCommit::OutOfBand) {
            m_boxes.LocalMsgBox(QtText(Message::OutOfBand, lang), MsgStyle::OkOnly, QString());
            m_grid->setFocus(Qt::OtherFocusReason);
        }
    }
    closeText(m_text1);
}

void ChannelEditor::leaveName() {
    if (m_text2->isHidden()) return;
    if (!m_discarding) {
        const int row = m_currentRow;
        const std::string text = m_text2->text().toStdString();
        m_session.edit(
            EditLabel::Cell(row, kNameColumn),
            [&](Document& d) { d.channels.CommitName(row, text); }, kNameMergeKey, true);
    }
    closeText(m_text2);
}

void ChannelEditor::closeText(QLineEdit* editor) {
    if (editor->hasFocus()) m_grid->setFocus(Qt::OtherFocusReason);
    editor->hide();
    editorShown(false);
}

void ChannelEditor::commitPick(int position) {
    const int row = m_currentRow;
    const int column = m_currentCol;
    const Language lang = m_session.language();
    if (m_grid->hasRange()) {
        // A pick with a range open applies to every channel of the range.
        const ChannelRows rows = m_grid->range();
        m_session.edit(ChannelColumnAt(column).header, [&](Document& d) {
            BulkPick(d.channels, {rows.first, rows.last}, column, position, lang);
        });
        return;
    }
    m_session.edit(EditLabel::Cell(row, column),
                   [&](Document& d) { d.channels.CommitChoice(row, column, position, lang); });
}

void ChannelEditor::closeList(PickList* list) {
    // The grid takes the focus back unless the user has moved it on, to another cell's editor
    // or window (the focus may still be in the closing list's drop-down, a window of its own).
    // It takes it before the list hides: a list hidden with the focus would pass it on as Tab
    // does, moving the current cell to the next one.
    const QWidget* focus = QApplication::focusWidget();
    const bool keptFocus = focus == nullptr || focus == list || focus->window() != window();
    if (keptFocus) m_grid->setFocus(Qt::OtherFocusReason);
    list->hide();
    editorShown(false);
}

void ChannelEditor::commitPendingEdits() {
    // An editor stays open while the window is closed or minimized; it is committed all the same
    // (each leave check does nothing while its editor is not open).
    m_text1Leave->runNow();
    m_text2Leave->runNow();
}

void ChannelEditor::discardEditors() {
    m_discarding = true;
    closeText(m_text1);
    closeText(m_text2);
    for (PickList* list : m_combo5)
        if (list != nullptr && list->isVisible()) list->hidePopup();
    if (m_combo1->isVisible()) m_combo1->hidePopup();
    m_discarding = false;
}

void ChannelEditor::StartForm() {
    // The channel table itself is emptied by the command that asked for this.
    discardEditors();
    m_combo1->setCurrentIndex(0);
    for (int element = kPowerColumn; element <= 10; ++element)
        m_combo5[static_cast<std::size_t>(element)]->setCurrentIndex(1);
}

bool ChannelEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == m_text1 || watched == m_text2)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_grid->setFocus(Qt::OtherFocusReason);  // the editor's leave check commits
            return true;
        }
        if (key == Qt::Key_Escape) {
            cancelText(static_cast<QLineEdit*>(watched));
            return true;
        }
        // Channels or several values on the clipboard go to the table, not into the box: the
        // box is committed as if left, then the table takes the paste at its cell. One value
        // is the box's own business.
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
            m_actions->clipboardHoldsChannels()) {
            commitPendingEdits();
            m_grid->setFocus(Qt::OtherFocusReason);
            m_actions->paste();
            return true;
        }
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            m_grid->setFocus(Qt::OtherFocusReason);  // commits, then on to the next cell
            m_grid->stepCell(key == Qt::Key_Tab);
            return true;
        }
        // Keys the box has no use for stay with it: they would move the grid's current cell
        // away from the cell being edited.
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown)
            return true;
    } else if (event->type() == QEvent::MouseButtonPress && watched != m_text1 &&
               watched != m_text2) {
        // A click on the window's background closes the text editors, committing them.
        commitPendingEdits();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace varel
