#include "playback/TrackLoudness.h"

#include "platform/FileNameCodec.h"
#include "platform/IdlePriority.h"
#include "platform/Paths.h"
#include "playback/LoudnessCache.h"
#include "playback/LoudnessMeter.h"

#include <QHash>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

// Answers nobody took (a file measured ahead that never played) are dropped beyond this.
constexpr qsizetype kMostAnswers = 64;

QString cacheFile()
{
    return platform::cacheDir() + QStringLiteral("loudness");
}

// The cached gain, else a measurement, which is then kept.
std::optional<double> resolve(std::unique_ptr<LoudnessCache> &cache, const QByteArray &path)
{
    if (!cache) {
        cache = std::make_unique<LoudnessCache>(cacheFile());
    }
    const auto key = LoudnessCache::keyOf(path);
    if (!key) {
        return std::nullopt;
    }
    if (const auto known = cache->find(*key)) {
        return known;
    }
    const auto gain = measureGainDb(path);
    if (gain) {
        cache->put(*key, *gain);
        cache->save();
    }
    return gain;
}

} // namespace

// Lives as long as the program: its thread may be held by a folder that does not
// answer when the program ends.
struct TrackLoudness::Worker {
    std::mutex mutex;
    std::condition_variable changed;
    bool on = false;
    bool started = false;
    std::deque<QByteArray> urgent;
    QByteArray ahead;
    QByteArray busy;
    QHash<QByteArray, std::optional<double>> answers;

    void run()
    {
        platform::lowerThisThreadsPriority();
        std::unique_ptr<LoudnessCache> cache;
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return !urgent.empty() || !ahead.isEmpty(); });
            if (!urgent.empty()) {
                busy = urgent.front();
                urgent.pop_front();
            } else {
                busy = std::exchange(ahead, {});
            }
            const QByteArray path = busy;
            lock.unlock();
            const auto gain = resolve(cache, path);
            lock.lock();
            if (answers.size() >= kMostAnswers) {
                answers.clear();
            }
            answers.insert(path, gain);
            busy.clear();
            changed.notify_all();
        }
    }

    // Called with the mutex held.
    void startOnce()
    {
        if (!started) {
            started = true;
            std::thread([this] { run(); }).detach();
        }
    }

    bool known(const QByteArray &path) const
    {
        return answers.contains(path) || busy == path || ahead == path ||
               std::find(urgent.begin(), urgent.end(), path) != urgent.end();
    }
};

TrackLoudness &TrackLoudness::instance()
{
    static TrackLoudness loudness;
    return loudness;
}

TrackLoudness::TrackLoudness() : worker_(new Worker) {}

void TrackLoudness::setEnabled(bool on)
{
    const std::lock_guard lock(worker_->mutex);
    worker_->on = on;
}

bool TrackLoudness::enabled() const
{
    const std::lock_guard lock(worker_->mutex);
    return worker_->on;
}

std::optional<double> TrackLoudness::gainFor(const QString &path, std::chrono::milliseconds wait)
{
    Worker &w = *worker_;
    std::unique_lock lock(w.mutex);
    if (!w.on) {
        return std::nullopt;
    }
    const QByteArray name = platform::encodeFileName(path);
    if (!w.known(name)) {
        w.urgent.push_back(name);
        w.startOnce();
        w.changed.notify_all();
    }
    // What was measured ahead is taken once: a later play of the file asks again,
    // and finds the cache, or a changed file measured anew.
    if (w.changed.wait_for(lock, wait, [&w, &name] { return w.answers.contains(name); })) {
        return w.answers.take(name).value_or(0.0);
    }
    return 0.0;
}

void TrackLoudness::measureAhead(const QString &path)
{
    Worker &w = *worker_;
    const std::lock_guard lock(w.mutex);
    const QByteArray name = platform::encodeFileName(path);
    if (!w.on || path.isEmpty() || w.known(name)) {
        return;
    }
    w.ahead = name;
    w.startOnce();
    w.changed.notify_all();
}

bool TrackLoudness::waitUntilIdle(std::chrono::milliseconds wait)
{
    Worker &w = *worker_;
    std::unique_lock lock(w.mutex);
    return w.changed.wait_for(lock, wait,
                              [&w] { return w.urgent.empty() && w.ahead.isEmpty() && w.busy.isEmpty(); });
}
