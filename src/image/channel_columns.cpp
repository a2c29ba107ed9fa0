#include "image/channel_columns.h"

namespace varel {

namespace {

ChannelColumn Plain(Bilingual header, int width, ColumnEditor editor) {
    ChannelColumn c;
    c.header = std::move(header);
    c.widthTwips = width;
    c.editor = editor;
    return c;
}

ChannelColumn Listed(Bilingual header, int width, ColumnEditor editor, Entries entries,
                     Bilingual defaultText, int defaultPosition) {
    ChannelColumn c = Plain(std::move(header), width, editor);
    c.entries = std::move(entries);
    c.defaultText = std::move(defaultText);
    c.defaultPosition = defaultPosition;
    return c;
}

std::vector<ChannelColumn> BuildColumns() {
    const Bilingual off = ToneEntries().front();
    return {
        Plain({"Channel", "频道"}, 900, ColumnEditor::None),
        Plain({"RXFreq", "接收频率"}, 1000, ColumnEditor::Frequency),
        Plain({"TXFreq", "发射频率"}, 1000, ColumnEditor::Frequency),
        Listed({"QT/DQT Dec", "接收亚音频"}, 1200, ColumnEditor::ToneList, ToneEntries(), off, 0),
        Listed({"QT/DQT Enc", "发射亚音频"}, 1200, ColumnEditor::ToneList, ToneEntries(), off, 0),
        Listed({"Power", "功率"}, 700, ColumnEditor::ChoiceList, PowerEntries(), {"High", "高"}, 1),
        Listed({"Busy Lock", "繁忙信道锁定"}, 1300, ColumnEditor::ChoiceList, BusyLockEntries(),
               {"Off", "关"}, 1),
        Listed({"Add Scan", "扫描添加"}, 950, ColumnEditor::ChoiceList, DisableEnableEntries(),
               {"On", "使能"}, 1),
        // deliberate: the English list reads "Narror" and "wide" while a new channel shows
        // "Wide"; users know these texts, so they stay as they always were.
        Listed({"Band", "宽窄带"}, 700, ColumnEditor::ChoiceList,
               {{"Narror", "窄带"}, {"wide", "宽带"}}, {"Wide", "宽带"}, 1),
        Listed({"TX Prohibit", "发射禁止"}, 1250, ColumnEditor::ChoiceList, OnOffEntries(),
               {"Off", "关"}, 1),
        Plain({"Channel Name", "频道名称"}, 1400, ColumnEditor::Name),
    };
}

}  // namespace

const std::vector<ChannelColumn>& ChannelColumns() {
    static const std::vector<ChannelColumn> columns = BuildColumns();
    return columns;
}

const ChannelColumn& ChannelColumnAt(int column) {
    return ChannelColumns().at(static_cast<std::size_t>(column));
}

const Bilingual& ChannelWindowTitle() {
    static const Bilingual title{"Channel Edit", "信道编辑"};
    return title;
}

}  // namespace varel
