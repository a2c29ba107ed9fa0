// New, Open and Save through the menu: the question, a save right after an open giving the bytes
// of `varel-cli normalize`, and refused or failing files changing nothing.
#include <QComboBox>
#include <cerrno>
#include <cstring>

#include "gui/app_fixture.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

const std::string kSample = VAREL_TEST_DATA "/sample.dat";

class DocumentCommandsTest : public AppFixture {
protected:
    bool channel(int row) { return session->channels().model().channel(row).exists(); }
    TempDir dir;
};

TEST_F(DocumentCommandsTest, NewAsksAndEmptiesOnlyTheChannels) {
    addChannel(1);
    session->edit("band", [](Document& d) { d.settings.setBand(2); });
    boxes.answers = {MsgResult::Cancel};
    action("MNNew")->trigger();
    EXPECT_EQ(boxes.last().text, "未保存的数据将会丢失，确定吗？");
    EXPECT_EQ(boxes.last().title, "注意");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkCancel | MsgStyle::Question |
                                      MsgStyle::DefaultButton2 | MsgStyle::SystemModal);
    EXPECT_TRUE(channel(1));
    action("MNNew")->trigger();
    EXPECT_FALSE(channel(1));
    EXPECT_EQ(session->settings().band(), 2);
    action("MNUndo")->trigger();
    EXPECT_TRUE(channel(1));
}

TEST_F(DocumentCommandsTest, SaveRightAfterOpenGivesTheNormalizedFile) {
    const std::string normalized = dir.file("normalized.dat");
    ASSERT_EQ(RunProgram(VAREL_CLI, {"normalize", kSample, normalized}).exitCode, 0);
    addChannel(3);
    form("Form1")->parentWidget()->hide();
    dialogs.openName = QString::fromStdString(kSample);
    action("MNOpen")->trigger();
    EXPECT_TRUE(boxes.shown.empty());  // the file's band is taken without a question
    EXPECT_NE(session->settings().band(), 0);
    EXPECT_EQ(find<QComboBox>(form("BandSelector"), "Combo1")->currentIndex(),
              session->settings().band());
    EXPECT_TRUE(form("Form1")->isVisible());
    EXPECT_FALSE(channel(3));
    EXPECT_FALSE(action("MNUndo")->isEnabled());  // a fresh history

    for (const int flag : {0, 1}) {  // the language never changes the saved bytes
        window->setLanguage(flag);
        dialogs.saveName = QString::fromStdString(dir.file("saved.dat"));
        action("MNSave")->trigger();
        EXPECT_EQ(ReadFileBytes(dir.file("saved.dat")), ReadFileBytes(normalized)) << flag;
    }
}

TEST_F(DocumentCommandsTest, RefusedOrFailingFilesChangeNothing) {
    std::vector<std::uint8_t> wrongId = ReadFileBytes(kSample);
    wrongId.at(0) = 'z';  // the identifier is compared with its case
    ASSERT_TRUE(WriteFileBytes(dir.file("wrong.dat"), wrongId));
    // The system's reason is shown in the program's language where it has a translation.
    const bool englishReasons =
        std::strcmp(std::strerror(ENOENT), "No such file or directory") == 0;
    const struct {
        bool save;
        std::string path;
        const char* text;
    } cases[] = {
        {false, dir.file("wrong.dat"), "文件类型不正确！"},
        {false, dir.file("missing.dat"), "打开文件失败！\n文件或文件夹不存在"},
        {true, dir.path().string(), "保存文件失败！\n这是一个文件夹"},
    };
    addChannel(2);
    const Document before = session->document();
    const MemoryImage in = session->InImage();
    for (const auto& c : cases) {
        (c.save ? dialogs.saveName : dialogs.openName) = QString::fromStdString(c.path);
        action(c.save ? "MNSave" : "MNOpen")->trigger();
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(englishReasons ? boxes.last().text : boxes.last().text.section('\n', 0, 0),
                  englishReasons ? text : text.section('\n', 0, 0));
        EXPECT_EQ(boxes.last().title, "错误");
        EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Critical);
        EXPECT_TRUE(session->document().channels == before.channels);
        EXPECT_TRUE(session->InImage() == in);
    }
}

TEST_F(DocumentCommandsTest, CompareWithFileListsWhatDiffersAndBackupsOpenFromTheirFolder) {
    dialogs.openName = QString::fromStdString(kSample);
    action("MNOpen")->trigger();
    dialogs.openName = QString::fromStdString(kSample);
    action("MNCompare")->trigger();
    EXPECT_EQ(boxes.last().text, "当前配置与 sample.dat 相同。");
    session->edit("name", [](Document& d) { d.channels.CommitName(7, "OTHER"); });
    dialogs.openName = QString::fromStdString(kSample);
    action("MNCompare")->trigger();
    ASSERT_EQ(boxes.reports.size(), 1u);
    EXPECT_TRUE(boxes.reports.back().text.startsWith("当前配置与 sample.dat 有"));
    EXPECT_TRUE(boxes.reports.back().details.contains("OTHER"));

    // Backups... offers the transfers' backup folder and opens as Open does.
    action("MNNew")->trigger();
    dialogs.openName = QString::fromStdString(kSample);
    action("MNBackups")->trigger();
    EXPECT_EQ(dialogs.backupFolder.toStdString(), backups.path().string());
    EXPECT_TRUE(channel(1));
}

}  // namespace
}  // namespace varel::test
