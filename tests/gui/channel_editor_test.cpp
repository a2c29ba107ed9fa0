// The channel table editor and the band selector driven through their widgets: the cell
// editors, the lists' picks, the grid's mouse, keys and wheel, the band question, and the undo
// step of each kind of edit. The table's own rules are tested in tests/image.
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "editors/channel_grid.h"
#include "gui/app_fixture.h"
#include "ui/pick_list.h"

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
    void press(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid()->viewport(), button, {}, rect(row, column).center());
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
    const int steps = session->undoStack().count();
    press(4, 10);
    QLineEdit* text2 = editor("Text2");
    for (const char* key : {"a", "b", " ", "c", "1"}) QTest::keyClicks(text2, key);
    EXPECT_EQ(session->channels().model().channel(4).name, "ABC1");
    EXPECT_EQ(cell(4, 10), "");  // the cell follows on the commit
    QTest::keyClick(text2, Qt::Key_Return);
    EXPECT_EQ(cell(4, 10), "ABC1");
    EXPECT_EQ(session->undoStack().count(), steps + 1);
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
    session->InImage() = session->OutImage();
    session->decode();  // as a read does: a change by the program, though the band stays
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

}  // namespace
}  // namespace varel::test
