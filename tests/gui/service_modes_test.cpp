// The hidden service modes: the caption gestures that switch them on within five seconds, the
// double click on their toolbar buttons that switches them off, and what each mode changes.
#include "service_modes.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QSlider>

#include "app_fixture.h"

namespace varel::test {
namespace {

constexpr ServiceMode kModes[] = {ServiceMode::ForceWrite, ServiceMode::Debug,
                                  ServiceMode::FmService};

class ServiceModesTest : public AppFixture {
protected:
    ServiceModes& modes() { return *window->serviceModes(); }
    QAction* button(ServiceMode mode) {
        return action(ServiceModes::ButtonKey(static_cast<int>(mode)));
    }
    // Clicks a caption of a gesture at a time of day.
    void clickCaption(ServiceMode mode, int caption, double at) {
        clock.seconds = at;
        modes().captionClicked(mode, caption);
    }
    void clickButton(ServiceMode mode, double at) {
        clock.seconds = at;
        modes().serviceButtonClicked(static_cast<int>(mode));
    }
    void gesture(ServiceMode mode, double at) {
        for (int caption = 0; caption < 3; ++caption) clickCaption(mode, caption, at + caption);
    }
    bool slidersEnabled() { return find<QSlider>(form("Form4"), "Slider1(3)")->isEnabled(); }
};

TEST_F(ServiceModesTest, EachGestureWithinFiveSecondsSwitchesItsModeOnWithItsEffects) {
    QSignalSpy changed(&modes(), &ServiceModes::modeChanged);
    EXPECT_FALSE(slidersEnabled());
    EXPECT_TRUE(action("MNFMset")->isEnabled());  // everyday settings need no gesture

    for (ServiceMode mode : kModes) {
        const int m = static_cast<int>(mode);
        // Any order, the last click exactly five seconds after the (rounded) first.
        clickCaption(mode, 2, 1000.4);
        clickCaption(mode, 0, 1003.0);
        EXPECT_FALSE(modes().isOn(mode));
        EXPECT_FALSE(button(mode)->isVisible());
        clickCaption(mode, 1, 1005.0);
        EXPECT_TRUE(modes().isOn(mode)) << m;
        EXPECT_TRUE(button(mode)->isVisible()) << m;
        ASSERT_EQ(changed.count(), m + 1);
        EXPECT_EQ(changed.last().at(0).value<ServiceMode>(), mode);
        EXPECT_TRUE(changed.last().at(1).toBool());
        for (ServiceMode other : kModes)
            if (static_cast<int>(other) > m) {
                EXPECT_FALSE(modes().isOn(other));
            }
    }
    EXPECT_TRUE(modes().ForceWriteMode() && modes().DebugMode() && modes().FmServiceMode());
    EXPECT_TRUE(slidersEnabled());
    EXPECT_TRUE(action("MNFMset")->isEnabled());
}

TEST_F(ServiceModesTest, ALateClickStartsANewSequence) {
    clickCaption(ServiceMode::Debug, 0, 500);
    clickCaption(ServiceMode::Debug, 1, 501);
    clickCaption(ServiceMode::Debug, 2, 506);  // six seconds: a new sequence, nothing set
    EXPECT_FALSE(modes().DebugMode());
    EXPECT_FALSE(slidersEnabled());
    clickCaption(ServiceMode::Debug, 0, 507);
    EXPECT_FALSE(modes().DebugMode());  // the first two marks are gone
    clickCaption(ServiceMode::Debug, 1, 511);
    EXPECT_TRUE(modes().DebugMode());
    EXPECT_TRUE(slidersEnabled());
    EXPECT_FALSE(modes().ForceWriteMode());  // gestures keep separate marks
}

TEST_F(ServiceModesTest, DoubleClickWithinASecondSwitchesOffClearsAndHides) {
    for (ServiceMode mode : kModes) {
        gesture(mode, 2000);
        clickButton(mode, 2010.4);  // stored as 2010
        clickButton(mode, 2011.3);  // 1.3 s after the stored time: stored again as 2011
        EXPECT_TRUE(modes().isOn(mode));
        clickButton(mode, 2011.9);
        EXPECT_FALSE(modes().isOn(mode));
        EXPECT_FALSE(button(mode)->isVisible());
        // The marks went with the flag: one more caption click does not switch it on.
        clickCaption(mode, 2, 2012);
        EXPECT_FALSE(modes().isOn(mode));
        // And the button starts again from no stored click.
        gesture(mode, 2020);
        clickButton(mode, 2030);
        EXPECT_TRUE(modes().isOn(mode));
        clickButton(mode, 2030.8);
        EXPECT_FALSE(modes().isOn(mode));
    }
    EXPECT_FALSE(slidersEnabled());
    EXPECT_TRUE(action("MNFMset")->isEnabled());  // it started enabled and stays so
}

TEST_F(ServiceModesTest, TimesCountOnAcrossMidnight) {
    // A sequence begun just before midnight ends just after it.
    clickCaption(ServiceMode::ForceWrite, 0, 86398);
    clickCaption(ServiceMode::ForceWrite, 1, 86399.6);
    clickCaption(ServiceMode::ForceWrite, 2, 2);
    EXPECT_TRUE(modes().ForceWriteMode());
    // A click stored the day before is no double click with one of the next day.
    clickButton(ServiceMode::ForceWrite, 80000);
    clickButton(ServiceMode::ForceWrite, 3000);
    EXPECT_TRUE(modes().ForceWriteMode());
    // Two clicks around midnight within a second are one.
    clickButton(ServiceMode::ForceWrite, 86399.6);
    clickButton(ServiceMode::ForceWrite, 0.3);
    EXPECT_FALSE(modes().ForceWriteMode());
}

}  // namespace
}  // namespace varel::test
