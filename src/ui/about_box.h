#pragma once
// The About window FrmAbout: the product title, the edition line and the program's version; a
// click anywhere on it closes it.
#include <QDialog>

class QIcon;

namespace varel {

/// The modal About window.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    /// Shown over parent with the icon of the channel table window.
    AboutBox(QWidget& parent, const QIcon& icon);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace varel
