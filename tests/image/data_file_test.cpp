// Data files: their format, saving and loading with every failure, and the messages and
// reasons of failed file operations in both languages.
#include "files/data_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "files/file_io.h"
#include "image/messages.h"
#include "support/as_nobody.h"
#include "support/pattern_image.h"
#include "support/temp_dir.h"

namespace varel {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const std::string kHeader = std::string("ZNO-7P\xFF\xFF\xFF\xFFV0100") + std::string(33, '\xFF');

using test::PatternImage;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(DataFile, HeaderThenImageOutAndOnlyTheIdentifierCheckedIn) {
    MemoryImage image = PatternImage(1);
    image.set(kSpareByte, 0x77);
    Bytes bytes = BuildDataFile(image);
    ASSERT_EQ(bytes.size(), kDataFileSize);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 48), kHeader);
    for (std::size_t i = 6; i < 48; ++i) bytes[i] = static_cast<std::uint8_t>(i);
    bytes.push_back(0x01);  // bytes after the image are ignored too
    MemoryImage in;
    in.set(kSpareByte, 0x42);
    ASSERT_TRUE(ParseDataFile(bytes, in).ok());
    for (std::size_t i = 0; i < kConfigSize; ++i) ASSERT_EQ(in.at(i), image.at(i)) << i;
    EXPECT_EQ(in.at(kSpareByte), 0x42);
}

// A wrong identifier (any byte, case included) whatever the length, or the right one on a file
// too short to hold an image: refused, and nothing of it is loaded.
TEST(DataFile, RefusedFilesLoadNothing) {
    const Bytes good = BuildDataFile(PatternImage(3));
    std::vector<Bytes> refused;
    for (std::size_t pos = 0; pos < 6; ++pos) {
        for (std::size_t length : {std::size_t{6}, kDataFileSize, kDataFileSize + 100}) {
            Bytes bytes = good;
            bytes.resize(length, 0xFF);
            bytes[pos] ^= 0x20;
            refused.push_back(bytes);
        }
    }
    for (std::size_t length :
         {std::size_t{0}, std::size_t{5}, std::size_t{6}, std::size_t{48}, kDataFileSize - 1})
        refused.emplace_back(good.begin(), good.begin() + static_cast<long>(length));
    const MemoryImage before = PatternImage(4);
    for (const Bytes& bytes : refused) {
        MemoryImage in = before;
        EXPECT_EQ(ParseDataFile(bytes, in).error, DataFileError::WrongType) << bytes.size();
        EXPECT_EQ(in, before);
    }
}

// Saving again, through a link, replaces the file's contents only: the link, the file's owner
// and mode and the folder's entries stay as they were, and no temporary file is left behind.
TEST(DataFile, SaveThenLoadGivesTheImageBack) {
    TempDir dir;
    const fs::path file = dir.path() / "radio.dat";
    const fs::path link = dir.path() / "link.dat";
    const MemoryImage first = PatternImage(8);
    ASSERT_TRUE(SaveDataFile(file.string(), first).ok());
    EXPECT_EQ(ReadFileBytes(file), BuildDataFile(first));
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    if (::geteuid() == 0) {  // root keeps another user's file theirs
        ASSERT_EQ(::chown(file.c_str(), 1, 1), 0);
    }
    struct stat owner {};
    ASSERT_EQ(::stat(file.c_str(), &owner), 0);
    fs::create_symlink(file.filename(), link);
    const MemoryImage second = PatternImage(9);
    ASSERT_TRUE(SaveDataFile(link.string(), second).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
    struct stat now {};
    ASSERT_EQ(::stat(file.c_str(), &now), 0);
    EXPECT_EQ(now.st_uid, owner.st_uid);
    EXPECT_EQ(now.st_gid, owner.st_gid);
    EXPECT_EQ(dir.entries(), 2u);
    MemoryImage in;
    ASSERT_TRUE(LoadDataFile(file.string(), in).ok());
    for (std::size_t i = 0; i < kConfigSize; ++i) ASSERT_EQ(in.at(i), second.at(i)) << i;
    EXPECT_EQ(in.at(kSpareByte), 0);
}

TEST(DataFile, UnusablePathsAreReportedAndChangeNothing) {
    TempDir dir;
    const fs::path plain = dir.path() / "plain";
    WriteFileBytes(plain, {1});
    const MemoryImage before = PatternImage(11);
    MemoryImage in = before;
    const DataFileResult missing = LoadDataFile((dir.path() / "none.dat").string(), in);
    EXPECT_EQ(missing.error, DataFileError::CannotOpen);
    EXPECT_EQ(missing.systemError, ENOENT);
    EXPECT_EQ(LoadDataFile(dir.path().string(), in).error, DataFileError::CannotRead);
    EXPECT_EQ(in, before);
    // As root, folder permissions do not stop writes; these paths fail for every user, and
    // the check alone finds them.
    const fs::path loop = dir.path() / "loop";
    fs::create_symlink(loop.filename(), loop);
    for (const fs::path& target :
         {plain / "x.dat", dir.path() / "no" / "x.dat", dir.path(), loop}) {
        EXPECT_EQ(CheckReplaceTarget(target.string()).error, DataFileError::CannotOpen) << target;
        EXPECT_EQ(SaveDataFile(target.string(), before).error, DataFileError::CannotOpen);
    }
    fs::remove(loop);
    EXPECT_EQ(ReadFileBytes(plain), Bytes{1});
    EXPECT_EQ(dir.entries(), 1u);
}

// A read-only file (mode 444) in a folder everyone may write, where the folder would allow the
// atomic replacement but the file must not; and a file everyone may write in a read-only folder.
TEST(DataFile, AFileOrAFolderTheUserMayNotWriteKeepsTheTarget) {
    for (const auto& [folder, mode] : {std::pair{0777, 0444}, {0555, 0666}}) {
        TempDir dir;
        const fs::path file = dir.path() / "radio.dat";
        WriteFileBytes(file, {4, 4, 4});
        fs::permissions(file, static_cast<fs::perms>(mode));
        fs::permissions(dir.path(), static_cast<fs::perms>(folder));
        const auto error = test::RunUnprivileged(
            [&] { return static_cast<int>(SaveDataFile(file.string(), PatternImage(12)).error); });
        ASSERT_TRUE(error) << "cannot run as an ordinary user";
        EXPECT_EQ(*error, static_cast<int>(DataFileError::CannotOpen)) << std::oct << folder;
        EXPECT_EQ(ReadFileBytes(file), (Bytes{4, 4, 4}));
    }
}

TEST(DataFile, ADanglingLinkCreatesTheFileItNames) {
    TempDir dir;
    fs::create_symlink("new.dat", dir.path() / "link.dat");
    ASSERT_TRUE(SaveDataFile((dir.path() / "link.dat").string(), PatternImage(16)).ok());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.dat"));
    EXPECT_EQ(ReadFileBytes(dir.path() / "new.dat"), BuildDataFile(PatternImage(16)));
}

// A file size limit makes the write fail half-way, for root too.
TEST(DataFile, FailedWriteRemovesTheTemporaryFileAndKeepsTheTarget) {
    TempDir dir;
    const fs::path file = dir.path() / "radio.dat";
    const Bytes old(200, 0x33);
    WriteFileBytes(file, old);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const DataFileResult result = SaveDataFile(file.string(), PatternImage(14));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(result.error, DataFileError::CannotWrite);
    EXPECT_EQ(result.systemError, EFBIG);
    EXPECT_EQ(ReadFileBytes(file), old);
    EXPECT_EQ(dir.entries(), 1u);
}

// Without waiting, a named pipe without a writer (or a reader, for a save) says so at once and
// keeps no reader open for a later writer; waiting, the writer's bytes are read, and judged
// only once read.
TEST(DataFile, NamedPipeWithAndWithoutItsWriter) {
    TempDir dir;
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const MemoryImage before = PatternImage(17);
    MemoryImage in = before;
    const DataFileResult alone = LoadDataFile(pipe, in);
    EXPECT_EQ(alone.error, DataFileError::CannotRead);
    EXPECT_EQ(ReasonText(alone, Language::English), "nothing was written to the pipe");
    EXPECT_EQ(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK), -1);
    EXPECT_EQ(errno, ENXIO);
    EXPECT_EQ(SaveDataFile(pipe, before).reason, FileReason::NoPipeReader);

    const MemoryImage sent = PatternImage(18);
    MemoryImage loaded = before;  // the spare byte is not filed
    for (std::size_t i = 0; i < kConfigSize; ++i) loaded.set(i, sent.at(i));
    const struct {
        Bytes written;
        DataFileError error;
    } cases[] = {{BuildDataFile(sent), DataFileError::None},
                 {{'h', 'e', 'l', 'l', 'o'}, DataFileError::WrongType},
                 {{}, DataFileError::CannotRead}};
    for (const auto& c : cases) {
        std::thread writer([&] {
            const int fd = ::open(pipe.c_str(), O_WRONLY);  // waits for the reader
            if (fd < 0) return;
            EXPECT_EQ(::write(fd, c.written.data(), c.written.size()),
                      static_cast<ssize_t>(c.written.size()));
            ::close(fd);
        });
        in = before;
        const DataFileResult read = LoadDataFile(pipe, in, PipeOpen::WaitForWriter);
        writer.join();
        EXPECT_EQ(read.error, c.error) << c.written.size();
        EXPECT_EQ(in, c.error == DataFileError::None ? loaded : before);
    }
}

// Wherever a save meets a full disk or the end of a quota, it is DiskFull with its reason.
TEST(DataFile, FullDiskIsDiskFullWhereverItStrikes) {
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(SaveDataFile("/dev/full", PatternImage(15)).error, DataFileError::DiskFull);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
    for (DataFileError kind : {DataFileError::CannotOpen, DataFileError::CannotWrite}) {
        for (int error : {ENOSPC, EDQUOT}) {
            const DataFileResult r = SystemFailure(kind, error);
            EXPECT_EQ(r.error, DataFileError::DiskFull);
            EXPECT_EQ(ReasonText(r, Language::Chinese), SystemReasonText(error, Language::Chinese));
        }
        EXPECT_EQ(SystemFailure(kind, EACCES).error, kind);
    }
}

// A message left out of the table would show as an empty box; two messages with one text
// would mean one of them was pasted over the other. The same holds for every file error.
TEST(Messages, EveryMessageAndFileErrorHasItsOwnTextInBothLanguages) {
    std::set<std::string> texts;
    for (int m = 0; m < static_cast<int>(Message::Count); ++m) {
        const Bilingual& text = MessageText(static_cast<Message>(m));
        EXPECT_FALSE(text.en.empty() || text.zh.empty()) << m;
        EXPECT_NE(text.en, text.zh) << m;
        texts.insert(text.en);
        texts.insert(text.zh);
    }
    EXPECT_EQ(texts.size(), 2 * static_cast<std::size_t>(Message::Count));
    EXPECT_EQ(MessageText(Message::WrongFileType, Language::Chinese), "文件类型不正确！");

    EXPECT_EQ(DataFileMessage(DataFileError::None, Language::English), "");
    texts.clear();
    for (int e = 1; e <= static_cast<int>(DataFileError::DiskFull); ++e)
        texts.insert(DataFileMessage(static_cast<DataFileError>(e), Language::Chinese));
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(DataFileError::DiskFull));
    EXPECT_EQ(DataFileMessage(DataFileError::WrongType, Language::English),
              "File type is incorrect!");
}

// The English rendering is the system's own wording, which the command line prints; the
// common reasons are translated, any other one stays in English.
TEST(Messages, ReasonsRenderInEitherLanguage) {
    const DataFileResult missing = DataFileResult::Failure(DataFileError::CannotOpen, ENOENT);
    EXPECT_EQ(ReasonText(missing, Language::English), "No such file or directory");
    EXPECT_EQ(ReasonText(missing, Language::Chinese), "文件或文件夹不存在");
    const DataFileResult loop = DataFileResult::Failure(DataFileError::CannotOpen, ELOOP);
    EXPECT_EQ(ReasonText(loop, Language::Chinese), ReasonText(loop, Language::English));
    EXPECT_FALSE(ReasonText(loop, Language::English).empty());
    const DataFileResult large =
        DataFileResult::Failure(DataFileError::WrongType, FileReason::TooLarge);
    EXPECT_EQ(ReasonText(large, Language::English), "larger than 4 MiB");
    EXPECT_EQ(ReasonText(large, Language::Chinese), "文件大于 4 MiB");
    EXPECT_EQ(ReasonText(DataFileResult::Failure(DataFileError::WrongType), Language::Chinese), "");
    for (int error : {EACCES, EISDIR, EROFS, ENOSPC, EDQUOT, ENAMETOOLONG, EIO})
        EXPECT_NE(SystemReasonText(error, Language::Chinese),
                  SystemReasonText(error, Language::English))
            << error;
}

}  // namespace
}  // namespace varel
