#include "app/ui_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace varel {

UiLanguage::UiLanguage() {
    if (!m_program.load(":/i18n/varel_zh_CN.qm"))
        qWarning("the Chinese translation is missing from the program");
    if (!m_plurals.load(":/i18n/varel_en.qm"))
        qWarning("the English plural forms are missing from the program");
    // The file dialogs' own texts; the program works without them.
    (void)m_toolkit.load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(false);
}

UiLanguage::~UiLanguage() {
    remove();
}

void UiLanguage::apply(Language language) {
    const bool chinese = language == Language::Chinese;
    if (chinese == m_chinese) return;
    remove();
    install(chinese);
}

void UiLanguage::install(bool chinese) {
    if (chinese) {
        QCoreApplication::installTranslator(&m_toolkit);
        QCoreApplication::installTranslator(&m_program);
    } else {
        QCoreApplication::installTranslator(&m_plurals);
    }
    m_chinese = chinese;
}

void UiLanguage::remove() {
    QCoreApplication::removeTranslator(&m_program);
    QCoreApplication::removeTranslator(&m_toolkit);
    QCoreApplication::removeTranslator(&m_plurals);
}

}  // namespace varel
