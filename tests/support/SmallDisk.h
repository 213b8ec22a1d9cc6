#pragma once

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/statvfs.h>

// A 64 KiB tmpfs over a folder, so writes there meet a really full disk.
// Mounting needs root (CI runs as root); elsewhere the test is skipped.
struct SmallDisk {
    explicit SmallDisk(const QString &folder) : path(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        mounted = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() { mounted && ::umount2(path.constData(), MNT_DETACH); }

    // Takes all but `room` bytes of what is free.
    void fill(qint64 room) const
    {
        struct statvfs fs {};
        ::statvfs(path.constData(), &fs);
        QFile filler(QFile::decodeName(path) + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::Append));
        filler.write(QByteArray(qint64(fs.f_bavail * fs.f_bsize) - room, 'f'));
    }

    static constexpr const char *needsRoot = "mounting a small tmpfs needs root";
    const QByteArray path;
    bool mounted = false;
};
