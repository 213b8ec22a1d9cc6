#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

// The whole file, or `missing` where it cannot be read.
inline QByteArray readFile(const QString &path, const QByteArray &missing = {})
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : missing;
}

// Writes the whole file, making its folder first.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// `n` names made from `pattern` with %1 counting up from 0.
inline QStringList numberedNames(const QString &pattern, int n)
{
    QStringList names;
    for (int i = 0; i < n; ++i) {
        names << pattern.arg(i);
    }
    return names;
}
