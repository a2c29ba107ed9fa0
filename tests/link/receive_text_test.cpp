#include "link/receive_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "link/link_test_util.h"

namespace varel::link::test {
namespace {

using Pieces = std::vector<std::vector<std::uint8_t>>;

ReceiveText TextOf(const Pieces& pieces) {
    ReceiveText text;
    for (const auto& piece : pieces) text.append(piece.data(), piece.size());
    return text;
}

struct AckCase {
    const char* name;
    Pieces pieces;
    bool contains;
    bool equals;
};

TEST(ReceiveText, AcknowledgeChecks) {
    const AckCase cases[] = {
        {"bare", {{0x06}}, true, true},
        {"glued to a byte", {{0x06, 0x00}}, true, false},
        {"after a byte", {{0x15}, {0x06}}, true, false},
        {"straddles 60 6A", {{0x60}, {0x6A}}, true, false},
        {"straddles 00 60", {{0x00, 0x60}}, true, false},
        {"inside 0x06 digits of other bytes", {{0x20, 0x61}}, true, false},
        {"no 06", {{0x16, 0x60}}, false, false},
        {"empty", {}, false, false},
    };
    for (const auto& c : cases) {
        const ReceiveText text = TextOf(c.pieces);
        EXPECT_EQ(text.containsAck(), c.contains) << c.name;
        EXPECT_EQ(text.equalsAck(), c.equals) << c.name;
    }
}

struct IdCase {
    const char* name;
    Pieces pieces;
    bool matches;
    std::optional<int> band;
};

TEST(ReceiveText, IdentificationAndBandDigit) {
    std::vector<std::uint8_t> nine = Identification();
    nine.push_back(0x00);
    std::vector<std::uint8_t> wrongModel = Identification();
    wrongModel[4] = '5';
    const std::vector<std::uint8_t> id = Identification(0x42);
    const IdCase cases[] = {
        {"whole", {Identification(0x40)}, true, 0},
        {"band 2 with a high nibble", {Identification(0xF2)}, true, 2},
        {"band 9", {Identification(0x09)}, true, 9},
        {"band A is no number", {Identification(0x4A)}, true, std::nullopt},
        {"band F is no number", {Identification(0x0F)}, true, std::nullopt},
        {"3 then 5 bytes", {{id.begin(), id.begin() + 3}, {id.begin() + 3, id.end()}}, true, 2},
        {"9 bytes", {nine}, false, std::nullopt},
        {"7 bytes", {{id.begin(), id.end() - 1}}, false, std::nullopt},
        {"wrong model", {wrongModel}, false, std::nullopt},
        {"ack ahead", {{0x06}, id}, false, std::nullopt},
    };
    for (const auto& c : cases) {
        const ReceiveText text = TextOf(c.pieces);
        EXPECT_EQ(text.isIdentification(), c.matches) << c.name;
        EXPECT_EQ(text.bandDigit(), c.band) << c.name;
    }
}

TEST(ReceiveText, DataBlock) {
    const auto block = DataBlock(0x7F0, 0xF8);
    EXPECT_TRUE(TextOf({block}).isDataBlock());
    // Address and length are not examined: a block for another address still counts.
    auto other = block;
    other[1] = 0x0C;
    other[3] = 0x99;
    EXPECT_TRUE(TextOf({other}).isDataBlock());
    EXPECT_TRUE(TextOf({{block.begin(), block.begin() + 7}, {block.begin() + 7, block.end()}})
                    .isDataBlock());

    auto longer = block;
    longer.push_back(0x06);
    auto wrongStart = block;
    wrongStart[0] = 0x52;
    EXPECT_FALSE(TextOf({longer}).isDataBlock());
    EXPECT_FALSE(TextOf({{block.begin(), block.end() - 1}}).isDataBlock());
    EXPECT_FALSE(TextOf({wrongStart}).isDataBlock());
    EXPECT_FALSE(TextOf({{0xAA}, block}).isDataBlock());

    const ReceiveText text = TextOf({block});
    EXPECT_EQ(text.dataByte(0), 0xF8);
    EXPECT_EQ(text.dataByte(7), 0xFF);
    EXPECT_EQ(text.dataByte(8), 0x00);  // wraps past 0xFF
    EXPECT_EQ(text.dataByte(15), 0x07);
}

}  // namespace
}  // namespace varel::link::test
