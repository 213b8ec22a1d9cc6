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

// `root`/`name` as a folder path ending in "/", holding the given empty files.
inline QString folderWith(const QString &root, const QString &name, const QStringList &files)
{
    const QString folder = root + u'/' + name + u'/';
    QDir().mkpath(folder);
    for (const QString &file : files) {
        QFile(folder + file).open(QIODevice::WriteOnly);
    }
    return folder;
}
