// Data files and channel lists through the program: New, Open and Save through the menu (the
// question, a save right after an open giving the bytes of `varel-cli normalize`, refused or
// failing files changing nothing), files from the command line, a drop on the main window and
// File > Recent Files, the data file dialogs' "AllFiles(*.*)" filter, Compare With File and
// Backups..., and channel lists: an import is one undo step that the grid shows, rows it could not
// take are reported, a malformed list changes nothing, and an export writes the table and counts
// its channels in words of the language.
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "app/command_line.h"
#include "app/document_commands.h"
#include "app/qt_file_dialogs.h"
#include "app/recent_files_menu.h"
#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "image/channel_columns.h"
#include "lists/channel_csv.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

const std::string kSample = VAREL_TEST_DATA "/sample.dat";

class FilesTest : public AppFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        const auto sample = ReadFileBytes(kSample);
        std::vector<std::uint8_t> wrong = sample;
        wrong.at(0) = 'z';  // "zNO-7P": the identifier is compared with its case
        for (const char* name : {"a.dat", "b.dat", "c.dat"})
            ASSERT_TRUE(WriteFileBytes(dir.file(name), sample));
        ASSERT_TRUE(WriteFileBytes(dir.file("wrong.dat"), wrong));
        AppFixture::SetUp();
    }
    QString path(const char* name) const { return QString::fromStdString(dir.file(name)); }
    bool channel(int row) const { return session->channels().model().channel(row).exists(); }
    bool loaded() const { return channel(1); }
    QString write(const std::string& name, const std::string& text) {
        WriteFileText(dir.file(name), text);
        return QString::fromStdString(dir.file(name));
    }
    QString cell(int row, int column) {
        return find<QTableWidget>(form("Form1"), "Grid1")->item(row - 1, column)->text();
    }
    // The texts of File > Recent Files, in order.
    QStringList recentItems() const {
        QStringList texts;
        for (QAction* item : window->recentFiles()->actions()) texts << item->text();
        return texts;
    }
    // Sends a drag of the URLs over the main window and drops it; true when the drag was taken.
    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint centre = window->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        QCoreApplication::processEvents();  // the file opens once the drop is over
        return dropped.isAccepted();
    }

    TempDir dir;
};

TEST(CommandLine, FileVersionHelpAndRefusals) {
    using A = CommandLine::Action;
    // clang-format off
    const std::tuple<QStringList, A, QString> cases[] = {
        {{}, A::Run, ""}, {{"radio.dat"}, A::Run, "radio.dat"},
        {{"--", "-radio.dat"}, A::Run, "-radio.dat"}, {{"--", "--version"}, A::Run, "--version"},
        {{"--version"}, A::PrintVersion, ""}, {{"radio.dat", "-h"}, A::PrintHelp, ""},
        {{"--bogus", "--help"}, A::PrintHelp, ""},  // as the first reading sees Qt's options
        {{"--bogus"}, A::Refuse, ""}, {{"-platform"}, A::Refuse, ""},
        {{"a.dat", "b.dat"}, A::Refuse, ""}, {{""}, A::Refuse, ""}};
    // clang-format on
    for (const auto& [arguments, action, file] : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CommandLine command = ParseCommandLine(arguments);
        EXPECT_EQ(command.action, action);
        EXPECT_EQ(command.file, file);
        EXPECT_EQ(command.problem.isEmpty(), action != A::Refuse);
    }
    EXPECT_EQ(VersionText(), "varel (Wavesmith) " VAREL_VERSION "\n");
}

// The command line opens its file through OpenFile, as Open opens the file its dialog names.
TEST_F(FilesTest, AFileOfTheCommandLineOpensAsOpenDoesAndIsRefusedWithOpensMessage) {
    EXPECT_TRUE(window->documentCommands()->OpenFile(path("a.dat")));
    EXPECT_TRUE(loaded());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(window->recentFiles()->files(), QStringList{path("a.dat")});

    for (int flag : {0, 1}) {
        window->setLanguage(flag);
        dialogs.openName = path("wrong.dat");
        action("MNOpen")->trigger();
        const ShownMessage byOpen = boxes.last();
        const Document before = session->document();
        EXPECT_FALSE(window->documentCommands()->OpenFile(path("wrong.dat")));
        EXPECT_EQ(boxes.last().text, byOpen.text);
        EXPECT_EQ(boxes.last().title, byOpen.title);
        EXPECT_EQ(boxes.last().style, byOpen.style);
        EXPECT_EQ(boxes.last().text, flag == 0 ? "文件类型不正确！" : "File type is incorrect!");
        EXPECT_TRUE(session->document().channels == before.channels);
    }
    EXPECT_FALSE(window->documentCommands()->OpenFile(path("missing.dat")));
    EXPECT_TRUE(boxes.last().text.startsWith("Failed to open the file!"));
    EXPECT_EQ(window->recentFiles()->files(), QStringList{path("a.dat")});  // failures not kept
}

TEST_F(FilesTest, ADroppedLocalFileOpensAndOtherDragsAreRefused) {
    EXPECT_FALSE(drop({QUrl("https://example.org/a.dat")}));
    EXPECT_FALSE(drop({QUrl::fromLocalFile(path("a.dat")), QUrl::fromLocalFile(path("b.dat"))}));
    EXPECT_FALSE(drop({}));
    EXPECT_FALSE(loaded());
    form("Form1")->parentWidget()->hide();

    EXPECT_TRUE(drop({QUrl::fromLocalFile(path("a.dat"))}));
    EXPECT_TRUE(loaded());
    EXPECT_TRUE(form("Form1")->isVisible());
    EXPECT_EQ(window->recentFiles()->files().value(0), path("a.dat"));

    EXPECT_TRUE(drop({QUrl::fromLocalFile(path("wrong.dat"))}));
    EXPECT_EQ(boxes.last().text, "文件类型不正确！");
}

TEST_F(FilesTest, RecentFilesListTheLastEightOpenedOrSavedTheLatestFirst) {
    EXPECT_FALSE(window->recentFiles()->menuAction()->isEnabled());
    EXPECT_EQ(window->recentFiles()->title(), "最近的文件(&R)");
    // Between the channel lists and Quit, in its own group.
    const QList<QAction*> file = find<QMenu>(window.get(), "MNFile")->actions();
    const qsizetype at = file.indexOf(window->recentFiles()->menuAction());
    EXPECT_TRUE(file.value(at - 1)->isSeparator());
    EXPECT_EQ(file.value(at + 2), action("MNQuit"));

    dialogs.openName = path("a.dat");
    action("MNOpen")->trigger();
    dialogs.saveName = path("b.dat");
    action("MNSave")->trigger();
    // Named another way, the same file is listed once, as its absolute path.
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.path().string())));
    window->documentCommands()->OpenFile("./c.dat");
    window->documentCommands()->OpenFile("a.dat");
    QDir::setCurrent(current);
    EXPECT_TRUE(window->recentFiles()->menuAction()->isEnabled());
    EXPECT_EQ(recentItems(),
              (QStringList{"&1 " + path("a.dat"), "&2 " + path("c.dat"), "&3 " + path("b.dat")}));
    EXPECT_EQ(settings.recent, window->recentFiles()->files());

    for (int i = 0; i < 9; ++i) {
        const QString name = QString("%1 & more %2.dat").arg(path("n")).arg(i);
        ASSERT_TRUE(WriteFileBytes(name.toStdString(), ReadFileBytes(kSample)));
        window->documentCommands()->OpenFile(name);
    }
    EXPECT_EQ(settings.recent.size(), RecentFilesMenu::kMaxFiles);
    EXPECT_EQ(settings.recent.first(), path("n") + " & more 8.dat");
    EXPECT_EQ(settings.recent.last(), path("n") + " & more 1.dat");
    EXPECT_EQ(recentItems().first(), "&1 " + path("n") + " && more 8.dat");  // no accelerator
}

TEST_F(FilesTest, ThePickedRecentFileOpensAndAMissingOneIsSaidAndTakenOff) {
    settings.recent = {path("gone.dat"), "", path("a.dat"), path("a.dat"), path("gone2.dat")};
    start(0);  // a stored list with a hole and a repeat
    EXPECT_EQ(window->recentFiles()->files(),
              (QStringList{path("gone.dat"), path("a.dat"), path("gone2.dat")}));

    window->recentFiles()->actions().at(1)->trigger();
    EXPECT_TRUE(loaded());
    EXPECT_EQ(window->recentFiles()->files().first(), path("a.dat"));
    EXPECT_TRUE(boxes.shown.empty());

    const std::tuple<int, const char*, const char*, const char*> missing[] = {
        {0, "gone.dat", "文件已不存在：\n%1\n已将其从最近的文件列表中删除。", "注意"},
        {1, "gone2.dat",
         "The file no longer exists:\n%1\nIt is taken off the list of recent files.", "Attention"},
    };
    for (const auto& [flag, name, text, title] : missing) {
        window->setLanguage(flag);
        const QStringList before = window->recentFiles()->files();
        window->recentFiles()->actions().at(before.indexOf(path(name)))->trigger();
        EXPECT_EQ(boxes.last().text, QString::fromUtf8(text).arg(path(name)));
        EXPECT_EQ(boxes.last().title, title);
        EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Exclamation);
        EXPECT_FALSE(window->recentFiles()->files().contains(path(name)));
        EXPECT_EQ(settings.recent, window->recentFiles()->files());
    }
    EXPECT_EQ(window->recentFiles()->title(), "Recent Files(&R)");
    EXPECT_EQ(settings.recent, QStringList{path("a.dat")});
}

// "AllFiles(*.*)" keeps its caption and shows every file, names without a point too.
TEST_F(FilesTest, DataFileDialogsAllFilesFilterShowsEveryName) {
    QtFileDialogs real(window.get());
    QStringList captions;
    QStringList allPatterns, datPatterns;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* types = dialog ? dialog->findChild<QComboBox*>("fileTypeCombo") : nullptr;
        auto* model = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
        if (types != nullptr && model != nullptr) {
            for (int i = 0; i < types->count(); ++i) captions << types->itemText(i);
            datPatterns = model->nameFilters();
            QTest::keyClick(types, Qt::Key_Down);  // the user picks the second filter
            allPatterns = model->nameFilters();
        }
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            modal->reject();
    });
    EXPECT_EQ(real.openDataFile(), "");
    EXPECT_EQ(captions, (QStringList{"DAT文件(*.dat)", "AllFiles(*.*)"}));
    EXPECT_TRUE(QDir::match(datPatterns, "radio.dat"));
    EXPECT_FALSE(QDir::match(datPatterns, "radio"));
    for (const char* name : {"radio", "radio.dat", "radio.bin", ".hidden"})
        EXPECT_TRUE(QDir::match(allPatterns, name)) << name;
}

// Open and Save start where the user's files are: in the program's folder when it is the
// user's own (a build folder), else in the folder of the last data file opened or saved while
// that folder exists, else at home.
TEST(DialogStartFolder, ProgramFolderOrTheLastFilesFolderOrHome) {
    TempDir build, files;
    const QString own = QString::fromStdString(build.path().string());
    const QString last = QString::fromStdString(files.file("radio.dat"));
    const QString lastFolder = QString::fromStdString(files.path().string());
    const QString gone = own + "/gone/radio.dat";
    const QString home = "/home/someone";
    const char* const system[] = {"/usr/bin", "/usr/local/bin", "/opt/varel", "/bin"};
    const std::tuple<QString, QString, QString> cases[] = {
        {own, last, own},                   // run from its build folder: the program's folder
        {own, QString(), own},              //
        {own + "/gone", last, lastFolder},  // a folder that cannot be written
        {QString(), last, lastFolder},      //
        {"/usr/bin", gone, home},           // the last file's folder is gone
        {"/usr/bin", QString(), home},
    };
    for (const auto& [program, lastFile, expected] : cases)
        EXPECT_EQ(DialogStartFolder(program, lastFile, home), expected)
            << program.toStdString() << " " << lastFile.toStdString();
    for (const char* installed : system)
        EXPECT_EQ(DialogStartFolder(installed, last, home), lastFolder) << installed;
}

// The dialogs themselves start there: the latest of the recent files gives the folder of an
// installed program's Open and Save.
TEST_F(FilesTest, DataFileDialogsOfAnInstalledProgramStartInTheLastFilesFolder) {
    QtFileDialogs real(window.get());
    real.setRecentFiles(&settings);
    real.setProgramFolder("/usr/bin");
    settings.recent = {path("latest.dat"), "/elsewhere/older.dat"};
    QStringList started;
    const auto note = [&] {
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                started << dialog->directory().absolutePath();
                dialog->reject();
            }
        });
    };
    note();
    EXPECT_EQ(real.openDataFile(), "");
    note();
    EXPECT_EQ(real.saveDataFile(), "");
    settings.recent.clear();
    note();
    EXPECT_EQ(real.openDataFile(), "");
    const QString folder = QFileInfo(path("latest.dat")).absolutePath();
    EXPECT_EQ(started, (QStringList{folder, folder, QDir::homePath()}));
}

TEST_F(FilesTest, NewAsksAndEmptiesOnlyTheChannels) {
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

TEST_F(FilesTest, SaveRightAfterOpenGivesTheNormalizedFile) {
    const std::vector<std::uint8_t> normalized = NormalizedFile(VAREL_CLI, kSample);
    ASSERT_EQ(normalized.size(), kDataFileSize);
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
    EXPECT_EQ(session->undoLabel(), "打开");  // one step, after the edit before it

    for (const int flag : {0, 1}) {  // the language never changes the saved bytes
        window->setLanguage(flag);
        dialogs.saveName = QString::fromStdString(dir.file("saved.dat"));
        action("MNSave")->trigger();
        EXPECT_EQ(ReadFileBytes(dir.file("saved.dat")), normalized) << flag;
    }
}

TEST_F(FilesTest, RefusedOrFailingFilesChangeNothing) {
    // The system's reason is shown in the program's language where it has a translation.
    const bool englishReasons =
        std::strcmp(std::strerror(ENOENT), "No such file or directory") == 0;
    const std::tuple<bool, std::string, const char*> cases[] = {
        {false, dir.file("wrong.dat"), "文件类型不正确！"},
        {false, dir.file("missing.dat"), "打开文件失败！\n文件或文件夹不存在"},
        {true, dir.path().string(), "保存文件失败！\n这是一个文件夹"},
    };
    addChannel(2);
    const Document before = session->document();
    const MemoryImage in = session->InImage();
    for (const auto& [save, file, message] : cases) {
        (save ? dialogs.saveName : dialogs.openName) = QString::fromStdString(file);
        action(save ? "MNSave" : "MNOpen")->trigger();
        const QString text = QString::fromUtf8(message);
        EXPECT_EQ(englishReasons ? boxes.last().text : boxes.last().text.section('\n', 0, 0),
                  englishReasons ? text : text.section('\n', 0, 0));
        EXPECT_EQ(boxes.last().title, "错误");
        EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Critical);
        EXPECT_TRUE(session->document().channels == before.channels);
        EXPECT_TRUE(session->InImage() == in);
    }
}

TEST_F(FilesTest, CompareWithFileListsWhatDiffersAndBackupsOpenFromTheirFolder) {
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

// Before any transfer there is no backup folder: Backups... says so instead of a dialog.
TEST_F(FilesTest, BackupsWithoutAFolderSaysThereAreNone) {
    std::filesystem::remove_all(backups.path());
    for (const auto& [flag, text] :
         {std::pair<int, QString>{0, "还没有保存过备份：每次读频和写频都会保存一份备份。"},
          {1, "No backup has been saved yet: a backup is kept of every read and write."}}) {
        start(flag);
        boxes.shown.clear();
        dialogs.openName = QString::fromStdString(kSample);
        action("MNBackups")->trigger();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.last().text, text);
        EXPECT_TRUE(dialogs.backupFolder.isEmpty());  // no dialog was shown
        EXPECT_FALSE(loaded());
    }
}

// A file longer than a data file opens, and compares, with a note that only its first 3,120
// bytes were read; a file of the right length has none.
TEST_F(FilesTest, AFileLongerThanAConfigurationOpensWithANote) {
    auto bytes = ReadFileBytes(kSample);
    bytes.insert(bytes.end(), {1, 2, 3});
    ASSERT_TRUE(WriteFileBytes(dir.file("longer.dat"), bytes));
    const QString note = "longer.dat: 文件比一份配置长：只读取了前 3,120 个字节。";
    for (const char* command : {"MNOpen", "MNCompare"}) {
        SCOPED_TRACE(command);
        window->statusBar()->clearMessage();
        dialogs.openName = path("a.dat");
        action(command)->trigger();
        EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
        dialogs.openName = path("longer.dat");
        action(command)->trigger();
        EXPECT_EQ(window->statusBar()->currentMessage(), note);
        EXPECT_TRUE(loaded());
    }
}

TEST_F(FilesTest, ImportIsOneUndoStepAndReportsWhatItSkipped) {
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

TEST_F(FilesTest, MalformedListChangesNothingAndExportWritesTheTable) {
    addChannel(4);
    dialogs.openListName = write("bad.csv", "Location,Frequency\n1,\"145.5\n");
    action("MNImportCsv")->trigger();
    EXPECT_EQ(boxes.last().title, "错误");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Critical);
    EXPECT_FALSE(session->channels().model().channel(1).exists());
    dialogs.openListName = write("big.csv", std::string(kMaxChannelCsvSize + 1, '1'));
    action("MNImportCsv")->trigger();
    EXPECT_EQ(boxes.last().text, "文件类型不正确！\n文件大于 4 MiB");
    session->undo();  // the only step is the channel added above
    EXPECT_FALSE(session->channels().model().channel(4).exists());
    session->redo();

    dialogs.saveListName = QString::fromStdString(dir.file("out.csv"));
    action("MNExportCsv")->trigger();
    std::string text;
    ASSERT_TRUE(LoadChannelCsv(dir.file("out.csv"), text).ok());
    EXPECT_EQ(text, ExportChannelCsv(session->channels().model()).text);
    EXPECT_NE(text.find("\n4,,145.500000,"), std::string::npos) << text;
}

// The count of written channels reads right in English, singular and plural, and in Chinese.
TEST_F(FilesTest, ExportReportCountsTheChannelsInTheWordsOfTheLanguage) {
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
