// New, Open and Save through the menu: the questions and messages, a save right after an open
// giving the bytes of `varel-cli normalize`, and refused or failing files changing nothing.
#include <QComboBox>
#include <cerrno>
#include <cstring>

#include "app_fixture.h"
#include "run_program.h"
#include "temp_dir.h"

namespace varel::test {
namespace {

const std::string kSample = VAREL_TEST_DATA "/sample.dat";
constexpr int kErrorStyle = MsgStyle::OkOnly | MsgStyle::Critical;

class DocumentCommandsTest : public AppFixture {
protected:
    void addChannel(int row) {
        session->edit("test", [&](Document& d) {
            d.channels.CommitFrequency(row, 1, "145.5", session->band(), session->language());
        });
    }
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
    EXPECT_TRUE(session->channels().model().channel(1).exists());

    window->setLanguage(1);
    action("TNew")->trigger();
    EXPECT_EQ(boxes.last().text, "Unsaved data will be lost, sure?");
    EXPECT_EQ(boxes.last().title, "Attention");
    EXPECT_FALSE(session->channels().model().channel(1).exists());
    EXPECT_EQ(session->settings().band(), 2);
    action("MNUndo")->trigger();
    EXPECT_TRUE(session->channels().model().channel(1).exists());
}

TEST_F(DocumentCommandsTest, SaveRightAfterOpenGivesTheNormalizedFile) {
    const std::string normalized = dir.file("normalized.dat");
    ASSERT_EQ(RunProgram(VAREL_CLI, {"normalize", kSample, normalized}).exitCode, 0);
    addChannel(3);  // replaced by the file
    window->findChild<QWidget*>("Form1Frame")->hide();

    dialogs.openName = QString::fromStdString(kSample);
    action("MNOpen")->trigger();
    EXPECT_TRUE(boxes.shown.empty());  // the file's band is taken without a question
    auto* band = find<QComboBox>(form("BandSelector"), "Combo1");
    EXPECT_EQ(band->currentIndex(), session->settings().band());
    EXPECT_NE(session->settings().band(), 0);
    EXPECT_TRUE(form("Form1")->isVisible());
    EXPECT_FALSE(action("MNUndo")->isEnabled());  // a fresh history
    EXPECT_FALSE(session->channels().model().channel(3).exists());

    for (int flag : {0, 1}) {  // the language never changes the saved bytes
        window->setLanguage(flag);
        const std::string saved = dir.file("saved.dat");
        dialogs.saveName = QString::fromStdString(saved);
        action("MNSave")->trigger();
        EXPECT_EQ(ReadFileBytes(saved), ReadFileBytes(normalized)) << flag;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DocumentCommandsTest, RefusedOrFailingFilesChangeNothing) {
    std::vector<std::uint8_t> wrongId = ReadFileBytes(kSample);
    ASSERT_FALSE(wrongId.empty());
    wrongId[0] = 'z';  // the identifier is compared with its case
    ASSERT_TRUE(WriteFileBytes(dir.file("wrong.dat"), wrongId));
    struct Case {
        bool save;
        std::string path;
        const char* headline;
        const char* whole;  // the whole text where the system words its reason in English
    };
    const Case cases[] = {
        {false, dir.file("wrong.dat"), "文件类型不正确！", "文件类型不正确！"},
        {false, dir.file("missing.dat"), "打开文件失败！\n", "打开文件失败！\n文件或文件夹不存在"},
        {true, dir.path().string(), "保存文件失败！\n", "保存文件失败！\n这是一个文件夹"},
    };
    addChannel(2);
    const Document before = session->document();
    const MemoryImage in = session->InImage();
    // The system's reason is shown in the program's language where it has a translation.
    const bool englishReasons =
        std::strcmp(std::strerror(ENOENT), "No such file or directory") == 0;
    for (const Case& c : cases) {
        boxes.shown.clear();
        (c.save ? dialogs.saveName : dialogs.openName) = QString::fromStdString(c.path);
        action(c.save ? "MNSave" : "MNOpen")->trigger();
        ASSERT_EQ(boxes.shown.size(), 1U) << c.path;
        EXPECT_TRUE(boxes.last().text.startsWith(QString::fromUtf8(c.headline))) << c.path;
        if (englishReasons) {
            EXPECT_EQ(boxes.last().text, QString::fromUtf8(c.whole));
        }
        EXPECT_EQ(boxes.last().title, "错误");
        EXPECT_EQ(boxes.last().style, kErrorStyle);
        EXPECT_TRUE(session->document().channels == before.channels);
        EXPECT_TRUE(session->InImage() == in);
    }

    boxes.shown.clear();
    action("MNOpen")->trigger();  // cancelled dialogs do nothing
    action("MNSave")->trigger();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(session->document().channels == before.channels);
}

}  // namespace
}  // namespace varel::test
