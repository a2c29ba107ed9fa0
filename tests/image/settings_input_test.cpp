// The FM window's entry check.
#include "image/settings_input.h"

#include <gtest/gtest.h>

namespace varel {
namespace {

TEST(FmEntryCheck, RangeBothEndsIncludedAndSnappedText) {
    struct Case {
        const char* typed;
        FmEntry entry;
        const char* text;
    };
    const Case cases[] = {
        {"", FmEntry::Empty, ""},
        {"88.1.2", FmEntry::NotNumber, ""},
        {"abc", FmEntry::NotNumber, ""},
        {"86.99", FmEntry::OutOfRange, ""},
        {"107.91", FmEntry::OutOfRange, ""},
        {"87", FmEntry::Accepted, "87.00"},
        {"107.9", FmEntry::Accepted, "107.90"},
        {"88.17", FmEntry::Accepted, "88.15"},
    };
    for (const Case& c : cases) {
        const FmCheck check = CheckFmEntry(c.typed);
        EXPECT_EQ(check.entry, c.entry) << c.typed;
        EXPECT_EQ(check.text, c.text) << c.typed;
    }
}

}  // namespace
}  // namespace varel
