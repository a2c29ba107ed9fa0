// Data files reaching the program other than through Open's dialog: the command line, a drop on
// the main window and File > Recent Files; and the data file dialogs' "AllFiles(*.*)" filter.
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/command_line.h"
#include "app/document_commands.h"
#include "app/qt_file_dialogs.h"
#include "app/recent_files_menu.h"
#include "gui/app_fixture.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

const std::string kSample = VAREL_TEST_DATA "/sample.dat";

class OpenFilesTest : public AppFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        const auto sample = ReadFileBytes(kSample);
        std::vector<std::uint8_t> wrong = sample;
        wrong.at(5) = 'Q';  // "ZNO-7Q": another radio's file
        for (const char* name : {"a.dat", "b.dat", "c.dat"})
            ASSERT_TRUE(WriteFileBytes(dir.file(name), sample));
        ASSERT_TRUE(WriteFileBytes(dir.file("wrong.dat"), wrong));
        AppFixture::SetUp();
    }
    QString path(const char* name) const { return QString::fromStdString(dir.file(name)); }
    bool loaded() const { return session->channels().model().channel(1).exists(); }
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
    const struct {
        QStringList arguments;
        A action;
        QString file;
    } cases[] = {
        {{}, A::Run, ""},
        {{"radio.dat"}, A::Run, "radio.dat"},
        {{"--", "-radio.dat"}, A::Run, "-radio.dat"},
        {{"--", "--version"}, A::Run, "--version"},
        {{"--version"}, A::PrintVersion, ""},
        {{"radio.dat", "-h"}, A::PrintHelp, ""},
        {{"--bogus", "--help"}, A::PrintHelp, ""},  // as the first reading sees Qt's options
        {{"--bogus"}, A::Refuse, ""},
        {{"-platform"}, A::Refuse, ""},
        {{"a.dat", "b.dat"}, A::Refuse, ""},
        {{""}, A::Refuse, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine command = ParseCommandLine(c.arguments);
        EXPECT_EQ(command.action, c.action);
        EXPECT_EQ(command.file, c.file);
        EXPECT_EQ(command.problem.isEmpty(), c.action != A::Refuse);
    }
    EXPECT_EQ(VersionText(), "varel (Wavesmith) " VAREL_VERSION "\n");
}

// The command line opens its file through OpenFile, as Open opens the file its dialog names.
TEST_F(OpenFilesTest, AFileOfTheCommandLineOpensAsOpenDoesAndIsRefusedWithOpensMessage) {
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

TEST_F(OpenFilesTest, ADroppedLocalFileOpensAndOtherDragsAreRefused) {
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

TEST_F(OpenFilesTest, RecentFilesListTheLastEightOpenedOrSavedTheLatestFirst) {
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

TEST_F(OpenFilesTest, ThePickedRecentFileOpensAndAMissingOneIsSaidAndTakenOff) {
    settings.recent = {path("gone.dat"), "", path("a.dat"), path("a.dat"), path("gone2.dat")};
    start(0);  // a stored list with a hole and a repeat
    EXPECT_EQ(window->recentFiles()->files(),
              (QStringList{path("gone.dat"), path("a.dat"), path("gone2.dat")}));

    window->recentFiles()->actions().at(1)->trigger();
    EXPECT_TRUE(loaded());
    EXPECT_EQ(window->recentFiles()->files().first(), path("a.dat"));
    EXPECT_TRUE(boxes.shown.empty());

    const struct {
        int language;
        const char* name;
        const char* text;
        const char* title;
    } missing[] = {
        {0, "gone.dat", "文件已不存在：\n%1\n已将其从最近的文件列表中删除。", "注意"},
        {1, "gone2.dat",
         "The file no longer exists:\n%1\nIt is taken off the list of recent files.", "Attention"},
    };
    for (const auto& m : missing) {
        window->setLanguage(m.language);
        const QStringList before = window->recentFiles()->files();
        window->recentFiles()->actions().at(before.indexOf(path(m.name)))->trigger();
        EXPECT_EQ(boxes.last().text, QString::fromUtf8(m.text).arg(path(m.name)));
        EXPECT_EQ(boxes.last().title, m.title);
        EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Exclamation);
        EXPECT_FALSE(window->recentFiles()->files().contains(path(m.name)));
        EXPECT_EQ(settings.recent, window->recentFiles()->files());
    }
    EXPECT_EQ(window->recentFiles()->title(), "Recent Files(&R)");
    EXPECT_EQ(settings.recent, QStringList{path("a.dat")});
}

// "AllFiles(*.*)" keeps its caption and shows every file, names without a point too.
TEST_F(OpenFilesTest, DataFileDialogsAllFilesFilterShowsEveryName) {
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

}  // namespace
}  // namespace varel::test
