#include "image/image_codec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "image/channel_codec.h"
#include "image/encodings.h"
#include "image/latin1.h"
#include "image/settings_fields.h"

namespace varel {
namespace {

MemoryImage RandomImage(std::mt19937& rng) {
    MemoryImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) image.set(i, static_cast<std::uint8_t>(rng()));
    return image;
}

int Uniform(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// A frequency inside one of the bands of the first band entry, on the channel raster.
std::string RandomFrequency(std::mt19937& rng) {
    const bool uhf = Uniform(rng, 0, 1) == 1;
    const int tenHz = uhf ? Uniform(rng, 40000000, 46999500) : Uniform(rng, 13600000, 17399500);
    char typed[16];
    std::snprintf(typed, sizeof typed, "%03d.%05d", tenHz / 100000, tenHz % 100000);
    return SnapFrequency(typed).value();
}

std::string RandomName(std::mt19937& rng) {
    std::string name;
    const int length = Uniform(rng, 0, 8);
    for (int i = 0; i < length; ++i) {
        const int c = Uniform(rng, 0, 1) == 0 ? Uniform(rng, 0x20, 0x7E) : Uniform(rng, 0xA0, 0xFE);
        name += Utf8(static_cast<char32_t>(c));
    }
    return name;
}

// A model as the editors could leave it: only values their lists and checks admit.
ChannelModel RandomModel(std::mt19937& rng, Language lang) {
    ChannelModel model;
    for (int n = 1; n <= static_cast<int>(kChannelCount); ++n) {
        Channel& ch = model.channel(n);
        if (Uniform(rng, 0, 9) < 7) {
            ch.freq[0] = RandomFrequency(rng);
            ch.freq[1] = Uniform(rng, 0, 3) == 0 ? std::string() : RandomFrequency(rng);
            for (int column = kFirstListColumn; column <= kLastListColumn; ++column) {
                const auto& list = ChannelColumnList(column, lang);
                const int index = Uniform(rng, 0, static_cast<int>(list.size()) - 1);
                ch.index(column) = static_cast<std::int16_t>(index);
                ch.text(column) = list[static_cast<std::size_t>(index)];
            }
        }
        ch.name = RandomName(rng);
    }
    return model;
}

// All 0xFF but one name on empty channel 3, decoded over a model that held other channels.
TEST(ImageCodec, AllFfImageIsEmptyKeepsNamesAndEncodesBackToFf) {
    MemoryImage in;
    in.fill(0xFF);
    for (std::size_t j = 0; j < 5; ++j) in.set(ChannelNameOffset(3) + j, "SPARE"[j]);
    Configuration cfg;
    cfg.channels.channel(5).freq[0] = "145.00000";
    cfg.channels.channel(6).name = "STALE";
    DecodeImage(in, cfg, Language::English);
    ChannelModel expected;
    expected.channel(3).name = "SPARE";
    EXPECT_EQ(cfg.channels, expected);

    MemoryImage out;
    out.fill(0x5A);
    EncodeImage(cfg, out);
    for (std::size_t i = 0; i < kSettingsRegion; ++i) ASSERT_EQ(out.at(i), 0xFF) << i;
    for (std::size_t i = kNameRegion; i < kSpareByte; ++i) ASSERT_EQ(out.at(i), in.at(i)) << i;
    for (int i = kUnwrittenFirst; i <= kUnwrittenLast; ++i)
        EXPECT_EQ(out.at(static_cast<std::size_t>(i)), 0x5A) << i;
    EXPECT_EQ(out.at(kSpareByte), 0x5A);
}

TEST(ImageCodec, ValidModelsSurviveEncodeThenDecode) {
    std::mt19937 rng(2024);
    for (Language lang : {Language::Chinese, Language::English}) {
        for (int round = 0; round < 20; ++round) {
            Configuration cfg;
            cfg.channels = RandomModel(rng, lang);
            MemoryImage image;
            EncodeImage(cfg, image);
            Configuration back;
            DecodeImage(image, back, lang);
            ASSERT_EQ(back.channels, cfg.channels) << "round " << round;
        }
    }
}

TEST(ImageCodec, DecodeEncodeIsStableAfterOnePass) {
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        const MemoryImage in = RandomImage(rng);
        const Language lang = round % 2 ? Language::English : Language::Chinese;
        Configuration first;
        DecodeImage(in, first, lang);
        MemoryImage once;
        EncodeImage(first, once);
        Configuration second;
        DecodeImage(once, second, lang);
        MemoryImage twice;
        EncodeImage(second, twice);
        ASSERT_EQ(twice, once) << "round " << round;
    }
}

}  // namespace
}  // namespace varel
