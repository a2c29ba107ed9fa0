// The check before a write: every kind of problem as an opened file or an edit can carry it.
#include "image/write_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/channel_table.h"
#include "image/encodings.h"
#include "image/frequency_band.h"
#include "image/image_codec.h"

namespace varel {
namespace {

using Kind = WriteProblem::Kind;
using Problems = std::vector<WriteProblem>;

void PutFrequency(MemoryImage& image, std::size_t offset, const std::string& text) {
    const auto field = FrequencyField(text);
    for (std::size_t k = 0; k < field.size(); ++k) image.set(offset + k, field[k].value_or(0));
}

// Channel n's record: frequencies (empty for none), tone bytes (L, H), flags High Off On wide Off.
void PutChannel(MemoryImage& image, int n, const std::string& rx, const std::string& tx,
                std::uint8_t rxToneLow = 0xFF, std::uint8_t rxToneHigh = 0xFF) {
    const std::size_t a = ChannelRecordOffset(n);
    for (std::size_t k = 0; k < kChannelRecordSize; ++k) image.set(a + k, 0xFF);
    if (!rx.empty()) PutFrequency(image, a, rx);
    if (!tx.empty()) PutFrequency(image, a + 4, tx);
    image.set(a + 8, rxToneLow);
    image.set(a + 9, rxToneHigh);
    image.set(a + 12, 0xFD);
}

// Band 1 (144-146, 430-440 MHz), both VFOs inside it, no channel.
MemoryImage BaseImage() {
    Configuration cfg;
    cfg.settings.setBand(1);
    cfg.settings.setText(SettingId::AFrequency, "145.00000");
    cfg.settings.setText(SettingId::BFrequency, "435.00000");
    MemoryImage image;
    EncodeImage(cfg, image);
    return image;
}

TEST(WriteCheck, EveryKindAnImageCanCarryIsFound) {
    const struct {
        const char* name;
        std::function<void(MemoryImage&)> change;
        Language lang;
        Problems expected;
    } cases[] = {
        {"clean, a receive-only channel and a listed tone",
         [](MemoryImage& m) { PutChannel(m, 1, "145.50000", "", 0x70, 0x06); },
         Language::Chinese,
         {}},
        {"upper band edge: outside in Chinese",
         [](MemoryImage& m) { PutChannel(m, 3, "146.00000", "440.00000"); },
         Language::Chinese,
         {{Kind::OutOfBand, 3, "RXFreq", "146.00000"},
          {Kind::OutOfBand, 3, "TXFreq", "440.00000"}}},
        {"upper band edge: inside in English",
         [](MemoryImage& m) { PutChannel(m, 3, "146.00000", "440.00000"); },
         Language::English,
         {}},
        {"lower edge inside, transmit beside the band",
         [](MemoryImage& m) { PutChannel(m, 4, "144.00000", "150.00000"); },
         Language::English,
         {{Kind::OutOfBand, 4, "TXFreq", "150.00000"}}},
        {"digits A-F are no frequency",
         [](MemoryImage& m) { PutChannel(m, 128, "14A.50000", "145.50000"); },
         Language::English,
         {{Kind::OutOfBand, 128, "RXFreq", "14A.50000"}}},
        {"a tone code the list lacks",
         [](MemoryImage& m) { PutChannel(m, 7, "145.50000", "145.50000", 0x03, 0x10); },
         Language::Chinese,
         {{Kind::UnlistedTone, 7, "QT/DQT Dec", "100.3"}}},
        {"an empty record's transmit bytes are never read",
         [](MemoryImage& m) { PutChannel(m, 9, "", "145.50000"); },
         Language::Chinese,
         {}},
        {"VFO frequencies outside the band and unreadable",
         [](MemoryImage& m) {
             PutFrequency(m, 0x720, "150.00000");
             for (std::size_t k = 0; k < 4; ++k) m.set(0x730 + k, 0xFF);
         },
         Language::English,
         {{Kind::VfoOutOfBand, 0, "A Group VFO / Frequency", "150.00000"},
          {Kind::VfoOutOfBand, 0, "B Group VFO / Frequency", "FFF.FFFFF"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryImage image = BaseImage();
        c.change(image);
        Configuration cfg;
        DecodeImage(image, cfg, c.lang);
        EXPECT_EQ(CheckBeforeWrite(cfg, c.lang), c.expected);
    }
}

// Only an edit makes a transmit frequency without a receive frequency: the grid takes one typed
// into an empty row, and the encoder writes that row empty.
TEST(WriteCheck, TransmitFrequencyTypedIntoAnEmptyRowIsFound) {
    ChannelTable table;
    ASSERT_EQ(table.CommitFrequency(12, kTxFreqColumn, "145.5", *BandBounds(0), Language::English),
              FrequencyCommit::Accepted);
    SettingsModel settings;
    settings.setText(SettingId::BFrequency, "435.00000");
    EXPECT_EQ(CheckBeforeWrite(table.model(), settings, Language::English),
              (Problems{{Kind::TransmitWithoutReceive, 12, "TXFreq", "145.50000"}}));
}

TEST(WriteCheck, ProblemTextsInBothLanguages) {
    const struct {
        WriteProblem problem;
        const char* en;
        const char* zh;
    } cases[] = {
        {{Kind::OutOfBand, 5, "RXFreq", "180.00000"},
         "channel 5: RXFreq 180.00000 is outside the band",
         "频道 5: 接收频率 180.00000 超出频段范围"},
        {{Kind::TransmitWithoutReceive, 12, "TXFreq", "145.50000"},
         "channel 12: TXFreq 145.50000 has no RXFreq: the channel is written empty and the TXFreq "
         "is lost",
         "频道 12: 发射频率 145.50000 没有接收频率：该频道将作为空频道写入，发射频率丢失"},
        {{Kind::UnlistedTone, 7, "QT/DQT Enc", "100.3"},
         "channel 7: QT/DQT Enc 100.3 is not in the tone list and is written as Off",
         "频道 7: 发射亚音频 100.3 不在亚音频列表中，将作为关闭写入"},
        {{Kind::VfoOutOfBand, 0, "B Group VFO / Frequency", ""},
         "B Group VFO / Frequency (empty) is outside the band",
         "B组全频频率 / 全频频率 (空) 超出频段范围"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WriteProblemText(c.problem, Language::English), c.en);
        EXPECT_EQ(WriteProblemText(c.problem, Language::Chinese), c.zh);
    }
}

}  // namespace
}  // namespace varel
