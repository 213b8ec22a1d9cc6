#include "playlist/PathStore.h"

#include "platform/FileNameCodec.h"

#include <algorithm>

QString PathStore::at(qsizetype i) const
{
    return platform::decodeFileName(bytesAt(i));
}

QByteArrayView PathStore::bytesAt(qsizetype i) const
{
    const Span span = spans_[static_cast<size_t>(i)];
    return {bytes_.constData() + span.offset, static_cast<qsizetype>(span.length)};
}

void PathStore::append(const QString &path)
{
    appendBytes(platform::encodeFileName(path));
}

void PathStore::appendBytes(QByteArrayView bytes)
{
    appendBytes(bytes, {});
}

void PathStore::appendBytes(QByteArrayView prefix, QByteArrayView name)
{
    const auto offset = static_cast<quint64>(bytes_.size());
    bytes_.append(prefix);
    bytes_.append(name);
    spans_.push_back(Span{offset, static_cast<quint64>(prefix.size() + name.size())});
}

void PathStore::append(PathStore &&other)
{
    if (isEmpty() && bytes_.capacity() < other.bytes_.size()) {
        *this = std::move(other);
    } else {
        const auto offset = static_cast<quint64>(bytes_.size());
        bytes_.append(other.bytes_);
        for (const Span span : other.spans_) {
            spans_.push_back(Span{offset + span.offset, span.length});
        }
        unusedBytes_ += other.unusedBytes_;
    }
    other.clear();
}

void PathStore::insert(qsizetype i, const QString &path)
{
    append(path);
    std::rotate(spans_.begin() + i, spans_.end() - 1, spans_.end());
}

void PathStore::removeAt(qsizetype i)
{
    unusedBytes_ += static_cast<qsizetype>(spans_[static_cast<size_t>(i)].length);
    spans_.erase(spans_.begin() + i);
    compactIfWasteful();
}

void PathStore::swap(qsizetype i, qsizetype j)
{
    std::swap(spans_[static_cast<size_t>(i)], spans_[static_cast<size_t>(j)]);
}

void PathStore::reorder(const std::vector<qsizetype> &order)
{
    std::vector<Span> reordered;
    reordered.reserve(order.size());
    for (const qsizetype place : order) {
        reordered.push_back(spans_[static_cast<size_t>(place)]);
    }
    spans_ = std::move(reordered);
}

void PathStore::clear()
{
    *this = PathStore();
}

void PathStore::reserve(qsizetype entries, qsizetype bytes)
{
    spans_.reserve(static_cast<size_t>(entries));
    bytes_.reserve(bytes);
}

QStringList PathStore::toStringList() const
{
    QStringList paths;
    paths.reserve(size());
    for (qsizetype i = 0; i < size(); ++i) {
        paths.append(at(i));
    }
    return paths;
}

PathStore PathStore::fromStringList(const QStringList &paths)
{
    PathStore store;
    for (const QString &path : paths) {
        store.append(path);
    }
    return store;
}

void PathStore::compactIfWasteful()
{
    // Playing takes entries off the front one by one: the space is given back
    // once half the buffer is unused, so the cost stays linear.
    if (unusedBytes_ < 4096 || unusedBytes_ * 2 < bytes_.size()) {
        return;
    }
    QByteArray packed;
    packed.reserve(bytes_.size() - unusedBytes_);
    for (Span &span : spans_) {
        const auto offset = static_cast<quint64>(packed.size());
        packed.append(bytes_.constData() + span.offset, static_cast<qsizetype>(span.length));
        span.offset = offset;
    }
    bytes_ = std::move(packed);
    unusedBytes_ = 0;
}
