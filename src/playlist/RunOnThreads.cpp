#include "playlist/RunOnThreads.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

void runOnThreads(qsizetype count, int extraThreads, const std::function<void(qsizetype)> &work)
{
    std::atomic<qsizetype> next{0};
    const auto takeTurns = [&] {
        for (qsizetype i = next++; i < count; i = next++) {
            work(i);
        }
    };
    std::vector<std::thread> threads;
    const qsizetype wanted = std::min<qsizetype>(extraThreads, count - 1);
    for (qsizetype t = 0; t < wanted; ++t) {
        try {
            threads.emplace_back(takeTurns);
        } catch (const std::system_error &) {
            break; // at the thread limit
        }
    }
    takeTurns();
    for (std::thread &thread : threads) {
        thread.join();
    }
}
