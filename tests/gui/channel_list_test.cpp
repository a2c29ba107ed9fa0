// Channel lists through the File menu: an import is one undo step that the grid shows, rows it
// could not take are reported, a malformed list changes nothing, and an export writes the table
// and counts its channels in words of the language.
#include <QTableWidget>
#include <fstream>

#include "gui/app_fixture.h"
#include "image/channel_columns.h"
#include "image/channel_csv.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

class ChannelListTest : public AppFixture {
protected:
    QString write(const std::string& name, const std::string& text) {
        std::ofstream(dir.file(name), std::ios::binary) << text;
        return QString::fromStdString(dir.file(name));
    }
    QString cell(int row, int column) {
        return find<QTableWidget>(form("Form1"), "Grid1")->item(row - 1, column)->text();
    }
    TempDir dir;
};

TEST_F(ChannelListTest, ImportIsOneUndoStepAndReportsWhatItSkipped) {
    addChannel(9);
    dialogs.openListName = write("list.csv",
                                 "Location,Name,Frequency,Tone,rToneFreq\r\n"
                                 "1,call,145.5,Tone,88.5\r\n"
                                 "2,far,530.0,,\r\n"
                                 "9,uhf,433.125,,\r\n");
    action("MNImportCsv")->trigger();
    EXPECT_EQ(cell(1, 1), "145.50000");
    EXPECT_EQ(cell(1, 4), "88.5");
    EXPECT_EQ(cell(1, 10), "CALL");
    EXPECT_EQ(cell(9, 1), "433.12500");
    EXPECT_FALSE(session->channels().model().channel(2).exists());
    ASSERT_EQ(boxes.reports.size(), 1u);
    EXPECT_TRUE(boxes.reports[0].details.contains("第 3 行"))
        << qPrintable(boxes.reports[0].details);

    action("MNUndo")->trigger();
    EXPECT_FALSE(session->channels().model().channel(1).exists());
    EXPECT_EQ(cell(9, 1), "145.50000");
    EXPECT_EQ(cell(1, 1), "");
}

TEST_F(ChannelListTest, MalformedListChangesNothingAndExportWritesTheTable) {
    addChannel(4);
    dialogs.openListName = write("bad.csv", "Location,Frequency\n1,\"145.5\n");
    action("MNImportCsv")->trigger();
    EXPECT_EQ(boxes.last().title, "错误");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Critical);
    EXPECT_FALSE(session->channels().model().channel(1).exists());
    dialogs.openListName = write("big.csv", std::string(kMaxChannelCsvSize + 1, '1'));
    action("MNImportCsv")->trigger();
    EXPECT_EQ(boxes.last().text, "文件类型不正确！\n文件大于 4 MiB");
    session->undoStack().undo();  // the only step is the channel added above
    EXPECT_FALSE(session->channels().model().channel(4).exists());
    session->undoStack().redo();

    dialogs.saveListName = QString::fromStdString(dir.file("out.csv"));
    action("MNExportCsv")->trigger();
    std::string text;
    ASSERT_TRUE(LoadChannelCsv(dir.file("out.csv"), text).ok());
    EXPECT_EQ(text, ExportChannelCsv(session->channels().model()).text);
    EXPECT_NE(text.find("\n4,,145.500000,"), std::string::npos) << text;
}

// The count of written channels reads right in English, singular and plural, and in Chinese.
TEST_F(ChannelListTest, ExportReportCountsTheChannelsInTheWordsOfTheLanguage) {
    session->edit("test", [&](Document& d) {  // a transmit frequency the list cannot carry
        d.channels.CommitFrequency(1, kRxFreqColumn, "145.5", session->band(), Language::English);
        d.channels.CommitFrequency(1, kTxFreqColumn, "146", session->band(), Language::English);
        d.channels.CommitChoice(1, kTxProhibitColumn, 0, Language::English);
    });
    const auto report = [&](int language) {
        window->setLanguage(language);
        dialogs.saveListName = QString::fromStdString(dir.file("out.csv"));
        action("MNExportCsv")->trigger();
        return boxes.reports.empty() ? QString() : boxes.reports.back().text;
    };
    EXPECT_EQ(report(1), "1 channel written; some could not be written whole.");
    addChannel(5);
    addChannel(6);
    EXPECT_EQ(report(1), "3 channels written; some could not be written whole.");
    EXPECT_EQ(report(0), "已写入 3 个频道，部分频道无法完整写入。");
}

}  // namespace
}  // namespace varel::test
