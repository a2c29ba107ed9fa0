// The power tuning editor: start values, sliders that follow the debug mode, value labels that
// follow the keyboard and dragging at once, one undo step per move, and decoding.
#include "tuning_editor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include "app_fixture.h"
#include "service_modes.h"

namespace varel::test {
namespace {

constexpr int kStartValues[6] = {218, 218, 116, 218, 218, 116};
// Image offsets of sliders 0 to 5.
constexpr int kOffsets[6] = {0x7F0, 0x7F1, 0x7F2, 0x7E0, 0x7E1, 0x7E2};

class TuningEditorTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        form4 = form("Form4");
    }
    QSlider* slider(int i) {
        return find<QSlider>(form4, qPrintable(QString("Slider1(%1)").arg(i)));
    }
    QString label(int i) {
        return find<QLabel>(form4, qPrintable(QString("Label3(%1)").arg(i)))->text();
    }
    // Switches the debug mode on with its gesture and shows the window with slider i focused.
    void openForTuning(int i) {
        for (int caption = 0; caption < 3; ++caption)
            window->serviceModes()->captionClicked(ServiceMode::Debug, caption);
        window->showChild(window->tuningEditor());
        slider(i)->setFocus();
    }
    void sendKey(QSlider* s, QEvent::Type type, Qt::Key key, bool repeat) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(s, &event);
    }
    QPoint handleCentre(QSlider* s) {
        QStyleOptionSlider option;
        option.initFrom(s);
        option.orientation = s->orientation();
        option.minimum = s->minimum();
        option.maximum = s->maximum();
        option.sliderPosition = s->sliderPosition();
        option.sliderValue = s->value();
        option.subControls = QStyle::SC_All;
        return s->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, s)
            .center();
    }
    int steps() { return session->undoStack().index(); }

    QWidget* form4 = nullptr;
};

TEST_F(TuningEditorTest, StartValuesAreShownAndEncodedAndTheSlidersWaitForDebugMode) {
    session->encode();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(slider(i)->value(), kStartValues[i]) << i;
        EXPECT_EQ(label(i), QString::number(kStartValues[i])) << i;
        EXPECT_FALSE(slider(i)->isEnabled()) << i;
        EXPECT_EQ(slider(i)->pageStep(), 5);
        EXPECT_EQ(session->OutImage().at(kOffsets[i]), kStartValues[i]) << i;
    }
}

TEST_F(TuningEditorTest, KeysMoveTheLabelAtOnceAndAHeldKeyIsOneStep) {
    openForTuning(0);
    QSlider* s = slider(0);
    QTest::keyClick(s, Qt::Key_Right);
    EXPECT_EQ(label(0), "219");
    QTest::keyClick(s, Qt::Key_PageUp);
    EXPECT_EQ(label(0), "224");
    EXPECT_EQ(session->settings().tuning(0), 224);
    EXPECT_EQ(steps(), 2);

    // A held key: one first press, repeated presses, one release.
    sendKey(s, QEvent::KeyPress, Qt::Key_Left, false);
    for (int r = 0; r < 3; ++r) {
        sendKey(s, QEvent::KeyRelease, Qt::Key_Left, true);
        sendKey(s, QEvent::KeyPress, Qt::Key_Left, true);
        EXPECT_EQ(label(0), QString::number(222 - r));
    }
    sendKey(s, QEvent::KeyRelease, Qt::Key_Left, false);
    EXPECT_EQ(label(0), "220");
    EXPECT_EQ(steps(), 3);

    session->undoStack().undo();
    EXPECT_EQ(s->value(), 224);
    EXPECT_EQ(label(0), "224");
    session->encode();
    EXPECT_EQ(session->OutImage().at(0x7F0), 224);
}

TEST_F(TuningEditorTest, DraggingMovesTheLabelWhileTheHandleMovesAndIsOneStep) {
    openForTuning(2);
    QSlider* s = slider(2);
    const QPoint from = handleCentre(s);
    const QPoint step(s->width() / 8, 0);
    QTest::mousePress(s, Qt::LeftButton, {}, from);
    QTest::mouseMove(s, from - step);
    const int dragged = s->value();
    EXPECT_LT(dragged, 116);
    EXPECT_GT(dragged, 0);
    EXPECT_EQ(label(2), QString::number(dragged));  // before the button is released
    QTest::mouseMove(s, from - 2 * step);
    QTest::mouseRelease(s, Qt::LeftButton, {}, from - 2 * step);
    EXPECT_LT(s->value(), dragged);
    EXPECT_GT(s->value(), 0);
    EXPECT_EQ(label(2), QString::number(s->value()));
    EXPECT_EQ(session->settings().tuning(2), s->value());
    EXPECT_EQ(steps(), 1);
    session->undoStack().undo();
    EXPECT_EQ(label(2), "116");
}

TEST_F(TuningEditorTest, AnImageWithoutTuningValuesGives255Everywhere) {
    session->InImage().fill(0xFF);
    session->decode();
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(slider(i)->value(), 255) << i;
        EXPECT_EQ(label(i), "255") << i;
    }
}

}  // namespace
}  // namespace varel::test
