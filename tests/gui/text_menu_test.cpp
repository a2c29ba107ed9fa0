// File > Import Text... and Export Text...: the configuration as text through the file dialog
// and message box seams.
#include <QMenu>
#include <QTableWidget>

#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "support/temp_dir.h"
#include "textconf/text_writer.h"

namespace varel::test {
namespace {

class TextMenuTest : public AppFixture {
protected:
    QString file(const char* name) const { return QString::fromStdString(dir.file(name)); }
    QString cell(int row, int column) {
        return find<QTableWidget>(form("Form1"), "Grid1")->item(row - 1, column)->text();
    }
    static std::string ExampleText() {
        return textconf::ExportText(ReadFileBytes(VAREL_TEST_DATA "/../../docs/example.dat"));
    }
    TempDir dir;
};

TEST_F(TextMenuTest, TheItemsStandAfterTheChannelListItemsInBothLanguages) {
    QMenu* menu = find<QMenu>(window.get(), "MNFile");
    QStringList names;
    for (QAction* item : menu->actions()) names << item->objectName();
    const int csv = static_cast<int>(names.indexOf("MNExportCsv"));
    ASSERT_GE(csv, 0);
    EXPECT_EQ(names.mid(csv + 1, 2), (QStringList{"MNImportText", "MNExportText"}));
    EXPECT_EQ(action("MNImportText")->text(), "导入文本...");
    EXPECT_EQ(action("MNExportText")->text(), "导出文本...");
    action("MNEnglish")->trigger();
    EXPECT_EQ(action("MNImportText")->text(), "Import Text...");
    EXPECT_EQ(action("MNExportText")->text(), "Export Text...");
}

TEST_F(TextMenuTest, ImportLoadsTheTextAsOneUndoStepAndExportWritesWhatSaveWrites) {
    addChannel(20);
    WriteFileText(dir.file("example.yaml"), ExampleText());
    dialogs.openTextName = file("example.yaml");
    action("MNImportText")->trigger();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(cell(1, 1), "145.12500");
    EXPECT_EQ(cell(128, 10), "LAST1234");
    EXPECT_FALSE(session->channels().model().channel(20).exists());
    EXPECT_EQ(BuildDataFile(session->InImage()),
              ReadFileBytes(VAREL_TEST_DATA "/../../docs/example.dat"));

    // Export writes the configuration as Save writes it, in words.
    session->edit("test", [&](Document& d) {
        d.channels.CommitFrequency(2, 1, "146.5", session->band(), session->language());
    });
    dialogs.saveTextName = file("out.yaml");
    action("MNExportText")->trigger();
    dialogs.saveName = file("out.dat");
    action("MNSave")->trigger();
    const auto saved = ReadFileBytes(dir.file("out.dat"));
    const auto written = ReadFileBytes(dir.file("out.yaml"));
    EXPECT_EQ(std::string(written.begin(), written.end()), textconf::ExportText(saved));
    EXPECT_NE(std::string(written.begin(), written.end()).find("  2: [146.50000,"),
              std::string::npos);

    session->undo();  // the edit
    session->undo();  // the import
    EXPECT_TRUE(session->channels().model().channel(20).exists());
    EXPECT_FALSE(session->channels().model().channel(1).exists());
}

TEST_F(TextMenuTest, ARefusedTextChangesNothingAndNamesItsLine) {
    addChannel(20);
    std::string text = ExampleText();
    text.replace(text.find("  Beep: On"), 10, "  Beep: Loud");
    WriteFileText(dir.file("bad.yaml"), text);
    dialogs.openTextName = file("bad.yaml");
    action("MNImportText")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().text, "bad.yaml:26: Function Set / Beep：“Loud”不是它的可选值");
    EXPECT_EQ(boxes.last().title, "错误");
    EXPECT_TRUE(session->channels().model().channel(20).exists());
    EXPECT_FALSE(session->channels().model().channel(1).exists());

    dialogs.openTextName = file("missing.yaml");
    action("MNImportText")->trigger();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(session->channels().model().channel(20).exists());
}

}  // namespace
}  // namespace varel::test
