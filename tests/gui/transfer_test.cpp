// Reads and writes through the program's commands against the virtual radio on a
// pseudo-terminal: the progress window, every ending with its message, the cool-down of the
// commands and what reaches the document or the radio's memory.
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidgetItem>
#include <QTimer>
#include <QToolBar>
#include <csignal>
#include <filesystem>
#include <functional>
#include <tuple>

#include "app/transfer_controller.h"
#include "checks/write_check.h"
#include "cli/sim_process.h"
#include "editors/channel_grid.h"
#include "editors/port_window.h"
#include "files/backups.h"
#include "files/data_file.h"
#include "gui/app_fixture.h"
#include "gui/shown_values.h"
#include "image/channel_codec.h"
#include "image/channel_columns.h"
#include "image/image_codec.h"
#include "link/frames.h"
#include "link/serial_transfer.h"
#include "link/stop_signals.h"
#include "link/transfer_trace.h"
#include "link/write_fingerprint.h"
#include "session/service_modes.h"
#include "sim/radio_memory.h"
#include "support/temp_dir.h"
#include "ui/progress_window.h"

namespace varel::test {
namespace {

constexpr int kSimPort = 20;
constexpr std::size_t kTuningAHigh = 0x7F0;  // image byte of tuning slider 0

// Runs the event loop until done() holds, looking every 10 ms, at most timeoutMs; false on the
// timeout.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 30000) {
    QEventLoop loop;
    QTimer look;
    look.setInterval(10);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    look.start();
    if (!done()) loop.exec();
    return done();
}

class TransferTest : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        qunsetenv("VAREL_COM20");
    }
    TransferController& transfers() { return *window->transfers(); }

    // Starts the virtual radio on its memory file (saved after each write) as port 20.
    void startRadio(std::vector<std::string> args, const MemoryImage& memory = sim::SampleImage()) {
        ASSERT_TRUE(WriteFileBytes(memoryFile, BuildDataFile(memory)));
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
    // A channel in the fresh configuration, so that the check before writing has nothing to
    // say (it would ask about a write that erases every channel).
    void addChannel() {
        session->edit("", [](Document& d) {
            d.channels.CommitFrequency(1, 1, "145.5", *BandBounds(0), Language::Chinese);
        });
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
        if (entry.path().filename() != kBackupIndexName &&
            entry.path().filename() != kLastTraceName)
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
        // The status bar points to the connection doctor.
        EXPECT_TRUE(window->statusBar()->currentMessage().contains(flag ? "Diagnose Connection"
                                                                        : "连接诊断"))
            << window->statusBar()->currentMessage().toStdString();
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
        addChannel();
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
        // A write backup only of the write the radio accepted.
        EXPECT_EQ(ListBackups(backups.path().string()).size(), writes == 0 ? 0u : 1u);
        boxes.onShow = nullptr;
    }
}

// SIGTERM or SIGINT to the program during a transfer: the program's handler reaches the
// controller, which sends End and closes the port before the program ends.
TEST_F(TransferTest, AStopSignalDuringATransferSendsEndAndClosesThePort) {
    for (const int signo : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signo);
        start(0);
        startRadio({"--pace"});
        addChannel();
        int caught = 0;
        link::StopSignals stop([&](int number) {
            caught = number;
            transfers().stopForExit();
        });
        action("MNWrite")->trigger();
        ASSERT_TRUE(WaitUntil([&] { return sim->count("rx Write 0x100") == 1; }));
        ::raise(signo);
        ASSERT_TRUE(WaitUntil([&] { return caught == signo; }));
        ASSERT_TRUE(sim->waitForLog("rx End"));
        // The port is free again at once, and nothing more reaches the radio.
        link::SerialTransfer other;
        EXPECT_TRUE(other.open(QString::fromStdString(sim->device())));
        EXPECT_TRUE(boxes.shown.empty());
        sim->stop();
        EXPECT_LT(sim->count("rx Write"), 191);
        EXPECT_EQ(sim->count("rx End"), 1);
        // The trace of the cut transfer is kept, up to its End.
        const auto bytes = ReadFileBytes(backups.file(kLastTraceName));
        link::Trace trace;
        std::string problem;
        ASSERT_TRUE(link::ParseTrace(std::string(bytes.begin(), bytes.end()), trace, problem))
            << problem;
        EXPECT_EQ(trace.direction, "write");
        ASSERT_FALSE(trace.events.empty());
        EXPECT_EQ(trace.events.back().bytes, std::vector<std::uint8_t>{link::kEnd});
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
        addChannel();
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

// A write pressed on a fresh start says that it would erase the radio's channels.
TEST_F(TransferTest, TheCheckBeforeWritingListsAWriteWithoutAnyChannel) {
    startRadio({});
    boxes.answers = {MsgResult::Cancel};
    action("MNWrite")->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().title, "写频前检查");
    EXPECT_TRUE(boxes.last().text.contains("所有频道都是空的")) << qPrintable(boxes.last().text);
    sim->stop();
    EXPECT_EQ(sim->count("rx PROGRAM"), 0);
}

// A value the program cannot show as a number comes from the radio as it is: it is shown and
// written exactly as read, and only marked: red text, a tooltip, the count in the status bar,
// and Next Problem goes to it.
TEST_F(TransferTest, ADoubtfulValueReadIsFlaggedAndKeptAsRead) {
    MemoryImage memory = sim::SampleImage();
    const std::size_t record = ChannelRecordOffset(8);
    const std::uint8_t field[] = {0x25, 0xF6, 0x95, 0x44};  // 449.5F625
    for (std::size_t k = 0; k < 4; ++k) memory.set(record + k, field[k]);
    startRadio({}, memory);
    run("MNRead");
    auto* grid = window->findChild<ChannelGrid*>("Grid1");
    ASSERT_NE(grid, nullptr);
    QTableWidgetItem* cell = grid->item(ChannelGrid::QtRow(8), 1);
    EXPECT_EQ(cell->text(), "449.5F625");
    EXPECT_EQ(cell->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(cell->background().color(), QColor(192, 192, 255));  // an even row's colour stays
    EXPECT_EQ(cell->toolTip(), QString::fromUtf8("频道 8: 接收频率 449.5F625 不是有效频率"));
    const QTableWidgetItem* plain = grid->item(ChannelGrid::QtRow(8), 3);
    EXPECT_TRUE(plain->toolTip().isEmpty());
    EXPECT_FALSE(plain->data(Qt::ForegroundRole).isValid());

    const int count =
        static_cast<int>(CheckValues(session->channels().model(), session->settings()).size());
    auto* flagCount = window->findChild<QLabel*>("FlagCount");
    ASSERT_NE(flagCount, nullptr);
    EXPECT_TRUE(flagCount->text().startsWith(QString("%1 个可疑值").arg(count)))
        << qPrintable(flagCount->text());

    coolDown();  // the channel commands come back with the others
    grid->goTo(7, kNameColumn);
    action("MNChannelNextProblem")->trigger();
    EXPECT_EQ(grid->currentChannel(), 8);
    EXPECT_EQ(grid->currentColumn(), 1);

    // Flagging changed no byte: the channel is encoded as it was read.
    session->encode();
    for (std::size_t k = 0; k < kChannelRecordSize; ++k)
        EXPECT_EQ(session->OutImage().at(record + k), memory.at(record + k)) << "byte " << k;

    // An edit that mends it takes the mark away.
    session->edit("", [](Document& d) {
        d.channels.CommitFrequency(8, 1, "435", *BandBounds(0), Language::Chinese);
    });
    EXPECT_TRUE(cell->toolTip().isEmpty());
    EXPECT_FALSE(cell->data(Qt::ForegroundRole).isValid());
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
        addChannel();
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
            // The fingerprint the paper of this configuration carries.
            EXPECT_TRUE(boxes.last().text.endsWith(
                "\n数据指纹：" +
                QString::fromStdString(link::WriteFingerprint(session->OutImage()))))
                << qPrintable(boxes.last().text);
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

// A read is one undo step: its undo brings back every editor as it was before the read, from the
// document alone; the radio, the port, InImage and the backups are left as the read left them.
TEST_F(TransferTest, AnUndoneReadRestoresTheEditorsAndTouchesNeitherRadioNorBackups) {
    startRadio({});
    session->edit("start", [](Document& d) {
        d.channels.CommitName(5, "KEEP");
        d.settings.setBand(2);
        d.settings.setFmChannel(3, "88.10");
        d.settings.setTuning(0, 100);
    });
    const Document before = session->document();
    const QStringList shownBefore = ShownValues(*window);
    run("MNRead");
    ASSERT_EQ(boxes.last().text, "读频成功！");
    const Document read = session->document();
    const QStringList shownRead = ShownValues(*window);
    ASSERT_NE(read, before);
    const MemoryImage in = session->InImage();
    const std::string radioLog = sim->log();
    const std::size_t messages = boxes.shown.size();
    // Neither the undo nor the redo reaches InImage, the backups, the radio or the user.
    auto leftAlone = [&] {
        EXPECT_TRUE(session->InImage() == in);
        EXPECT_EQ(ListBackups(backups.path().string()).size(), 1u);
        EXPECT_EQ(boxes.shown.size(), messages);
        EXPECT_FALSE(transfers().progressWindow()->isVisible());
        EXPECT_EQ(sim->log(), radioLog);  // not a byte to or from the radio
    };

    EXPECT_EQ(action("MNUndo")->text(), "撤销 读频(&U)");
    window->setLanguage(1);
    EXPECT_EQ(action("MNUndo")->text(), "Undo Read(&U)");
    window->setLanguage(0);
    action("MNUndo")->trigger();
    EXPECT_EQ(session->document(), before);
    EXPECT_EQ(ShownValues(*window), shownBefore);
    EXPECT_EQ(action("MNUndo")->text(), "撤销 start(&U)");
    EXPECT_EQ(action("MNRedo")->text(), "重做 读频(&R)");
    leftAlone();
    action("MNRedo")->trigger();
    EXPECT_EQ(session->document(), read);
    EXPECT_EQ(ShownValues(*window), shownRead);
    leftAlone();
}

// Every transfer, good or failed, leaves its trace as last-transfer.trace beside the backups;
// a trace that cannot be saved breaks no transfer.
TEST_F(TransferTest, TheLastTransferLeavesItsTraceBesideTheBackups) {
    const std::string path = backups.file(kLastTraceName);
    auto lastTrace = [&] {
        const auto bytes = ReadFileBytes(path);
        link::Trace trace;
        std::string problem;
        EXPECT_TRUE(link::ParseTrace(std::string(bytes.begin(), bytes.end()), trace, problem))
            << problem;
        return trace;
    };
    auto sentLines = [](const link::Trace& trace) {
        int n = 0;
        for (const auto& event : trace.events) n += event.sent;
        return n;
    };
    startRadio({});
    run("MNRead");
    ASSERT_EQ(boxes.last().text, "读频成功！");
    link::Trace trace = lastTrace();
    EXPECT_EQ(trace.direction, "read");
    EXPECT_EQ(trace.port, sim->device());
    ASSERT_FALSE(trace.events.empty());
    EXPECT_EQ(trace.events.front().bytes,
              std::vector<std::uint8_t>(link::kWakeUp.begin(), link::kWakeUp.end()));
    // One line a call: wake-up, Identify, the identification's acknowledge, 193 requests of
    // 4 calls each with the acknowledge of their block, and two End frames.
    EXPECT_EQ(sentLines(trace), 1 + 1 + 1 + 193 * 5 + 2);
    EXPECT_EQ(trace.events.back().bytes, std::vector<std::uint8_t>{link::kEnd});
    sim->stop();

    // A silent radio's read replaces it: the wake-up and the End of the timeout, nothing heard.
    coolDown();
    startRadio({"--silent"});
    run("MNRead");
    trace = lastTrace();
    ASSERT_EQ(trace.events.size(), 2u);
    EXPECT_TRUE(trace.events[0].sent && trace.events[1].sent);
    sim->stop();

    // A backup folder that cannot be made: the read still ends as it would, and says why the
    // trace is missing.
    std::filesystem::remove_all(backups.path());
    ASSERT_TRUE(WriteFileBytes(backups.path().string(), {1}));
    startRadio({"--silent"});
    boxes.shown.clear();
    QSignalSpy notices(&transfers(), &TransferController::notice);
    run("MNRead");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.last().text.startsWith("通信出错"));
    // Said in the status bar before the pointer to the connection doctor that follows a
    // communication error.
    ASSERT_EQ(notices.size(), 2);
    EXPECT_TRUE(notices[0][0].toString().startsWith("无法保存传输记录"))
        << notices[0][0].toString().toStdString();
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("编程 > 连接诊断"));
    EXPECT_TRUE(commandsEnabled());
}

}  // namespace
}  // namespace varel::test
