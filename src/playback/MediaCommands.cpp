#include "playback/MediaCommands.h"

#include "core/SystemDataBox.h"
#include "platform/MediaChannel.h"

namespace MediaCommands {

void send(const QString &command)
{
    sys().MciResult = platform::mciSendString(command, nullptr, 0);
}

void status(const QString &what)
{
    QByteArray buffer = sys().MciReply;
    buffer.resize(16, '\0');
    sys().MciResult =
        platform::mciSendString(QStringLiteral("status ") + Alias + u' ' + what, buffer.data(), 16);
    sys().MciReply = buffer;
}

void open(const QString &path)
{
    send(QStringLiteral("open \"") + path + QStringLiteral("\" alias ") + Alias);
}

std::optional<double> replyNumber(const QByteArray &fixedText)
{
    const qsizetype nul = fixedText.indexOf('\0');
    const QByteArray text = (nul < 0 ? fixedText : fixedText.left(nul)).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return value;
}

QByteArray fixedText(qint64 value)
{
    QByteArray text = QByteArray::number(value);
    text.resize(16, ' ');
    return text;
}

} // namespace MediaCommands
