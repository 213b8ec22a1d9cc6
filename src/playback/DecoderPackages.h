#pragma once

#include <QString>
#include <QStringList>

// What the user is told when files of one kind cannot be played for want of a
// GStreamer plug-in.
namespace DecoderPackages {

// The Debian package that brings the plug-in GStreamer's installer detail asks for
// ("gstreamer|1.0|<app>|<description>|decoder-<caps>"), or empty when not known here.
QString debianPackageFor(const QString &installerDetail);

// The message for the files with this extension ("flac") and the missing plug-ins.
QString missingDecoderText(const QString &extension, const QStringList &installerDetails);

} // namespace DecoderPackages
