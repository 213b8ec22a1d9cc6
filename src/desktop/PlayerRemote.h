#pragma once

#include "playback/TrackDetails.h"

#include <QString>
#include <QVariantMap>
#include <optional>

// What a desktop remote (media keys, panels, playerctl) may do to the player
// and read of it. Play commands go to the play control as the buttons' do, and
// the repeat through its menu item, so labels, lamps and check marks follow;
// each does nothing without a player.
namespace PlayerRemote {

bool playerLoaded();

void play();
void pause();
void playPause();
void stop();
// Ends the open track and dispatches the next, as the end of a track does.
void next();
// Brings the main window back from the tray or from behind other windows.
void raise();
// Ends the program as the main window's unload does, so the lists are saved.
void quit();
// Switches 常時リピート through its menu item.
void setRepeatTrack(bool on);

// "Playing", "Paused" or "Stopped".
QString playbackStatus();
// "Track" while 常時リピート is on, "None" otherwise.
QString loopStatus();
// The open track's path (empty when stopped) and its length in milliseconds.
QString openTrack();
std::optional<qint64> lengthMs();
// Read into a buffer of its own: the playback timer's reply is left alone.
std::optional<qint64> positionMs();

// xesam:url, mpris:length and what the details hold of the open track; the file
// name stands in for a missing title.
QVariantMap trackMetadata(const QString &path, std::optional<qint64> lengthMs,
                          const std::optional<TrackDetails> &details = std::nullopt);

} // namespace PlayerRemote
