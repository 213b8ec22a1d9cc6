#include "platform/BoundedCall.h"

#include <QHash>

#include <system_error>
#include <thread>

namespace platform {

struct HelperLook {
    QString mount;
    bool givenUp = false;
    bool ended = false;
};

namespace {

struct Helpers {
    std::mutex mutex;
    std::condition_variable changed;
    QHash<QString, LookTicket> looks; // the one look of each volume
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

} // namespace

LookTicket startHelper(const QString &mount, std::function<void()> job, Deadline deadline)
{
    LookTicket look = take(mount, deadline);
    if (!look) {
        return nullptr;
    }
    try {
        std::thread([look, job = std::move(job)] {
            job();
            end(look);
        }).detach();
    } catch (const std::system_error &) {
        // At the thread limit: no answer, as from a volume that does not reply.
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
