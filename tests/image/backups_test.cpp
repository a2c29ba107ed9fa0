// Backups of transfers: names, the suffix within a second, pruning, failures and the folder.
#include "image/backups.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/as_nobody.h"
#include "support/temp_dir.h"

namespace varel {
namespace {

namespace fs = std::filesystem;

// 2024-05-01 14:22:33 UTC.
constexpr std::time_t kWhen = 1714573353;

// Sets an environment variable for one scope and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
        ::tzset();
    }
    ~ScopedEnv() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
        ::tzset();
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

MemoryImage Image(std::uint8_t seed) {
    MemoryImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) image.set(i, static_cast<std::uint8_t>(seed + i));
    return image;
}

std::vector<std::string> Names(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const auto& p : paths) names.push_back(fs::path(p).filename().string());
    return names;
}

TEST(Backups, NamedByKindAndLocalTimeWithASuffixWithinOneSecond) {
    const ScopedEnv utc("TZ", "UTC");
    test::TempDir dir;
    const std::string folder = dir.file("a/b/backups");  // parents created too
    const std::vector<std::pair<BackupKind, const char*>> saves = {
        {BackupKind::Read, "read-20240501-142233.dat"},
        {BackupKind::Read, "read-20240501-142233-2.dat"},
        {BackupKind::Write, "write-20240501-142233.dat"},
        {BackupKind::Read, "read-20240501-142233-3.dat"},
    };
    for (std::size_t i = 0; i < saves.size(); ++i) {
        const BackupResult r =
            SaveBackup(Image(static_cast<std::uint8_t>(i)), saves[i].first, folder, kWhen);
        ASSERT_TRUE(r.result.ok()) << ReasonText(r.result, Language::English);
        EXPECT_EQ(r.path, folder + "/" + saves[i].second);
        EXPECT_EQ(test::ReadFileBytes(r.path), BuildDataFile(Image(static_cast<std::uint8_t>(i))));
    }
    EXPECT_EQ(fs::status(dir.file("a")).permissions(), fs::perms::owner_all);
    EXPECT_EQ(Names(ListBackups(folder)),
              (std::vector<std::string>{"read-20240501-142233-3.dat", "read-20240501-142233-2.dat",
                                        "write-20240501-142233.dat", "read-20240501-142233.dat"}));
}

// Only backups count and only backups go; one saved with a clock set back stays anyway.
TEST(Backups, KeepsTheNewestAndNeverTouchesOtherFiles) {
    const ScopedEnv utc("TZ", "UTC");
    test::TempDir dir;
    const std::string folder = dir.path().string();
    const std::vector<std::string> others = {"notes.txt",
                                             "read-2024.dat",
                                             "read-20240501-142233-1.dat",
                                             "read-20240501-142233-02.dat",
                                             "READ-20240501-142233.dat",
                                             "write-20240501-142233.dat.bak"};
    for (const auto& name : others) ASSERT_TRUE(test::WriteFileBytes(dir.file(name), {1}));
    fs::create_directory(dir.file("write-20200101-000000.dat"));

    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(SaveBackup(Image(1), BackupKind::Write, folder, kWhen + 60 * i, 3).result.ok());
    EXPECT_EQ(Names(ListBackups(folder)),
              (std::vector<std::string>{"write-20240501-142633.dat", "write-20240501-142533.dat",
                                        "write-20240501-142433.dat"}));

    const BackupResult old = SaveBackup(Image(2), BackupKind::Read, folder, kWhen - 3600, 3);
    ASSERT_TRUE(old.result.ok());
    EXPECT_EQ(Names(ListBackups(folder)),
              (std::vector<std::string>{"write-20240501-142633.dat", "write-20240501-142533.dat",
                                        "read-20240501-132233.dat"}));
    for (const auto& name : others) EXPECT_TRUE(fs::exists(dir.file(name))) << name;
    EXPECT_TRUE(fs::is_directory(dir.file("write-20200101-000000.dat")));
}

TEST(Backups, AFolderThatCannotTakeOneSaysWhyAndChangesNothing) {
    test::TempDir dir;
    ASSERT_TRUE(test::WriteFileBytes(dir.file("file"), {7}));
    const struct {
        std::string folder;
        int error;
    } cases[] = {
        {dir.file("file"), ENOTDIR},
        {dir.file("file/backups"), ENOTDIR},
        {"", ENOENT},
    };
    for (const auto& c : cases) {
        const BackupResult r = SaveBackup(Image(3), BackupKind::Read, c.folder, kWhen);
        EXPECT_EQ(r.result.error, DataFileError::CannotOpen) << c.folder;
        EXPECT_EQ(r.result.systemError, c.error) << c.folder;
        EXPECT_FALSE(ReasonText(r.result, Language::English).empty());
    }
    EXPECT_EQ(test::ReadFileBytes(dir.file("file")), std::vector<std::uint8_t>{7});

    // A folder the user may not write, with a backup in it that must stay.
    fs::permissions(dir.path(), fs::perms::all);
    const std::string locked = dir.file("locked");
    ASSERT_TRUE(SaveBackup(Image(4), BackupKind::Read, locked, kWhen, 1).result.ok());
    ::chmod(locked.c_str(), 0555);
    const auto error = test::RunUnprivileged([&] {
        return SaveBackup(Image(5), BackupKind::Read, locked, kWhen + 1, 1).result.systemError;
    });
    ASSERT_TRUE(error) << "cannot run as an ordinary user";
    EXPECT_EQ(*error, EACCES);
    EXPECT_EQ(ListBackups(locked).size(), 1u);
}

TEST(Backups, FolderFollowsXdgDataHomeThenHome) {
    const ScopedEnv home("HOME", "/home/user");
    {
        const ScopedEnv data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(BackupFolder(), "/data/Varel/Wavesmith/backups");
    }
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data"}) {
        const ScopedEnv data("XDG_DATA_HOME", ignored);
        EXPECT_EQ(BackupFolder(), "/home/user/.local/share/Varel/Wavesmith/backups");
    }
}

}  // namespace
}  // namespace varel
