#pragma once

#include <QObject>
#include <QSet>
#include <QStringList>

// Tells the user, once a run for each kind of file, that a kind cannot be played
// for want of a decoder. The box comes after the caller has returned, so the
// player goes on to the next file while it is open, and boxes never stack.
class DecoderNotice : public QObject {
public:
    using QObject::QObject;

    // path: the file that failed; installerDetails: what the media device missed.
    void tell(const QString &path, const QStringList &installerDetails);

private:
    void showWaiting();

    QSet<QString> told_;
    QStringList waiting_;
    bool showing_ = false;
};
