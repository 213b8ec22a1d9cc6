#include "platform/BoundedCall.h"

#include <QHash>

#include <algorithm>
#include <deque>

#include <system_error>
#include <thread>

namespace platform {

struct HelperLook {
    QString mount;
    bool givenUp = false;
    bool ended = false;
};

namespace {

struct Job {
    LookTicket look;
    std::function<void()> run;
};

// Threads are kept for the next look: a run of looks (a long list of missing
// files) costs no thread each. There are never more than looks out at once.
struct Helpers {
    std::mutex mutex;
    std::condition_variable changed;
    std::condition_variable work;
    QHash<QString, LookTicket> looks; // the one look of each volume
    std::deque<Job> jobs;
    int idle = 0;
};

// Never destroyed: a stuck helper may still end while the program exits.
Helpers &helpers()
{
    static auto *h = new Helpers;
    return *h;
}

LookTicket take(const QString &mount, Deadline deadline)
{
    Helpers &h = helpers();
    std::unique_lock lock(h.mutex);
    const auto free = [&] { return !h.looks.contains(mount) && h.looks.size() < MaxHelpers; };
    const auto deadVolume = [&] {
        const LookTicket earlier = h.looks.value(mount);
        return earlier && earlier->givenUp;
    };
    h.changed.wait_until(lock, deadline, [&] { return free() || deadVolume(); });
    if (!free()) {
        return nullptr;
    }
    auto look = std::make_shared<HelperLook>();
    look->mount = mount;
    h.looks.insert(mount, look);
    return look;
}

void end(const LookTicket &look)
{
    Helpers &h = helpers();
    const std::lock_guard lock(h.mutex);
    look->ended = true;
    h.looks.remove(look->mount);
    h.changed.notify_all();
}

void serve()
{
    Helpers &h = helpers();
    std::unique_lock lock(h.mutex);
    for (;;) {
        ++h.idle;
        h.work.wait(lock, [&] { return !h.jobs.empty(); });
        --h.idle;
        Job job = std::move(h.jobs.front());
        h.jobs.pop_front();
        lock.unlock();
        job.run();
        end(job.look);
        lock.lock();
    }
}

// False when no thread is idle and none can be started.
bool hand(Job job)
{
    Helpers &h = helpers();
    const LookTicket look = job.look;
    {
        const std::lock_guard lock(h.mutex);
        h.jobs.push_back(std::move(job));
        if (h.idle > qsizetype(h.jobs.size()) - 1) {
            h.work.notify_one();
            return true;
        }
    }
    try {
        std::thread(serve).detach();
        return true;
    } catch (const std::system_error &) {
        // At the thread limit: no answer, as from a volume that does not reply.
        // Unless a thread that came free meanwhile has taken it.
        const std::lock_guard lock(h.mutex);
        const auto queued =
            std::find_if(h.jobs.begin(), h.jobs.end(), [&](const Job &j) { return j.look == look; });
        if (queued == h.jobs.end()) {
            return true;
        }
        h.jobs.erase(queued);
        return false;
    }
}

} // namespace

LookTicket startHelper(const QString &mount, std::function<void()> job, Deadline deadline)
{
    LookTicket look = take(mount, deadline);
    if (look && !hand({look, std::move(job)})) {
        end(look);
        return nullptr;
    }
    return look;
}

void giveUp(const LookTicket &look)
{
    Helpers &h = helpers();
    const std::lock_guard lock(h.mutex);
    look->givenUp = !look->ended;
    h.changed.notify_all();
}

int helpersOut()
{
    Helpers &h = helpers();
    const std::lock_guard lock(h.mutex);
    return int(h.looks.size());
}

} // namespace platform
