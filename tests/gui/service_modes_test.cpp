// The hidden service modes: caption gestures within five seconds switch them on, a double click
// on their toolbar button switches them off; times come from the test's clock.
#include "session/service_modes.h"

#include <QSignalSpy>
#include <QSlider>

#include "gui/app_fixture.h"

namespace varel::test {
namespace {

constexpr ServiceMode kModes[] = {ServiceMode::ForceWrite, ServiceMode::Debug,
                                  ServiceMode::FmService};

class ServiceModesTest : public AppFixture {
protected:
    ServiceModes& modes() { return *window->serviceModes(); }
    QAction* button(ServiceMode m) { return action(ServiceModes::ButtonKey(static_cast<int>(m))); }
    void caption(ServiceMode m, int caption, double at) {
        clock.seconds = at;
        modes().captionClicked(m, caption);
    }
    void clickButton(ServiceMode m, double at) {
        clock.seconds = at;
        button(m)->trigger();
    }
    bool slidersEnabled() { return find<QSlider>(form("Form4"), "Slider1(3)")->isEnabled(); }
};

TEST_F(ServiceModesTest, ThreeCaptionsWithinFiveSecondsSwitchAModeOn) {
    QSignalSpy changed(&modes(), &ServiceModes::modeChanged);
    EXPECT_FALSE(slidersEnabled());
    for (ServiceMode m : kModes) {
        caption(m, 2, 1000.4);  // starts the sequence at 1000
        caption(m, 0, 1003);
        EXPECT_FALSE(modes().isOn(m) || button(m)->isVisible());
        caption(m, 1, 1005);
        EXPECT_TRUE(modes().isOn(m) && button(m)->isVisible()) << static_cast<int>(m);
    }
    EXPECT_EQ(changed.count(), 3);
    EXPECT_TRUE(slidersEnabled());
    EXPECT_TRUE(action("MNFMset")->isEnabled());

    // Six seconds after the start the third caption starts a new sequence instead.
    clickButton(ServiceMode::Debug, 2000);
    clickButton(ServiceMode::Debug, 2000.5);
    caption(ServiceMode::Debug, 0, 3000);
    caption(ServiceMode::Debug, 1, 3001);
    caption(ServiceMode::Debug, 2, 3006);
    caption(ServiceMode::Debug, 0, 3007);
    EXPECT_FALSE(modes().DebugMode());
    caption(ServiceMode::Debug, 1, 3011);
    EXPECT_TRUE(modes().DebugMode());
}

TEST_F(ServiceModesTest, TwoButtonClicksWithinASecondSwitchTheModeOffAndClearItsMarks) {
    for (ServiceMode m : kModes) {
        for (int c = 0; c < 3; ++c) caption(m, c, 100);
        clickButton(m, 110.4);  // stored as 110
        clickButton(m, 111.3);  // 1.3 s after the stored time: only stored, as 111
        EXPECT_TRUE(modes().isOn(m));
        clickButton(m, 111.9);
        EXPECT_FALSE(modes().isOn(m) || button(m)->isVisible());
        caption(m, 2, 112);  // the earlier marks are gone
        EXPECT_FALSE(modes().isOn(m));
    }
    EXPECT_FALSE(slidersEnabled());
    EXPECT_TRUE(action("MNFMset")->isEnabled());  // started enabled and stays so

    // Across midnight: a gesture goes on, and clicks of different days are no double click.
    const ServiceMode m = ServiceMode::ForceWrite;
    caption(m, 0, 86398);
    caption(m, 1, 86399.6);
    caption(m, 2, 2);
    EXPECT_TRUE(modes().ForceWriteMode());
    clickButton(m, 80000);
    clickButton(m, 3000);
    EXPECT_TRUE(modes().ForceWriteMode());
    clickButton(m, 86399.6);
    clickButton(m, 0.3);
    EXPECT_FALSE(modes().ForceWriteMode());
}

}  // namespace
}  // namespace varel::test
