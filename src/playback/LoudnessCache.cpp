#include "playback/LoudnessCache.h"

#include "platform/FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <sys/stat.h>

namespace {

// Nothing we wrote comes near this; a larger file is not ours to trust.
constexpr qint64 kMostFileBytes = 4 * 1024 * 1024;
constexpr double kSaneGainDb = 60.0;
const QByteArray kHeader = QByteArrayLiteral("lyrabox3 loudness 1");

// One line: gain, size, mtime, then the path's bytes percent-encoded, tab-separated.
QByteArray line(const LoudnessCache::Key &key, double gainDb)
{
    return QByteArray::number(gainDb, 'f', 2) + '\t' + QByteArray::number(key.size) + '\t' +
           QByteArray::number(key.mtimeNs) + '\t' + key.path.toPercentEncoding("/") + '\n';
}

} // namespace

LoudnessCache::LoudnessCache(QString file, qsizetype mostEntries)
    : file_(std::move(file)), mostEntries_(mostEntries)
{
    load();
}

std::optional<LoudnessCache::Key> LoudnessCache::keyOf(const QByteArray &path)
{
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    return Key{path, qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::optional<double> LoudnessCache::find(const Key &key) const
{
    for (const Entry &entry : entries_) {
        if (entry.key == key) {
            return entry.gainDb;
        }
    }
    return std::nullopt;
}

void LoudnessCache::put(const Key &key, double gainDb)
{
    entries_.removeIf([&key](const Entry &entry) { return entry.key.path == key.path; });
    entries_.append({key, gainDb});
    if (entries_.size() > mostEntries_) {
        entries_.remove(0, entries_.size() - mostEntries_);
    }
}

bool LoudnessCache::save() const
{
    QByteArray bytes = kHeader + '\n';
    for (const Entry &entry : entries_) {
        bytes += line(entry.key, entry.gainDb);
    }
    QDir().mkpath(QFileInfo(file_).absolutePath());
    return platform::replaceFile(file_, bytes);
}

void LoudnessCache::load()
{
    QFile file(file_);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMostFileBytes) {
        return;
    }
    const QList<QByteArray> lines = file.read(kMostFileBytes).split('\n');
    if (lines.value(0) != kHeader) {
        return;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        bool gainOk = false;
        bool sizeOk = false;
        bool timeOk = false;
        const double gain = fields.value(0).toDouble(&gainOk);
        const Key key{QByteArray::fromPercentEncoding(fields.value(3)), fields.value(1).toLongLong(&sizeOk),
                      fields.value(2).toLongLong(&timeOk)};
        if (fields.size() == 4 && gainOk && sizeOk && timeOk && std::isfinite(gain) &&
            std::fabs(gain) <= kSaneGainDb && key.path.startsWith('/')) {
            put(key, gain);
        }
    }
}
