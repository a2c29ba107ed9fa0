#include "app/ui_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace varel {

UiLanguage::UiLanguage() {
    if (!m_program.load(":/i18n/varel_zh_CN.qm"))
        qWarning("the Chinese translation is missing from the program");
    // The file dialogs' own texts; the program works without them.
    (void)m_toolkit.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

UiLanguage::~UiLanguage() {
    apply(Language::English);
}

void UiLanguage::apply(Language language) {
    const bool chinese = language == Language::Chinese;
    if (chinese == m_installed) return;
    if (chinese) {
        QCoreApplication::installTranslator(&m_toolkit);
        QCoreApplication::installTranslator(&m_program);
    } else {
        QCoreApplication::removeTranslator(&m_program);
        QCoreApplication::removeTranslator(&m_toolkit);
    }
    m_installed = chinese;
}

}  // namespace varel
