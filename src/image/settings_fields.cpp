#include "image/settings_fields.h"

#include <algorithm>
#include <string>
#include <utility>

#include "image/encodings.h"
#include "image/field_builder.h"
#include "image/vocabulary.h"

namespace varel {

namespace {

using Id = SettingId;
using namespace fields;

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

// Page "Function Set": the lists that take a whole byte each.
void AddFeatureBytes(const Rows& r) {
    r.add(List(Id::ADisplayMode)
              .control("Combo1", {"A Display Mode:", "A组显式模式:"})
              .entries(kDisplayModes)
              .at(0x700)
              .start(0)
              .decodeLimit(4, 1));
    r.add(List(Id::BDisplayMode)
              .control("Combo17", {"B Display Mode:", "B组显式模式:"})
              .entries(kDisplayModes)
              .at(0x703)
              .start(1)
              .decodeLimit(2, 0));
    r.add(List(Id::AutoPowerOff)
              .control("Combo35", {"Auto Power-Off:", "自动关机:"})
              .entries(Counted({"Off", "关闭"}, 15, " Hour", " 小时"))
              .at(0x70C)
              .start(0)
              .decodeLimit(16, 0));
    r.add(List(Id::OpenDisplayMode)
              .control("Combo32", {"Open Display Mode:", "开机信息显示方式:"})
              .entries(Same({"OFF", "DC", "MSG"}))
              .at(0x709)
              .start(1)
              .decodeLimit(3, 1));
    r.add(List(Id::ChannelNameEditable)
              .control("Combo11", {"Channel Name Editable:", "自命名频道名称:"})
              .entries(EnableDisableEntries())
              .at(0x70E)
              .start(1)
              .decodeLimit(3, 0));
    r.add(List(Id::SquelchLevel)
              .control("Combo5", {"Squelch Level:", "静噪等级:"})
              .entries(Numbers(0, 9))
              .at(0x704)
              .start(5)
              .decodeLimit(10, 5));
    r.add(List(Id::TimeOutTimer)
              .control("Combo19", {"Time-out Timer:", "发射超时:"})
              .entries(Counted({"Off", "关闭"}, 7, " Minute", " 分钟"))
              .at(0x70F)
              .start(2)
              .decodeLimit(8, 2));
    r.add(List(Id::MemoryChannelDisplayMode)
              .control("Combo34", {"Memory Channel display Mode:", "记忆频道显示模式:"})
              .entries(kChannelFrequency)
              .at(0x70A)
              .start(1)
              .decodeLimit(2, 1));
}

// Page "Function Set": the lists in the bits of feature byte 1 (0x706).
void AddFeatureBits1(const Rows& r) {
    r.add(List(Id::Beep)
              .control("Combo7", {"Beep:", "提示音:"})
              .entries(OffOnEntries())
              .at(0x706)
              .bits(0, 1)
              .start(1));
    r.add(List(Id::KeyLock)
              .control("Combo9", {"Key Lock:", "按键锁:"})
              .entries({{"Lock", "上锁"}, {"Normal", "正常"}})
              .at(0x706)
              .bits(3, 1)
              .start(1));
    r.add(List(Id::ScanMode)
              .control("ComboMod", {"Scan Mode:", "扫描模式:"})
              .entries({{"Carrier", "载波"}, {"Time", "时间"}})
              .at(0x706)
              .bits(6, 1)
              .start(1));
    r.add(List(Id::RadioSearchMode)
              .control("Combo13", {"Radio Search Mode:", "收音机搜台模式:"})
              .entries({{"Manual", "手动"}, {"Auto", "自动"}})
              .at(0x706)
              .bits(7, 1)
              .start(0));
    r.add(List(Id::RadioMonitorsSignal)
              .control("Combo6", {"Radio Monitors Signal:", "收音机监听信号:"})
              .entries(OffOnEntries())
              .at(0x706)
              .bits(4, 1)
              .start(1));
    r.add(List(Id::BatterySave)
              .control("Combo8", {"Battery Save:", "省电:"})
              .entries(OffOnEntries())
              .at(0x706)
              .bits(2, 1)
              .start(1));
    r.add(List(Id::DualStandby)
              .control("Combo10", {"Dual Standby:", "双频待机:"})
              .entries(OffOnEntries())
              .at(0x706)
              .bits(1, 1)
              .start(0));
}

// Page "Function Set": the lists in the bits of feature byte 2 (0x707).
void AddFeatureBits2(const Rows& r) {
    r.add(List(Id::KeyLockMode)
              .control("Combo18", {"KeyLock Mode:", "锁键模式:"})
              .entries(Same({"K+S", "PTT", "KEY", "ALL"}))
              .at(0x707)
              .bits(0, 2)
              .start(0));
    r.add(List(Id::SquelchTailElimination)
              .control("Combo20", {"SquelchTail Elimination:", "尾音消除:"})
              .entries(OffOnEntries())
              .at(0x707)
              .bits(5, 1)
              .start(1));
    r.add(List(Id::RogerBeep)
              .control("Combo16", {"Roger Beep:", "通话结束提示音:"})
              .entries(OnOffEntries())
              .at(0x707)
              .bits(2, 1)
              .start(0));
    r.add(List(Id::MainChannel)
              .control("Combo33", {"Main Channel:", "主频道:"})
              .entries({{"B Group", "B组"}, {"A Group", "A组"}})
              .at(0x707)
              .bits(4, 1)
              .start(1));
    r.add(List(Id::BacklightMode)
              .control("Combo21", {"Backlight Mode:", "背光灯方式:"})
              .entries(Same({"OFF", "KEY", "CONT"}))
              .at(0x707)
              .bits(6, 2)
              .start(1));
    r.add(List(Id::PowerOnPassword)
              .control("Combo2", {"Power-On Password:", "开机密码设定:"})
              .entries(OnOffEntries())
              .at(0x707)
              .bits(3, 1)
              .start(1));
}

// Page "Function Set": the text boxes.
void AddFeatureTexts(const Rows& r) {
    r.add(ChannelNumber(Id::AChannelNumber)
              .control("Text6", {"A Channel Number:", "A组当前频道数:"})
              .at(0x705)
              .startText("1")
              .emptyByte(0xFF));
    r.add(ChannelNumber(Id::BChannelNumber)
              .control("Text2", {"B Channel Number:", "B组当前频道数:"})
              .at(0x70B)
              .startText("1")
              .emptyByte(0x00));
    r.add(Text(Id::DisplayCharacter)
              .control("Text31", {"Display Character:", "开机显示字符:"})
              .at(0x718)
              .size(6)
              .maxLength(6)
              .keys(KeySet::DisplayCharacter));
    r.add(Text(Id::PasswordText)
              .control("Text1", {"Power-On Password:", "4位开机密码:"})
              .at(0x740)
              .size(4)
              .maxLength(4));
}

void AddVox(const Rows& r) {
    // deliberate: the switch's caption is spelt "VOX Swith:", the text users know.
    r.add(List(Id::VoxSwitch)
              .control("Combo31", {"VOX Swith:", "VOX 开关:"})
              .entries(OnOffEntries())
              .at(0x708)
              .bits(0, 1)
              .start(1));
    r.add(List(Id::VoxGainLevel)
              .control("Combo14", {"VOX Gain Level:", "VOX增益电平:"})
              .entries(Numbers(1, 8))
              .at(0x708)
              .bits(5, 3)
              .start(1));
    r.add(List(Id::VoxDelayTime)
              .control("Combo15", {"VOX Delay Time(s):", "VOX延迟时间(秒):"})
              .entries(Same({"1 S", "2 S", "3 S", "4 S"}))
              .at(0x708)
              .bits(3, 2)
              .start(1));
    r.add(Check(Id::AllowCancelOperating)
              .control("Check12", {"Allow to Cancel Operating", "允许取消操作"})
              .hidden());
    r.add(Check(Id::ProhibitVoxReceiving)
              .control("Check13", {"Prohibit VOX in the receiving", "接收时禁止VOX"})
              .at(0x708)
              .bits(2, 1)
              .writtenAs(1)
              .hidden());
}

// The VFO group a field belongs to, and the choice between the ids, controls and offsets of
// group A (at 0x720) and group B (at 0x730).
struct Group {
    bool a;
    template <typename T>
    T of(T forA, T forB) const {
        return a ? forA : forB;
    }
    int base() const { return a ? 0x720 : 0x730; }
    int flags() const { return base() + 0x0C; }
};

// The text boxes, tones, shift direction and step of a VFO group.
void AddVfo(const Rows& r, Group g) {
    r.add(Frequency(g.of(Id::AFrequency, Id::BFrequency))
              .control(g.of("Text20", "Text3"), {"Frequency:", "全频频率:"})
              .at(g.base())
              .startText(g.a ? "136.00000" : "400.00000")
              .maxLength(9));
    r.add(Offset(g.of(Id::AOffsetData, Id::BOffsetData))
              .control(g.of("Text21", "Text4"), {"Offset Data:", "异频数:"})
              .at(g.base() + 4)
              .startText("10")
              .maxLength(8));
    r.add(Tone(g.of(Id::ARxTone, Id::BRxTone))
              .control(g.of("Combo22", "Combo46"), {"QT/DQT Dec:", "接收亚音频:"})
              .at(g.base() + 8));
    r.add(Tone(g.of(Id::ATxTone, Id::BTxTone))
              .control(g.of("Combo23", "Combo47"), {"QT/DQT Enc:", "发射亚音频:"})
              .at(g.base() + 10));
    r.add(List(g.of(Id::AShiftDirection, Id::BShiftDirection))
              .control(g.of("Combo30", "Combo49"), {"Offset Frequency:", "异频:"})
              .entries(kShift)
              .at(g.base() + 0x0E)
              .start(1));
    r.add(List(g.of(Id::AStepFrequency, Id::BStepFrequency))
              .control(g.of("Combo3", "Combo36"),
                       g.a ? Bilingual{"A Step Frequency:", "A组步进频率:"}
                           : Bilingual{"B Step Frequency:", "B组步进频率:"})
              .entries(Steps())
              .at(g.a ? 0x702 : 0x70D)
              .start(4)
              .decodeLimit(8, 1));
}

// The lists in the flags byte of a VFO group.
void AddVfoFlags(const Rows& r, Group g) {
    std::vector<int> power;
    for (std::uint8_t bits = 0; bits < 4; ++bits) power.push_back(PowerPosition(bits));
    r.add(List(g.of(Id::APower, Id::BPower))
              .control(g.of("Combo24", "Combo48"), {"Power:", "功率:"})
              .entries(PowerEntries())
              .at(g.flags())
              .bits(0, 2)
              .start(1)
              .decodeMap(power));
    r.add(List(g.of(Id::AWideNarrow, Id::BWideNarrow))
              .control(g.of("Combo27", "Combo50"), {"Wide/Narrow:", "宽窄带:"})
              .entries(kWideNarrow)
              .at(g.flags())
              .bits(4, 1)
              .start(1));
    r.add(List(g.of(Id::AAddScan, Id::BAddScan))
              .control(g.of("Combo26", "Combo52"), {"Add Scan:", "扫描添加:"})
              .entries(DisableEnableEntries())
              .at(g.flags())
              .bits(3, 1)
              .start(1));
    r.add(List(g.of(Id::ABusyChannelLock, Id::BBusyChannelLock))
              .control(g.of("Combo25", "Combo51"), {"Busy Channel Lock:", "繁忙信道锁定:"})
              .entries(BusyLockEntries())
              .at(g.flags())
              .bits(2, 1)
              .start(1));
    r.add(List(g.of(Id::ATxProhibit, Id::BTxProhibit))
              .control(g.of("Combo28", "Combo53"), {"TX Prohibit:", "发射禁止:"})
              .entries(OnOffEntries())
              .at(g.flags())
              .bits(5, 1)
              .start(1));
}

// Lists of group A that are kept at their start positions and never shown; two of them live in
// its flags byte.
void AddHiddenLists(const Rows& r) {
    const int flags = Group{true}.flags();
    r.add(List(Id::AScramble)
              .control("Combo12", {"Scramble:", "扰频:"})
              .entries(OnOffEntries())
              .at(flags)
              .bits(6, 1)
              .start(1)
              .hiddenUnread());
    r.add(List(Id::ACompanding)
              .control("Combo29", {"Companding:", "压扩:"})
              .entries(OffOnEntries())
              .at(flags)
              .bits(7, 1)
              .start(1)
              .hiddenUnread());
    Entries callTones{{OffText(Language::English), OffText(Language::Chinese)}};
    for (const auto& e : Same({"TONE1", "TONE2", "TONE3", "TONE4", "TONE5"}))
        callTones.push_back(e);
    r.add(List(Id::ACallTone)
              .control("Combo4", {"Pronunciation mode:", "语音模式:"})
              .entries(callTones)
              .start(4)
              .hiddenUnread());
}

void AddFm(const Rows& r) {
    // The list accepts typing, so the committed number is not bound to the list's 1-25; the
    // encoder stores only what fits a byte.
    r.add(Number(Id::FmPresentChannel)
              .control("Combo1(0)", {"Present Channel:", "当前收音机工作频道:"})
              .at(0x7A0)
              .start(0)
              .range(-32768, 32767));
    r.add(List(Id::FmDisplayMode)
              .control("Combo1(1)", {"FM Display Mode:", "显示模式:"})
              .entries(kChannelFrequency)
              .at(0x7A1)
              .start(0));
    // deliberate: the step's caption is Chinese in both languages, as users have always seen it.
    r.add(List(Id::FmStep)
              .control("Combo1(2)", {"收音机步进频率:", "收音机步进频率:"})
              .entries(Same({"50K", "100K", "200K"}))
              .at(0x7A2)
              .start(0));
    r.add(FmFrequency(Id::FmVfo)
              .control("Text2", {"FM VFO:", "收音机全频频率:"})
              .at(0x7A4)
              .zeroIsEmpty());
    for (int n = 1; n <= kFmChannelCount; ++n)
        r.add(FmFrequency(FmChannelId(n))
                  .control("MSFGrid", {"Frequency(MHz)", "频率(MHz)"})
                  .at(0x760 + 2 * (n - 1))
                  .slot(n));
}

// Sliders 0-2: group A at 0x7F0; sliders 3-5: group B at 0x7E0; high, middle, low each.
void AddTuning(std::vector<SettingField>& t) {
    const Bilingual grades[] = {{"High Power Grades", "高功率等级"},
                                {"Middle Power Grades", "中功率等级"},
                                {"Low Power Grades", "低功率等级"}};
    for (int slider = 0; slider < kTuningCount; ++slider) {
        const bool groupA = slider < 3;
        const int level = slider % 3;
        const Rows r{t, groupA ? SettingSection::TuningA : SettingSection::TuningB};
        r.add(Number(TuningId(slider))
                  .control("Slider1(" + std::to_string(slider) + ")", grades[level])
                  .at((groupA ? 0x7F0 : 0x7E0) + level)
                  .start(level == 2 ? 116 : 218)
                  .slot(slider));
    }
}

std::vector<SettingField> BuildTable() {
    std::vector<SettingField> t;
    AddFeatureBytes({t, SettingSection::FunctionSet});
    AddFeatureBits1({t, SettingSection::FunctionSet});
    AddFeatureBits2({t, SettingSection::FunctionSet});
    AddFeatureTexts({t, SettingSection::FunctionSet});
    AddVox({t, SettingSection::Vox});
    for (const bool groupA : {true, false}) {
        const Rows vfo{t, groupA ? SettingSection::VfoA : SettingSection::VfoB};
        AddVfo(vfo, Group{groupA});
        AddVfoFlags(vfo, Group{groupA});
    }
    AddHiddenLists({t, SettingSection::VfoA});
    Rows{t, SettingSection::BandStrip}.add(
        List(Id::Band)
            .control("Combo1", {"Range:", "频段:"})
            .entries(Same({"A:136-173.995MHz B:400-469.995MHz", "A:144-146MHz B:430-440MHz",
                           "A:136-174.995MHz B:400-479.995MHz"}))
            .at(kBandOffset)
            .start(0));
    AddFm({t, SettingSection::Fm});
    AddTuning(t);

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
