#pragma once

#include <QObject>

// The play modes the end of a track obeys. The menus' check marks, the main
// window's lamps and MPRIS2 follow changed(); any of them may set a mode.
class PlayModes : public QObject {
    Q_OBJECT
public:
    enum class Mode { AllMusicRepeat, OneMusicRepeat, ThisMusicExit };

    static PlayModes &instance();

    bool isOn(Mode mode) const;
    // changed() follows only a real change.
    void set(Mode mode, bool on);

signals:
    void changed(PlayModes::Mode mode, bool on);

private:
    bool on_[3] = {};
};
