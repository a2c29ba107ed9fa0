#include "app/stored_settings.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QVariant>

namespace varel {

namespace {

const char kLanguageKey[] = "Kelta/BinaryValue";
const char kOlderLanguageKey[] = "Varel/Languages";
const char kPortFileName[] = "parameter";
const char kRecentFilesKey[] = "Recent/Files";
constexpr int kLanguageValueSize = 4;

// The language a stored "BinaryValue" read as text stands for: empty text gives 0; otherwise
// the last digit of the number in hexadecimal, a digit 0-9 as it is and A-F as 0.
int LanguageFromStoredText(const QString& text) {
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok) return 0;
    const int lastHexDigit = number & 0xF;
    return lastHexDigit <= 9 ? lastHexDigit : 0;
}

}  // namespace

StoredSettings::StoredSettings(QSettings& store, const QString& programFolder,
                               const QString& userFolder)
    : m_store(store), m_programFolder(programFolder), m_userFolder(userFolder) {}

QString StoredSettings::valueText(const QString& key) const {
    const QVariant value = m_store.value(key);
    if (value.typeId() == QMetaType::QByteArray) {
        // Binary data reads as its first two bytes, a signed 16-bit little-endian number.
        const QByteArray bytes = value.toByteArray();
        if (bytes.isEmpty()) return {};
        const auto low = static_cast<quint8>(bytes[0]);
        const auto high = bytes.size() > 1 ? static_cast<quint8>(bytes[1]) : quint8{0};
        return QString::number(static_cast<qint16>(low | (high << 8)));
    }
    if (value.typeId() == QMetaType::QString) return value.toString().section(QChar(0), 0, 0);
    return {};
}

int StoredSettings::LoadLanguage() {
    const QString older = valueText(kOlderLanguageKey);
    if (older.isEmpty()) return LanguageFromStoredText(valueText(kLanguageKey));
    // The older form counts once; the exit stores the language in the newer one.
    m_store.remove(kOlderLanguageKey);
    m_store.sync();
    return older == "english" ? 1 : 0;
}

void StoredSettings::SaveLanguage(int languageFlag) {
    QByteArray bytes(kLanguageValueSize, '\0');
    bytes[0] = static_cast<char>(languageFlag & 0xFF);
    m_store.setValue(kLanguageKey, bytes);
    m_store.sync();
}

bool StoredSettings::choosePortFile() {
    if (!m_portFile.isEmpty()) return true;
    for (const QString& folder : {m_programFolder, m_userFolder}) {
        if (folder.isEmpty() || !QDir().mkpath(folder)) continue;
        const QString path = QDir(folder).filePath(kPortFileName);
        QFile file(path);
        // Opening for reading and writing creates the file empty when it is missing.
        if (file.open(QIODevice::ReadWrite)) {
            m_portFile = path;
            return true;
        }
    }
    return false;
}

int StoredSettings::LoadPortNumber() {
    int port = 0;
    if (choosePortFile()) {
        QFile file(m_portFile);
        const QByteArray first = file.open(QIODevice::ReadOnly) ? file.read(1) : QByteArray();
        if (!first.isEmpty()) port = static_cast<quint8>(first[0]);
    }
    return port != 0 ? port : m_firstPort;
}

void StoredSettings::SavePortNumber(int portNumber) {
    if (!choosePortFile()) return;
    QFile file(m_portFile);
    if (!file.open(QIODevice::ReadWrite)) return;
    // Only the first byte is the program's; whatever follows it stays.
    file.write(QByteArray(1, static_cast<char>(portNumber & 0xFF)));
}

QStringList StoredSettings::LoadRecentFiles() {
    return m_store.value(kRecentFilesKey).toStringList();
}

void StoredSettings::SaveRecentFiles(const QStringList& files) {
    m_store.setValue(kRecentFilesKey, files);
    m_store.sync();
}

QString PortFileProgramFolder(const QString& executableFolder) {
    const QString folder = QDir::cleanPath(executableFolder);
    for (const char* system : {"/usr", "/opt", "/bin", "/sbin"})
        if (folder == system || folder.startsWith(QString(system) + '/')) return QString();
    return executableFolder;
}

}  // namespace varel
