#include "app/qt_message_boxes.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include "ui/application_title.h"

namespace varel {

namespace {

struct ButtonInfo {
    int result;
    QMessageBox::ButtonRole role;
};

// The buttons of each button set, in the order they are shown.
QVector<ButtonInfo> ButtonsOf(int style) {
    using M = QMessageBox;
    const ButtonInfo ok{MsgResult::Ok, M::AcceptRole};
    const ButtonInfo cancel{MsgResult::Cancel, M::RejectRole};
    const ButtonInfo abort{MsgResult::Abort, M::RejectRole};
    const ButtonInfo retry{MsgResult::Retry, M::AcceptRole};
    const ButtonInfo ignore{MsgResult::Ignore, M::AcceptRole};
    const ButtonInfo yes{MsgResult::Yes, M::YesRole};
    const ButtonInfo no{MsgResult::No, M::NoRole};
    switch (style & MsgStyle::ButtonsMask) {
        case MsgStyle::OkCancel:
            return {ok, cancel};
        case MsgStyle::AbortRetryIgnore:
            return {abort, retry, ignore};
        case MsgStyle::YesNoCancel:
            return {yes, no, cancel};
        case MsgStyle::YesNo:
            return {yes, no};
        case MsgStyle::RetryCancel:
            return {retry, cancel};
        default:
            return {ok};
    }
}

QString ButtonText(int result) {
    switch (result) {
        case MsgResult::Ok:
            return QCoreApplication::translate("MessageBoxes", "OK");
        case MsgResult::Cancel:
            return QCoreApplication::translate("MessageBoxes", "Cancel");
        case MsgResult::Abort:
            return QCoreApplication::translate("MessageBoxes", "Abort");
        case MsgResult::Retry:
            return QCoreApplication::translate("MessageBoxes", "Retry");
        case MsgResult::Ignore:
            return QCoreApplication::translate("MessageBoxes", "Ignore");
        case MsgResult::Yes:
            return QCoreApplication::translate("MessageBoxes", "Yes");
        case MsgResult::No:
            return QCoreApplication::translate("MessageBoxes", "No");
    }
    return QString();
}

QMessageBox::Icon IconOf(int style) {
    switch (style & MsgStyle::IconMask) {
        case MsgStyle::Critical:
            return QMessageBox::Critical;
        case MsgStyle::Question:
            return QMessageBox::Question;
        case MsgStyle::Exclamation:
            return QMessageBox::Warning;
        case MsgStyle::Information:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// A box is at least as wide as its title needs: the toolkit sizes it by its text alone, and a
// short message under a long title would cut the title off.
void MakeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    QFont font = box.font();
    font.setBold(true);  // title bars draw their text bold on many desktops
    const int frame = box.style()->pixelMetric(QStyle::PM_TitleBarHeight) * 4;  // icon, buttons
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + frame;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

int QtMessageBoxes::LocalMsgBox(const QString& text, int style, const QString& title) {
    QMessageBox box(m_owner);
    box.setObjectName("LocalMsgBox");
    box.setWindowTitle(title.isEmpty() ? ApplicationTitle() : title);
    box.setText(text);
    box.setIcon(IconOf(style));
    // Every message waits for an answer before the program goes on.
    box.setWindowModality((style & MsgStyle::SystemModal) || m_owner == nullptr
                              ? Qt::ApplicationModal
                              : Qt::WindowModal);
    const QVector<ButtonInfo> buttons = ButtonsOf(style);
    QVector<QPushButton*> made;
    // Buttons of our own with the texts of the language, so that nothing renames them later.
    for (const ButtonInfo& info : buttons)
        made.append(box.addButton(ButtonText(info.result), info.role));
    const int defaultIndex = (style & MsgStyle::DefaultMask) >> 8;
    if (defaultIndex < made.size()) box.setDefaultButton(made[defaultIndex]);
    // Escape gives Cancel where there is one, else the only button.
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i].result == MsgResult::Cancel || buttons.size() == 1)
            box.setEscapeButton(made[i]);
    MakeRoomForTitle(box);
    box.exec();
    for (int i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i]) return buttons[i].result;
    // Closed without a button (only possible where Escape has no button): Cancel, else the last.
    return buttons.size() == 1 ? buttons[0].result : MsgResult::Cancel;
}

void QtMessageBoxes::ShowReport(const QString& text, const QString& details, const QString& title) {
    QMessageBox box(m_owner);
    box.setObjectName("ReportBox");
    box.setWindowTitle(title.isEmpty() ? ApplicationTitle() : title);
    box.setIcon(QMessageBox::Information);
    box.setText(text);
    box.setDetailedText(details);
    box.setEscapeButton(box.addButton(ButtonText(MsgResult::Ok), QMessageBox::AcceptRole));
    MakeRoomForTitle(box);
    box.exec();
}

bool QtMessageBoxes::Confirm(const QString& text, const QString& details, const QString& title,
                             const QString& acceptText) {
    QMessageBox box(m_owner);
    box.setObjectName("ConfirmBox");
    box.setWindowTitle(title.isEmpty() ? ApplicationTitle() : title);
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    if (!details.isEmpty()) box.setDetailedText(details);
    box.setWindowModality(Qt::ApplicationModal);
    QPushButton* accept = box.addButton(acceptText, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(ButtonText(MsgResult::Cancel), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    MakeRoomForTitle(box);
    box.exec();
    return box.clickedButton() == accept;
}

int QtMessageBoxes::AskNumber(const QString& text, const QString& title, int minimum, int maximum,
                              int value) {
    QInputDialog dialog(m_owner);
    dialog.setObjectName("AskNumber");
    dialog.setWindowTitle(title.isEmpty() ? ApplicationTitle() : title);
    dialog.setLabelText(text);
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(minimum, maximum);
    dialog.setIntValue(value);
    dialog.setOkButtonText(ButtonText(MsgResult::Ok));
    dialog.setCancelButtonText(ButtonText(MsgResult::Cancel));
    return dialog.exec() == QDialog::Accepted ? dialog.intValue() : 0;
}

}  // namespace varel
