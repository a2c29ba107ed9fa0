#include "checks/write_check.h"

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
    }
    return {"%1 is outside the band", "%1 超出频段范围"};
}

const std::string& EnglishHeader(int column) {
    return ChannelColumnAt(column).header.en;
}

bool IsOffText(const std::string& text) {
    return text == OffText(Language::English) || text == OffText(Language::Chinese);
}

void CheckChannel(int n, const Channel& ch, const FrequencyBand& band, Language lang,
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
        // A decoded frequency may carry digits A-F; it is no frequency in any band.
        if (!IsNumeric(text) || !ChannelFrequencyInBand(LeadingNumber(text), band, lang))
            problems.push_back({Kind::OutOfBand, n, EnglishHeader(column), text});
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
    for (const ChannelColumn& column : ChannelColumns())
        if (column.header.en == problem.column) return column.header.in(lang);
    return problem.column;
}

}  // namespace

std::vector<WriteProblem> CheckBeforeWrite(const ChannelModel& channels,
                                           const SettingsModel& settings, Language lang) {
    const FrequencyBand band = BandBounds(settings.band()).value_or(FrequencyBand{});
    std::vector<WriteProblem> problems;
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n)
        CheckChannel(n, channels.channel(n), band, lang, problems);
    for (SettingId id : kVfoFrequencies) {
        const std::string& text = settings.text(id);
        if (!IsNumeric(text) || !VfoFrequencyInBand(LeadingNumber(text), band))
            problems.push_back(
                {Kind::VfoOutOfBand, 0, SettingLabel(Field(id), Language::English), text});
    }
    return problems;
}

std::vector<WriteProblem> CheckBeforeWrite(const Configuration& cfg, Language lang) {
    return CheckBeforeWrite(cfg.channels, cfg.settings, lang);
}

std::string WriteProblemText(const WriteProblem& problem, Language lang) {
    const std::string subject = ColumnText(problem, lang) + " " + ShownValue(problem.value, lang);
    const std::string where =
        problem.channel > 0 ? ChannelLabel(problem.channel, lang) + ": " : std::string();
    return where + ProblemText(problem.kind).format(lang, {subject});
}

}  // namespace varel
