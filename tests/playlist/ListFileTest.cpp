#include "playlist/ListFile.h"

#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QStringList parse(const char *bytes)
{
    return ListFile::parse(QByteArrayView(bytes));
}

} // namespace

TEST(ListFileFormat, WritesOneLinePerEntryAndAClosingEmptyLine)
{
    EXPECT_EQ(ListFile::format({"A", "B"}), QByteArray("A\r\nB\r\n\r\n"));
    EXPECT_EQ(ListFile::format({}), QByteArray("\r\n"));
    EXPECT_EQ(ListFile::format({QStringLiteral("/音楽/曲.mp3")}),
              QStringLiteral("/音楽/曲.mp3\r\n\r\n").toUtf8());
}

TEST(ListFileFormat, EveryWrittenListReadsBackUnchanged)
{
    const QList<QStringList> lists{
        {},        {"A", "B"},    {""},
        {"A", ""}, {"", "", "x"}, {QStringLiteral("/home/u/ミュージック/R&B.mp3"), "/a b/c"}};
    for (const QStringList &list : lists) {
        EXPECT_EQ(ListFile::parse(ListFile::format(list)), list) << list.join('|').toStdString();
    }
}

TEST(ListFileFormat, LineEnds)
{
    EXPECT_EQ(parse(""), QStringList());
    EXPECT_EQ(parse("A\rB\r\r"), (QStringList{"A", "B"}));
    EXPECT_EQ(parse("A\nB\r\n\r\n"), (QStringList{"A\nB"}));
    EXPECT_EQ(parse("A\r\n\nB\r\n\r\n"), (QStringList{"A", "\nB"}));
}

TEST(ListFileFormat, AFileWithoutTheClosingEmptyLineKeepsItsLastEntry)
{
    EXPECT_EQ(parse("A\r\nB\r\n"), (QStringList{"A", "B"}));
    EXPECT_EQ(parse("A\r\nB"), (QStringList{"A", "B"}));
    EXPECT_EQ(parse("A"), (QStringList{"A"}));
}

TEST(ListFileFormat, DamagedLinesAreSkippedTheRestIsKept)
{
    const char withNul[] = "A\r\nB\0C\r\nD\r\n\r\n";
    EXPECT_EQ(ListFile::parse(QByteArray(withNul, sizeof withNul - 1)), (QStringList{"A", "D"}));
    EXPECT_EQ(parse("A\r\n\xff\xfe\x80\r\nD\r\n\r\n"), (QStringList{"A", "D"}));
    QByteArray longLine = "A\r\n" + QByteArray(ListFile::MaxLineBytes + 1, 'x') + "\r\nD\r\n\r\n";
    EXPECT_EQ(ListFile::parse(longLine), (QStringList{"A", "D"}));
}

class ListFileOnDisk : public CleanStateTest {
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    void put(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(ListFileOnDisk, WriteReplacesTheFileAndReadGivesTheEntriesBack)
{
    const QString file = path("sub/u.fllx3");
    ASSERT_TRUE(ListFile::write(file, {"old"}));
    ASSERT_TRUE(ListFile::write(file, {"A", "B"}));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("A\r\nB\r\n\r\n"));
    EXPECT_EQ(ListFile::read(file), (QStringList{"A", "B"}));
    EXPECT_EQ(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden), QStringList{"u.fllx3"});
}

TEST_F(ListFileOnDisk, AFailedWriteSaysWhyAndLeavesNoTemporaryFile)
{
    const QString file = path("u.fllx3");
    QDir().mkpath(file); // cannot be replaced by a file
    QString error;
    EXPECT_FALSE(ListFile::write(file, {"lost"}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(ListFileOnDisk, MissingFilesAndDevicesReadAsEmpty)
{
    EXPECT_TRUE(ListFile::read(path("none.fllx3")).isEmpty());
    EXPECT_TRUE(ListFile::read(dir.path()).isEmpty());
    EXPECT_TRUE(ListFile::read(QStringLiteral("/dev/zero")).isEmpty());
}

TEST_F(ListFileOnDisk, DamagedFilesLoad)
{
    QByteArray binary;
    for (int i = 0; i < 256 * 64; ++i) {
        binary.append(static_cast<char>((i * 7919) & 0xff));
    }
    put(path("binary"), binary);
    const QStringList fromBinary = ListFile::read(path("binary"));
    for (const QString &entry : fromBinary) {
        EXPECT_FALSE(entry.contains(QChar(0)));
        EXPECT_LE(entry.size(), ListFile::MaxLineBytes);
    }

    put(path("huge"), QByteArray(50 * 1024 * 1024, 'x') + "\r\nlast\r\n");
    EXPECT_EQ(ListFile::read(path("huge")), QStringList{"last"});

    put(path("nul"), QByteArray(4096, '\0'));
    EXPECT_TRUE(ListFile::read(path("nul")).isEmpty());
}
