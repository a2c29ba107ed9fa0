// The yardstick of the start-up figures (bench/startup_ratio.sh): a bare main window holding a
// table of 128 rows and 11 columns, every cell an item as in the channel table at start (the
// first column numbered, the others empty). With VAREL_START_NS set it prints the milliseconds
// to its first window shown and ends, as the program does.
#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

#include "ui/first_shown.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    varel::ReportFirstShown(app);
    constexpr int kRows = 128;
    constexpr int kColumns = 11;
    QMainWindow window;
    auto* table = new QTableWidget(kRows, kColumns, &window);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
            table->setItem(r, c, new QTableWidgetItem(c == 0 ? QString::number(r + 1) : QString()));
    window.setCentralWidget(table);
    window.resize(1000, 700);
    window.show();
    return QApplication::exec();
}
