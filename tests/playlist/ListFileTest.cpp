#include "playlist/ListFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QStringList parse(const char *bytes, qsizetype size = -1)
{
    return ListFile::parse(QByteArrayView(bytes, size < 0 ? qstrlen(bytes) : size));
}
} // namespace

TEST(ListFile, FormatAndRoundTrips)
{
    EXPECT_EQ(ListFile::format({"A", "B"}), QByteArray("A\r\nB\r\n\r\n"));
    EXPECT_EQ(ListFile::format({}), QByteArray("\r\n"));
    for (const QStringList &list : QList<QStringList>{
             {}, {"A", "B"}, {""}, {"A", ""}, {QStringLiteral("/home/u/ミュージック/R&B.mp3"), "/a b/c"}}) {
        EXPECT_EQ(ListFile::parse(ListFile::format(list)), list) << list.join('|').toStdString();
    }
}

TEST(ListFile, LineEndsAndTheClosingEmptyLine)
{
    EXPECT_EQ(parse(""), QStringList());
    EXPECT_EQ(parse("A\rB\r\r"), (QStringList{"A", "B"}));
    EXPECT_EQ(parse("A\nB\r\n\nC\r\n\r\n"), (QStringList{"A\nB", "\nC"}));
    // Cut short: the last entry stays.
    EXPECT_EQ(parse("A\r\nB\r\n"), (QStringList{"A", "B"}));
    EXPECT_EQ(parse("A\r\nB"), (QStringList{"A", "B"}));
}

TEST(ListFile, DamagedLinesAreSkippedTheRestIsKept)
{
    const char withNul[] = "A\r\nB\0C\r\n\xff\xfe\x80\r\nD\r\n\r\n";
    EXPECT_EQ(parse(withNul, sizeof withNul - 1), (QStringList{"A", "D"}));
    const QByteArray longLine = "A\r\n" + QByteArray(ListFile::MaxLineBytes + 1, 'x') + "\r\nD\r\n\r\n";
    EXPECT_EQ(ListFile::parse(longLine), (QStringList{"A", "D"}));
}

TEST(ListFile, OnDisk)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("sub/u.fllx3");
    ASSERT_TRUE(ListFile::write(file, {"old"}));
    ASSERT_TRUE(ListFile::write(file, {"A", "B"}));
    EXPECT_EQ(ListFile::read(file), (QStringList{"A", "B"}));
    EXPECT_EQ(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden), QStringList{"u.fllx3"});

    QDir().mkpath(dir.filePath("folder.fllx3")); // cannot be replaced by a file
    QString error;
    EXPECT_FALSE(ListFile::write(dir.filePath("folder.fllx3"), {"lost"}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(ListFile::read(dir.filePath("folder.fllx3")).isEmpty());
    EXPECT_TRUE(ListFile::read(dir.filePath("missing")).isEmpty());
    EXPECT_TRUE(ListFile::read(QStringLiteral("/dev/zero")).isEmpty());

    QFile huge(dir.filePath("huge"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    huge.write(QByteArray(50 * 1024 * 1024, 'x') + "\r\nlast\r\n");
    huge.close();
    EXPECT_EQ(ListFile::read(huge.fileName()), QStringList{"last"});
}
