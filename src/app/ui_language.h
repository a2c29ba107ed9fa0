#pragma once
// Switches the program's own texts between Chinese and English: English texts are the sources,
// the Chinese translation is embedded in the program and installed while Chinese is shown.
#include <QTranslator>

#include "image/language.h"

namespace varel {

/// The translators of the program's texts and of the toolkit's own dialogs.
class UiLanguage {
public:
    /// Loads the embedded translation (and the toolkit's, when the system has it).
    UiLanguage();
    ~UiLanguage();
    UiLanguage(const UiLanguage&) = delete;
    UiLanguage& operator=(const UiLanguage&) = delete;

    /// Installs the Chinese translation for Chinese, removes it for English.
    void apply(Language language);

private:
    QTranslator m_program;
    QTranslator m_toolkit;
    bool m_installed = false;
};

}  // namespace varel
