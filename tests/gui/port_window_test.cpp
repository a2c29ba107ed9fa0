// The port window Form6 and the start-up around it: the probe's results, choosing a port, the
// status panel of the start, and the language and the port surviving a restart.
#include "editors/port_window.h"

#include <QLabel>
#include <QRadioButton>
#include <QSettings>

#include "app/stored_settings.h"
#include "gui/app_fixture.h"
#include "support/temp_dir.h"

namespace varel::test {
namespace {

class PortWindowTest : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        qunsetenv("VAREL_COM3");
    }
    QRadioButton* option(int port) { return window->portWindow()->option(port); }
    void showPortWindow() {
        action("MNCommPort")->trigger();
        ASSERT_TRUE(window->portWindow()->isVisible());
    }
    int checkedPort() {
        for (int n = 1; n <= 20; ++n)
            if (option(n)->isChecked()) return n;
        return 0;
    }
};

TEST_F(PortWindowTest, OptionsFollowTheProbeInFourRowsOfFive) {
    ports.openable(1);
    ports.openable(3);
    ports.ports[13 - 1].problem = link::PortProblem::Busy;
    ports.ports[14 - 1].problem = link::PortProblem::NoPermission;
    qputenv("VAREL_COM3", "/dev/pts/42");
    ports.probes = 0;
    start(0);
    EXPECT_EQ(ports.probes, 1);
    showPortWindow();
    EXPECT_EQ(ports.probes, 2);   // probed again as the window opens: a cable may have come
    EXPECT_EQ(checkedPort(), 0);  // no port chosen yet
    QWidget* frame = window->portWindow()->parentWidget();
    for (int n = 1; n <= 20; ++n) {
        EXPECT_EQ(option(n), find<QRadioButton>(frame, qPrintable(QString("Com%1").arg(n))));
        EXPECT_EQ(option(n)->isEnabled(), n == 1 || n == 3) << n;
    }
    EXPECT_EQ(option(5)->y(), option(1)->y());
    EXPECT_GT(option(5)->x(), option(4)->x());
    EXPECT_GT(option(6)->y(), option(5)->y());
    EXPECT_EQ(option(20)->y(), option(16)->y());
    EXPECT_EQ(option(20)->x(), option(5)->x());

    // Tooltips: the device (overrides included) and why a port could not be opened.
    EXPECT_EQ(option(3)->toolTip(), "/dev/pts/42");
    EXPECT_EQ(option(2)->toolTip(), "/dev/ttyUSB1：设备不存在");
    EXPECT_EQ(option(13)->toolTip(), "/dev/ttyS0：正被其他程序占用");
    window->setLanguage(1);
    EXPECT_EQ(option(13)->toolTip(), "/dev/ttyS0: busy in another program");
    EXPECT_EQ(option(14)->toolTip(),
              "/dev/ttyS1: no permission, the user must be in the dialout group");
}

TEST_F(PortWindowTest, ClickChoosesAtOnceAndThePanelKeepsThePortOfTheStart) {
    settings.port = 3;
    ports.openable(3);
    ports.openable(7);
    start(0);
    EXPECT_EQ(window->statusPanel(1)->text(), "COM: 3");
    showPortWindow();
    EXPECT_EQ(checkedPort(), 3);

    QTest::mouseClick(option(7), Qt::LeftButton);
    EXPECT_EQ(session->portNumber(), 7);
    EXPECT_EQ(window->statusPanel(1)->text(), "COM: 3");

    // Closing only hides; the next showing has the same options and selection.
    window->portWindow()->parentWidget()->close();
    EXPECT_FALSE(window->portWindow()->isVisible());
    showPortWindow();
    EXPECT_EQ(checkedPort(), 7);
    EXPECT_TRUE(option(3)->isEnabled());
    EXPECT_FALSE(option(5)->isEnabled());
}

TEST_F(PortWindowTest, LanguageAndPortSurviveARestartThroughTheExit) {
    TempDir dir;
    QSettings store(QString::fromStdString(dir.file("store.ini")), QSettings::IniFormat);
    const QString folder = QString::fromStdString(dir.path().string());
    StoredSettings stored(store, folder, folder + "/user");
    storedSettings = &stored;
    ports.openable(7);
    start(0);
    window->setLanguage(1);
    showPortWindow();
    QTest::mouseClick(option(7), Qt::LeftButton);
    ASSERT_TRUE(window->close());  // the fake answers the exit question with OK

    start(0);
    EXPECT_EQ(session->languageFlag(), 1);
    EXPECT_EQ(window->windowTitle(), "Varel Wavesmith");
    EXPECT_EQ(window->statusPanel(1)->text(), "COM: 7");
    window.reset();
    storedSettings = &settings;
}

}  // namespace
}  // namespace varel::test
