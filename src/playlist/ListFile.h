#pragma once

#include "playlist/PathStore.h"

#include <QByteArray>
#include <QByteArrayList>
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

// What a file holds: the entries, and the lines that cannot name a file (NUL,
// bad UTF-8, too long), byte for byte, so a folder list can keep them.
struct Contents {
    QStringList entries;
    QByteArrayList unusable;
};

// `unusable` lines follow the entries unchanged.
QByteArray format(const QStringList &entries, const QByteArrayList &unusable = {});

// A line ends at CR LF, LF or CR; empty lines are no entries.
Contents parse(QByteArrayView data);

// A missing or unreadable file gives no entries.
Contents read(const QString &path);
// The entries alone, kept as bytes: for the long play list.
PathStore readPaths(const QString &path);

// Replaces the file atomically: the old file stays whole until the new one is
// complete. On failure, returns false and says why in `error`.
bool write(const QString &path, const QStringList &entries, QString *error = nullptr,
           const QByteArrayList &unusable = {});
bool write(const QString &path, const PathStore &entries, QString *error = nullptr);

} // namespace ListFile
