// The main window: the commands that never work, the exit confirmation, the undo items, the
// About window and the message box buttons.
#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include "app/qt_message_boxes.h"
#include "gui/app_fixture.h"
#include "ui/about_box.h"

namespace varel::test {
namespace {

using MainWindowTest = AppFixture;

TEST_F(MainWindowTest, CommandsThatNeverWorkAreUnavailableAndServiceButtonsHidden) {
    for (const char* name : {"MNPrint", "MNDTMF", "MNF1"}) EXPECT_FALSE(action(name)->isEnabled());
    for (const char* name : {"TAnMa", "TDebug", "TFMMa"}) EXPECT_FALSE(action(name)->isVisible());
    for (const char* name : {"TNew", "TOpen", "TSave", "TRead", "TWrite"}) {
        EXPECT_TRUE(action(name)->isVisible());
        EXPECT_FALSE(action(name)->icon().isNull()) << name;
    }
    EXPECT_EQ(action("MNRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    // Ctrl+W writes, also while a child window, whose window menu closes with it, is active.
    QSignalSpy write(action("MNWrite"), &QAction::triggered);
    QTest::keyClick(find<QWidget>(form("Form1"), "Grid1"), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(write.count(), 1);
    EXPECT_TRUE(form("Form1")->isVisible());
}

TEST_F(MainWindowTest, ExitAsksAndOnlyOkStoresAndCloses) {
    session->setPortNumber(7);
    boxes.answers = {MsgResult::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(settings.languageSaves, 0);
    const ShownMessage asked = boxes.last();
    EXPECT_EQ(asked.title, "注意");
    EXPECT_EQ(asked.text, "确定退出本程序？\n未保存的更改将全部丢失！");
    EXPECT_EQ(asked.style, MsgStyle::OkCancel | MsgStyle::Question | MsgStyle::DefaultButton2 |
                               MsgStyle::SystemModal);

    window->setLanguage(1);
    boxes.answers = {MsgResult::Ok};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(boxes.last().title, "Be careful");
    EXPECT_EQ(boxes.last().text,
              "Confirm that withdraws from a procedure?\nLose all in change not kept!");
    EXPECT_EQ(settings.language, 1);
    EXPECT_EQ(settings.port, 7);
}

TEST_F(MainWindowTest, UndoItemsFollowTheHistoryAndNameTheStepInTheLanguageShown) {
    EXPECT_FALSE(action("MNUndo")->isEnabled());
    const QString plainUndo = action("MNUndo")->text();
    session->edit(EditLabel::Cell(4, 10), [](Document& d) { d.channels.CommitName(4, "ABC"); });
    EXPECT_TRUE(action("MNUndo")->isEnabled());
    EXPECT_EQ(action("MNUndo")->text(), "撤销 频道 4 频道名称(&U)");
    window->setLanguage(1);
    EXPECT_EQ(action("MNUndo")->text(), "Undo channel 4 Channel Name(&U)");
    action("MNUndo")->trigger();
    EXPECT_EQ(session->channels().cell(4, 10), "");
    EXPECT_EQ(action("MNUndo")->text(), "Undo(&U)");
    EXPECT_TRUE(action("MNRedo")->isEnabled());
    EXPECT_EQ(action("MNRedo")->text(), "Redo channel 4 Channel Name(&R)");
    action("MNRedo")->trigger();
    EXPECT_EQ(session->channels().model().channel(4).name, "ABC");
    window->setLanguage(0);
    EXPECT_NE(action("MNUndo")->text(), plainUndo);
}

TEST_F(MainWindowTest, AboutWindowShowsTheProgramVersionAndClosesOnAnyClick) {
    AboutBox about(*window, QIcon());
    EXPECT_EQ(find<QLabel>(&about, "lblProgramVersion")->text(), "程序版本 " VAREL_VERSION);
    about.show();
    QTest::mouseClick(find<QLabel>(&about, "lblTitle"), Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(MainWindowTest, MessageBoxButtonsCarryTheTextsOfTheLanguage) {
    QtMessageBoxes real(window.get());
    for (int flag : {0, 1}) {
        window->setLanguage(flag);
        QStringList texts;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            QFont bold = box->font();
            bold.setBold(true);
            EXPECT_GT(box->width(), QFontMetrics(bold).horizontalAdvance(title));
            for (QAbstractButton* b : box->buttons()) texts << b->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == "否" || b->text() == "No") b->click();
        });
        EXPECT_EQ(real.LocalMsgBox("?", MsgStyle::YesNoCancel, ""), MsgResult::No);
        texts.sort();
        QStringList expected =
            flag == 0 ? QStringList{"取消", "否", "是"} : QStringList{"Cancel", "No", "Yes"};
        expected.sort();
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(title, flag == 0 ? QString("Varel 对讲机编程软件") : QString("Varel Wavesmith"));
    }
}

}  // namespace
}  // namespace varel::test
