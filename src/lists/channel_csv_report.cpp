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
    const std::string shown = Shortened(text);
    return lang == Language::English ? "\"" + shown + "\"" : "“" + shown + "”";
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

std::string Reason(const CsvIssue& issue, Language lang) {
    const std::string v = Quote(issue.value, lang);
    const std::string d = Quote(issue.detail, lang);
    const std::string skipped = Pick(lang, "，已跳过此行", ", row skipped");
    switch (issue.kind) {
        case CsvIssueKind::EmptyFile:
            return Pick(lang, "文件没有标题行，未导入任何数据",
                        "the file holds no header line, nothing imported");
        case CsvIssueKind::NotText:
            return Pick(lang, "含有控制字符，不是文本文件，未导入任何数据",
                        "control character, not a text file, nothing imported");
        case CsvIssueKind::OpenQuote:
            return Pick(lang, "引号未闭合，未导入任何数据", "quote never closed, nothing imported");
        case CsvIssueKind::TextAfterQuote:
            return Pick(lang, "右引号后还有文字，未导入任何数据",
                        "text after a closing quote, nothing imported");
        case CsvIssueKind::MissingColumn:
            return Pick(lang, "标题行缺少此列，未导入任何数据",
                        "column missing from the header, nothing imported");
        case CsvIssueKind::UnknownColumn:
            return Pick(lang, "未知的列，已忽略", "unknown column, ignored");
        case CsvIssueKind::RepeatedColumn:
            return Pick(lang, "重复的列，已忽略", "column named again, ignored");
        case CsvIssueKind::NoRows:
            return Pick(lang, "只有标题行，没有数据行，未导入任何数据",
                        "a header and no rows, nothing imported");
        case CsvIssueKind::BadNumber:
            return v + Pick(lang, "不是数值", " is not a number") + skipped;
        case CsvIssueKind::NoFrequency:
            return Pick(lang, "为空", "empty") + skipped;
        case CsvIssueKind::OutOfBand:
            return v + WithinLine(Message::OutOfBand, lang) + skipped;
        case CsvIssueKind::UnknownTone:
            return v + Pick(lang, "不是本机的亚音频", " is not a tone of the radio") + skipped;
        case CsvIssueKind::UnknownValue:
            return Pick(lang, "无法识别", "") + v + Pick(lang, "", " not understood") + skipped;
        case CsvIssueKind::LocationRange:
            return v + Pick(lang, "不在 1 至 128 之间", " outside 1 to 128") + skipped;
        case CsvIssueKind::PastLastChannel:
            if (issue.detail == "1")
                return Pick(lang, "超出频道 128，已舍弃此行", "past channel 128, row dropped");
            return Pick(lang, "自此行起 ", "") + issue.detail +
                   Pick(lang, " 行超出频道 128，已舍弃",
                        " rows from here on past channel 128, dropped");
        case CsvIssueKind::DuplicateLocation:
            return v + Pick(lang, "已在第 ", " already given on line ") + issue.detail +
                   Pick(lang, " 行出现", "") + skipped;
        case CsvIssueKind::Adjusted:
            return v + Pick(lang, "改为", " taken as ") + d;
        case CsvIssueKind::Defaulted:
            return Pick(lang, "无法识别", "") + v + Pick(lang, "，改为", " not understood, ") + d +
                   Pick(lang, "", " taken");
        case CsvIssueKind::LeftOut:
            return v + Pick(lang, "不是有效频率，未导出此频道",
                            " is not a frequency, channel not written");
        case CsvIssueKind::ToneNotListed:
            return v + Pick(lang, "不在亚音频列表中，按关闭导出",
                            " is not a listed tone, written as off");
        case CsvIssueKind::TransmitDropped:
            return Pick(lang, "发射禁止为开，按 off 导出，未导出发射频率",
                        "TX Prohibit On, written as off without the transmit frequency ") +
                   v;
    }
    return {};
}

}  // namespace

std::string CsvIssueText(const CsvIssue& issue, Language lang) {
    std::string text;
    if (issue.channel > 0)
        text = Pick(lang, "频道 ", "channel ") + std::to_string(issue.channel) + ": ";
    else if (issue.line > 0)
        text = Pick(lang, "第 ", "line ") + std::to_string(issue.line) + Pick(lang, " 行: ", ": ");
    if (!issue.column.empty()) text += Shortened(issue.column) + ": ";
    return text + Reason(issue, lang);
}

std::string CsvReportText(const CsvImport& result, Language lang) {
    std::string text;
    for (const CsvIssue& issue : result.issues) text += CsvIssueText(issue, lang) + "\n";
    if (result.refused) return text;
    const std::string taken = std::to_string(result.taken);
    const std::string changed = std::to_string(result.changed);
    const std::string skipped = std::to_string(result.skipped);
    if (lang == Language::English)
        return text + taken + (result.taken == 1 ? " row" : " rows") + " taken (" + changed +
               " with changes), " + skipped + " skipped\n";
    return text + "导入 " + taken + " 行（其中 " + changed + " 行有改动），跳过 " + skipped +
           " 行\n";
}

std::string CsvReportText(const CsvExport& result, Language lang) {
    std::string text;
    for (const CsvIssue& issue : result.issues) text += CsvIssueText(issue, lang) + "\n";
    return text;
}

}  // namespace varel
