#pragma once
// The optional features editor Form3.
#include <QWidget>

namespace varel {

class MainWindow;

/// The optional features editor Form3.
class FeaturesEditor : public QWidget {
    Q_OBJECT

public:
    explicit FeaturesEditor(MainWindow& main);
    /// Writes every static text in the current language.
    void retranslate();

private:
    MainWindow& m_main;
};

}  // namespace varel
