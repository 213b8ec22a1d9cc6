#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace platform {

// Runs ask on a detached thread and waits at most timeoutMs for its answer: a call stuck
// in the kernel on a dead volume must not hold the window. No answer in time: nullopt.
template <typename T> std::optional<T> answerWithin(std::function<T()> ask, int timeoutMs)
{
    struct Answer {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<T> value;
    };
    auto answer = std::make_shared<Answer>();
    std::thread([answer, ask = std::move(ask)] {
        T value = ask();
        const std::lock_guard lock(answer->mutex);
        answer->value = std::move(value);
        answer->done.notify_one();
    }).detach();
    std::unique_lock lock(answer->mutex);
    answer->done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [&] { return answer->value.has_value(); });
    return answer->value;
}

} // namespace platform
