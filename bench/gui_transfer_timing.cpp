// Times full reads and writes through the program's Read and Write commands against the
// virtual radio at real 9600-baud pace (varel-sim --pace) and compares them with the wire time
// of their bytes (10 bits a byte at 9600 bit/s):
//   read   976 bytes from the tool + 4064 from the radio = 5040 bytes = 5.250 s
//   write  3832 bytes from the tool +  203 from the radio = 4035 bytes = 4.203 s
// Each time runs from the command to the handled ending (the success message), so it includes
// opening the port, the decode after a read and the encode of a write.
//
//   gui_transfer_timing [RUNS]      (default 3; runs headless)
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>
#include <cstdlib>

#include "app/main_window.h"
#include "app/transfer_controller.h"
#include "app/ui_language.h"
#include "cli/sim_process.h"
#include "session/session.h"
#include "support/gui_fakes.h"

namespace {

constexpr double kReadWireSeconds = 5040 * 10 / 9600.0;
constexpr double kWriteWireSeconds = 4035 * 10 / 9600.0;

// Seconds from the command to its handled ending; negative when it did not succeed.
double TimeCommand(varel::MainWindow& window, varel::test::FakeMessageBoxes& boxes,
                   const char* command, const char* success) {
    varel::TransferController& transfers = *window.transfers();
    QEventLoop loop;
    QObject::connect(&transfers, &varel::TransferController::transferEnded, &loop,
                     &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    window.action(command)->trigger();
    if (transfers.isRunning()) loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    // The cool-down is not part of the transfer.
    for (int tick = 0; tick <= varel::TransferController::kReenableSilentTicks; ++tick)
        transfers.OnReenableTimerTick();
    return boxes.last().text == success ? seconds : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    varel::test::SimProcess sim;
    if (!sim.start({"--pace"})) {
        std::fprintf(stderr, "gui_transfer_timing: the virtual radio did not start\n");
        return 1;
    }
    qputenv("VAREL_COM1", QByteArray::fromStdString(sim.device()));

    varel::Session session;
    varel::test::FakeMessageBoxes boxes;
    varel::test::FakeFileDialogs dialogs;
    varel::test::FakeAppSettings settings;
    varel::test::FakeClock clock;
    varel::test::FakePortScanner ports;
    varel::test::FakeFileViewer viewer;
    varel::UiLanguage language;
    settings.language = 1;  // the English texts the timing waits for
    varel::MainWindow window(
        session, {&boxes, &dialogs, &settings, &clock, &language, &ports, QString(), &viewer});
    window.setPortNumber(1);

    double read = 0, write = 0;
    for (int run = 0; run < runs; ++run) {
        const double r = TimeCommand(window, boxes, "MNRead", "Reading Frequency Successful!");
        const double w = TimeCommand(window, boxes, "MNWrite", "Writing Frequency Successful!");
        if (r < 0 || w < 0) {
            std::fprintf(stderr, "gui_transfer_timing: a transfer failed: %s\n",
                         boxes.last().text.toUtf8().constData());
            return 1;
        }
        read += r / runs;
        write += w / runs;
    }
    std::printf("paced read  through the program (mean of %d): %.3f s  wire %.3f s  ratio %.4f\n",
                runs, read, kReadWireSeconds, read / kReadWireSeconds);
    std::printf("paced write through the program (mean of %d): %.3f s  wire %.3f s  ratio %.4f\n",
                runs, write, kWriteWireSeconds, write / kWriteWireSeconds);
    return 0;
}
