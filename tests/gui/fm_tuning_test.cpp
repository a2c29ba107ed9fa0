// The FM broadcast and power tuning editors together: every static text in both languages, a
// language switch that keeps every selection, and a data file round trip through both.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>

#include "app_fixture.h"
#include "data_file.h"
#include "fm_editor.h"
#include "run_program.h"
#include "service_modes.h"
#include "temp_dir.h"
#include "tuning_editor.h"

namespace varel::test {
namespace {

struct TextCase {
    const char* form;
    const char* control;  // objectName; "Name:i" is entry, tab or header i; "" the window
    const char* chinese;
    const char* english;
};

const TextCase kTexts[] = {
    {"Form4", "", "调试", "Debugging"},
    {"Form4", "SSTab1:0", "A组功率等级", "A Power Grades"},
    {"Form4", "SSTab1:1", "B组功率等级", "B Power Grades"},
    {"Form4", "Frame1(0)", "高功率等级", "High Power Grades"},
    {"Form4", "Frame1(1)", "中功率等级", "Middle Power Grades"},
    {"Form4", "Frame1(2)", "低功率等级", "Low Power Grades"},
    {"Form4", "Frame1(3)", "高功率等级", "High Power Grades"},
    {"Form4", "Frame1(4)", "中功率等级", "Middle Power Grades"},
    {"Form4", "Frame1(5)", "低功率等级", "Low Power Grades"},
    {"Form4", "Label1", "低", "Low"},
    {"Form4", "Label2", "高", "High"},
    {"Form5", "", "FM频道设置", "FM Channel Set"},
    {"Form5", "Label3", "收音机全频频率:", "FM VFO:"},
    {"Form5", "Label0", "当前收音机工作频道:", "Present Channel:"},
    {"Form5", "Label1", "显示模式:", "FM Display Mode:"},
    {"Form5", "Label4", "收音机步进频率:", "收音机步进频率:"},
    {"Form5", "Combo1(1):0", "频道", "Channel"},
    {"Form5", "Combo1(1):1", "频率", "Frequency"},
    {"Form5", "Combo1(2):0", "50K", "50K"},
    {"Form5", "Combo1(2):1", "100K", "100K"},
    {"Form5", "Combo1(2):2", "200K", "200K"},
    {"Form5", "MSFGrid:0", "频道", "Channel"},
    {"Form5", "MSFGrid:1", "频率(MHz)", "Frequency(MHz)"},
    {"Form5", "Command1", "确定", "OK"},
    {"Form5", "Command2", "取消", "Cancel"},
};

class FmTuningTest : public AppFixture {
protected:
    // The text a control shows; every Low and High label of Form4 must agree.
    QStringList textsOf(const TextCase& c) {
        QWidget* owner = form(c.form);
        const QStringList parts = QString(c.control).split(':');
        const int i = parts.size() > 1 ? parts[1].toInt() : -1;
        QObject* control = parts[0].isEmpty() ? owner : find<QObject>(owner, qPrintable(parts[0]));
        if (control == nullptr) return {};
        if (control == owner) return {owner->windowTitle()};
        if (auto* tabs = qobject_cast<QTabWidget*>(control)) return {tabs->tabText(i)};
        if (auto* grid = qobject_cast<QTableWidget*>(control))
            return {grid->horizontalHeaderItem(i)->text()};
        if (auto* list = qobject_cast<QComboBox*>(control)) return {list->itemText(i)};
        if (auto* frame = qobject_cast<QGroupBox*>(control)) return {frame->title()};
        if (auto* button = qobject_cast<QPushButton*>(control)) return {button->text()};
        QStringList texts;
        for (QLabel* label : owner->findChildren<QLabel*>(parts[0])) texts << label->text();
        return texts;
    }
    void expectTexts(bool english) {
        for (const TextCase& c : kTexts) {
            const QString expected = QString::fromUtf8(english ? c.english : c.chinese);
            const QStringList shown = textsOf(c);
            ASSERT_FALSE(shown.isEmpty()) << c.control;
            for (const QString& text : shown)
                EXPECT_EQ(text, expected) << c.form << " " << c.control;
        }
    }
    QComboBox* fmList(int i) {
        return find<QComboBox>(form("Form5"), qPrintable(QString("Combo1(%1)").arg(i)));
    }
};

TEST_F(FmTuningTest, StaticTextsFollowTheLanguageAndKeepTheSelections) {
    expectTexts(false);
    fmList(0)->setEditText("17");
    fmList(1)->setCurrentIndex(1);
    fmList(2)->setCurrentIndex(2);
    window->setLanguage(1);
    expectTexts(true);
    window->setLanguage(0);
    expectTexts(false);
    EXPECT_EQ(fmList(0)->currentText(), "17");
    EXPECT_EQ(fmList(1)->currentIndex(), 1);
    EXPECT_EQ(fmList(2)->currentIndex(), 2);
}

TEST_F(FmTuningTest, OneEditInEachEditorChangesOnlyItsBytesOfTheSavedFile) {
    const std::string sample = std::string(VAREL_TEST_DATA) + "/sample.dat";
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    ASSERT_EQ(RunProgram(VAREL_CLI, {"normalize", sample, dir.file("normal.dat")}).exitCode, 0);
    ASSERT_TRUE(LoadDataFile(sample, session->InImage()).ok());
    session->decode();

    // Power tuning: group B middle grade one step down from the sample's 255.
    for (int caption = 0; caption < 3; ++caption)
        window->serviceModes()->captionClicked(ServiceMode::Debug, caption);
    window->showChild(window->tuningEditor());
    auto* slider = find<QSlider>(form("Form4"), "Slider1(4)");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Left);

    // FM: channel 3 set to 88.1 MHz and committed.
    window->showChild(window->fmEditor());
    auto* grid = find<QTableWidget>(form("Form5"), "MSFGrid");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(2, 1)).center());
    QTest::keyClicks(find<QLineEdit>(grid, "Text1"), "88.1");
    QTest::mouseClick(find<QPushButton>(form("Form5"), "Command1"), Qt::LeftButton);

    session->encode();
    ASSERT_TRUE(SaveDataFile(dir.file("saved.dat"), session->OutImage()).ok());
    std::vector<std::uint8_t> expected = ReadFileBytes(dir.file("normal.dat"));
    ASSERT_EQ(expected.size(), kDataFileSize);
    expected[kDataFileHeaderSize + 0x7E1] = 254;
    expected[kDataFileHeaderSize + 0x764] = 0x00;
    expected[kDataFileHeaderSize + 0x765] = 0x0B;
    EXPECT_EQ(ReadFileBytes(dir.file("saved.dat")), expected);
}

}  // namespace
}  // namespace varel::test
