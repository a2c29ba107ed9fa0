#include "sim/radio_memory.h"

#include "image/channel_columns.h"
#include "image/encodings.h"
#include "image/image_codec.h"

namespace varel::sim {

Block RadioMemory::readBlock(unsigned address) const {
    Block block{};
    for (std::size_t k = 0; k < block.size(); ++k) {
        const std::size_t index = std::size_t{address} + k;
        if (index < kImageSize) block[k] = m_image.at(index);
    }
    return block;
}

void RadioMemory::writeBlock(unsigned address, const Block& data) {
    for (std::size_t k = 0; k < data.size(); ++k) {
        const std::size_t index = std::size_t{address} + k;
        if (index < kImageSize) m_image.set(index, data[k]);
    }
}

DataFileResult RadioMemory::load(const std::string& path) {
    return LoadDataFile(path, m_image);
}

DataFileResult RadioMemory::save(const std::string& path) const {
    return SaveDataFile(path, m_image);
}

namespace {

struct SampleChannel {
    const char* rx;      // receive frequency text
    const char* tx;      // transmit frequency text, empty for none
    const char* rxTone;  // tone texts, empty for off
    const char* txTone;
    int power, busyLock, addScan, wide, txProhibit;  // list positions of columns 5 to 9
    const char* name;
};

// Power 1 = High, busy lock 1 = Off, scan 1 = On, wide 1, TX prohibit 1 = Off.
constexpr SampleChannel kSampleChannels[] = {
    {"145.50000", "145.50000", "", "", 1, 1, 1, 1, 1, "CALL2M"},
    {"145.62500", "145.02500", "", "88.5", 1, 1, 1, 1, 1, "RPT-A"},
    {"146.52000", "146.52000", "", "", 1, 1, 1, 0, 1, "SIMPLX"},
    {"156.80000", "", "", "", 0, 1, 1, 1, 0, "MARINE16"},
    {"433.50000", "433.50000", "D023N", "D023N", 1, 1, 1, 1, 1, "UHF-CALL"},
    {"438.65000", "431.05000", "67.0", "67.0", 1, 1, 1, 1, 1, "RPT-UHF"},
    {"446.00625", "446.00625", "123.0", "123.0", 0, 1, 1, 0, 1, "PMR1"},
    {"462.56250", "462.56250", "D754I", "D754I", 1, 1, 1, 0, 1, "FRS1"},
};

// The first FM broadcast channels.
constexpr const char* kSampleFm[] = {"88.10", "93.50", "101.70", "105.30"};

void SetTone(Channel& ch, int column, const char* tone) {
    const std::string text = *tone == '\0' ? OffText(Language::English) : std::string(tone);
    ch.text(column) = text;
    ch.index(column) = static_cast<std::int16_t>(ToneIndex(text, Language::English));
}

}  // namespace

MemoryImage SampleImage() {
    // Everything a fresh program holds, with the sample's channels and FM stations, encoded as
    // the program would save it.
    Configuration cfg;
    int n = 1;
    for (const auto& s : kSampleChannels) {
        Channel& ch = cfg.channels.channel(n++);
        ch.freq = {s.rx, s.tx};
        SetTone(ch, kRxToneColumn, s.rxTone);
        SetTone(ch, kTxToneColumn, s.txTone);
        const int positions[] = {s.power, s.busyLock, s.addScan, s.wide, s.txProhibit};
        for (int column = kPowerColumn; column <= kLastListColumn; ++column) {
            const int position = positions[column - kPowerColumn];
            ch.index(column) = static_cast<std::int16_t>(position);
            ch.text(column) =
                ChannelColumnList(column, Language::English).at(static_cast<std::size_t>(position));
        }
        ch.name = s.name;
    }
    int fm = 1;
    for (const char* station : kSampleFm) cfg.settings.setFmChannel(fm++, station);
    cfg.settings.setNumber(SettingId::FmPresentChannel, 1);

    MemoryImage image;
    EncodeImage(cfg, image);
    return image;
}

}  // namespace varel::sim
