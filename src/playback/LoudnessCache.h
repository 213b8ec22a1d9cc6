#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The gains measured so far, newest last, in a small file: a file is known by its
// path, size and modification time, so a changed file is measured again. A
// damaged file is read as far as it makes sense and never trusted further.
class LoudnessCache {
public:
    struct Key {
        QByteArray path; // the file name's bytes
        qint64 size = 0;
        qint64 mtimeNs = 0;
        bool operator==(const Key &) const = default;
    };

    static constexpr qsizetype kMostEntries = 4096;

    // Reads `file` if it is there.
    explicit LoudnessCache(QString file, qsizetype mostEntries = kMostEntries);

    std::optional<double> find(const Key &key) const;
    // Replaces what was known of the path; the oldest entries go beyond the bound.
    void put(const Key &key, double gainDb);
    bool save() const;

    // The key of the file now, or none when it cannot be looked at.
    static std::optional<Key> keyOf(const QByteArray &path);

private:
    struct Entry {
        Key key;
        double gainDb = 0;
    };
    void load();

    QString file_;
    qsizetype mostEntries_;
    QList<Entry> entries_;
};
