// The FM broadcast editor: entries in the grid and the VFO box with their range message, the
// committed values that only "OK" and a decode change, and the controls that keep what the user
// typed after "Cancel".
#include "fm_editor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "app_fixture.h"

namespace varel::test {
namespace {

const char kMessageZh[] = "超出频率范围(87-107.9)，请重输。";
const char kMessageEn[] = "Beyond the scope of frequency(87-107.9), please input again.";

// FM channel n's word in the image.
int ChannelOffset(int n) {
    return 0x760 + 2 * (n - 1);
}

class FmEditorTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        open();
        fm = form("Form5");
        grid = find<QTableWidget>(fm, "MSFGrid");
        cellEditor = find<QLineEdit>(grid, "Text1");
        vfo = find<QLineEdit>(fm, "Text2");
        message = find<QLabel>(fm, "Label2");
    }
    void open() { window->showChild(window->fmEditor()); }
    QComboBox* list(int i) { return find<QComboBox>(fm, qPrintable(QString("Combo1(%1)").arg(i))); }

    void clickCell(int n, int column) {
        QTableWidgetItem* item = grid->item(n - 1, column);
        grid->scrollToItem(item);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(item).center());
    }
    // Replaces what a box holds by typing, then presses Enter.
    static void retype(QLineEdit* box, const char* text) {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void enterChannel(int n, const char* text) {
        clickCell(n, 1);
        ASSERT_TRUE(cellEditor->isVisible());
        retype(cellEditor, text);
        EXPECT_FALSE(cellEditor->isVisible());
    }
    QString cell(int n) { return grid->item(n - 1, 1)->text(); }
    void press(const char* button) {
        QTest::mouseClick(find<QPushButton>(fm, button), Qt::LeftButton);
    }
    // The two bytes encoded at an offset, high byte first.
    int encodedWord(int offset) {
        session->encode();
        return session->OutImage().at(offset) * 256 + session->OutImage().at(offset + 1);
    }

    QWidget* fm = nullptr;
    QTableWidget* grid = nullptr;
    QLineEdit* cellEditor = nullptr;
    QLineEdit* vfo = nullptr;
    QLabel* message = nullptr;
};

struct EntryCase {
    const char* typed;
    const char* shown;  // nullptr: refused with the message
};

const EntryCase kEntries[] = {
    {"107.9", "107.90"}, {"107.95", nullptr}, {"86.9", nullptr},
    {"88.17", "88.15"},  {"88", "88.00"},     {"87", "87.00"},
};

TEST_F(FmEditorTest, ChannelEntriesAreSnappedOrRefusedWithTheMessage) {
    for (const EntryCase& c : kEntries) {
        enterChannel(5, "95.5");
        ASSERT_EQ(cell(5), "95.50");
        enterChannel(5, c.typed);
        EXPECT_EQ(cell(5), c.shown != nullptr ? c.shown : "95.50") << c.typed;
        EXPECT_EQ(message->isVisible(), c.shown == nullptr) << c.typed;
        if (c.shown == nullptr) {
            EXPECT_EQ(message->text(), QString::fromUtf8(kMessageZh));
            QTest::mouseClick(message, Qt::LeftButton);
            EXPECT_FALSE(message->isVisible());
        }
    }
    enterChannel(5, "8.8.8");  // not a number: nothing is written
    EXPECT_EQ(cell(5), "87.00");
    enterChannel(5, "");  // emptied: the channel becomes unused
    EXPECT_EQ(cell(5), "");
    EXPECT_EQ(session->settings().fmChannel(5), "");  // nothing committed yet
}

TEST_F(FmEditorTest, VfoEntriesAreSnappedOrRefusedWithTheMessage) {
    window->setLanguage(1);
    for (const EntryCase& c : kEntries) {
        vfo->setFocus();
        retype(vfo, c.typed);
        EXPECT_EQ(vfo->text(), c.shown != nullptr ? c.shown : "") << c.typed;
        EXPECT_EQ(message->isVisible(), c.shown == nullptr) << c.typed;
        if (c.shown == nullptr) {
            EXPECT_EQ(message->text(), kMessageEn);
        }
    }
    vfo->setFocus();
    retype(vfo, "8.8.8");
    EXPECT_EQ(vfo->text(), "8.8.8");  // left as it is
    vfo->setFocus();
    retype(vfo, "88.x1");  // the key filter drops the letter
    EXPECT_EQ(vfo->text(), "88.10");
}

TEST_F(FmEditorTest, AClickOnTheChannelNumberEditsTheFrequencyOfItsRow) {
    clickCell(4, 0);
    ASSERT_TRUE(cellEditor->isVisible());
    EXPECT_EQ(cellEditor->geometry(), grid->visualItemRect(grid->item(3, 1)));
    retype(cellEditor, "90");
    EXPECT_EQ(cell(4), "90.00");
    EXPECT_EQ(grid->item(3, 0)->text(), "4");
}

TEST_F(FmEditorTest, OkCommitsAsOneStepAndCancelKeepsTheTypedTextsUncommitted) {
    enterChannel(3, "88.1");
    vfo->setFocus();
    retype(vfo, "107.9");
    list(0)->setFocus();
    retype(list(0)->lineEdit(), "12");
    press("Command1");
    EXPECT_FALSE(fm->isVisible());
    EXPECT_EQ(encodedWord(ChannelOffset(3)), 0x000B);
    EXPECT_EQ(encodedWord(0x7A4), 0x00D1);
    EXPECT_EQ(session->OutImage().at(0x7A0), 0x0C);
    EXPECT_EQ(session->undoStack().index(), 1);

    // Cancel: the committed value stays, the grid keeps the edit, also for other settings' edits.
    open();
    enterChannel(3, "99");
    press("Command2");
    EXPECT_FALSE(fm->isVisible());
    EXPECT_EQ(encodedWord(ChannelOffset(3)), 0x000B);
    session->edit("beep", [](Document& d) { d.settings.setIndex(SettingId::Beep, 0); });
    open();
    EXPECT_EQ(cell(3), "99.00");

    // An emptied cell and OK make the channel unused; an empty present channel is not committed.
    enterChannel(3, "");
    retype(list(0)->lineEdit(), "");
    press("Command1");
    EXPECT_EQ(encodedWord(ChannelOffset(3)), 0xFFFF);
    EXPECT_EQ(session->OutImage().at(0x7A0), 0x0C);

    // Undoing that OK puts the committed values back into the controls.
    session->undoStack().undo();
    EXPECT_EQ(cell(3), "88.10");
    EXPECT_EQ(list(0)->currentText(), "12");
    EXPECT_EQ(encodedWord(ChannelOffset(3)), 0x000B);
}

TEST_F(FmEditorTest, ADecodeSetsCommittedValuesAndControls) {
    list(1)->setCurrentIndex(1);
    list(2)->setCurrentIndex(2);
    press("Command1");
    open();
    enterChannel(7, "100");  // typed, not committed: the decode replaces it

    session->InImage().fill(0xFF);
    session->InImage().set(ChannelOffset(2) + 1, 0x0B);  // 00 0B: 88.1 MHz
    session->InImage().set(ChannelOffset(2), 0x00);
    session->decode();
    EXPECT_EQ(cell(2), "88.10");
    EXPECT_EQ(cell(7), "");
    EXPECT_EQ(vfo->text(), "");
    EXPECT_EQ(list(0)->currentText(), "255");
    // 255 is no position of these lists: they keep their selections.
    EXPECT_EQ(list(1)->currentIndex(), 1);
    EXPECT_EQ(list(2)->currentIndex(), 2);
    EXPECT_EQ(encodedWord(ChannelOffset(2)), 0x000B);
}

}  // namespace
}  // namespace varel::test
