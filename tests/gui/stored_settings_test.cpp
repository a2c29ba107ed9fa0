// The language and the port kept between runs: the settings store, the older language value,
// the port file and where it goes when the program's folder cannot hold it.
#include "stored_settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <memory>

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

TEST_F(StoredSettingsTest, PortFileGoesToTheUserFolderWhenTheProgramFolderCannotHoldIt) {
    // A "folder" below a plain file cannot hold a file, whoever runs the test.
    ASSERT_TRUE(WriteFileBytes(dir.file("plain"), {1}));
    const QString unusable = QString::fromStdString(dir.file("plain")) + "/bin";
    EXPECT_EQ(restart(unusable).LoadPortNumber(), 0);
    EXPECT_TRUE(QFile::exists(user() + "/parameter"));
    settings->SavePortNumber(5);
    EXPECT_EQ(portFile(user()), std::vector<std::uint8_t>{5});
    EXPECT_EQ(restart(unusable).LoadPortNumber(), 5);
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
