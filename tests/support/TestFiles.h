#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
