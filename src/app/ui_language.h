#pragma once
// Switches the program's own texts between Chinese and English: English texts are the sources.
// The Chinese translation is installed while Chinese is shown; while English is shown, an
// English translation of the texts with %n gives them their singular and plural forms
// ("1 channel", "3 channels").
#include <QTranslator>

#include "image/language.h"

namespace varel {

/// The translators of the program's texts and of the toolkit's own dialogs.
class UiLanguage {
public:
    /// Loads the embedded translations (and the toolkit's, when the system has it); English is
    /// installed until apply() says otherwise.
    UiLanguage();
    ~UiLanguage();
    UiLanguage(const UiLanguage&) = delete;
    UiLanguage& operator=(const UiLanguage&) = delete;

    /// Installs the Chinese translations for Chinese, the English plural forms for English.
    void apply(Language language);

private:
    void install(bool chinese);
    void remove();

    QTranslator m_program;
    QTranslator m_toolkit;
    QTranslator m_plurals;
    bool m_chinese = false;
};

}  // namespace varel
