#pragma once

#include <QVariantMap>
#include <functional>

// What the two bus adaptors ask of the service that owns them.
class MprisRequests {
public:
    // Runs an action from the event loop, after the D-Bus reply has left (the
    // action may open a message box or end the program), then reports changes.
    virtual void post(std::function<void()> action) = 0;
    // The open track's metadata with an id that stays the same while it is open.
    virtual QVariantMap metadata() = 0;

protected:
    ~MprisRequests() = default;
};
