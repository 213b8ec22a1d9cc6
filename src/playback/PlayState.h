#pragma once

#include <QObject>
#include <QString>

// Whether a track is open, whether it plays, and which one. The play control
// records it; the remote and the main window's play/stop toggle read it, MPRIS2 follows changed().
class PlayState : public QObject {
    Q_OBJECT
public:
    enum class State { Stopped, Playing, Paused };

    static PlayState &instance();

    State state() const { return state_; }
    // The open track's full path; empty when stopped.
    QString track() const { return track_; }
    bool trackOpen() const { return state_ != State::Stopped; }

    // changed() follows unless nothing changed, or a Hold is alive.
    void set(State state, const QString &track);

    // What is set while one lives is announced once, when the outermost ends:
    // a track that ends and the next that starts are one change, not two.
    class Hold {
    public:
        Hold();
        ~Hold();
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;
    };

signals:
    void changed();

private:
    void announce();

    State state_ = State::Stopped;
    QString track_;
    State announcedState_ = State::Stopped;
    QString announcedTrack_;
    int holds_ = 0;
};
