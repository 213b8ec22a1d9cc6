#pragma once

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/statvfs.h>

// A 64 KiB tmpfs over a folder, so writes there meet a really full disk.
// Mounting needs root (CI runs as root); elsewhere the test is skipped.
class SmallDisk {
public:
    explicit SmallDisk(const QString &folder) : path_(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        mounted_ = ::mount("tmpfs", path_.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted_) {
            ::umount2(path_.constData(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return mounted_; }
    static constexpr const char *needsRoot = "mounting a small tmpfs needs root";

    // Takes all but `room` bytes of what is free.
    void fill(qint64 room)
    {
        struct statvfs fs {};
        ASSERT_EQ(::statvfs(path_.constData(), &fs), 0);
        QFile filler(QFile::decodeName(path_) + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::Append));
        filler.write(QByteArray(qint64(fs.f_bavail * fs.f_bsize) - room, 'f'));
    }

private:
    QByteArray path_;
    bool mounted_ = false;
};
