// The language and the port kept between runs: the settings store, the older language value,
// the port file and where it goes when the program's folder is read-only.
#include "app/stored_settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <filesystem>
#include <memory>

#include "support/as_nobody.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

namespace fs = std::filesystem;

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

TEST_F(StoredSettingsTest, FirstStartIsChineseWithoutPortAndTheExitStoresBoth) {
    EXPECT_EQ(restart().LoadLanguage(), 0);
    EXPECT_EQ(settings->LoadPortNumber(), 0);
    EXPECT_TRUE(QFile::exists(path("bin") + "/parameter"));
    EXPECT_TRUE(portFile("bin").empty());
    settings->SaveLanguage(0);
    settings->SavePortNumber(0);
    EXPECT_EQ(portFile("bin"), std::vector<std::uint8_t>{0});

    settings->SaveLanguage(1);
    settings->SavePortNumber(7);
    EXPECT_EQ(store->value("Kelta/BinaryValue").toByteArray(), QByteArray("\x01\0\0\0", 4));
    EXPECT_EQ(restart().LoadLanguage(), 1);
    EXPECT_EQ(settings->LoadPortNumber(), 7);
}

TEST_F(StoredSettingsTest, LanguageFromTheStoredValueAndTheOlderOne) {
    struct Case {
        QVariant stored;  // "BinaryValue"
        const char* older;
        int language;
    };
    const Case cases[] = {
        {QByteArray("\x11\0\0\0", 4), "", 1},  // 0x11: the last hex digit is 1
        {QByteArray("\x0B\0\0\0", 4), "", 0},  // a letter gives Chinese
        {QByteArray("\x12\0\0\0", 4), "", 2},  // an unknown digit is kept
        {QByteArray(), "", 0},
        {QString("17"), "", 1},  // text: the number 17 is 0x11
        {QString("abc"), "", 0},
        {QByteArray("\x01\0\0\0", 4), "English", 0},  // the older value counts, case and all
        {QByteArray(), "english", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toString().toStdString() + " / " + c.older);
        restart();
        store->setValue("Kelta/BinaryValue", c.stored);
        if (*c.older != '\0') store->setValue("Varel/Languages", c.older);
        EXPECT_EQ(settings->LoadLanguage(), c.language);
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

TEST_F(StoredSettingsTest, RecentFilesComeBackAtTheNextStart) {
    EXPECT_EQ(restart().LoadRecentFiles(), QStringList());
    const QStringList files = {"/home/u/电台.dat", "/tmp/a, b.dat", "/tmp/x=y;z.dat"};
    settings->SaveRecentFiles(files);
    EXPECT_EQ(restart().LoadRecentFiles(), files);
    settings->SaveRecentFiles({});
    EXPECT_EQ(restart().LoadRecentFiles(), QStringList());
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
