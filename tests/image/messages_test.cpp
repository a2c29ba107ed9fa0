// The message table and the reasons of failed file operations in both languages.
#include "image/messages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <string>

#include "image/data_file.h"

namespace varel {
namespace {

// A message left out of the table would show as an empty box; two messages with one text
// would mean one of them was pasted over the other.
TEST(Messages, EveryMessageHasItsOwnTextInBothLanguages) {
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
}

TEST(Messages, EveryFileErrorHasItsOwnMessage) {
    EXPECT_EQ(DataFileMessage(DataFileError::None, Language::English), "");
    std::set<std::string> texts;
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
    EXPECT_EQ(missing.detail, "No such file or directory");
    const DataFileResult loop = DataFileResult::Failure(DataFileError::CannotOpen, ELOOP);
    EXPECT_EQ(ReasonText(loop, Language::Chinese), ReasonText(loop, Language::English));
    EXPECT_FALSE(loop.detail.empty());
    const DataFileResult large =
        DataFileResult::Failure(DataFileError::WrongType, FileReason::TooLarge);
    EXPECT_EQ(large.detail, "larger than 4 MiB");
    EXPECT_EQ(ReasonText(large, Language::Chinese), "文件大于 4 MiB");
    EXPECT_EQ(ReasonText(DataFileResult::Failure(DataFileError::WrongType), Language::Chinese), "");
    for (int error : {EACCES, EISDIR, EROFS, ENOSPC, EDQUOT, ENAMETOOLONG, EIO})
        EXPECT_NE(SystemReasonText(error, Language::Chinese),
                  SystemReasonText(error, Language::English))
            << error;
}

}  // namespace
}  // namespace varel
