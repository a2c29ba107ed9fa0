// The connection doctor's window FormDoctor: opened from the Programming menu and from the
// port window's button, it lists the findings for the chosen port in the current language,
// the exchange with the virtual radio last, and runs again on its button.
#include "editors/doctor_window.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

#include "cli/sim_process.h"
#include "editors/port_window.h"
#include "gui/app_fixture.h"

namespace varel::test {
namespace {

class DoctorWindowTest : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        qunsetenv("VAREL_COM7");
    }
    DoctorWindow* doctor() { return window->doctorWindow(); }
    QStringList items() {
        QStringList texts;
        auto* list = find<QListWidget>(doctor(), "Findings");
        for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
        return texts;
    }
    // Waits for the doctor to finish (the exchange runs on the event loop).
    void waitDone(QSignalSpy& spy) {
        if (doctor()->isRunning()) {
            ASSERT_TRUE(spy.wait(10000));
        }
        EXPECT_FALSE(doctor()->isRunning());
    }
};

TEST_F(DoctorWindowTest, TheMenuItemListsTheFindingsInBothLanguages) {
    qputenv("VAREL_COM7", "/nonexistent/ttyVAREL");
    window->setPortNumber(7);
    QAction* item = action("MNDoctor");
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(window->findChild<QMenu*>("MNProgram")->actions().contains(item));
    EXPECT_EQ(item->text(), "连接诊断...");
    item->trigger();
    EXPECT_TRUE(doctor()->isVisible());
    EXPECT_EQ(doctor()->objectName(), "FormDoctor");
    ASSERT_FALSE(items().isEmpty());
    EXPECT_EQ(items().first(), "/nonexistent/ttyVAREL 不存在：请插好编程线，或选择它所对应的端口");
    EXPECT_EQ(items().last(), "无法打开端口：设备不存在");

    window->setLanguage(1);  // the findings are said again, not looked for again
    EXPECT_EQ(item->text(), "Diagnose Connection...");
    EXPECT_EQ(items().first(),
              "/nonexistent/ttyVAREL does not exist: plug the cable in (fully), or choose the "
              "port it appears as");
    EXPECT_EQ(items().last(), "the port could not be opened: no such device");
    EXPECT_EQ(find<QPushButton>(doctor(), "RunAgain")->text(), "Run Again");
}

// From the port window's button, against the virtual radio: the radio answers, last; a silent
// one on the re-run says what to check.
TEST_F(DoctorWindowTest, ThePortWindowOffersItAndTheRadioAnswers) {
    start(1);
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{}, "the radio answered: PW-K4, band 0"},
        {{"--silent"},
         "the radio did not answer: check that the cable is fully seated in the "
         "radio, the radio is on, and this is the right port"},
    };
    bool first = true;
    for (const auto& [args, says] : cases) {
        SimProcess sim;
        ASSERT_TRUE(sim.start(args));
        qputenv("VAREL_COM7", QByteArray::fromStdString(sim.device()));
        window->setPortNumber(7);
        QSignalSpy done(doctor(), &DoctorWindow::finished);
        if (first)
            find<QPushButton>(window->portWindow(), "Diagnose")->click();
        else
            find<QPushButton>(doctor(), "RunAgain")->click();
        first = false;
        EXPECT_TRUE(doctor()->isVisible());
        waitDone(done);
        EXPECT_EQ(items().last(), says);
        EXPECT_EQ(sim.count("rx Read") + sim.count("rx Write"), 0);
    }
}

}  // namespace
}  // namespace varel::test
