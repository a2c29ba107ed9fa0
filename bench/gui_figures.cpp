// Figures of the program's windows, measured on the program's own classes (run it offscreen):
//
//   gui_figures startup T0_NS        prints the ms from T0_NS (CLOCK_REALTIME, taken by the
//                                    caller just before starting this process) to the main
//                                    window shown
//   gui_figures open FILE.dat        median ms of Open of FILE.dat up to the filled grid
//   gui_figures language FILE.dat    median ms of a language switch of every window, with
//                                    FILE.dat opened
//   gui_figures screenshots DIR FILE.dat   saves DIR/main_window_zh.png and _en.png with FILE.dat
//                                    opened, and DIR/doctor_window_en.png (Com1, no cable)
//   gui_figures paste FILE.dat       median ms of pasting all 128 channels of FILE.dat over
//                                    themselves through the Paste command, up to the grid shown
//   gui_figures check DIR FILE.dat   saves DIR/check_before_writing_en.png: the message of the
//                                    check before a write of FILE.dat with problems added
//   gui_figures windows DIR FILE.dat saves DIR/window_FORM_LANG.png: each child window shown in
//                                    the main window at its start size, in both languages
//   gui_figures fleet DIR FILE.dat   saves DIR/fleet_window_en.png and _zh.png: FILE.dat written and
//                                    verified through Write to Several Radios to the radios
//                                    the probe finds (VAREL_COM<n> naming virtual radios)
//
// bench/gui_figures.sh runs them and prints the README's table.
#include <time.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/desktop_viewer.h"
#include "app/document_commands.h"
#include "app/fleet_window.h"
#include "app/main_window.h"
#include "app/qt_message_boxes.h"
#include "app/ui_language.h"
#include "app/write_safety.h"
#include "checks/write_check.h"
#include "editors/channel_editor.h"
#include "editors/channel_grid.h"
#include "editors/doctor_window.h"
#include "session/app_settings.h"
#include "session/clock.h"
#include "session/file_dialogs.h"
#include "session/message_boxes.h"
#include "session/port_scanner.h"
#include "session/session.h"

namespace {

constexpr int kRepeats = 51;

// A file dialog that always chooses the same file.
class FixedDialogs : public varel::FileDialogs {
public:
    QString name;
    QString openDataFile() override { return name; }
    QString saveDataFile() override { return name; }
    QString openBackup(const QString&) override { return {}; }
    QString openChannelList() override { return {}; }
    QString saveChannelList() override { return {}; }
    QString openConfigText() override { return {}; }
    QString saveConfigText() override { return {}; }
    QString savePdf() override { return {}; }
};

// Messages are answered with OK without being shown.
class SilentBoxes : public varel::MessageBoxes {
public:
    int LocalMsgBox(const QString&, int, const QString&) override { return varel::MsgResult::Ok; }
    void ShowReport(const QString&, const QString&, const QString&) override {}
    int AskNumber(const QString&, const QString&, int, int, int) override { return 0; }
    bool Confirm(const QString&, const QString&, const QString&, const QString&) override {
        return true;
    }
};

// The program as main() starts it, with the dialogs and boxes above.
struct Program {
    varel::Session session;
    varel::NoAppSettings settings;
    SilentBoxes boxes;
    FixedDialogs dialogs;
    varel::SystemClock clock;
    varel::UiLanguage language;
    varel::SystemPortScanner ports;
    varel::DesktopViewer viewer;
    varel::MainWindow* window = nullptr;

    Program() {
        window = new varel::MainWindow(
            session, {&boxes, &dialogs, &settings, &clock, &language, &ports, QString(), &viewer});
        window->show();
        QApplication::processEvents();
    }
    ~Program() { delete window; }
};

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Median of runs of `run`, each after an untimed `prepare`.
template <class P, class R>
double MedianMs(P prepare, R run) {
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i) {
        prepare(i);
        QApplication::processEvents();
        const double start = Now();
        run(i);
        QApplication::processEvents();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int Startup(const char* t0) {
    Program program;
    std::printf("%.1f\n", Now() - std::strtod(t0, nullptr) / 1e6);
    return 0;
}

int Open(const char* file) {
    Program program;
    program.dialogs.name = QString::fromLocal8Bit(file);
    // Each Open fills a grid that New has emptied.
    std::printf("%.2f\n", MedianMs([&](int) { program.window->documentCommands()->New(); },
                                   [&](int) { program.window->documentCommands()->Open(); }));
    return 0;
}

int Language(const char* file) {
    Program program;
    program.dialogs.name = QString::fromLocal8Bit(file);
    program.window->documentCommands()->Open();
    std::printf("%.2f\n",
                MedianMs([](int) {}, [&](int i) { program.window->setLanguage((i + 1) % 2); }));
    return 0;
}

int Screenshots(const char* dir, const char* file) {
    Program program;
    program.dialogs.name = QString::fromLocal8Bit(file);
    program.window->resize(880, 600);
    program.window->documentCommands()->Open();
    for (const int flag : {0, 1}) {
        program.window->setLanguage(flag);
        QApplication::processEvents();
        const QString name = QString("%1/main_window_%2.png").arg(dir, flag == 0 ? "zh" : "en");
        // An indexed image keeps the file small; the window has few colours.
        const QImage image = program.window->grab().toImage().convertToFormat(
            QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        if (!image.save(name)) return 1;
    }
    // The connection doctor on Com1 with no cable plugged in.
    program.window->setPortNumber(1);
    program.window->showDoctor();
    QWidget* doctor = program.window->doctorWindow()->parentWidget();
    doctor->resize(640, 330);
    QApplication::processEvents();
    return doctor->grab().save(QString("%1/doctor_window_en.png").arg(dir)) ? 0 : 1;
}

int Paste(const char* file) {
    Program program;
    program.dialogs.name = QString::fromLocal8Bit(file);
    program.window->documentCommands()->Open();
    auto* grid = program.window->findChild<varel::ChannelGrid*>("Grid1");
    auto* editor = program.window->channelEditor();
    grid->selectRange({1, 128}, 1);
    editor->findChild<QAction*>("MNChannelCopy")->trigger();
    QAction* paste = editor->findChild<QAction*>("MNChannelPaste");
    std::printf("%.2f\n", MedianMs([&](int) { grid->goTo(1, 1); }, [&](int) { paste->trigger(); }));
    return 0;
}

int Check(const char* dir, const char* file) {
    Program program;
    program.dialogs.name = QString::fromLocal8Bit(file);
    program.window->documentCommands()->Open();
    program.window->setLanguage(1);
    varel::Session& session = program.session;
    session.edit("", [&](varel::Document& d) {
        d.settings.setText(varel::SettingId::AFrequency, "300.00000");
        d.channels.CommitFrequency(20, 1, "145.5", session.band(), session.language());
        d.settings.setBand(1);
    });
    const auto problems = varel::CheckBeforeWrite(session.channels().model(), session.settings());
    const varel::WriteCheckText shown = varel::DescribeWriteProblems(problems, session.language());
    varel::QtMessageBoxes boxes(program.window);
    bool saved = false;
    QTimer::singleShot(200, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box != nullptr) {
            saved = box->grab().toImage().save(QString("%1/check_before_writing_en.png").arg(dir));
            box->close();
        }
    });
    boxes.Confirm(shown.text, shown.details, QObject::tr("Check before writing"),
                  QObject::tr("Write anyway"));
    return saved ? 0 : 1;
}

// Each child window at the main window's start size, and the channel window maximised in a
// 1280 x 1000 main window.
int Windows(const char* dir, const char* file) {
    Program program;
    program.dialogs.name = QString::fromLocal8Bit(file);
    program.window->documentCommands()->Open();
    const QSize start = program.window->size();
    auto save = [&](const QString& name) {
        QApplication::processEvents();
        const QImage image = program.window->grab().toImage().convertToFormat(
            QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
        return image.save(QString("%1/%2.png").arg(dir, name));
    };
    for (const int flag : {0, 1}) {
        program.window->setLanguage(flag);
        const QString lang = flag == 0 ? "zh" : "en";
        for (const char* form : {"Form1", "Form3", "Form4", "Form5", "Form6"}) {
            auto* editor = program.window->findChild<QWidget*>(form);
            program.window->showChild(editor);
            if (!save(QString("window_%1_%2").arg(form, lang))) return 1;
            editor->parentWidget()->hide();
        }
        program.window->resize(1280, 1000);
        auto* channels = program.window->findChild<QWidget*>("Form1");
        program.window->showChild(channels);
        channels->parentWidget()->showMaximized();
        if (!save(QString("window_Form1_maximised_%1").arg(lang))) return 1;
        channels->parentWidget()->showNormal();
        program.window->resize(start);
    }
    return 0;
}

}  // namespace

int Fleet(const char* dir, const char* file) {
    Program program;
    program.dialogs.name = QString::fromLocal8Bit(file);
    program.window->setLanguage(1);
    program.window->documentCommands()->Open();
    varel::FleetWindow* fleet = program.window->showFleet();
    auto* table = fleet->findChild<QTableWidget*>("FleetTable");
    if (table->rowCount() == 0) return 1;
    table->item(0, varel::FleetWindow::DisplayColumn)->setText("CLUB01");
    fleet->fillDown();
    fleet->setVerify(true);
    fleet->setSettleMs(0);
    QEventLoop loop;
    QObject::connect(fleet, &varel::FleetWindow::runningChanged, &loop, [&](bool running) {
        if (!running) loop.quit();
    });
    if (!fleet->start()) return 1;
    if (fleet->isRunning()) loop.exec();
    fleet->resize(760, 330);
    QApplication::processEvents();
    if (!fleet->grab().save(QString("%1/fleet_window_en.png").arg(dir))) return 1;
    // The same window after a switch to Chinese.
    program.window->setLanguage(0);
    QApplication::processEvents();
    return fleet->grab().save(QString("%1/fleet_window_zh.png").arg(dir)) ? 0 : 1;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc >= 3 && std::string(argv[1]) == "startup") return Startup(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "open") return Open(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "language") return Language(argv[2]);
    if (argc >= 4 && std::string(argv[1]) == "screenshots") return Screenshots(argv[2], argv[3]);
    if (argc >= 4 && std::string(argv[1]) == "windows") return Windows(argv[2], argv[3]);
    if (argc >= 4 && std::string(argv[1]) == "fleet") return Fleet(argv[2], argv[3]);
    if (argc >= 3 && std::string(argv[1]) == "paste") return Paste(argv[2]);
    if (argc >= 4 && std::string(argv[1]) == "check") return Check(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: gui_figures startup T0_NS | open FILE | language FILE | "
                 "screenshots DIR FILE | windows DIR FILE | paste FILE | check DIR FILE\n");
    return 2;
}
