// The GUI tests run headless in one application object.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

QtMessageHandler g_defaultHandler = nullptr;

// The headless platform warns about window features it lacks; nothing the tests check.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains("does not support propagateSizeHints") ||
        message.contains("does not support raise") ||
        message.contains("does not support grabbing the keyboard"))
        return;
    g_defaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
