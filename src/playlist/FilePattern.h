#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// A ";"-separated list of wildcards ("*" any run, "?" one character), matched
// against a whole file name without regard to case, as users of these file
// types expect ("SONG.MP3" is an "*.mp3").
class FilePattern {
public:
    explicit FilePattern(const QString &pattern);

    bool matches(QStringView name) const;
    // The answer of matches() for the name these bytes decode to (see
    // platform/FileNameCodec), decoding only names the bytes cannot settle.
    bool matchesFileName(QByteArrayView bytes) const;

private:
    // "*" followed by plain text: the common case, checked as a suffix.
    QStringList suffixes_;
    QStringList wildcards_;
    // The suffixes that are ASCII, lower case: checked on the bytes.
    std::vector<QByteArray> asciiSuffixes_;
    qsizetype longestAscii_ = 0;
    // Some wildcard or suffix can only be checked on the text.
    bool needsText_ = false;
};
