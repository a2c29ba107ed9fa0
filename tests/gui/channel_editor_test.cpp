// The channel table editor and the band selector driven through their widgets: the cell
// editors, the lists' picks, the grid's mouse, keys and wheel, the band question, and the undo
// step of each kind of edit; the grid as a spreadsheet: keys move the current cell, typing on a
// cell starts its entry, Escape takes an entry back, Tab moves on without leaving the grid, Shift
// extends a range of whole channels, and the channel commands apply to the range, each one undo
// step; the clipboard: channels cut and pasted inside the program arrive whole beside an
// unchanged exchange text, a damaged payload is refused, headerless values paste onto the cells,
// and channels pasted into an open box go to the table. The table's own rules are tested in
// tests/image.
#include "editors/channel_editor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <fstream>
#include <functional>
#include <tuple>

#include "editors/channel_actions.h"
#include "editors/channel_grid.h"
#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "image/channel_columns.h"
#include "image/encodings.h"
#include "lists/channel_clip.h"
#include "lists/channel_commands.h"
#include "ui/pick_list.h"
#include "ui/qt_text.h"

namespace varel::test {
namespace {

class ChannelEditorTest : public AppFixture {
protected:
    ChannelGrid* grid() { return find<ChannelGrid>(form("Form1"), "Grid1"); }
    template <class T = QLineEdit>
    T* editor(const char* name) {
        return find<T>(form("Form1"), name);
    }
    QRect rect(int row, int column) {
        return grid()->visualItemRect(grid()->item(ChannelGrid::QtRow(row), column));
    }
    void press(int row, int column, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(grid()->viewport(), button, mods, rect(row, column).center());
    }
    QString cell(int row, int column) {
        return grid()->item(ChannelGrid::QtRow(row), column)->text();
    }
    // Opens a list's drop-down or the band list and picks by keys: `steps` down, then Enter.
    static void pickByKeys(QComboBox* list, int steps) {
        for (int i = 0; i < steps; ++i) QTest::keyClick(list->view(), Qt::Key_Down);
        QTest::keyClick(list->view(), Qt::Key_Return);
    }
    static bool closes(QWidget* list) {
        return QTest::qWaitFor([&] { return !list->isVisible(); });
    }
    // The grid's focus on cell (row, column), no editor open.
    void at(int row, int column) {
        grid()->setFocus();
        grid()->goTo(row, column);
    }
    void key(int k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(grid(), Qt::Key(k), mods); }
    std::pair<int, int> current() {
        return {ChannelGrid::ChannelRow(grid()->currentRow()), grid()->currentColumn()};
    }
    std::vector<int> selectedRows() {
        std::vector<int> rows;
        for (const QModelIndex& i : grid()->selectionModel()->selectedRows())
            rows.push_back(ChannelGrid::ChannelRow(i.row()));
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    const std::string& rx(int row) { return session->channels().model().channel(row).freq[0]; }
    QAction* command(const char* name) {
        return window->channelEditor()->findChild<QAction*>(name);
    }
};

TEST_F(ChannelEditorTest, FrequencyEntryOpensOverTheCellAndMakesAChannelAsOneStep) {
    press(3, 5);  // any cell of an empty channel opens its receive frequency
    QLineEdit* text1 = editor("Text1");
    ASSERT_TRUE(text1->hasFocus());
    EXPECT_EQ(text1->geometry(), rect(3, 1));
    QTest::keyClicks(text1, "145.5x00009");  // the letter is dropped, typing stops at 9
    EXPECT_EQ(text1->text(), "145.50000");
    QTest::keyClick(text1, Qt::Key_Up);  // keys the box has no use for leave the grid alone
    QTest::keyClick(text1, Qt::Key_PageDown);
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_FALSE(text1->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
    EXPECT_EQ(grid()->currentRow(), ChannelGrid::QtRow(3));
    EXPECT_EQ(cell(3, 2), "145.50000");
    EXPECT_EQ(cell(3, 8), "宽带");
    window->setLanguage(1);  // the grid follows the refresh
    EXPECT_EQ(cell(3, 8), "wide");
    action("MNUndo")->trigger();
    EXPECT_EQ(cell(3, 1), "");

    // Band 1 ends at 146 MHz: in the band in English, outside it in Chinese.
    session->edit("band", [](Document& d) { d.settings.setBand(1); });
    for (const int flag : {1, 0}) {
        window->setLanguage(flag);
        press(7, 1);
        QTest::keyClicks(editor("Text1"), "146");
        press(9, 0, Qt::RightButton);  // the focus moving to the grid commits
    }
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.last().text, "超出频段范围");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly);
    EXPECT_EQ(boxes.last().title, "");
    EXPECT_TRUE(grid()->hasFocus());
    EXPECT_EQ(cell(7, 1), "146.00000");
}

TEST_F(ChannelEditorTest, NameFollowsEachKeyAndIsOneStepWithItsCommit) {
    addChannel(4);
    const int steps = session->historySize();
    press(4, 10);
    QLineEdit* text2 = editor("Text2");
    for (const char* key : {"a", "b", " ", "c", "1"}) QTest::keyClicks(text2, key);
    EXPECT_EQ(session->channels().model().channel(4).name, "ABC1");
    EXPECT_EQ(cell(4, 10), "");  // the cell follows on the commit
    QTest::keyClick(text2, Qt::Key_Return);
    EXPECT_EQ(cell(4, 10), "ABC1");
    EXPECT_EQ(session->historySize(), steps + 1);
    action("MNUndo")->trigger();
    EXPECT_EQ(session->channels().model().channel(4).name, "");

    // A longer name from a file survives opening and leaving its editor.
    session->edit("name", [](Document& d) { d.channels.CommitName(4, "LAST1234"); });
    press(4, 10);
    press(5, 0, Qt::RightButton);
    EXPECT_EQ(cell(4, 10), "LAST1234");
}

TEST_F(ChannelEditorTest, ListsCommitOnlyAPickFromTheOpenList) {
    addChannel(2);
    press(2, 3);  // Combo1 opens dropped down at the channel's tone
    auto* tones = editor<PickList>("Combo1");
    ASSERT_TRUE(tones->view()->isVisible());
    pickByKeys(tones, 1);
    EXPECT_TRUE(closes(tones));
    EXPECT_EQ(window->focusWidget(), grid());
    EXPECT_EQ(cell(2, 3), "67.0");

    press(2, 5);  // a pick by mouse: "中", position 2
    QAbstractItemView* view = editor<PickList>("Combo5(5)")->view();
    const QPoint middle(view->width() / 2,
                        view->visualRect(view->model()->index(2, 0)).center().y());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, middle);
    EXPECT_EQ(cell(2, 5), "中");

    press(2, 7);  // Escape, and keys on the hidden list, change nothing
    auto* scan = editor<PickList>("Combo5(7)");
    QTest::keyClick(scan->view(), Qt::Key_Down);
    QTest::keyClick(scan->view(), Qt::Key_Escape);
    EXPECT_TRUE(closes(scan));
    QTest::keyClick(scan, Qt::Key_Up);
    EXPECT_EQ(cell(2, 7), "使能");

    action("MNUndo")->trigger();
    EXPECT_EQ(cell(2, 5), "高");
}

TEST_F(ChannelEditorTest, GridMouseKeysAndWheel) {
    grid()->setCurrentCell(ChannelGrid::QtRow(6), 4);
    press(8, 6, Qt::RightButton);  // a right press only takes the focus
    EXPECT_EQ(grid()->currentRow(), ChannelGrid::QtRow(6));
    EXPECT_TRUE(grid()->hasFocus());
    QTest::keyClick(grid(), Qt::Key_Return);  // Enter opens the current cell
    EXPECT_TRUE(editor("Text1")->isVisible());

    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, rect(1, 0).center());
    QTest::mouseMove(grid()->viewport(), rect(3, 0).center());  // a drag selects no range
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, rect(3, 0).center());
    EXPECT_EQ(grid()->selectedItems().size(), 1);
    EXPECT_EQ(grid()->currentRow(), ChannelGrid::QtRow(1));

    QScrollBar* bar = grid()->verticalScrollBar();
    const int turns[][2] = {{120, 0}, {-120, 1}, {-60, 1}, {-60, 2}};  // delta, top row after
    for (const auto& turn : turns) {  // one row a notch, never above the first
        const QPoint at = grid()->viewport()->rect().center();
        QWheelEvent wheel(at, grid()->viewport()->mapToGlobal(at), {}, {0, turn[0]}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid()->viewport(), &wheel);
        EXPECT_EQ(bar->value(), turn[1]);
    }
}

TEST_F(ChannelEditorTest, PendingEntryIsCommittedByBackgroundClickEncodeAndUndo) {
    press(1, 1);
    QTest::keyClicks(editor("Text1"), "145.5");
    QTest::mouseClick(editor<QWidget>("picClient"), Qt::LeftButton, {},
                      QPoint(grid()->width() + 1, 1));
    EXPECT_FALSE(editor("Text1")->isVisible());
    EXPECT_EQ(cell(1, 1), "145.50000");

    press(1, 2);
    QTest::keyClicks(editor("Text1"), "145.6");
    form("Form1")->parentWidget()->close();  // a closed window's entry is taken all the same
    session->encode();                       // the transmit frequency field, low digit pair first
    EXPECT_EQ(session->OutImage().at(6), 0x56);
    window->showChild(form("Form1"));

    press(1, 10);
    QTest::keyClicks(editor("Text2"), "xy");
    action("MNUndo")->trigger();  // takes back the name being typed, not the frequency
    EXPECT_FALSE(editor("Text2")->isVisible());
    EXPECT_EQ(cell(1, 10), "");
    EXPECT_EQ(cell(1, 2), "145.60000");
}

TEST_F(ChannelEditorTest, BandQuestionOnlyForTheFirstChangeAfterOpeningTheList) {
    auto* band = find<QComboBox>(form("BandSelector"), "Combo1");
    addChannel(1);
    boxes.answers = {MsgResult::Cancel};
    band->showPopup();
    pickByKeys(band, 2);
    EXPECT_EQ(boxes.last().text, "改变频段将清除频道列表，确定吗？");
    EXPECT_EQ(boxes.last().title, "注意！");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkCancel | MsgStyle::Question |
                                      MsgStyle::DefaultButton2 | MsgStyle::SystemModal);
    EXPECT_EQ(band->currentIndex(), 0);  // Cancel: the band and the channels stay

    band->showPopup();
    pickByKeys(band, 0);  // the entry already selected
    band->showPopup();
    QTest::keyClick(band->view(), Qt::Key_Escape);
    session->encode();
    session->loadImage(session->OutImage());
    session->decode("Read");  // as a read does: a change by the program, though the band stays
    band->setFocus();
    QTest::keyClick(band, Qt::Key_Down);  // keys on the closed list
    EXPECT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(session->settings().band(), 1);
    EXPECT_EQ(cell(1, 1), "145.50000");

    band->showPopup();
    pickByKeys(band, 1);  // OK: the band and the clearing are one undo step
    EXPECT_EQ(session->settings().band(), 2);
    EXPECT_EQ(cell(1, 1), "");
    action("MNUndo")->trigger();
    EXPECT_EQ(band->currentIndex(), 1);
    EXPECT_EQ(cell(1, 1), "145.50000");
}

// The question armed by opening the band list (and leaving it unchanged) is disarmed by every
// change the program makes or is about to make, also an Open that is cancelled or refused.
TEST_F(ChannelEditorTest, BandQuestionIsDisarmedByTheProgramsOwnChanges) {
    TempDir dir;
    const std::string refused = dir.file("other.dat");
    std::ofstream(refused) << std::string(kDataFileSize, 'x');
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"nothing", [] {}},
        {"New", [&] { action("MNNew")->trigger(); }},
        {"Open cancelled", [&] { action("MNOpen")->trigger(); }},
        {"Open refused",
         [&] {
             dialogs.openName = QString::fromStdString(refused);
             action("MNOpen")->trigger();
         }},
        {"a decode", [&] { session->decode("Read"); }},
    };
    for (const auto& [what, between] : cases) {
        SCOPED_TRACE(what);
        start(0);
        auto* band = find<QComboBox>(form("BandSelector"), "Combo1");
        band->showPopup();
        QTest::keyClick(band->view(), Qt::Key_Escape);
        boxes.answers = {MsgResult::Ok};
        between();
        boxes.shown.clear();
        boxes.answers = {MsgResult::Cancel};
        band->setFocus();
        QTest::keyClick(band, Qt::Key_Down);  // keys on the closed list
        const bool asked = std::string(what) == "nothing";
        EXPECT_EQ(boxes.shown.size(), asked ? 1U : 0U);
        EXPECT_EQ(session->settings().band(), asked ? 0 : 1);
    }
}

TEST_F(ChannelEditorTest, KeysMoveTheCurrentCellAndTypingStartsAnEntry) {
    addChannel(2);
    at(2, 3);
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    EXPECT_EQ(current(), std::make_pair(3, 4));
    key(Qt::Key_PageDown);
    EXPECT_GT(current().first, 10);
    key(Qt::Key_Home);
    EXPECT_EQ(current().second, 0);
    EXPECT_FALSE(editor("Text1")->isVisible());

    // A digit on a frequency cell opens Text1 with it, replacing the cell's text.
    at(2, 2);
    QTest::keyClicks(grid(), "1");
    ASSERT_TRUE(editor("Text1")->isVisible());
    EXPECT_EQ(editor("Text1")->text(), "1");
    QTest::keyClicks(editor("Text1"), "46.1");
    QTest::keyClick(editor("Text1"), Qt::Key_Return);
    EXPECT_EQ(session->channels().cell(2, 2), "146.10000");
    // A letter on a frequency cell opens nothing; on the name cell it goes through the filter.
    QTest::keyClicks(grid(), "x");
    EXPECT_FALSE(editor("Text1")->isVisible());
    at(2, 10);
    QTest::keyClicks(grid(), "a");
    ASSERT_TRUE(editor("Text2")->isVisible());
    EXPECT_EQ(editor("Text2")->text(), "A");
    // On an empty channel a digit starts its receive frequency.
    at(9, 6);
    QTest::keyClicks(grid(), "4");
    EXPECT_TRUE(editor("Text1")->isVisible());
    EXPECT_EQ(current(), std::make_pair(9, 1));
}

// Ctrl+Home and Ctrl+End select the first and the last channel and bring it into view; every
// other move of the current cell also ends with the cell in view.
TEST_F(ChannelEditorTest, KeysScrollToTheCellTheySelect) {
    const auto inView = [&] {
        const auto [row, column] = current();
        return grid()->viewport()->rect().contains(rect(row, column));
    };
    at(60, 5);
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, std::pair<int, int>> moves[] = {
        {Qt::Key_End, Qt::ControlModifier, {128, 10}}, {Qt::Key_Home, Qt::ControlModifier, {1, 0}},
        {Qt::Key_End, Qt::ControlModifier, {128, 10}}, {Qt::Key_Up, {}, {127, 10}},
        {Qt::Key_Home, Qt::ControlModifier, {1, 0}},
    };
    for (const auto& [k, mods, to] : moves) {
        key(k, mods);
        EXPECT_EQ(current(), to) << k;
        EXPECT_TRUE(inView()) << "channel " << to.first;
    }
    for (int i = 0; i < 40; ++i) key(Qt::Key_Down);  // past the last row in view
    EXPECT_EQ(current(), std::make_pair(41, 0));
    EXPECT_TRUE(inView());
    EXPECT_TRUE(selectedRows().empty() && grid()->selectedItems().size() == 1);
}

// The grid keeps a current cell and the keyboard: from the start, after Escape from each kind of
// editor, after a dialog, and after menu commands also when the keyboard was elsewhere; a
// command that shows another window leaves the keyboard there.
TEST_F(ChannelEditorTest, GridKeepsACurrentCellAndTheKeyboard) {
    const auto gridHoldsKeyboard = [&] {
        QApplication::processEvents();  // what follows a command comes once it is over
        return window->focusWidget() == grid() && grid()->currentIndex().isValid();
    };
    EXPECT_TRUE(gridHoldsKeyboard());
    EXPECT_EQ(current(), std::make_pair(1, 1));

    addChannel(5);
    for (const int column : {1, 10, 3, 6}) {
        SCOPED_TRACE(column);
        press(5, column);
        QWidget* open = QApplication::focusWidget();
        ASSERT_NE(open, grid());
        auto* list = qobject_cast<QComboBox*>(open);
        QTest::keyClick(list != nullptr ? list->view() : open, Qt::Key_Escape);
        EXPECT_TRUE(QTest::qWaitFor(gridHoldsKeyboard));  // a list ends once it has closed
        EXPECT_EQ(current(), std::make_pair(5, column));
    }

    // A dialog of the toolkit's own (the About window), closed as soon as it shows.
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    action("MNAbout")->trigger();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(gridHoldsKeyboard());
    EXPECT_TRUE(grid()->hasFocus());

    // Commands while the keyboard is in the band strip or in another window.
    QWidget* band = find<QWidget>(window->findChild<QToolBar*>("BandStrip"), "Combo1");
    const std::pair<const char*, QWidget*> commands[] = {
        {"MNNew", band}, {"MNUndo", band}, {"MNEnglish", band}, {"MNModel", form("Form3")}};
    for (const auto& [name, elsewhere] : commands) {
        SCOPED_TRACE(name);
        if (elsewhere == form("Form3")) window->showChild(form("Form3"));
        elsewhere->setFocus();
        boxes.answers = {MsgResult::Ok};
        action(name)->trigger();
        EXPECT_TRUE(gridHoldsKeyboard());
    }
    action("MNOption")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(form("Form3")->isAncestorOf(window->focusWidget()));
}

TEST_F(ChannelEditorTest, EscapeTakesTheEntryBackAndTabMovesOnWithinTheGrid) {
    addChannel(4);
    session->edit("name", [](Document& d) { d.channels.CommitName(4, "OLD"); });
    const int steps = session->historySize();
    press(4, 10);
    QTest::keyClicks(editor("Text2"), "new");
    EXPECT_EQ(session->channels().model().channel(4).name, "NEW");
    QTest::keyClick(editor("Text2"), Qt::Key_Escape);
    EXPECT_FALSE(editor("Text2")->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
    EXPECT_EQ(session->channels().model().channel(4).name, "OLD");
    EXPECT_EQ(session->channels().cell(4, 10), "OLD");
    EXPECT_EQ(session->historySize(), steps);  // nothing left to undo

    press(4, 1);
    QTest::keyClicks(editor("Text1"), "145.25");
    QTest::keyClick(editor("Text1"), Qt::Key_Escape);
    EXPECT_EQ(rx(4), "145.50000");

    // Tab commits and moves on; Shift+Tab moves back; the grid keeps the focus throughout.
    press(4, 1);
    QTest::keyClicks(editor("Text1"), "145.25");
    QTest::keyClick(editor("Text1"), Qt::Key_Tab);
    EXPECT_EQ(rx(4), "145.25000");
    EXPECT_EQ(current(), std::make_pair(4, 2));
    QTest::keyClick(grid(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(current(), std::make_pair(4, 1));
    at(4, 10);
    key(Qt::Key_Tab);
    EXPECT_EQ(current(), std::make_pair(5, 1));
    at(128, 10);
    key(Qt::Key_Tab);
    EXPECT_EQ(current(), std::make_pair(128, 10));
    EXPECT_TRUE(grid()->hasFocus());
}

TEST_F(ChannelEditorTest, ShiftExtendsARangeOfWholeChannelsThatCommandsFollow) {
    for (int r : {3, 4, 5, 6}) addChannel(r);
    press(3, 2);
    ASSERT_TRUE(editor("Text1")->isVisible());
    QTest::keyClick(editor("Text1"), Qt::Key_Return);
    press(5, 7, Qt::LeftButton, Qt::ShiftModifier);  // no editor opens
    EXPECT_FALSE(editor("Text1")->isVisible());
    EXPECT_EQ(selectedRows(), (std::vector<int>{3, 4, 5}));
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectedRows(), (std::vector<int>{3, 4, 5, 6}));
    key(Qt::Key_Up, Qt::ShiftModifier);

    // A pick with the range open applies to every channel of it, as one step.
    grid()->setCurrentCell(ChannelGrid::QtRow(5), 5);
    grid()->selectRange({3, 5}, 5);
    key(Qt::Key_Return);
    auto* power = find<PickList>(form("Form1"), "Combo5(5)");
    ASSERT_TRUE(power->view()->isVisible());
    QTest::keyClick(power->view(), Qt::Key_Up);
    QTest::keyClick(power->view(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !power->isVisible(); }));
    QApplication::setActiveWindow(window.get());  // the headless platform forgets it
    for (int r : {3, 4, 5}) EXPECT_EQ(session->channels().cell(r, 5), "低") << r;
    EXPECT_EQ(session->channels().cell(6, 5), "高");
    action("MNUndo")->trigger();
    for (int r : {3, 4, 5}) EXPECT_EQ(session->channels().cell(r, 5), "高") << r;

    // Alt+Down moves the range's channels one down, and the range follows them.
    grid()->selectRange({3, 4}, 4);
    session->edit("name", [](Document& d) { d.channels.CommitName(3, "FIRST"); });
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(session->channels().model().channel(4).name, "FIRST");
    EXPECT_EQ(selectedRows(), (std::vector<int>{4, 5}));
    action("MNUndo")->trigger();
    EXPECT_EQ(session->channels().model().channel(3).name, "FIRST");

    // Delete clears the range; a plain click ends the range.
    grid()->selectRange({5, 6}, 6);
    key(Qt::Key_Delete);
    EXPECT_TRUE(rx(5).empty() && rx(6).empty());
    EXPECT_FALSE(rx(4).empty());
    press(8, 0);
    EXPECT_FALSE(grid()->hasRange());
}

TEST_F(ChannelEditorTest, CommandsAreMenuItemsUnavailableWhileAnEditorIsOpen) {
    addChannel(128);
    at(5, 1);
    key(Qt::Key_Insert);  // channel 128 is in use: refused with a message
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.last().text, "频道 128 已被使用，不能在它之前插入频道。");
    window->setLanguage(1);
    key(Qt::Key_Insert);
    EXPECT_EQ(boxes.last().text, "Channel 128 is in use: no channel can be inserted before it.");

    boxes.numbers = {77};
    key(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(current(), std::make_pair(77, 1));

    QMenu* channels = window->findChild<QMenu*>("MNChannels");
    ASSERT_NE(channels, nullptr);
    EXPECT_EQ(channels->title(), "Channels(&N)");
    EXPECT_TRUE(channels->actions().contains(command("MNChannelPaste")));
    EXPECT_TRUE(window->channelEditor()->actions()->contextMenu()->actions().contains(
        command("MNChannelSort")));

    press(77, 1);
    EXPECT_FALSE(command("MNChannelCopy")->isEnabled());
    QTest::keyClick(editor("Text1"), Qt::Key_Escape);
    EXPECT_TRUE(command("MNChannelCopy")->isEnabled());
    window->setTransferCommandsEnabled(false);
    EXPECT_FALSE(command("MNChannelCopy")->isEnabled());
    window->setTransferCommandsEnabled(true);
    EXPECT_TRUE(command("MNChannelCopy")->isEnabled());
}

// The marks follow every change of the document, whatever made it (an edit, the band, an undo);
// Next Problem goes from cell to marked cell and from the last one back to the first.
TEST_F(ChannelEditorTest, DoubtfulValuesAreMarkedAfterEveryChangeAndNextProblemWraps) {
    auto* count = window->findChild<QLabel*>("FlagCount");
    ASSERT_NE(count, nullptr);
    EXPECT_TRUE(count->isHidden());
    auto marked = [&](int row, int column) {
        return !grid()->item(ChannelGrid::QtRow(row), column)->toolTip().isEmpty();
    };
    session->edit("", [](Document& d) {
        d.channels.CommitFrequency(3, 1, "150", *BandBounds(0), Language::Chinese);
        d.channels.CommitFrequency(20, 2, "145.5", *BandBounds(0), Language::Chinese);
    });
    EXPECT_FALSE(marked(3, 1));
    EXPECT_TRUE(marked(20, 2));  // a transmit frequency without a receive frequency
    EXPECT_FALSE(count->isHidden());
    EXPECT_TRUE(count->text().startsWith("1 ")) << qPrintable(count->text());

    // Band 1 has no 150 MHz: both frequencies of channel 3 are now outside, and so are the
    // VFOs at their start values (136 and 400 MHz), which are counted but have no cell.
    session->edit("", [](Document& d) { d.settings.setBand(1); });
    EXPECT_TRUE(marked(3, 1) && marked(3, 2));
    EXPECT_TRUE(count->text().startsWith("5 ")) << qPrintable(count->text());
    EXPECT_EQ(cell(3, 1), "150.00000");  // shown as it is

    at(128, kNameColumn);
    for (const std::pair<int, int>& expected :
         {std::pair{3, 1}, std::pair{3, 2}, std::pair{20, 2}, std::pair{3, 1}}) {
        command("MNChannelNextProblem")->trigger();
        EXPECT_EQ(current(), expected);
    }
    action("MNUndo")->trigger();
    EXPECT_FALSE(marked(3, 1) || marked(3, 2));
    EXPECT_TRUE(marked(20, 2));
}

TEST_F(ChannelEditorTest, ClipboardBothWaysAndRowCommandsAreOneStepEach) {
    for (int r : {2, 3, 4}) addChannel(r);
    session->edit("names", [](Document& d) {
        d.channels.CommitName(2, "TWO");
        d.channels.CommitName(3, "THREE");
    });
    at(2, 1);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("Location\tName\tFrequency"));
    EXPECT_EQ(copied.count('\n'), 3);  // the header and two channels
    EXPECT_TRUE(copied.contains("THREE"));

    // Pasted at channel 10, the two channels arrive there as one step, names with them.
    at(10, 4);
    const int steps = session->historySize();
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(session->historySize(), steps + 1);
    EXPECT_EQ(session->channels().model().channel(10).name, "TWO");
    EXPECT_EQ(session->channels().model().channel(11).name, "THREE");
    EXPECT_EQ(selectedRows(), (std::vector<int>{10, 11}));
    action("MNUndo")->trigger();
    EXPECT_TRUE(rx(10).empty() && rx(11).empty());

    // A spreadsheet's text: tab-separated, CRLF, its own column set; an empty Frequency
    // empties its channel, and what is changed is reported as the import reports it.
    QApplication::clipboard()->setText(
        "Name\tFrequency\tPower\r\nsheet1\t146.52\t1.0W\r\n\t\t\r\nsheet3\t999\t\r\n");
    at(2, 1);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(session->channels().model().channel(2).name, "SHEET1");
    EXPECT_EQ(session->channels().cell(2, 5), "低");
    EXPECT_TRUE(rx(3).empty());
    EXPECT_EQ(rx(4), "145.50000");  // out of band: skipped, the channel stays
    ASSERT_EQ(boxes.reports.size(), 1U);
    EXPECT_TRUE(boxes.reports.back().details.contains("line 4") ||
                boxes.reports.back().details.contains("第 4 行"));

    // Ctrl+X copies and clears; Ctrl+Delete deletes and moves the rest up; sort orders.
    at(4, 1);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(rx(4).empty());
    EXPECT_TRUE(QApplication::clipboard()->text().contains("145.500000"));
    addChannel(6);
    at(5, 1);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(rx(5), "145.50000");  // channel 6 moved up
    action("MNUndo")->trigger();
    EXPECT_EQ(rx(6), "145.50000");
    session->edit("tx", [&](Document& d) {
        d.channels.CommitFrequency(9, 1, "144.1", session->band(), session->language());
    });
    command("MNChannelSort")->trigger();
    EXPECT_EQ(rx(1), "144.10000");
    EXPECT_EQ(rx(2), "145.50000");
    EXPECT_EQ(session->channels().model().channel(3).name, "SHEET1");
    EXPECT_TRUE(rx(4).empty());
    action("MNUndo")->trigger();
    EXPECT_EQ(rx(9), "144.10000");
}

// Channel 3 with every field away from a new channel's: busy lock Carry, TX prohibit On, narrow,
// scan Off, Middle power, both tones, an 8-character name and a receive frequency with a digit
// that is not decimal (which the exchange text cannot carry).
ChannelRowState EveryFieldSet(const ChannelTable& table, Language lang) {
    ChannelRowState state = table.row(3);
    Channel& ch = state.channel;
    ch.freq[0] = DecodeFrequency({0x00, 0x50, 0x45, 0x1A});
    for (int c = kFirstListColumn; c <= kLastListColumn; ++c) {
        const int position = c == kRxToneColumn ? 9 : c == kTxToneColumn ? 60 : c == 5 ? 2 : 0;
        ch.index(c) = static_cast<std::int16_t>(position);
        ch.text(c) = ChannelColumnList(c, lang).at(static_cast<std::size_t>(position));
    }
    ch.name = state.nameCell = "ABCDEFGH";
    return state;
}

void SetClipboard(const QString& text, const QByteArray& channels = {}) {
    auto* data = new QMimeData;
    data->setText(text);
    if (!channels.isNull()) data->setData(kChannelClipMime, channels);
    QApplication::clipboard()->setMimeData(data);
}

TEST_F(ChannelEditorTest, CutAndPasteInsideTheProgramLoseNothing) {
    addChannel(3);
    const ChannelRowState full = EveryFieldSet(session->channels(), session->language());
    session->edit("every field", [&](Document& d) { d.channels.setRow(3, full); });
    const QString exchange = QtText(CopyChannels(session->channels().model(), {3, 4}));
    at(3, 1);
    key(Qt::Key_Down, Qt::ShiftModifier);
    const int steps = session->historySize();
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(session->historySize(), steps + 1);
    EXPECT_TRUE(rx(3).empty());
    // Beside the channels, the exchange text is the one other programs have always read.
    const QMimeData* data = QApplication::clipboard()->mimeData();
    EXPECT_TRUE(data->hasFormat(kChannelClipMime));
    EXPECT_EQ(data->text(), exchange);

    at(20, 6);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(session->historySize(), steps + 2);
    EXPECT_EQ(session->channels().row(20), full);
    ChannelTable expected;
    expected.setRow(1, full);
    for (int c = 1; c <= kNameColumn; ++c) EXPECT_EQ(cell(20, c), QtText(expected.cell(1, c))) << c;
    EXPECT_EQ(cell(20, 1), "1A4.55000");
    action("MNUndo")->trigger();
    EXPECT_TRUE(rx(20).empty());
    EXPECT_EQ(cell(20, 10), "");

    // A damaged payload is refused whole, though the text beside it would do.
    SetClipboard("Frequency\n150\n", "wavesmith-channels 1 0 1\nbroken\n");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(rx(20).empty());
    EXPECT_EQ(session->historySize(), steps + 2);
    EXPECT_EQ(boxes.last().text, "剪贴板上的频道数据已损坏，未粘贴任何内容。");
    EXPECT_TRUE(grid()->hasFocus());
}

TEST_F(ChannelEditorTest, HeaderlessValuesPasteOntoTheCellsAsInASpreadsheet) {
    window->setLanguage(1);
    for (int r : {2, 3, 4}) addChannel(r);
    const int steps = session->historySize();
    struct Paste {
        int row, column;
        QString text;
        int checkRow, checkColumn;
        QString expected;
    };
    const Paste pastes[] = {
        // A sheet laid out like the grid fills whole channels from the receive frequency.
        {10, 5,
         "146.1\t146.7\t88.5\tD023N\tLow\tCarry\tOff\tNarror\tOn\tclub\r\n"
         "147\t147\tOff\tOff\tHigh\tOff\tOn\twide\tOff\trpt\r\n",
         11, 10, "RPT"},
        {2, 1, "146.52", 2, 1, "146.52000"},              // one frequency, as if typed
        {3, 10, "home", 3, 10, "HOME"},                   // one name, as if typed
        {4, 6, "Carry", 4, 6, "Carry"},                   // a list cell takes the matching entry
        {2, 5, "Middle\nLow\nMiddle\n", 4, 5, "Middle"},  // a column fills downward
    };
    int step = steps;
    for (const Paste& p : pastes) {
        SetClipboard(p.text);
        at(p.row, p.column);
        key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(cell(p.checkRow, p.checkColumn), p.expected) << qPrintable(p.text);
        EXPECT_EQ(session->historySize(), ++step) << qPrintable(p.text);
    }
    EXPECT_EQ(cell(10, 4), "D023N");
    EXPECT_EQ(cell(10, 9), "On");
    EXPECT_EQ(cell(3, 5), "Low");
    EXPECT_TRUE(boxes.reports.empty());

    // A refused value is reported and its channel keeps what it had.
    SetClipboard("Loud");
    at(2, 5);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cell(2, 5), "Middle");
    EXPECT_EQ(session->historySize(), step);
    ASSERT_EQ(boxes.reports.size(), 1U);
    EXPECT_TRUE(boxes.reports.back().details.contains("channel 2: Power: \"Loud\" not understood"));
    action("MNUndo")->trigger();
    EXPECT_EQ(cell(2, 5), "High");
    EXPECT_EQ(cell(3, 5), "High");
}

TEST_F(ChannelEditorTest, ChannelsPastedIntoAnOpenBoxGoToTheTable) {
    addChannel(5);
    // One value pasted into an open box is the box's own business.
    SetClipboard("146.25");
    press(5, 1);
    QLineEdit* text1 = editor("Text1");
    ASSERT_TRUE(text1->isVisible());
    QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "146.25");
    EXPECT_EQ(rx(5), "145.50000");

    // Several values leave the box (committing it) and go to the table at its cell.
    SetClipboard("147\n148\n");
    QTest::keyClick(text1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(text1->isVisible());
    EXPECT_EQ(rx(5), "147.00000");
    EXPECT_EQ(rx(6), "148.00000");
    action("MNUndo")->trigger();
    EXPECT_EQ(rx(5), "146.25000");  // the box's own entry is a step of its own

    // Channels copied in the program go to the table from the name box too.
    at(5, 1);
    key(Qt::Key_C, Qt::ControlModifier);
    press(9, 1);
    QTest::keyClicks(editor("Text1"), "150");
    QTest::keyClick(editor("Text1"), Qt::Key_Return);
    press(9, 10);
    ASSERT_TRUE(editor("Text2")->isVisible());
    QTest::keyClicks(editor("Text2"), "X");
    QTest::keyClick(editor("Text2"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(editor("Text2")->isVisible());
    EXPECT_EQ(session->channels().row(9), session->channels().row(5));
}

}  // namespace
}  // namespace varel::test
