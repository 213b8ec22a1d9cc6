#pragma once

#include <QtGlobal>

#include <functional>

// Runs work(0) .. work(count - 1), each once, on the caller's thread and at most
// `extraThreads` threads more, and returns when all have ended. A thread the
// system does not give is simply not used: the caller does its share.
void runOnThreads(qsizetype count, int extraThreads, const std::function<void(qsizetype)> &work);
