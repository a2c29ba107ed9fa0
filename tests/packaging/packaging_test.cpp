// The data file's MIME type, as the package installs it, is recognised by the file's first six
// bytes, whatever the file is called; the udev rule of the cables' adapters is installed, reads
// as udev rules and covers each adapter. (scripts/check-package.sh validates the other files.)
#include <gtest/gtest.h>

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <map>
#include <set>

#include "support/temp_dir.h"

namespace varel::test {
namespace {

const QString kPackaging = VAREL_PACKAGING;
const QString kId = "org.varel.wavesmith";
const QString kType = "application/x-varel-data";
const QString kRule = "70-wavesmith-serial.rules";

TEST(Packaging, TheDataFileIsKnownByItsFirstSixBytesNotByItsName) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    // A data folder of the desktops that holds the MIME type as the package installs it, before
    // the system's own.
    const auto mime = dir.path() / "share" / "mime" / "packages";
    std::filesystem::create_directories(mime);
    ASSERT_TRUE(
        QFile::copy(kPackaging + "/" + kId + ".mime.xml",
                    QString::fromStdString((mime / (kId.toStdString() + ".xml")).string())));
    qputenv("XDG_DATA_HOME", dir.file("empty").c_str());
    qputenv("XDG_DATA_DIRS", (dir.file("share") + ":/usr/share").c_str());

    std::vector<std::uint8_t> header(3120, 0xFF);
    const std::string magic = "ZNO-7P";
    std::copy(magic.begin(), magic.end(), header.begin());
    std::vector<std::uint8_t> shifted(header);
    shifted.insert(shifted.begin(), ' ');
    const std::vector<std::uint8_t> other(3120, 0);
    const std::tuple<const char*, const std::vector<std::uint8_t>&, bool> files[] = {
        {"radio.dat", header, true}, {"radio", header, true},      {"RADIO.DAT", header, true},
        {"other.dat", other, false}, {"late.dat", shifted, false},
    };
    QMimeDatabase db;
    for (const auto& [name, bytes, ours] : files) {
        ASSERT_TRUE(WriteFileBytes(dir.file(name), bytes));
        const QMimeType type = db.mimeTypeForFile(QString::fromStdString(dir.file(name)));
        EXPECT_EQ(type.name() == kType, ours) << name << ": " << type.name().toStdString();
    }
    EXPECT_EQ(db.mimeTypeForName(kType).comment().isEmpty(), false);
}

// One rule line of a udev rules file as key, operator and value; empty for a line that does not
// read as udev's list of KEY[{attr}]OP"value" separated by commas.
using RuleKeys = std::vector<std::tuple<QString, QString, QString>>;
RuleKeys ParseRuleLine(const QString& line) {
    static const QRegularExpression key(
        R"re(^\s*([A-Z_]+)(\{[^{}"]+\})?\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*(,|$))re");
    static const std::set<QString> matches = {"SUBSYSTEM", "ACTION", "KERNEL", "ATTRS", "ENV"};
    static const std::set<QString> assigns = {"ENV", "TAG", "GOTO", "LABEL"};
    RuleKeys keys;
    QString rest = line;
    while (!rest.trimmed().isEmpty()) {
        const auto m = key.match(rest);
        if (!m.hasMatch()) return {};
        const QString name = m.captured(1), op = m.captured(3);
        const bool isMatch = op == "==" || op == "!=";
        if (!(isMatch ? matches : assigns).count(name)) return {};
        // ATTRS and ENV name what they read or set; the others take no name.
        if ((name == "ATTRS" || name == "ENV") == m.captured(2).isEmpty()) return {};
        keys.emplace_back(name + m.captured(2), op, m.captured(4));
        rest = rest.mid(m.capturedLength());
        if (m.captured(5).isEmpty() && !rest.trimmed().isEmpty()) return {};
    }
    return keys;
}

TEST(Packaging, TheUdevRuleReadsAsRulesAndCoversEachAdapter) {
    QFile file(kPackaging + "/udev/" + kRule);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    // Sorted before the seat rules, which turn the uaccess tag into the user's access.
    EXPECT_LT(kRule, QString("73-seat-late.rules"));
    std::set<QString> adapters, gotos, labels;
    int line = 0;
    for (const QString& text : QString::fromUtf8(file.readAll()).split('\n')) {
        ++line;
        if (text.trimmed().isEmpty() || text.trimmed().startsWith('#')) continue;
        const RuleKeys keys = ParseRuleLine(text);
        ASSERT_FALSE(keys.empty()) << "line " << line << ": " << text.toStdString();
        std::map<QString, QString> set;
        for (const auto& [name, op, value] : keys) {
            if (name == "GOTO") gotos.insert(value);
            if (name == "LABEL") labels.insert(value);
            set[name + op] = value;
        }
        if (!set.count("ATTRS{idVendor}==")) continue;
        EXPECT_EQ(set["ENV{ID_MM_DEVICE_IGNORE}="], "1") << "line " << line;
        EXPECT_EQ(set["TAG+="], "uaccess") << "line " << line;
        adapters.insert(set["ATTRS{idVendor}=="] + ":" + set["ATTRS{idProduct}=="]);
    }
    EXPECT_EQ(adapters, (std::set<QString>{"1a86:7523", "1a86:5523", "10c4:ea60", "067b:2303",
                                           "067b:23a3", "0403:6001", "0403:6015"}));
    EXPECT_EQ(gotos, labels);

    // The checker itself refuses what udev would not read.
    for (const char* bad : {"ATTRS{idVendor}==1a86", "ATTRS{idVendor}==\"1a86\" TAG+=\"uaccess\"",
                            "TAG==\"uaccess\"", "ATTRS==\"x\"", "ENV{A}=\"1\",, TAG+=\"u\""})
        EXPECT_TRUE(ParseRuleLine(bad).empty()) << bad;
}

// The rule as `cmake --install` puts it, which is what the package holds.
TEST(Packaging, TheInstallPutsTheUdevRuleWithTheSystemsRules) {
    TempDir dir;
    QProcess install;
    install.start(VAREL_CMAKE, {"--install", VAREL_BUILD_DIR, "--prefix",
                                QString::fromStdString(dir.file("usr"))});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    QFile installed(QString::fromStdString(dir.file("usr/lib/udev/rules.d/")) + kRule);
    QFile source(kPackaging + "/udev/" + kRule);
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(installed.readAll(), source.readAll());
}

}  // namespace
}  // namespace varel::test
