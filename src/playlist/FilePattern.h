#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// A ";"-separated list of wildcards ("*" any run, "?" one character), matched
// against a whole file name without regard to case, as users of these file
// types expect ("SONG.MP3" is an "*.mp3").
class FilePattern {
public:
    explicit FilePattern(const QString &pattern);

    bool matches(QStringView name) const;

private:
    // "*" followed by plain text: the common case, checked as a suffix.
    QStringList suffixes_;
    QStringList wildcards_;
};
