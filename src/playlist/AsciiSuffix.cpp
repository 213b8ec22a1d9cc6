#include "playlist/AsciiSuffix.h"

namespace {

char lowerCase(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

SuffixAnswer asciiSuffixOf(QByteArrayView name, QByteArrayView suffix)
{
    // A name never has more characters than bytes.
    if (name.size() < suffix.size()) {
        return SuffixAnswer::No;
    }
    const char *tail = name.data() + (name.size() - suffix.size());
    bool same = true;
    for (qsizetype i = 0; i < suffix.size(); ++i) {
        if (static_cast<unsigned char>(tail[i]) >= 0x80) {
            return SuffixAnswer::Undecided;
        }
        same = same && lowerCase(tail[i]) == suffix[i];
    }
    return same ? SuffixAnswer::Yes : SuffixAnswer::No;
}

std::optional<QByteArray> asciiLowerCase(const QString &text)
{
    QByteArray ascii(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            return std::nullopt;
        }
        ascii[i] = lowerCase(char(c));
    }
    return ascii;
}
