#include "image/settings_model.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace varel {
namespace {

using Id = SettingId;

TEST(SettingsModel, StartsInTheEditorsStartState) {
    const SettingsModel s;
    // clang-format off
    const std::pair<Id, int> indexes[] = {
        {Id::ADisplayMode, 0}, {Id::BDisplayMode, 1}, {Id::Beep, 1}, {Id::KeyLock, 1},
        {Id::ScanMode, 1}, {Id::KeyLockMode, 0}, {Id::RadioSearchMode, 0},
        {Id::RadioMonitorsSignal, 1}, {Id::SquelchTailElimination, 1}, {Id::AutoPowerOff, 0},
        {Id::OpenDisplayMode, 1}, {Id::ChannelNameEditable, 1}, {Id::SquelchLevel, 5},
        {Id::BatterySave, 1}, {Id::TimeOutTimer, 2}, {Id::RogerBeep, 0}, {Id::MainChannel, 1},
        {Id::BacklightMode, 1}, {Id::PowerOnPassword, 1}, {Id::DualStandby, 0},
        {Id::MemoryChannelDisplayMode, 1}, {Id::VoxSwitch, 1}, {Id::VoxGainLevel, 1},
        {Id::VoxDelayTime, 1}, {Id::ARxTone, 0}, {Id::BTxTone, 0}, {Id::APower, 1},
        {Id::BPower, 1}, {Id::AWideNarrow, 1}, {Id::BAddScan, 1}, {Id::AShiftDirection, 1},
        {Id::BBusyChannelLock, 1}, {Id::ATxProhibit, 1}, {Id::AStepFrequency, 4},
        {Id::BStepFrequency, 4}, {Id::AScramble, 1}, {Id::ACompanding, 1}, {Id::ACallTone, 4},
        {Id::Band, 0}, {Id::FmDisplayMode, 0}, {Id::FmStep, 0}};
    const std::pair<Id, const char*> texts[] = {
        {Id::AChannelNumber, "1"}, {Id::BChannelNumber, "1"}, {Id::AFrequency, "136.00000"},
        {Id::BFrequency, "400.00000"}, {Id::AOffsetData, "10"}, {Id::BOffsetData, "10"},
        {Id::DisplayCharacter, ""}, {Id::PasswordText, ""}, {Id::FmVfo, ""}};
    // clang-format on
    for (auto [id, expected] : indexes) EXPECT_EQ(s.index(id), expected) << Field(id).objectName;
    for (auto [id, expected] : texts) EXPECT_EQ(s.text(id), expected) << Field(id).objectName;
    for (int n = 1; n <= kFmChannelCount; ++n) EXPECT_EQ(s.fmChannel(n), "");
    EXPECT_EQ(s.number(Id::FmPresentChannel), 0);
    const int tuning[] = {218, 218, 116, 218, 218, 116};
    for (int i = 0; i < kTuningCount; ++i) EXPECT_EQ(s.tuning(i), tuning[i]) << i;
    EXPECT_FALSE(s.checked(Id::ProhibitVoxReceiving));
}

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
