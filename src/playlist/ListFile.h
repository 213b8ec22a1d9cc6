#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The three list files: one entry a line, CR LF after each, then one closing
// empty line; UTF-8.
namespace ListFile {

// Longest line taken as an entry; a longer one cannot be a path and is skipped.
inline constexpr qsizetype MaxLineBytes = qsizetype{32} * 1024;
// Bytes read from one file at most, so a runaway file cannot stall the start.
inline constexpr qint64 MaxFileBytes = qint64(256) * 1024 * 1024;

QByteArray format(const QStringList &entries);

// A line ends at CR LF or a lone CR; a lone LF stays in the line. The last line
// is dropped only when it is the closing empty line, so a file cut short keeps
// its last entry. Lines that cannot name a file (NUL, bad UTF-8, too long) are
// skipped.
QStringList parse(QByteArrayView data);

// A missing or unreadable file gives an empty list.
QStringList read(const QString &path);

// Replaces the file atomically: the old file stays whole until the new one is
// complete. On failure, returns false and says why in `error`.
bool write(const QString &path, const QStringList &entries, QString *error = nullptr);

} // namespace ListFile
