#pragma once

#include <QObject>
#include <QString>

// Whether a track is open, whether it plays, and which one. The play control
// alone writes it, once per command it carries out; the remote reads it, and
// MPRIS2 follows changed().
class PlayState : public QObject {
    Q_OBJECT
public:
    enum class State { Stopped, Playing, Paused };

    static PlayState &instance();

    State state() const { return state_; }
    // The open track's full path; empty when stopped.
    QString track() const { return track_; }
    bool trackOpen() const { return state_ != State::Stopped; }

    // changed() follows unless nothing changed.
    void set(State state, const QString &track);

signals:
    void changed();

private:
    State state_ = State::Stopped;
    QString track_;
};
