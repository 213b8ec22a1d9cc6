#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The player's commands to the media device on the alias MusicMedia. Every
// result lands in MciResult; nothing here looks at it.
namespace MediaCommands {

inline const QString Alias = QStringLiteral("MusicMedia");

void send(const QString &command);
// A status command: the reply overwrites the start of MciReply, the rest keeps its bytes.
void status(const QString &what);

void open(const QString &path);

// The decimal number a 16-character reply holds before its NUL, or nothing
// when that text is not a number.
std::optional<double> replyNumber(const QByteArray &fixedText);
// A number as a 16-character text, padded with blanks.
QByteArray fixedText(qint64 value);

} // namespace MediaCommands
