// The program: for now an empty main window.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setObjectName("MDIForm1");
    window.setWindowTitle(QStringLiteral("Varel 对讲机编程软件"));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
