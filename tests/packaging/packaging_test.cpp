// The data file's MIME type, as the package installs it, is recognised by the file's first six
// bytes, whatever the file is called. (scripts/check-package.sh validates the other files.)
#include <gtest/gtest.h>

#include <QFile>
#include <QMimeDatabase>

#include "support/temp_dir.h"

namespace varel::test {
namespace {

const QString kPackaging = VAREL_PACKAGING;
const QString kId = "org.varel.wavesmith";
const QString kType = "application/x-varel-data";

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

}  // namespace
}  // namespace varel::test
