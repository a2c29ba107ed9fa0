#include "checks/write_check.h"

#include <optional>

#include "checks/config_text.h"
#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/frequency_band.h"
#include "image/numeric_text.h"
#include "image/settings_fields.h"

namespace varel {

namespace {

using Kind = WriteProblem::Kind;

constexpr SettingId kVfoFrequencies[] = {SettingId::AFrequency, SettingId::BFrequency};

// A problem's text around its subject (%1: the column or VFO and the value).
Bilingual ProblemText(Kind kind) {
    switch (kind) {
        case Kind::OutOfBand:
        case Kind::VfoOutOfBand:
            break;
        case Kind::TransmitWithoutReceive:
            return {"%1 has no RXFreq: the channel is written empty and the TXFreq is lost",
                    "%1 没有接收频率：该频道将作为空频道写入，发射频率丢失"};
        case Kind::UnlistedTone:
            return {"%1 is not in the tone list and is written as Off",
                    "%1 不在亚音频列表中，将作为关闭写入"};
        case Kind::NotAFrequency:
            return {"%1 is not a frequency", "%1 不是有效频率"};
        case Kind::AllEmpty:
            return {"every channel is empty: the radio's channels are erased",
                    "所有频道都是空的：对讲机中的频道将被清除"};
    }
    return {"%1 is outside the band", "%1 超出频段范围"};
}

const std::string& EnglishHeader(int column) {
    return ChannelColumnAt(column).header.en;
}

bool IsOffText(const std::string& text) {
    return text == OffText(Language::English) || text == OffText(Language::Chinese);
}

// A frequency text judged by the one band rule: not a frequency, outside, or fine (nullopt).
std::optional<Kind> FrequencyProblem(const std::string& text, const FrequencyBand& band,
                                     Kind outside) {
    if (!IsNumeric(text)) return Kind::NotAFrequency;
    if (!VfoFrequencyInBand(LeadingNumber(text), band)) return outside;
    return std::nullopt;
}

void CheckChannel(int n, const Channel& ch, const FrequencyBand& band,
                  std::vector<WriteProblem>& problems) {
    const std::string& rx = ch.freq[0];
    const std::string& tx = ch.freq[1];
    if (!ch.exists()) {
        if (!tx.empty())
            problems.push_back({Kind::TransmitWithoutReceive, n, EnglishHeader(kTxFreqColumn), tx});
        return;
    }
    for (int column : {kRxFreqColumn, kTxFreqColumn}) {
        const std::string& text = column == kRxFreqColumn ? rx : tx;
        if (text.empty()) continue;
        if (const auto kind = FrequencyProblem(text, band, Kind::OutOfBand))
            problems.push_back({*kind, n, EnglishHeader(column), text});
    }
    for (int column : {kRxToneColumn, kTxToneColumn}) {
        const std::string& text = ch.text(column);
        if (ch.index(column) == 0 && !text.empty() && !IsOffText(text))
            problems.push_back({Kind::UnlistedTone, n, EnglishHeader(column), text});
    }
}

// The label a problem's column key stands for, in a language.
std::string ColumnText(const WriteProblem& problem, Language lang) {
    if (problem.channel == 0) {
        for (SettingId id : kVfoFrequencies)
            if (SettingLabel(Field(id), Language::English) == problem.column)
                return SettingLabel(Field(id), lang);
        return problem.column;
    }
    const int column = ProblemColumn(problem);
    return column > 0 ? ChannelColumnAt(column).header.in(lang) : problem.column;
}

}  // namespace

std::vector<WriteProblem> CheckValues(const ChannelModel& channels, const SettingsModel& settings) {
    const FrequencyBand band = BandBounds(settings.band()).value_or(FrequencyBand{});
    std::vector<WriteProblem> problems;
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n)
        CheckChannel(n, channels.channel(n), band, problems);
    for (SettingId id : kVfoFrequencies) {
        const std::string& text = settings.text(id);
        if (const auto kind = FrequencyProblem(text, band, Kind::VfoOutOfBand))
            problems.push_back({*kind, 0, SettingLabel(Field(id), Language::English), text});
    }
    return problems;
}

std::vector<WriteProblem> CheckBeforeWrite(const ChannelModel& channels,
                                           const SettingsModel& settings) {
    std::vector<WriteProblem> problems = CheckValues(channels, settings);
    bool anyChannel = false;
    for (int n = 1; n <= static_cast<int>(kChannelCount) && !anyChannel; ++n)
        anyChannel = channels.channel(n).exists();
    if (!anyChannel) problems.push_back({Kind::AllEmpty, 0, {}, {}});
    return problems;
}

std::vector<WriteProblem> CheckBeforeWrite(const Configuration& cfg) {
    return CheckBeforeWrite(cfg.channels, cfg.settings);
}

int ProblemColumn(const WriteProblem& problem) {
    if (problem.channel == 0) return 0;
    for (int c = kRxFreqColumn; c <= kNameColumn; ++c)
        if (EnglishHeader(c) == problem.column) return c;
    return 0;
}

std::string WriteProblemText(const WriteProblem& problem, Language lang) {
    if (problem.kind == Kind::AllEmpty) return ProblemText(problem.kind).in(lang);
    const std::string subject = ColumnText(problem, lang) + " " + ShownValue(problem.value, lang);
    const std::string where =
        problem.channel > 0 ? ChannelLabel(problem.channel, lang) + ": " : std::string();
    return where + ProblemText(problem.kind).format(lang, {subject});
}

}  // namespace varel
