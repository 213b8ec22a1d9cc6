#pragma once

#include <QString>
#include <atomic>
#include <functional>

// Walks the folder tree of one file system depth first, each folder tested
// before its subfolders, and reports every folder that directly holds a
// playable file (FolderContents' fixed pattern). It never leaves the file system
// (nor the mount) of the root, never opens another mount, never follows a link to a folder, skips hidden
// folders and passes over folders it cannot read. Safe to run on a worker
// thread; clearing `running` ends it after the folder in hand.
class FolderWalker {
public:
    using HitHandler = std::function<void(const QString &folder)>;

    FolderWalker(const std::atomic<bool> &running, HitHandler onHit);

    // Folders reported end in "/".
    void walk(const QString &root);

private:
    const std::atomic<bool> &running_;
    HitHandler onHit_;
};
