// The FM broadcast editor Form5 and the power tuning editor Form4: entries and their range
// message, committed values that only "OK" and a decode change, sliders whose labels follow at
// once and whose moves are one undo step each, and a data file round trip through both windows.
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTableWidget>

#include "editors/fm_editor.h"
#include "editors/tuning_editor.h"
#include "gui/app_fixture.h"
#include "image/data_file.h"
#include "session/service_modes.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

class FmTuningTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        openFm();
        fm = form("Form5");
        grid = find<QTableWidget>(fm, "MSFGrid");
    }
    template <class T>
    T* in(const char* form, const QString& name) {
        return find<T>(this->form(form), qPrintable(name));
    }
    QComboBox* fmList(int i) { return in<QComboBox>("Form5", QString("Combo1(%1)").arg(i)); }
    QSlider* slider(int i) { return in<QSlider>("Form4", QString("Slider1(%1)").arg(i)); }
    QString value(int i) { return in<QLabel>("Form4", QString("Label3(%1)").arg(i))->text(); }
    QString cell(int n) { return grid->item(n - 1, 1)->text(); }

    // Clicks a cell of FM channel n and types text into the editor that opens; Enter ends it
    // unless the entry is to stay open.
    void enterChannel(int n, const char* text, int column = 1, bool enter = true) {
        grid->scrollToItem(grid->item(n - 1, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(n - 1, column)).center());
        auto* editor = find<QLineEdit>(grid, "Text1");
        ASSERT_TRUE(editor->isVisible());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        if (enter) QTest::keyClick(editor, Qt::Key_Return);
    }
    void enterVfo(const char* text) {
        auto* box = in<QLineEdit>("Form5", "Text2");
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
    void openFm() { window->showChild(window->fmEditor()); }
    void press(const char* button) {
        QTest::mouseClick(in<QPushButton>("Form5", button), Qt::LeftButton);
    }
    int encodedWord(int offset) {
        session->encode();
        return session->OutImage().at(offset) * 256 + session->OutImage().at(offset + 1);
    }
    void debugMode() {
        for (int c = 0; c < 3; ++c) window->serviceModes()->captionClicked(ServiceMode::Debug, c);
        window->showChild(window->tuningEditor());
    }

    QWidget* fm = nullptr;
    QTableWidget* grid = nullptr;
};

TEST_F(FmTuningTest, FmEntriesAreSnappedOrRefusedWithTheMessage) {
    const char* const cases[][2] = {{"107.9", "107.90"},
                                    {"107.95", ""},
                                    {"86.9", ""},
                                    {"88.17", "88.15"},
                                    {"88", "88.00"}};  // "": refused
    auto* message = in<QLabel>("Form5", "Label2");
    for (const auto& c : cases) {
        const bool refused = *c[1] == '\0';
        enterChannel(5, "95.5");
        enterChannel(5, c[0], 0);  // a click on the channel number edits its frequency
        EXPECT_EQ(cell(5), refused ? "95.50" : c[1]) << c[0];
        EXPECT_EQ(message->isVisible(), refused) << c[0];
        enterVfo(c[0]);
        EXPECT_EQ(in<QLineEdit>("Form5", "Text2")->text(), c[1]) << c[0];
        EXPECT_EQ(message->isVisible(), refused) << c[0];
        QTest::mouseClick(message, Qt::LeftButton);
        EXPECT_FALSE(message->isVisible());
    }
    enterChannel(5, "8.8.8");  // not a number: nothing written
    EXPECT_EQ(cell(5), "88.00");
    EXPECT_EQ(grid->item(4, 0)->text(), "5");
    enterChannel(5, "86");
    EXPECT_EQ(message->text(), "超出频率范围(87-107.9)，请重输。");
    window->setLanguage(1);
    enterVfo("108");
    EXPECT_EQ(message->text(), "Beyond the scope of frequency(87-107.9), please input again.");
    // The message covers no control and shows its whole text.
    for (QWidget* control : fm->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control == message || !control->isVisible()) continue;
        EXPECT_FALSE(control->geometry().intersects(message->geometry()))
            << qPrintable(control->objectName());
    }
    EXPECT_GE(message->height(), message->heightForWidth(message->width()));

    // With the keyboard alone: Enter on the grid opens the current row's entry, Enter ends it.
    grid->setFocus();
    grid->setCurrentCell(9, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    auto* editor = find<QLineEdit>(grid, "Text1");
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, "100");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(cell(10), "100.00");
}

TEST_F(FmTuningTest, OnlyOkCommitsFmValuesAndCancelKeepsWhatWasTyped) {
    enterChannel(3, "88.1");
    enterVfo("107.9");
    fmList(0)->setEditText("12");
    press("Command1");
    EXPECT_FALSE(fm->isVisible());
    EXPECT_EQ(encodedWord(0x764), 0x000B);
    EXPECT_EQ(encodedWord(0x7A4), 0x00D1);
    EXPECT_EQ(session->OutImage().at(0x7A0), 12);
    EXPECT_EQ(session->undoStack().index(), 1);

    openFm();
    enterChannel(3, "99");
    press("Command2");
    EXPECT_EQ(encodedWord(0x764), 0x000B);
    session->edit("beep", [](Document& d) { d.settings.setIndex(SettingId::Beep, 0); });
    openFm();
    EXPECT_EQ(cell(3), "99.00");

    enterChannel(3, "");
    fmList(0)->setEditText("");  // not a whole number: the present channel stays
    press("Command1");
    EXPECT_EQ(encodedWord(0x764), 0xFFFF);
    EXPECT_EQ(session->OutImage().at(0x7A0), 12);
    session->undoStack().undo();  // the controls show the committed values again
    EXPECT_EQ(cell(3), "88.10");
    EXPECT_EQ(encodedWord(0x764), 0x000B);

    openFm();
    enterChannel(7, "100");           // a decode replaces what was typed too
    enterChannel(2, "90", 1, false);  // and drops an entry still open
    session->InImage().fill(0xFF);
    session->InImage().set(0x763, 0x0B);
    session->InImage().set(0x762, 0x00);
    session->decode();
    in<QLineEdit>("Form5", "Text2")->setFocus();
    EXPECT_EQ(cell(2), "88.10");
    EXPECT_EQ(cell(3), "");
    EXPECT_EQ(cell(7), "");
    EXPECT_EQ(fmList(0)->currentText(), "255");
    for (int i = 0; i < 6; ++i) EXPECT_EQ(value(i), "255");
}

TEST_F(FmTuningTest, SlidersStartAtTheDefaultsAndEachMoveIsOneStep) {
    const int start[6] = {218, 218, 116, 218, 218, 116};
    const int offsets[6] = {0x7F0, 0x7F1, 0x7F2, 0x7E0, 0x7E1, 0x7E2};
    session->encode();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(value(i), QString::number(start[i]));
        EXPECT_FALSE(slider(i)->isEnabled());
        EXPECT_EQ(session->OutImage().at(offsets[i]), start[i]);
    }

    debugMode();
    QSlider* s = slider(0);
    s->setFocus();
    QTest::keyClick(s, Qt::Key_PageUp);
    EXPECT_EQ(value(0), "223");
    auto key = [s](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, Qt::Key_Left, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(s, &event);
    };
    key(QEvent::KeyPress, false);  // a held key: repeated presses, one release
    for (int r = 0; r < 3; ++r) {
        key(QEvent::KeyRelease, true);
        key(QEvent::KeyPress, true);
    }
    EXPECT_EQ(value(0), "219");
    key(QEvent::KeyRelease, false);

    s = slider(2);
    QStyleOptionSlider option;
    option.initFrom(s);
    option.maximum = 255;
    option.sliderPosition = s->value();
    const QPoint from =
        s->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, s).center();
    const QPoint step(s->width() / 8, 0);
    QTest::mousePress(s, Qt::LeftButton, {}, from);
    QTest::mouseMove(s, from - step);
    EXPECT_LT(s->value(), 116);
    EXPECT_EQ(value(2), QString::number(s->value()));  // while the button is held
    QTest::mouseMove(s, from - 2 * step);
    QTest::mouseRelease(s, Qt::LeftButton, {}, from - 2 * step);
    EXPECT_EQ(session->settings().tuning(2), s->value());
    EXPECT_EQ(session->undoStack().index(), 3);
    session->undoStack().undo();
    session->undoStack().undo();
    EXPECT_EQ(value(0), "223");
    EXPECT_EQ(value(2), "116");
}

TEST_F(FmTuningTest, OneEditInEachWindowChangesOnlyItsBytesOfTheSavedFile) {
    const std::string sample = std::string(VAREL_TEST_DATA) + "/sample.dat";
    TempDir dir;
    ASSERT_EQ(RunProgram(VAREL_CLI, {"normalize", sample, dir.file("normal.dat")}).exitCode, 0);
    ASSERT_TRUE(LoadDataFile(sample, session->InImage()).ok());
    session->decode();
    debugMode();
    slider(4)->setFocus();
    QTest::keyClick(slider(4), Qt::Key_Left);
    openFm();
    enterChannel(3, "88.1");
    press("Command1");

    session->encode();
    ASSERT_TRUE(SaveDataFile(dir.file("saved.dat"), session->OutImage()).ok());
    std::vector<std::uint8_t> expected = ReadFileBytes(dir.file("normal.dat"));
    ASSERT_EQ(expected.size(), kDataFileSize);
    expected[kDataFileHeaderSize + 0x7E1] = 254;  // from the sample's 255
    expected[kDataFileHeaderSize + 0x764] = 0x00;
    expected[kDataFileHeaderSize + 0x765] = 0x0B;
    EXPECT_EQ(ReadFileBytes(dir.file("saved.dat")), expected);
}

// The window needs only a session: OK commits what it shows, an undo puts the committed values
// back into it, and nothing of the application is around it.
TEST(FmEditorAlone, CommitsThroughTheSessionAndFollowsItsUndo) {
    Session session;
    FmEditor fm(session);
    fm.show();
    auto* vfo = fm.findChild<QLineEdit*>("Text2");
    vfo->setText("100.1");
    fm.findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(session.settings().text(SettingId::FmVfo), "100.1");
    session.undoStack().undo();
    EXPECT_EQ(vfo->text(), QString::fromStdString(session.settings().text(SettingId::FmVfo)));
    EXPECT_NE(vfo->text(), "100.1");
}

}  // namespace
}  // namespace varel::test
