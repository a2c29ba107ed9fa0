// What keeps a configuration from being lost: backups of transfers, the check before a write,
// and the comparison of two configurations with the description of what image bytes hold.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "checks/block_contents.h"
#include "checks/config_diff.h"
#include "checks/write_check.h"
#include "files/backups.h"
#include "files/data_file.h"
#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/channel_table.h"
#include "image/encodings.h"
#include "image/frequency_band.h"
#include "image/image_codec.h"
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

std::vector<std::uint8_t> TextBytes(const std::string& text) {
    return {text.begin(), text.end()};
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
    // Newest saved first, whatever the names say.
    EXPECT_EQ(Listed(folder), (Names{"read-20240501-142233-3.dat", "write-20240501-142233.dat",
                                     "read-20240501-142233-2.dat", "read-20240501-142233.dat"}));
}

// A run of failed writes (each leaves a backup) never crowds out the backup of the read before.
TEST(Backups, ReadsAndWritesArePrunedApart) {
    const ScopedEnv utc("TZ", "UTC");
    test::TempDir dir;
    const std::string folder = dir.path().string();
    const BackupResult read = SaveBackup(Image(1), BackupKind::Read, folder, kWhen);
    ASSERT_TRUE(read.result.ok());
    std::string lastWrite;
    for (std::time_t i = 1; i <= static_cast<std::time_t>(kBackupsKept) + 5; ++i) {
        const BackupResult r = SaveBackup(Image(2), BackupKind::Write, folder, kWhen + i);
        ASSERT_TRUE(r.result.ok()) << i;
        lastWrite = r.path;
    }
    const std::vector<std::string> listed = ListBackups(folder);
    ASSERT_EQ(listed.size(), kBackupsKept + 1);
    EXPECT_EQ(listed.front(), lastWrite);
    EXPECT_EQ(listed.back(), read.path);
    EXPECT_EQ(test::ReadFileBytes(read.path), BuildDataFile(Image(1)));
    // The five oldest writes went, and only they.
    EXPECT_FALSE(fs::exists(dir.file("write-20240501-142238.dat")));
    EXPECT_TRUE(fs::exists(dir.file("write-20240501-142239.dat")));

    // And reads are pruned among themselves: the writes stay.
    for (std::time_t i = 0; i < 3; ++i)
        ASSERT_TRUE(SaveBackup(Image(3), BackupKind::Read, folder, kWhen - i, 2).result.ok());
    EXPECT_FALSE(fs::exists(read.path));
    EXPECT_EQ(ListBackups(folder).size(), kBackupsKept + 2);
}

// Only what the program saved goes: files of other names, and files named like backups that it
// never saved (the user's own, or those of an index edited by hand), stay.
TEST(Backups, PruningRemovesOnlyWhatTheProgramSaved) {
    const ScopedEnv utc("TZ", "UTC");
    test::TempDir dir;
    const std::string folder = dir.path().string();
    const Names others = {"notes.txt",
                          "read-2024.dat",
                          "read-20240501-142233-1.dat",
                          "write-20200101-000000.dat",
                          "read-20000101-000000.dat",
                          "write-20240501-142233.dat.bak"};
    for (const auto& name : others) ASSERT_TRUE(test::WriteFileBytes(dir.file(name), {1}));
    fs::create_directory(dir.file("write-20100101-000000.dat"));
    // An index that names foreign files, a folder and a path outside is not followed.
    ASSERT_TRUE(test::WriteFileBytes(
        dir.file(kBackupIndexName),
        TextBytes("notes.txt\n../write-20240501-142233.dat\nwrite-20100101-000000.dat\n")));

    for (std::time_t i = 0; i < 5; ++i)
        ASSERT_TRUE(SaveBackup(Image(1), BackupKind::Write, folder, kWhen + 60 * i, 2).result.ok());
    EXPECT_EQ(Listed(folder), (Names{"write-20240501-142633.dat", "write-20240501-142533.dat"}));
    for (const auto& name : others) EXPECT_TRUE(fs::exists(dir.file(name))) << name;
    EXPECT_TRUE(fs::is_directory(dir.file("write-20100101-000000.dat")));

    // A backup removed by hand is dropped from the index; another name is never taken for it.
    fs::remove(dir.file("write-20240501-142633.dat"));
    ASSERT_TRUE(SaveBackup(Image(1), BackupKind::Write, folder, kWhen, 2).result.ok());
    EXPECT_EQ(Listed(folder), (Names{"write-20240501-142233.dat", "write-20240501-142533.dat"}));
    for (const auto& name : others) EXPECT_TRUE(fs::exists(dir.file(name))) << name;
}

// The order is the order of saving: a backup made while the clock ran years ahead is the first
// to go once newer ones come, and one made with the clock set back is not kept forever either.
TEST(Backups, ABackupDatedWrongDoesNotOutliveNewerOnes) {
    const ScopedEnv utc("TZ", "UTC");
    test::TempDir dir;
    const std::string folder = dir.path().string();
    constexpr std::time_t kYear = 365 * 24 * 3600;
    const std::time_t clocks[] = {kWhen + 10 * kYear, kWhen, kWhen - 10 * kYear, kWhen + 1,
                                  kWhen + 2};
    for (const std::time_t when : clocks)
        ASSERT_TRUE(SaveBackup(Image(1), BackupKind::Read, folder, when, 3).result.ok());
    EXPECT_EQ(Listed(folder), (Names{"read-20240501-142235.dat", "read-20240501-142234.dat",
                                     "read-20140504-142233.dat"}));
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

using Kind = WriteProblem::Kind;
using Problems = std::vector<WriteProblem>;

void PutFrequency(MemoryImage& image, std::size_t offset, const std::string& text) {
    const auto field = FrequencyField(text);
    for (std::size_t k = 0; k < field.size(); ++k) image.set(offset + k, field[k].value_or(0));
}

// Channel n's record: frequencies (empty for none), tone bytes (L, H), flags High Off On wide Off.
void PutChannel(MemoryImage& image, int n, const std::string& rx, const std::string& tx,
                std::uint8_t rxToneLow = 0xFF, std::uint8_t rxToneHigh = 0xFF) {
    const std::size_t a = ChannelRecordOffset(n);
    for (std::size_t k = 0; k < kChannelRecordSize; ++k) image.set(a + k, 0xFF);
    if (!rx.empty()) PutFrequency(image, a, rx);
    if (!tx.empty()) PutFrequency(image, a + 4, tx);
    image.set(a + 8, rxToneLow);
    image.set(a + 9, rxToneHigh);
    image.set(a + 12, 0xFD);
}

// Band 1 (144-146, 430-440 MHz), both VFOs inside it, no channel.
MemoryImage BaseImage() {
    Configuration cfg;
    cfg.settings.setBand(1);
    cfg.settings.setText(SettingId::AFrequency, "145.00000");
    cfg.settings.setText(SettingId::BFrequency, "435.00000");
    MemoryImage image;
    EncodeImage(cfg, image);
    return image;
}

// One rule whatever the language the image is decoded and edited in: both band edges inside.
TEST(WriteCheck, EveryKindAnImageCanCarryIsFound) {
    const std::tuple<const char*, std::function<void(MemoryImage&)>, Problems> cases[] = {
        {"clean, a receive-only channel and a listed tone",
         [](MemoryImage& m) { PutChannel(m, 1, "145.50000", "", 0x70, 0x06); },
         {}},
        {"upper band edges are inside",
         [](MemoryImage& m) { PutChannel(m, 3, "146.00000", "440.00000"); },
         {}},
        {"just above the upper edges",
         [](MemoryImage& m) { PutChannel(m, 3, "146.00625", "440.00500"); },
         {{Kind::OutOfBand, 3, "RXFreq", "146.00625"},
          {Kind::OutOfBand, 3, "TXFreq", "440.00500"}}},
        {"lower edge inside, transmit beside the band",
         [](MemoryImage& m) { PutChannel(m, 4, "144.00000", "150.00000"); },
         {{Kind::OutOfBand, 4, "TXFreq", "150.00000"}}},
        {"digits A-F are no frequency",
         [](MemoryImage& m) { PutChannel(m, 128, "14A.50000", "145.50000"); },
         {{Kind::NotAFrequency, 128, "RXFreq", "14A.50000"}}},
        {"a non-decimal digit in a transmit frequency",
         [](MemoryImage& m) { PutChannel(m, 7, "435.00000", "449.5F625"); },
         {{Kind::NotAFrequency, 7, "TXFreq", "449.5F625"}}},
        {"a tone code the list lacks",
         [](MemoryImage& m) { PutChannel(m, 7, "145.50000", "145.50000", 0x03, 0x10); },
         {{Kind::UnlistedTone, 7, "QT/DQT Dec", "100.3"}}},
        {"an empty record's transmit bytes are never read",
         [](MemoryImage& m) { PutChannel(m, 9, "", "145.50000"); },
         {}},
        {"VFO frequencies outside the band and unreadable",
         [](MemoryImage& m) {
             PutFrequency(m, 0x720, "150.00000");
             for (std::size_t k = 0; k < 4; ++k) m.set(0x730 + k, 0xFF);
         },
         {{Kind::VfoOutOfBand, 0, "A Group VFO / Frequency", "150.00000"},
          {Kind::NotAFrequency, 0, "B Group VFO / Frequency", "FFF.FFFFF"}}},
    };
    for (const auto& [name, change, expected] : cases) {
        for (Language lang : {Language::Chinese, Language::English}) {
            SCOPED_TRACE(std::string(name) + (lang == Language::English ? " (en)" : " (zh)"));
            MemoryImage image = BaseImage();
            change(image);
            Configuration cfg;
            DecodeImage(image, cfg, lang);
            EXPECT_EQ(CheckValues(cfg.channels, cfg.settings), expected);
        }
    }
}

// Only an edit makes a transmit frequency without a receive frequency: the grid takes one typed
// into an empty row, and the encoder writes that row empty.
TEST(WriteCheck, TransmitFrequencyTypedIntoAnEmptyRowIsFound) {
    ChannelTable table;
    ASSERT_EQ(table.CommitFrequency(12, kTxFreqColumn, "145.5", *BandBounds(0), Language::English),
              FrequencyCommit::Accepted);
    SettingsModel settings;
    settings.setText(SettingId::BFrequency, "435.00000");
    EXPECT_EQ(CheckValues(table.model(), settings),
              (Problems{{Kind::TransmitWithoutReceive, 12, "TXFreq", "145.50000"}}));
}

// A write that would erase every channel of the radio is said before anything is sent.
TEST(WriteCheck, AWriteWithoutAnyChannelIsListed) {
    const WriteProblem allEmpty{Kind::AllEmpty, 0, {}, {}};
    const std::tuple<const char*, std::function<void(ChannelTable&)>, bool> cases[] = {
        {"fresh start", [](ChannelTable&) {}, true},
        {"only a transmit frequency, which is written empty",
         [](ChannelTable& t) {
             t.CommitFrequency(12, kTxFreqColumn, "145.5", *BandBounds(0), Language::English);
         },
         true},
        {"only a name", [](ChannelTable& t) { t.CommitName(3, "ABC"); }, true},
        {"channel 128 alone",
         [](ChannelTable& t) {
             t.CommitFrequency(128, kRxFreqColumn, "145.5", *BandBounds(0), Language::English);
         },
         false},
    };
    SettingsModel settings;  // band 0, VFOs at their start values
    for (const auto& [name, change, listed] : cases) {
        SCOPED_TRACE(name);
        ChannelTable table;
        change(table);
        const Problems problems = CheckBeforeWrite(table.model(), settings);
        EXPECT_EQ(!problems.empty() && problems.back() == allEmpty, listed);
        // The flags of the grid never count it: it is no value of a cell.
        const Problems values = CheckValues(table.model(), settings);
        EXPECT_EQ(std::count(values.begin(), values.end(), allEmpty), 0);
    }
}

// The example the README opens is written without a question.
TEST(WriteCheck, TheExampleFilePassesTheCheck) {
    MemoryImage image;
    ASSERT_TRUE(LoadDataFile(VAREL_TEST_DATA "/../../docs/example.dat", image).ok());
    for (Language lang : {Language::Chinese, Language::English}) {
        Configuration cfg;
        DecodeImage(image, cfg, lang);
        for (const WriteProblem& problem : CheckBeforeWrite(cfg))
            ADD_FAILURE() << WriteProblemText(problem, Language::English);
    }
}

TEST(WriteCheck, ProblemTextsInBothLanguages) {
    const std::tuple<WriteProblem, const char*, const char*> cases[] = {
        {{Kind::OutOfBand, 5, "RXFreq", "180.00000"},
         "channel 5: RXFreq 180.00000 is outside the band",
         "频道 5: 接收频率 180.00000 超出频段范围"},
        {{Kind::TransmitWithoutReceive, 12, "TXFreq", "145.50000"},
         "channel 12: TXFreq 145.50000 has no RXFreq: the channel is written empty and the TXFreq "
         "is lost",
         "频道 12: 发射频率 145.50000 没有接收频率：该频道将作为空频道写入，发射频率丢失"},
        {{Kind::UnlistedTone, 7, "QT/DQT Enc", "100.3"},
         "channel 7: QT/DQT Enc 100.3 is not in the tone list and is written as Off",
         "频道 7: 发射亚音频 100.3 不在亚音频列表中，将作为关闭写入"},
        {{Kind::VfoOutOfBand, 0, "B Group VFO / Frequency", ""},
         "B Group VFO / Frequency (empty) is outside the band",
         "B组全频频率 / 全频频率 (空) 超出频段范围"},
        {{Kind::NotAFrequency, 7, "RXFreq", "449.5F625"},
         "channel 7: RXFreq 449.5F625 is not a frequency",
         "频道 7: 接收频率 449.5F625 不是有效频率"},
        {{Kind::AllEmpty, 0, {}, {}},
         "every channel is empty: the radio's channels are erased",
         "所有频道都是空的：对讲机中的频道将被清除"},
    };
    for (const auto& [problem, en, zh] : cases) {
        EXPECT_EQ(WriteProblemText(problem, Language::English), en);
        EXPECT_EQ(WriteProblemText(problem, Language::Chinese), zh);
    }
}

using Lines = std::vector<std::string>;

// The test file as the program would open it: channels 1, 2, 5 and 128, band 1.
MemoryImage Sample() {
    MemoryImage image;
    EXPECT_TRUE(LoadDataFile(VAREL_TEST_DATA "/sample.dat", image).ok());
    return image;
}

TEST(ConfigDiff, OneLinePerFieldInTheDumpsWords) {
    const std::tuple<const char*, std::function<void(MemoryImage&)>, Language, Lines> cases[] = {
        {"equal", [](MemoryImage&) {}, Language::English, {}},
        {"a receive frequency",
         [](MemoryImage& m) { m.set(ChannelRecordOffset(5) + 2, 0x57); },
         Language::English,
         {"channel 5: RXFreq: 462.56250 -> 465.76250"}},
        {"a deleted transmit frequency and a name with a control character, in Chinese",
         [](MemoryImage& m) {
             m.set(ChannelRecordOffset(1) + 4, 0xFF);
             m.set(ChannelNameOffset(1), 0x1B);
         },
         Language::Chinese,
         {"频道 1: 发射频率: 145.72500 -> (空)", "频道 1: 频道名称: CALL -> \\x1BALL"}},
        {"squelch level and an FM channel",
         [](MemoryImage& m) {
             m.set(0x704, 8);
             m.set(0x764, 0);
             m.set(0x765, 147);
         },
         Language::English,
         {"Squelch Level: 5 -> 8", "FM channel 3: (empty) -> 101.70"}},
        {"a VFO flag and a tuning value",
         [](MemoryImage& m) {
             m.set(0x73C, static_cast<std::uint8_t>(m.at(0x73C) ^ 0x20));
             m.set(0x7E2, 100);
         },
         Language::English,
         {"B Group VFO / TX Prohibit: Off -> On", "B Power Grades / Low Power Grades: 255 -> 100"}},
        {"bytes nothing shows: fill, the unread flag bits, an out-of-range list value, a name's "
         "fill",
         [](MemoryImage& m) {
             m.set(0x6A0, 0x12);
             m.set(ChannelRecordOffset(1) + 12, static_cast<std::uint8_t>(m.at(12) ^ 0x80));
             m.set(0x704, 0x0C);  // 0x0C and the file's 0xFF both read as the default 5
             m.set(0x7C5, 0x00);
         },
         Language::English,
         {"byte 0x00C: 0xF9 -> 0x79", "byte 0x6A0: 0xFF -> 0x12", "byte 0x704: 0xFF -> 0x0C",
          "byte 0x7C5: 0xFF -> 0x00"}},
    };
    for (const auto& [name, change, lang, expected] : cases) {
        SCOPED_TRACE(name);
        const MemoryImage a = Sample();
        MemoryImage b = a;
        change(b);
        EXPECT_EQ(DiffConfigurations(a, b, lang), expected);
    }
}

// No change of any byte is invisible: a random change of every byte of a decoded sample and of
// a random image gives at least one line, and only equal images give none.
TEST(ConfigDiff, EveryChangedByteIsReported) {
    std::mt19937 rng(7);
    MemoryImage noise;
    for (std::size_t i = 0; i < kConfigSize; ++i) noise.set(i, static_cast<std::uint8_t>(rng()));
    for (const MemoryImage& base : {Sample(), noise}) {
        ASSERT_TRUE(DiffConfigurations(base, base, Language::English).empty());
        for (std::size_t i = 0; i < kConfigSize; ++i) {
            MemoryImage changed = base;
            changed.set(i, static_cast<std::uint8_t>(base.at(i) ^ (1u << (rng() % 8))));
            ASSERT_FALSE(DiffConfigurations(base, changed, Language::English).empty())
                << "offset " << i;
        }
    }
}

TEST(BlockContents, EveryRegionInTheDumpsWords) {
    using Labels = std::vector<std::string>;
    const std::tuple<int, Language, Labels> cases[] = {
        {0x050, Language::English, {"channel 7", "channel 8"}},
        {0x670, Language::English, {"channel 127", "channel 128"}},
        {0x680, Language::English, {"unused"}},
        {0x710, Language::English, {"model tag", "Range", "unused", "Display Character"}},
        {0x720, Language::English, {"A Group VFO", "unused"}},
        {0x790, Language::Chinese, {"FM频道 25", "未用"}},
        {0x7E0, Language::Chinese, {"功率调试", "未用"}},
        {0xBF0, Language::Chinese, {"频道 127 名称", "频道 128 名称"}},
        {0xC00, Language::English, {"spare byte", "past the memory"}},
        {0xC20, Language::English, {"past the memory"}},
    };
    for (const auto& [address, lang, expected] : cases)
        EXPECT_EQ(BlockContents(address, lang), expected) << std::hex << address;
}

}  // namespace
}  // namespace varel
