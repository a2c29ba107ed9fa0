#include "radio_memory.h"

#include "encodings.h"

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
    std::uint8_t flags;  // 0xC0 + power + 4 busy + 8 scan + 16 wide + 32 prohibit
    const char* name;
};

// Power 1 = High, busy lock 1 = Off, scan 1 = On, wide 1, TX prohibit 1 = Off.
constexpr SampleChannel kSampleChannels[] = {
    {"145.50000", "145.50000", "", "", 0xFD, "CALL2M"},
    {"145.62500", "145.02500", "", "88.5", 0xFD, "RPT-A"},
    {"146.52000", "146.52000", "", "", 0xED, "SIMPLX"},
    {"156.80000", "", "", "", 0xDC, "MARINE16"},
    {"433.50000", "433.50000", "D023N", "D023N", 0xFD, "UHF-CALL"},
    {"438.65000", "431.05000", "67.0", "67.0", 0xFD, "RPT-UHF"},
    {"446.00625", "446.00625", "123.0", "123.0", 0xEC, "PMR1"},
    {"462.56250", "462.56250", "D754I", "D754I", 0xED, "FRS1"},
};

// FM broadcast words of the first channels: (f - 87.0) * 10 for 88.1, 93.5, 101.7, 105.3 MHz.
constexpr std::uint16_t kSampleFm[] = {11, 65, 147, 183};

void PutFrequency(MemoryImage& image, std::size_t at, const std::string& text) {
    for (int part = 1; part <= 4; ++part) {
        const auto byte = FreqByte(text, part);
        if (byte) image.set(at + static_cast<std::size_t>(4 - part), *byte);
    }
}

void PutTone(MemoryImage& image, std::size_t at, const std::string& tone) {
    if (tone.empty()) return;  // the 0xFF fill already marks an off tone
    const std::string code = ToneCode(tone);
    const auto low = HexByte(code.substr(0, 2));
    const auto high = HexByte(code.substr(2, 2));
    if (low && high) {
        image.set(at, *low);
        image.set(at + 1, *high);
    }
}

void PutText(MemoryImage& image, std::size_t at, const char* text) {
    for (std::size_t k = 0; text[k] != '\0'; ++k)
        image.set(at + k, static_cast<std::uint8_t>(text[k]));
}

// The settings block of a fresh program: every editor at its reset value.
void PutDefaultSettings(MemoryImage& image) {
    for (std::size_t i = kSettingsRegion; i < kSettingsRegionEnd; ++i) image.set(i, 0xFF);
    const std::uint8_t lists[] = {
        0,     // 0x700 A display mode "Frequency"
        1,     // 0x701 always 1
        4,     // 0x702 A step "25K"
        1,     // 0x703 B display mode "Freq & Channel"
        5,     // 0x704 squelch level 5
        1,     // 0x705 A channel number
        0x7D,  // 0x706 feature bits 1
        0x78,  // 0x707 feature bits 2
        0x2F,  // 0x708 VOX byte
        1,     // 0x709 open display "DC"
        1,     // 0x70A memory channel display "Frequency"
        1,     // 0x70B B channel number
        0,     // 0x70C auto power-off "Off"
        4,     // 0x70D B step "25K"
        1,     // 0x70E channel name editable "Off"
        2,     // 0x70F time-out timer 2 minutes
    };
    for (std::size_t k = 0; k < sizeof lists; ++k) image.set(0x700 + k, lists[k]);
    PutText(image, 0x710, "LMQ-ZR");
    image.set(0x716, 0);  // band 0
    // VFO A 136.00000 and B 400.00000, offsets 10 MHz, tones off, flags 0xFD, shift index 1.
    PutFrequency(image, 0x720, "136.00000");
    PutFrequency(image, 0x724, "010.00000");
    image.set(0x72C, 0xFD);
    image.set(0x72E, 1);
    PutFrequency(image, 0x730, "400.00000");
    PutFrequency(image, 0x734, "010.00000");
    image.set(0x73C, 0xFD);
    image.set(0x73E, 1);
    for (std::size_t k = 0; k < sizeof kSampleFm / sizeof kSampleFm[0]; ++k) {
        image.set(0x760 + 2 * k, static_cast<std::uint8_t>(kSampleFm[k] >> 8));
        image.set(0x761 + 2 * k, static_cast<std::uint8_t>(kSampleFm[k] & 0xFF));
    }
    // 0x792-0x79F are never encoded and keep the zeros an image starts with.
    for (std::size_t i = 0x792; i < 0x7A0; ++i) image.set(i, 0x00);

    image.set(0x7A0, 1);  // FM present channel
    image.set(0x7A1, 0);  // FM display mode
    image.set(0x7A2, 0);  // FM step
    const std::uint8_t tuning[] = {218, 218, 116};
    for (std::size_t k = 0; k < 3; ++k) {
        image.set(0x7E0 + k, tuning[k]);  // group B high, middle, low
        image.set(0x7F0 + k, tuning[k]);  // group A high, middle, low
    }
    image.set(0x7E3, 0x00);
}

}  // namespace

MemoryImage SampleImage() {
    MemoryImage image;
    for (std::size_t i = 0; i < kConfigSize; ++i) image.set(i, 0xFF);
    image.set(kSpareByte, 0x00);
    std::size_t n = 0;
    for (const auto& ch : kSampleChannels) {
        const std::size_t at = n * kChannelRecordSize;
        PutFrequency(image, at, ch.rx);
        if (*ch.tx != '\0') PutFrequency(image, at + 4, ch.tx);
        PutTone(image, at + 8, ch.rxTone);
        PutTone(image, at + 10, ch.txTone);
        image.set(at + 12, ch.flags);
        PutText(image, kNameRegion + n * kNameSize, ch.name);
        ++n;
    }
    PutDefaultSettings(image);
    return image;
}

}  // namespace varel::sim
