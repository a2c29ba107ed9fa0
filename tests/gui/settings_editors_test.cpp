// The settings windows: the optional features editor Form3 (its boxes' key filters and leave
// checks, picks and checks as undo steps, what an encode takes from it, the service gestures'
// captions and the room its English captions need), the FM broadcast editor Form5 and the power
// tuning editor Form4 (entries and their range message, committed values that only "OK" and a
// decode change, sliders whose labels follow at once and whose moves are one undo step each),
// and a data file round trip through all three.
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTableWidget>
#include <cstdio>
#include <map>

#include "editors/fm_editor.h"
#include "editors/tuning_editor.h"
#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "session/service_modes.h"
#include "support/run_program.h"

namespace varel::test {
namespace {

const std::string kSample = std::string(VAREL_TEST_DATA) + "/sample.dat";

enum class Finish { None, Leave, Enter };

struct TypingCase {
    const char* box;
    const char* keys;
    Finish finish;
    const char* shown;
    int band = 0;
};

// Image bytes 0x000-0xBFF as a data file carries them.
using Bytes = std::vector<std::uint8_t>;

// The offsets where two images differ, with both bytes; empty when they are equal.
std::string Differences(const Bytes& got, const Bytes& expected) {
    std::string out = got.size() == expected.size() ? "" : "sizes differ";
    char line[48];
    for (std::size_t i = 0; i < got.size() && i < expected.size(); ++i) {
        if (got[i] == expected[i]) continue;
        std::snprintf(line, sizeof line, "0x%03zX: %02X, expected %02X\n", i, got[i], expected[i]);
        out += line;
    }
    return out;
}

class SettingsEditorsTest : public AppFixture {
protected:
    template <class T>
    T* in(const char* form, const QString& name) {
        return find<T>(this->form(form), qPrintable(name));
    }

    // Form3: shows the page that holds the box, puts the focus in it and types.
    template <class T>
    T* control(const char* name) {
        return find<T>(form("Form3"), name);
    }
    void typeInto(const char* name, const char* keys, bool clearFirst = true) {
        QLineEdit* box = control<QLineEdit>(name);
        if (!box->isVisible())
            control<QRadioButton>(control<QRadioButton>("Option1")->isChecked() ? "Option2"
                                                                                : "Option1")
                ->click();
        box->setFocus(Qt::MouseFocusReason);
        if (clearFirst) box->clear();
        QTest::keyClicks(box, keys);
    }
    void leaveBox() { control<QRadioButton>("Option1")->setFocus(Qt::TabFocusReason); }
    // Picks list position p with the keyboard, as the user would.
    void pick(const char* name, int position) {
        QComboBox* list = control<QComboBox>(name);
        if (!list->isVisible()) control<QRadioButton>("Option2")->click();
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < position; ++i) QTest::keyClick(list, Qt::Key_Down);
    }
    Bytes saved() {
        session->encode();
        const auto& b = session->OutImage().bytes();
        return Bytes(b.begin(), b.begin() + kConfigSize);
    }
    std::string modelText(const char* name) {
        for (const SettingField& f : SettingFields())
            if (f.objectName == name && Section(f.section).window == SettingWindow::Features)
                return session->settings().text(f.id);
        return "<no field " + std::string(name) + ">";
    }

    // Form5 and Form4.
    QTableWidget* fmGrid() { return in<QTableWidget>("Form5", "MSFGrid"); }
    QComboBox* fmList(int i) { return in<QComboBox>("Form5", QString("Combo1(%1)").arg(i)); }
    QSlider* slider(int i) { return in<QSlider>("Form4", QString("Slider1(%1)").arg(i)); }
    QString value(int i) { return in<QLabel>("Form4", QString("Label3(%1)").arg(i))->text(); }
    QString cell(int n) { return fmGrid()->item(n - 1, 1)->text(); }
    // Clicks a cell of FM channel n and types text into the editor that opens; Enter ends it
    // unless the entry is to stay open.
    void enterChannel(int n, const char* text, int column = 1, bool enter = true) {
        QTableWidget* grid = fmGrid();
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
};

class FeaturesEditorTest : public SettingsEditorsTest {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        window->showChild(form("Form3"));
    }
};

class FmTuningTest : public SettingsEditorsTest {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        openFm();
        fm = form("Form5");
        grid = fmGrid();
    }
    QWidget* fm = nullptr;
    QTableWidget* grid = nullptr;
};

// Each row starts from an empty box; rows that leave or press Enter also commit to the model.
TEST_F(FeaturesEditorTest, BoxesFilterTypingAndCheckWhatTheyHoldOnLeaving) {
    // clang-format off
    const TypingCase cases[] = {
        {"Text2", "300", Finish::None, "128"}, {"Text2", "0", Finish::Leave, ""},
        {"Text6", "007", Finish::Enter, "7"}, {"Text20", "145.1234", Finish::Leave, "145.12000"},
        {"Text20", "0145.5", Finish::Enter, "145.50000"},
        {"Text20", "173.995", Finish::Leave, "173.99500"},
        {"Text20", "999", Finish::Leave, "136.00000"}, {"Text3", "999", Finish::Leave, "400.00000"},
        {"Text3", "145.1.2", Finish::Leave, "145.10000"},
        {"Text20", "145", Finish::Leave, "145.00000", 1},
        {"Text20", "150", Finish::Leave, "136.00000", 1},
        {"Text3", "435.0125", Finish::Leave, "435.01250", 1},
        {"Text20", "1234567890", Finish::None, "123456789"},
        {"Text21", "150", Finish::Leave, "99.995"}, {"Text4", "5.003", Finish::Enter, "5"},
        {"Text4", "123456789", Finish::None, "12345678"},
        {"Text31", "ab-1xyz", Finish::Leave, "AB-1XY"}, {"Text1", "12a345", Finish::Leave, "1234"}};
    // clang-format on
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " <- " + c.keys);
        session->edit("band", [&](Document& d) { d.settings.setBand(c.band); });
        typeInto(c.box, c.keys);
        if (c.finish == Finish::Leave) leaveBox();
        if (c.finish == Finish::Enter) QTest::keyClick(control<QLineEdit>(c.box), Qt::Key_Return);
        EXPECT_EQ(control<QLineEdit>(c.box)->text(), QString::fromUtf8(c.shown));
        if (c.finish != Finish::None) {
            EXPECT_EQ(modelText(c.box), c.shown);
        }
    }
}

TEST_F(FeaturesEditorTest, PicksAndLeaveChecksAreOneUndoStepEach) {
    QComboBox* squelch = control<QComboBox>("Combo5");
    squelch->setFocus();
    QTest::keyClick(squelch, Qt::Key_Down);
    QTest::keyClick(squelch, Qt::Key_Down);
    EXPECT_EQ(session->settings().index(SettingId::SquelchLevel), 7);
    EXPECT_EQ(session->historySize(), 2);
    typeInto("Text6", "42");
    EXPECT_EQ(session->historySize(), 2);  // typing alone is not a change yet
    leaveBox();
    EXPECT_EQ(session->historySize(), 3);
    control<QLineEdit>("Text6")->setFocus();
    leaveBox();  // leaving again with nothing changed adds nothing
    EXPECT_EQ(session->historySize(), 3);

    session->undo();
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), "1");
    session->undo();
    EXPECT_EQ(control<QComboBox>("Combo5")->currentIndex(), 6);
    session->redo();
    session->redo();
    EXPECT_EQ(control<QComboBox>("Combo5")->currentIndex(), 7);
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), "42");

    // Undo from the menu takes back what is still being typed, not the step before it.
    typeInto("Text6", "9");
    action("MNUndo")->trigger();
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), "42");
    action("MNRedo")->trigger();
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), "9");
    EXPECT_EQ(session->historySize(), 4);
}

// Right after the start an encode gives the reset bits; later it takes the box being typed,
// after its check.
TEST_F(FeaturesEditorTest, AnEncodeTakesTheBoxBeingTypedAfterItsCheck) {
    const Bytes fresh = saved();
    EXPECT_EQ(fresh[0x706], 0x7D);
    EXPECT_EQ(fresh[0x708], 0x2F);
    typeInto("Text20", "0145.1234");
    // A change elsewhere does not wipe what is being typed.
    session->edit("other", [](Document& d) { d.settings.setIndex(SettingId::Beep, 0); });
    EXPECT_EQ(control<QLineEdit>("Text20")->text(), "0145.1234");
    const Bytes out = saved();
    EXPECT_EQ(control<QLineEdit>("Text20")->text(), "145.12000");
    EXPECT_EQ(Bytes(out.begin() + 0x720, out.begin() + 0x724), (Bytes{0x00, 0x20, 0x51, 0x14}));
}

// A file opened and saved unchanged gives the normalized bytes; one change in each kind of
// control of the features, tuning and FM windows changes exactly its bytes; a language switch
// changes none.
TEST_F(FeaturesEditorTest, OpenEditSaveChangesExactlyTheEditedBytes) {
    const Bytes file = NormalizedFile(VAREL_CLI, kSample);
    ASSERT_EQ(file.size(), kDataFileSize);
    Bytes expected(file.begin() + kDataFileHeaderSize, file.end());
    MemoryImage sample;
    ASSERT_TRUE(LoadDataFile(kSample, sample).ok());
    session->loadImage(sample);
    session->decode("Read");
    ASSERT_EQ(Differences(saved(), expected), "");

    pick("Combo1", 0);   // "Frequency"
    pick("Combo22", 1);  // tone 67.0
    typeInto("Text6", "12");
    QTest::keyClick(control<QLineEdit>("Text6"), Qt::Key_Return);
    typeInto("Text20", "0145.5");  // the page switch puts the focus here first
    typeInto("Text21", "7.5");
    typeInto("Text31", "ab");
    typeInto("Text1", "1234");
    leaveBox();
    const std::map<int, std::uint8_t> changed = {
        {0x700, 0x00},                                               // A display mode
        {0x705, 12},                                                 // A channel number
        {0x718, 'A'},  {0x719, 'B'},                                 // display characters
        {0x720, 0x00}, {0x721, 0x00}, {0x722, 0x55}, {0x723, 0x14},  // 145.50000
        {0x724, 0x00}, {0x725, 0x00}, {0x726, 0x75}, {0x727, 0x00},  // offset 7.5
        {0x728, 0x70}, {0x729, 0x06},                                // receive tone 67.0
        {0x740, '1'},  {0x741, '2'},  {0x742, '3'},  {0x743, '4'},   // password
        {0x764, 0x00}, {0x765, 0x0B},                                // FM channel 3: 88.1
        {0x7E1, 254},                                                // tuning, from 255
    };
    debugMode();
    slider(4)->setFocus();
    QTest::keyClick(slider(4), Qt::Key_Left);
    openFm();
    enterChannel(3, "88.1");
    press("Command1");
    for (const auto& [offset, value] : changed) expected[static_cast<std::size_t>(offset)] = value;
    EXPECT_EQ(Differences(saved(), expected), "");

    window->setLanguage(1);
    EXPECT_EQ(Differences(saved(), expected), "");
    window->setLanguage(0);
    EXPECT_EQ(Differences(saved(), expected), "");
}

TEST_F(FeaturesEditorTest, TextsTheProgramPutsIntoABoxAreKeptWhole) {
    const Bytes offsetField = {0x78, 0x56, 0x34, 0x12};  // 123.45678, least significant first
    MemoryImage image = session->InImage();
    for (std::size_t k = 0; k < offsetField.size(); ++k) image.set(0x724 + k, offsetField[k]);
    session->loadImage(image);
    session->decode("Read");
    QLineEdit* offset = control<QLineEdit>("Text21");
    EXPECT_EQ(offset->text(), "123.45678");
    typeInto("Text21", "9", false);
    EXPECT_EQ(offset->text(), "123.45678");
    const Bytes out = saved();
    EXPECT_EQ(Bytes(out.begin() + 0x724, out.begin() + 0x728), offsetField);
}

TEST_F(FeaturesEditorTest, GestureCaptionsSwitchTheServiceModesOn) {
    const std::map<ServiceMode, std::vector<const char*>> captions = {
        {ServiceMode::ForceWrite, {"Text6Caption", "Text2Caption", "Combo33Caption"}},
        {ServiceMode::Debug, {"Combo24Caption", "Combo48Caption", "Combo14Caption"}},
        {ServiceMode::FmService, {"Combo6Caption", "Combo32Caption", "Combo34Caption"}},
    };
    ServiceModes* modes = window->serviceModes();
    for (const auto& [mode, names] : captions) {
        for (const char* name : names) {
            if (!control<QLabel>(name)->isVisible()) control<QRadioButton>("Option2")->click();
            EXPECT_FALSE(modes->isOn(mode));
            QTest::mouseClick(control<QLabel>(name), Qt::LeftButton);
        }
        EXPECT_TRUE(modes->isOn(mode)) << static_cast<int>(mode);
    }

    // The FM service mode enables three lists and their captions (they start enabled too).
    const char* const fmLists[] = {"Combo2", "Combo13", "Combo16"};
    for (const char* name : fmLists) {
        EXPECT_TRUE(control<QComboBox>(name)->isEnabled());
        control<QComboBox>(name)->setEnabled(false);
        control<QLabel>((std::string(name) + "Caption").c_str())->setEnabled(false);
    }
    emit modes->modeChanged(ServiceMode::FmService, true);
    for (const char* name : fmLists) {
        EXPECT_TRUE(control<QComboBox>(name)->isEnabled());
        EXPECT_TRUE(control<QLabel>((std::string(name) + "Caption").c_str())->isEnabled());
    }
}

// The longer English captions get their room on both pages: each caption is shown whole and
// every frame lies inside the window, which the main window is wide enough for.
TEST_F(FeaturesEditorTest, EnglishCaptionsGetTheirRoomOnBothPages) {
    QWidget* form3 = form("Form3");
    const auto shownWhole = [&] {
        for (QLabel* label : form3->findChildren<QLabel*>())
            if (label->isVisible() && label->width() < label->sizeHint().width()) return false;
        QWidget* area = window->centralWidget();
        for (QGroupBox* frame : form3->findChildren<QGroupBox*>())
            if (frame->isVisible() &&
                (!form3->rect().contains(frame->geometry()) ||
                 frame->mapTo(area, QPoint()).x() + frame->width() > area->width()))
                return false;
        return true;
    };
    window->setLanguage(1);
    for (const char* page : {"Option2", "Option1"}) {
        control<QRadioButton>(page)->click();
        EXPECT_TRUE(QTest::qWaitFor(shownWhole, 1000)) << page;
    }
}

// A window at the right edge of the work area widens for the longer English captions and moves
// left as far as it must; back in Chinese it keeps its size.
TEST_F(FeaturesEditorTest, AWindowAtTheRightEdgeWidensLeftwards) {
    QWidget* frame = form("Form3")->parentWidget();
    const int areaWidth = window->findChild<QMdiArea*>("MDIArea")->viewport()->width();
    frame->move(areaWidth - frame->width(), frame->y());
    const QRect chinese = frame->geometry();
    window->setLanguage(1);
    const QRect english = frame->geometry();
    EXPECT_GT(english.width(), chinese.width());
    EXPECT_GE(english.width(), frame->minimumSizeHint().width());
    EXPECT_EQ(english.x(), qMax(0, areaWidth - english.width()));
    EXPECT_EQ(english.y(), chinese.y());
    EXPECT_EQ(english.height(), chinese.height());
    window->setLanguage(0);
    EXPECT_EQ(frame->geometry(), english);
}

// OK and Cancel close the whole child window, which the menu command shows again.
TEST_F(FmTuningTest, OkAndCancelCloseTheChildWindow) {
    QWidget* frame = fm->parentWidget();
    for (const char* button : {"Command1", "Command2"}) {
        SCOPED_TRACE(button);
        openFm();
        ASSERT_TRUE(fm->isVisible());
        press(button);
        EXPECT_FALSE(frame->isVisible());
        EXPECT_TRUE(fm->isVisibleTo(frame));  // only the frame was hidden
    }
    action("MNFMset")->trigger();
    EXPECT_TRUE(fm->isVisible());
}

TEST_F(FmTuningTest, FmEntriesAreSnappedOrRefusedWithTheMessage) {
    // Typed and shown; "" when refused.
    const char* const cases[][2] = {
        {"107.9", "107.90"}, {"107.95", ""}, {"86.9", ""}, {"88.17", "88.15"}, {"88", "88.00"}};
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
    EXPECT_EQ(session->historyIndex(), 1);

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
    session->undo();  // the controls show the committed values again
    EXPECT_EQ(cell(3), "88.10");
    EXPECT_EQ(encodedWord(0x764), 0x000B);

    openFm();
    enterChannel(7, "100");           // a decode replaces what was typed too
    enterChannel(2, "90", 1, false);  // and drops an entry still open
    MemoryImage image;
    image.fill(0xFF);
    image.set(0x763, 0x0B);
    image.set(0x762, 0x00);
    session->loadImage(image);
    session->decode("Read");
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
    EXPECT_EQ(session->historyIndex(), 3);
    session->undo();
    session->undo();
    EXPECT_EQ(value(0), "223");
    EXPECT_EQ(value(2), "116");
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
    session.undo();
    EXPECT_EQ(vfo->text(), QString::fromStdString(session.settings().text(SettingId::FmVfo)));
    EXPECT_NE(vfo->text(), "100.1");
}

// A window of its own, held by no other window, hides itself on OK and Cancel.
TEST(FmEditorAlone, OkAndCancelHideAWindowOfItsOwn) {
    Session session;
    FmEditor fm(session);
    for (const char* button : {"Command1", "Command2"}) {
        fm.show();
        fm.findChild<QPushButton*>(button)->click();
        EXPECT_FALSE(fm.isVisible()) << button;
    }
}

}  // namespace
}  // namespace varel::test
