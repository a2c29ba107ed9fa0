// The main window: the commands that never work, the exit confirmation, the undo items, the
// About window and the message box buttons; the hidden service modes (caption gestures within five
// seconds switch them on, a double click on their toolbar button switches them off; times come
// from the test's clock); and the shared text box behaviour: key filters with their length
// limits, and the leave check.
#include <QAbstractButton>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "app/qt_message_boxes.h"
#include "editors/channel_editor.h"
#include "editors/port_window.h"
#include "gui/app_fixture.h"
#include "session/service_modes.h"
#include "ui/about_box.h"
#include "ui/char_filter.h"
#include "ui/leave_watcher.h"

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
    window->setPortNumber(7);
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

// Each child window opens at a size of its own (the channel table, the port window) or at the
// size its contents ask for, in either language, inside the work area (the main window widens
// for the optional features in English).
TEST_F(MainWindowTest, ChildWindowsOpenAtTheirSizes) {
    for (const int flag : {0, 1}) {
        start(flag);
        for (const char* name : {"Form1", "Form3", "Form4", "Form5", "Form6"}) {
            SCOPED_TRACE(std::string(name) + (flag == 0 ? " zh" : " en"));
            QWidget* editor = form(name);
            window->showChild(editor);
            QApplication::processEvents();
            const QWidget* frame = editor->parentWidget();
            if (editor == window->channelEditor()) {
                EXPECT_EQ(frame->size(), ChannelEditor::outerSize());
            } else if (editor == window->portWindow()) {
                EXPECT_EQ(frame->size(),
                          PortWindow::outerSize().expandedTo(frame->minimumSizeHint()));
            } else {
                EXPECT_GE(editor->width(), editor->sizeHint().width());
                EXPECT_GE(editor->height(), editor->sizeHint().height());
            }
            const QWidget* area = window->findChild<QMdiArea*>("MDIArea")->viewport();
            EXPECT_TRUE(area->rect().contains(frame->geometry()));
        }
    }
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
        EXPECT_EQ(texts, (flag == 0 ? QStringList{"取消", "否", "是"}
                                    : QStringList{"Cancel", "No", "Yes"}));
        EXPECT_EQ(title, flag == 0 ? QString("Varel 对讲机编程软件") : QString("Varel Wavesmith"));
    }
}

constexpr ServiceMode kModes[] = {ServiceMode::ForceWrite, ServiceMode::Debug,
                                  ServiceMode::FmService};

class ServiceModesTest : public AppFixture {
protected:
    ServiceModes& modes() { return *window->serviceModes(); }
    QAction* button(ServiceMode m) { return action(ServiceModes::ButtonKey(static_cast<int>(m))); }
    void caption(ServiceMode m, int caption, double at) {
        clock.seconds = at;
        modes().captionClicked(m, caption);
    }
    void clickButton(ServiceMode m, double at) {
        clock.seconds = at;
        button(m)->trigger();
    }
    bool slidersEnabled() { return find<QSlider>(form("Form4"), "Slider1(3)")->isEnabled(); }
};

TEST_F(ServiceModesTest, ThreeCaptionsWithinFiveSecondsSwitchAModeOn) {
    QSignalSpy changed(&modes(), &ServiceModes::modeChanged);
    EXPECT_FALSE(slidersEnabled());
    for (ServiceMode m : kModes) {
        caption(m, 2, 1000.4);  // starts the sequence at 1000
        caption(m, 0, 1003);
        EXPECT_FALSE(modes().isOn(m) || button(m)->isVisible());
        caption(m, 1, 1005);
        EXPECT_TRUE(modes().isOn(m) && button(m)->isVisible()) << static_cast<int>(m);
    }
    EXPECT_EQ(changed.count(), 3);
    EXPECT_TRUE(slidersEnabled());
    EXPECT_TRUE(action("MNFMset")->isEnabled());

    // Six seconds after the start the third caption starts a new sequence instead.
    clickButton(ServiceMode::Debug, 2000);
    clickButton(ServiceMode::Debug, 2000.5);
    caption(ServiceMode::Debug, 0, 3000);
    caption(ServiceMode::Debug, 1, 3001);
    caption(ServiceMode::Debug, 2, 3006);
    caption(ServiceMode::Debug, 0, 3007);
    EXPECT_FALSE(modes().DebugMode());
    caption(ServiceMode::Debug, 1, 3011);
    EXPECT_TRUE(modes().DebugMode());
}

TEST_F(ServiceModesTest, TwoButtonClicksWithinASecondSwitchTheModeOffAndClearItsMarks) {
    for (ServiceMode m : kModes) {
        for (int c = 0; c < 3; ++c) caption(m, c, 100);
        clickButton(m, 110.4);  // stored as 110
        clickButton(m, 111.3);  // 1.3 s after the stored time: only stored, as 111
        EXPECT_TRUE(modes().isOn(m));
        clickButton(m, 111.9);
        EXPECT_FALSE(modes().isOn(m) || button(m)->isVisible());
        caption(m, 2, 112);  // the earlier marks are gone
        EXPECT_FALSE(modes().isOn(m));
    }
    EXPECT_FALSE(slidersEnabled());
    EXPECT_TRUE(action("MNFMset")->isEnabled());  // started enabled and stays so

    // Across midnight: a gesture goes on, and clicks of different days are no double click.
    const ServiceMode m = ServiceMode::ForceWrite;
    caption(m, 0, 86398);
    caption(m, 1, 86399.6);
    caption(m, 2, 2);
    EXPECT_TRUE(modes().ForceWriteMode());
    clickButton(m, 80000);
    clickButton(m, 3000);
    EXPECT_TRUE(modes().ForceWriteMode());
    clickButton(m, 86399.6);
    clickButton(m, 0.3);
    EXPECT_FALSE(modes().ForceWriteMode());
}

struct Boxes {
    QWidget window;
    QLineEdit* first = new QLineEdit(&window);
    QLineEdit* second = new QLineEdit(&window);
    Boxes() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.show();
        QApplication::setActiveWindow(&window);
        first->setFocus();
    }
};

TEST(TextBox, FilterTransformsAndLimitsTypingButNotTheProgramsText) {
    Boxes b;
    CharFilter::attach(b.first, KeySet::ChannelName, 6);
    QTest::keyClicks(b.first, "ab c1");
    EXPECT_EQ(b.first->text(), "ABC1");
    QTest::keyClicks(b.first, "defg");
    EXPECT_EQ(b.first->text(), "ABC1DE");
    b.first->clear();
    QTest::keyClicks(b.first, "g ", Qt::AltModifier);  // text that comes with Alt is filtered too
    EXPECT_EQ(b.first->text(), "G");
    b.first->setText("ABC1DE");

    b.first->setText("ABCDEFGH");  // a name from a file keeps all its characters
    EXPECT_EQ(b.first->text(), "ABCDEFGH");
    QTest::keyClick(b.first, Qt::Key_End);
    QTest::keyClick(b.first, Qt::Key_Backspace);
    QTest::keyClicks(b.first, "x");  // 7 characters are still more than the limit
    EXPECT_EQ(b.first->text(), "ABCDEFG");

    b.first->clear();
    QApplication::clipboard()->setText(
        "a1 b\xE4\xB8\xAD"
        "2cdef");
    QTest::keyClick(b.first, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(b.first->text(), "A1B2CD");
}

TEST(TextBox, MiddleButtonPasteOfTheSelectionIsFiltered) {
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard->supportsSelection()) GTEST_SKIP() << "the platform has no selection";
    Boxes b;
    CharFilter::attach(b.first, KeySet::ChannelName, 6);
    clipboard->setText(
        "a1 b\xE4\xB8\xAD"
        "2cdef",
        QClipboard::Selection);
    QTest::mouseClick(b.first, Qt::MiddleButton);
    EXPECT_EQ(b.first->text(), "A1B2CD");
}

TEST(TextBox, LeaveCheckRunsOnFocusLossButNotForPopupsOrItsOwnMessages) {
    Boxes b;
    int runs = 0;
    LeaveWatcher* watcher = LeaveWatcher::attach(b.first, [&] {
        ++runs;
        b.second->setFocus();  // a check that moves the focus does not run itself again
    });
    b.first->setFocus(Qt::OtherFocusReason);
    QFocusEvent menuOpened(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(b.first, &menuOpened);
    EXPECT_EQ(runs, 0);
    b.second->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(runs, 1);
    watcher->runNow();
    EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace varel::test
