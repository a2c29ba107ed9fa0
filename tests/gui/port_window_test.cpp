// The port window Form6 and the start-up around it: the probe's results, choosing a port, the
// status panel of the start, the port finder driven through its steps; and the language and the
// port kept between runs: the settings store, the older language value, the port file and where it
// goes when the program's folder is read-only, and both surviving a restart through the exit.
#include "editors/port_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <filesystem>
#include <memory>
#include <tuple>

#include "app/stored_settings.h"
#include "editors/port_finder.h"
#include "gui/app_fixture.h"
#include "support/as_nobody.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

class PortWindowTest : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        qunsetenv("VAREL_COM3");
    }
    QRadioButton* option(int port) { return window->portWindow()->option(port); }
    void showPortWindow() {
        action("MNCommPort")->trigger();
        ASSERT_TRUE(window->portWindow()->isVisible());
    }
    int checkedPort() {
        for (int n = 1; n <= 20; ++n)
            if (option(n)->isChecked()) return n;
        return 0;
    }
};

TEST_F(PortWindowTest, OptionsFollowTheProbeInFourRowsOfFive) {
    ports.openable(1);
    ports.openable(3);
    ports.ports[13 - 1].problem = link::PortProblem::Busy;
    ports.ports[14 - 1].problem = link::PortProblem::NoPermission;
    qputenv("VAREL_COM3", "/dev/pts/42");
    ports.probes = 0;
    start(0);
    EXPECT_EQ(ports.probes, 1);
    showPortWindow();
    EXPECT_EQ(ports.probes, 2);   // probed again as the window opens: a cable may have come
    EXPECT_EQ(checkedPort(), 0);  // no port chosen yet
    QWidget* frame = window->portWindow()->parentWidget();
    for (int n = 1; n <= 20; ++n) {
        EXPECT_EQ(option(n), find<QRadioButton>(frame, qPrintable(QString("Com%1").arg(n))));
        EXPECT_EQ(option(n)->isEnabled(), n == 1 || n == 3) << n;
    }
    EXPECT_EQ(option(5)->y(), option(1)->y());
    EXPECT_GT(option(5)->x(), option(4)->x());
    EXPECT_GT(option(6)->y(), option(5)->y());
    EXPECT_EQ(option(20)->y(), option(16)->y());
    EXPECT_EQ(option(20)->x(), option(5)->x());

    // Tooltips: the device (overrides included) and why a port could not be opened.
    EXPECT_EQ(option(3)->toolTip(), "/dev/pts/42");
    EXPECT_EQ(option(2)->toolTip(), "/dev/ttyUSB1：设备不存在");
    EXPECT_EQ(option(13)->toolTip(), "/dev/ttyS0：正被其他程序占用");
    window->setLanguage(1);
    EXPECT_EQ(option(13)->toolTip(), "/dev/ttyS0: busy in another program");
    EXPECT_EQ(option(14)->toolTip(),
              "/dev/ttyS1: no permission, the user must be in the dialout group");
}

TEST_F(PortWindowTest, ClickChoosesAtOnceAndThePanelKeepsThePortOfTheStart) {
    settings.port = 3;
    ports.openable(3);
    ports.openable(7);
    start(0);
    EXPECT_EQ(window->statusPanel(1)->text(), "COM: 3");
    showPortWindow();
    EXPECT_EQ(checkedPort(), 3);

    QTest::mouseClick(option(7), Qt::LeftButton);
    EXPECT_EQ(window->portNumber(), 7);
    EXPECT_EQ(window->statusPanel(1)->text(), "COM: 3");

    // Closing only hides; the next showing has the same options and selection.
    window->portWindow()->parentWidget()->close();
    EXPECT_FALSE(window->portWindow()->isVisible());
    showPortWindow();
    EXPECT_EQ(checkedPort(), 7);
    EXPECT_TRUE(option(3)->isEnabled());
    EXPECT_FALSE(option(5)->isEnabled());
}

TEST_F(PortWindowTest, LanguageAndPortSurviveARestartThroughTheExit) {
    TempDir dir;
    QSettings store(QString::fromStdString(dir.file("store.ini")), QSettings::IniFormat);
    const QString folder = QString::fromStdString(dir.path().string());
    StoredSettings stored(store, folder, folder + "/user");
    storedSettings = &stored;
    ports.openable(7);
    start(0);
    window->setLanguage(1);
    showPortWindow();
    QTest::mouseClick(option(7), Qt::LeftButton);
    ASSERT_TRUE(window->close());  // the fake answers the exit question with OK

    start(0);
    EXPECT_EQ(session->languageFlag(), 1);
    EXPECT_EQ(window->windowTitle(), "Varel Wavesmith");
    EXPECT_EQ(window->statusPanel(1)->text(), "COM: 7");
    window.reset();
    storedSettings = &settings;
}

namespace fs = std::filesystem;

// The port finder over a fake /dev: Find Port..., unplug and Next, plug in and Next.
class PortFinderTest : public PortWindowTest {
protected:
    void SetUp() override {
        PortWindowTest::SetUp();
        fs::create_directories(root.path() / "dev");
        plug("dev/ttyS0");
        window->portWindow()->setDeviceRoot(root.path().string());
        showPortWindow();
    }
    void plug(const char* name) { ASSERT_TRUE(WriteFileText(root.file(name), "")); }
    void unplug(const char* name) { fs::remove(root.file(name)); }
    PortFinder* openFinder() {
        QTest::mouseClick(find<QPushButton>(window->portWindow(), "FindPort"), Qt::LeftButton);
        PortFinder* finder = window->portWindow()->finder();
        EXPECT_NE(finder, nullptr);
        EXPECT_TRUE(finder->isVisible());
        EXPECT_EQ(finder->step(), 0);
        return finder;
    }
    // Next as the keyboard presses it: Enter on the default button.
    void next(PortFinder* finder) { QTest::keyClick(finder, Qt::Key_Return); }
    QString stepText(PortFinder* finder) { return find<QLabel>(finder, "FinderStep")->text(); }

    TempDir root;
};

TEST_F(PortFinderTest, TheCableThatAppearsIsChosenWithItsPort) {
    plug("dev/ttyUSB0");  // another adapter stays plugged in throughout
    window->setLanguage(1);
    PortFinder* finder = openFinder();
    EXPECT_EQ(finder->windowTitle(), "Find Port");
    EXPECT_TRUE(stepText(finder).contains("Unplug"));
    next(finder);
    EXPECT_EQ(finder->step(), 1);
    EXPECT_TRUE(stepText(finder).contains("Plug the cable in"));
    plug("dev/ttyUSB1");
    EXPECT_FALSE(option(2)->isEnabled());  // the probe ran before the cable was there
    next(finder);
    EXPECT_FALSE(finder->isVisible());
    EXPECT_EQ(boxes.last().text, "The cable is /dev/ttyUSB1, port Com2; Com2 is chosen.");
    EXPECT_EQ(boxes.last().style, MsgStyle::Information);
    EXPECT_EQ(boxes.last().title, "Find Port");
    EXPECT_EQ(checkedPort(), 2);
    EXPECT_TRUE(option(2)->isEnabled());
    EXPECT_EQ(window->portNumber(), 2);

    // Opened again, it starts from its first step, in the language of the moment.
    window->setLanguage(0);
    finder = openFinder();
    EXPECT_EQ(finder->windowTitle(), "查找端口");
    QTest::keyClick(finder, Qt::Key_Escape);
    EXPECT_FALSE(finder->isVisible());
    EXPECT_EQ(window->portNumber(), 2);
}

TEST_F(PortFinderTest, NothingSeveralOrAnUnmappedDeviceChoosesNothing) {
    window->setLanguage(1);
    PortFinder* finder = openFinder();
    next(finder);
    next(finder);  // nothing plugged in: said, and the finder waits on the same step
    EXPECT_TRUE(boxes.last().text.startsWith("No new serial device appeared"))
        << qPrintable(boxes.last().text);
    EXPECT_EQ(boxes.last().style, MsgStyle::Exclamation);
    EXPECT_TRUE(finder->isVisible());
    EXPECT_EQ(finder->step(), 1);

    // Two at once: both named with their ports, back to the first step.
    plug("dev/ttyUSB3");
    plug("dev/ttyACM0");
    next(finder);
    EXPECT_EQ(boxes.last().text,
              "Several serial devices appeared: /dev/ttyACM0 (Com9), /dev/ttyUSB3 (Com4). Unplug "
              "the other devices and start again.");
    EXPECT_EQ(finder->step(), 0);

    // A device of no port: how to reach it through the variable.
    next(finder);
    plug("dev/ttyUSB8");
    next(finder);
    EXPECT_EQ(boxes.last().text,
              "The cable is /dev/ttyUSB8, which is none of Com1 to Com20. To use it as a port, "
              "start the program with the variable VAREL_COM<n> naming it, for example "
              "VAREL_COM1=/dev/ttyUSB8, and choose Com<n>.");
    EXPECT_FALSE(finder->isVisible());
    EXPECT_EQ(checkedPort(), 0);
    EXPECT_EQ(window->portNumber(), 0);
}

TEST_F(PortFinderTest, APathNamedByTheVariableIsFoundAsItsPort) {
    fs::create_directories(root.path() / "dev/pts");
    qputenv("VAREL_COM3", "/dev/pts/7");
    PortFinder* finder = openFinder();
    next(finder);
    plug("dev/pts/7");
    unplug("dev/ttyS0");  // a device that went away is not the cable
    next(finder);
    EXPECT_EQ(boxes.last().text, "写频线是 /dev/pts/7，端口 Com3；已选择 Com3。");
    EXPECT_EQ(checkedPort(), 3);
    EXPECT_EQ(window->portNumber(), 3);
}

class StoredSettingsTest : public ::testing::Test {
protected:
    // A fresh program start over the same store and folders.
    StoredSettings& restart() {
        settings.reset();
        store = std::make_unique<QSettings>(path("store.ini"), QSettings::IniFormat);
        settings = std::make_unique<StoredSettings>(*store, path("bin"), path("user"));
        return *settings;
    }
    QString path(const char* name) const { return QString::fromStdString(dir.file(name)); }
    std::vector<std::uint8_t> portFile(const char* folder) const {
        return ReadFileBytes((path(folder) + "/parameter").toStdString());
    }

    TempDir dir;
    std::unique_ptr<QSettings> store;
    std::unique_ptr<StoredSettings> settings;
};

// The recent files come back too.
TEST_F(StoredSettingsTest, FirstStartIsChineseWithoutPortAndTheExitStoresBoth) {
    EXPECT_EQ(restart().LoadLanguage(), 0);
    EXPECT_EQ(settings->LoadRecentFiles(), QStringList());
    EXPECT_EQ(settings->LoadPortNumber(), 0);
    EXPECT_TRUE(QFile::exists(path("bin") + "/parameter"));
    EXPECT_TRUE(portFile("bin").empty());
    settings->SaveLanguage(0);
    settings->SavePortNumber(0);
    EXPECT_EQ(portFile("bin"), std::vector<std::uint8_t>{0});

    settings->SaveLanguage(1);
    settings->SavePortNumber(7);
    const QStringList files = {"/home/u/电台.dat", "/tmp/a, b.dat", "/tmp/x=y;z.dat"};
    settings->SaveRecentFiles(files);
    EXPECT_EQ(store->value("Kelta/BinaryValue").toByteArray(), QByteArray("\x01\0\0\0", 4));
    EXPECT_EQ(restart().LoadLanguage(), 1);
    EXPECT_EQ(settings->LoadPortNumber(), 7);
    EXPECT_EQ(settings->LoadRecentFiles(), files);
    settings->SaveRecentFiles({});
    EXPECT_EQ(restart().LoadRecentFiles(), QStringList());
}

TEST_F(StoredSettingsTest, LanguageFromTheStoredValueAndTheOlderOne) {
    // stored: the "BinaryValue" setting; older: the older language value, "" for none
    const std::tuple<QVariant, const char*, int> cases[] = {
        {QByteArray("\x11\0\0\0", 4), "", 1},  // 0x11: the last hex digit is 1
        {QByteArray("\x0B\0\0\0", 4), "", 0},  // a letter gives Chinese
        {QByteArray("\x12\0\0\0", 4), "", 2},  // an unknown digit is kept
        {QByteArray(), "", 0},
        {QString("17"), "", 1},  // text: the number 17 is 0x11
        {QString("abc"), "", 0},
        {QByteArray("\x01\0\0\0", 4), "English", 0},  // the older value counts, case and all
        {QByteArray(), "english", 1},
    };
    for (const auto& [stored, older, language] : cases) {
        SCOPED_TRACE(stored.toString().toStdString() + " / " + older);
        restart();
        store->setValue("Kelta/BinaryValue", stored);
        if (*older != '\0') store->setValue("Varel/Languages", older);
        EXPECT_EQ(settings->LoadLanguage(), language);
        // The older value counts once: it is gone at the next start.
        restart();
        EXPECT_FALSE(store->contains("Varel/Languages"));
    }
}

TEST_F(StoredSettingsTest, ReadOnlyProgramFolderMovesThePortFileToTheUserFolder) {
    const fs::path program = dir.path() / "bin", user = dir.path() / "user";
    fs::create_directories(program);
    fs::create_directories(user);
    // The check runs as an ordinary user, for whom these permissions hold.
    fs::permissions(dir.path(), static_cast<fs::perms>(0755));
    fs::permissions(program, static_cast<fs::perms>(0555));
    fs::permissions(user, static_cast<fs::perms>(0777));
    const auto result = RunUnprivileged([&] {
        if (restart().LoadPortNumber() != 0) return 1;
        settings->SavePortNumber(5);
        if (fs::exists(program / "parameter")) return 2;
        return restart().LoadPortNumber() == 5 ? 0 : 3;
    });
    if (!result) GTEST_SKIP() << "no ordinary user to run as";
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(portFile("user"), std::vector<std::uint8_t>{5});
}

TEST_F(StoredSettingsTest, FirstPortOnlyWhenNoneWasEverChosen) {
    restart().setFirstPort(1);
    EXPECT_EQ(settings->LoadPortNumber(), 1);
    // Whatever follows the first byte is left alone.
    ASSERT_TRUE(WriteFileBytes((path("bin") + "/parameter").toStdString(), {9, 0x55}));
    restart().setFirstPort(1);
    EXPECT_EQ(settings->LoadPortNumber(), 9);
    settings->SavePortNumber(12);
    EXPECT_EQ(portFile("bin"), (std::vector<std::uint8_t>{12, 0x55}));
}

// An installed program keeps the port file in the user's folder even when run by root.
TEST(PortFileProgramFolder, NoneForTheSystemsFolders) {
    for (const char* folder :
         {"/usr/bin", "/usr/local/bin", "/usr", "/opt/wavesmith/bin", "/bin", "/sbin", "/usr/bin/"})
        EXPECT_EQ(PortFileProgramFolder(folder), "") << folder;
    for (const char* folder : {"/home/u/wavesmith/build/bin", "/usrdata/bin", "/tmp/opt/bin"})
        EXPECT_EQ(PortFileProgramFolder(folder), folder) << folder;
}

}  // namespace
}  // namespace varel::test
