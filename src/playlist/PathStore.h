#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <vector>

// A long list of full paths in little memory: the paths' file-name bytes lie
// back to back in one buffer, and each entry is a place in it. A play list of
// 100,000 files costs about a third of what as many strings would.
class PathStore {
public:
    qsizetype size() const { return static_cast<qsizetype>(spans_.size()); }
    bool isEmpty() const { return spans_.empty(); }
    // The bytes of all entries together.
    qsizetype byteSize() const { return bytes_.size() - unusedBytes_; }

    // The path as the program shows and opens it; bytes that are not UTF-8
    // come back as the file name codec carries them.
    QString at(qsizetype i) const;
    QByteArrayView bytesAt(qsizetype i) const;

    void append(const QString &path);
    void appendBytes(QByteArrayView bytes);
    // One entry made of a folder prefix and a name, without a joined copy.
    void appendBytes(QByteArrayView prefix, QByteArrayView name);
    // Every entry of `other`, in its order, after these; `other` is left empty.
    void append(PathStore &&other);
    void insert(qsizetype i, const QString &path);
    void removeAt(qsizetype i);
    void swap(qsizetype i, qsizetype j);
    // Entry i becomes the entry that was at order[i]; `order` holds each place
    // once. Only the places move, not the bytes.
    void reorder(const std::vector<qsizetype> &order);
    void clear();
    void reserve(qsizetype entries, qsizetype bytes);

    QStringList toStringList() const;
    static PathStore fromStringList(const QStringList &paths);

private:
    // Room for a terabyte of names; a line of a list file or a path is far
    // below the 16 MB a length can say.
    struct Span {
        quint64 offset : 40;
        quint64 length : 24;
    };
    void compactIfWasteful();

    QByteArray bytes_;
    std::vector<Span> spans_;
    qsizetype unusedBytes_ = 0; // left behind by removed entries
};
