// The channel table editor and the band selector driven through their widgets: the cell
// editors, the lists' picks, the grid's mouse, keys and wheel, the band question, and the undo
// step of each kind of edit. The table's own rules are tested in tests/image.
#include "channel_editor.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "app_fixture.h"
#include "channel_grid.h"
#include "pick_list.h"

namespace varel::test {
namespace {

class ChannelEditorTest : public AppFixture {
protected:
    QWidget* form1() { return form("Form1"); }
    ChannelGrid* grid() { return find<ChannelGrid>(form1(), "Grid1"); }
    QLineEdit* text(const char* name) { return find<QLineEdit>(form1(), name); }
    PickList* list(const QString& name) {
        return find<PickList>(form1(), name.toUtf8().constData());
    }
    QRect cellRect(int row, int column) {
        grid()->scrollToItem(grid()->item(ChannelGrid::QtRow(row), column));
        return grid()->visualItemRect(grid()->item(ChannelGrid::QtRow(row), column));
    }
    void press(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid()->viewport(), button, {}, cellRect(row, column).center());
    }
    QString cell(int row, int column) {
        return grid()->item(ChannelGrid::QtRow(row), column)->text();
    }
    QStringList rowTexts(int row) {
        QStringList texts;
        for (int c = 1; c <= 10; ++c) texts << cell(row, c);
        return texts;
    }
    void addChannel(int row, const char* mhz) {
        session->edit("test", [&](Document& d) {
            d.channels.CommitFrequency(row, 1, mhz, session->band(), session->language());
        });
    }
    // Keyboard pick in the open list: Down `steps` times, then Enter.
    void pickByKeys(PickList* open, int steps) {
        for (int i = 0; i < steps; ++i) QTest::keyClick(open->view(), Qt::Key_Down);
        QTest::keyClick(open->view(), Qt::Key_Return);
    }
    bool closes(QWidget* editor) {
        return QTest::qWaitFor([&] { return !editor->isVisible(); }, 2000);
    }
};

TEST_F(ChannelEditorTest, FrequencyEntryMakesANewChannelAsOneUndoStep) {
    press(3, 5);  // the power cell of an empty channel opens its receive frequency
    QLineEdit* text1 = text("Text1");
    ASSERT_TRUE(text1->isVisible());
    EXPECT_TRUE(text1->hasFocus());
    EXPECT_EQ(grid()->currentColumn(), 1);
    EXPECT_EQ(text1->geometry(), cellRect(3, 1));
    QTest::keyClicks(text1, "145.5x0000");  // the letter is dropped, typing stops at 9
    EXPECT_EQ(text1->text(), "145.50000");
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_FALSE(text1->isVisible());
    EXPECT_TRUE(grid()->hasFocus());
    const QStringList made{"145.50000", "145.50000", "关闭", "关闭", "高",
                           "关",        "使能",      "宽带", "关",   ""};
    EXPECT_EQ(rowTexts(3), made);

    window->setLanguage(1);  // the grid follows the refresh after a language change
    EXPECT_EQ(rowTexts(3), (QStringList{"145.50000", "145.50000", "Off", "Off", "High", "Off", "On",
                                        "wide", "Off", ""}));
    action("MNUndo")->trigger();
    EXPECT_EQ(rowTexts(3), QStringList(10, ""));
    EXPECT_FALSE(session->channels().model().channel(3).exists());
}

TEST_F(ChannelEditorTest, OutOfBandFrequencyIsReportedAndChangesNothing) {
    struct Case {
        int languageFlag;
        const char* typed;
        const char* message;  // empty: accepted
    };
    // Band 1 ends at 146 MHz: inclusive in English, exclusive in Chinese.
    const Case cases[] = {{0, "146", "超出频段范围"},
                          {1, "146", ""},
                          {1, "440.00625", "Beyond the scope of frequency band"},
                          {0, "144", ""}};
    session->edit("band", [](Document& d) { d.settings.setBand(1); });
    for (const Case& c : cases) {
        window->setLanguage(c.languageFlag);
        boxes.shown.clear();
        press(7, 1);
        QTest::keyClicks(text("Text1"), c.typed);
        press(9, 0, Qt::RightButton);  // moving the focus to the grid commits
        EXPECT_FALSE(text("Text1")->isVisible());
        if (*c.message == '\0') {
            EXPECT_TRUE(boxes.shown.empty()) << c.typed;
            EXPECT_TRUE(cell(7, 1).startsWith(c.typed)) << c.typed;
            continue;
        }
        ASSERT_EQ(boxes.shown.size(), 1U) << c.typed;
        EXPECT_EQ(boxes.last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly);
        EXPECT_EQ(boxes.last().title, "");
        EXPECT_TRUE(grid()->hasFocus());
        EXPECT_NE(cell(7, 1), c.typed);
    }
}

TEST_F(ChannelEditorTest, NameIsFilteredFollowsEachKeyAndIsOneUndoStep) {
    addChannel(4, "145.5");
    session->edit("name", [](Document& d) { d.channels.CommitName(4, "OLD"); });
    const int steps = session->undoStack().count();
    press(4, 10);
    QLineEdit* text2 = text("Text2");
    ASSERT_TRUE(text2->isVisible());
    for (const char* key : {"a", "b", " ", "c", "1"}) QTest::keyClicks(text2, key);
    EXPECT_EQ(session->channels().model().channel(4).name, "ABC1");  // the model follows keys
    EXPECT_EQ(cell(4, 10), "OLD");                                   // the cell follows the commit
    QTest::keyClick(text2, Qt::Key_Return);
    EXPECT_EQ(cell(4, 10), "ABC1");
    EXPECT_EQ(session->undoStack().count(), steps + 1);
    action("MNUndo")->trigger();
    EXPECT_EQ(cell(4, 10), "OLD");
    EXPECT_EQ(session->channels().model().channel(4).name, "OLD");

    // A longer name from a file survives opening and leaving its editor, and is no edit.
    session->edit("name", [](Document& d) { d.channels.CommitName(4, "LAST1234"); });
    const int before = session->undoStack().count();
    press(4, 10);
    EXPECT_EQ(text2->text(), "LAST1234");
    press(5, 0, Qt::RightButton);
    EXPECT_FALSE(text2->isVisible());
    EXPECT_EQ(cell(4, 10), "LAST1234");
    EXPECT_EQ(session->undoStack().count(), before);
}

TEST_F(ChannelEditorTest, ListsCommitOnlyAPickFromTheOpenList) {
    addChannel(2, "145.5");
    press(2, 3);  // receive tone: Combo1 opens at the channel's position, dropped down
    PickList* tones = list("Combo1");
    ASSERT_TRUE(tones->view()->isVisible());
    EXPECT_EQ(tones->currentIndex(), 0);
    pickByKeys(tones, 1);
    EXPECT_TRUE(closes(tones));
    EXPECT_EQ(window->focusWidget(), grid());  // the focus the window gets back
    EXPECT_EQ(cell(2, 3), "67.0");
    EXPECT_EQ(session->channels().model().channel(2).index(3), 1);

    press(2, 5);  // power by mouse: "中" at position 2
    PickList* power = list("Combo5(5)");
    EXPECT_EQ(power->currentIndex(), 1);
    QAbstractItemView* view = power->view();
    const QPoint middle(view->width() / 2,
                        view->visualRect(view->model()->index(2, 0)).center().y());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, middle);
    EXPECT_TRUE(closes(power));
    EXPECT_EQ(cell(2, 5), "中");

    press(2, 7);  // closed with Escape: nothing changes
    QTest::keyClick(list("Combo5(7)")->view(), Qt::Key_Down);
    QTest::keyClick(list("Combo5(7)")->view(), Qt::Key_Escape);
    EXPECT_TRUE(closes(list("Combo5(7)")));
    EXPECT_EQ(cell(2, 7), "使能");
    QTest::keyClick(list("Combo5(7)"), Qt::Key_Up);  // keys on the hidden list do nothing
    EXPECT_EQ(cell(2, 7), "使能");

    action("MNUndo")->trigger();
    EXPECT_EQ(cell(2, 5), "高");
    action("MNUndo")->trigger();
    EXPECT_EQ(cell(2, 3), "关闭");
}

TEST_F(ChannelEditorTest, GridMouseKeysAndWheel) {
    press(5, 2);  // an empty channel: Text1 opens on its receive cell; Enter closes it
    QTest::keyClick(text("Text1"), Qt::Key_Return);
    grid()->setCurrentCell(ChannelGrid::QtRow(6), 4);
    press(8, 6, Qt::RightButton);  // a right press only takes the focus
    EXPECT_EQ(grid()->currentRow(), ChannelGrid::QtRow(6));
    EXPECT_FALSE(text("Text1")->isVisible());
    EXPECT_TRUE(grid()->hasFocus());

    // A drag with the button held never widens the selection.
    QTest::mousePress(grid()->viewport(), Qt::LeftButton, {}, cellRect(1, 0).center());
    QTest::mouseMove(grid()->viewport(), cellRect(3, 0).center());
    QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, cellRect(3, 0).center());
    EXPECT_EQ(grid()->selectedItems().size(), 1);
    EXPECT_EQ(grid()->currentRow(), ChannelGrid::QtRow(1));

    grid()->setFocus();
    QTest::keyClick(grid(), Qt::Key_Return);  // Enter on the grid opens the current cell
    EXPECT_TRUE(text("Text1")->isVisible());
    QTest::keyClick(text("Text1"), Qt::Key_Escape);
    grid()->setFocus();

    QScrollBar* bar = grid()->verticalScrollBar();
    bar->setValue(0);
    auto wheel = [&](int delta) {
        const QPoint at = grid()->viewport()->rect().center();
        QWheelEvent event(at, grid()->viewport()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid()->viewport(), &event);
    };
    wheel(120);  // towards the start at the first row: nothing
    EXPECT_EQ(bar->value(), 0);
    wheel(-120);
    EXPECT_EQ(bar->value(), 1);
    press(5, 1);
    wheel(-60);  // half notches add up; an open editor stays over its cell
    wheel(-60);
    EXPECT_EQ(bar->value(), 2);
    EXPECT_EQ(text("Text1")->geometry(),
              grid()->visualItemRect(grid()->item(ChannelGrid::QtRow(5), 1)));

    // A window smaller than the grid scrolls it.
    auto* area = find<QScrollArea>(form1(), "picClientArea");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !area->horizontalScrollBar()->isVisible(); }));
    form1()->parentWidget()->resize(400, 300);
    EXPECT_TRUE(QTest::qWaitFor([&] { return area->horizontalScrollBar()->isVisible(); }));
}

TEST_F(ChannelEditorTest, PendingEntryIsCommittedByBackgroundClickEncodeAndUndo) {
    press(1, 1);
    QTest::keyClicks(text("Text1"), "145.5");
    QTest::mouseClick(find<QWidget>(form1(), "picClient"), Qt::LeftButton, {},
                      QPoint(grid()->width() + 1, 1));
    EXPECT_FALSE(text("Text1")->isVisible());
    EXPECT_EQ(cell(1, 1), "145.50000");

    press(1, 2);
    QTest::keyClicks(text("Text1"), "145.6");
    session->encode();  // the transmit frequency reaches OutImage
    EXPECT_EQ(session->OutImage().at(6), 0x56);
    EXPECT_EQ(session->OutImage().at(7), 0x14);

    press(1, 10);
    QTest::keyClicks(text("Text2"), "xy");
    action("MNUndo")->trigger();  // takes back the name just typed, not the frequency
    EXPECT_FALSE(text("Text2")->isVisible());
    EXPECT_EQ(cell(1, 10), "");
    EXPECT_EQ(cell(1, 2), "145.60000");
}

class BandSelectorTest : public ChannelEditorTest {
protected:
    QComboBox* band() { return find<QComboBox>(form("BandSelector"), "Combo1"); }
    // Opens the band list and picks position by keys.
    void pickBand(int position) {
        band()->showPopup();
        const int steps = position - band()->currentIndex();
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(band()->view(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        QTest::keyClick(band()->view(), Qt::Key_Return);
    }
};

TEST_F(BandSelectorTest, OnlyTheFirstChangeAfterOpeningTheListAsks) {
    addChannel(1, "145.5");
    boxes.answers = {MsgResult::Cancel};
    pickBand(2);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.last().text, "改变频段将清除频道列表，确定吗？");
    EXPECT_EQ(boxes.last().title, "注意！");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkCancel | MsgStyle::Question |
                                      MsgStyle::DefaultButton2 | MsgStyle::SystemModal);
    EXPECT_EQ(band()->currentIndex(), 0);  // Cancel: the old band and channels stay
    EXPECT_EQ(session->settings().band(), 0);
    EXPECT_EQ(cell(1, 1), "145.50000");

    pickBand(0);  // the entry already selected: no question
    EXPECT_EQ(boxes.shown.size(), 1U);
    band()->setFocus();
    QTest::keyClick(band(), Qt::Key_Down);  // keys on the closed list: no question, no clearing
    EXPECT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(session->settings().band(), 1);
    EXPECT_EQ(cell(1, 1), "145.50000");

    window->setLanguage(1);
    pickBand(2);  // OK: band and clearing are one undo step
    EXPECT_EQ(boxes.last().title, "Be careful!");
    EXPECT_EQ(session->settings().band(), 2);
    EXPECT_EQ(cell(1, 1), "");
    action("MNUndo")->trigger();
    EXPECT_EQ(band()->currentIndex(), 1);
    EXPECT_EQ(cell(1, 1), "145.50000");
}

}  // namespace
}  // namespace varel::test
