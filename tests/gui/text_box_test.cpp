// The shared text box behaviour: key filters with their length limits, and the leave check.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/char_filter.h"
#include "ui/leave_watcher.h"

namespace varel::test {
namespace {

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
