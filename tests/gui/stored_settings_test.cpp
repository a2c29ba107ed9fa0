// The language and the port kept between runs: the settings store, the older language value,
// the port file and where it goes when the program's folder cannot hold it.
#include "stored_settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <filesystem>
#include <memory>

#include "as_nobody.h"
#include "temp_dir.h"

namespace varel::test {
namespace {

class StoredSettingsTest : public ::testing::Test {
protected:
    // A fresh program start over the same store and folders.
    StoredSettings& restart(const QString& programFolder = {}) {
        settings.reset();
        store = std::make_unique<QSettings>(QString::fromStdString(dir.file("store.ini")),
                                            QSettings::IniFormat);
        settings = std::make_unique<StoredSettings>(
            *store, programFolder.isEmpty() ? program() : programFolder, user());
        return *settings;
    }
    QString program() const { return QString::fromStdString(dir.file("bin")); }
    QString user() const { return QString::fromStdString(dir.file("config")); }
    std::vector<std::uint8_t> portFile(const QString& folder) const {
        return ReadFileBytes((folder + "/parameter").toStdString());
    }

    TempDir dir;
    std::unique_ptr<QSettings> store;
    std::unique_ptr<StoredSettings> settings;
};

TEST_F(StoredSettingsTest, FirstStartIsChineseWithoutPortAndTheExitStoresBoth) {
    ASSERT_TRUE(QDir().mkpath(program()));
    EXPECT_EQ(restart().LoadLanguage(), 0);
    EXPECT_EQ(settings->LoadPortNumber(), 0);
    EXPECT_TRUE(QFile::exists(program() + "/parameter"));
    EXPECT_TRUE(portFile(program()).empty());

    settings->SaveLanguage(0);
    settings->SavePortNumber(0);
    EXPECT_EQ(portFile(program()), std::vector<std::uint8_t>{0});

    settings->SaveLanguage(1);
    settings->SavePortNumber(7);
    EXPECT_EQ(store->value("Kelta/BinaryValue").toByteArray(), QByteArray("\x01\0\0\0", 4));
    EXPECT_EQ(restart().LoadLanguage(), 1);
    EXPECT_EQ(settings->LoadPortNumber(), 7);
    EXPECT_FALSE(QFile::exists(user() + "/parameter"));
}

TEST_F(StoredSettingsTest, OlderLanguageValueCountsOnceAndIsDeleted) {
    struct Case {
        const char* older;
        int language;
    };
    for (const Case& c : {Case{"english", 1}, Case{"English", 0}, Case{"chinese", 0}}) {
        SCOPED_TRACE(c.older);
        restart();
        store->setValue("Kelta/BinaryValue", QByteArray("\x01\0\0\0", 4));
        store->setValue("Varel/Languages", c.older);
        EXPECT_EQ(settings->LoadLanguage(), c.language);
        EXPECT_FALSE(store->contains("Varel/Languages"));
        // The next start reads the newer value again.
        EXPECT_EQ(restart().LoadLanguage(), 1);
    }
}

TEST_F(StoredSettingsTest, LanguageIsTheLastHexDigitOfTheStoredValue) {
    struct Case {
        QVariant stored;
        int language;
    };
    const Case cases[] = {
        {QByteArray("\x11\0\0\0", 4), 1},  // 0x11: last digit 1
        {QByteArray("\x0B\0\0\0", 4), 0},  // a letter gives Chinese
        {QByteArray("\x12\0\0\0", 4), 2},  // an unknown digit is kept
        {QByteArray("\x01", 1), 1},        // short values read what is there
        {QByteArray(), 0},
        {QString("17"), 1},  // text: the number 17 is 0x11
        {QString("abc"), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toString().toStdString());
        restart();
        store->setValue("Kelta/BinaryValue", c.stored);
        EXPECT_EQ(settings->LoadLanguage(), c.language);
    }
}

// The port file moves to the user's folder when the program's folder is read-only.
TEST_F(StoredSettingsTest, ReadOnlyProgramFolderAsAnOrdinaryUser) {
    const std::filesystem::path program = dir.path() / "ro", user = dir.path() / "user";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(program.string())));
    namespace fs = std::filesystem;
    fs::permissions(dir.path(),
                    fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(user.string())));
    fs::permissions(user, fs::perms::all);
    const auto result = RunUnprivileged([&] {
        QSettings unused(QString::fromStdString((user / "store.ini").string()),
                         QSettings::IniFormat);
        StoredSettings stored(unused, QString::fromStdString(program.string()),
                              QString::fromStdString(user.string()));
        if (stored.LoadPortNumber() != 0) return 1;
        stored.SavePortNumber(5);
        if (fs::exists(program / "parameter")) return 2;
        StoredSettings next(unused, QString::fromStdString(program.string()),
                            QString::fromStdString(user.string()));
        return next.LoadPortNumber() == 5 ? 0 : 3;
    });
    if (!result) GTEST_SKIP() << "no ordinary user to run as";
    EXPECT_EQ(*result, 0);
    EXPECT_EQ(ReadFileBytes((user / "parameter").string()), std::vector<std::uint8_t>{5});
}

TEST_F(StoredSettingsTest, FirstPortOnlyWhenNoneWasEverChosen) {
    ASSERT_TRUE(QDir().mkpath(program()));
    restart().setFirstPort(1);
    EXPECT_EQ(settings->LoadPortNumber(), 1);
    // Whatever follows the first byte is left alone.
    ASSERT_TRUE(WriteFileBytes((program() + "/parameter").toStdString(), {9, 0x55}));
    restart().setFirstPort(1);
    EXPECT_EQ(settings->LoadPortNumber(), 9);
    settings->SavePortNumber(12);
    EXPECT_EQ(portFile(program()), (std::vector<std::uint8_t>{12, 0x55}));
}

}  // namespace
}  // namespace varel::test
