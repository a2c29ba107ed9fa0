#pragma once
// The FM broadcast channel editor Form5.
#include <QWidget>

namespace varel {

class MainWindow;

/// The FM broadcast channel editor Form5.
class FmEditor : public QWidget {
    Q_OBJECT

public:
    explicit FmEditor(MainWindow& main);
    /// Writes every static text in the current language.
    void retranslate();

private:
    MainWindow& m_main;
};

}  // namespace varel
