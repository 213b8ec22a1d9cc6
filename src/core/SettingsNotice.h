#pragma once

#include <QList>
#include <QObject>
#include <QString>

// What the options window stored that no shared variable holds. The shared
// variables (TitleScrollOn, ListBackupOn, DownWinMode…) are set before it is told.
struct SettingsChange {
    QList<bool> fileGroupsOn; // group 1 first
    QString textColour;       // as DColor stores it
    bool autostart = false;
    bool autoPlay = false;
    bool indicatorIcons = false; // the lamps show: their cover is hidden
};

// Tells every window that the settings changed; each applies what concerns it.
class SettingsNotice : public QObject {
    Q_OBJECT
public:
    static SettingsNotice &instance();

    void announce(const SettingsChange &change) { emit changed(change); }

signals:
    void changed(const SettingsChange &change);
};
