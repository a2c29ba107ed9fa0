// The window FormFleet against three virtual radios on pseudo-terminals: every ticked radio is
// written at once with its own display text, a silent one fails alone and is retried alone, the
// main window's Read and Write wait meanwhile, and a report is saved next to the backups.
#include "app/fleet_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/sim_process.h"
#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "link/write_fingerprint.h"
#include "sim/radio_memory.h"
#include "support/run_program.h"

namespace varel::test {
namespace {

constexpr int kFirstPort = 18;
constexpr std::size_t kDisplayAt = 0x718;

class FleetWindowTest : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        for (int i = 0; i < 3; ++i)
            qunsetenv(("VAREL_COM" + std::to_string(kFirstPort + i)).c_str());
    }

    // Radios on ports 18, 19 and 20, each started with fault (the one on 19 silent).
    void startRadios(const std::vector<std::vector<std::string>>& faults = {{}, {"--silent"}, {}}) {
        for (int i = 0; i < 3; ++i) {
            const std::string memory = backups.file("radio" + std::to_string(i) + ".dat");
            ASSERT_TRUE(WriteFileBytes(memory, BuildDataFile(sim::SampleImage())));
            memories.push_back(memory);
            std::vector<std::string> args = faults[static_cast<std::size_t>(i)];
            args.insert(args.end(), {"--memory", memory, "--save"});
            radios.push_back(std::make_unique<SimProcess>());
            ASSERT_TRUE(radios.back()->start(args));
            qputenv(("VAREL_COM" + std::to_string(kFirstPort + i)).c_str(),
                    QByteArray::fromStdString(radios.back()->device()));
            ports.openable(kFirstPort + i);
        }
    }

    // Starts the writes with start and waits until every one has ended.
    void runWrites(FleetWindow& fleet, const std::function<bool()>& start) {
        QSignalSpy running(&fleet, &FleetWindow::runningChanged);
        ASSERT_TRUE(start());
        ASSERT_GE(running.count(), 1);
        EXPECT_TRUE(running.at(0).at(0).toBool());
        if (running.count() < 2) {
            ASSERT_TRUE(running.wait(30000));
        }
        EXPECT_FALSE(running.last().at(0).toBool());
    }

    QString cell(int row, int column) { return table->item(row, column)->text(); }

    std::string displayOf(std::size_t radio) {
        radios[radio]->stop();
        const auto file = ReadFileBytes(memories[radio]);
        const auto at = file.begin() + kDataFileHeaderSize + kDisplayAt;
        return std::string(at, at + 6);
    }

    std::vector<std::unique_ptr<SimProcess>> radios;
    std::vector<std::string> memories;
    QTableWidget* table = nullptr;
};

TEST_F(FleetWindowTest, WritesEveryTickedRadioAtOnceAndRetriesTheFailedOneAlone) {
    start(1);  // in English
    startRadios();
    addChannel(1);
    FleetWindow* fleet = window->showFleet();
    ASSERT_EQ(fleet->objectName(), "FormFleet");
    fleet->setSettleMs(0);
    fleet->setVerify(true);
    table = find<QTableWidget>(fleet, "FleetTable");
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(cell(0, FleetWindow::PortColumn), "Com18");

    // Typed as the optional features' box takes it, then numbered down the ticked rows.
    table->item(0, FleetWindow::DisplayColumn)->setText("club01 and more");
    EXPECT_EQ(cell(0, FleetWindow::DisplayColumn), "CLUB01");
    ASSERT_TRUE(fleet->fillDown());
    EXPECT_EQ(cell(2, FleetWindow::DisplayColumn), "CLUB03");

    QPushButton* cancel = find<QPushButton>(fleet, "FleetCancel");
    QObject::connect(fleet, &FleetWindow::runningChanged, fleet, [&](bool on) {
        if (!on) return;
        // While the writes run: no Read, no Write, no Cancel.
        EXPECT_FALSE(action("MNRead")->isEnabled());
        EXPECT_FALSE(action("MNWrite")->isEnabled());
        EXPECT_FALSE(cancel->isEnabled());
    });
    runWrites(*fleet, [&] { return fleet->start(); });
    EXPECT_TRUE(action("MNRead")->isEnabled());
    EXPECT_TRUE(cancel->isEnabled());
    EXPECT_EQ(cell(0, FleetWindow::ResultColumn), "Written and verified");
    EXPECT_TRUE(cell(1, FleetWindow::ResultColumn).startsWith("Failed: Communication error"))
        << cell(1, FleetWindow::ResultColumn).toStdString();
    EXPECT_EQ(cell(2, FleetWindow::ResultColumn), "Written and verified");
    EXPECT_EQ(
        static_cast<QProgressBar*>(table->cellWidget(2, FleetWindow::ProgressColumn))->value(),
        196);

    std::ifstream report(fleet->reportPath().toStdString());
    std::stringstream text;
    text << report.rdbuf();
    const std::string csv = text.str();
    EXPECT_EQ(csv.rfind("port,device,time,result,verify,fingerprint\nCom18,", 0), 0u) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4) << csv;  // a line per radio
    EXPECT_TRUE(Has(csv, "Com18," + radios[0]->device() + ",")) << csv;
    EXPECT_TRUE(Has(csv, ",written,verified,")) << csv;
    EXPECT_TRUE(Has(csv,
                    ",\"failed: Communication error, check the line and the serial "
                    "connection selection!\",,\n"))
        << csv;

    // A switch of language retells the results and where the report went.
    window->setLanguage(0);
    EXPECT_EQ(find<QLabel>(fleet, "FleetReport")->text(),
              QString::fromUtf8("报告已保存：") + fleet->reportPath());
    EXPECT_EQ(cell(0, FleetWindow::ResultColumn), QString::fromUtf8("写频成功，已校验"));
    window->setLanguage(1);

    for (int port = kFirstPort; port < kFirstPort + 3; ++port)
        EXPECT_TRUE(std::filesystem::exists(
            backups.file("last-transfer-Com" + std::to_string(port) + ".trace")));

    // Retry Failed writes the silent radio only; it fails again.
    const int sessions = radios[0]->count("rx PROGRAM");
    runWrites(*fleet, [&] { return fleet->retryFailed(); });
    EXPECT_EQ(radios[0]->count("rx PROGRAM"), sessions);
    EXPECT_EQ(radios[1]->count("rx PROGRAM"), 2);
    EXPECT_EQ(table->item(0, FleetWindow::PortColumn)->checkState(), Qt::Unchecked);

    EXPECT_EQ(displayOf(0), "CLUB01");
    EXPECT_EQ(displayOf(2), "CLUB03");
    // A verified radio's report line ends in the fingerprint of what it holds, as its printed
    // sheet shows it (each its own: the display texts differ); a failed one's is empty.
    for (std::size_t radio : {0u, 2u}) {
        MemoryImage held;
        ASSERT_TRUE(ParseDataFile(ReadFileBytes(memories[radio]), held).ok());
        EXPECT_TRUE(Has(csv, ",written,verified," + link::WriteFingerprint(held) + "\n")) << csv;
    }
}

// SIGTERM or SIGINT to the program while the writes run: every radio is sent End at once and
// its port closed, as the program's handler asks the main window.
TEST_F(FleetWindowTest, AStopSignalSendsEndToEveryRadioAtOnce) {
    const std::vector<std::string> late = {"--latency", "5"};
    startRadios({late, late, late});
    addChannel(1);
    FleetWindow* fleet = window->showFleet();
    ASSERT_TRUE(fleet->start());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (const auto& radio : radios)
                if (radio->count("rx Write 0x100") == 0) return false;
            return true;
        },
        10000));
    window->stopTransfersForExit();
    for (const auto& radio : radios) {
        EXPECT_TRUE(radio->waitForLog("rx End"));
        radio->stop();
        EXPECT_LT(radio->count("rx Write"), 191);
    }
}

// Nothing starts without a ticked radio, nor while the main window's transfer holds the
// commands; the numbering refuses what would not fit.
TEST_F(FleetWindowTest, RefusesToStartOrNumberWhatCannotBe) {
    ports.openable(kFirstPort);
    ports.openable(kFirstPort + 1);
    FleetWindow* fleet = window->showFleet();
    table = find<QTableWidget>(fleet, "FleetTable");
    ASSERT_EQ(table->rowCount(), 2);
    table->item(0, FleetWindow::DisplayColumn)->setText("CLUB99");
    EXPECT_FALSE(fleet->fillDown());
    EXPECT_EQ(cell(1, FleetWindow::DisplayColumn), "");
    for (int row = 0; row < 2; ++row)
        table->item(row, FleetWindow::PortColumn)->setCheckState(Qt::Unchecked);
    const std::size_t shown = boxes.shown.size();
    EXPECT_FALSE(fleet->start());
    EXPECT_EQ(boxes.shown.size(), shown + 1);  // "Tick the radios to write."
    table->item(0, FleetWindow::PortColumn)->setCheckState(Qt::Checked);
    fleet->setStartAllowed(false);
    EXPECT_FALSE(find<QPushButton>(fleet, "FleetStart")->isEnabled());
    EXPECT_FALSE(fleet->start());
    EXPECT_FALSE(fleet->isRunning());
}

}  // namespace
}  // namespace varel::test
