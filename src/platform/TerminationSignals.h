#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace platform {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop, so the
// program can end in order instead of being cut off.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~TerminationSignals() override;

private:
    void handleSignal();

    std::function<void()> onSignal_;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace platform
