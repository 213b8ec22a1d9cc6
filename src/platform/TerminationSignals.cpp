#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {

int signalPipe[2] = {-1, -1};
std::atomic<bool> endAsked{false};

constexpr int EndSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onPosixSignal(int sig)
{
    // Asked twice: whatever holds the first end, the user wants out now.
    if (endAsked.exchange(true)) {
        ::_exit(128 + sig);
    }
    const int savedErrno = errno;
    const char byte = 1;
    // Non-blocking: a full pipe already carries the news.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject *parent)
    : QObject(parent), onSignal_(std::move(onSignal))
{
    // Close-on-exec: a started program (the update, xdg-open) must not hold them.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) {
        return;
    }
    endAsked = false;
    notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::handleSignal);

    struct sigaction action {};
    action.sa_handler = onPosixSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : EndSignals) {
        sigaction(sig, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    for (const int sig : EndSignals) {
        std::signal(sig, SIG_DFL);
    }
    if (notifier_ != nullptr) {
        delete notifier_;
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe[0] = signalPipe[1] = -1;
    }
}

void TerminationSignals::handleSignal()
{
    char bytes[16];
    while (::read(signalPipe[1], bytes, sizeof bytes) > 0) {
    }
    if (onSignal_) {
        onSignal_();
    }
}

} // namespace platform
