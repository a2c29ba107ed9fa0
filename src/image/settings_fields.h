#pragma once
// The settings block described once, as data: every value the optional features editor, the
// band selector, the FM broadcast editor and the power tuning editor hold, where it lives in the
// image, how it converts, its list entries and captions in both languages, its editor control
// and its start value. The codec, the dump verb and the editors are all driven from this table.
//
// Byte map of the settings block (offsets in the image):
//
//   0x700  A display mode (index)           0x701  always 01
//   0x702  A step (index)                   0x703  B display mode (index)
//   0x704  squelch level (index)            0x705  A channel number (byte, FF = empty)
//   0x706  feature bits 1:  b7 search mode  b6 scan mode  b5 =1  b4 monitor  b3 key lock
//                           b2 battery save  b1 dual standby  b0 beep
//   0x707  feature bits 2:  b7-b6 backlight (00 OFF, 01 KEY, 10 CONT)  b5 squelch tail
//                           b4 main channel  b3 password in use  b2 roger beep  b1-b0 key lock mode
//   0x708  VOX:             b7-b5 gain  b4-b3 delay  b2 =1 (read into a check box)  b1 =1
//                           b0 switch
//   0x709  open display mode     0x70A  memory channel display mode
//   0x70B  B channel number      0x70C  auto power-off     0x70D  B step
//   0x70E  channel name editable 0x70F  time-out timer
//   0x710-0x715  model tag "LMQ-ZR"         0x716  band selector position    0x717  FF
//   0x718-0x71D  display characters, one byte each, FF fill                  0x71E-0x71F  FF
//   0x720-0x723  A VFO frequency field      0x724-0x727  A offset (frequency field, MHz)
//   0x728-0x729  A receive tone field       0x72A-0x72B  A transmit tone field
//   0x72C  A VFO flags:     b7 companding  b6 scramble  b5 TX prohibit  b4 wide/narrow
//                           b3 add scan  b2 busy lock  b1-b0 power (0 low, 1 high, 2 middle)
//   0x72D  FF    0x72E  A shift direction (index)    0x72F  FF
//   0x730-0x73F  group B, same layout; flags 0x73C have b7-b6 = 11
//   0x740-0x743  power-on password, one byte per digit, FF fill              0x744-0x75F  FF
//   0x760-0x791  FM channels 1-25, one word each (high byte first):
//                v = (f - 87.0 MHz) x 10, FF FF = empty
//   0x792-0x79F  never written
//   0x7A0  FM present channel (byte)   0x7A1  FM display mode   0x7A2  FM step   0x7A3  FF
//   0x7A4-0x7A5  FM VFO word (FF FF = empty)                                 0x7A6-0x7DF  FF
//   0x7E0-0x7E2  B tuning high, middle, low   0x7E3  00   0x7E4-0x7EF  FF
//   0x7F0-0x7F2  A tuning high, middle, low   0x7F3-0x7FF  FF
#include <cstdint>
#include <string>
#include <vector>

#include "image/language.h"
#include "image/memory_image.h"
#include "image/typed_input.h"

namespace varel {

/// First and one-past-last image offsets of the settings block.
constexpr int kSettingsFirst = static_cast<int>(kSettingsRegion);
constexpr int kSettingsEnd = static_cast<int>(kSettingsRegionEnd);
/// Offset of the band selector byte.
constexpr int kBandOffset = 0x716;
/// Offsets 0x792-0x79F, which the encoder never writes.
constexpr int kUnwrittenFirst = 0x792;
constexpr int kUnwrittenLast = 0x79F;
/// Number of FM broadcast channels and of power tuning values.
constexpr int kFmChannelCount = 25;
constexpr int kTuningCount = 6;

/// Every value held by the settings editors, in table order (the order the dump lists them).
enum class SettingId : int {
    // Optional features, page "Function Set".
    ADisplayMode,
    BDisplayMode,
    Beep,
    KeyLock,
    ScanMode,
    KeyLockMode,
    RadioSearchMode,
    RadioMonitorsSignal,
    SquelchTailElimination,
    AutoPowerOff,
    OpenDisplayMode,
    ChannelNameEditable,
    SquelchLevel,
    BatterySave,
    TimeOutTimer,
    RogerBeep,
    MainChannel,
    BacklightMode,
    PowerOnPassword,
    DualStandby,
    MemoryChannelDisplayMode,
    AChannelNumber,
    BChannelNumber,
    DisplayCharacter,
    PasswordText,
    // Optional features, VOX frame.
    VoxSwitch,
    VoxGainLevel,
    VoxDelayTime,
    AllowCancelOperating,
    ProhibitVoxReceiving,
    // Optional features, group A VFO (with the hidden lists of group A).
    AFrequency,
    AOffsetData,
    ARxTone,
    ATxTone,
    APower,
    AWideNarrow,
    AAddScan,
    AShiftDirection,
    ABusyChannelLock,
    ATxProhibit,
    AStepFrequency,
    AScramble,
    ACompanding,
    ACallTone,
    // Optional features, group B VFO.
    BFrequency,
    BOffsetData,
    BRxTone,
    BTxTone,
    BPower,
    BWideNarrow,
    BAddScan,
    BShiftDirection,
    BBusyChannelLock,
    BTxProhibit,
    BStepFrequency,
    // Main window.
    Band,
    // FM broadcast editor (committed values).
    FmPresentChannel,
    FmDisplayMode,
    FmStep,
    FmVfo,
    FmChannel1,
    FmChannel25 = FmChannel1 + kFmChannelCount - 1,
    // Power tuning editor, sliders 0 to 5.
    TuningAHigh,
    TuningAMiddle,
    TuningALow,
    TuningBHigh,
    TuningBMiddle,
    TuningBLow,
    Count
};

/// Number of values in the table.
constexpr int kSettingCount = static_cast<int>(SettingId::Count);

/// The id of FM channel n (1 to 25).
constexpr SettingId FmChannelId(int n) {
    return static_cast<SettingId>(static_cast<int>(SettingId::FmChannel1) + n - 1);
}
/// The id of power tuning slider i (0 to 5).
constexpr SettingId TuningId(int slider) {
    return static_cast<SettingId>(static_cast<int>(SettingId::TuningAHigh) + slider);
}

/// How a value is held and converted.
enum class FieldKind {
    List,           ///< list position, stored in bits of one byte
    Tone,           ///< ToneList position, stored as a 2-byte tone field
    Check,          ///< check box, read from one bit
    ChannelNumber,  ///< text of a channel number 0-128, stored as one byte
    Text,           ///< single-byte characters, one per byte, 0xFF fill
    Frequency,      ///< frequency text "ddd.ddddd", stored as a 4-byte frequency field
    Offset,         ///< offset in MHz, stored as a frequency field of "ddd.ddddd"
    FmFrequency,    ///< FM frequency text "ddd.dd", stored as a 2-byte FM word
    Number,         ///< a whole number, stored as one byte
};

/// The part of a window a value belongs to.
enum class SettingSection { FunctionSet, Vox, VfoA, VfoB, BandStrip, Fm, TuningA, TuningB };

/// The windows that show settings.
enum class SettingWindow {
    Features,    ///< the optional features window
    MainWindow,  ///< the main window (its band strip)
    Fm,          ///< the FM broadcast channels window
    Tuning,      ///< the power tuning window
};

/// The window and caption of a section.
struct SectionInfo {
    SettingWindow window;   ///< the window holding the section's controls
    Bilingual windowTitle;  ///< that window's caption (empty for the main window, whose title
                            ///< is the program's, which only the windows show)
    Bilingual caption;      ///< the section's page, frame or tab caption (empty: none)
    Bilingual page;         ///< the page of its window the section is shown on (empty: every page)
};

/// One value of the settings editors and its place in the image.
struct SettingField {
    SettingId id{};            ///< the value's id, equal to its position in the table
    FieldKind kind{};          ///< how the value is held and converted
    SettingSection section{};  ///< the window part that shows it
    std::string objectName;    ///< the editor control: "Combo1", "Text20", "Slider1(3)", "MSFGrid"
    Bilingual caption;         ///< the control's caption
    std::vector<Bilingual> entries;  ///< list entries in position order (List and Tone)

    int offset = -1;  ///< first image byte; -1 when the value is not stored
    int size = 1;     ///< bytes in the image
    int bit = 0;      ///< lowest bit of the value inside its byte (List, Check)
    int bits = 8;     ///< bits of the value inside its byte (List, Check)

    int start = 0;          ///< start position / number / check state (0 or 1)
    std::string startText;  ///< start text of the text kinds

    int decodeLimit = -1;   ///< a stored value at or above this selects decodeDefault (-1: none)
    int decodeDefault = 0;  ///< the position selected for a value at or above decodeLimit
    std::vector<int> decodeMap;  ///< stored value -> position, for values below its size
    bool decoded = true;         ///< false: written from the editor, never read back
    int writtenAs = -1;          ///< >= 0: the encoder writes this instead of the held value
    int emptyByte = -1;          ///< ChannelNumber: the byte stored for an empty box
    bool zeroIsEmpty = false;    ///< FmFrequency: a text reading as 0 is stored as empty
    int minNumber = 0;           ///< Number: smallest value the editor holds (a slider's low end)
    int maxNumber = 255;         ///< Number: largest value the editor holds (its high end)
    int maxLength = 0;  ///< Text: characters stored (longer texts are cut); every text box:
                        ///< typing stops at this many characters (0: no limit)
    KeySet keys = KeySet::Digits;  ///< the keys a text box lets through
    bool hidden = false;           ///< the control and its caption are never shown
    int slot = 0;                  ///< FM channel number (1-25) or slider index (0-5)

    /// True for the kinds whose held value is a text.
    bool holdsText() const;
    /// True for the kinds whose held value is a list position.
    bool holdsIndex() const { return kind == FieldKind::List || kind == FieldKind::Tone; }
    /// Number of list entries (0 for kinds without a list).
    int entryCount() const { return static_cast<int>(entries.size()); }
    /// The entry at a position in a language; empty text for a position outside the list.
    std::string entry(int position, Language lang) const;
};

/// Bytes and bits of the block that always hold the same content.
struct FixedContent {
    int offset;          ///< first byte
    int count;           ///< number of bytes
    int bit;             ///< lowest bit inside each byte
    int bits;            ///< number of bits inside each byte
    std::uint8_t value;  ///< value of those bits
    const char* text;    ///< when not null: count ASCII characters written instead of value
};

/// The table of all values, indexed by SettingId.
const std::vector<SettingField>& SettingFields();

/// The field of an id (one of the table's ids).
const SettingField& Field(SettingId id);

/// The fixed content of the block.
const std::vector<FixedContent>& FixedContents();

/// The window and caption of a section.
const SectionInfo& Section(SettingSection section);

}  // namespace varel
