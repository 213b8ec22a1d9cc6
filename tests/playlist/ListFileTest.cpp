#include "playlist/ListFile.h"
#include "platform/FileNameCodec.h"
#include "support/SmallDisk.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

TEST(ListFile, LinesSurviveBothWaysAndTheFileIsReplacedWholeAndNeverWrittenThroughALink)
{
    EXPECT_EQ(ListFile::format({"A", "B"}, {"\xff"}), QByteArray("A\r\nB\r\n\xff\r\n\r\n"));
    const QByteArray longLine(ListFile::MaxLineBytes + 1, 'x');
    const struct {
        QByteArray bytes;
        QStringList entries;
        QByteArrayList unusable;
    } rows[] = {{"", {}, {}},
                {"\r\n", {}, {}},
                {"A\rB\r\r", {"A", "B"}, {}},
                {"A\r\n\r\nB\r\n\r\n", {"A", "B"}, {}},
                {"music\nmusic2\n", {"music", "music2"}, {}},
                {"A\n\r\nB", {"A", "B"}, {}},
                {QByteArray("A\r\nB\0C\r\n\xff\xfe\r\nD", 13),
                 {"A", platform::decodeFileName("\xff\xfe"), "D"},
                 {QByteArray("B\0C", 3)}},
                {"A\r\n" + longLine + "\r\nD", {"A", "D"}, {longLine}},
                // U+FEFF leading a name is part of it, not a byte order mark.
                {"\xef\xbb\xbf\r\n\xef\xbb\xbf\xe6\x9b\xb2\r\n",
                 {QStringLiteral("\uFEFF"), QStringLiteral("\uFEFF\u66F2")},
                 {}}};
    for (const auto &row : rows) {
        const ListFile::Contents got = ListFile::parse(row.bytes);
        const ListFile::Contents again = ListFile::parse(ListFile::format(got.entries, got.unusable));
        EXPECT_EQ(std::tuple(got.entries, got.unusable, again.entries, again.unusable),
                  std::tuple(row.entries, row.unusable, row.entries, row.unusable))
            << row.bytes.left(40).toStdString();
    }

    QTemporaryDir dir;
    const QString file = dir.filePath("sub/u.fllx3");
    ASSERT_TRUE(ListFile::write(file, {"old"}));
    // The new list replaces the file whole: a reader of the old one never sees a half-written list.
    QFile reader(file);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_TRUE(ListFile::write(file, {"A", "B"}));
    EXPECT_EQ(reader.readAll(), QByteArray("old\r\n\r\n"));
    EXPECT_EQ(ListFile::read(file).entries, (QStringList{"A", "B"}));
    EXPECT_EQ(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden), QStringList{"u.fllx3"});

    QDir().mkpath(dir.filePath("folder.fllx3")); // cannot be replaced by a file
    QString error;
    EXPECT_FALSE(ListFile::write(dir.filePath("folder.fllx3"), {"lost"}, &error) || error.isEmpty());
    EXPECT_TRUE(ListFile::read(dir.filePath("folder.fllx3")).entries.isEmpty());
    EXPECT_TRUE(ListFile::read(QStringLiteral("/dev/zero")).entries.isEmpty());
    // A link in place of the list is replaced, never written through to what it names.
    ASSERT_TRUE(ListFile::write(dir.filePath("target"), {"kept"}));
    QFile::link(dir.filePath("target"), dir.filePath("link.fllx3"));
    ASSERT_TRUE(ListFile::write(dir.filePath("link.fllx3"), {"A"}));
    EXPECT_FALSE(QFileInfo(dir.filePath("link.fllx3")).isSymLink());
    EXPECT_EQ(ListFile::read(dir.filePath("target")).entries +
                  ListFile::read(dir.filePath("link.fllx3")).entries,
              (QStringList{"kept", "A"}));

    ASSERT_TRUE(
        writeFile(dir.filePath("huge"), QByteArray(qsizetype(50) * 1024 * 1024, 'x') + "\r\nlast\r\n"));
    EXPECT_EQ(ListFile::read(dir.filePath("huge")).entries, QStringList{"last"});

    // Read in chunks of a megabyte: lines run across their edges.
    const QStringList numbered = numberedNames(QStringLiteral("/m/%1"), 110000);
    ASSERT_TRUE(ListFile::write(dir.filePath("many"), numbered));
    EXPECT_EQ(ListFile::readPaths(dir.filePath("many")).toStringList(), numbered);

    // On a full disk the old list stays whole and the failure says why.
    SmallDisk disk(dir.filePath("small"));
    if (!disk.mounted) {
        GTEST_SKIP() << SmallDisk::needsRoot;
    }
    const QString small = dir.filePath("small/u.fllx3");
    ASSERT_TRUE(ListFile::write(small, {"/music/old/"}));
    const QStringList many(400, QStringLiteral("/home/user/Music/Folder/"));
    for (const qint64 room : {4096, 0}) {
        disk.fill(room);
        error.clear();
        EXPECT_FALSE(ListFile::write(small, many, &error) || error.isEmpty()) << room;
        EXPECT_EQ(ListFile::read(small).entries, QStringList{"/music/old/"}) << room;
        EXPECT_EQ(QDir(dir.filePath("small")).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"filler", "u.fllx3"}));
    }
}
