#pragma once

#include <QString>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

// Helper threads for looks that may block in the kernel (a network volume whose
// server went away). A look whose caller stopped waiting is never joined: until
// it ends its volume takes no other look, and all volumes together have a few
// helpers, so a dead volume costs one thread, not one per click.
namespace platform {

using Deadline = std::chrono::steady_clock::time_point;

constexpr int MaxHelpers = 6;

struct HelperLook;
using LookTicket = std::shared_ptr<HelperLook>;

// Runs job on a helper for the volume whose mount point is `mount`, once the
// volume's earlier look has ended (waiting for that until the deadline). Null,
// and job never runs, when that look was given up, when MaxHelpers are out by
// the deadline, or when the system gives no thread.
LookTicket startHelper(const QString &mount, std::function<void()> job, Deadline deadline);

// The caller no longer waits for the look: its volume counts as not answering
// until the look ends.
void giveUp(const LookTicket &look);

// Helpers out now, stuck or working.
int helpersOut();

// Runs ask on a helper and waits at most timeoutMs for its answer. No answer in
// time, or no helper for it: nullopt.
template <typename T>
std::optional<T> answerWithin(const QString &mount, std::function<T()> ask, int timeoutMs)
{
    struct Answer {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<T> value;
    };
    const Deadline deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    auto answer = std::make_shared<Answer>();
    const LookTicket look = startHelper(
        mount,
        [answer, ask = std::move(ask)] {
            T value = ask();
            const std::lock_guard lock(answer->mutex);
            answer->value = std::move(value);
            answer->done.notify_one();
        },
        deadline);
    if (!look) {
        return std::nullopt;
    }
    std::unique_lock lock(answer->mutex);
    if (!answer->done.wait_until(lock, deadline, [&] { return answer->value.has_value(); })) {
        giveUp(look);
    }
    return answer->value;
}

} // namespace platform
