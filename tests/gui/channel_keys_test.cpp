// The channel table as a spreadsheet: keys move the current cell, typing on a cell starts its
// entry, Escape takes an entry back, Tab moves on without leaving the grid, Shift extends a range
// of whole channels, and the channel commands apply to the range, each one undo step.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>

#include "editors/channel_actions.h"
#include "editors/channel_editor.h"
#include "editors/channel_grid.h"
#include "gui/app_fixture.h"
#include "ui/pick_list.h"

namespace varel::test {
namespace {

class ChannelKeysTest : public AppFixture {
protected:
    ChannelGrid* grid() { return find<ChannelGrid>(form("Form1"), "Grid1"); }
    QLineEdit* text(const char* name) { return find<QLineEdit>(form("Form1"), name); }
    QRect rect(int row, int column) {
        return grid()->visualItemRect(grid()->item(ChannelGrid::QtRow(row), column));
    }
    void click(int row, int column, Qt::KeyboardModifiers mods = {}) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, mods, rect(row, column).center());
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

TEST_F(ChannelKeysTest, KeysMoveTheCurrentCellAndTypingStartsAnEntry) {
    addChannel(2);
    at(2, 3);
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    EXPECT_EQ(current(), std::make_pair(3, 4));
    key(Qt::Key_PageDown);
    EXPECT_GT(current().first, 10);
    key(Qt::Key_Home);
    EXPECT_EQ(current().second, 0);
    EXPECT_FALSE(text("Text1")->isVisible());

    // A digit on a frequency cell opens Text1 with it, replacing the cell's text.
    at(2, 2);
    QTest::keyClicks(grid(), "1");
    ASSERT_TRUE(text("Text1")->isVisible());
    EXPECT_EQ(text("Text1")->text(), "1");
    QTest::keyClicks(text("Text1"), "46.1");
    QTest::keyClick(text("Text1"), Qt::Key_Return);
    EXPECT_EQ(session->channels().cell(2, 2), "146.10000");
    // A letter on a frequency cell opens nothing; on the name cell it goes through the filter.
    QTest::keyClicks(grid(), "x");
    EXPECT_FALSE(text("Text1")->isVisible());
    at(2, 10);
    QTest::keyClicks(grid(), "a");
    ASSERT_TRUE(text("Text2")->isVisible());
    EXPECT_EQ(text("Text2")->text(), "A");
    // On an empty channel a digit starts its receive frequency.
    at(9, 6);
    QTest::keyClicks(grid(), "4");
    EXPECT_TRUE(text("Text1")->isVisible());
    EXPECT_EQ(current(), std::make_pair(9, 1));
}

TEST_F(ChannelKeysTest, EscapeTakesTheEntryBackAndTabMovesOnWithinTheGrid) {
    addChannel(4);
    session->edit("name", [](Document& d) { d.channels.CommitName(4, "OLD"); });
    const int steps = session->undoStack().count();
    click(4, 10);
    QTest::keyClicks(text("Text2"), "new");
    EXPECT_EQ(session->channels().model().channel(4).name, "NEW");
    QTest::keyClick(text("Text2"), Qt::Key_Escape);
    EXPECT_FALSE(text("Text2")->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
    EXPECT_EQ(session->channels().model().channel(4).name, "OLD");
    EXPECT_EQ(session->channels().cell(4, 10), "OLD");
    EXPECT_EQ(session->undoStack().count(), steps);  // nothing left to undo

    click(4, 1);
    QTest::keyClicks(text("Text1"), "145.25");
    QTest::keyClick(text("Text1"), Qt::Key_Escape);
    EXPECT_EQ(rx(4), "145.50000");

    // Tab commits and moves on; Shift+Tab moves back; the grid keeps the focus throughout.
    click(4, 1);
    QTest::keyClicks(text("Text1"), "145.25");
    QTest::keyClick(text("Text1"), Qt::Key_Tab);
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

TEST_F(ChannelKeysTest, ShiftExtendsARangeOfWholeChannelsThatCommandsFollow) {
    for (int r : {3, 4, 5, 6}) addChannel(r);
    click(3, 2);
    ASSERT_TRUE(text("Text1")->isVisible());
    QTest::keyClick(text("Text1"), Qt::Key_Return);
    click(5, 7, Qt::ShiftModifier);  // no editor opens
    EXPECT_FALSE(text("Text1")->isVisible());
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
    click(8, 0);
    EXPECT_FALSE(grid()->hasRange());
}

TEST_F(ChannelKeysTest, CommandsAreMenuItemsUnavailableWhileAnEditorIsOpen) {
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

    click(77, 1);
    EXPECT_FALSE(command("MNChannelCopy")->isEnabled());
    QTest::keyClick(text("Text1"), Qt::Key_Escape);
    EXPECT_TRUE(command("MNChannelCopy")->isEnabled());
    window->setTransferCommandsEnabled(false);
    EXPECT_FALSE(command("MNChannelCopy")->isEnabled());
    window->setTransferCommandsEnabled(true);
    EXPECT_TRUE(command("MNChannelCopy")->isEnabled());
}

TEST_F(ChannelKeysTest, ClipboardBothWaysAndRowCommandsAreOneStepEach) {
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
    const int steps = session->undoStack().count();
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(session->undoStack().count(), steps + 1);
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

}  // namespace
}  // namespace varel::test
