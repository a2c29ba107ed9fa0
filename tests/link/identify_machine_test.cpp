// The doctor's exchange with the virtual radio's protocol: wake-up, identification and End,
// never a block; what it learns from the identification, and a silent radio.
#include "link/identify_machine.h"

#include <gtest/gtest.h>

#include "link/radio_link.h"

namespace varel::link::test {
namespace {

struct Case {
    const char* name;
    sim::RadioOptions options;
    Outcome outcome;
    bool rightModel;
    std::string model;
    std::optional<int> band;
};

TEST(IdentifyMachine, WakesIdentifiesAndEndsWithoutTouchingTheMemory) {
    const Case cases[] = {
        {"answering", {}, Outcome::Success, true, "PW-K4", 0},
        {"band 7", Faults([](auto& o) { o.band = 7; }), Outcome::Success, true, "PW-K4", 7},
        {"band B is no digit", Faults([](auto& o) { o.band = 11; }), Outcome::Success, true,
         "PW-K4", std::nullopt},
        {"in two pieces", Faults([](auto& o) { o.splitIdent = true; }), Outcome::Success, true,
         "PW-K4", 0},
        {"another model", Faults([](auto& o) { o.model = "XY-Z9"; }), Outcome::Success, false,
         "XY-Z9", std::nullopt},
        {"unprintable model", Faults([](auto& o) {
             o.model = std::string(
                 "AB\x01\x7F"
                 "C");
         }),
         Outcome::Success, false, "AB??C", std::nullopt},
        {"silent", Faults([](auto& o) { o.silent = true; }), Outcome::CommunicationError, false, "",
         std::nullopt},
        {"a ninth byte is no identification", Faults([](auto& o) { o.longIdent = true; }),
         Outcome::CommunicationError, false, "", std::nullopt},
    };
    for (const Case& c : cases) {
        Radio radio(c.options);
        IdentifyMachine machine;
        Link<IdentifyMachine> link(machine, radio);
        EXPECT_EQ(link.run(), c.outcome) << c.name;
        const ExchangeResult result = machine.result();
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(result.rightModel, c.rightModel) << c.name;
        EXPECT_EQ(result.model, c.model) << c.name;
        EXPECT_EQ(result.band, c.band) << c.name;
        // Wake-up, identify, End: nothing else ever leaves, and the radio's session is over.
        const Bytes expected = [] {
            Bytes b = kWake;
            b.insert(b.end(), {kIdentify, kEnd});
            return b;
        }();
        if (c.outcome == Outcome::Success) {
            EXPECT_EQ(link.log.stream(), expected) << c.name;
        }
        EXPECT_EQ(link.log.radioLines("rx Read") + link.log.radioLines("rx Write"), 0) << c.name;
        EXPECT_FALSE(radio.protocol.inSession()) << c.name;
        EXPECT_EQ(radio.protocol.endsReceived(), 1) << c.name;
    }
}

// A second run starts clean: nothing of the first identification is left.
TEST(IdentifyMachine, ASecondRunForgetsTheFirst) {
    Radio radio;
    IdentifyMachine machine;
    ASSERT_EQ(Link<IdentifyMachine>(machine, radio).run(), Outcome::Success);
    Radio silent(Faults([](auto& o) { o.silent = true; }));
    EXPECT_EQ(Link<IdentifyMachine>(machine, silent).run(), Outcome::CommunicationError);
    EXPECT_EQ(machine.model(), "");
    EXPECT_FALSE(machine.rightModel());
    EXPECT_EQ(machine.identification(), "");
}

}  // namespace
}  // namespace varel::link::test
