// Texts made at run time: the placeholders of a bilingual text take their values in each
// language's own word order, and what a user wrote (a value from a channel list) is put in as
// written, never read as a placeholder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/language.h"
#include "lists/channel_csv.h"

namespace varel {
namespace {

TEST(BilingualFormat, PlaceholdersTakeTheirArgumentsInEachLanguagesOrder) {
    const struct {
        Bilingual text;
        std::vector<std::string> args;
        const char* en;
        const char* zh;
    } cases[] = {
        {{"%1 rows", "%1 行"}, {"3"}, "3 rows", "3 行"},
        {{"%1 already given on line %2", "%1已在第 %2 行出现"},
         {"“7”", "4"},
         "“7” already given on line 4",
         "“7”已在第 4 行出现"},
        {{"%1 not understood", "无法识别%1"}, {"x"}, "x not understood", "无法识别x"},
        {{"%2 after %1", "%1 在 %2 之前"}, {"a", "b"}, "b after a", "a 在 b 之前"},
        {{"%1-%1", "%1%1"}, {"ab"}, "ab-ab", "abab"},
        {{"%1 of %9", "%9/%1"}, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, "1 of 9", "9/1"},
        // A placeholder without an argument, and a % that is no placeholder, stay as written.
        {{"%1 and %2", "%2 与 %1"}, {"a"}, "a and %2", "%2 与 a"},
        {{"100% %0 %a %", "百分之百%"}, {"x"}, "100% %0 %a %", "百分之百%"},
        {{"%10", "%10"}, {"x"}, "x0", "x0"},
        {{"no placeholder", "无"}, {}, "no placeholder", "无"},
        // An argument is put in as it is: its own % signs are text.
        {{"%1 then %2", "%1，%2"}, {"%2", "%1"}, "%2 then %1", "%2，%1"},
        {{"[%1]", "【%1】"}, {"%"}, "[%]", "【%】"},
        {{"[%1]", "【%1】"}, {""}, "[]", "【】"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.en);
        EXPECT_EQ(c.text.format(Language::English, c.args), c.en);
        EXPECT_EQ(c.text.format(Language::Chinese, c.args), c.zh);
    }
}

// Values and column names of a channel list reach the report as they were written, in both
// languages, also when they look like placeholders.
TEST(BilingualFormat, ReportLinesShowValuesThatLookLikePlaceholdersAsWritten) {
    const struct {
        CsvIssue issue;
        const char* en;
        const char* zh;
    } cases[] = {
        {{2, 0, "Frequency", CsvIssueKind::BadNumber, "%1%2", ""},
         "line 2: Frequency: \"%1%2\" is not a number, row skipped",
         "第 2 行: Frequency: “%1%2”不是数值，已跳过此行"},
        {{3, 0, "%1", CsvIssueKind::Defaulted, "%3", "%2"},
         "line 3: %1: \"%3\" not understood, \"%2\" taken",
         "第 3 行: %1: 无法识别“%3”，改为“%2”"},
        {{4, 0, "Location", CsvIssueKind::DuplicateLocation, "%2", "%1"},
         "line 4: Location: \"%2\" already given on line %1, row skipped",
         "第 4 行: Location: “%2”已在第 %1 行出现，已跳过此行"},
        {{0, 5, "Tone", CsvIssueKind::ToneNotListed, "%9", ""},
         "channel 5: Tone: \"%9\" is not a listed tone, written as off",
         "频道 5: Tone: “%9”不在亚音频列表中，按关闭导出"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CsvIssueText(c.issue, Language::English), c.en);
        EXPECT_EQ(CsvIssueText(c.issue, Language::Chinese), c.zh);
    }
}

}  // namespace
}  // namespace varel
