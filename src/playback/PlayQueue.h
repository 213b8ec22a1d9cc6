#pragma once

#include <QString>

// The files still to play, as the play control sees them. The play list
// implements it; tests put a list of their own in its place.
class PlayQueue {
public:
    virtual ~PlayQueue() = default;

    // The file that plays next; empty when the queue is used up.
    virtual QString head() const = 0;
    virtual void dropHead() = 0;
    // Puts a file back to play next.
    virtual void pushFront(const QString &path) = 0;
    // Deals the queue anew from the play folders.
    virtual void renew() = 0;
    virtual qsizetype count() const = 0;
    // Whether any play folder is registered.
    virtual bool hasFolders() const = 0;
};
