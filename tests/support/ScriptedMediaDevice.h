#pragma once

#include "platform/MediaChannel.h"

#include <QSet>
#include <QStringList>
#include <cstring>

// A media device that answers from a script: every file opens with the given
// length unless it is listed as unplayable, and the position is whatever the
// test sets; a seek moves it. It keeps every command it was sent, and each file it was
// asked to open ahead as "ahead <path>".
class ScriptedMediaDevice : public platform::MediaDevice {
public:
    int send(const QString &command, char *reply, int replySize) override
    {
        commands << command;
        if (outputLost) {
            return 262; // the sound server went away
        }
        if (command.startsWith(QStringLiteral("open \""))) {
            open = !unplayable.contains(command.section(u'"', 1, -2));
            position = 0;
            return open ? 0 : 263;
        }
        if (!open) {
            return 263;
        }
        if (command == QStringLiteral("status MusicMedia length") ||
            command == QStringLiteral("status MusicMedia position")) {
            const QByteArray text = QByteArray::number(command.endsWith(u"length") ? length : position);
            if (reply == nullptr || text.size() + 1 > replySize) {
                return 266;
            }
            std::memcpy(reply, text.constData(), static_cast<size_t>(text.size()) + 1);
        }
        if (command.startsWith(QStringLiteral("seek MusicMedia to "))) {
            position = command.section(u' ', 3).toLongLong(); // "start" reads as 0
        }
        open = command != QStringLiteral("close MusicMedia");
        return 0;
    }

    void openAhead(const QString &path) override { commands << QStringLiteral("ahead ") + path; }

    QStringList commands;
    QSet<QString> unplayable;
    qint64 length = 205000;
    qint64 position = 0;
    bool open = false;
    bool outputLost = false;
};
