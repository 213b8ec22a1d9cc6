#pragma once

#include "platform/MediaChannel.h"

#include <QSet>
#include <QStringList>
#include <cstring>

// A media device that answers from a script: every file opens with the given
// length unless it is listed as unplayable, and the position is whatever the
// test sets. It keeps every command it was sent.
class ScriptedMediaDevice : public platform::MediaDevice {
public:
    int send(const QString &command, char *reply, int replySize) override
    {
        commands << command;
        if (command.startsWith(QStringLiteral("open \""))) {
            const QString path = command.section(u'"', 1, -2);
            open = !unplayable.contains(path);
            position = 0;
            return open ? 0 : 263;
        }
        if (!open) {
            return 263;
        }
        if (command == QStringLiteral("status MusicMedia length")) {
            return write(length, reply, replySize);
        }
        if (command == QStringLiteral("status MusicMedia position")) {
            return write(position, reply, replySize);
        }
        if (command == QStringLiteral("seek MusicMedia to start")) {
            position = 0;
        }
        if (command == QStringLiteral("close MusicMedia")) {
            open = false;
        }
        return 0;
    }

    QStringList commandsStartingWith(const QString &prefix) const
    {
        QStringList found;
        for (const QString &c : commands) {
            if (c.startsWith(prefix)) {
                found << c;
            }
        }
        return found;
    }

    QStringList commands;
    QSet<QString> unplayable;
    qint64 length = 205000;
    qint64 position = 0;
    bool open = false;

private:
    static int write(qint64 value, char *reply, int replySize)
    {
        const QByteArray text = QByteArray::number(value);
        if (reply == nullptr || text.size() + 1 > replySize) {
            return 266;
        }
        std::memcpy(reply, text.constData(), static_cast<size_t>(text.size()) + 1);
        return 0;
    }
};
