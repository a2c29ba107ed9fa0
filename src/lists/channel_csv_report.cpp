// The report lines of a channel list import or export, in both languages.
#include <cctype>
#include <string>

#include "image/messages.h"
#include "lists/channel_csv.h"

namespace varel {

namespace {

constexpr std::size_t kShownCharacters = 40;  // of a value or column name in a report line

// The text cut after kShownCharacters characters (UTF-8), with an ellipsis.
std::string Shortened(const std::string& text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
        if (++characters > kShownCharacters) return text.substr(0, i) + "…";
    }
    return text;
}

std::string Quote(const std::string& text, Language lang) {
    static const Bilingual quoted{"\"%1\"", "“%1”"};
    return quoted.format(lang, {Shortened(text)});
}

// A message inside a report line, after the value: in English after a blank, in lower case.
std::string WithinLine(Message message, Language lang) {
    std::string text = MessageText(message, lang);
    if (lang == Language::English && !text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
        text.insert(0, " ");
    }
    return text;
}

// The reason of an issue: %1 is the value and %2 the detail, both quoted, %3 the detail as it
// is. A frequency outside the band is said by the shared message (see Reason).
Bilingual ReasonText(const CsvIssue& issue) {
    switch (issue.kind) {
        case CsvIssueKind::EmptyFile:
            return {"the file holds no header line, nothing imported",
                    "文件没有标题行，未导入任何数据"};
        case CsvIssueKind::NotText:
            return {"control character, not a text file, nothing imported",
                    "含有控制字符，不是文本文件，未导入任何数据"};
        case CsvIssueKind::OpenQuote:
            return {"quote never closed, nothing imported", "引号未闭合，未导入任何数据"};
        case CsvIssueKind::TextAfterQuote:
            return {"text after a closing quote, nothing imported",
                    "右引号后还有文字，未导入任何数据"};
        case CsvIssueKind::MissingColumn:
            return {"column missing from the header, nothing imported",
                    "标题行缺少此列，未导入任何数据"};
        case CsvIssueKind::UnknownColumn:
            return {"unknown column, ignored", "未知的列，已忽略"};
        case CsvIssueKind::RepeatedColumn:
            return {"column named again, ignored", "重复的列，已忽略"};
        case CsvIssueKind::NoRows:
            return {"a header and no rows, nothing imported",
                    "只有标题行，没有数据行，未导入任何数据"};
        case CsvIssueKind::BadNumber:
            return {"%1 is not a number", "%1不是数值"};
        case CsvIssueKind::NoFrequency:
            return {"empty", "为空"};
        case CsvIssueKind::OutOfBand:
            break;
        case CsvIssueKind::UnknownTone:
            return {"%1 is not a tone of the radio", "%1不是本机的亚音频"};
        case CsvIssueKind::UnknownValue:
            return {"%1 not understood", "无法识别%1"};
        case CsvIssueKind::LocationRange:
            return {"%1 outside 1 to 128", "%1不在 1 至 128 之间"};
        case CsvIssueKind::DuplicateLocation:
            return {"%1 already given on line %3", "%1已在第 %3 行出现"};
        case CsvIssueKind::PastLastChannel:
            if (issue.detail == "1")
                return {"past channel 128, row dropped", "超出频道 128，已舍弃此行"};
            return {"%3 rows from here on past channel 128, dropped",
                    "自此行起 %3 行超出频道 128，已舍弃"};
        case CsvIssueKind::Adjusted:
            return {"%1 taken as %2", "%1改为%2"};
        case CsvIssueKind::Defaulted:
            return {"%1 not understood, %2 taken", "无法识别%1，改为%2"};
        case CsvIssueKind::Assumed:
            break;  // a line of its own, see AssumedText
        case CsvIssueKind::LeftOut:
            return {"%1 is not a frequency, channel not written", "%1不是有效频率，未导出此频道"};
        case CsvIssueKind::ToneNotListed:
            return {"%1 is not a listed tone, written as off", "%1不在亚音频列表中，按关闭导出"};
        case CsvIssueKind::TransmitDropped:
            return {"TX Prohibit On, written as off without the transmit frequency %1",
                    "发射禁止为开，按 off 导出，未导出发射频率%1"};
    }
    return {};
}

// The issues of a row that was skipped, its channel unchanged (rows past channel 128 are said
// to be dropped instead).
bool RowSkipped(CsvIssueKind kind) {
    return kind >= CsvIssueKind::BadNumber && kind < CsvIssueKind::PastLastChannel;
}

std::string Reason(const CsvIssue& issue, Language lang) {
    static const Bilingual skipped{", row skipped", "，已跳过此行"};
    const std::string value = Quote(issue.value, lang);
    std::string text =
        issue.kind == CsvIssueKind::OutOfBand
            ? value + WithinLine(Message::OutOfBand, lang)
            : ReasonText(issue).format(lang, {value, Quote(issue.detail, lang), issue.detail});
    if (RowSkipped(issue.kind)) text += skipped.in(lang);
    return text;
}

// "cToneFreq missing: channels 36, 40, 44 took 88.5".
std::string AssumedText(const CsvIssue& issue, Language lang) {
    static const Bilingual one{"%1 missing: channel %2 took %3", "缺少 %1 列：频道 %2 取值 %3"};
    static const Bilingual many{"%1 missing: channels %2 took %3", "缺少 %1 列：频道 %2 取值 %3"};
    const bool single = issue.detail.find_first_not_of("0123456789") == std::string::npos;
    return (single ? one : many).format(lang, {issue.column, issue.detail, issue.value});
}

}  // namespace

std::string CsvIssueText(const CsvIssue& issue, Language lang) {
    static const Bilingual channel{"channel %1: ", "频道 %1: "};
    if (issue.kind == CsvIssueKind::Assumed) return AssumedText(issue, lang);
    static const Bilingual line{"line %1: ", "第 %1 行: "};
    std::string text;
    if (issue.channel > 0)
        text = channel.format(lang, {std::to_string(issue.channel)});
    else if (issue.line > 0)
        text = line.format(lang, {std::to_string(issue.line)});
    if (!issue.column.empty()) text += Shortened(issue.column) + ": ";
    return text + Reason(issue, lang);
}

std::string CsvReportText(const CsvImport& result, Language lang) {
    static const Bilingual oneRow{"%1 row taken (%2 with changes), %3 skipped\n",
                                  "导入 %1 行（其中 %2 行有改动），跳过 %3 行\n"};
    static const Bilingual rows{"%1 rows taken (%2 with changes), %3 skipped\n",
                                "导入 %1 行（其中 %2 行有改动），跳过 %3 行\n"};
    std::string text;
    for (const CsvIssue& issue : result.issues) text += CsvIssueText(issue, lang) + "\n";
    if (result.refused) return text;
    return text + (result.taken == 1 ? oneRow : rows)
                      .format(lang, {std::to_string(result.taken), std::to_string(result.changed),
                                     std::to_string(result.skipped)});
}

std::string CsvReportText(const CsvExport& result, Language lang) {
    std::string text;
    for (const CsvIssue& issue : result.issues) text += CsvIssueText(issue, lang) + "\n";
    return text;
}

}  // namespace varel
