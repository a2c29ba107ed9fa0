#include "image/settings_model.h"

#include <gtest/gtest.h>

#include <utility>

namespace varel {
namespace {

using Id = SettingId;

TEST(SettingsModel, RefusesWhatTheEditorsCannotHold) {
    SettingsModel s;
    ASSERT_TRUE(s.setIndex(Id::ADisplayMode, 1));
    ASSERT_TRUE(s.setIndex(Id::BRxTone, 264));
    s.setBand(2);
    const SettingsModel before = s;
    for (int bad : {-1, 2, 255}) EXPECT_FALSE(s.setIndex(Id::ADisplayMode, bad)) << bad;
    EXPECT_FALSE(s.setIndex(Id::BRxTone, 265));
    s.setBand(3);
    s.setBand(-1);
    EXPECT_FALSE(s.setIndex(Id::AFrequency, 0));  // wrong kinds
    EXPECT_FALSE(s.setText(Id::Beep, "On"));
    EXPECT_FALSE(s.setChecked(Id::Beep, true));
    EXPECT_FALSE(s.setIndex(static_cast<Id>(kSettingCount), 0));
    for (auto [slider, value] : {std::pair{6, 100}, {-1, 100}, {0, 256}, {0, -1}})
        EXPECT_FALSE(s.setTuning(slider, value)) << slider << " " << value;
    EXPECT_FALSE(s.setFmChannel(0, "88.00"));
    EXPECT_FALSE(s.setFmChannel(26, "88.00"));
    EXPECT_EQ(s, before);
    EXPECT_EQ(s.band(), 2);
    EXPECT_TRUE(s.setNumber(Id::FmPresentChannel, 300));  // typed into a list that allows it
}

}  // namespace
}  // namespace varel
