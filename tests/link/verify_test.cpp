// Verifying a write: the blocks compared are the ones the write sends, and a byte the radio
// stored wrong is found in its block and named.
#include "link/verify.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "link/radio_link.h"
#include "link/read_machine.h"
#include "link/write_machine.h"
#include "sim/radio_memory.h"

namespace varel::link::test {
namespace {

std::string WriteLine(unsigned address) {
    char text[32];
    std::snprintf(text, sizeof text, "rx Write 0x%03X", address);
    return text;
}

// The schedule is the one the radio receives, and a changed byte counts exactly when a write
// carries it and a read brings it back.
TEST(Verify, ComparesEveryByteThatIsBothWrittenAndRead) {
    const MemoryImage sent = sim::SampleImage();
    for (bool debug : {false, true}) {
        SCOPED_TRACE(debug ? "debug mode" : "normal mode");
        const WriteOptions options{0, debug, false};
        WriteMachine machine(sent, options);
        Radio radio;
        Link<WriteMachine> link(machine, radio);
        ASSERT_EQ(link.run(), Outcome::Success);
        std::vector<std::string> received;
        for (const std::string& line : link.log.radio)
            if (line.rfind("rx Write", 0) == 0) received.push_back(line);
        std::vector<std::string> scheduled;
        for (unsigned address : WriteSchedule(options)) scheduled.push_back(WriteLine(address));
        EXPECT_EQ(received, scheduled);

        for (std::size_t i = 0; i < kImageSize; ++i) {
            MemoryImage back = sent;
            back.set(i, static_cast<std::uint8_t>(sent.at(i) ^ 0xFF));
            const bool neverWritten = i >= 0x7C0 && i < 0x7E0;
            const bool tuning = i >= 0x7E0 && i < 0x800;
            const bool compared = !neverWritten && (debug || !tuning);
            const auto differences = CompareWrittenBlocks(sent, back, options, Language::English);
            ASSERT_EQ(differences.size(), compared ? 1u : 0u) << "offset " << i;
            if (compared) {
                ASSERT_EQ(differences[0].address, static_cast<int>(i & ~0xFu));
            }
        }
    }
}

TEST(Verify, AByteStoredWrongIsNamedByWhatItHolds) {
    const struct {
        int corrupt;
        bool debug;
        Language lang;
        std::vector<BlockDifference> expected;
    } cases[] = {
        {0x05A, false, Language::English, {{0x050, {"channel 7"}}}},
        {0x704, false, Language::Chinese, {{0x700, {"静噪等级"}}}},
        {0x7E1, true, Language::English, {{0x7E0, {"power tuning"}}}},
        {0x7E1, false, Language::English, {}},  // not written, so not stored wrong either
        {0xC00, false, Language::English, {{0xC00, {"spare byte"}}}},
    };
    const MemoryImage sent = sim::SampleImage();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.corrupt);
        sim::RadioOptions faults;
        faults.corruptWrite = c.corrupt;
        Radio radio(faults);
        const WriteOptions options{0, c.debug, false};
        WriteMachine writer(sent, options);
        Link<WriteMachine> write(writer, radio);
        ASSERT_EQ(write.run(), Outcome::Success);
        MemoryImage back;
        ReadMachine reader(back);
        Link<ReadMachine> read(reader, radio);
        ASSERT_EQ(read.run(), Outcome::Success);
        EXPECT_EQ(CompareWrittenBlocks(sent, back, options, c.lang), c.expected);
    }
}

}  // namespace
}  // namespace varel::link::test
