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
using Names = std::vector<std::string>;

constexpr std::time_t kWhen = 1714573353;  // 2024-05-01 14:22:33 UTC

// Sets an environment variable (empty: unsets it) for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        Set(value);
    }
    ~ScopedEnv() { Set(m_old); }

private:
    void Set(const std::optional<std::string>& value) {
        value ? ::setenv(m_name, value->c_str(), 1) : ::unsetenv(m_name);
        ::tzset();
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

MemoryImage Image(int seed) {
    MemoryImage image;
    image.fill(static_cast<std::uint8_t>(seed));
    return image;
}

Names Listed(const std::string& folder) {
    Names names;
    for (const auto& p : ListBackups(folder)) names.push_back(fs::path(p).filename().string());
    return names;
}

TEST(Backups, NamedByKindAndLocalTimeWithASuffixWithinOneSecond) {
    const ScopedEnv utc("TZ", "UTC");
    test::TempDir dir;
    const std::string folder = dir.file("a/b/backups");  // parents created too
    const std::pair<BackupKind, const char*> saves[] = {
        {BackupKind::Read, "read-20240501-142233.dat"},
        {BackupKind::Read, "read-20240501-142233-2.dat"},
        {BackupKind::Write, "write-20240501-142233.dat"},
        {BackupKind::Read, "read-20240501-142233-3.dat"},
    };
    int seed = 0;
    for (const auto& [kind, name] : saves) {
        const BackupResult r = SaveBackup(Image(++seed), kind, folder, kWhen);
        ASSERT_TRUE(r.result.ok()) << ReasonText(r.result, Language::English);
        EXPECT_EQ(r.path, folder + "/" + name);
        EXPECT_EQ(test::ReadFileBytes(r.path), BuildDataFile(Image(seed)));
    }
    EXPECT_EQ(fs::status(dir.file("a")).permissions(), fs::perms::owner_all);
    EXPECT_EQ(Listed(folder), (Names{"read-20240501-142233-3.dat", "read-20240501-142233-2.dat",
                                     "write-20240501-142233.dat", "read-20240501-142233.dat"}));
}

// Only backups count and only backups go; one saved with the clock set back stays anyway.
TEST(Backups, KeepsTheNewestAndNeverTouchesOtherFiles) {
    const ScopedEnv utc("TZ", "UTC");
    test::TempDir dir;
    const std::string folder = dir.path().string();
    const Names others = {"notes.txt", "read-2024.dat", "read-20240501-142233-1.dat",
                          "read-20240501-142233-02.dat", "write-20240501-142233.dat.bak"};
    for (const auto& name : others) ASSERT_TRUE(test::WriteFileBytes(dir.file(name), {1}));
    fs::create_directory(dir.file("write-20200101-000000.dat"));

    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(SaveBackup(Image(1), BackupKind::Write, folder, kWhen + 60 * i, 3).result.ok());
    EXPECT_EQ(Listed(folder), (Names{"write-20240501-142633.dat", "write-20240501-142533.dat",
                                     "write-20240501-142433.dat"}));
    ASSERT_TRUE(SaveBackup(Image(2), BackupKind::Read, folder, kWhen - 3600, 3).result.ok());
    EXPECT_EQ(Listed(folder), (Names{"write-20240501-142633.dat", "write-20240501-142533.dat",
                                     "read-20240501-132233.dat"}));
    for (const auto& name : others) EXPECT_TRUE(fs::exists(dir.file(name))) << name;
    EXPECT_TRUE(fs::is_directory(dir.file("write-20200101-000000.dat")));
}

TEST(Backups, AFolderThatCannotTakeOneSaysWhyAndChangesNothing) {
    test::TempDir dir;
    ASSERT_TRUE(test::WriteFileBytes(dir.file("file"), {7}));
    const std::pair<std::string, int> cases[] = {
        {dir.file("file"), ENOTDIR}, {dir.file("file/backups"), ENOTDIR}, {"", ENOENT}};
    for (const auto& [folder, error] : cases) {
        const BackupResult r = SaveBackup(Image(3), BackupKind::Read, folder, kWhen);
        EXPECT_EQ(r.result.error, DataFileError::CannotOpen) << folder;
        EXPECT_EQ(r.result.systemError, error) << folder;
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

// XDG_DATA_HOME counts only as an absolute path.
TEST(Backups, FolderFollowsXdgDataHomeThenHome) {
    const ScopedEnv home("HOME", "/home/user");
    for (const char* data : {"/data", "", "relative/data"}) {
        const ScopedEnv xdg("XDG_DATA_HOME", std::string(data));
        EXPECT_EQ(BackupFolder(), std::string(*data == '/' ? "/data" : "/home/user/.local/share") +
                                      "/Varel/Wavesmith/backups");
    }
}

}  // namespace
}  // namespace varel
