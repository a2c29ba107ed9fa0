// Reads and writes through the program's commands against the virtual radio on a
// pseudo-terminal: the progress window, every ending with its message, the cool-down of the
// commands and what reaches the document or the radio's memory.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolBar>
#include <filesystem>
#include <tuple>

#include "app/transfer_controller.h"
#include "cli/sim_process.h"
#include "editors/channel_grid.h"
#include "editors/port_window.h"
#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "image/image_codec.h"
#include "link/frames.h"
#include "session/service_modes.h"
#include "sim/radio_memory.h"
#include "support/temp_dir.h"
#include "ui/progress_window.h"

namespace varel::test {
namespace {

constexpr int kSimPort = 20;
constexpr std::size_t kTuningAHigh = 0x7F0;  // image byte of tuning slider 0

class TransferTest : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        qunsetenv("VAREL_COM20");
    }
    TransferController& transfers() { return *window->transfers(); }

    // Starts the virtual radio on its memory file (saved after each write) as port 20.
    void startRadio(std::vector<std::string> args) {
        ASSERT_TRUE(WriteFileBytes(memoryFile, BuildDataFile(sim::SampleImage())));
        args.insert(args.end(), {"--memory", memoryFile, "--save"});
        sim = std::make_unique<SimProcess>();
        ASSERT_TRUE(sim->start(args));
        qputenv("VAREL_COM20", QByteArray::fromStdString(sim->device()));
        window->setPortNumber(kSimPort);
        // Timer1 is driven by hand; its real ticks never come.
        transfers().reenableTimer().setInterval(3600 * 1000);
    }
    // Triggers a command and waits until the transfer's ending has been handled.
    void run(const char* command) {
        QSignalSpy ended(&transfers(), &TransferController::transferEnded);
        action(command)->trigger();
        ASSERT_TRUE(ended.wait(30000));
    }
    MemoryImage radioMemory() {
        sim->stop();
        MemoryImage image;
        EXPECT_TRUE(LoadDataFile(memoryFile, image).ok());
        return image;
    }
    // The hidden gesture: the mode's three captions clicked within a second.
    void switchOn(ServiceMode mode) {
        for (int caption : {0, 1, 2}) window->serviceModes()->captionClicked(mode, caption);
        ASSERT_TRUE(window->serviceModes()->isOn(mode));
    }
    // Timer1's ticks until the commands come back after a transfer.
    void coolDown() {
        for (int tick = 0; tick <= TransferController::kReenableSilentTicks; ++tick)
            transfers().OnReenableTimerTick();
    }
    bool commandsEnabled() {
        const bool enabled = action("MNRead")->isEnabled();
        for (const char* name : {"MNWrite", "TRead", "TWrite"})
            EXPECT_EQ(action(name)->isEnabled(), enabled) << name;
        return enabled;
    }

    TempDir dir;
    std::string memoryFile = dir.file("radio.dat");
    std::unique_ptr<SimProcess> sim;
};

TEST_F(TransferTest, ReadEditWriteWithTheCoolDownAndTheDebugMode) {
    startRadio({});
    window->setPortNumber(0);  // chosen in the port window, used by the next read at once
    ports.openable(kSimPort);
    window->portWindow()->setProbeResults(ports.FindCom());
    action("MNCommPort")->trigger();
    QTest::mouseClick(window->portWindow()->option(kSimPort), Qt::LeftButton);

    bool quietDuringMessage = false;
    boxes.onShow = [&](const ShownMessage&) {
        quietDuringMessage = !commandsEnabled() && !transfers().progressWindow()->isVisible();
    };
    // A frequency being typed in Text1 is taken over before the read starts.
    auto* grid = find<ChannelGrid>(form("Form1"), "Grid1");
    const QRect cell = grid->visualItemRect(grid->item(ChannelGrid::QtRow(3), 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClicks(find<QLineEdit>(form("Form1"), "Text1"), "145.5");

    QSignalSpy ended(&transfers(), &TransferController::transferEnded);
    action("MNRead")->trigger();
    EXPECT_FALSE(find<QLineEdit>(form("Form1"), "Text1")->isVisible());
    EXPECT_EQ(session->channels().cell(3, 1), "145.50000");
    ProgressWindow* progress = transfers().progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(progress->windowTitle(), "正在读取……");
    EXPECT_EQ(find<QLabel>(progress, "Label1")->text(), "正在读频，请稍候。");
    QTest::keyClick(progress, Qt::Key_Escape);  // only the transfer ends the window
    EXPECT_FALSE(progress->close());
    EXPECT_FALSE(commandsEnabled());
    ASSERT_TRUE(ended.wait(30000));

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().text, "读频成功！");
    EXPECT_EQ(boxes.last().title, "提示");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly);
    EXPECT_TRUE(quietDuringMessage);
    EXPECT_EQ(progress->step(), link::kLastStep);
    const MemoryImage sample = sim::SampleImage();
    Configuration expected;
    DecodeImage(sample, expected, Language::Chinese);
    EXPECT_EQ(session->channels().model(), expected.channels);
    EXPECT_EQ(session->channels().cell(5, 10), "UHF-CALL");
    EXPECT_EQ(session->settings(), expected.settings);
    // The read left its backup.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(backups.path()))
        names.push_back(entry.path().filename().string());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].rfind("read-", 0), 0u);
    MemoryImage backup;
    ASSERT_TRUE(LoadDataFile(backups.file(names[0]), backup).ok());
    for (std::size_t i = 0; i < kConfigSize; ++i) ASSERT_EQ(backup.at(i), sample.at(i)) << i;

    // Timer1 runs from the closing of the message; its 12th tick brings the commands back.
    EXPECT_TRUE(transfers().reenableTimer().isActive());
    for (int tick = 1; tick <= TransferController::kReenableSilentTicks; ++tick)
        transfers().OnReenableTimerTick();
    EXPECT_FALSE(commandsEnabled());
    transfers().OnReenableTimerTick();
    EXPECT_TRUE(commandsEnabled());
    EXPECT_FALSE(transfers().reenableTimer().isActive());

    // A write sends the edit; the tuning blocks only in the debug mode. A backup folder that
    // cannot be made stops neither: the status bar says why.
    session->edit("", [](Document& d) {
        d.channels.CommitName(4, "EDITED");
        d.settings.setTuning(0, 100);
    });
    std::filesystem::remove_all(backups.path());
    ASSERT_TRUE(WriteFileBytes(backups.path().string(), {1}));
    for (bool debug : {false, true}) {
        if (debug) switchOn(ServiceMode::Debug);
        coolDown();
        run("MNWrite");
        EXPECT_EQ(boxes.last().text, "写频成功！");
        EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("无法保存备份"));
        EXPECT_FALSE(commandsEnabled());
    }
    const MemoryImage radio = radioMemory();
    Configuration written;
    DecodeImage(radio, written, Language::Chinese);
    EXPECT_EQ(written.channels.channel(4).name, "EDITED");
    EXPECT_EQ(radio.at(kTuningAHigh), 100);
    EXPECT_EQ(sim->count("rx Write 0x7F0"), 1);
    EXPECT_EQ(sim->count("rx Write"), 191 + 193);
}

TEST_F(TransferTest, SilentOrUnpluggedRadioEndsInTheCommunicationError) {
    // ends: End frames the radio hears at the least
    const std::tuple<std::vector<std::string>, int, const char*, const char*, int> cases[] = {
        {{"--silent"},
         1,
         "Communication error, check the line and the serial connection selection!",
         "Mistake",
         1},
        {{"--exit-after", "40"}, 0, "通信出错，请检查对讲机，连线及串口选择！", "错误", 0},
    };
    for (const auto& [fault, flag, text, title, ends] : cases) {
        SCOPED_TRACE(fault[0]);
        start(flag);
        startRadio(fault);
        session->edit("", [](Document& d) { d.channels.CommitName(2, "KEEP"); });
        const Document before = session->document();
        boxes.shown.clear();
        find<QWidget>(window->findChild<QToolBar*>("BandStrip"), "Combo1")->setFocus();
        run("TRead");
        ASSERT_EQ(boxes.shown.size(), 1u);
        // The sentence as it is, then a second line naming the port's device.
        EXPECT_EQ(boxes.last().text, QString(text) + "\n" + QString::fromStdString(sim->device()));
        EXPECT_EQ(boxes.last().title, title);
        EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Critical);
        // Status panel 1 keeps the port of the start; the grid has the keyboard back.
        EXPECT_EQ(window->statusPanel(1)->text(), "COM: 0");
        QApplication::processEvents();
        EXPECT_EQ(window->focusWidget(), window->findChild<ChannelGrid*>("Grid1"));
        EXPECT_FALSE(transfers().progressWindow()->isVisible());
        EXPECT_TRUE(commandsEnabled());
        EXPECT_FALSE(transfers().reenableTimer().isActive());
        EXPECT_TRUE(session->document().channels == before.channels);
        EXPECT_TRUE(session->document().settings == before.settings);
        sim->stop();
        EXPECT_GE(sim->count("rx End"), ends);
    }
    // The blocks read before the line went down stay in InImage (the one sent as it went
    // down may be lost with it).
    const MemoryImage sample = sim::SampleImage();
    for (std::size_t i = 0; i < 39 * 16; ++i)
        ASSERT_EQ(session->InImage().at(i), sample.at(i)) << "byte " << i;
}

TEST_F(TransferTest, BandMismatchIsRefusedOrAskedWithForceWriteMode) {
    // The answer to the question, when it is asked; the last message shown; blocks received.
    const std::tuple<bool, int, const char*, int> cases[] = {
        {false, MsgResult::Ok, "频段不符，不能写入！", 0},
        {true, MsgResult::Cancel, "频段不符，是否强制写入？", 0},
        {true, MsgResult::Ok, "写频成功！", 191},
    };
    for (const auto& [force, answer, lastMessage, writes] : cases) {
        SCOPED_TRACE(lastMessage);
        start(0);
        startRadio({"--band", "1"});
        if (force) switchOn(ServiceMode::ForceWrite);
        boxes.shown.clear();
        boxes.answers = {answer};
        std::vector<bool> progressShown;  // at each message
        boxes.onShow = [&](const ShownMessage&) {
            progressShown.push_back(transfers().progressWindow()->isVisible());
        };
        run("MNWrite");
        EXPECT_EQ(boxes.last().text, lastMessage);
        // The question and the refusal come while the progress window is still up.
        EXPECT_TRUE(progressShown.at(0));
        EXPECT_FALSE(transfers().progressWindow()->isVisible());
        EXPECT_EQ(commandsEnabled(), writes == 0);
        const ShownMessage first = boxes.shown.front();
        EXPECT_EQ(first.title, force ? "注意" : "错误");
        EXPECT_EQ(first.style, force ? MsgStyle::OkCancel | MsgStyle::Question |
                                           MsgStyle::DefaultButton2 | MsgStyle::SystemModal
                                     : MsgStyle::OkOnly | MsgStyle::Exclamation);
        sim->stop();
        EXPECT_EQ(sim->count("rx Write"), writes);
        EXPECT_GE(sim->count("rx End"), 1);
        boxes.onShow = nullptr;
    }
}

TEST_F(TransferTest, InvalidPortStartsNothing) {
    qputenv("VAREL_COM20", "/nonexistent/tty");
    // The message keeps its text; a second line names the device and why it cannot be used.
    const std::tuple<int, const char*, const char*> cases[] = {
        {0, "MNRead", "串行端口无效\n未选择串口。"},
        {kSimPort, "MNWrite", "串行端口无效\n/nonexistent/tty: 设备不存在"}};
    for (const auto& [port, command, text] : cases) {
        SCOPED_TRACE(command);
        window->setPortNumber(port);
        boxes.shown.clear();
        action(command)->trigger();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.last().text, QString::fromUtf8(text));
        EXPECT_EQ(boxes.last().title, "");
        EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly);
        EXPECT_EQ(transfers().progressWindow(), nullptr);
        EXPECT_TRUE(commandsEnabled());
        EXPECT_TRUE(session->OutImage() == MemoryImage());
    }
}

// The safety around the transfers: the check before writing, the read-back after it, and the
// Cancel of a read. The wire of a plain transfer stays as it is.
TEST_F(TransferTest, TheCheckBeforeWritingCanStopTheWriteBeforeAnyFrame) {
    startRadio({});
    session->edit("", [&](Document& d) {
        d.settings.setText(SettingId::AFrequency, "300.00000");  // between the two ranges
    });
    boxes.answers = {MsgResult::Cancel};
    action("MNWrite")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().title, "写频前检查");
    EXPECT_TRUE(boxes.last().text.contains("300.00000")) << qPrintable(boxes.last().text);
    EXPECT_EQ(transfers().progressWindow(), nullptr);
    EXPECT_TRUE(commandsEnabled());
    // Write anyway: the write goes on as usual.
    run("MNWrite");
    EXPECT_EQ(boxes.last().text, "写频成功！");
    sim->stop();
    EXPECT_EQ(sim->count("rx Write"), 191);
    EXPECT_EQ(sim->count("rx PROGRAM"), 1);  // the cancelled write sent no wake-up frame
}

TEST_F(TransferTest, VerifyAfterWriteReadsBackWithoutTouchingTheEditorsAndNamesWhatDiffers) {
    transfers().setSettleMs(0);
    action("MNVerify")->trigger();
    EXPECT_TRUE(settings.verify);  // remembered at once
    for (const bool corrupt : {false, true}) {
        SCOPED_TRACE(corrupt);
        std::vector<std::string> fault;
        if (corrupt) fault = {"--corrupt-write", "0x2B"};  // a byte of channel 4
        startRadio(fault);
        session->edit("", [](Document& d) { d.channels.CommitName(9, "MINE"); });
        const Document before = session->document();
        boxes.shown.clear();
        run("MNWrite");
        ASSERT_EQ(boxes.shown.size(), 1u);
        if (corrupt) {
            EXPECT_TRUE(boxes.last().text.contains("0x020")) << qPrintable(boxes.last().text);
            EXPECT_TRUE(boxes.last().text.contains("4")) << qPrintable(boxes.last().text);
            EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Critical);
        } else {
            EXPECT_TRUE(boxes.last().text.startsWith("写频成功！\n校验通过"));
        }
        EXPECT_TRUE(session->document().channels == before.channels);
        sim->stop();
        EXPECT_EQ(sim->count("rx Read"), 193);  // one complete read session after the write
        coolDown();
    }
}

TEST_F(TransferTest, CancelEndsAReadAndLeavesTheEditorsAsTheyWere) {
    startRadio({"--pace"});
    session->edit("", [](Document& d) { d.channels.CommitName(2, "KEEP"); });
    const Document before = session->document();
    QSignalSpy ended(&transfers(), &TransferController::transferEnded);
    action("MNRead")->trigger();
    ProgressWindow* progress = transfers().progressWindow();
    auto* cancel = find<QPushButton>(progress, "CmdCancel");
    ASSERT_TRUE(cancel->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->step() > 10; }, 10000));
    cancel->click();
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_TRUE(commandsEnabled());
    EXPECT_TRUE(session->document().channels == before.channels);
    sim->stop();
    EXPECT_GE(sim->count("rx End"), 1);
    // A write's window has no Cancel: it says why instead.
    progress->begin("w", "w", false);
    EXPECT_FALSE(cancel->isVisibleTo(progress));
    EXPECT_TRUE(find<QLabel>(progress, "LabelNote")->isVisibleTo(progress));
    progress->hide();
}

}  // namespace
}  // namespace varel::test
