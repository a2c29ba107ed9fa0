// The files that make the program a desktop program: the data file's MIME type is recognised by
// its first six bytes (whatever the file is called), and the desktop entry, the metadata, the
// MIME type and the icons name one another as they must.
#include <gtest/gtest.h>

#include <QFile>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QSettings>

#include "support/temp_dir.h"

namespace varel::test {
namespace {

const QString kPackaging = VAREL_PACKAGING;
const QString kId = "org.varel.wavesmith";
const QString kType = "application/x-varel-data";

QString Text(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

// The value of a key of the desktop entry ("" when it is missing).
QString DesktopValue(const QString& key) {
    const QRegularExpression line("^" + key + "=(.*)$", QRegularExpression::MultilineOption);
    return line.match(Text(kPackaging + "/" + kId + ".desktop")).captured(1);
}

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
    const struct {
        const char* name;
        const std::vector<std::uint8_t>& bytes;
        bool ours;
    } files[] = {
        {"radio.dat", header, true}, {"radio", header, true},      {"RADIO.DAT", header, true},
        {"other.dat", other, false}, {"late.dat", shifted, false},
    };
    QMimeDatabase db;
    for (const auto& f : files) {
        ASSERT_TRUE(WriteFileBytes(dir.file(f.name), f.bytes));
        const QMimeType type = db.mimeTypeForFile(QString::fromStdString(dir.file(f.name)));
        EXPECT_EQ(type.name() == kType, f.ours) << f.name << ": " << type.name().toStdString();
    }
    EXPECT_EQ(db.mimeTypeForName(kType).comment().isEmpty(), false);
}

TEST(Packaging, DesktopEntryMetadataMimeTypeAndIconsNameOneAnother) {
    EXPECT_EQ(DesktopValue("Exec"), "varel %f");
    EXPECT_EQ(DesktopValue("Icon"), kId);
    EXPECT_EQ(DesktopValue("MimeType"), kType + ";");
    EXPECT_TRUE(Text(kPackaging + "/" + kId + ".mime.xml").contains("type=\"" + kType + "\""));
    const QString metainfo = Text(kPackaging + "/" + kId + ".metainfo.xml.in");
    EXPECT_TRUE(metainfo.contains("<id>" + kId + "</id>"));
    EXPECT_TRUE(metainfo.contains("<launchable type=\"desktop-id\">" + kId + ".desktop<"));
    EXPECT_TRUE(metainfo.contains("<mediatype>" + kType + "</mediatype>"));
    for (const char* program : {"varel", "varel-cli", "varel-sim"})
        EXPECT_TRUE(metainfo.contains(QString("<binary>%1</binary>").arg(program))) << program;
    for (const QString& icon : {"/icons/" + kId + ".svg", "/icons/48/" + kId + ".png",
                                "/icons/128/" + kId + ".png", "/icons/256/" + kId + ".png"})
        EXPECT_TRUE(QFile::exists(kPackaging + icon)) << icon.toStdString();
}

}  // namespace
}  // namespace varel::test
