#pragma once

#include <QList>
#include <QString>
#include <functional>

// The "drives" of the player: mounted volumes that hold real file systems.
namespace platform {

struct Volume {
    QString rootPath; // the mount point, ending in "/"
    QString name;     // label, or the device's name
    // As a drive list shows it: mount point and name.
    QString text() const;
};

// Pseudo and virtual file systems (proc, sysfs, cgroup, tmpfs, overlay ...) are
// left out, removable media kept; "/" is always there. Read from the kernel's
// mount table without asking any volume, so a dead network mount cannot hold it.
QList<Volume> mountedVolumes();

// The same, asked on a helper thread and waited for at most timeoutMs; only "/"
// when no answer came by then. For windows, which must answer whatever a source does.
QList<Volume> mountedVolumesWithin(int timeoutMs = 1000);

struct Mount {
    QString point; // without a final "/", except "/"
    QByteArray type;
    QString device;
};
// The kernel's mount table of this process.
QList<Mount> mountTable();

// Replaces the system's list (tests add volumes that do not answer); empty restores it.
void setVolumeSource(std::function<QList<Volume>()> source);

// The volume a path lies on: the one with the longest mount point above it.
Volume volumeOf(const QString &path, const QList<Volume> &volumes);

// The mount point a path lies under, from the kernel's table, without touching
// the path: what the helpers of BoundedCall are counted by.
QString mountPointOf(const QString &path);
QString mountPointOf(const QString &path, const QList<Mount> &table);

enum class DirectoryAnswer { Answered, NoAnswer, Failed };

// Opens a directory on a helper thread and waits at most timeoutMs, so that a
// hung network volume or an empty drive cannot freeze a window. NoAnswer: the
// device is gone, has no medium, does not reply, is not connected, or its
// volume still has a look out.
DirectoryAnswer probeDirectory(const QString &path, int timeoutMs = 1000);

} // namespace platform
