#include "playback/MediaReply.h"

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
