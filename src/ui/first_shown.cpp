#include "ui/first_shown.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>
#include <chrono>
#include <cstdio>

namespace varel {

namespace {

// Ends the program once the first expose of a window has been handled (its widgets painted).
class FirstExpose : public QObject {
public:
    FirstExpose(qint64 startNs, QObject* parent) : QObject(parent), m_startNs(startNs) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Expose || qobject_cast<QWindow*>(watched) == nullptr || m_seen)
            return false;
        m_seen = true;
        // Queued, so that the window is painted before the time is taken.
        QMetaObject::invokeMethod(
            this,
            [this] {
                const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                    std::chrono::system_clock::now().time_since_epoch());
                std::printf("%.1f\n", static_cast<double>(now.count() - m_startNs) / 1e6);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    qint64 m_startNs;
    bool m_seen = false;
};

}  // namespace

void ReportFirstShown(QApplication& app) {
    bool ok = false;
    const qint64 startNs = qEnvironmentVariable("VAREL_START_NS").toLongLong(&ok);
    if (ok) app.installEventFilter(new FirstExpose(startNs, &app));
}

}  // namespace varel
