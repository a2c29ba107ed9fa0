#include "image/settings_fields.h"

#include <algorithm>

#include "image/encodings.h"
#include "image/vocabulary.h"

namespace varel {

namespace {

using Id = SettingId;
constexpr SettingSection kFunctionSet = SettingSection::FunctionSet;
constexpr SettingSection kVox = SettingSection::Vox;
constexpr SettingSection kVfoA = SettingSection::VfoA;
constexpr SettingSection kVfoB = SettingSection::VfoB;

// Entries that read the same in both languages.
Entries Same(std::initializer_list<const char*> texts) {
    Entries e;
    for (const char* t : texts) e.push_back({t, t});
    return e;
}

// "first" then "1<unit>" to "<count><unit>".
Entries Counted(Bilingual first, int count, const char* unitEn, const char* unitZh) {
    Entries e{std::move(first)};
    for (int n = 1; n <= count; ++n)
        e.push_back({std::to_string(n) + unitEn, std::to_string(n) + unitZh});
    return e;
}

// "from" to "to" as decimal texts.
Entries Numbers(int from, int to) {
    Entries e;
    for (int n = from; n <= to; ++n) e.push_back({std::to_string(n), std::to_string(n)});
    return e;
}

const Entries kDisplayModes = {{"Frequency", "频率"}, {"Freq & Channel", "频率与频道"}};
const Entries kChannelFrequency = {{"Channel", "频道"}, {"Frequency", "频率"}};
const Entries kWideNarrow = {{"Narrow", "窄带"}, {"Wide", "宽带"}};
const Entries kShift = {
    {"Plus Shift(+)", "+异频"}, {"Minus Shift(-)", "-异频"}, {"Turn Off", "无异频"}};

Entries Steps() {
    return Same({"5K", "6.25K", "10K", "12.5K", "25K", "37.5K", "50K", "100K"});
}

SettingField Base(Id id, FieldKind kind, SettingSection section, const char* object,
                  Bilingual caption, int offset, int size) {
    SettingField f;
    f.id = id;
    f.kind = kind;
    f.section = section;
    f.objectName = object;
    f.caption = std::move(caption);
    f.offset = offset;
    f.size = size;
    return f;
}

SettingField List(Id id, SettingSection section, const char* object, Bilingual caption,
                  Entries entries, int offset, int bit, int bits, int reset) {
    SettingField f = Base(id, FieldKind::List, section, object, std::move(caption), offset, 1);
    f.entries = std::move(entries);
    f.bit = bit;
    f.bits = bits;
    f.start = reset;
    return f;
}

// A whole-byte list with a decode limit and the position selected at or above it.
SettingField LimitedList(Id id, const char* object, Bilingual caption, Entries entries, int offset,
                         int reset, int limit, int fallback,
                         SettingSection section = kFunctionSet) {
    SettingField f =
        List(id, section, object, std::move(caption), std::move(entries), offset, 0, 8, reset);
    f.decodeLimit = limit;
    f.decodeDefault = fallback;
    return f;
}

SettingField Tone(Id id, SettingSection section, const char* object, Bilingual caption,
                  int offset) {
    SettingField f = Base(id, FieldKind::Tone, section, object, std::move(caption), offset, 2);
    f.entries = ToneEntries();
    return f;
}

SettingField TextField(Id id, FieldKind kind, SettingSection section, const char* object,
                       Bilingual caption, int offset, int size, const char* startText,
                       int maxLength = 0) {
    SettingField f = Base(id, kind, section, object, std::move(caption), offset, size);
    f.startText = startText;
    f.maxLength = maxLength;
    const bool decimal =
        kind == FieldKind::Frequency || kind == FieldKind::Offset || kind == FieldKind::FmFrequency;
    f.keys = decimal ? KeySet::Decimal : KeySet::Digits;
    return f;
}

// A list kept at its start position and never shown.
SettingField HiddenList(SettingField f) {
    f.hidden = true;
    f.decoded = false;
    return f;
}

SettingField Number(Id id, SettingSection section, const char* object, Bilingual caption,
                    int offset, int start, int slot) {
    SettingField f = Base(id, FieldKind::Number, section, object, std::move(caption), offset, 1);
    f.start = start;
    f.slot = slot;
    return f;
}

// The VFO fields of one group; group A's flags byte also carries the two hidden lists.
void AddVfo(std::vector<SettingField>& t, bool groupA) {
    const SettingSection s = groupA ? kVfoA : kVfoB;
    const int base = groupA ? 0x720 : 0x730;
    const int flags = base + 0x0C;
    auto id = [groupA](Id a, Id b) { return groupA ? a : b; };
    auto obj = [groupA](const char* a, const char* b) { return groupA ? a : b; };

    t.push_back(TextField(id(Id::AFrequency, Id::BFrequency), FieldKind::Frequency, s,
                          obj("Text20", "Text3"), {"Frequency:", "全频频率:"}, base, 4,
                          groupA ? "136.00000" : "400.00000", 9));
    t.push_back(TextField(id(Id::AOffsetData, Id::BOffsetData), FieldKind::Offset, s,
                          obj("Text21", "Text4"), {"Offset Data:", "异频数:"}, base + 4, 4, "10",
                          8));
    t.push_back(Tone(id(Id::ARxTone, Id::BRxTone), s, obj("Combo22", "Combo46"),
                     {"QT/DQT Dec:", "接收亚音频:"}, base + 8));
    t.push_back(Tone(id(Id::ATxTone, Id::BTxTone), s, obj("Combo23", "Combo47"),
                     {"QT/DQT Enc:", "发射亚音频:"}, base + 10));
    SettingField power = List(id(Id::APower, Id::BPower), s, obj("Combo24", "Combo48"),
                              {"Power:", "功率:"}, PowerEntries(), flags, 0, 2, 1);
    for (std::uint8_t bits = 0; bits < 4; ++bits) power.decodeMap.push_back(PowerPosition(bits));
    t.push_back(power);
    t.push_back(List(id(Id::AWideNarrow, Id::BWideNarrow), s, obj("Combo27", "Combo50"),
                     {"Wide/Narrow:", "宽窄带:"}, kWideNarrow, flags, 4, 1, 1));
    t.push_back(List(id(Id::AAddScan, Id::BAddScan), s, obj("Combo26", "Combo52"),
                     {"Add Scan:", "扫描添加:"}, DisableEnableEntries(), flags, 3, 1, 1));
    t.push_back(List(id(Id::AShiftDirection, Id::BShiftDirection), s, obj("Combo30", "Combo49"),
                     {"Offset Frequency:", "异频:"}, kShift, base + 0x0E, 0, 8, 1));
    t.push_back(List(id(Id::ABusyChannelLock, Id::BBusyChannelLock), s, obj("Combo25", "Combo51"),
                     {"Busy Channel Lock:", "繁忙信道锁定:"}, BusyLockEntries(), flags, 2, 1, 1));
    t.push_back(List(id(Id::ATxProhibit, Id::BTxProhibit), s, obj("Combo28", "Combo53"),
                     {"TX Prohibit:", "发射禁止:"}, OnOffEntries(), flags, 5, 1, 1));
    t.push_back(LimitedList(id(Id::AStepFrequency, Id::BStepFrequency), obj("Combo3", "Combo36"),
                            groupA ? Bilingual{"A Step Frequency:", "A组步进频率:"}
                                   : Bilingual{"B Step Frequency:", "B组步进频率:"},
                            Steps(), groupA ? 0x702 : 0x70D, 4, 8, 1, s));
    if (!groupA) return;

    t.push_back(HiddenList(
        List(Id::AScramble, s, "Combo12", {"Scramble:", "扰频:"}, OnOffEntries(), flags, 6, 1, 1)));
    t.push_back(HiddenList(List(Id::ACompanding, s, "Combo29", {"Companding:", "压扩:"},
                                OffOnEntries(), flags, 7, 1, 1)));
    Entries callTones{{OffText(Language::English), OffText(Language::Chinese)}};
    for (const auto& e : Same({"TONE1", "TONE2", "TONE3", "TONE4", "TONE5"}))
        callTones.push_back(e);
    t.push_back(HiddenList(List(Id::ACallTone, s, "Combo4", {"Pronunciation mode:", "语音模式:"},
                                callTones, -1, 0, 8, 4)));
}

std::vector<SettingField> BuildTable() {
    std::vector<SettingField> t;
    const SettingSection fs = kFunctionSet;

    // Page "Function Set".
    t.push_back(LimitedList(Id::ADisplayMode, "Combo1", {"A Display Mode:", "A组显式模式:"},
                            kDisplayModes, 0x700, 0, 4, 1));
    t.push_back(LimitedList(Id::BDisplayMode, "Combo17", {"B Display Mode:", "B组显式模式:"},
                            kDisplayModes, 0x703, 1, 2, 0));
    t.push_back(List(Id::Beep, fs, "Combo7", {"Beep:", "提示音:"}, OffOnEntries(), 0x706, 0, 1, 1));
    t.push_back(List(Id::KeyLock, fs, "Combo9", {"Key Lock:", "按键锁:"},
                     {{"Lock", "上锁"}, {"Normal", "正常"}}, 0x706, 3, 1, 1));
    t.push_back(List(Id::ScanMode, fs, "ComboMod", {"Scan Mode:", "扫描模式:"},
                     {{"Carrier", "载波"}, {"Time", "时间"}}, 0x706, 6, 1, 1));
    t.push_back(List(Id::KeyLockMode, fs, "Combo18", {"KeyLock Mode:", "锁键模式:"},
                     Same({"K+S", "PTT", "KEY", "ALL"}), 0x707, 0, 2, 0));
    t.push_back(List(Id::RadioSearchMode, fs, "Combo13", {"Radio Search Mode:", "收音机搜台模式:"},
                     {{"Manual", "手动"}, {"Auto", "自动"}}, 0x706, 7, 1, 0));
    t.push_back(List(Id::RadioMonitorsSignal, fs, "Combo6",
                     {"Radio Monitors Signal:", "收音机监听信号:"}, OffOnEntries(), 0x706, 4, 1,
                     1));
    t.push_back(List(Id::SquelchTailElimination, fs, "Combo20",
                     {"SquelchTail Elimination:", "尾音消除:"}, OffOnEntries(), 0x707, 5, 1, 1));
    t.push_back(LimitedList(Id::AutoPowerOff, "Combo35", {"Auto Power-Off:", "自动关机:"},
                            Counted({"Off", "关闭"}, 15, " Hour", " 小时"), 0x70C, 0, 16, 0));
    t.push_back(LimitedList(Id::OpenDisplayMode, "Combo32",
                            {"Open Display Mode:", "开机信息显示方式:"}, Same({"OFF", "DC", "MSG"}),
                            0x709, 1, 3, 1));
    t.push_back(LimitedList(Id::ChannelNameEditable, "Combo11",
                            {"Channel Name Editable:", "自命名频道名称:"}, EnableDisableEntries(),
                            0x70E, 1, 3, 0));
    t.push_back(LimitedList(Id::SquelchLevel, "Combo5", {"Squelch Level:", "静噪等级:"},
                            Numbers(0, 9), 0x704, 5, 10, 5));
    t.push_back(List(Id::BatterySave, fs, "Combo8", {"Battery Save:", "省电:"}, OffOnEntries(),
                     0x706, 2, 1, 1));
    t.push_back(LimitedList(Id::TimeOutTimer, "Combo19", {"Time-out Timer:", "发射超时:"},
                            Counted({"Off", "关闭"}, 7, " Minute", " 分钟"), 0x70F, 2, 8, 2));
    t.push_back(List(Id::RogerBeep, fs, "Combo16", {"Roger Beep:", "通话结束提示音:"},
                     OnOffEntries(), 0x707, 2, 1, 0));
    t.push_back(List(Id::MainChannel, fs, "Combo33", {"Main Channel:", "主频道:"},
                     {{"B Group", "B组"}, {"A Group", "A组"}}, 0x707, 4, 1, 1));
    t.push_back(List(Id::BacklightMode, fs, "Combo21", {"Backlight Mode:", "背光灯方式:"},
                     Same({"OFF", "KEY", "CONT"}), 0x707, 6, 2, 1));
    t.push_back(List(Id::PowerOnPassword, fs, "Combo2", {"Power-On Password:", "开机密码设定:"},
                     OnOffEntries(), 0x707, 3, 1, 1));
    t.push_back(List(Id::DualStandby, fs, "Combo10", {"Dual Standby:", "双频待机:"}, OffOnEntries(),
                     0x706, 1, 1, 0));
    t.push_back(LimitedList(Id::MemoryChannelDisplayMode, "Combo34",
                            {"Memory Channel display Mode:", "记忆频道显示模式:"},
                            kChannelFrequency, 0x70A, 1, 2, 1));

    SettingField aChannel = TextField(Id::AChannelNumber, FieldKind::ChannelNumber, fs, "Text6",
                                      {"A Channel Number:", "A组当前频道数:"}, 0x705, 1, "1");
    aChannel.emptyByte = 0xFF;
    t.push_back(aChannel);
    SettingField bChannel = TextField(Id::BChannelNumber, FieldKind::ChannelNumber, fs, "Text2",
                                      {"B Channel Number:", "B组当前频道数:"}, 0x70B, 1, "1");
    bChannel.emptyByte = 0x00;
    t.push_back(bChannel);
    SettingField display = TextField(Id::DisplayCharacter, FieldKind::Text, fs, "Text31",
                                     {"Display Character:", "开机显示字符:"}, 0x718, 6, "", 6);
    display.keys = KeySet::DisplayCharacter;
    t.push_back(display);
    SettingField password = TextField(Id::PasswordText, FieldKind::Text, fs, "Text1",
                                      {"Power-On Password:", "4位开机密码:"}, 0x740, 4, "", 4);
    t.push_back(password);

    // VOX frame.
    t.push_back(List(Id::VoxSwitch, kVox, "Combo31", {"VOX Swith:", "VOX 开关:"}, OnOffEntries(),
                     0x708, 0, 1, 1));
    t.push_back(List(Id::VoxGainLevel, kVox, "Combo14", {"VOX Gain Level:", "VOX增益电平:"},
                     Numbers(1, 8), 0x708, 5, 3, 1));
    t.push_back(List(Id::VoxDelayTime, kVox, "Combo15", {"VOX Delay Time(s):", "VOX延迟时间(秒):"},
                     Same({"1 S", "2 S", "3 S", "4 S"}), 0x708, 3, 2, 1));
    SettingField allowCancel = Base(Id::AllowCancelOperating, FieldKind::Check, kVox, "Check12",
                                    {"Allow to Cancel Operating", "允许取消操作"}, -1, 1);
    allowCancel.hidden = true;
    t.push_back(allowCancel);
    SettingField prohibit = Base(Id::ProhibitVoxReceiving, FieldKind::Check, kVox, "Check13",
                                 {"Prohibit VOX in the receiving", "接收时禁止VOX"}, 0x708, 1);
    prohibit.bit = 2;
    prohibit.bits = 1;
    prohibit.writtenAs = 1;
    prohibit.hidden = true;
    t.push_back(prohibit);

    AddVfo(t, true);
    AddVfo(t, false);

    t.push_back(List(Id::Band, SettingSection::BandStrip, "Combo1", {"Range:", "频段:"},
                     Same({"A:136-173.995MHz B:400-469.995MHz", "A:144-146MHz B:430-440MHz",
                           "A:136-174.995MHz B:400-479.995MHz"}),
                     kBandOffset, 0, 8, 0));

    // FM broadcast editor.
    const SettingSection fm = SettingSection::Fm;
    SettingField present = Number(Id::FmPresentChannel, fm, "Combo1(0)",
                                  {"Present Channel:", "当前收音机工作频道:"}, 0x7A0, 0, 0);
    // The list accepts typing, so the committed number is not bound to the list's 1-25; the
    // encoder stores only what fits a byte.
    present.minNumber = -32768;
    present.maxNumber = 32767;
    t.push_back(present);
    t.push_back(List(Id::FmDisplayMode, fm, "Combo1(1)", {"FM Display Mode:", "显示模式:"},
                     kChannelFrequency, 0x7A1, 0, 8, 0));
    t.push_back(List(Id::FmStep, fm, "Combo1(2)", {"收音机步进频率:", "收音机步进频率:"},
                     Same({"50K", "100K", "200K"}), 0x7A2, 0, 8, 0));
    SettingField vfo = TextField(Id::FmVfo, FieldKind::FmFrequency, fm, "Text2",
                                 {"FM VFO:", "收音机全频频率:"}, 0x7A4, 2, "");
    vfo.zeroIsEmpty = true;
    t.push_back(vfo);
    for (int n = 1; n <= kFmChannelCount; ++n) {
        SettingField ch = TextField(FmChannelId(n), FieldKind::FmFrequency, fm, "MSFGrid",
                                    {"Frequency(MHz)", "频率(MHz)"}, 0x760 + 2 * (n - 1), 2, "");
        ch.slot = n;
        t.push_back(ch);
    }

    // Power tuning editor: sliders 0-2 group A at 0x7F0, 3-5 group B at 0x7E0.
    const Bilingual grades[] = {{"High Power Grades", "高功率等级"},
                                {"Middle Power Grades", "中功率等级"},
                                {"Low Power Grades", "低功率等级"}};
    for (int slider = 0; slider < kTuningCount; ++slider) {
        const bool groupA = slider < 3;
        const int level = slider % 3;
        const std::string object = "Slider1(" + std::to_string(slider) + ")";
        t.push_back(Number(TuningId(slider),
                           groupA ? SettingSection::TuningA : SettingSection::TuningB,
                           object.c_str(), grades[level], (groupA ? 0x7F0 : 0x7E0) + level,
                           level == 2 ? 116 : 218, slider));
    }

    std::stable_sort(t.begin(), t.end(), [](const SettingField& a, const SettingField& b) {
        return static_cast<int>(a.id) < static_cast<int>(b.id);
    });
    return t;
}

}  // namespace

bool SettingField::holdsText() const {
    switch (kind) {
        case FieldKind::ChannelNumber:
        case FieldKind::Text:
        case FieldKind::Frequency:
        case FieldKind::Offset:
        case FieldKind::FmFrequency:
            return true;
        default:
            return false;
    }
}

std::string SettingField::entry(int position, Language lang) const {
    if (position < 0 || position >= entryCount()) return std::string();
    return entries[static_cast<std::size_t>(position)].in(lang);
}

const std::vector<SettingField>& SettingFields() {
    static const std::vector<SettingField> table = BuildTable();
    return table;
}

const SettingField& Field(SettingId id) {
    return SettingFields().at(static_cast<std::size_t>(id));
}

const std::vector<FixedContent>& FixedContents() {
    static const std::vector<FixedContent> fixed = {
        {0x701, 1, 0, 8, 0x01, nullptr},  {0x706, 1, 5, 1, 1, nullptr},
        {0x708, 1, 1, 1, 1, nullptr},     {0x710, 6, 0, 8, 0, "LMQ-ZR"},
        {0x717, 1, 0, 8, 0xFF, nullptr},  {0x71E, 2, 0, 8, 0xFF, nullptr},
        {0x72D, 1, 0, 8, 0xFF, nullptr},  {0x72F, 1, 0, 8, 0xFF, nullptr},
        {0x73C, 1, 6, 2, 3, nullptr},     {0x73D, 1, 0, 8, 0xFF, nullptr},
        {0x73F, 1, 0, 8, 0xFF, nullptr},  {0x744, 28, 0, 8, 0xFF, nullptr},
        {0x7A3, 1, 0, 8, 0xFF, nullptr},  {0x7A6, 58, 0, 8, 0xFF, nullptr},
        {0x7E3, 1, 0, 8, 0x00, nullptr},  {0x7E4, 12, 0, 8, 0xFF, nullptr},
        {0x7F3, 13, 0, 8, 0xFF, nullptr},
    };
    return fixed;
}

const SectionInfo& Section(SettingSection section) {
    static const Bilingual features{"Optional Features", "可选功能"};
    static const Bilingual tuning{"Debugging", "调试"};
    static const Bilingual functionSet{"Function Set", "功能设置"};
    static const Bilingual vfo{"VFO", "全频频率"};
    using W = SettingWindow;
    static const SectionInfo infos[] = {
        {W::Features, features, functionSet, functionSet},
        {W::Features, features, {"VOX", "VOX(声控发射)"}, {}},
        {W::Features, features, {"A Group VFO", "A组全频频率"}, vfo},
        {W::Features, features, {"B Group VFO", "B组全频频率"}, vfo},
        {W::MainWindow, {}, {}, {}},
        {W::Fm, {"FM Channel Set", "FM频道设置"}, {}, {}},
        {W::Tuning, tuning, {"A Power Grades", "A组功率等级"}, {}},
        {W::Tuning, tuning, {"B Power Grades", "B组功率等级"}, {}},
    };
    return infos[static_cast<int>(section)];
}

}  // namespace varel
