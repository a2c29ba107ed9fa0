// Reads and writes through the program's commands against the virtual radio on a
// pseudo-terminal: the progress window, every ending with its message, the commands' cool-down
// and what reaches the document or the radio's memory.
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>

#include "app_fixture.h"
#include "data_file.h"
#include "image_codec.h"
#include "port_window.h"
#include "progress_window.h"
#include "radio_memory.h"
#include "service_modes.h"
#include "sim_process.h"
#include "temp_dir.h"
#include "transfer_controller.h"

namespace varel::test {
namespace {

constexpr int kSimPort = 20;
constexpr int kTransferMs = 30000;
constexpr std::size_t kTuningAHigh = 0x7F0;  // image byte of tuning slider 0

class TransferTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        memoryFile = dir.file("radio.dat");
        ASSERT_TRUE(WriteFileBytes(memoryFile, BuildDataFile(sim::SampleImage())));
        // Timer1 is driven by hand where a test looks at it; real ticks never come.
        transfers().reenableTimer().setInterval(3600 * 1000);
    }
    void TearDown() override {
        AppFixture::TearDown();
        qunsetenv("VAREL_COM20");
    }

    TransferController& transfers() { return *window->transfers(); }

    // Starts the virtual radio (with --memory and --save) and attaches it as port 20.
    void startRadio(std::vector<std::string> args) {
        args.insert(args.end(), {"--memory", memoryFile, "--save"});
        sim = std::make_unique<SimProcess>();
        ASSERT_TRUE(sim->start(args));
        qputenv("VAREL_COM20", QByteArray::fromStdString(sim->device()));
        session->setPortNumber(kSimPort);
    }

    // Triggers a command and waits for the transfer's ending to be handled.
    void run(const char* command) {
        QSignalSpy ended(&transfers(), &TransferController::transferEnded);
        action(command)->trigger();
        ASSERT_TRUE(ended.wait(kTransferMs));
    }

    // The radio's memory as it saved it, decoded.
    MemoryImage radioMemory() {
        sim->stop();
        MemoryImage image;
        EXPECT_TRUE(LoadDataFile(memoryFile, image).ok());
        return image;
    }

    bool commandsEnabled() {
        bool all = true, any = false;
        for (const char* name : {"MNRead", "MNWrite", "TRead", "TWrite"}) {
            all = all && action(name)->isEnabled();
            any = any || action(name)->isEnabled();
        }
        EXPECT_EQ(all, any) << "the four commands go together";
        return all;
    }

    // The document before a transfer, to compare with the one after a failed transfer.
    Document documentBefore() {
        session->edit("", [](Document& d) { d.channels.CommitName(2, "KEEP"); });
        return session->document();
    }

    TempDir dir;
    std::string memoryFile;
    std::unique_ptr<SimProcess> sim;
};

TEST_F(TransferTest, ReadEditWriteAndTheCoolDown) {
    startRadio({});
    // The port is chosen in the port window; the read uses it at once.
    session->setPortNumber(0);
    ports.openable(kSimPort);
    window->portWindow()->setProbeResults(ports.FindCom());
    action("MNCommPort")->trigger();
    QTest::mouseClick(window->portWindow()->option(kSimPort), Qt::LeftButton);

    QSignalSpy ended(&transfers(), &TransferController::transferEnded);
    bool commandsDuringMessage = true;
    boxes.onShow = [&](const ShownMessage&) {
        commandsDuringMessage = commandsEnabled() || transfers().progressWindow()->isVisible();
    };
    action("MNRead")->trigger();
    ProgressWindow* progress = transfers().progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(progress->windowTitle(), "正在读取……");
    EXPECT_EQ(find<QLabel>(progress, "Label1")->text(), "正在读频，请稍候。");
    EXPECT_FALSE(commandsEnabled());
    ASSERT_TRUE(ended.wait(kTransferMs));

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().text, "读频成功！");
    EXPECT_EQ(boxes.last().title, "提示");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly);
    EXPECT_FALSE(commandsDuringMessage);
    EXPECT_EQ(progress->step(), ProgressWindow::kLastStep);
    Configuration expected;
    DecodeImage(sim::SampleImage(), expected, Language::Chinese);
    EXPECT_EQ(session->channels().model(), expected.channels);
    EXPECT_EQ(session->channels().cell(5, 10), "UHF-CALL");
    EXPECT_EQ(session->settings(), expected.settings);

    // Cool-down: Timer1 runs from the closing of the message; the 12th tick brings the
    // commands back.
    EXPECT_TRUE(transfers().reenableTimer().isActive());
    for (int tick = 1; tick <= TransferController::kReenableSilentTicks; ++tick) {
        transfers().OnReenableTimerTick();
        EXPECT_FALSE(commandsEnabled()) << "tick " << tick;
    }
    transfers().OnReenableTimerTick();
    EXPECT_TRUE(commandsEnabled());
    EXPECT_FALSE(transfers().reenableTimer().isActive());

    session->edit("", [](Document& d) {
        d.channels.CommitName(4, "EDITED");
        d.settings.setTuning(0, 100);
    });
    run("MNWrite");
    EXPECT_EQ(boxes.last().text, "写频成功！");
    EXPECT_EQ(boxes.last().title, "提示");
    EXPECT_FALSE(commandsEnabled());
    EXPECT_TRUE(transfers().reenableTimer().isActive());

    const MemoryImage radio = radioMemory();
    Configuration written;
    DecodeImage(radio, written, Language::Chinese);
    EXPECT_EQ(written.channels.channel(4).name, "EDITED");
    EXPECT_EQ(written.channels.channel(5).name, "UHF-CALL");
    // Without the debug mode the tuning blocks stay as the radio had them.
    EXPECT_EQ(radio.at(kTuningAHigh), sim::SampleImage().at(kTuningAHigh));
    EXPECT_EQ(sim->count("rx Write 0x7F0"), 0);
    EXPECT_EQ(sim->count("rx Write"), 191);
}

TEST_F(TransferTest, DebugModeWriteSendsTheTuningBlocks) {
    startRadio({});
    window->serviceModes()->setOn(ServiceMode::Debug, true);
    session->edit("", [](Document& d) { d.settings.setTuning(0, 100); });
    run("MNWrite");
    EXPECT_EQ(boxes.last().text, "写频成功！");
    EXPECT_EQ(radioMemory().at(kTuningAHigh), 100);
    EXPECT_EQ(sim->count("rx Write 0x7E0"), 1);
    EXPECT_EQ(sim->count("rx Write 0x7F0"), 1);
}

TEST_F(TransferTest, SilentRadioEndsInTheCommunicationErrorInEnglish) {
    start(1);
    startRadio({"--silent"});
    const Document before = documentBefore();
    QSignalSpy ended(&transfers(), &TransferController::transferEnded);
    action("TRead")->trigger();
    EXPECT_EQ(transfers().progressWindow()->windowTitle(), "Reading……");
    EXPECT_EQ(find<QLabel>(transfers().progressWindow(), "Label1")->text(),
              "Data is reading, please wait a moment.");
    ASSERT_TRUE(ended.wait(kTransferMs));

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.last().text,
              "Communication error, check the line and the serial connection selection!");
    EXPECT_EQ(boxes.last().title, "Mistake");
    EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Critical);
    EXPECT_FALSE(transfers().progressWindow()->isVisible());
    EXPECT_TRUE(commandsEnabled());
    EXPECT_FALSE(transfers().reenableTimer().isActive());
    EXPECT_TRUE(session->document().channels == before.channels);
    sim->stop();
    EXPECT_GE(sim->count("rx End"), 1);
}

TEST_F(TransferTest, RadioUnpluggedMidReadKeepsTheEditorsAndTheBlocksRead) {
    startRadio({"--exit-after", "40"});
    const Document before = documentBefore();
    run("MNRead");
    EXPECT_EQ(boxes.last().text, "通信出错，请检查对讲机，连线及串口选择！");
    EXPECT_EQ(boxes.last().title, "错误");
    EXPECT_TRUE(commandsEnabled());
    EXPECT_TRUE(session->document().channels == before.channels);
    EXPECT_TRUE(session->document().settings == before.settings);
    // The block sent as the line went down may be lost with it; those before it are kept.
    const MemoryImage sample = sim::SampleImage();
    for (std::size_t i = 0; i < 39 * 16; ++i)
        ASSERT_EQ(session->InImage().at(i), sample.at(i)) << "byte " << i;
}

TEST_F(TransferTest, BandMismatchIsRefusedOrAskedWithForceWriteMode) {
    struct Case {
        bool force;
        int answer;               // answer to the question, when it is asked
        const char* lastMessage;  // the last message shown
        int writes;               // blocks the radio received
    };
    const Case cases[] = {
        {false, MsgResult::Ok, "频段不符，不能写入！", 0},
        {true, MsgResult::Cancel, "频段不符，是否强制写入？", 0},
        {true, MsgResult::Ok, "写频成功！", 191},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lastMessage);
        start(0);
        transfers().reenableTimer().setInterval(3600 * 1000);
        startRadio({"--band", "1"});
        window->serviceModes()->setOn(ServiceMode::ForceWrite, c.force);
        boxes.shown.clear();
        boxes.answers = {c.answer};
        std::vector<bool> progressShown;  // at each message
        boxes.onShow = [&](const ShownMessage&) {
            progressShown.push_back(transfers().progressWindow()->isVisible());
        };
        run("MNWrite");
        EXPECT_EQ(boxes.last().text, c.lastMessage);
        // The question and the refusal come while the progress window is still up.
        EXPECT_TRUE(progressShown.at(0));
        EXPECT_FALSE(transfers().progressWindow()->isVisible());
        EXPECT_EQ(commandsEnabled(), c.writes == 0);
        if (c.force) {
            EXPECT_EQ(boxes.shown.front().title, "注意");
            EXPECT_EQ(boxes.shown.front().style, MsgStyle::OkCancel | MsgStyle::Question |
                                                     MsgStyle::DefaultButton2 |
                                                     MsgStyle::SystemModal);
        } else {
            EXPECT_EQ(boxes.last().title, "错误");
            EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly | MsgStyle::Exclamation);
        }
        sim->stop();
        EXPECT_EQ(sim->count("rx Write"), c.writes);
        EXPECT_GE(sim->count("rx End"), 1);
        boxes.onShow = nullptr;
    }
}

TEST_F(TransferTest, InvalidPortStartsNothing) {
    qputenv("VAREL_COM20", "/nonexistent/tty");
    for (int port : {0, kSimPort}) {
        for (const char* command : {"MNRead", "MNWrite"}) {
            SCOPED_TRACE(std::string(command) + " on port " + std::to_string(port));
            session->setPortNumber(port);
            boxes.shown.clear();
            action(command)->trigger();
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.last().text, "串行端口无效");
            EXPECT_EQ(boxes.last().title, "");
            EXPECT_EQ(boxes.last().style, MsgStyle::OkOnly);
            EXPECT_FALSE(transfers().isRunning());
            EXPECT_EQ(transfers().progressWindow(), nullptr);
            EXPECT_TRUE(commandsEnabled());
            EXPECT_TRUE(session->OutImage() == MemoryImage());
        }
    }
}

}  // namespace
}  // namespace varel::test
