// The optional features editor Form3: its boxes' key filters and leave checks, picks and checks
// as undo steps, what an encode takes from it, round trips through a data file, the service
// gestures' captions and the room its English captions need.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QUndoStack>
#include <map>

#include "gui/app_fixture.h"
#include "image/data_file.h"
#include "session/service_modes.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

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
    if (got.size() != expected.size()) return "sizes differ";
    std::string out;
    char line[48];
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i] == expected[i]) continue;
        std::snprintf(line, sizeof line, "0x%03zX: %02X, expected %02X\n", i, got[i], expected[i]);
        out += line;
    }
    return out;
}

class FeaturesEditorTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        window->showChild(form("Form3"));
    }

    template <class T>
    T* control(const char* name) {
        return find<T>(form("Form3"), name);
    }

    // Shows the page that holds the box, puts the focus in it and types.
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

    void open(const std::string& path) {
        ASSERT_TRUE(LoadDataFile(path, session->InImage()).ok());
        session->decode();
    }
    Bytes saved() {
        session->encode();
        const auto& b = session->OutImage().bytes();
        return Bytes(b.begin(), b.begin() + kConfigSize);
    }
    Bytes normalized(const std::string& path) {
        TempDir dir;
        const std::string out = dir.file("out.dat");
        const auto result = RunProgram(VAREL_CLI, {"normalize", path, out});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const Bytes file = ReadFileBytes(out);
        return file.size() < kDataFileSize ? Bytes()
                                           : Bytes(file.begin() + kDataFileHeaderSize, file.end());
    }
    std::string modelText(const char* name) {
        for (const SettingField& f : SettingFields())
            if (f.objectName == name && Section(f.section).window == SettingWindow::Features)
                return session->settings().text(f.id);
        return "<no field " + std::string(name) + ">";
    }
};

// Each row starts from an empty box; rows that leave or press Enter also commit to the model.
TEST_F(FeaturesEditorTest, BoxesFilterTypingAndCheckWhatTheyHoldOnLeaving) {
    const TypingCase cases[] = {
        {"Text2", "300", Finish::None, "128"},
        {"Text2", "0", Finish::Leave, ""},
        {"Text6", "007", Finish::Enter, "7"},
        {"Text20", "145.1234", Finish::Leave, "145.12000"},
        {"Text20", "0145.5", Finish::Enter, "145.50000"},
        {"Text20", "173.995", Finish::Leave, "173.99500"},
        {"Text20", "999", Finish::Leave, "136.00000"},
        {"Text3", "999", Finish::Leave, "400.00000"},
        {"Text3", "145.1.2", Finish::Leave, "145.10000"},
        {"Text20", "145", Finish::Leave, "145.00000", 1},
        {"Text20", "150", Finish::Leave, "136.00000", 1},
        {"Text3", "435.0125", Finish::Leave, "435.01250", 1},
        {"Text20", "1234567890", Finish::None, "123456789"},
        {"Text21", "150", Finish::Leave, "99.995"},
        {"Text4", "5.003", Finish::Enter, "5"},
        {"Text4", "123456789", Finish::None, "12345678"},
        {"Text31", "ab-1xyz", Finish::Leave, "AB-1XY"},
        {"Text1", "12a345", Finish::Leave, "1234"},
    };
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
    QUndoStack& undo = session->undoStack();
    QComboBox* squelch = control<QComboBox>("Combo5");
    squelch->setFocus();
    QTest::keyClick(squelch, Qt::Key_Down);
    QTest::keyClick(squelch, Qt::Key_Down);
    EXPECT_EQ(session->settings().index(SettingId::SquelchLevel), 7);
    EXPECT_EQ(undo.count(), 2);
    typeInto("Text6", "42");
    EXPECT_EQ(undo.count(), 2);  // typing alone is not a change yet
    leaveBox();
    EXPECT_EQ(undo.count(), 3);
    control<QLineEdit>("Text6")->setFocus();
    leaveBox();  // leaving again with nothing changed adds nothing
    EXPECT_EQ(undo.count(), 3);

    undo.undo();
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), "1");
    undo.undo();
    EXPECT_EQ(control<QComboBox>("Combo5")->currentIndex(), 6);
    undo.redo();
    undo.redo();
    EXPECT_EQ(control<QComboBox>("Combo5")->currentIndex(), 7);
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), "42");

    // Undo from the menu takes back what is still being typed, not the step before it.
    typeInto("Text6", "9");
    action("MNUndo")->trigger();
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), "42");
    action("MNRedo")->trigger();
    EXPECT_EQ(control<QLineEdit>("Text6")->text(), "9");
    EXPECT_EQ(undo.count(), 4);
}

TEST_F(FeaturesEditorTest, AnEncodeTakesTheBoxBeingTypedAfterItsCheck) {
    typeInto("Text20", "0145.1234");
    // A change elsewhere does not wipe what is being typed.
    session->edit("other", [](Document& d) { d.settings.setIndex(SettingId::Beep, 0); });
    EXPECT_EQ(control<QLineEdit>("Text20")->text(), "0145.1234");
    const Bytes out = saved();
    EXPECT_EQ(control<QLineEdit>("Text20")->text(), "145.12000");
    EXPECT_EQ(Bytes(out.begin() + 0x720, out.begin() + 0x724), (Bytes{0x00, 0x20, 0x51, 0x14}));
}

TEST_F(FeaturesEditorTest, EncodeRightAfterStartGivesTheResetBits) {
    const Bytes out = saved();
    EXPECT_EQ(out[0x706], 0x7D);
    EXPECT_EQ(out[0x708], 0x2F);
}

// A file opened and saved unchanged gives the normalized bytes; one change in each kind of
// control changes exactly its bytes; a language switch changes none.
TEST_F(FeaturesEditorTest, OpenEditSaveChangesExactlyTheEditedBytes) {
    Bytes expected = normalized(kSample);
    ASSERT_EQ(expected.size(), kConfigSize);
    open(kSample);
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
    };
    for (const auto& [offset, value] : changed) expected[static_cast<std::size_t>(offset)] = value;
    EXPECT_EQ(Differences(saved(), expected), "");

    window->setLanguage(1);
    EXPECT_EQ(Differences(saved(), expected), "");
    window->setLanguage(0);
    EXPECT_EQ(Differences(saved(), expected), "");
}

TEST_F(FeaturesEditorTest, TextsTheProgramPutsIntoABoxAreKeptWhole) {
    const Bytes offsetField = {0x78, 0x56, 0x34, 0x12};  // 123.45678, least significant first
    for (std::size_t k = 0; k < offsetField.size(); ++k)
        session->InImage().set(0x724 + k, offsetField[k]);
    session->decode();
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

}  // namespace
}  // namespace varel::test
