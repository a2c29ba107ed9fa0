#pragma once
// The one application object of the serial tests (Qt allows one per process).
#include <QCoreApplication>

namespace varel::link {

/// Creates the application object on first use.
inline QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "serial_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

}  // namespace varel::link
